#include "output/drag.h"

namespace velm {

float LeastDrawingTop(bool dataBoxVisible, double dataBoxHeight, double titleReserve) {
    return static_cast<float>((dataBoxVisible ? dataBoxHeight : 0) + titleReserve);
}

bool DragStepAccepted(double left, double top, const DragBounds& b) {
    return left >= 0 && top >= b.LeastTop && left + b.DrawingWidth < b.SheetWidth &&
           top + b.DrawingHeight < b.SheetHeight;
}

}  // namespace velm
