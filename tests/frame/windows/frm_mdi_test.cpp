// The main window: tooltips, status line, caption, command state, menus,
// print hook, help and the small services other windows use.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "frame/help_contexts.h"
#include "frame/language.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/frm_mdi.h"
#include "frame/windows/help_commands.h"
#include "frame/windows/startup.h"
#include "frame/working_state.h"
#include "support/qt/app_fixture.h"

namespace velm {
namespace {

namespace fs = std::filesystem;

class FrmMdiTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        mdi = Mdi();
    }
    static void MoveOver(QWidget* w, int x, int y) {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    // A press, released away from the button so that it does not click.
    static void Press(QWidget* w) {
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &down);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(-50, -50), w->mapToGlobal(QPointF(-50, -50)),
                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &up);
    }
    QWidget* Tip() const { return mdi->findChild<QWidget*>("PicToolTip"); }
    QString TipText() const { return mdi->findChild<QLabel*>("LblToolTip")->text(); }
    std::string Status() const { return mdi->Status().toStdString(); }

    FrmMDI* mdi = nullptr;
};

TEST_F(FrmMdiTest, ObjectsCarryTheModelNames) {
    for (const char* name : {"mnuFile", "mnuForme", "mnuOpzioni", "mnuVisualizza", "mnuHelp"})
        EXPECT_NE(mdi->findChild<QMenu*>(name), nullptr) << name;
    for (int i = 1; i <= 16; ++i)
        EXPECT_NE(mdi->findChild<QAction*>(QString("mnuFileItems(%1)").arg(i)), nullptr) << i;
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(mdi->findChild<QToolButton*>(QString("CmdToolBar(%1)").arg(i)), nullptr) << i;
    for (const char* name : {"PnlStatusBar", "PicToolTip", "LblToolTip", "PnlToolBar"})
        EXPECT_NE(mdi->findChild<QWidget*>(name), nullptr) << name;
    EXPECT_NE(mdi->findChild<QTimer*>("Timer1"), nullptr);
    EXPECT_EQ(mdi->FileItem(2)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(mdi->FileItem(5)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(mdi->HelpItem(2)->shortcut(), QKeySequence("Ctrl+F3"));
    EXPECT_EQ(mdi->OpzioniItem(3)->shortcut(), QKeySequence("Ctrl+T"));
    // Separators stay separators whatever the language file says.
    for (int i : {6, 9, 15}) EXPECT_TRUE(mdi->FileItem(i)->isSeparator()) << i;
    EXPECT_FALSE(mdi->FileItem(9)->isVisible());  // until a recent file is listed
}

TEST_F(FrmMdiTest, ToolbarTooltipShowsAfterHalfASecond) {
    QToolButton* open = mdi->ToolButton(0);
    MoveOver(open, 5, 5);
    EXPECT_EQ(Status(), Txt(LangHelp, 22));
    EXPECT_FALSE(Tip()->isVisible());
    Wait(250);
    EXPECT_FALSE(Tip()->isVisible());
    Wait(400);
    ASSERT_TRUE(Tip()->isVisible());
    EXPECT_EQ(TipText().toStdString(), " " + Txt(LangToolTip, 1) + " ");
    // At the button's right edge, twice as far down as the button sits in the toolbar.
    QWidget* panel = mdi->findChild<QWidget*>("PnlToolBar");
    EXPECT_EQ(Tip()->x(), panel->x() + open->x() + open->width());
    EXPECT_EQ(Tip()->y(), panel->y() + 2 * open->y());

    // Moving to another button re-arms: the tip follows at the next tick.
    QToolButton* help = mdi->ToolButton(6);
    MoveOver(help, 4, 4);
    EXPECT_EQ(Status(), Txt(LangHelp, 28));
    Wait(600);
    EXPECT_EQ(TipText().toStdString(), " " + Txt(LangToolTip, 7) + " ");
    EXPECT_EQ(Tip()->x(), panel->x() + help->x() + help->width());
}

TEST_F(FrmMdiTest, TooltipHidesOnEdgesClicksAndOtherPlaces) {
    QToolButton* b = mdi->ToolButton(0);
    struct Case {
        const char* what;
        std::function<void()> act;
        const char* status;  // nullptr: the button's hint stays
    };
    const Case cases[] = {
        {"first pixel column", [&] { MoveOver(b, 0, 5); }, nullptr},
        {"first pixel row", [&] { MoveOver(b, 5, 0); }, nullptr},
        {"mouse down", [&] { Press(b); }, nullptr},
        {"toolbar panel", [&] { MoveOver(mdi->findChild<QWidget*>("PnlToolBar"), 2, 2); }, ""},
        {"status line", [&] { MoveOver(mdi->findChild<QWidget*>("PnlStatusBar"), 2, 2); }, nullptr},
        {"the tip itself", [&] { MoveOver(mdi->findChild<QWidget*>("LblToolTip"), 1, 1); }, nullptr},
        {"another window", [&] { HideToolTip(); }, nullptr},
    };
    mdi->findChild<QTimer*>("Timer1")->setInterval(20);  // the half second itself is tested above
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MoveOver(b, 5, 5);
        Wait(60);
        ASSERT_TRUE(Tip()->isVisible());
        c.act();
        EXPECT_FALSE(Tip()->isVisible());
        EXPECT_FALSE(mdi->findChild<QTimer*>("Timer1")->isActive());
        EXPECT_EQ(Status(), c.status ? c.status : Txt(LangHelp, 22));
    }
    // On the edge the tooltip is never armed.
    MoveOver(b, 0, 5);
    Wait(60);
    EXPECT_FALSE(Tip()->isVisible());
}

TEST_F(FrmMdiTest, CaptionShowsTheOpenFileInLowerCase) {
    // A maximised child adds " - [its caption]" after the main window's own caption.
    State().CurrentFileName = "/Work/ELBOW.QVL";
    UpdateMdiState();
    EXPECT_TRUE(mdi->windowTitle().startsWith("VELM - /work/elbow.qvl")) << mdi->windowTitle().toStdString();
    State().CurrentFileName.clear();
    UpdateMdiState();
    EXPECT_TRUE(mdi->windowTitle() == "VELM" || mdi->windowTitle().startsWith("VELM - [")) << mdi->windowTitle().toStdString();
}

TEST_F(FrmMdiTest, UpdateMdiStateReadsTheStepAndResetsTheLimits) {
    Seed("System", "AngleStep", ".25");
    State().Limits.DiameterLimit.Max = 1;
    UpdateMdiState();
    EXPECT_FLOAT_EQ(State().Settings.AngleStep, 0.25f);
    EXPECT_FLOAT_EQ(State().Limits.DiameterLimit.Max, 300.0f);
    EXPECT_FLOAT_EQ(State().Limits.ConeElbowRadiusLimit.Min, 10.0f);
}

// The command state follows the shape, the development and the preview.
TEST_F(FrmMdiTest, CommandStateIsDerivedFromTheWorkingState) {
    Seed("Recent Files", "RecentFile1", "/tmp/one.qvl");  // a recent item to see
    RefreshRecentMenu();
    ASSERT_TRUE(mdi->FileItem(10)->isVisible());
    struct Case {
        const char* what;
        std::function<void()> act;
        bool save, dxf, open, print;
    };
    const Case cases[] = {
        {"after start", [] {}, false, false, true, false},
        {"shape applied, no exporters yet",
         [] {
             State().ShapeCode = ShapeCiRe;
             State().DevelopmentValid = True16;
             UpdateMdiState();
         },
         true, false, true, false},
        {"exporters there", [] { LaterCommands().dxfExport = LaterCommands().isoExport = true; UpdateCommandState(); },
         true, true, true, false},
        {"unit changed", [] { State().DevelopmentValid = False16; EnableFileCommands(true); }, true, false, true, false},
        {"applied again", [] { State().DevelopmentValid = True16; EnableFileCommands(true); }, true, true, true, false},
        {"preview open", [] { State().OpenPreview = 1; EnableFileCommands(false); }, false, false, false, true},
        {"preview closed", [] { State().OpenPreview = -1; EnableFileCommands(true); }, true, true, true, false},
        {"file commands off", [] { EnableFileCommands(false); }, false, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.act();
        EXPECT_EQ(mdi->FileItem(2)->isEnabled(), c.save);
        EXPECT_EQ(mdi->FileItem(3)->isEnabled(), c.save);
        EXPECT_EQ(mdi->ToolButton(1)->isEnabled(), c.save);
        EXPECT_EQ(mdi->FileItem(4)->isEnabled(), c.dxf);
        EXPECT_EQ(mdi->FileItem(5)->isEnabled(), c.dxf);
        EXPECT_EQ(mdi->FileItem(1)->isEnabled(), c.open);
        EXPECT_EQ(mdi->ToolButton(0)->isEnabled(), c.open);
        EXPECT_EQ(mdi->FileItem(10)->isEnabled(), c.open);
        EXPECT_EQ(mdi->findChild<QMenu*>("mnuForme")->isEnabled(), c.open);
        EXPECT_EQ(mdi->FileItem(8)->isEnabled(), c.print);
        EXPECT_EQ(mdi->ToolButton(3)->isEnabled(), c.print);
    }
}

TEST_F(FrmMdiTest, OptionCommandsFollowTheStartPanel) {
    EnableOptionCommands(false);
    EXPECT_FALSE(mdi->findChild<QMenu*>("mnuOpzioni")->isEnabled());
    EXPECT_FALSE(mdi->ToolButton(4)->isEnabled());
    EXPECT_FALSE(mdi->ToolButton(5)->isEnabled());
    EnableOptionCommands(true);
    EXPECT_TRUE(mdi->findChild<QMenu*>("mnuOpzioni")->isEnabled());
    EXPECT_TRUE(mdi->ToolButton(4)->isEnabled());
    EXPECT_TRUE(mdi->ToolButton(5)->isEnabled());
}

TEST_F(FrmMdiTest, CommandsOfPartsNotThereAreDisabled) {
    EXPECT_FALSE(mdi->OpzioniItem(3)->isEnabled());  // printer calibration
    static int calibrations = 0;
    LaterCommands().showCalibration = [] { ++calibrations; };
    UpdateCommandState();
    EXPECT_TRUE(mdi->OpzioniItem(3)->isEnabled());
    mdi->OpzioniItem(3)->trigger();
    EXPECT_EQ(calibrations, 1);
    // Shapes without a window are offered disabled.
    for (int code = 1; code <= 13; ++code) {
        QAction* a = code <= 5 ? mdi->FormeSubItem(code)
                   : code <= 9 ? mdi->FormeSub2Item(code - 5)
                   : code == 10 ? mdi->FormeItem(3)
                                : mdi->FormeSub3Item(code - 10);
        EXPECT_EQ(a->isEnabled(), ShapeWindowAvailable(code)) << code;
        EXPECT_TRUE(a->isVisible()) << code;
    }
}

TEST_F(FrmMdiTest, CheckShapeMenuItemTicksExactlyTheShape) {
    auto checked = [this] {
        std::vector<std::string> names;
        for (QAction* a : mdi->findChildren<QAction*>())
            if (a->isChecked() && a->objectName().startsWith("mnuForme")) names.push_back(a->objectName().toStdString());
        return names;
    };
    struct Case {
        int code;
        std::vector<std::string> expected;
    } const cases[] = {
        {1, {"mnuFormeSubItems(1)"}},  {5, {"mnuFormeSubItems(5)"}},   {6, {"mnuFormeSub2Items(1)"}},
        {9, {"mnuFormeSub2Items(4)"}}, {10, {"mnuFormeItems(3)"}},     {11, {"mnuFormeSub3Items(1)"}},
        {13, {"mnuFormeSub3Items(3)"}}, {0, {}}, {14, {}}, {-1, {}},
    };
    for (const auto& c : cases) {
        CheckShapeMenuItem(7);  // something ticked before
        CheckShapeMenuItem(c.code);
        EXPECT_EQ(checked(), c.expected) << c.code;
    }
}

TEST_F(FrmMdiTest, ViewItemsShowAndHideThePanels) {
    QWidget* status = mdi->findChild<QWidget*>("PnlStatusBar");
    QWidget* toolbar = mdi->findChild<QWidget*>("PnlToolBar");
    EXPECT_TRUE(mdi->VisualizzaItem(2)->isChecked());
    mdi->VisualizzaItem(2)->trigger();
    EXPECT_FALSE(mdi->VisualizzaItem(2)->isChecked());
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(toolbar->isVisible());
    mdi->VisualizzaItem(2)->trigger();
    EXPECT_TRUE(status->isVisible());
    mdi->VisualizzaItem(1)->trigger();
    EXPECT_FALSE(toolbar->isVisible());
    EXPECT_FALSE(mdi->VisualizzaItem(1)->isChecked());
}

TEST_F(FrmMdiTest, PrintHookRunsTheBatchFileInsteadOfThePrinterDialog) {
    struct Case {
        bool hookFile;
        bool fromToolbar;
        int answer;  // to the question after the hook
        bool printerDialog, hookRun;
        int exits;
    } const cases[] = {
        {false, false, 0, true, false, 0},
        {true, false, IdCancel, false, true, 0},
        {true, false, IdOk, false, true, 1},
        {true, true, 0, true, false, 0},  // the toolbar always opens the dialog
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hook " << c.hookFile << " toolbar " << c.fromToolbar);
        const fs::path bat = fs::path(ProgramFolder()) / "Printouts.bat";
        if (c.hookFile) std::ofstream(bat) << "true\n";
        else fs::remove(bat);
        processes.calls.clear();
        dialogs.Reset();
        exitCalls = 0;
        if (c.printerDialog) dialogs.ExpectPrinterSetup(false);
        if (c.answer) dialogs.ExpectMessage(c.answer);
        if (c.fromToolbar) mdi->ToolButton(2)->click();
        else mdi->FileItem(7)->trigger();
        EXPECT_EQ(dialogs.printerSetups, c.printerDialog ? 1 : 0);
        ASSERT_EQ(processes.calls.size(), c.hookRun ? 1u : 0u);
        if (c.hookRun) {
            EXPECT_EQ(processes.calls[0].program, "/bin/sh");
            EXPECT_EQ(processes.calls[0].args, std::vector<std::string>{"Printouts.bat"});
            EXPECT_EQ(fs::path(processes.calls[0].folder), fs::path(ProgramFolder()));
            EXPECT_FALSE(processes.calls[0].waited);
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangMsgbox, 7));
            EXPECT_EQ(dialogs.messages[0].style, 65);
            EXPECT_EQ(dialogs.messages[0].title, "VELM");
        }
        EXPECT_EQ(exitCalls, c.exits);
        dialogs.VerifyAllUsed();
    }
}

// The unit command converts the input arrays once, and only when the unit changed.
TEST_F(FrmMdiTest, UnitCommandConvertsOnlyOnAChange) {
    struct Case {
        const char* what;
        std::function<void()> command;
        int choice;  // OptUnMisura index clicked in the dialog
        float diameter;  // CylinderData(2) afterwards
    } const cases[] = {
        {"same unit, menu", [this] { mdi->OpzioniItem(2)->trigger(); }, 0, 20.0f},
        {"to inches, toolbar", [this] { mdi->ToolButton(5)->click(); }, 1, 20.0f / 25.4f},
        {"inches again", [this] { mdi->OpzioniItem(2)->trigger(); }, 1, 20.0f / 25.4f},
        {"back to millimetres", [this] { mdi->OpzioniItem(2)->trigger(); }, 0, 20.0f / 25.4f * 25.4f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bool answered = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || box->objectName() != "FrmUnMis") return;
            answered = true;
            box->findChild<QAbstractButton*>(QString("OptUnMisura(%1)").arg(c.choice))->click();
            box->findChild<QAbstractButton*>("CmdOK")->click();
        });
        c.command();
        ASSERT_TRUE(answered);
        EXPECT_EQ(State().Settings.MeasuringSystem, c.choice);
        EXPECT_FLOAT_EQ(State().Inputs.CylinderData[2], c.diameter);
        EXPECT_FLOAT_EQ(State().Inputs.CylinderData[4], 10.0f);  // angles stay
    }
}

TEST_F(FrmMdiTest, ErrorMessageHasTheCriticalIconAndTheErrorTitle) {
    dialogs.ExpectMessage(IdOk);
    ShowErrorMessage("Diameter missing");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, "Diameter missing");
    EXPECT_EQ(dialogs.messages[0].style, MbCritical);
    EXPECT_EQ(dialogs.messages[0].title, Txt(LangErrore, 1));
}

TEST_F(FrmMdiTest, CenterFormKeepsTheDialogOnTheScreenRightAndBottom) {
    const QRect screen = mdi->screen()->geometry();
    QWidget owner;
    QWidget dialog;
    struct Case {
        QRect owner;
        QSize dialog;
        QPoint expected;
    } const cases[] = {
        // Centred when there is room.
        {QRect(100, 100, 400, 300), QSize(200, 100), QPoint(200, 200)},
        // 12000 twips wide over an owner near the right edge: right edge on the screen edge.
        {QRect(screen.width() - 300, 50, 400, 300), QSize(800, 100), QPoint(screen.width() - 800, 150)},
        // Near the bottom.
        {QRect(0, screen.height() - 100, 400, 300), QSize(200, 250), QPoint(100, screen.height() - 250)},
        // Left of the screen is not corrected.
        {QRect(-500, 0, 200, 300), QSize(400, 100), QPoint(-600, 100)},
    };
    for (const auto& c : cases) {
        owner.setGeometry(c.owner);
        dialog.resize(c.dialog);
        CenterForm(&owner, &dialog);
        EXPECT_EQ(dialog.pos(), c.expected) << c.owner.x() << "," << c.owner.y();
    }
}

TEST_F(FrmMdiTest, ScaleComboOffersFiveScalesAndShowsTheStoredOne) {
    for (std::int16_t scale : {1, 3, 5}) {
        State().Settings.Scale = scale;
        State().Settings.MeasuringSystem = scale == 3 ? 1 : 0;  // the unit does not matter
        QComboBox combo;
        FillScaleCombo(&combo);
        ASSERT_EQ(combo.count(), 5);
        EXPECT_EQ(combo.itemText(0), "1:1");
        EXPECT_EQ(combo.itemText(4), "1:5");
        EXPECT_EQ(combo.currentText().toStdString(), "1:" + std::to_string(scale));
    }
}

TEST_F(FrmMdiTest, HelpOpensAtContentsSearchAndAWindowsTopic) {
    mdi->ToolButton(6)->click();
    HelpWindow* w = help.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ShownTopic(), 0);
    EXPECT_EQ(w->findChild<QTabWidget*>("HelpTabs")->currentIndex(), 0);

    mdi->HelpItem(2)->trigger();
    EXPECT_EQ(w->findChild<QTabWidget*>("HelpTabs")->currentIndex(), 1);

    for (int id : {HelpContextFrmMetCalcolo, HelpContextFrmUnMis, HelpContextAboutBox, HelpContextFrmTabella}) {
        ShowHelpContext(id);
        EXPECT_EQ(w->ShownTopic(), id);
    }
    ShowHelpContext(77777);
    EXPECT_EQ(w->ShownTopic(), 0);  // a message instead of a topic

    // A help file that is gone gives a message, never a crash.
    fs::remove(fs::path(ProgramFolder()) / "VELM.HLP");
    DispatchHelpCommand(1);
    ShowHelpContext(HelpContextFrmUnMis);
    EXPECT_EQ(w->ShownTopic(), 0);
}

TEST_F(FrmMdiTest, AboutBoxShowsNameVersionAndTextsAndHasNoSystemInformation) {
    std::map<std::string, std::string> seen;
    bool found = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || box->objectName() != "ABOUT_BOX") {
            if (box) box->reject();
            return;
        }
        found = true;
        seen["caption"] = box->windowTitle().toStdString();
        for (const char* name : {"Lbl_Program", "Lbl_Version", "Lbl_Tolva_Merix2", "Lbl_Tolva_Merix6"})
            seen[name] = box->findChild<QLabel*>(name)->text().toStdString();
        seen["Cmd_OK"] = box->findChild<QPushButton*>("Cmd_OK")->text().toStdString();
        dialogs.ExpectMessage(IdOk);
        box->findChild<QPushButton*>("CmdInfo")->click();
        box->findChild<QPushButton*>("CmdHelp")->click();
        box->findChild<QPushButton*>("Cmd_OK")->click();
    });
    mdi->HelpItem(5)->trigger();
    ASSERT_TRUE(found);
    EXPECT_EQ(seen["caption"], Txt(LangAboutBox, 1));
    EXPECT_EQ(seen["Lbl_Program"], "VELM");
    EXPECT_EQ(seen["Lbl_Version"], "VELM 2.1");
    EXPECT_EQ(seen["Lbl_Tolva_Merix2"], Txt(LangAboutBox, 8));
    EXPECT_EQ(seen["Lbl_Tolva_Merix6"], Txt(LangAboutBox, 12));
    EXPECT_EQ(seen["Cmd_OK"], Txt(LangCommon, 7));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, "Le informazioni sul sistema non sono attualmente disponibili.");
    EXPECT_EQ(dialogs.messages[0].style, MbOkOnly);
    ASSERT_NE(help.Window(), nullptr);
    EXPECT_EQ(help.Window()->ShownTopic(), HelpContextAboutBox);
    std::string value = "x";
    EXPECT_FALSE(ReadRegistryValue(HKEY_LOCAL_MACHINE_ROOT, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", value));
    EXPECT_EQ(value, "");
}

}  // namespace
}  // namespace velm
