// The five frustum windows driven as a user drives them: open, type, apply,
// develop, flip the weld side, modify, in millimetres and in inches; what
// they show checked against the body built in space.
#include "cones/windows/cone_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "cones/cone_compute.h"
#include "frame/language.h"
#include "frame/number_text.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_mdi.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/text_box.h"
#include "support/frustum_model.h"
#include "support/qt/app_fixture.h"

namespace velm {
namespace {

using testing::kDeg;
using testing::kPi;

struct Kind {
    std::int16_t code;
    TextSectionId title;
    int rows;
    bool upper, lower;
};
const Kind kRe{ShapeCoRe, LangFrmCoRe, 4, false, false}, kTaSup{ShapeCoTaSup, LangFrmCoTS, 5, true, false},
    kTaInf{ShapeCoTaInf, LangFrmCoTI, 5, false, true}, kCon{ShapeCoConcordi, LangFrmCoCon, 6, true, true},
    kDis{ShapeCoDiscordi, LangFrmCoDis, 6, true, true};
const Kind kKinds[] = {kRe, kTaSup, kTaInf, kCon, kDis};

// Typed by field: thickness, diameters, height, upper and lower cut (a magnitude).
using Typed = std::vector<std::string>;

double Number(const QString& caption) {
    const std::string s = caption.toStdString();
    const auto at = s.find_last_of("=:");
    return ReadNumber(at == std::string::npos ? s : s.substr(at + 1));
}

void Key(QWidget* w, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text), release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

void MoveOver(QWidget* w) {
    QMouseEvent e(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Clears the box and types the text key by key.
void TypeInto(TextBox* box, const std::string& text) {
    box->setFocus();
    box->selectAll();
    Key(box, Qt::Key_Backspace);
    for (char c : text) Key(box, c == '.' ? Qt::Key_Period : Qt::Key_0 + (c - '0'), QString(QChar(c)));
}

void Click(QPushButton* b) {
    ASSERT_TRUE(b->isVisible() && b->isEnabled()) << b->objectName().toStdString();
    b->click();
    QApplication::processEvents();
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

int Count(ConeWindow* w, Colour colour) {
    const ImageCanvas& c = w->PctDisegno->canvas();
    int n = 0;
    for (int y = 0; y < c.PixelHeight(); ++y)
        for (int x = 0; x < c.PixelWidth(); ++x) n += c.Point(x, y) == colour;
    return n;
}
bool CornersKeepTheBackground(ConeWindow* w) {
    const ImageCanvas& c = w->PctDisegno->canvas();
    const int r = c.PixelWidth() - 1, b = c.PixelHeight() - 1;
    return c.Point(0, 0) == ShapePictureBackColour && c.Point(r, 0) == ShapePictureBackColour &&
           c.Point(0, b) == ShapePictureBackColour && c.Point(r, b) == ShapePictureBackColour;
}

void ExpectValue(QLabel* label, const std::string& prefix, double value, double tolerance) {
    const std::string text = label->text().toStdString();
    EXPECT_TRUE(label->isVisible()) << text;
    EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
    EXPECT_NEAR(ReadNumber(text.substr(prefix.size())), value, tolerance) << text;
}

// The input view after an accepted apply: apex angle, side differences, the
// slant lengths and the filled sketch.
void ExpectInputView(ConeWindow* w, const Kind& k, const testing::SpaceFrustum& f, double half) {
    EXPECT_EQ(w->windowTitle().toStdString(), Txt(k.title, 1) + ": " + Txt(LangCommon, 11));
    EXPECT_TRUE(w->CmdSviluppa->isVisible() && w->CmdSviluppa->isEnabled());
    for (TextBox* box : w->TxtAnt) EXPECT_TRUE(box->isVisible());
    QLabel* apex = w->LblOutputDati.back();
    EXPECT_TRUE(apex->isVisible() && apex->text().endsWith(QChar(0xB0))) << apex->text().toStdString();
    EXPECT_NEAR(Number(apex->text()), f.ApexAngleDeg(), 0.0051);
    const double upper = std::fabs(f.SlantTo(f.upper, kPi) - f.SlantTo(f.upper, 0));
    const double lower = std::fabs(f.SlantTo(f.lower, 0) - f.SlantTo(f.lower, kPi));
    for (int i : {0, 1}) {
        if (k.code == ShapeCoRe) break;
        QLabel* l = w->LblDiffLato[static_cast<std::size_t>(i)];
        EXPECT_EQ(l->isVisible(), i == 0 ? k.upper : k.lower);
        if (!l->isVisible()) continue;
        ExpectValue(l, Txt(LangCommonFrmConi, 15 + i) + ": ", i == 0 ? upper : lower, half + 1e-4);
        EXPECT_EQ(l->x() + l->width(), w->width());
    }
    const double seam = f.SlantTo(f.lower, 0) - f.SlantTo(f.upper, 0);
    const double opposite = f.SlantTo(f.lower, kPi) - f.SlantTo(f.upper, kPi);
    const std::string seamText = Txt(LangCommon, 19) + ": ", oppositeText = Txt(LangCommonFrmConi, 12) + ": ";
    if (k.code == ShapeCoRe) {
        ExpectValue(w->LblDatiSviluppo[5], oppositeText, opposite, half + 1e-4 * seam);
    } else {
        ExpectValue(w->LblDatiSviluppo[5], seamText, seam, half + 1e-4 * seam);
        ExpectValue(w->LblDatiSviluppo[6], oppositeText, opposite, half + 1e-4 * seam);
    }
    EXPECT_GT(Count(w, State().ConeSketchFill), 500);
    EXPECT_TRUE(CornersKeepTheBackground(w));
}

// The result view after develop: the developed lengths and the sector's labels.
void ExpectResultView(ConeWindow* w, const Kind& k, const testing::SpaceFrustum& f, double half) {
    EXPECT_EQ(w->windowTitle().toStdString(), Txt(k.title, 1) + ": " + Txt(LangCommon, 12));
    EXPECT_TRUE(w->CmdModifica->isVisible() && w->CmdAnteprima->isVisible());
    EXPECT_FALSE(w->CmdAnteprima->isEnabled());  // until the sheet preview exists
    for (TextBox* box : w->TxtInputDati) EXPECT_FALSE(box->isVisible());
    for (TextBox* box : w->TxtAnt) EXPECT_FALSE(box->isVisible());
    for (QLabel* l : w->LblOutputDati) EXPECT_TRUE(l->isVisible());
    const double sector = f.SectorAngle(), outer = f.SlantTo(f.lower, 0), inner = f.SlantTo(f.upper, 0);
    ExpectValue(w->LblArco[0], Txt(LangCommonFrmConi, 13) + " = ", ArcLength(f, f.upper), half + 1e-4);
    ExpectValue(w->LblArco[1], Txt(LangCommonFrmConi, 14) + " = ", ArcLength(f, f.lower), half + 1e-4);
    for (QLabel* arc : w->LblArco) EXPECT_EQ(arc->x() + arc->width(), w->width());
    ExpectValue(w->LblDatiSviluppo[0], Txt(LangCommonFrmConi, 10) + " = ", sector / kDeg, 0.0051);
    ExpectValue(w->LblDatiSviluppo[1], "R2 = ", outer, half + 1e-5 * outer);
    ExpectValue(w->LblDatiSviluppo[2], "R1 = ", inner, half + 1e-5 * inner);
    ExpectValue(w->LblDatiSviluppo[3], "C1 = ", 2 * inner * std::sin(sector / 2), half + 1e-4);
    ExpectValue(w->LblDatiSviluppo[4], "C2 = ", 2 * outer * std::sin(sector / 2), half + 1e-4);
    EXPECT_GT(Count(w, State().ConeDevelopmentFill), 200);
    EXPECT_TRUE(CornersKeepTheBackground(w));
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
    static TextBox* Input(ConeWindow* w, int i) { return w->TxtInputDati.at(static_cast<std::size_t>(i)); }
    static void TypeAll(ConeWindow* w, const Kind& k, const Typed& t) {
        for (int i = 0; i < 4; ++i) TypeInto(Input(w, i), t[static_cast<std::size_t>(i)]);
        if (k.upper) TypeInto(Input(w, 4), t[4]);
        if (k.lower) TypeInto(Input(w, k.upper ? 5 : 4), t[5]);
    }
    std::string Status() const { return Mdi()->Status().toStdString(); }

    // Opens each window, types its body, applies and develops.
    void TypeApplyDevelop(double half, const std::vector<std::pair<Kind, Typed>>& cases) {
        const ConeArray defaults = State().Inputs.ConeData;
        for (const auto& [k, t] : cases) {
            SCOPED_TRACE(Txt(k.title, 1));
            State().Inputs.ConeData = defaults;  // what the last window left may not fit this kind
            ConeWindow* w = Open(k);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->LblUnMisura->text().toStdString(), Txt(LangCommon, half < 0.001 ? 10 : 9));
            TypeAll(w, k, t);
            Click(w->CmdApplica);
            const testing::SpaceFrustum f = Body(k, t);
            ExpectInputView(w, k, f, half);
            EXPECT_EQ(w->TxtAnt[2]->Text(), t[3]);  // the sketch's boxes show what was typed
            Click(w->CmdSviluppa);
            ExpectResultView(w, k, f, half);
            for (int row = 0; row < 4; ++row)
                EXPECT_EQ(w->LblOutputDati[static_cast<std::size_t>(row)]->text().toStdString(),
                          t[static_cast<std::size_t>(row)]);
            if (k.lower) {  // as stored: negative where the window stores it negated
                EXPECT_EQ(w->LblOutputDati[static_cast<std::size_t>(k.upper ? 5 : 4)]->text().toStdString(),
                          (k.code == ShapeCoDiscordi ? "-" : "") + t[5]);
            }
            Click(w->CmdModifica);  // back to the input view, applied again
            ExpectInputView(w, k, f, half);
            Click(w->CmdIndietro);
        }
    }
};

TEST_F(ConeWindowTest, DefaultsAndAwkwardBodiesInMillimetres) {
    ASSERT_TRUE(Start());
    for (const Kind& k : kKinds) {  // the first resize applied the defaults
        SCOPED_TRACE(Txt(k.title, 1));
        ConeWindow* w = Open(k);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(State().ShapeCode, k.code);
        EXPECT_EQ(w->TxtInputDati.size(), static_cast<std::size_t>(k.rows));
        EXPECT_EQ(w->TxtAnt.size(), static_cast<std::size_t>(k.rows - 1));
        EXPECT_EQ(w->CmdSaldatura != nullptr, k.code != ShapeCoRe);
        EXPECT_EQ(w->LblInputDati.back()->text().toStdString(), Txt(LangCommonFrmConi, 8) + ":");
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
                               {kCon, {"0.04", "4", "6.5", "7", "12.5", "8"}},
                               {kDis, {"0.1", "2.75", "5", "6.1", "30", "15"}}});
}

TEST_F(ConeWindowTest, RefusedApplyEmptiesTheWindowAndTheWeldSideOnlyFlips) {
    Seed("System", "ComputingSystem", "0");  // no thickness factor
    ASSERT_TRUE(Start());
    ConeWindow* w = Open(kCon);
    ASSERT_NE(w, nullptr);
    // A body that does not exist, then a zero height (refused before developing).
    TypeAll(w, kCon, {"1", "20", "150", "200", "70", "10"});
    dialogs.ExpectMessage(IdOk);
    Click(w->CmdApplica);
    TypeInto(Input(w, 3), "0");
    dialogs.ExpectMessage(IdOk);
    Click(w->CmdApplica);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 19));
    EXPECT_EQ(dialogs.messages[1].prompt, Txt(LangErrore, 7));
    EXPECT_TRUE(w->LblOutputDati.back()->text().isEmpty());
    EXPECT_FALSE(w->CmdSviluppa->isEnabled());
    for (TextBox* box : w->TxtAnt) EXPECT_FALSE(box->isVisible());
    for (QLabel* l : w->LblDatiSviluppo) EXPECT_FALSE(l->isVisible());
    for (QLabel* l : w->LblDiffLato) EXPECT_FALSE(l->isVisible());
    EXPECT_EQ(Count(w, State().ConeSketchFill), 0);
    EXPECT_EQ(State().DevelopmentValid, False16);
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

TEST_F(ConeWindowTest, WeldSideSwapsTheSideLabelsTextsNotTheirValues) {
    ASSERT_TRUE(Start());
    for (const Kind& k : {kTaSup, kTaInf, kCon, kDis}) {
        SCOPED_TRACE(Txt(k.title, 1));
        ConeWindow* w = Open(k);
        ASSERT_NE(w, nullptr);
        QLabel* one = w->LblDatiSviluppo[5];
        QLabel* two = w->LblDatiSviluppo[6];
        const QString seam = QString::fromStdString(Txt(LangCommon, 19));
        const QString opposite = QString::fromStdString(Txt(LangCommonFrmConi, 12));
        ASSERT_TRUE(one->text().startsWith(seam) && two->text().startsWith(opposite));
        const double v1 = Number(one->text()), v2 = Number(two->text());
        const QImage sketch = w->PctDisegno->canvas().Image();
        const auto tables = std::make_unique<ConeResults>(ConeDevelopment());

        Click(w->CmdSaldatura);  // input view: texts swap, values stay, no redraw
        EXPECT_EQ(State().Settings.LatoSaldatura, -1);
        EXPECT_TRUE(one->text().startsWith(opposite) && two->text().startsWith(seam));
        EXPECT_EQ(Number(one->text()), v1);
        EXPECT_EQ(Number(two->text()), v2);
        EXPECT_EQ(w->InputViewActive, True16);
        EXPECT_TRUE(w->PctDisegno->canvas().Image() == sketch);

        Click(w->CmdSviluppa);  // result view: redrawn; flipping twice restores the tables
        const QImage flipped = w->PctDisegno->canvas().Image();
        Click(w->CmdSaldatura);
        EXPECT_EQ(State().Settings.LatoSaldatura, 1);
        EXPECT_EQ(ConeDevelopment().ConeUpperRadii, tables->ConeUpperRadii);
        EXPECT_EQ(ConeDevelopment().ConeLowerRadii, tables->ConeLowerRadii);
        EXPECT_FALSE(w->PctDisegno->canvas().Image() == flipped);
        EXPECT_TRUE(w->LblDatiSviluppo[0]->isVisible());
        Click(w->CmdIndietro);
    }
}

TEST_F(ConeWindowTest, LowerAngleAndMirroredBoxes) {
    ASSERT_TRUE(Start());
    ConeWindow* dis = Open(kDis);
    ASSERT_NE(dis, nullptr);
    TypeInto(Input(dis, 5), "12.5");
    EXPECT_EQ(dis->TxtAnt[4]->Text(), "12.5");  // the column's edit reaches the sketch
    TypeInto(dis->TxtAnt[0], "24");             // and the other way round
    EXPECT_EQ(Input(dis, 1)->Text(), "24");
    EXPECT_EQ(dis->InputsChanged, True16);
    EXPECT_TRUE(dis->LblSegno->isVisible());
    Click(dis->CmdSviluppa);  // applies the edits first
    EXPECT_EQ(State().Inputs.ConeData[6], -12.5f);
    EXPECT_FLOAT_EQ(State().Inputs.ConeData[8], static_cast<float>(-12.5 * kDeg));
    EXPECT_EQ(dis->LblOutputDati[1]->text().toStdString(), "24");
    EXPECT_EQ(dis->LblOutputDati[5]->text().toStdString(), "-12.5");
    EXPECT_FALSE(dis->LblSegno->isVisible());

    // The other windows show the magnitude and store it as typed.
    ConeWindow* inf = Open(kTaInf);
    ASSERT_NE(inf, nullptr);
    EXPECT_EQ(Input(inf, 4)->Text(), "12.5");
    EXPECT_EQ(State().Inputs.ConeData[6], 12.5f);

    // An edit refused on develop keeps the input view.
    TypeInto(inf->TxtAnt[2], "0");
    dialogs.ExpectMessage(IdOk);
    Click(inf->CmdSviluppa);
    EXPECT_EQ(inf->InputViewActive, True16);
    EXPECT_EQ(dialogs.messages.back().prompt, Txt(LangErrore, 7));
}

TEST_F(ConeWindowTest, StatusLineHints) {
    ASSERT_TRUE(Start());
    ConeWindow* inf = Open(kTaInf);
    ASSERT_NE(inf, nullptr);
    const std::string angles = " (0\u00B0 - 80\u00B0)";
    const std::vector<std::pair<QWidget*, std::string>> hints{
        {inf->CmdApplica, Txt(LangHelp, 1)},        {inf->CmdSviluppa, Txt(LangHelp, 2)},
        {inf->CmdSaldatura, Txt(LangHelp, 41)},     {inf->LblDiffLato[1], Txt(LangHelp, 40)},
        {inf->LblDatiSviluppo[3], Txt(LangFrmCoRe, 7) + angles},  // the lower cut in this window
        {inf->TxtAnt[3], Txt(LangFrmCoRe, 7) + angles},
        {inf->LblDatiSviluppo[2], Txt(LangFrmCoRe, 5) + " (0 - 1000)"},
        {inf->LblDatiSviluppo[5], "before"},  // the side labels and the apex row name no field
        {inf->LblInputDati[5], "before"},   {inf->PctDisegno, ""}, {inf, ""},
    };
    for (const auto& [control, text] : hints) {
        SetStatusText("before");
        MoveOver(control);
        EXPECT_EQ(Status(), text) << control->objectName().toStdString();
    }
    ConeWindow* sup = Open(kTaSup);
    ASSERT_NE(sup, nullptr);
    MoveOver(sup->TxtAnt[3]);
    EXPECT_EQ(Status(), Txt(LangFrmCoRe, 6) + angles);
    Click(sup->CmdSviluppa);
    MoveOver(sup->LblArco[0]);
    EXPECT_EQ(Status(), Txt(LangHelp, 37));
    MoveOver(sup->LblInputDati[1]);  // no field hints in the result view
    EXPECT_EQ(Status(), Txt(LangHelp, 37));
}

}  // namespace
}  // namespace velm
