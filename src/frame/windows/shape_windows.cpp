#include "cones/windows/cone_window.h"
#include "cylinders/windows/cylinder_window.h"
#include "frame/windows/frame_api.h"

namespace velm {

// The output windows' commands, declared here so that the frame never
// includes the output code: sheet preview, print, re-layout
// (output/windows/), DXF and ISO export (output/windows/dxf_commands.cpp).
void RegisterOutputCommands();
void RegisterCalibrationCommand();
void RegisterExportCommands();
// The elbow windows (elbows/windows/).
void RegisterElbowWindows();
void RegisterConeElbowWindows();

// Each shape family adds its windows here as it arrives.
void RegisterShapeWindows() {
    RegisterConeWindows();
    RegisterCylinderWindows();
    RegisterElbowWindows();
    RegisterConeElbowWindows();
    RegisterOutputCommands();
    RegisterCalibrationCommand();
    RegisterExportCommands();
}

}  // namespace velm
