#pragma once
// Placing the drawing on the sheet by dragging: a step is accepted only while
// the drawing stays wholly on the sheet and below the data box and the title
// line; sheet picture units throughout.
namespace velm {

struct DragBounds {
    double SheetWidth = 0;   // the sheet picture's inner size
    double SheetHeight = 0;
    double DrawingWidth = 0;
    double DrawingHeight = 0;
    double LeastTop = 0;     // LeastDrawingTop
};

// The highest the drawing's top may go: below the shown data box, if any,
// and the title-line reserve; in single precision, as it is compared.
float LeastDrawingTop(bool dataBoxVisible, double dataBoxHeight, double titleReserve);

// True when the drawing at (left, top) lies on the sheet: not past its left
// or top limit, and its right and bottom edges strictly inside the sheet.
bool DragStepAccepted(double left, double top, const DragBounds& bounds);

}  // namespace velm
