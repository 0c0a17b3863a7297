#include "output/printed_drawing.h"

namespace velm {

std::vector<PrintedLine> CylinderPrintedLines(const CylinderResults&, float, std::int16_t, const PrintPlacement&) {
    return {};
}

std::vector<PrintedLine> ConePrintedLines(const ConeResults&, float, std::int16_t, const PrintPlacement&) {
    return {};
}

void PrintOutline(Canvas& page, const std::vector<PrintedLine>& lines) {
    const int width = page.DrawWidth;
    for (const PrintedLine& l : lines) {
        if (l.MiddleLine) {
            page.DrawWidth = 1;
            page.DrawStyle = DrawDashDot;
        }
        page.Line(l.X1, l.Y1, l.X2, l.Y2);
        if (l.MiddleLine) {
            page.DrawStyle = DrawSolid;
            page.DrawWidth = width;
        }
    }
}

}  // namespace velm
