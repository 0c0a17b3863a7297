#include "frame/windows/input_services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <vector>

#include "frame/working_state.h"
#include "platform/qt/text_box.h"
#include "support/counting_look.h"

namespace velm {
namespace {

// Keys and activation as the window system would deliver them.
void Click(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const char* chars) {
    for (const char* c = chars; *c; ++c) {
        int key = Qt::Key_unknown;
        if (*c >= '0' && *c <= '9') key = Qt::Key_0 + (*c - '0');
        else if (*c >= 'a' && *c <= 'z') key = Qt::Key_A + (*c - 'a');
        else if (*c == '.') key = Qt::Key_Period;
        else if (*c == '-') key = Qt::Key_Minus;
        Click(w, key, QString(QChar(*c)));
    }
}

bool Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    QElapsedTimer timer;
    timer.start();
    while (!window->isActiveWindow() && timer.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return window->isActiveWindow();
}

// A stand-in shape window: the input column, the sketch boxes and the
// handlers a cylinder window wires to them.
class InputWindow : public ::testing::Test {
protected:
    void SetUp() override {
        savedSettings_ = State().Settings;
        savedLimits_ = State().Limits;
        window_ = std::make_unique<QWidget>();
        window_->setObjectName("FrmTest");
        for (int i = 0; i < 6; ++i) {
            auto* box = new TextBox(window_.get());
            box->setObjectName(QStringLiteral("TxtInputDati(%1)").arg(i));
            box->move(0, 30 * i);
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
            box->move(200, 30 * k);
            box->OnChange = [this, k] {
                ++antChanges_[k];
                CopyAntToInput(window_.get(), k, mirror_);
            };
            ant_.push_back(box);
        }
        mirror_ = True16;
        changed_ = False16;
    }

    void TearDown() override {
        window_.reset();
        State().Settings = savedSettings_;
        State().Limits = savedLimits_;
    }

    void ShowAndFocus(TextBox* box) {
        ASSERT_TRUE(Activate(window_.get()));
        box->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(box->hasFocus());
    }

    void ResetCounts() {
        for (int& c : inputChanges_) c = 0;
        for (int& c : antChanges_) c = 0;
        changed_ = False16;
    }

    std::unique_ptr<QWidget> window_;
    std::vector<TextBox*> input_;
    std::vector<TextBox*> ant_;
    int inputChanges_[6] = {};
    int antChanges_[5] = {};
    Bool16 mirror_ = True16;
    Bool16 changed_ = False16;
    SettingsCache savedSettings_;
    InputLimits savedLimits_;
};

TEST_F(InputWindow, SketchBoxMirrorsIntoTheInputColumnOnce) {
    ant_[1]->SetText("25.456");
    EXPECT_EQ(input_[2]->Text(), "25.46");
    EXPECT_EQ(ant_[1]->Text(), "25.456");  // the echo did not come back
    EXPECT_EQ(antChanges_[1], 1);
    EXPECT_EQ(inputChanges_[2], 1);
    EXPECT_EQ(antChanges_[2], 0);
    EXPECT_EQ(changed_, True16);
    EXPECT_EQ(mirror_, True16);
}

TEST_F(InputWindow, InputColumnMirrorsIntoTheSketchBoxOnce) {
    State().Settings.MeasuringSystem = 1;
    input_[3]->SetText("45.123456");
    EXPECT_EQ(ant_[2]->Text(), "45.1235");  // every field as a length, four decimals in inches
    EXPECT_EQ(input_[3]->Text(), "45.123456");
    EXPECT_EQ(inputChanges_[3], 1);
    EXPECT_EQ(antChanges_[2], 1);
    EXPECT_EQ(changed_, True16);
    EXPECT_EQ(mirror_, True16);
}

TEST_F(InputWindow, ThicknessMarksAChangeButMirrorsNothing) {
    input_[0]->SetText("1.5");
    EXPECT_EQ(changed_, True16);
    for (int c : antChanges_) EXPECT_EQ(c, 0);
}

TEST_F(InputWindow, MirroringOffStillMarksInputsChanged) {
    mirror_ = False16;
    input_[1]->SetText("30");
    EXPECT_EQ(ant_[0]->Text(), "");
    EXPECT_EQ(changed_, True16);
    EXPECT_EQ(mirror_, False16);
    ant_[0]->SetText("40");
    EXPECT_EQ(input_[1]->Text(), "30");
}

TEST_F(InputWindow, ChangeRunsForCodeButNotForTheSameText) {
    input_[0]->SetText("12");
    input_[0]->SetText("12");
    EXPECT_EQ(inputChanges_[0], 1);
    input_[0]->SetText("");
    EXPECT_EQ(inputChanges_[0], 2);
    input_[0]->setText("7");  // through QLineEdit as well
    EXPECT_EQ(inputChanges_[0], 3);
    EXPECT_EQ(input_[0]->Text(), "7");
}

TEST_F(InputWindow, TypedKeysPassTheFieldFilter) {
    ScopedCountingLook look;
    ShowAndFocus(input_[0]);
    input_[0]->SetText("");
    ResetCounts();
    Type(input_[0], "2.555");  // thickness: the third decimal is dropped
    EXPECT_EQ(input_[0]->Text(), "2.55");
    EXPECT_EQ(look.look.beeps, 1);
    EXPECT_EQ(inputChanges_[0], 4);
    Click(input_[0], Qt::Key_Home);
    Click(input_[0], Qt::Key_Right);
    Click(input_[0], Qt::Key_Delete);  // would leave 255
    EXPECT_EQ(input_[0]->Text(), "2.55");
    EXPECT_EQ(look.look.beeps, 2);
    Click(input_[0], Qt::Key_Backspace);  // leaves .55
    EXPECT_EQ(input_[0]->Text(), ".55");
    EXPECT_EQ(look.look.beeps, 2);
}

TEST_F(InputWindow, KeyPressSetToZeroDropsTheKey) {
    TextBox box;
    int changes = 0;
    std::vector<int> seen;
    box.OnChange = [&] { ++changes; };
    box.OnKeyPress = [&](int& key) {
        seen.push_back(key);
        if (key == 'x') key = 0;
    };
    ASSERT_TRUE(Activate(&box));
    Type(&box, "axb");
    EXPECT_EQ(box.Text(), "ab");
    EXPECT_EQ(changes, 2);
    Click(&box, Qt::Key_Backspace);
    EXPECT_EQ(seen, (std::vector<int>{'a', 'x', 'b', 8}));
    EXPECT_EQ(box.Text(), "a");
}

TEST_F(InputWindow, KeyDownGetsClassicCodesAndMayCancel) {
    TextBox box;
    std::vector<std::pair<int, int>> seen;
    box.OnKeyDown = [&](int& code, int shift) {
        seen.push_back({code, shift});
        if (code == 46) code = 0;
    };
    ASSERT_TRUE(Activate(&box));
    box.SetText("123");
    box.SetSelStart(0);
    Click(&box, Qt::Key_Delete);
    EXPECT_EQ(box.Text(), "123");
    Click(&box, Qt::Key_A, "A", Qt::ShiftModifier);
    EXPECT_EQ(box.Text(), "A123");
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{46, 0}, {65, 1}}));
}

TEST_F(InputWindow, PastedTextPassesTheSameFilterAsTypedText) {
    ScopedCountingLook look;
    ShowAndFocus(input_[1]);
    input_[1]->SetText("12");
    ResetCounts();
    input_[1]->SetSelStart(2);

    QApplication::clipboard()->setText("x5");
    input_[1]->paste();
    EXPECT_EQ(input_[1]->Text(), "12");
    EXPECT_EQ(inputChanges_[1], 0);
    EXPECT_EQ(look.look.beeps, 1);

    QApplication::clipboard()->setText("5.5");  // 125.5 fits a diameter
    input_[1]->SetSelStart(2);
    input_[1]->paste();
    EXPECT_EQ(input_[1]->Text(), "125.5");
    EXPECT_EQ(inputChanges_[1], 1);
    EXPECT_EQ(ant_[0]->Text(), "125.5");

    QApplication::clipboard()->setText("9");  // 9125.5 is beyond 300
    input_[1]->SetSelStart(0);
    input_[1]->paste();
    EXPECT_EQ(input_[1]->Text(), "125.5");
    EXPECT_EQ(look.look.beeps, 2);

    input_[1]->selectAll();
    QApplication::clipboard()->setText("7");  // replacing the selection
    input_[1]->paste();
    EXPECT_EQ(input_[1]->Text(), "7");
    EXPECT_EQ(look.look.beeps, 2);
}

TEST_F(InputWindow, UndoneTextIsCheckedToo) {
    ScopedCountingLook look;
    ShowAndFocus(input_[1]);
    input_[1]->SetText("");
    Type(input_[1], "250");
    input_[1]->selectAll();
    Type(input_[1], "1");
    ASSERT_EQ(input_[1]->Text(), "1");
    State().Limits.DiameterLimit.Max = 100;  // 250 no longer fits
    input_[1]->undo();
    EXPECT_EQ(input_[1]->Text(), "1");
    EXPECT_EQ(look.look.beeps, 1);
    State().Limits.DiameterLimit.Max = 300;
    ResetCounts();
    input_[1]->selectAll();
    input_[1]->del();  // deleting everything leaves 0: taken as the Delete key
    EXPECT_EQ(input_[1]->Text(), "");
    EXPECT_EQ(inputChanges_[1], 1);
}

TEST_F(InputWindow, LeavingABoxBelowItsMinimumSetsTheMinimum) {
    ScopedCountingLook look;
    State().Limits.ThicknessLimit.Min = 0.5f;
    ShowAndFocus(input_[0]);
    input_[0]->SetText("0.2");
    input_[2]->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(input_[0]->Text(), "0.5");
    EXPECT_EQ(look.look.beeps, 1);
    input_[0]->setFocus();
    input_[2]->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(look.look.beeps, 1);
}

TEST_F(InputWindow, MouseMoveReportsThePointerPosition) {
    std::vector<std::pair<int, int>> seen;
    input_[0]->OnMouseMove = [&](int button, int, int x, int y) {
        EXPECT_EQ(button, 0);
        seen.push_back({x, y});
    };
    QMouseEvent move(QEvent::MouseMove, QPointF(7, 5), input_[0]->mapToGlobal(QPointF(7, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(input_[0], &move);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{7, 5}}));
}

TEST_F(InputWindow, HighlightTurnsTheBoxWhiteAndBlueAndFocusesIt) {
    ShowAndFocus(input_[0]);
    ant_[2]->SetBackColor(RGB(128, 128, 128));
    ant_[2]->SetForeColor(RGB(255, 255, 255));
    HighlightTextBox(*ant_[2]);
    QApplication::processEvents();
    EXPECT_EQ(ant_[2]->BackColor(), RGB(255, 255, 255));
    EXPECT_EQ(ant_[2]->ForeColor(), RGB(0, 0, 255));
    EXPECT_TRUE(ant_[2]->hasFocus());
}

TEST_F(InputWindow, ValueBoxesShowTheValueAndRunChangeEvenWhenUnchanged) {
    State().Settings.MeasuringSystem = 0;
    PlaceLengthValueBox(*ant_[0], 40, 60, 0);
    EXPECT_EQ(ant_[0]->Text(), "0");
    EXPECT_EQ(input_[1]->Text(), "0");
    EXPECT_EQ(ant_[0]->pos(), QPoint(40, 60));
    EXPECT_EQ(ant_[0]->ForeColor(), RGB(255, 255, 255));

    State().Settings.MeasuringSystem = 1;
    PlaceLengthValueBox(*ant_[0], 40.5f, 61.5f, 12.5f);
    EXPECT_EQ(ant_[0]->Text(), "12.5");
    EXPECT_EQ(ant_[0]->pos(), QPoint(40, 62));  // halves to even
    PlaceLengthValueBox(*ant_[0], 40, 60, 1.1417f);  // wider than the box
    EXPECT_EQ(ant_[0]->SelStart(), 0);                // its leading digits show

    input_[1]->SetText("3");  // the input column differs from the sketch box now
    ResetCounts();
    PlaceLengthValueBox(*ant_[0], 40, 60, 12.5f);  // same text as before
    EXPECT_EQ(antChanges_[0], 2);
    EXPECT_EQ(input_[1]->Text(), "12.5");

    QLabel label(window_.get());
    label.hide();
    PlaceAngleValueBox(*ant_[2], label, 45, 200, 30);
    EXPECT_EQ(ant_[2]->Text(), "45");
    EXPECT_EQ(ant_[2]->SelStart(), 0);
    EXPECT_EQ(input_[3]->Text(), "45");
    EXPECT_EQ(ant_[2]->pos(), QPoint(143, 30));
    EXPECT_EQ(label.pos(), QPoint(88, 30));
    EXPECT_FALSE(label.isHidden());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(255, 255, 255));
}

TEST_F(InputWindow, ValueBoxesMeasureWithTheirOwnWindowsFont) {
    QFont big = window_->font();
    big.setPointSize(30);
    window_->setFont(big);
    QWidget other;  // another window with a small font shown in front
    QFont small = other.font();
    small.setPointSize(6);
    other.setFont(small);
    other.show();
    other.activateWindow();

    // Wide enough for the unit's usual values, or for a longer value with
    // the box's margins beside it.
    const QFontMetricsF metrics(big);
    const auto advance = [&](const char* text) { return metrics.horizontalAdvance(QLatin1String(text)); };
    const struct {
        std::int16_t unit;
        float value;
        double width;
    } lengths[] = {{0, 1, advance("00.00")},
                   {0, 12.5f, advance("00.00")},
                   {0, 12345.5f, advance("12345.5") + 6},
                   {1, 0.8268f, advance("00.0000")},
                   {1, 123.4567f, advance("123.4567") + 6}};
    for (const auto& c : lengths) {
        State().Settings.MeasuringSystem = c.unit;
        PlaceLengthValueBox(*ant_[0], 0, 0, c.value);
        EXPECT_EQ(ant_[0]->width(), qRound(c.width)) << ant_[0]->Text();
        EXPECT_EQ(ant_[0]->height(), qRound(metrics.height()));
    }
    QLabel label(window_.get());
    PlaceAngleValueBox(*ant_[1], label, 30, 100, 0);
    EXPECT_EQ(ant_[1]->width(), qRound(advance("0000")));
    PlaceAngleValueBox(*ant_[1], label, 22.75f, 100, 0);
    EXPECT_EQ(ant_[1]->width(), qRound(std::max(advance("0000"), advance("22.75") + 6)));
}

// An angle's caption stays inside the picture; its box stays on the dimension.
TEST_F(InputWindow, AngleCaptionKeepsInsideThePicture) {
    QWidget picture(window_.get());
    picture.resize(300, 200);
    QLabel label(&picture);
    label.setText("Angle:");
    label.adjustSize();
    TextBox* box = ant_[1];
    box->setParent(&picture);
    const struct {
        float x, y;
        QPoint labelAt, boxAt;
    } cases[] = {{150, 50, {38, 50}, {93, 50}},
                 {100, 50, {0, 50}, {43, 50}},        // its left end would be cut off
                 {150, 195, {38, 200 - label.height()}, {93, 195}}};
    for (const auto& c : cases) {
        PlaceAngleValueBox(*box, label, 10, c.x, c.y);
        EXPECT_EQ(label.pos(), c.labelAt) << c.x << "," << c.y;
        EXPECT_EQ(box->pos(), c.boxAt) << c.x << "," << c.y;
    }
}

// A conical elbow window's boxes: box 5 holds the bend angle.
TEST(ConeElbowBoxes, ReadTheBendAngleFromTheWindow) {
    ScopedCountingLook look;
    const SettingsCache saved = State().Settings;
    State().Settings.MeasuringSystem = 0;
    QWidget window;
    std::vector<TextBox*> boxes;
    for (int i = 0; i < 9; ++i) {
        boxes.push_back(new TextBox(&window));
        boxes.back()->setObjectName(QStringLiteral("TxtInputDati(%1)").arg(i));
    }
    boxes[5]->SetText("90");
    boxes[6]->SetText("800");
    CheckConeElbowFieldRange(&window, *boxes[6], 6);
    EXPECT_EQ(boxes[6]->Text(), "785.4");
    boxes[5]->SetText("180");  // a wider bend admits a longer axis
    boxes[6]->SetText("1000");
    CheckConeElbowFieldRange(&window, *boxes[6], 6);
    EXPECT_EQ(boxes[6]->Text(), "1000");
    EXPECT_EQ(look.look.beeps, 1);

    ASSERT_TRUE(Activate(&window));
    ShowConeElbowFieldHint(&window, 7);
    QApplication::processEvents();
    EXPECT_TRUE(boxes[7]->hasFocus());
    ShowConeElbowFieldHint(&window, 9);  // no such box: the focus stays
    QApplication::processEvents();
    EXPECT_TRUE(boxes[7]->hasFocus());
    State().Settings = saved;
}

}  // namespace
}  // namespace velm
