// Stand-ins until the start panel arrives; removed with its arrival.
#include "frame/windows/frame_api.h"

namespace velm {
QWidget* StartPanel() { return nullptr; }
void OpenShapeForm(int, QWidget*) {}
void RegisterShapeWindowFactory(int, ShapeWindowFactory) {}
ShapeWindowFactory ShapeWindowFactoryFor(int) { return nullptr; }
}  // namespace velm
