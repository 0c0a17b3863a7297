// The main window: tooltips, caption, command state, print hook, unit
// command, help and the small services other windows use.
#include <QAbstractButton>
#include <QScreen>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "core/help_contexts.h"
#include "frame/command_registry.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/frm_met_calcolo.h"
#include "frame/windows/help_commands.h"
#include "frame/windows/window_test_actions.h"

namespace velm {
namespace {

namespace fs = std::filesystem;
using namespace wt;

class FrmMdiTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        mdi = Mdi();
    }
    QWidget* Tip() const { return mdi->findChild<QWidget*>("PicToolTip"); }
    std::string TipText() const { return S(mdi->findChild<QLabel*>("LblToolTip")->text()); }

    FrmMDI* mdi = nullptr;
};

// The tip shows after half a second at the button's right edge, twice as
// far down as the button sits in the toolbar.
TEST_F(FrmMdiTest, ToolbarTooltipShowsAfterHalfASecond) {
    QToolButton* open = mdi->ToolButton(0);
    MoveOver(open, {5, 5});
    EXPECT_EQ(Status(), Txt(LangHelp, 22));
    Wait(250);
    EXPECT_FALSE(Tip()->isVisible());
    Wait(400);
    ASSERT_TRUE(Tip()->isVisible());
    EXPECT_EQ(TipText(), " " + Txt(LangToolTip, 1) + " ");
    QWidget* panel = mdi->findChild<QWidget*>("PnlToolBar");
    EXPECT_EQ(Tip()->pos(), QPoint(panel->x() + open->x() + open->width(), panel->y() + 2 * open->y()));
}

// Lower-cased, the name would be another file's on this system.
TEST_F(FrmMdiTest, CaptionShowsTheOpenFileAsSpelled) {
    State().CurrentFileName = "/Work/ELBOW.QVL";
    UpdateMdiState();
    EXPECT_TRUE(mdi->windowTitle().startsWith("VELM - /Work/ELBOW.QVL")) << S(mdi->windowTitle());
}

// The command state follows the shape, the development and the preview.
TEST_F(FrmMdiTest, CommandStateIsDerivedFromTheWorkingState) {
    Seed("Recent Files", "RecentFile1", "/tmp/one.qvl");  // a recent item to see
    RefreshRecentMenu();
    const struct {
        const char* what;
        std::function<void()> act;
        bool save, dxf, open, print;
    } cases[] = {
        {"after start, nothing registered",
         [] {
             ClearCommands();
             UpdateCommandState();
         },
         false, false, true, false},
        {"shape applied, no exporters yet",
         [] {
             RegisterCommand(RegisteredCommand::DxfExport, nullptr);  // start-up registered them
             RegisterCommand(RegisteredCommand::IsoExport, nullptr);
             State().ShapeCode = ShapeCiRe;
             State().DevelopmentValid = True16;
             UpdateMdiState();
         },
         true, false, true, false},
        {"exporters there",
         [] {
             RegisterCommand(RegisteredCommand::DxfExport, [](const std::string&) {});
             RegisterCommand(RegisteredCommand::IsoExport, [](const std::string&) {});
             UpdateCommandState();
         },
         true, true, true, false},
        {"preview open, no print registered", [] { State().OpenPreview = 1; EnableFileCommands(false); }, false,
         false, false, false},
        {"print there",
         [] {
             RegisterCommand(RegisteredCommand::Print, [](const std::string&) {});
             UpdateCommandState();
         },
         false, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.act();
        for (bool on : {mdi->FileItem(FileMenuItem::Save)->isEnabled(), mdi->FileItem(FileMenuItem::SaveAs)->isEnabled(),
                        mdi->ToolButton(1)->isEnabled()})
            EXPECT_EQ(on, c.save);
        EXPECT_EQ(mdi->FileItem(FileMenuItem::SaveDxf)->isEnabled() && mdi->FileItem(FileMenuItem::SaveIso)->isEnabled(),
                  c.dxf);
        for (bool on : {mdi->FileItem(FileMenuItem::Open)->isEnabled(), mdi->ToolButton(0)->isEnabled(),
                        mdi->FileItem(RecentFileItem(1))->isEnabled(),
                        mdi->findChild<QMenu*>("mnuForme")->isEnabled()})
            EXPECT_EQ(on, c.open);
        EXPECT_EQ(mdi->FileItem(FileMenuItem::Print)->isEnabled() && mdi->ToolButton(3)->isEnabled(), c.print);
    }
}

// The same, driven through the windows: the Options menu and its toolbar
// buttons only while the start panel is the active window; save while a
// shape window is open; DXF and ISO only while its last apply was accepted;
// preview mode takes the file and shape commands and offers print.
TEST_F(FrmMdiTest, CommandStateFollowsTheWindows) {
    RegisterCommand(RegisteredCommand::DxfExport, [](const std::string&) {});
    RegisterCommand(RegisteredCommand::IsoExport, [](const std::string&) {});
    UpdateCommandState();
    Wait(30);
    ShapeWindow* w = nullptr;
    const struct {
        const char* what;
        std::function<void()> act;
        bool options, save, exports, open, print;
    } steps[] = {
        {"start panel active", [] {}, true, false, false, true, false},
        {"shape window opened and applied",
         [&w] {
             OpenShapeForm(ShapeCiTaSup, ActiveChild());
             Wait(30);
             w = MdiArea()->findChild<ShapeWindow*>("FrmCiTaSup");
         },
         false, true, true, true, false},
        {"apply refused",
         [this, &w] {
             Type(w->TxtInputDati[1], "0");
             dialogs.ExpectMessage(IdOk);
             Click(w->CmdApplica);
         },
         false, true, false, true, false},
        {"apply accepted again",
         [&w] {
             Type(w->TxtInputDati[1], "20");
             Click(w->CmdApplica);
         },
         false, true, true, true, false},
        {"preview open",
         [] {
             State().OpenPreview = 1;
             UpdateCommandState();
         },
         false, false, false, false, true},
        {"preview closed",
         [] {
             State().OpenPreview = -1;
             UpdateCommandState();
         },
         false, true, true, true, false},
        {"back to the start panel",
         [&w] {
             Click(w->CmdIndietro);
             Wait(30);
         },
         true, true, true, true, false},
    };
    for (const auto& c : steps) {
        SCOPED_TRACE(c.what);
        c.act();
        ASSERT_TRUE(c.what == std::string("start panel active") || w);
        const QMenu* options = mdi->findChild<QMenu*>("mnuOpzioni");
        for (bool on : {options->isEnabled(), options->menuAction()->isEnabled(), mdi->ToolButton(4)->isEnabled(),
                        mdi->ToolButton(5)->isEnabled()})
            EXPECT_EQ(on, c.options);
        for (bool on : {mdi->FileItem(FileMenuItem::Save)->isEnabled(), mdi->FileItem(FileMenuItem::SaveAs)->isEnabled(),
                        mdi->ToolButton(1)->isEnabled()})
            EXPECT_EQ(on, c.save);
        EXPECT_EQ(mdi->FileItem(FileMenuItem::SaveDxf)->isEnabled(), c.exports);
        EXPECT_EQ(mdi->FileItem(FileMenuItem::SaveIso)->isEnabled(), c.exports);
        for (bool on : {mdi->FileItem(FileMenuItem::Open)->isEnabled(), mdi->ToolButton(0)->isEnabled(),
                        mdi->findChild<QMenu*>("mnuForme")->isEnabled()})
            EXPECT_EQ(on, c.open);
        EXPECT_EQ(mdi->FileItem(FileMenuItem::Print)->isEnabled(), c.print);
        EXPECT_EQ(mdi->ToolButton(3)->isEnabled(), c.print);
    }
}

// A dialog is centred over its owner and pushed back onto the screen at the
// right and bottom edges; left of or above the screen it stays.
TEST_F(FrmMdiTest, CenterFormKeepsTheDialogOnTheScreensRightAndBottom) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize dialogSize(300, 200);
    const struct {
        const char* what;
        QRect owner;
        QPoint expected;
    } cases[] = {
        {"inside", QRect(screen.x() + 100, screen.y() + 100, 400, 300), QPoint(screen.x() + 150, screen.y() + 150)},
        {"near the right edge", QRect(screen.right() - 200, screen.y() + 100, 200, 300),
         QPoint(screen.x() + screen.width() - 300, screen.y() + 150)},
        {"near the bottom", QRect(screen.x() + 100, screen.bottom() - 100, 400, 100),
         QPoint(screen.x() + 150, screen.y() + screen.height() - 200)},
        {"left of the screen", QRect(screen.x() - 400, screen.y() + 100, 200, 300),
         QPoint(screen.x() - 450, screen.y() + 150)},
    };
    for (const auto& c : cases) {
        QWidget owner, dialog;
        owner.setGeometry(c.owner);
        dialog.resize(dialogSize);
        CenterForm(&owner, &dialog);
        EXPECT_EQ(dialog.pos(), c.expected) << c.what;
    }
}

// Until a later subsystem registers its command, its items are disabled, not
// wired to placeholders; shapes without a window are offered disabled.
TEST_F(FrmMdiTest, CommandsOfPartsNotThereAreDisabled) {
    RegisterCommand(RegisteredCommand::Calibration, {});  // the calibration's own registration taken away
    UpdateCommandState();
    EXPECT_FALSE(mdi->OpzioniItem(3)->isEnabled());  // printer calibration
    static int calibrations = 0;
    RegisterCommand(RegisteredCommand::Calibration, [](const std::string&) { ++calibrations; });
    UpdateCommandState();
    mdi->OpzioniItem(3)->trigger();
    EXPECT_EQ(calibrations, 1);
    for (int code = 1; code <= 13; ++code) {
        QAction* a = code <= 5 ? mdi->FormeSubItem(code)
                   : code <= 9 ? mdi->FormeSub2Item(code - 5)
                   : code == 10 ? mdi->FormeItem(3)
                                : mdi->FormeSub3Item(code - 10);
        EXPECT_EQ(a->isEnabled(), ShapeWindowAvailable(code)) << code;
    }
}

// A hook file in the program folder runs hidden instead of the printer
// dialog, then asks whether to end; the toolbar always opens the dialog.
// Neither runs while a run holds its own set-up (a range printing).
TEST_F(FrmMdiTest, PrintHookRunsTheBatchFileInsteadOfThePrinterDialog) {
    std::ofstream(fs::path(ProgramFolder()) / "Printouts.bat") << "true\n";
    HoldExit();
    mdi->FileItemClick(FileMenuItem::PrinterSetup);
    ReleaseExit();
    EXPECT_TRUE(processes.calls.empty());
    dialogs.ExpectPrinterSetup(false);
    mdi->ToolButton(2)->click();
    EXPECT_TRUE(processes.calls.empty());
    dialogs.ExpectMessage(IdOk);
    mdi->FileItem(FileMenuItem::PrinterSetup)->trigger();
    ASSERT_EQ(processes.calls.size(), 1u);
    const auto& call = processes.calls[0];
    EXPECT_EQ(call.program + " " + call.args.at(0), "/bin/sh Printouts.bat");
    EXPECT_EQ(fs::path(call.folder), fs::path(ProgramFolder()));
    EXPECT_FALSE(call.waited);
    EXPECT_EQ(dialogs.messages.at(0).prompt, Txt(LangMsgbox, 7));
    EXPECT_EQ(dialogs.messages.at(0).style, 65);
    EXPECT_EQ(exitCalls, 1);
}

// The printer set-up sends a document under way before the printer can change.
TEST_F(FrmMdiTest, PrinterSetUpEndsTheDocumentUnderWay) {
    printer.Page().Line(0, 0, 10, 10);
    dialogs.ExpectPrinterSetup(true);
    mdi->ToolButton(2)->click();
    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_TRUE(printer.documents[0].ended);
}

// The unit command, from the menu or the toolbar, converts the input arrays
// once, and stores the unit, only when it changed.
TEST_F(FrmMdiTest, UnitCommandConvertsAndStoresOnlyOnAChange) {
    const std::tuple<bool, int, float, const char*> cases[] = {  // toolbar, chosen, CylinderData(2), stored
        {true, 1, 20.0f / 25.4f, "1"}, {false, 1, 20.0f / 25.4f, "Not Used"}, {false, 0, 20.0f / 25.4f * 25.4f, "0"}};
    for (const auto& [toolbar, choice, diameter, stored] : cases) {
        bool answered = false;
        QTimer::singleShot(0, [&, choice = choice] {
            QWidget* box = QApplication::activeModalWidget();
            answered = box && box->objectName() == "FrmUnMis";
            if (!answered) return;
            box->findChild<QAbstractButton*>(QString("OptUnMisura(%1)").arg(choice))->click();
            box->findChild<QAbstractButton*>("CmdOK")->click();
        });
        if (toolbar) mdi->ToolButton(5)->click();
        else mdi->OpzioniItem(2)->trigger();
        ASSERT_TRUE(answered);
        EXPECT_EQ(State().Settings.MeasuringSystem, choice);
        EXPECT_FLOAT_EQ(State().Inputs.CylinderData[2], diameter) << choice;
        EXPECT_FLOAT_EQ(State().Inputs.CylinderData[4], 10.0f);  // angles stay
        EXPECT_EQ(Stored("System", "MeasuringSystem"), stored);
        Settings().DeleteSetting("VELM.INI", "System", "MeasuringSystem");  // unchanged: not written again
    }
}

TEST_F(FrmMdiTest, HelpOpensAtContentsSearchAndAWindowsTopic) {
    mdi->ToolButton(6)->click();
    HelpWindow* w = help.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ShownTopic(), 0);
    mdi->HelpItem(2)->trigger();
    EXPECT_EQ(w->findChild<QTabWidget*>("HelpTabs")->currentIndex(), 1);
    ShowHelpContext(HelpContextFrmUnMis);
    EXPECT_EQ(w->ShownTopic(), HelpContextFrmUnMis);
    ShowHelpContext(77777);
    EXPECT_EQ(w->ShownTopic(), 0);  // a message instead of a topic

    fs::remove(fs::path(ProgramFolder()) / "VELM.HLP");  // gone: a message, never a crash
    DispatchHelpCommand(1);
    ShowHelpContext(HelpContextFrmUnMis);
    EXPECT_EQ(w->ShownTopic(), 0);
}

// Words that were once written in the code come from the language file:
// the help viewer's own labels and messages, the About box's system-information message and the fibre notes.
TEST_F(FrmMdiTest, FixedTextsComeFromTheLanguageFile) {
    mdi->HelpItem(2)->trigger();
    HelpWindow* w = help.Window();
    ASSERT_NE(w, nullptr);
    auto* tabs = w->findChild<QTabWidget*>("HelpTabs");
    EXPECT_EQ(S(tabs->tabText(0)), Txt(LangHelp, 43));
    EXPECT_EQ(S(tabs->tabText(1)), Txt(LangHelp, 44));
    EXPECT_EQ(S(w->findChild<QLabel*>("HelpIndexPrompt")->text()), Txt(LangHelp, 45));
    ShowHelpContext(77777);
    EXPECT_NE(S(w->findChild<QTextBrowser*>("HelpPage")->toPlainText()).find(Txt(LangHelp, 47) + " 77777"),
              std::string::npos);

    std::vector<std::string> offered;  // the Help menu lists only what it does: item 3 has no command
    for (QAction* a : mdi->findChild<QMenu*>("mnuHelp")->actions())
        if (a->isVisible() && !a->isSeparator()) offered.push_back((a->isEnabled() ? "" : "greyed ") + S(a->objectName()));
    EXPECT_EQ(offered, (std::vector<std::string>{"mnuHelpItems(1)", "mnuHelpItems(2)", "mnuHelpItems(5)"}));
    EXPECT_TRUE(mdi->HelpItem(4)->isSeparator());

    dialogs.ExpectMessage(IdOk);
    StartSysInfo();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangAboutBox, 13));

    FrmMetCalcolo dialog(MainWindow());
    for (int i = 0; i < 3; ++i) {
        auto* note = dialog.findChild<QLabel*>(QString("LblNota(%1)").arg(i));
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(S(note->text()), Txt(LangFrmMetCa, 10 + i));
    }
}

// Help asked from a modal dialog comes up in front of it and takes input
// while the dialog is still open.
TEST_F(FrmMdiTest, HelpFromAModalDialogIsInFrontAndUsable) {
    const char* const dialogsWithHelp[] = {"ABOUT_BOX", "FrmMetCalcolo"};
    for (const char* name : dialogsWithHelp) {
        SCOPED_TRACE(name);
        bool shown = false, usable = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            shown = box && box->objectName() == name;
            if (!shown) return;
            box->findChild<QAbstractButton*>("CmdHelp")->click();
            Wait(20);
            HelpWindow* w = help.Window();
            if (!w || !w->isVisible()) return;
            // A click as the window system brings it: a blocked window drops it.
            auto* tabs = w->findChild<QTabWidget*>("HelpTabs");
            tabs->setCurrentIndex(0);
            const QPoint tab = tabs->tabBar()->tabRect(1).center();
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, tabs->tabBar()->mapTo(w, tab));
            usable = tabs->currentIndex() == 1;
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        if (std::string(name) == "ABOUT_BOX") mdi->HelpItem(5)->trigger();
        else mdi->OpzioniItem(1)->trigger();
        ASSERT_TRUE(shown);
        EXPECT_TRUE(usable);
        help.Window()->close();
        mdi->activateWindow();
        Wait(10);
    }
}

// F1 in a dialog opens the dialog's own topic, wherever the focus is, as its
// Help button does; the calibration dialog has no Help button and F1 alone.
TEST_F(FrmMdiTest, F1InADialogOpensItsTopic) {
    const struct {
        const char* name;
        QAction* opens;
        const char* focus;  // the child F1 is pressed in
        int topic;
    } cases[] = {
        {"ABOUT_BOX", mdi->HelpItem(5), "Cmd_OK", HelpContextAboutBox},
        {"FrmMetCalcolo", mdi->OpzioniItem(1), "ComboStep", HelpContextFrmMetCalcolo},
        {"FrmTaratura", mdi->OpzioniItem(3), "TxtLarghezza", HelpContextCalibration},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            seen = box && box->objectName() == c.name;
            if (!seen) return;
            // The measure boxes take input after a test print.
            if (auto* print = box->findChild<QAbstractButton*>("CmdStampa")) print->click();
            box->activateWindow();  // shown over the main window, it takes the keys once activated
            QApplication::processEvents();
            QWidget* at = box->findChild<QWidget*>(c.focus);
            at->setFocus();
            QTest::keyClick(at, Qt::Key_F1);
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        c.opens->trigger();
        ASSERT_TRUE(seen && help.Window());
        EXPECT_EQ(help.Window()->ShownTopic(), c.topic);  // each case's topic differs from the one before
        help.Window()->close();
        mdi->activateWindow();
        Wait(10);
    }
}

// With the focus in an input box, the main window's shortcuts run their
// commands, and a disabled command's key edits nothing; the box keeps its
// editing commands in its context menu.
TEST_F(FrmMdiTest, MenuShortcutsWinOverTheInputBoxes) {
    OpenShapeForm(ShapeCiRe, StartPanel());
    Wait(30);
    auto* w = MdiArea()->findChild<ShapeWindow*>("FrmCiRe");
    ASSERT_NE(w, nullptr);
    TextBox* box = w->TxtInputDati[1];
    RegisterCommand(RegisteredCommand::DxfExport, nullptr);  // a command that is there but disabled
    UpdateCommandState();
    State().CurrentFileName = ProgramFolder() + "/keys.qvl";
    const struct {
        const char* what;
        QKeyCombination key;
        std::function<void()> expect;  // queues the dialog the command asks
        std::function<bool()> ran;
    } cases[] = {
        {"open", Qt::CTRL | Qt::Key_A, [this] { dialogs.ExpectOpen(""); }, [this] { return dialogs.opens.size() == 1; }},
        {"save", Qt::CTRL | Qt::Key_S, [] {}, [this] { return fs::exists(ProgramFolder() + "/keys.qvl"); }},
        {"printer set-up", Qt::CTRL | Qt::Key_I, [this] { dialogs.ExpectPrinterSetup(false); }, [] { return true; }},
        {"help", Qt::CTRL | Qt::Key_F1, [] {}, [this] { return help.Window() && help.Window()->isVisible(); }},
        {"DXF, disabled", Qt::CTRL | Qt::Key_X, [] {}, [] { return true; }},
        {"units, disabled", Qt::CTRL | Qt::Key_U, [] {}, [] { return true; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(QApplication::activeWindow(), Mdi());
        Type(box, "25");
        box->selectAll();
        c.expect();
        QTest::keyClick(box, c.key.key(), c.key.keyboardModifiers());
        EXPECT_TRUE(c.ran());
        EXPECT_EQ(box->Text(), "25") << "the box edited with a command's key";
        EXPECT_EQ(State().Settings.MeasuringSystem, 0);
        Mdi()->activateWindow();  // back from the help window
        Wait(10);
        dialogs.VerifyAllUsed();
    }
    EXPECT_FALSE(mdi->FileItem(FileMenuItem::SaveDxf)->isEnabled());

    box->deselect();
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    auto item = [&menu](const QString& caption) -> QAction* {
        for (QAction* a : menu->actions())
            if (a->text().remove('&').startsWith(caption)) return a;
        return nullptr;
    };
    EXPECT_TRUE(item("Cut") && item("Copy") && item("Paste"));
    ASSERT_TRUE(item("Select All"));
    item("Select All")->trigger();
    EXPECT_EQ(S(box->selectedText()), "25");
}

}  // namespace
}  // namespace velm
