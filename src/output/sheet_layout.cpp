#include "output/sheet_layout.h"

#include <algorithm>
#include <cmath>

#include "cones/cone_outline.h"

namespace velm {

namespace {

// A picture's size or position: whole pixels, never negative, never huge.
int Pixels(double v) {
    if (!std::isfinite(v) || v <= 0) return 0;
    return static_cast<int>(std::lround(std::min(v, 1.0e6)));
}

double Safe(double v) { return std::isfinite(v) ? v : 0; }

// The page in development units after the print factors.
struct PageInUnits {
    double Width = 0;
    double Height = 0;
};

// The print factors for the page's orientation (measured on a portrait
// page), the page in development units, and the printer's page height in
// the unit of the run.
PageInUnits LayOutPage(const SheetLayoutInput& in, SheetLayout& out) {
    const SettingsCache& s = in.Settings;
    const double W = in.Page.width, L = in.Page.height;
    double P = L;
    const double scale = s.Scale > 0 ? s.Scale : 1;
    if (W <= L) {
        out.Factors = {static_cast<float>(s.SettingXPrinter / scale), static_cast<float>(s.SettingYPrinter / scale)};
    } else {
        out.Factors = {static_cast<float>(s.SettingYPrinter / scale), static_cast<float>(s.SettingXPrinter / scale)};
    }
    PageInUnits page{W / out.Factors.X, L / out.Factors.Y};
    if (s.MeasuringSystem == 1) {
        page.Width /= 25.4;
        page.Height /= 25.4;
        P /= 25.4;
    }
    out.PageWidth = static_cast<float>(page.Width);
    out.PageHeight = static_cast<float>(page.Height);
    out.PrinterPageHeight = P;
    return page;
}

// The sheet: the whole page in the window beside the panel, as large as
// the room across (less the room kept on the right) and down allows.
void SizeSheet(const SheetLayoutInput& in, const PageInUnits& page, SheetLayout& out) {
    const double across = (in.WindowWidth - in.PanelWidth) - 2 * (in.SheetLeft - in.PanelWidth) - SheetRightRoom;
    const double down = in.WindowHeight - 2 * out.SheetTop;
    if (across * page.Height < down * page.Width) {
        out.SheetWidth = Pixels(across);
        out.SheetHeight = Pixels(out.SheetWidth * page.Height / page.Width);
    } else {
        out.SheetHeight = Pixels(down);
        out.SheetWidth = Pixels(out.SheetHeight * page.Width / page.Height);
    }
}

// The data box (its lines in printer units, mapped onto the sheet through
// the printer's page height) and the title line below it. Returns where the
// drawing may start on the sheet.
double LayOutBoxes(const SheetLayoutInput& in, const PageInUnits& page, SheetLayout& out) {
    const SettingsCache& s = in.Settings;
    const double SH = out.SheetHeight;
    const double P = out.PrinterPageHeight;
    const double h = in.LineHeight;
    // Notes that wrap make either box longer by their further lines.
    const int more = std::max(0, in.NoteLines - 1);
    const int lines = DataBlockLineCount(in.Family, in.ShapeCode) + more;
    const int noteLines = NotesBlockLineCount + more;
    out.DataBoxHeight = static_cast<float>(SH * lines * h / P);
    out.NoteBoxHeight = static_cast<float>(SH * noteLines * h / P);
    const double B = s.CheckNote == 1 ? noteLines * h : lines * h;
    out.DataBoxShown = Pixels(SH * B / P);
    out.DataBoxVisible = s.CheckData == 1 || s.CheckNote == 1;
    double top = out.DataBoxVisible ? out.DataBoxShown : 0;
    double text = out.DataBoxVisible ? B : 0;  // printer units

    // One bold title line below the data box, whenever the print would have one.
    if (SheetHasTitleLine(in.Family, in.ShapeCode, s)) {
        out.TitleReserve = static_cast<float>(SH * in.TitleHeight / P);
        top += out.TitleReserve;
        text += in.TitleHeight;
    }
    out.TextHeight = text / P * page.Height;
    return top;
}

// The drawing at the sheet's scale, centred, below the boxes.
void PlaceDrawing(const SheetLayoutInput& in, const PageInUnits& page, double top, SheetLayout& out) {
    const double SW = out.SheetWidth, SH = out.SheetHeight;
    out.DrawingWidth = Pixels(SW * in.Extent.Width / page.Width);
    out.DrawingHeight = Pixels(SH * in.Extent.Height / page.Height) + (in.Family == ConeSheet ? 2 : 0);
    out.DrawingLeft = static_cast<int>(std::lround(SW / 2 - out.DrawingWidth / 2.0));
    out.DrawingTop = static_cast<int>(std::ceil(top - 1e-9));
    out.DrawingVisible = in.Settings.CheckSviluppo == 1;
}

}  // namespace

bool IsSheetPieceCode(int family, int shapeCode) {
    if (family == CylinderSheet)
        return shapeCode == ShapeCuCilindri || shapeCode == ShapeCuConica1 || shapeCode == ShapeCuConica3;
    if (family == ConeSheet) return shapeCode >= ShapeCuConica1 && shapeCode <= ShapeCuConica3;
    return false;
}

PrintFactorPair& SheetFactors(PrintedSheet& sheet, int family) {
    return family == ConeSheet ? sheet.ConeFactors : sheet.CylinderFactors;
}

const PrintFactorPair& SheetFactors(const PrintedSheet& sheet, int family) {
    return family == ConeSheet ? sheet.ConeFactors : sheet.CylinderFactors;
}

int DataBlockLineCount(int family, int shapeCode) {
    if (family == CylinderSheet) {
        if (shapeCode == ShapeCiRe) return 10;
        if (shapeCode == ShapeCiTaSup) return 13;
        if (shapeCode == ShapeCiConcordi || shapeCode == ShapeCiDiscordi || IsSheetPieceCode(family, shapeCode))
            return 15;
    } else if (family == ConeSheet) {
        if (shapeCode == ShapeCoRe) return 17;
        if (shapeCode == ShapeCoTaSup || shapeCode == ShapeCoTaInf) return 19;
        if (shapeCode == ShapeCoConcordi || shapeCode == ShapeCoDiscordi || IsSheetPieceCode(family, shapeCode))
            return 21;
    }
    return 0;
}

DrawingExtent CylinderDrawingExtent(const CylinderResults& r, std::int16_t developmentPart) {
    const double length = Safe(r.DevelopedLength);
    return {developmentPart == 0 ? length : length / 2, Safe(r.Hmax)};
}

ConeSectorBounds ConeSectorBoundsOf(const ConeResults& r, float angleStep) {
    ConeSectorBounds b;
    const double half = static_cast<double>(r.ConeSectorAngle) / 2;
    b.Top = -static_cast<double>(r.UpperEdgeMinY);
    b.Bottom = -static_cast<double>(r.LowerEdgeMaxY);
    b.HalfWidth = std::sin(half) * r.ConeLowerRadii[0];
    if (!(r.ConeSectorAngleDeg > 180)) return b;
    // Past a half turn the seams turn back up beside the apex: the widest
    // point lies on the edges, and the seams' ends rise above the apex.
    const ConeOutline o = ConeOutlineOf(r, angleStep);
    if (o.Empty()) return b;
    const SectorExtent e = TrueExtentOf(o);
    b.Top = e.Top;
    b.Bottom = e.Bottom;
    b.HalfWidth = e.HalfWidth;
    return b;
}

DrawingExtent ConeDrawingExtent(const ConeResults& r, float angleStep, std::int16_t developmentPart) {
    const ConeSectorBounds b = ConeSectorBoundsOf(r, angleStep);
    const double half = Safe(b.HalfWidth);
    return {developmentPart == 0 ? 2 * half : half, Safe(b.Top - b.Bottom)};
}

bool SheetHasTitleLine(int family, std::int16_t shapeCode, const SettingsCache& settings) {
    return IsSheetPieceCode(family, shapeCode) || settings.Scale != 1;
}

SheetLayout LayOutSheet(const SheetLayoutInput& in) {
    SheetLayout out;
    const PageInUnits page = LayOutPage(in, out);
    out.SheetLeft = in.SheetLeft;
    out.SheetTop = SheetTopMargin;
    if (!(page.Width > 0) || !(page.Height > 0)) return out;
    SizeSheet(in, page, out);
    if (!(out.PrinterPageHeight > 0)) return out;
    const double top = LayOutBoxes(in, page, out);
    PlaceDrawing(in, page, top, out);
    return out;
}

void StoreSheetLayout(const SheetLayout& layout, int family, PrintedSheet& sheet) {
    sheet.PageWidth = layout.PageWidth;
    sheet.PageHeight = layout.PageHeight;
    SheetFactors(sheet, family) = layout.Factors;
    sheet.DrawingLeft = static_cast<float>(layout.DrawingLeft);
    sheet.DrawingTop = static_cast<float>(layout.DrawingTop);
    sheet.DataBoxHeight = layout.DataBoxHeight;
    sheet.NoteBoxHeight = layout.NoteBoxHeight;
}

}  // namespace velm
