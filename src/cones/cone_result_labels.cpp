#include "cones/cone_result_labels.h"

#include <cmath>

#include "core/language.h"
#include "core/text_ids.h"
#include "core/number_text.h"
#include "core/sketch_primitives.h"
#include "core/working_state.h"
#include "geometry/cylinder_geometry.h"

namespace velm {

namespace {

constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Yellow = RGB(255, 255, 0);

}  // namespace

std::string ConeResultLabelCaption(int which, const ConeResults& results, const ConeDrawingContext& context) {
    // Label 1 names the seam side while the seam is on side +1, label 2 the
    // other; the right frustum's label 1 always names the opposite side.
    const bool seam = (which == 1 && context.LatoSaldatura == 1 && context.ShapeCode != ShapeCoRe) ||
                      (which != 1 && context.LatoSaldatura != 1);
    const int n = HalfTurnIndex(context.AngleStep);
    const int entry = seam || n < 0 ? 0 : n;
    const double length = results.ConeLowerRadii[entry] - results.ConeUpperRadii[entry];
    const std::string& text = seam ? Txt(TextWeldSeam) : Txt(LangCommonFrmConi, 12);
    return text + ": " + FormatLength(length, context.MeasuringSystem);
}

PlacedLabel ShowConeResultLabel(int which, float xA, float xB, float yA, float yB,
                                   const ConeResults& results, const ConeDrawingContext& context) {
    PlacedLabel p;
    p.Visible = true;
    if (which == 1) {
        p.Top = (yA - yB) / 2 + yB - 20;
        p.Left = std::fabs(xA - xB) > 70 ? xA - 40 : (xA - xB) / 2 + xA - 70;
    } else {
        p.Top = (yA - yB) / 2 + yB - 30;
        p.Left = (xA - xB) / 2 + xB + 10;
    }
    p.Caption = ConeResultLabelCaption(which, results, context);
    p.ForeColor = Yellow;
    return p;
}

HeightDimensionPlacement DrawConeHeightDimension(Canvas& picture, float cx, float yTop, float yBottom,
                                                 float xBottomRight, float xTopRight,
                                                 std::int16_t shapeCode, float height) {
    const float xd = xBottomRight + 30;
    picture.Line(xd, yBottom, xd, yTop, White);
    // A cut end is measured where the cut crosses the axis.
    const bool lowerCut = shapeCode == ShapeCoTaInf || shapeCode == ShapeCoConcordi ||
                          shapeCode == ShapeCoDiscordi;
    const bool upperCut = shapeCode == ShapeCoTaSup || shapeCode == ShapeCoConcordi ||
                          shapeCode == ShapeCoDiscordi;
    picture.Line(lowerCut ? cx : xBottomRight, yBottom, xd, yBottom, White);
    DrawArrowHead(picture, 90, xd, yBottom);
    picture.Line(upperCut ? cx : xTopRight, yTop, xd, yTop, White);
    DrawArrowHead(picture, 270, xd, yTop);

    const float ym = (yBottom - yTop) / 2 + yTop;
    HeightDimensionPlacement p;
    p.Label.Visible = true;
    p.Label.Left = xBottomRight + 40;
    p.Label.Top = ym;
    p.Box.Index = 2;
    p.Box.Place = {true, xBottomRight + 70, ym, height, false};
    return p;
}

}  // namespace velm
