#include "elbows/windows/cyl_elbow_window.h"
#include "elbows/windows/elbow_window.h"

namespace velm {

void RegisterElbowWindows() { ShapeWindowBase::RegisterFamily<CylElbowWindow>(ShapeCuCilindri, ShapeCuCilindri); }

}  // namespace velm
