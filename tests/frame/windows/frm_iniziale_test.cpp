// The start panel and the shape opener, in the running program with stand-in
// shape windows registered for some codes.
#include "frame/windows/frm_iniziale.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "support/qt/app_fixture.h"
#include "frame/data_file.h"
#include "frame/language.h"
#include "frame/start_panel_layout.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_mdi.h"
#include "frame/working_state.h"

namespace velm {
namespace {

// A shape window as the shape opener sees one: its showing sets ShapeCode
// and clears SwitchingForms; its closing re-enables the start panel unless
// the opener is switching windows.
class StandInShape : public QWidget {
public:
    explicit StandInShape(int code) : code_(code) {
        setObjectName(QStringLiteral("StandIn(%1)").arg(code));
        resize(540, 420);
    }
    int closes = 0;
    bool switchingAtClose = false;

protected:
    void showEvent(QShowEvent*) override {
        State().ShapeCode = static_cast<std::int16_t>(code_);
        State().SwitchingForms = False16;
    }
    void closeEvent(QCloseEvent* e) override {
        ++closes;
        switchingAtClose = State().SwitchingForms != False16;
        if (!switchingAtClose) StartPanel()->setEnabled(true);
        e->accept();
    }

private:
    int code_;
};

QPointer<StandInShape> g_standIns[14];

QWidget* MakeStandIn(int code) {
    if (!g_standIns[code]) g_standIns[code] = new StandInShape(code);
    return g_standIns[code];
}

void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF pos(w->width() / 2.0, w->height() / 2.0);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent e(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Click(QWidget* w) {
    SendMouse(w, QEvent::MouseButtonPress);
    SendMouse(w, QEvent::MouseButtonRelease);
}

class StartPanelTest : public AppFixture {
protected:
    // Start-up registers the program's own windows; the stand-ins replace
    // them: frusta and cylinders, except the frustum cut at the bottom.
    static void RegisterStandIns() {
        for (int code = 1; code <= 13; ++code)
            RegisterShapeWindowFactory(code, code <= 9 && code != ShapeCoTaInf ? MakeStandIn : nullptr);
    }
    void TearDown() override {
        for (int code = 1; code <= 13; ++code) RegisterShapeWindowFactory(code, nullptr);
        AppFixture::TearDown();
        for (auto& w : g_standIns) delete w.data();
    }

    frmIniziale* Panel() { return static_cast<frmIniziale*>(StartPanel()); }
    QMdiSubWindow* PanelSub() { return qobject_cast<QMdiSubWindow*>(Panel()->parentWidget()); }
    template <class W = QWidget>
    W* Control(const char* name) {
        return Panel()->findChild<W*>(QString::fromLatin1(name));
    }
    QWidget* Picture(int i) { return Control(QStringLiteral("PctVettore(%1)").arg(i).toLatin1().constData()); }
    QLabel* Caption(int i) {
        return Control<QLabel>(QStringLiteral("LblSezione(%1)").arg(i).toLatin1().constData());
    }
    static QString Status() { return Mdi()->Status(); }
    static QString Upper(const std::string& s) { return QString::fromStdString(s).toUpper(); }

    void StartAndSettle(const std::string& file = "") {
        ASSERT_TRUE(Start(file));
        RegisterStandIns();  // before the first activation has opened anything
        Panel()->SetupShapePicker();
        Wait(30);
    }
    int VisiblePictures() {
        int n = 0;
        for (int i = 0; i < 5; ++i) n += Picture(i)->isVisible();
        return n;
    }
};

TEST_F(StartPanelTest, PagesPicturesAndCaptions) {
    StartAndSettle();
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(Panel()->windowTitle().toStdString(), Txt(LangFrmIniziale, 1));

    // Top page: four groups with captions, no back button.
    EXPECT_EQ(VisiblePictures(), 4);
    EXPECT_FALSE(Control("CmdIndietro")->isVisible());
    EXPECT_EQ(Caption(0)->text(), Upper(Txt(LangFrmConi, 1)));
    EXPECT_EQ(Caption(1)->text(), Upper(Txt(LangFrmCili, 1)));
    EXPECT_EQ(Caption(2)->text(), Upper(Txt(LangFrmIniziale, 7)) + "\n" + Upper(Txt(LangFrmIniziale, 8)));
    EXPECT_EQ(Caption(3)->text(), Upper(Txt(LangFrmIniziale, 5)) + "\n" + Upper(Txt(LangFrmIniziale, 6)));
    const QColor red(255, 0, 0), green(0, 255, 0);
    const QColor topColours[4] = {red, green, green, red};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Caption(i)->isVisible()) << i;
        EXPECT_EQ(Caption(i)->palette().color(QPalette::WindowText), topColours[i]) << i;
    }

    struct Step {
        const char* what;
        int clickCell;  // -1: the back button
        int family;
        int pictures;
        bool captions;
    };
    const Step steps[] = {
        {"to frusta", 0, 1, 5, false}, {"back", -1, 0, 4, true},     {"to cylinders", 1, 2, 4, false},
        {"back", -1, 0, 4, true},      {"to conical elbows", 3, 4, 3, true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.clickCell < 0)
            Click(Control("CmdIndietro"));
        else
            Panel()->PctVettore_Click(s.clickCell);
        EXPECT_EQ(State().ShapeFamily, s.family);
        EXPECT_EQ(VisiblePictures(), s.pictures);
        EXPECT_EQ(Control("CmdIndietro")->isVisible(), s.family != 0);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Caption(i)->isVisible(), s.captions && i < s.pictures) << "caption " << i;
    }
    // The conical elbows page: its own captions, all red.
    EXPECT_EQ(Caption(0)->text(), Upper(Txt(LangFrmIniziale, 9)) + "\n" + Upper(Txt(LangFrmIniziale, 10)));
    EXPECT_EQ(Caption(1)->text(), Upper(Txt(LangFrmIniziale, 11)) + "\n" + Upper(Txt(LangFrmIniziale, 12)));
    EXPECT_EQ(Caption(2)->text(), Upper(Txt(LangFrmIniziale, 13)) + "\n" + Upper(Txt(LangFrmIniziale, 14)));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Caption(i)->palette().color(QPalette::WindowText), red) << i;
}

TEST_F(StartPanelTest, CellsFollowThePanelSizeInPixels) {
    StartAndSettle();
    // A panel of its own, 800 x 600 pixels = 12000 x 9000 twips.
    frmIniziale panel;
    panel.resize(800, 600);
    panel.show();
    Wait(10);
    const auto at = [&](const char* name) { return panel.findChild<QWidget*>(QString::fromLatin1(name))->geometry(); };
    // gx 600, gy 600, cw 3200, ch 3600 twips; cell 4 at (4400, 4800).
    EXPECT_EQ(at("PctVettore(0)"), QRect(40, 40, 213, 240));
    EXPECT_EQ(at("PctVettore(2)").topLeft(), QPoint(547, 40));
    EXPECT_EQ(at("PctVettore(3)").topLeft(), QPoint(40, 320));
    EXPECT_EQ(at("LblSezione(1)"), QRect(293, 40, 213, 240));
    // The back button on the bottom-right cell, half wide and a quarter high.
    State().ShapeFamily = 2;
    panel.SetupShapePicker();
    EXPECT_EQ(at("PctVettore(3)").topLeft(), QPoint(40, 320));
    EXPECT_EQ(at("CmdIndietro"), QRect(547, 320, 107, 60));
}

TEST_F(StartPanelTest, CaptionsFitTheCellWidthWithoutDrifting) {
    StartAndSettle();
    const auto widest = [](QLabel* label) {
        const QFontMetricsF fm(label->font());
        double w = 0;
        for (const QString& line : label->text().split('\n')) w = std::max(w, fm.horizontalAdvance(line + " "));
        return w;
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(widest(Caption(i)), Caption(i)->width(), Caption(i)->width() * 0.04);
    }
    // Laying out again and again keeps the same size.
    const double size = Caption(1)->font().pointSizeF();
    for (int k = 0; k < 5; ++k) Panel()->SetupShapePicker();
    EXPECT_DOUBLE_EQ(Caption(1)->font().pointSizeF(), size);

    // An empty caption and a minimised panel leave the font alone.
    Language().Sections[LangFrmConi].clear();
    const double before = Caption(0)->font().pointSizeF();
    Panel()->SetupShapePicker();
    EXPECT_EQ(Caption(0)->text(), QString());
    EXPECT_DOUBLE_EQ(Caption(0)->font().pointSizeF(), before);
    PanelSub()->showMinimized();
    Wait(10);
    Panel()->resize(37, 23);
    Panel()->SetupShapePicker();
    EXPECT_DOUBLE_EQ(Caption(1)->font().pointSizeF(), size);
}

TEST_F(StartPanelTest, HintsOnTheStatusLine) {
    StartAndSettle();
    struct Page {
        int family;
        int hints[5];  // 0: no hint, the status line keeps its text
    };
    const Page pages[] = {{0, {8, 9, 33, 32, 14}},
                          {1, {10, 11, 12, 13, 14}},
                          {2, {15, 16, 17, 18, 14}},
                          {4, {34, 35, 36, 0, 14}}};
    for (const auto& p : pages) {
        State().ShapeFamily = static_cast<std::int16_t>(p.family);
        Panel()->SetupShapePicker();
        for (int cell = 0; cell < 5; ++cell) {
            SetStatusText("before");
            Panel()->PctVettore_MouseMove(cell);
            const QString expected = p.hints[cell] ? QString::fromStdString(Txt(LangHelp, p.hints[cell])) : "before";
            EXPECT_EQ(Status(), expected) << "page " << p.family << " cell " << cell;
        }
    }
    // A caption passes the pointer on to its picture.
    State().ShapeFamily = 0;
    Panel()->SetupShapePicker();
    SendMouse(Caption(1), QEvent::MouseMove);
    EXPECT_EQ(Status().toStdString(), Txt(LangHelp, 9));
    State().ShapeFamily = 1;
    Panel()->SetupShapePicker();
    SendMouse(Control("CmdIndietro"), QEvent::MouseMove);
    EXPECT_EQ(Status().toStdString(), Txt(LangHelp, 6));
    SendMouse(Panel(), QEvent::MouseMove);
    EXPECT_EQ(Status(), QString());
}

TEST_F(StartPanelTest, SelectionFrameMarksTheCurrentShapeAndThePressedPicture) {
    StartAndSettle();
    QWidget* frame = Control("ShpSelezione");
    State().ShapeCode = ShapeCiTaSup;
    struct Case {
        int family;
        int cell;  // -1: no frame
    };
    for (const Case c : {Case{0, 1}, Case{2, 1}, Case{1, -1}, Case{4, -1}, Case{0, 1}}) {
        State().ShapeFamily = static_cast<std::int16_t>(c.family);
        Panel()->SetupShapePicker();
        EXPECT_EQ(frame->isVisible(), c.cell >= 0) << c.family;
        if (c.cell >= 0) {
            EXPECT_EQ(frame->geometry(), Picture(c.cell)->geometry()) << c.family;
        }
    }
    // Pressing a picture frames it; letting go hides the frame.
    SendMouse(Picture(0), QEvent::MouseButtonPress);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->geometry(), Picture(0)->geometry());
    EXPECT_TRUE(Panel()->SelectionVisible());
    Panel()->PctVettore_MouseUp(0);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(Panel()->SelectionVisible());
}

TEST_F(StartPanelTest, PicturesAndMenuItemsOfferOnlyShapesWithAWindow) {
    StartAndSettle();
    struct Case {
        int family;
        bool enabled[5];
    };
    const Case cases[] = {
        {0, {true, true, false, false}},  // elbows have no windows yet
        {1, {true, true, false, true, true}},
        {2, {true, true, true, true}},
    };
    for (const auto& c : cases) {
        State().ShapeFamily = static_cast<std::int16_t>(c.family);
        Panel()->SetupShapePicker();
        for (int i = 0; i < PickerPageFor(c.family)->cellCount; ++i)
            EXPECT_EQ(Picture(i)->isEnabled(), c.enabled[i]) << c.family << "/" << i;
    }
    EXPECT_TRUE(ShapeWindowAvailable(ShapeCoRe));
    EXPECT_FALSE(ShapeWindowAvailable(ShapeCoTaInf));
    EXPECT_FALSE(ShapeWindowAvailable(ShapeCuCilindri));
    EXPECT_FALSE(ShapeWindowAvailable(0));
    EXPECT_FALSE(ShapeWindowAvailable(14));

    // Nothing registered: the groups lead nowhere either.
    for (int code = 1; code <= 13; ++code) RegisterShapeWindowFactory(code, nullptr);
    State().ShapeFamily = 0;
    Panel()->SetupShapePicker();
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(Picture(i)->isEnabled()) << i;
}

TEST_F(StartPanelTest, OpenerIgnoresCodesWithoutAWindow) {
    StartAndSettle();
    State().ShapeFamily = 2;
    for (int code : {-1, 0, 3, 10, 11, 13, 14, 255}) {
        OpenShapeForm(code, Panel());
        EXPECT_EQ(State().ShapeFamily, 2) << code;
        EXPECT_EQ(State().SwitchingForms, False16) << code;
        EXPECT_TRUE(Panel()->isEnabled()) << code;
        EXPECT_FALSE(PanelSub()->isMinimized()) << code;
    }
    EXPECT_FALSE(Mdi()->FileItem(2)->isEnabled());
}

TEST_F(StartPanelTest, OpenerDecidesByTheCallersKind) {
    StartAndSettle();
    // From the start panel: minimised and disabled, never closed.
    OpenShapeForm(ShapeCoTaSup, ActiveChild());
    Wait(10);
    StandInShape* frustum = g_standIns[ShapeCoTaSup];
    ASSERT_NE(frustum, nullptr);
    EXPECT_TRUE(frustum->isVisible());
    EXPECT_EQ(ActiveChild(), frustum);
    EXPECT_EQ(State().ShapeCode, ShapeCoTaSup);
    EXPECT_EQ(State().ShapeFamily, 1);
    EXPECT_TRUE(PanelSub()->isMinimized());
    EXPECT_FALSE(Panel()->isEnabled());
    EXPECT_TRUE(PanelSub()->isVisible());
    EXPECT_EQ(exitCalls, 0);
    EXPECT_TRUE(Mdi()->FormeSubItem(2)->isChecked());
    EXPECT_TRUE(Mdi()->FileItem(2)->isEnabled());
    // The option commands go with the start panel's activation.
    EXPECT_FALSE(Mdi()->ToolButton(4)->isEnabled());

    // From a shape window: that window closes while the opener switches.
    OpenShapeForm(ShapeCiDiscordi, ActiveChild());
    Wait(10);
    StandInShape* cylinder = g_standIns[ShapeCiDiscordi];
    ASSERT_NE(cylinder, nullptr);
    EXPECT_EQ(frustum->closes, 1);
    EXPECT_TRUE(frustum->switchingAtClose);
    EXPECT_FALSE(frustum->isVisible());
    EXPECT_TRUE(cylinder->isVisible());
    EXPECT_EQ(ActiveChild(), cylinder);
    EXPECT_EQ(State().ShapeFamily, 2);
    EXPECT_FALSE(Panel()->isEnabled());
    EXPECT_TRUE(Mdi()->FormeSub2Item(4)->isChecked());
    EXPECT_FALSE(Mdi()->FormeSubItem(2)->isChecked());

    // Any other window waits minimised and disabled.
    auto* other = new QWidget;
    QMdiSubWindow* otherSub = MdiArea()->addSubWindow(other);
    other->show();
    MdiArea()->setActiveSubWindow(otherSub);
    OpenShapeForm(ShapeCoRe, other);
    Wait(10);
    EXPECT_TRUE(otherSub->isMinimized());
    EXPECT_FALSE(other->isEnabled());
    EXPECT_TRUE(otherSub->isVisible());
    EXPECT_EQ(cylinder->closes, 0);
    EXPECT_TRUE(g_standIns[ShapeCoRe]->isVisible());
}

TEST_F(StartPanelTest, ClosingTheShapeWindowGivesThePanelBack) {
    StartAndSettle();
    EXPECT_TRUE(Mdi()->ToolButton(4)->isEnabled());
    OpenShapeForm(ShapeCoRe, ActiveChild());
    Wait(10);
    EXPECT_FALSE(Mdi()->ToolButton(4)->isEnabled());
    EXPECT_FALSE(Mdi()->ToolButton(5)->isEnabled());
    // A disabled panel made active by the user does not offer the options.
    MdiArea()->setActiveSubWindow(PanelSub());
    Wait(10);
    EXPECT_FALSE(Mdi()->ToolButton(4)->isEnabled());

    QMdiSubWindow* frustumSub = qobject_cast<QMdiSubWindow*>(g_standIns[ShapeCoRe]->parentWidget());
    ASSERT_NE(frustumSub, nullptr);
    frustumSub->close();
    Wait(30);
    EXPECT_EQ(g_standIns[ShapeCoRe]->closes, 1);
    EXPECT_TRUE(Panel()->isEnabled());
    EXPECT_TRUE(PanelSub()->isMinimized());  // the user restores it
    EXPECT_EQ(MdiArea()->currentSubWindow(), PanelSub());
    EXPECT_TRUE(Mdi()->ToolButton(4)->isEnabled());
    EXPECT_TRUE(Mdi()->ToolButton(5)->isEnabled());
    EXPECT_EQ(exitCalls, 0);
}

TEST_F(StartPanelTest, PictureClickOpensTheShapeAndKeepsThePage) {
    StartAndSettle();
    Click(Picture(1));  // cylinders page
    ASSERT_EQ(State().ShapeFamily, 2);
    Click(Picture(2));  // both ends cut the same way
    Wait(10);
    StandInShape* cylinder = g_standIns[ShapeCiConcordi];
    ASSERT_NE(cylinder, nullptr);
    EXPECT_TRUE(cylinder->isVisible());
    EXPECT_EQ(State().ShapeFamily, 2);
    EXPECT_EQ(State().ShapeCode, ShapeCiConcordi);
    EXPECT_TRUE(PanelSub()->isMinimized());
    EXPECT_FALSE(Panel()->isEnabled());
    EXPECT_TRUE(Mdi()->FormeSub2Item(3)->isChecked());
    EXPECT_TRUE(Mdi()->FileItem(3)->isEnabled());

    // Back on the panel the frame marks the open shape.
    qobject_cast<QMdiSubWindow*>(cylinder->parentWidget())->close();
    Wait(30);
    PanelSub()->showMaximized();
    Wait(10);
    EXPECT_TRUE(Control("ShpSelezione")->isVisible());
    EXPECT_EQ(Control("ShpSelezione")->geometry(), Picture(2)->geometry());

    // The cylindrical elbow has no window: its click only checks the menu.
    State().ShapeFamily = 0;
    Panel()->SetupShapePicker();
    Panel()->PctVettore_Click(2);
    EXPECT_TRUE(Panel()->isEnabled());
    EXPECT_FALSE(PanelSub()->isMinimized());
    EXPECT_TRUE(Mdi()->FormeSub2Item(3)->isChecked());
}

TEST_F(StartPanelTest, ClosingThePanelAsksFirst) {
    StartAndSettle();
    dialogs.ExpectMessage(IdNo);
    PanelSub()->close();
    EXPECT_EQ(exitCalls, 0);
    EXPECT_TRUE(Panel()->isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangMsgbox, 2));
    EXPECT_EQ(dialogs.messages[0].style, MbYesNo + MbQuestion);

    dialogs.ExpectMessage(IdYes);
    PanelSub()->close();
    EXPECT_EQ(exitCalls, 1);
}

TEST_F(StartPanelTest, CommandLineFileOpensOnceAtFirstActivation) {
    // A data file naming the cylinder cut at the top.
    WorkingState saved;
    saved.ShapeCode = ShapeCiTaSup;
    saved.Inputs.CylinderData[2] = 77;
    const std::string file = (std::filesystem::path(ProgramFolder()) / "job.qvl").string();
    std::ofstream(file, std::ios::binary) << WriteDataFileText(DataFileRecordOf(saved));

    StartAndSettle(file);
    StandInShape* cylinder = g_standIns[ShapeCiTaSup];
    ASSERT_NE(cylinder, nullptr);
    EXPECT_TRUE(cylinder->isVisible());
    EXPECT_EQ(State().Inputs.CylinderData[2], 77.0f);
    EXPECT_FALSE(Panel()->FirstActivation());

    // Closed and the panel active again: the file is not opened a second time.
    State().Inputs.CylinderData[2] = 5;
    qobject_cast<QMdiSubWindow*>(cylinder->parentWidget())->close();
    Wait(30);
    ASSERT_EQ(MdiArea()->currentSubWindow(), PanelSub());
    PanelSub()->showMaximized();
    Wait(30);
    EXPECT_FALSE(cylinder->isVisible());
    EXPECT_EQ(State().Inputs.CylinderData[2], 5.0f);
}

TEST_F(StartPanelTest, CommandLineNamingNoFileShowsThePanelOnly) {
    StartAndSettle((std::filesystem::path(ProgramFolder()) / "missing.qvl").string());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(Panel()->isEnabled());
    EXPECT_FALSE(PanelSub()->isMinimized());
    EXPECT_EQ(ActiveChild(), Panel());
    EXPECT_EQ(State().ShapeCode, ShapeNone);
}

}  // namespace
}  // namespace velm
