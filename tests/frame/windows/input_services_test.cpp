// The input boxes' services on a stand-in shape window: mirroring, key and
// paste acceptance, leave checks, and the sketch's value boxes.
#include "frame/windows/input_services.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <cmath>
#include <memory>
#include <numeric>
#include <vector>

#include "frame/windows/window_test_actions.h"
#include "support/counting_look.h"

namespace velm {
namespace {

using namespace wt;

bool Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    QElapsedTimer timer;
    timer.start();
    while (!window->isActiveWindow() && timer.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return window->isActiveWindow();
}

// The input column and the sketch boxes, with the handlers a cylinder
// window wires to them.
class InputWindow : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 6; ++i) {
            auto* box = new TextBox(window_.get());
            box->setObjectName(QStringLiteral("TxtInputDati(%1)").arg(i));
            box->OnChange = [this, i] {
                ++inputChanges_[i];
                CopyInputToAnt(window_.get(), i, mirror_, changed_);
            };
            box->OnKeyDown = [box, i](int& code, int shift) { FilterCylinderKeyDown(*box, i, code, shift); };
            box->OnKeyPress = [box, i](int& key) { FilterCylinderKeyPress(*box, i, key); };
            box->OnLostFocus = [box, i] { CheckCylinderFieldRange(*box, i); };
            input_.push_back(box);
        }
        for (int k = 0; k < 5; ++k) {
            auto* box = new TextBox(window_.get());
            box->setObjectName(QStringLiteral("TxtAnt(%1)").arg(k));
            box->OnChange = [this, k] {
                ++antChanges_[k];
                CopyAntToInput(window_.get(), k, mirror_);
            };
            ant_.push_back(box);
        }
    }
    void TearDown() override {
        window_.reset();
        State().Settings = savedSettings_;
        State().Limits = savedLimits_;
    }
    void ShowAndFocus(TextBox* box, const char* text) {
        ASSERT_TRUE(Activate(window_.get()));
        box->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(box->hasFocus());
        box->SetText(text);
        ResetCounts();
    }
    void ResetCounts() {
        for (int& c : inputChanges_) c = 0;
        for (int& c : antChanges_) c = 0;
        changed_ = False16;
    }

    const SettingsCache savedSettings_ = State().Settings;
    const InputLimits savedLimits_ = State().Limits;
    std::unique_ptr<QWidget> window_ = std::make_unique<QWidget>();
    std::vector<TextBox*> input_, ant_;
    int inputChanges_[6] = {}, antChanges_[5] = {};
    Bool16 mirror_ = True16, changed_ = False16;
    ScopedCountingLook look_;
};

// Each edit reaches the other box once, never echoes back, and marks the
// inputs changed; the thickness has no sketch box.
TEST_F(InputWindow, MirroringRunsOnceWithoutEcho) {
    const struct {
        const char* what;
        std::int16_t unit;
        bool mirror, fromSketch;
        int box;
        const char* text;
        int other;  // -1: no box mirrors it
        const char* otherText;
    } cases[] = {
        {"sketch to column", 0, true, true, 1, "25.456", 2, "25.46"},
        {"column to sketch, four decimals in inches", 1, true, false, 3, "45.123456", 2, "45.1235"},
        {"thickness", 0, true, false, 0, "1.5", -1, ""},
        {"mirroring off, sketch", 0, false, true, 0, "40", 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        State().Settings.MeasuringSystem = c.unit;
        mirror_ = c.mirror ? True16 : False16;
        ResetCounts();
        (c.fromSketch ? ant_ : input_)[c.box]->SetText(c.text);
        EXPECT_EQ((c.fromSketch ? ant_ : input_)[c.box]->Text(), c.text);
        const int* counts = c.fromSketch ? inputChanges_ : antChanges_;
        EXPECT_EQ(std::accumulate(counts, counts + (c.fromSketch ? 6 : 5), 0), c.mirror && c.other >= 0 ? 1 : 0);
        if (c.other >= 0) { EXPECT_EQ((c.fromSketch ? input_ : ant_)[c.other]->Text(), c.otherText); }
        EXPECT_EQ(changed_, c.fromSketch && !c.mirror ? False16 : True16);
        EXPECT_EQ(mirror_, c.mirror ? True16 : False16);
    }
}

TEST_F(InputWindow, TypedKeysPassTheFieldFilter) {
    ShowAndFocus(input_[0], "");
    Keys(input_[0], "2.555");  // thickness: the third decimal is dropped
    EXPECT_EQ(input_[0]->Text(), "2.55");
    EXPECT_EQ(look_.look.beeps, 1);
    Key(input_[0], Qt::Key_Home);
    Key(input_[0], Qt::Key_Right);
    Key(input_[0], Qt::Key_Delete);  // would leave 255
    EXPECT_EQ(input_[0]->Text(), "2.55");
    EXPECT_EQ(look_.look.beeps, 2);
}

// Pasted and undone text pass the same acceptance as typed text.
TEST_F(InputWindow, PastedOrUndoneTextPassesTheSameFilterAsTypedText) {
    ShowAndFocus(input_[1], "12");
    for (auto [at, pasted, result] : {std::tuple{2, "x5", "12"}, {2, "5.5", "125.5"}, {0, "9", "125.5"}}) {  // 9125.5 > 300
        QApplication::clipboard()->setText(pasted);
        input_[1]->SetSelStart(at);
        input_[1]->paste();
        EXPECT_EQ(input_[1]->Text(), result) << pasted;
    }
    EXPECT_EQ(look_.look.beeps, 2);
    EXPECT_EQ(ant_[0]->Text(), "125.5");
    input_[1]->selectAll();
    Keys(input_[1], "1");
    State().Limits.DiameterLimit.Max = 100;  // 125.5 no longer fits
    input_[1]->undo();
    EXPECT_EQ(input_[1]->Text(), "1");
    EXPECT_EQ(look_.look.beeps, 3);
}

TEST_F(InputWindow, ValueBoxesShowTheValueAndRunChangeEvenWhenUnchanged) {
    State().Settings.MeasuringSystem = 1;
    PlaceLengthValueBox(*ant_[0], 40.5f, 61.5f, 1.1417f);
    EXPECT_EQ(ant_[0]->pos(), QPoint(40, 62));  // halves to even
    input_[1]->SetText("3");  // the input column differs from the sketch box now
    PlaceLengthValueBox(*ant_[0], 40, 60, 1.1417f);
    EXPECT_EQ(input_[1]->Text(), "1.1417");
}

// Wide enough for the unit's usual values, or a longer value, with the cursor
// and margins of 2 a side, in the font of the box's own window.
TEST_F(InputWindow, ValueBoxesMeasureWithTheirOwnWindowsFont) {
    QFont big = window_->font(), small = big;
    big.setPointSize(30);
    window_->setFont(big);
    QWidget other;  // another window with a small font shown in front
    small.setPointSize(6);
    other.setFont(small);
    other.show();
    other.activateWindow();
    const QFontMetricsF metrics(big);
    const auto shown = [&](const char* text) { return int(std::ceil(metrics.horizontalAdvance(text))) + 5; };
    const std::tuple<std::int16_t, float, int> lengths[] = {
        {0, 12.5f, shown("00.00")}, {0, 12345.5f, shown("12345.5")}, {1, 0.8268f, shown("00.0000")}};
    for (auto [unit, value, width] : lengths) {
        State().Settings.MeasuringSystem = unit;
        PlaceLengthValueBox(*ant_[0], 0, 0, value);
        EXPECT_EQ(ant_[0]->size(), QSize(width, qRound(metrics.height()))) << value;
    }
}

// An angle's box shows the value on its dimension, its white caption beside
// it, kept inside the picture.
TEST_F(InputWindow, AngleBoxAndCaptionKeepInsideThePicture) {
    QWidget picture(window_.get());
    picture.resize(300, 200);
    QLabel label("Angle:", &picture);
    label.adjustSize();
    label.hide();
    ant_[2]->setParent(&picture);
    const std::tuple<float, float, QPoint, QPoint> cases[] = {
        {100, 50, {0, 50}, {43, 50}},  // its left end would be cut off
        {150, 195, {38, 200 - label.height()}, {93, 195}}};
    for (const auto& [x, y, labelAt, boxAt] : cases) {
        PlaceAngleValueBox(*ant_[2], label, 45, x, y);
        EXPECT_EQ(std::pair(label.pos(), ant_[2]->pos()), std::pair(labelAt, boxAt)) << x << "," << y;
    }
    EXPECT_EQ(input_[3]->Text(), "45");
    EXPECT_TRUE(label.isVisibleTo(&picture));
}

}  // namespace
}  // namespace velm
