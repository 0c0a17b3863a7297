#include "cylinders/windows/cylinder_window.h"
#include "frame/windows/frame_api.h"

namespace velm {

// Each shape family adds its windows here as it arrives.
void RegisterShapeWindows() {
    RegisterCylinderWindows();
}

}  // namespace velm
