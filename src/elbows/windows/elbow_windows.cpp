#include "elbows/windows/cyl_elbow_window.h"
#include "elbows/windows/elbow_window.h"

#include "elbows/elbow_checks.h"
#include "frame/command_registry.h"

namespace velm {

void RegisterElbowWindows() {
    ShapeWindowBase::RegisterFamily<CylElbowWindow>(ShapeCuCilindri, ShapeCuCilindri);
    RegisterInputCheck(ShapeCuCilindri, ShapeCuCilindri, ElbowApplyAnswer);
}

}  // namespace velm
