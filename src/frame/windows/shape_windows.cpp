#include "cones/windows/cone_window.h"
#include "cylinders/windows/cylinder_window.h"
#include "frame/windows/frame_api.h"

namespace velm {

// Each shape family adds its windows here as it arrives.
void RegisterShapeWindows() {
    RegisterConeWindows();
    RegisterCylinderWindows();
}

}  // namespace velm
