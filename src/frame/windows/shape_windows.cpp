#include "cones/windows/cone_window.h"
#include "cylinders/windows/cylinder_window.h"
#include "frame/windows/frame_api.h"

namespace velm {

// Defined with the output windows (output/windows/dxf_commands.cpp), which
// the frame does not include.
void RegisterExportCommands();

// Each shape family adds its windows here as it arrives.
void RegisterShapeWindows() {
    RegisterConeWindows();
    RegisterCylinderWindows();
    RegisterExportCommands();
}

}  // namespace velm
