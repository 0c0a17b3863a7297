#include "output/sheet_fit.h"

#include "core/language.h"
#include "core/text_ids.h"

namespace velm {

namespace {

// Room for a drawing on a page of the given size; a hair of slack so that a
// drawing as wide as the page still fits.
struct Room {
    double Width = 0, Height = 0;
    bool Wide(const DrawingExtent& e) const { return e.Width > Width * (1 + 1e-9) + 1e-9; }
    bool High(const DrawingExtent& e) const { return e.Height > Height * (1 + 1e-9) + 1e-9; }
    bool Holds(const DrawingExtent& e) const { return !Wide(e) && !High(e); }
};

// The room under the text lines at scale `scale`, the sheet as it is or turned.
Room RoomAt(const SheetFitInput& in, int scale, bool turned) {
    const double f = static_cast<double>(scale) / in.Scale;
    const double w = turned ? in.PageHeight : in.PageWidth, h = turned ? in.PageWidth : in.PageHeight;
    return {w * f, (h - in.TextHeight) * f};
}

}  // namespace

SheetFit FitOnSheet(const SheetFitInput& in) {
    SheetFit fit;
    if (in.Scale < 1) return fit;
    const Room room = RoomAt(in, in.Scale, false);
    fit.TooWide = room.Wide(in.Part);
    fit.TooHigh = room.High(in.Part);
    if (fit.Fits()) return fit;
    for (int s = in.Scale + 1; s <= in.LargestScale && fit.Scale == 0; ++s)
        if (RoomAt(in, s, false).Holds(in.Part)) fit.Scale = s;
    const Room turned = RoomAt(in, in.Scale, true);
    fit.Half = in.WholePlate && room.Holds(in.Half);
    fit.Turned = turned.Holds(in.Part);
    fit.HalfTurned = in.WholePlate && !fit.Half && !fit.Turned && turned.Holds(in.Half);
    return fit;
}

std::string SheetFitText(const SheetFit& fit, bool landscape) {
    if (fit.Fits()) return {};
    std::string text = Txt(LangMsgbox, 16) + ".";
    if (fit.Scale > 0) text += " " + Txt(LangMsgbox, 17) + " 1:" + std::to_string(fit.Scale) + ".";
    if (fit.Half) text += " " + Txt(TextHalfFits) + ".";
    const std::string turned = Txt(LangMsgbox, landscape ? 21 : 20);
    if (fit.Turned) text += " " + Txt(LangMsgbox, 19) + " " + turned + ".";
    if (fit.HalfTurned) text += " " + Txt(TextHalfFits) + " " + turned + ".";
    return text;
}

}  // namespace velm
