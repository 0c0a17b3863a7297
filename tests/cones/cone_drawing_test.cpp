// The frustum sketch and development drawn on a recording canvas, checked
// against the body built in space.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "cones/cone_compute.h"
#include "cones/cone_development_drawing.h"
#include "cones/cone_sketch.h"
#include "core/language.h"
#include "core/number_text.h"
#include "support/frustum_model.h"
#include "support/recording_canvas.h"

namespace velm {
namespace {

using testing::kDeg;
using testing::RingSector;
using testing::kPi;
using Lines = std::vector<RecordingCanvas::LineRec>;

constexpr Colour kYellow = RGB(255, 255, 0);
constexpr Colour kFill = RGB(0, 0, 255);

struct Body { std::int16_t shape; float t, D1, D2, H, upper, lower; };  // lower as typed (a magnitude)

const Body kBodies[] = {
    // The defaults of the five kinds.
    {ShapeCoRe, 0.3f, 21, 29, 35, 0, 0}, {ShapeCoTaSup, 0.3f, 21, 29, 35, 10, 0},
    {ShapeCoTaInf, 0.3f, 21, 29, 35, 0, 10}, {ShapeCoConcordi, 0.3f, 21, 29, 35, 10, 10},
    {ShapeCoDiscordi, 0.3f, 21, 29, 35, 10, 10},
    // Nearly flat (sector near 180 degrees), nearly a cylinder, short with
    // steep cuts, steep opposite cuts.
    {ShapeCoRe, 1, 100, 290, 170, 0, 0}, {ShapeCoRe, 1, 99.5f, 100, 150, 0, 0},
    {ShapeCoConcordi, 1, 20, 150, 5, 60, 60}, {ShapeCoDiscordi, 1, 20, 150, 40, 60, 60},
};
const Body& kShortSteep = kBodies[7];

// A body developed as an accepted apply leaves it, and the same body in space.
struct Developed {
    ConeArray data{};
    std::unique_ptr<ConeResults> results = std::make_unique<ConeResults>();
    float cutRise = 0;
    testing::SpaceFrustum model{};
    ConeDrawingContext context;
};

std::unique_ptr<Developed> Develop(const Body& b, std::int16_t side = 1, float step = 1) {
    auto d = std::make_unique<Developed>();
    const float lower = b.shape == ShapeCoDiscordi ? -b.lower : b.lower;
    d->data = {0, b.t, b.D1, b.D2, b.H, b.upper, lower, static_cast<float>(b.upper * kDeg),
               static_cast<float>(lower * kDeg)};
    ConeSettings s;
    s.LatoSaldatura = side;
    s.AngleStep = step;
    const DevelopedCone developed = CheckAndDevelopCone(static_cast<ShapeKind>(b.shape), d->data, s, *d->results);
    EXPECT_EQ(developed.Message, 0) << "refused";
    d->cutRise = developed.CutRise;
    const bool up = b.shape == ShapeCoTaSup || b.shape >= ShapeCoConcordi;
    const bool low = b.shape >= ShapeCoTaInf;
    EXPECT_TRUE(testing::SolveFrustum(
        {b.D1 + b.t, b.D2 + b.t, b.H, up ? d->data[7] : 0.0, low ? d->data[8] : 0.0, side}, d->model));
    d->context = {b.shape, step, side, 0};
    return d;
}

void SetTexts() {
    LanguageTexts& l = Language();
    l.Sections[LangCommon].assign(21, "");
    l.Sections[LangCommon][19] = "Seam";
    l.Sections[LangCommonFrmConi].assign(21, "");
    l.Sections[LangCommonFrmConi][10] = "Sector";
    l.Sections[LangCommonFrmConi][12] = "Opposite";
}

Lines Yellow(const RecordingCanvas& c) {
    Lines out;
    for (const auto& l : c.lines)
        if (l.colour == kYellow) out.push_back(l);
    return out;
}

// A ray to the right crosses the outline an odd number of times from inside.
bool Inside(const Lines& outline, double x, double y) {
    int crossings = 0;
    for (const auto& l : outline)
        if ((l.py1 > y) != (l.py2 > y) && l.px1 + (y - l.py1) * (l.px2 - l.px1) / (l.py2 - l.py1) > x) ++crossings;
    return crossings % 2 == 1;
}

double NumberAfter(const std::string& caption, const std::string& prefix) {
    EXPECT_EQ(caption.rfind(prefix, 0), 0u) << caption;
    return ReadNumber(caption.substr(prefix.size()));
}

TEST(ConeDevelopmentDrawing, SectorFillAndLabelsMatchTheBody) {
    SetTexts();
    struct Case { Body body; std::int16_t side; float step; int width, height; };
    std::vector<Case> cases;
    for (const Body& b : kBodies) cases.push_back({b, 1, 1, 900, 700});
    cases.push_back({kBodies[3], -1, 0.25f, 400, 900});  // tall and narrow: the width limits
    cases.push_back({kBodies[5], -1, 5, 1200, 300});    // wide and low: the height limits
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "shape " << c.body.shape << " D1 " << c.body.D1 << " step " << c.step);
        const auto d = Develop(c.body, c.side, c.step);
        const testing::SpaceFrustum& f = d->model;
        RecordingCanvas pic(c.width, c.height);
        const ConeDevelopmentView v = DrawConeDevelopment(pic, *d->results, c.step, kFill, 0);
        ASSERT_TRUE(v.Drawn);
        const Lines outline = Yellow(pic);
        // Each edge: both halves of one segment per degree and a closing line; then the seams.
        const int segments = c.step > 1 ? static_cast<int>(std::lround(180 / c.step)) : 180;
        ASSERT_EQ(outline.size(), static_cast<std::size_t>(2 * (2 * segments + 1) + 2));

        // The seams open at the sector angle and lead to the apex on the centre line.
        const auto& left = outline[outline.size() - 2];
        const auto& right = outline.back();
        const double sector = f.SectorAngle();
        EXPECT_NEAR(std::atan2(left.px1 - left.px2, left.py2 - left.py1), sector / 2, 1e-4 * sector + 1e-6);
        EXPECT_NEAR(std::atan2(right.px2 - right.px1, right.py2 - right.py1), sector / 2, 1e-4 * sector + 1e-6);
        const double cx = c.width / 2.0;
        const auto distance = [&](double x, double y) { return std::hypot(x - cx, y - v.T); };
        // One scale in every direction: seam points and the middle line's points at their radii.
        const double s = distance(left.px2, left.py2) / f.SlantTo(f.lower, 0);
        EXPECT_NEAR(s, v.Scale, 1e-4 * s);
        std::vector<double> middle;
        for (const auto& l : outline)
            if (l.py1 == l.py2 && std::fabs(l.px1 + l.px2 - 2 * cx) < 1e-3 && std::fabs(l.px2 - l.px1) < 2.5)
                middle.push_back(l.py1 - v.T);
        ASSERT_EQ(middle.size(), 2u);
        EXPECT_NEAR(middle[0], s * f.SlantTo(f.lower, kPi), 0.05);
        EXPECT_NEAR(middle[1], s * f.SlantTo(f.upper, kPi), 0.05);
        for (const auto& l : outline)
            EXPECT_TRUE(std::min({l.px1, l.px2, l.py1, l.py2}) >= 0 && std::max(l.px1, l.px2) <= c.width &&
                        std::max(l.py1, l.py2) <= c.height);

        ASSERT_EQ(pic.fills.size(), 1u);
        EXPECT_EQ(pic.fills[0].border, kYellow);
        EXPECT_TRUE(Inside(outline, pic.fills[0].px, pic.fills[0].py));

        const double outer = f.SlantTo(f.lower, 0), inner = f.SlantTo(f.upper, 0);
        EXPECT_NEAR(NumberAfter(v.Labels[0].Caption, "Sector = "), sector / kDeg, 0.0051);
        EXPECT_NEAR(NumberAfter(v.Labels[1].Caption, "R2 = "), outer, 0.005 + 5e-5 * outer);  // single precision
        EXPECT_NEAR(NumberAfter(v.Labels[2].Caption, "R1 = "), inner, 0.005 + 5e-5 * inner);
        EXPECT_NEAR(NumberAfter(v.Labels[3].Caption, "C1 = "), 2 * inner * std::sin(sector / 2), 0.0051);
        EXPECT_NEAR(NumberAfter(v.Labels[4].Caption, "C2 = "), 2 * outer * std::sin(sector / 2), 0.0051);

        // The side labels name the seam or the opposite generatrix; the
        // right frustum's label 1 always names the opposite one.
        const double seam = outer - inner, opposite = f.SlantTo(f.lower, kPi) - f.SlantTo(f.upper, kPi);
        for (int which : {1, 2}) {
            const bool seamShown =
                c.body.shape == ShapeCoRe ? which == 2 && c.side == -1 : (which == 1) == (c.side == 1);
            EXPECT_NEAR(NumberAfter(ConeResultLabelCaption(which, *d->results, d->context),
                                    seamShown ? "Seam: " : "Opposite: "),
                        seamShown ? seam : opposite, 0.005 + 1e-5 * seam);
        }
    }
}

TEST(ConeDevelopmentDrawing, NothingMirroredOrFloodedWhenThereIsNoRoom) {
    SetTexts();
    const auto d = Develop(kBodies[3]);
    for (auto [w, h] : {std::pair{160, 600}, std::pair{600, 160}}) {
        RecordingCanvas pic(w, h);
        EXPECT_FALSE(DrawConeDevelopment(pic, *d->results, 1, kFill, 0).Drawn) << w << "x" << h;
        EXPECT_TRUE(pic.lines.empty());
    }
    RecordingCanvas none(800, 600);
    EXPECT_FALSE(DrawConeDevelopment(none, ConeResults{}, 1, kFill, 0).Drawn);  // a refused body's zeros
    EXPECT_TRUE(none.lines.empty());

    // A ring under two pixels wide on the middle line is left unfilled.
    const auto thin = Develop({ShapeCoRe, 0.1f, 99.6f, 100, 0.35f, 0, 0});
    RecordingCanvas pic(800, 600);
    EXPECT_TRUE(DrawConeDevelopment(pic, *thin->results, 1, kFill, 0).Drawn);
    EXPECT_TRUE(pic.fills.empty());
}

// Each part of the sheet drawing against the body in space: mapped back
// through the sheet's scales, every solid line's ends lie on a cut edge at
// the polar angle of their generatrix, on the part's side of the axis; the
// seams stand where the part has them, the dash-dot axis on the apex.
TEST(ConeSheetDrawing, PartsFollowTheBodyInSpace) {
    for (float step : {1.0f, 0.25f, 5.0f}) {
        const auto d = Develop(kBodies[4], 1, step);
        const testing::SpaceFrustum& f = d->model;
        const double sector = f.SectorAngle(), half = sector / 2;
        const int n = static_cast<int>(std::lround(180 / step));
        double upperMin = 1e300, lowerMax = -1e300;
        for (int i = 0; i <= n; ++i) {
            const double t = i * step * kDeg, phi = half - t * sector / (2 * kPi);
            upperMin = std::min(upperMin, f.SlantTo(f.upper, t) * std::cos(phi));
            lowerMax = std::max(lowerMax, f.SlantTo(f.lower, t) * std::cos(phi));
        }
        const double r0 = f.SlantTo(f.upper, 0), R0 = f.SlantTo(f.lower, 0);
        const double xExt = std::sin(half) * R0;
        const int W = 300, H = 250;
        const struct { std::int16_t part; double cx, a; bool left, right; } parts[] = {
            {0, W / 2.0, W / 2.0 - 1, true, true}, {1, W - 1.0, W - 1.0, true, false}, {2, 0, W - 1.0, false, true}};
        for (const auto& p : parts) {
            SCOPED_TRACE(::testing::Message() << "step " << step << " developmentPart " << p.part);
            RecordingCanvas pic(W, H);
            ASSERT_TRUE(DrawConeSheetDevelopment(pic, {W, H, 2970, 297, p.part}, *d->results, step));
            const double T = -upperMin * 10;  // 10 sheet units a unit of length
            // Sheet point to (distance from the apex, angle from the axis, side).
            struct Polar { double rho, psi; int side; };
            auto polar = [&](double x, double y) {
                const double X = (x - p.cx) * xExt / p.a, Y = (y - T) * lowerMax / (H - T - 1);
                return Polar{std::hypot(X, Y), std::atan2(std::fabs(X), Y), X < -1e-6 ? -1 : X > 1e-6 ? 1 : 0};
            };
            auto onEdge = [&](const Polar& q) {
                const double t = (half - q.psi) * 2 * kPi / sector;
                return q.psi <= half + 1e-6 && (p.left || q.side >= 0) && (p.right || q.side <= 0) &&
                       (std::fabs(q.rho - f.SlantTo(f.upper, t)) < 2e-5 * q.rho ||
                        std::fabs(q.rho - f.SlantTo(f.lower, t)) < 2e-5 * q.rho);
            };
            int edgeLines = 0, middle = 0;
            std::vector<int> seams;
            for (const auto& l : pic.lines) {
                if (l.style == DrawDashDot) {
                    middle += l.x1 == p.cx && l.x2 == p.cx && l.y1 == 0 && l.y2 == H;
                    continue;
                }
                const Polar a = polar(l.x1, l.y1), b = polar(l.x2, l.y2);
                EXPECT_TRUE(onEdge(a) && onEdge(b)) << "(" << l.x1 << ", " << l.y1 << ") - (" << l.x2 << ", " << l.y2 << ")";
                if (std::fabs(a.rho - r0) < 1e-4 * r0 && std::fabs(b.rho - R0) < 1e-4 * R0) {
                    EXPECT_NEAR(a.psi, half, 1e-5);
                    EXPECT_NEAR(b.psi, half, 1e-5);
                    seams.push_back(a.side);
                } else {
                    ++edgeLines;
                }
            }
            EXPECT_EQ(middle, 1);
            EXPECT_EQ(edgeLines, 2 * static_cast<int>(180 / std::max(1.0f, step)) * (p.left + p.right));
            std::vector<int> wanted;
            if (p.left) wanted.push_back(-1);
            if (p.right) wanted.push_back(1);
            EXPECT_EQ(seams, wanted);
        }
    }
}

struct Sketched { std::unique_ptr<Developed> d; std::unique_ptr<RecordingCanvas> pic; ConeSketch sketch; };

Sketched Sketch(const Body& b, std::int16_t side = 1, int width = 700, int height = 600) {
    Sketched s{Develop(b, side), std::make_unique<RecordingCanvas>(width, height), {}};
    ConeSketchInput in;
    in.Inputs = ConeInputsOf(s.d->data);
    in.FrustumHeight1 = s.d->results->FrustumHeight1;
    in.Fill = kFill;
    ComputeEnclosingDiameters(b.shape, in.Inputs, in.FrustumHeight1, s.d->cutRise, in.EnclosingUpperDiameter,
                              in.EnclosingLowerDiameter);
    s.sketch = DrawConeSketch(*s.pic, in, *s.d->results, s.d->context);
    return s;
}

TEST(ConeSketchDrawing, OutlineCutsHeightFillAndBoxesAreTrue) {
    SetTexts();
    for (const Body& b : kBodies) {
        SCOPED_TRACE(::testing::Message() << "shape " << b.shape << " D1 " << b.D1);
        const Sketched s = Sketch(b);
        ASSERT_TRUE(s.sketch.Drawn);
        const ConeSketchFrame& f = s.sketch.Frame;
        const Lines outline = Yellow(*s.pic);
        ASSERT_EQ(outline.size(), 4u);
        // One scale both ways: the axis length against the enclosing height,
        // and the upper cut line at the typed angle.
        const double scale = (f.bottom - f.top) / s.d->model.Height1();
        EXPECT_NEAR(f.yBottom - f.yTop, scale * b.H, 0.02 + 1e-4 * scale * b.H);
        if (b.shape == ShapeCoTaSup || b.shape >= ShapeCoConcordi) {
            const auto& cut = outline[0];  // from the left side to the top right corner
            EXPECT_NEAR(std::atan2(cut.py1 - f.top, f.cx + f.b - cut.px1) / kDeg, b.upper, 0.01);
        }
        ASSERT_EQ(s.pic->fills.size(), 1u);
        EXPECT_TRUE(Inside(outline, s.pic->fills[0].px, s.pic->fills[0].py));

        // The boxes in the order placed, with the typed values (angles as magnitudes).
        const std::vector<int> order = b.shape == ShapeCoRe      ? std::vector<int>{0, 1, 2}
                                       : b.shape == ShapeCoTaSup ? std::vector<int>{0, 2, 1, 3}
                                       : b.shape == ShapeCoTaInf ? std::vector<int>{1, 2, 0, 3}
                                                                 : std::vector<int>{0, 1, 2, 4, 3};
        ASSERT_EQ(s.sketch.Boxes.size(), order.size());
        const float values[] = {b.D1, b.D2, b.H, b.shape == ShapeCoTaInf ? b.lower : b.upper, b.lower};
        for (std::size_t i = 0; i < order.size(); ++i) {
            const IndexedValueBox& box = s.sketch.Boxes[i];
            EXPECT_EQ(box.Index, order[i]);
            EXPECT_EQ(box.Place.Value, values[box.Index]) << "box " << box.Index;
            EXPECT_EQ(box.Place.Angle, box.Index >= 3);
        }
    }
    // Short and cut steeply at both ends, the body sits high in its enclosing
    // frustum: the picture's centre is outside it, the fill still starts inside.
    const Sketched s = Sketch(kShortSteep);
    const ConeSketchFrame& f = s.sketch.Frame;
    EXPECT_FALSE(Inside(Yellow(*s.pic), f.cx, f.cy));
    ASSERT_EQ(s.pic->fills.size(), 1u);
    EXPECT_TRUE(s.pic->fills[0].py > f.yTop && s.pic->fills[0].py < f.yBottom);

    for (auto [w, h] : {std::pair{220, 600}, std::pair{700, 120}}) {
        const Sketched small = Sketch(kBodies[4], 1, w, h);
        EXPECT_FALSE(small.sketch.Drawn) << w << "x" << h;
        EXPECT_TRUE(small.pic->lines.empty() && small.pic->fills.empty() && small.sketch.Boxes.empty());
    }
}

// The side labels of the sketch: the one of side 1 left of its side line
// (40 px left of the side's lower end when the side is long, else centred
// 70 px out), the one of side 2 right of its side, both at the side's middle.
TEST(ConeSketchDrawing, SideLabelsBesideTheirSides) {
    SetTexts();
    const auto d = Develop(kBodies[3]);
    const struct {
        int which;
        float xA, xB, yA, yB;  // the side from (xA, yA) to (xB, yB)
        double left, top;
    } cases[] = {
        {1, 100, 200, 400, 100, 60, 230},   // a long side (more than 70 px across)
        {1, 100, 140, 400, 100, 10, 230},   // a short one
        {1, 100, 171, 500, 300, 60, 380},
        {2, 500, 450, 400, 100, 485, 220},
        {2, 450, 500, 300, 500, 485, 370},
    };
    for (const auto& c : cases) {
        const PlacedLabel p = ShowConeResultLabel(c.which, c.xA, c.xB, c.yA, c.yB, *d->results, d->context);
        EXPECT_TRUE(p.Visible);
        EXPECT_EQ(std::pair(p.Left, p.Top), std::pair(c.left, c.top)) << c.which << " " << c.xA << "-" << c.xB;
        EXPECT_EQ(p.Caption, ConeResultLabelCaption(c.which, *d->results, d->context));
        EXPECT_EQ(p.ForeColor, kYellow);
    }
}

// The sheet drawing's halves are the whole drawing's halves at the same
// scale: the left half ends on its picture's last column, the right half
// starts on its first; no line moves by a column.
TEST(ConeSheetDrawing, HalvesAreTheWholeDrawingsHalves) {
    for (const Body& b : {kBodies[0], kBodies[3], kBodies[8]}) {
        SCOPED_TRACE(::testing::Message() << "shape " << b.shape);
        const auto d = Develop(b);
        const int W = 800, H = 560;
        auto draw = [&](int width, std::int16_t part) {
            RecordingCanvas pic(width, H);
            ConeSheetLayout layout;
            layout.Width = width;
            layout.Height = H;
            layout.SheetScaleHeight = 2000;
            layout.PageHeight = 297;
            layout.DevelopmentPart = part;
            EXPECT_TRUE(DrawConeSheetDevelopment(pic, layout, *d->results, 1));
            return pic.lines;
        };
        const Lines whole = draw(W, 0);
        std::vector<int> matched(whole.size(), 0);
        // Left half: its centre at W/2 - 1, the whole's at W/2; right half: centre 0.
        for (const auto& [part, dx] : {std::pair<std::int16_t, double>{1, 1}, {2, W / 2.0}}) {
            int middle = 0;
            for (const auto& l : draw(W / 2, part)) {
                bool found = false;
                for (std::size_t i = 0; i < whole.size() && !found; ++i) {
                    const auto& w = whole[i];
                    found = w.style == l.style && std::fabs(w.x1 - (l.x1 + dx)) < 1e-3 && std::fabs(w.x2 - (l.x2 + dx)) < 1e-3 &&
                            std::fabs(w.y1 - l.y1) < 1e-3 && std::fabs(w.y2 - l.y2) < 1e-3;
                    if (found) ++matched[i];
                }
                EXPECT_TRUE(found) << "developmentPart " << part << " line " << l.x1 << "," << l.y1;
                middle += l.style == DrawDashDot && l.x1 + dx == W / 2.0;
            }
            EXPECT_EQ(middle, 1) << part;
        }
        EXPECT_EQ(std::count(matched.begin(), matched.end(), 0), 0) << "a half left lines out";
    }
}

// The picture is sized to the outline's extent (as the layout does): every
// solid line stays inside it and the outline touches all four sides, also
// for sectors past a half turn, whose seams rise above the apex and whose
// widest points lie on the edges.
TEST(ConeSheetDrawing, OutlineFillsItsPictureAtAnySectorAngle) {
    struct Case {
        float sector;
        double halfWidth, top, bottom;  // in lengths, y up from the apex
    };
    const Case cases[] = {
        {120, 100 * std::sin(kPi / 3), -50 * std::cos(kPi / 3), -100},
        {180, 100, 0, -100},
        {270, 100, 100 * std::sqrt(0.5), -100},
        {340, 100, 100 * std::cos(10 * kDeg), -100},
    };
    const double perLength = 4;  // sheet pixels a unit of length
    for (const Case& c : cases) {
        const ConeResults r = RingSector(c.sector);
        const int H = static_cast<int>(std::lround((c.top - c.bottom) * perLength)) + 1;
        for (std::int16_t part : {0, 1, 2}) {
            SCOPED_TRACE(::testing::Message() << c.sector << " degrees, developmentPart " << part);
            const int W = static_cast<int>(std::lround((part == 0 ? 2 : 1) * c.halfWidth * perLength)) + 1;
            RecordingCanvas pic(W, H);
            // The sheet's scale: the picture's rows for the outline's height.
            const double sheetScale = 297 * (H - 1) / (c.top - c.bottom);
            ConeSheetLayout layout{static_cast<double>(W), static_cast<double>(H), sheetScale, 297, part};
            ASSERT_TRUE(DrawConeSheetDevelopment(pic, layout, r, 1));
            double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
            for (const auto& l : pic.lines) {
                if (l.style == DrawDashDot) continue;
                x0 = std::min({x0, l.x1, l.x2});
                x1 = std::max({x1, l.x1, l.x2});
                y0 = std::min({y0, l.y1, l.y2});
                y1 = std::max({y1, l.y1, l.y2});
            }
            EXPECT_NEAR(y0, 0, 0.01);
            EXPECT_NEAR(y1, H - 1, 0.01);
            EXPECT_NEAR(x0, part == 0 ? 1 : 0, 0.01);
            EXPECT_NEAR(x1, W - 1, 0.01);
        }
    }
}

}  // namespace
}  // namespace velm
