#include "cones/windows/cone_window.h"
#include "cylinders/windows/cylinder_window.h"
#include "frame/windows/frame_api.h"

namespace velm {

// The output windows' commands (sheet preview, print, re-layout), declared
// here so that the frame never includes the output code.
void RegisterOutputCommands();

// Each shape family adds its windows here as it arrives.
void RegisterShapeWindows() {
    RegisterConeWindows();
    RegisterCylinderWindows();
    RegisterOutputCommands();
}

}  // namespace velm
