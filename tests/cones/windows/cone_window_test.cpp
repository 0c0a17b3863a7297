// The five frustum windows driven as a user drives them: open, type, apply,
// develop, flip the weld side, in millimetres and in inches. The values shown
// were checked against the body built in space (see the cone computation's
// tests); here they are pinned as the user reads them.
#include "cones/windows/cone_window.h"

#include <memory>
#include <vector>

#include "cones/cone_compute.h"
#include "core/number_text.h"
#include "frame/windows/window_test_actions.h"

namespace velm {
namespace {

using namespace wt;

struct Kind {
    std::int16_t code;
    bool upper, lower;
};
const Kind kRe{ShapeCoRe, false, false}, kTaSup{ShapeCoTaSup, true, false}, kTaInf{ShapeCoTaInf, false, true},
    kCon{ShapeCoConcordi, true, true}, kDis{ShapeCoDiscordi, true, true};

// Typed by field: thickness, diameters, height, upper and lower cut (a magnitude).
using Typed = std::vector<std::string>;

// The value part of a caption such as "R2 = 298.26"; empty when hidden.
std::string Value(QLabel* l) {
    if (!l->isVisible()) return "";
    const std::string s = S(l->text());
    const std::size_t at = s.find_last_of("=:");
    return at == std::string::npos ? s : s.substr(at + 2);
}
double Number(const QString& caption) {
    const std::string s = S(caption);
    return ReadNumber(s.substr(s.find_last_of("=:") + 1));
}

struct Shown {
    Kind k;
    Typed typed;
    // Input view: apex angle, side differences, weld seam and opposite side lengths.
    std::vector<std::string> input;
    // Result view: sector angle, R2, R1, C1, C2, upper and lower edge lengths.
    std::vector<std::string> result;
};

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
    // Opens each window, types its body, applies and develops.
    void TypeApplyDevelop(const std::vector<Shown>& cases) {
        const ConeArray defaults = State().Inputs.ConeData;
        for (const Shown& c : cases) {
            SCOPED_TRACE(c.k.code);
            State().Inputs.ConeData = defaults;  // what the last window left may not fit this kind
            ConeWindow* w = Open(c.k);
            ASSERT_NE(w, nullptr);
            TypeAll(w, c.k, c.typed);
            Click(w->CmdApplica);
            const bool re = c.k.code == ShapeCoRe;
            EXPECT_EQ((std::vector<std::string>{Value(w->LblOutputDati.back()), re ? "" : Value(w->LblDiffLato[0]),
                                                re ? "" : Value(w->LblDiffLato[1]), re ? "" : Value(w->LblDatiSviluppo[5]),
                                                Value(w->LblDatiSviluppo[re ? 5 : 6])}),
                      c.input);
            EXPECT_GT(CountColour(w->PctDisegno->canvas(), State().ConeSketchFill), 500);
            EXPECT_TRUE(CornersClear(w->PctDisegno->canvas())) << "sketch fill leaked";
            Click(w->CmdSviluppa);
            std::vector<std::string> result;
            for (int i = 0; i < 5; ++i) result.push_back(Value(w->LblDatiSviluppo[i]));
            for (QLabel* l : w->LblArco) result.push_back(Value(l));
            EXPECT_EQ(result, c.result);
            if (c.k.lower) {  // as stored: negative where the window stores it negated
                EXPECT_EQ(S(w->LblOutputDati[c.k.upper ? 5 : 4]->text()), (c.k.code == ShapeCoDiscordi ? "-" : "") + c.typed[5]);
            }
            EXPECT_GT(CountColour(w->PctDisegno->canvas(), State().ConeDevelopmentFill), 200);
            EXPECT_TRUE(CornersClear(w->PctDisegno->canvas())) << "development fill leaked";
            Click(w->CmdIndietro);
        }
    }
};

TEST_F(ConeWindowTest, AwkwardBodiesInMillimetres) {
    ASSERT_TRUE(Start());
    TypeApplyDevelop({
        {kRe, {"1", "100", "290", "170", "", ""}, {"58.39\u00B0", "", "", "", "194.74"},
         {"175.62\u00B0", "298.26", "103.52", "206.89", "596.09", "317.3", "914.2"}},
        {kTaSup, {"2", "40", "90", "600", "45", ""}, {"5.95\u00B0", "29.74", "", "585.17", "614.91"},
         {"18.69\u00B0", "886.07", "300.9", "97.72", "287.75", "113.4", "289.03"}},
        {kTaInf, {"1", "100", "150", "40", "", "20"}, {"49.52\u00B0", "", "56.87", "77.26", "20.39"},
         {"150.77\u00B0", "197.84", "120.58", "233.36", "382.88", "317.3", "457.08"}},
        {kCon, {"1", "100", "150", "40", "40", "40"}, {"45.51\u00B0", "70.4", "105.25", "66.94", "32.08"},
         {"139.25\u00B0", "202.15", "135.21", "253.51", "379", "274.26", "410.03"}},
        {kDis, {"1", "20", "150", "40", "60", "60"}, {"44.35\u00B0", "19.64", "141.21", "5.68", "166.53"},
         {"135.88\u00B0", "29.41", "23.73", "43.98", "54.51", "47.25", "339.72"}},
    });
}

TEST_F(ConeWindowTest, BodyInInches) {
    Seed("System", "MeasuringSystem", "1");
    ASSERT_TRUE(Start());
    TypeApplyDevelop({{kDis, {"0.1", "2.75", "5", "6.1", "30", "15"}, {"22.96\u00B0", "1.4541", "1.3469", "4.7754", "7.5764"},
                       {"71.64\u00B0", "11.7038", "6.9284", "8.1097", "13.6993", "8.3388", "15.739"}}});
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
    EXPECT_FALSE(w->CmdSviluppa->isEnabled() || w->TxtAnt[0]->isVisible() || w->LblDiffLato[0]->isVisible());
    EXPECT_EQ(CountColour(w->PctDisegno->canvas(), State().ConeSketchFill), 0);
    w->CmdSviluppa_Click();  // does nothing until an apply is accepted
    EXPECT_EQ(w->InputViewActive, True16);

    const auto before = std::make_unique<ConeResults>(State().ConeDevelopment.Results);
    const ConeInputs lastBefore = State().LastConeInputs;
    Click(w->CmdSaldatura);
    EXPECT_EQ(State().Settings.LatoSaldatura, -1);
    EXPECT_EQ(State().LastConeInputs, lastBefore);  // nothing developed from the refused inputs
    EXPECT_EQ(State().ConeDevelopment.Results.ConeUpperRadii, before->ConeUpperRadii);
}

// In the input view the side labels swap texts, keep their values and the sketch.
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
    Click(w->CmdSaldatura);
    EXPECT_EQ(State().Settings.LatoSaldatura, -1);
    EXPECT_TRUE(one->text().startsWith(opposite) && two->text().startsWith(seam));
    EXPECT_EQ(std::pair(Number(one->text()), Number(two->text())), std::pair(v1, v2));
    EXPECT_TRUE(w->PctDisegno->canvas().Image() == sketch);
}

}  // namespace
}  // namespace velm
