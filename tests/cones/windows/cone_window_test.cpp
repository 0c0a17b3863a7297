// The five frustum windows driven as a user drives them: open, type, apply,
// develop, flip the weld side, modify, in millimetres and in inches; what
// they show checked against the body built in space.
#include "cones/windows/cone_window.h"

#include <cmath>
#include <memory>
#include <vector>

#include "cones/cone_compute.h"
#include "frame/number_text.h"
#include "frame/windows/window_test_actions.h"
#include "support/frustum_model.h"

namespace velm {
namespace {

using namespace wt;
using testing::kDeg;
using testing::kPi;

struct Kind {
    std::int16_t code;
    TextSectionId title;
    bool upper, lower;
};
const Kind kRe{ShapeCoRe, LangFrmCoRe, false, false}, kTaSup{ShapeCoTaSup, LangFrmCoTS, true, false},
    kTaInf{ShapeCoTaInf, LangFrmCoTI, false, true}, kCon{ShapeCoConcordi, LangFrmCoCon, true, true},
    kDis{ShapeCoDiscordi, LangFrmCoDis, true, true};

// Typed by field: thickness, diameters, height, upper and lower cut (a magnitude).
using Typed = std::vector<std::string>;

double Number(const QString& caption) {
    const std::string s = S(caption);
    return ReadNumber(s.substr(s.find_last_of("=:") + 1));
}

// The typed body in space: thickness on the mean fibre, side +1.
testing::SpaceFrustum Body(const Kind& k, const Typed& t) {
    const auto v = [&](int i) { return ReadNumber(t[static_cast<std::size_t>(i)]); };
    testing::SpaceFrustum f{};
    const double lower = (k.code == ShapeCoDiscordi ? -v(5) : v(5)) * kDeg;
    EXPECT_TRUE(testing::SolveFrustum(
        {v(1) + v(0), v(2) + v(0), v(3), k.upper ? v(4) * kDeg : 0.0, k.lower ? lower : 0.0, 1}, f));
    return f;
}

// Length of the polygon through the developed edge points, as the tables give it.
double ArcLength(const testing::SpaceFrustum& f, const testing::CutPlane& plane) {
    double length = 0, px = 0, py = 0;
    for (int i = 0; i <= 180; ++i) {
        const double r = f.SlantTo(plane, i * kDeg), phi = f.SectorAngle() * (i / 360.0 - 0.5);
        if (i > 0) length += 2 * std::hypot(r * std::sin(phi) - px, r * std::cos(phi) - py);
        px = r * std::sin(phi);
        py = r * std::cos(phi);
    }
    return length;
}

void ExpectValue(QLabel* label, const std::string& prefix, double value, double tolerance) {
    const std::string text = S(label->text());
    EXPECT_TRUE(label->isVisible()) << text;
    EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
    EXPECT_NEAR(ReadNumber(text.substr(prefix.size())), value, tolerance) << text;
}

// The input view after an accepted apply: apex angle, side differences, the
// slant lengths and the filled sketch. `half`: half the last shown decimal.
void ExpectInputView(ConeWindow* w, const Kind& k, const testing::SpaceFrustum& f, double half) {
    EXPECT_EQ(S(w->windowTitle()), Txt(k.title, 1) + ": " + Txt(LangCommon, 11));
    QLabel* apex = w->LblOutputDati.back();
    EXPECT_TRUE(apex->isVisible() && apex->text().endsWith(QChar(0xB0))) << S(apex->text());
    EXPECT_NEAR(Number(apex->text()), f.ApexAngleDeg(), 0.0051);
    const double upper = std::fabs(f.SlantTo(f.upper, kPi) - f.SlantTo(f.upper, 0));
    const double lower = std::fabs(f.SlantTo(f.lower, 0) - f.SlantTo(f.lower, kPi));
    for (int i = 0; i < 2 && k.code != ShapeCoRe; ++i) {
        QLabel* l = w->LblDiffLato[static_cast<std::size_t>(i)];
        EXPECT_EQ(l->isVisible(), i == 0 ? k.upper : k.lower);
        if (l->isVisible()) ExpectValue(l, Txt(LangCommonFrmConi, 15 + i) + ": ", i == 0 ? upper : lower, half + 1e-4);
    }
    const double seam = f.SlantTo(f.lower, 0) - f.SlantTo(f.upper, 0);
    const double opposite = f.SlantTo(f.lower, kPi) - f.SlantTo(f.upper, kPi);
    const std::string oppositeText = Txt(LangCommonFrmConi, 12) + ": ";
    if (k.code != ShapeCoRe) ExpectValue(w->LblDatiSviluppo[5], Txt(LangCommon, 19) + ": ", seam, half + 1e-4 * seam);
    ExpectValue(w->LblDatiSviluppo[k.code == ShapeCoRe ? 5 : 6], oppositeText, opposite, half + 1e-4 * seam);
    EXPECT_GT(CountColour(w->PctDisegno->canvas(), State().ConeSketchFill), 500);
    EXPECT_TRUE(CornersClear(w->PctDisegno->canvas())) << "sketch fill leaked";
}

// The result view after develop: the developed lengths and the sector's labels.
void ExpectResultView(ConeWindow* w, const Kind& k, const testing::SpaceFrustum& f, double half) {
    EXPECT_EQ(S(w->windowTitle()), Txt(k.title, 1) + ": " + Txt(LangCommon, 12));
    EXPECT_FALSE(w->CmdAnteprima->isEnabled());  // until the sheet preview exists
    EXPECT_FALSE(w->TxtInputDati[0]->isVisible() || w->TxtAnt[0]->isVisible());
    const double sector = f.SectorAngle(), outer = f.SlantTo(f.lower, 0), inner = f.SlantTo(f.upper, 0);
    ExpectValue(w->LblArco[0], Txt(LangCommonFrmConi, 13) + " = ", ArcLength(f, f.upper), half + 1e-4);
    ExpectValue(w->LblArco[1], Txt(LangCommonFrmConi, 14) + " = ", ArcLength(f, f.lower), half + 1e-4);
    ExpectValue(w->LblDatiSviluppo[0], Txt(LangCommonFrmConi, 10) + " = ", sector / kDeg, 0.0051);
    ExpectValue(w->LblDatiSviluppo[1], "R2 = ", outer, half + 1e-5 * outer);
    ExpectValue(w->LblDatiSviluppo[2], "R1 = ", inner, half + 1e-5 * inner);
    ExpectValue(w->LblDatiSviluppo[3], "C1 = ", 2 * inner * std::sin(sector / 2), half + 1e-4);
    ExpectValue(w->LblDatiSviluppo[4], "C2 = ", 2 * outer * std::sin(sector / 2), half + 1e-4);
    EXPECT_GT(CountColour(w->PctDisegno->canvas(), State().ConeDevelopmentFill), 200);
    EXPECT_TRUE(CornersClear(w->PctDisegno->canvas())) << "development fill leaked";
}

class ConeWindowTest : public AppFixture {
protected:
    ConeWindow* Open(const Kind& k) {
        OpenShapeForm(k.code, ActiveChild() ? ActiveChild() : StartPanel());
        QApplication::processEvents();
        auto* w = qobject_cast<ConeWindow*>(ConeWindow::Open(k.code));
        EXPECT_NE(w, nullptr);
        return w;
    }
    static void TypeAll(ConeWindow* w, const Kind& k, const Typed& t) {
        for (int i = 0; i < 4; ++i) Type(w->TxtInputDati[i], t[i]);
        if (k.upper) Type(w->TxtInputDati[4], t[4]);
        if (k.lower) Type(w->TxtInputDati[k.upper ? 5 : 4], t[5]);
    }

    // Opens each window, types its body, applies, develops and modifies.
    void TypeApplyDevelop(double half, const std::vector<std::pair<Kind, Typed>>& cases) {
        const ConeArray defaults = State().Inputs.ConeData;
        for (const auto& [k, t] : cases) {
            SCOPED_TRACE(Txt(k.title, 1));
            State().Inputs.ConeData = defaults;  // what the last window left may not fit this kind
            ConeWindow* w = Open(k);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(S(w->LblUnMisura->text()), Txt(LangCommon, half < 0.001 ? 10 : 9));
            TypeAll(w, k, t);
            Click(w->CmdApplica);
            const testing::SpaceFrustum f = Body(k, t);
            ExpectInputView(w, k, f, half);
            EXPECT_EQ(w->TxtAnt[2]->Text(), t[3]);  // the sketch's boxes show what was typed
            Click(w->CmdSviluppa);
            ExpectResultView(w, k, f, half);
            for (int row = 0; row < 4; ++row) EXPECT_EQ(S(w->LblOutputDati[row]->text()), t[row]);
            if (k.lower) {  // as stored: negative where the window stores it negated
                EXPECT_EQ(S(w->LblOutputDati[k.upper ? 5 : 4]->text()), (k.code == ShapeCoDiscordi ? "-" : "") + t[5]);
            }
            Click(w->CmdModifica);  // back to the input view, applied again
            ExpectInputView(w, k, f, half);
            Click(w->CmdIndietro);
        }
    }
};

TEST_F(ConeWindowTest, DefaultsAndAwkwardBodiesInMillimetres) {
    ASSERT_TRUE(Start());
    for (const Kind& k : {kRe, kTaSup, kTaInf, kCon, kDis}) {  // the first resize applied the defaults
        SCOPED_TRACE(Txt(k.title, 1));
        ConeWindow* w = Open(k);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(State().ShapeCode, k.code);
        EXPECT_EQ(w->TxtInputDati.size(), 4u + k.upper + k.lower);
        EXPECT_EQ(w->CmdSaldatura != nullptr, k.code != ShapeCoRe);
        ExpectInputView(w, k, Body(k, {"0.3", "21", "29", "35", "10", "10"}), 0.005);
    }
    TypeApplyDevelop(0.005, {{kRe, {"1", "100", "290", "170", "", ""}},
                             {kTaSup, {"2", "40", "90", "600", "45", ""}},
                             {kTaInf, {"1", "100", "150", "40", "", "20"}},
                             {kCon, {"1", "100", "150", "40", "40", "40"}},
                             {kDis, {"1", "20", "150", "40", "60", "60"}}});
}

TEST_F(ConeWindowTest, BodiesInInches) {
    Seed("System", "MeasuringSystem", "1");
    ASSERT_TRUE(Start());
    TypeApplyDevelop(0.00005, {{kRe, {"0.04", "4", "6.5", "7", "", ""}},
                               {kTaInf, {"0.05", "3", "4.25", "2", "", "17.5"}},
                               {kDis, {"0.1", "2.75", "5", "6.1", "30", "15"}}});
}

// A body that does not exist, then a zero height: their messages in order,
// an empty window, no develop; the weld side then only flips.
TEST_F(ConeWindowTest, RefusedApplyEmptiesTheWindowAndTheWeldSideOnlyFlips) {
    Seed("System", "ComputingSystem", "0");  // no thickness factor
    ASSERT_TRUE(Start());
    ConeWindow* w = Open(kCon);
    ASSERT_NE(w, nullptr);
    TypeAll(w, kCon, {"1", "20", "150", "200", "70", "10"});
    dialogs.ExpectMessage(IdOk);
    Click(w->CmdApplica);
    Type(w->TxtInputDati[3], "0");
    dialogs.ExpectMessage(IdOk);
    Click(w->CmdApplica);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 19));
    EXPECT_EQ(dialogs.messages[1].prompt, Txt(LangErrore, 7));
    EXPECT_TRUE(w->LblOutputDati.back()->text().isEmpty());
    EXPECT_FALSE(w->CmdSviluppa->isEnabled() || w->TxtAnt[0]->isVisible() || w->LblDatiSviluppo[0]->isVisible() ||
                 w->LblDiffLato[0]->isVisible());
    EXPECT_EQ(CountColour(w->PctDisegno->canvas(), State().ConeSketchFill), 0);
    w->CmdSviluppa_Click();  // does nothing until an apply is accepted
    EXPECT_EQ(w->InputViewActive, True16);

    const auto before = std::make_unique<ConeResults>(ConeDevelopment());
    const ConeArray lastBefore = State().LastConeData;
    Click(w->CmdSaldatura);
    EXPECT_EQ(State().Settings.LatoSaldatura, -1);
    EXPECT_EQ(State().LastConeData, lastBefore);  // nothing developed from the refused inputs
    EXPECT_EQ(ConeDevelopment().ConeUpperRadii, before->ConeUpperRadii);
    EXPECT_EQ(w->InputViewActive, True16);
}

// In the input view the side labels swap texts, keep their values and the
// sketch; in the result view the development is redrawn.
TEST_F(ConeWindowTest, WeldSideSwapsTheSideLabelsTextsNotTheirValues) {
    ASSERT_TRUE(Start());
    ConeWindow* w = Open(kDis);
    ASSERT_NE(w, nullptr);
    QLabel* one = w->LblDatiSviluppo[5];
    QLabel* two = w->LblDatiSviluppo[6];
    const QString seam = QString::fromStdString(Txt(LangCommon, 19));
    const QString opposite = QString::fromStdString(Txt(LangCommonFrmConi, 12));
    ASSERT_TRUE(one->text().startsWith(seam) && two->text().startsWith(opposite));
    const double v1 = Number(one->text()), v2 = Number(two->text());
    const QImage sketch = w->PctDisegno->canvas().Image();
    const auto tables = std::make_unique<ConeResults>(ConeDevelopment());

    Click(w->CmdSaldatura);
    EXPECT_EQ(State().Settings.LatoSaldatura, -1);
    EXPECT_TRUE(one->text().startsWith(opposite) && two->text().startsWith(seam));
    EXPECT_EQ(std::pair(Number(one->text()), Number(two->text())), std::pair(v1, v2));
    EXPECT_TRUE(w->PctDisegno->canvas().Image() == sketch);

    Click(w->CmdSviluppa);  // flipping twice restores the tables
    const QImage flipped = w->PctDisegno->canvas().Image();
    Click(w->CmdSaldatura);
    EXPECT_EQ(ConeDevelopment().ConeUpperRadii, tables->ConeUpperRadii);
    EXPECT_EQ(ConeDevelopment().ConeLowerRadii, tables->ConeLowerRadii);
    EXPECT_FALSE(w->PctDisegno->canvas().Image() == flipped);
}

// FrmCoDiscordi stores its lower angle negated; the other windows show and
// store the magnitude; an edit refused on develop keeps the input view.
TEST_F(ConeWindowTest, LowerAngleAndMirroredBoxes) {
    ASSERT_TRUE(Start());
    ConeWindow* dis = Open(kDis);
    ASSERT_NE(dis, nullptr);
    Type(dis->TxtInputDati[5], "12.5");
    EXPECT_EQ(dis->TxtAnt[4]->Text(), "12.5");
    EXPECT_TRUE(dis->LblSegno->isVisible());
    Click(dis->CmdSviluppa);  // applies the edits first
    EXPECT_EQ(State().Inputs.ConeData[6], -12.5f);
    EXPECT_FLOAT_EQ(State().Inputs.ConeData[8], static_cast<float>(-12.5 * kDeg));
    EXPECT_EQ(S(dis->LblOutputDati[5]->text()), "-12.5");

    ConeWindow* inf = Open(kTaInf);
    ASSERT_NE(inf, nullptr);
    EXPECT_EQ(inf->TxtInputDati[4]->Text(), "12.5");
    EXPECT_EQ(State().Inputs.ConeData[6], 12.5f);
    Type(inf->TxtAnt[2], "0");
    dialogs.ExpectMessage(IdOk);
    Click(inf->CmdSviluppa);
    EXPECT_EQ(inf->InputViewActive, True16);
    EXPECT_EQ(dialogs.messages.back().prompt, Txt(LangErrore, 7));
}

// The frustum cut at the bottom names its lower cut where the others name
// the upper; the side labels name no field; the result view gives no field hints.
TEST_F(ConeWindowTest, StatusLineHints) {
    ASSERT_TRUE(Start());
    ConeWindow* inf = Open(kTaInf);
    ASSERT_NE(inf, nullptr);
    for (const auto& [control, text] : {std::pair<QWidget*, std::string>{inf->TxtAnt[3], Txt(LangFrmCoRe, 7) + " (0\u00B0 - 80\u00B0)"},
                                        {inf->LblDatiSviluppo[2], Txt(LangFrmCoRe, 5) + " (0 - 1000)"},
                                        {inf->LblDatiSviluppo[5], "before"}}) {
        SetStatusText("before");
        MoveOver(control);
        EXPECT_EQ(Status(), text) << S(control->objectName());
    }
    Click(inf->CmdSviluppa);
    MoveOver(inf->LblArco[0]);
    MoveOver(inf->LblInputDati[1]);
    EXPECT_EQ(Status(), Txt(LangHelp, 37));
}

}  // namespace
}  // namespace velm
