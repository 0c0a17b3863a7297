// Start-up and exit of the whole program, in-process.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QLineEdit>
#include <QMdiArea>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "frame/data_file.h"
#include "frame/language.h"
#include "frame/number_text.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_mdi.h"
#include "frame/windows/startup.h"
#include "frame/working_state.h"
#include "support/qt/app_fixture.h"

namespace velm {
namespace {

namespace fs = std::filesystem;

class StartupTest : public AppFixture {};

TEST_F(StartupTest, EmptySettingsStoreGivesDefaultsAndALiveMainWindow) {
    ASSERT_TRUE(Start());
    FrmMDI* mdi = Mdi();
    ASSERT_NE(mdi, nullptr);
    EXPECT_TRUE(mdi->isVisible());
    EXPECT_TRUE(mdi->Live());
    EXPECT_TRUE(mdi->windowTitle().startsWith("VELM")) << mdi->windowTitle().toStdString();
    EXPECT_FALSE(mdi->windowTitle().contains("/"));
    EXPECT_EQ(Splash(), nullptr);          // unloaded at the end
    EXPECT_FALSE(look.hourglass);          // pointer restored
    EXPECT_GE(look.hourglassSets, 1);
    EXPECT_EQ(exitCalls, 0);

    const WorkingState& st = State();
    EXPECT_EQ(st.AppDir, ProgramFolder());
    EXPECT_EQ(fs::current_path(), fs::path(ProgramFolder()));
    EXPECT_EQ(st.CurrentFileName, "");
    EXPECT_EQ(st.ShapeCode, ShapeNone);
    EXPECT_EQ(st.ShapeFamily, 0);
    EXPECT_EQ(st.OpenPreview, -1);
    EXPECT_EQ(st.Settings.LatoSaldatura, 1);
    EXPECT_EQ(st.Settings.MeasuringSystem, 0);
    EXPECT_EQ(st.ThicknessFactor, 1);
    EXPECT_FLOAT_EQ(st.Settings.AngleStep, 1.0f);
    EXPECT_FLOAT_EQ(st.Inputs.CylinderData[1], 0.3f);
    EXPECT_FLOAT_EQ(st.Inputs.ConeData[3], 29.0f);
    EXPECT_FLOAT_EQ(st.Inputs.CylElbowData[6], 157.07964f);
    EXPECT_FLOAT_EQ(st.Limits.DiameterLimit.Max, 300.0f);

    // The language file was decoded beside the program and its texts loaded.
    EXPECT_TRUE(fs::exists(st.LangTempFile));
    EXPECT_FALSE(Txt(LangMsgbox, 2).empty());
    ASSERT_GE(Language().MenuCount, 5);
    // Menu captions come from the menu records.
    EXPECT_EQ(mdi->findChild<QMenu*>("mnuFile")->title(), "File");
    EXPECT_EQ(mdi->FileItem(1)->text(), "Open");
    EXPECT_EQ(mdi->FormeSub3Item(3)->text().toStdString(),
              Language().MenuTexts[2].Texts[16].substr(0, Language().MenuTexts[2].Texts[16].find_last_not_of(' ') + 1));
    EXPECT_FALSE(mdi->OpzioniItem(3)->isChecked());

    // Nothing opened yet: no save, no export, no print.
    for (int i : {2, 3, 4, 5, 8}) EXPECT_FALSE(mdi->FileItem(i)->isEnabled()) << "File item " << i;
    EXPECT_TRUE(mdi->FileItem(1)->isEnabled());
    EXPECT_FALSE(mdi->ToolButton(1)->isEnabled());
    EXPECT_FALSE(mdi->ToolButton(3)->isEnabled());
    EXPECT_TRUE(mdi->ToolButton(0)->isEnabled());
    // Start-up writes no setting.
    EXPECT_FALSE(fs::exists(Settings().FilePath("VELM.INI")));
}

TEST_F(StartupTest, StoredSettingsAreReadAtStart) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> system;
        bool calibrationChecked;
        std::int16_t measuring;
        float thickness;  // CylinderData(1) after start-up
        const char* thicknessText;
    } const cases[] = {
        {"defaults", {}, false, 0, 0.3f, "0.3"},
        {"both factors 1", {{"SettingXPrinter", "1"}, {"SettingYPrinter", "1"}}, false, 0, 0.3f, "0.3"},
        {"x factor 1.02", {{"SettingXPrinter", "1.02"}}, true, 0, 0.3f, "0.3"},
        {"y factor .98", {{"SettingYPrinter", ".98"}}, true, 0, 0.3f, "0.3"},
        {"inches", {{"MeasuringSystem", "1"}}, false, 1, 0.3f / 25.4f, "0.0118"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (auto& [key, value] : c.system) Seed("System", key, value);
        ASSERT_TRUE(Start());
        const WorkingState& st = State();
        EXPECT_EQ(Mdi()->OpzioniItem(3)->isChecked(), c.calibrationChecked);
        EXPECT_EQ(st.Settings.MeasuringSystem, c.measuring);
        EXPECT_FLOAT_EQ(st.Inputs.CylinderData[1], c.thickness);
        EXPECT_EQ(FormatLength(st.Inputs.CylinderData[1], st.Settings.MeasuringSystem), c.thicknessText);
        if (c.measuring == 1) {
            EXPECT_FLOAT_EQ(st.Inputs.CylinderData[2], 20.0f / 25.4f);
            EXPECT_FLOAT_EQ(st.Inputs.CylinderData[4], 10.0f);   // angles stay
            EXPECT_FLOAT_EQ(st.Inputs.CylElbowData[8], 5.0f);    // and counts
        }
        CloseAllWindows();
        State() = WorkingState{};
        std::error_code ec;
        fs::remove(Settings().FilePath("VELM.INI"), ec);
    }
}

// What the user sees: the first cylinder window shows the default thickness in inches.
TEST_F(StartupTest, InchModeShowsTheDefaultThicknessInInches) {
    Seed("System", "MeasuringSystem", "1");
    ASSERT_TRUE(Start());
    if (!ShapeWindowAvailable(ShapeCiRe)) GTEST_SKIP() << "no cylinder window yet";
    OpenShapeForm(ShapeCiRe, StartPanel());
    Wait(50);
    QWidget* box = nullptr;
    for (QWidget* w : Mdi()->findChildren<QWidget*>("TxtInputDati(0)"))
        if (w->isVisible()) box = w;
    ASSERT_NE(box, nullptr);
    QLineEdit* edit = qobject_cast<QLineEdit*>(box);
    if (!edit) edit = box->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "0.0118");
}

TEST_F(StartupTest, MissingLanguageFileShowsItsMessageAndEnds) {
    fs::remove(fs::path(ProgramFolder()) / "VELM.lng");
    dialogs.ExpectMessage(IdOk);
    EXPECT_FALSE(Start());
    EXPECT_EQ(exitCalls, 1);
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].style, MbOkOnly);
    EXPECT_EQ(dialogs.messages[0].title, "VELM");
    EXPECT_NE(dialogs.messages[0].prompt.find("not Found"), std::string::npos) << dialogs.messages[0].prompt;
    // Nothing was made for it: no empty language file, no main window shown.
    EXPECT_FALSE(fs::exists(fs::path(ProgramFolder()) / "VELM.lng"));
    EXPECT_FALSE(fs::exists(State().LangTempFile));
    EXPECT_TRUE(MainWindow() == nullptr || !MainWindow()->isVisible());
    EXPECT_EQ(Splash(), nullptr);
    EXPECT_FALSE(look.hourglass);
}

TEST_F(StartupTest, OldTemporaryLanguageFileIsReplaced) {
    ASSERT_TRUE(Start());
    const std::string temp = State().LangTempFile;
    CloseAllWindows();
    { std::ofstream(temp) << "[Common]\nstale\n"; }
    State() = WorkingState{};
    Language() = LanguageTexts{};
    ASSERT_TRUE(Start());
    EXPECT_NE(Txt(LangCommon, 1), "stale");
}

// Every way out asks the same question; only Yes ends, and the weld side is
// written only when it differs from the stored one.
TEST_F(StartupTest, ExitQuestionOnEveryWayOut) {
    enum Way { CloseWindow, FileExit, ToolbarExit };
    struct Case {
        Way way;
        int answer;
        const char* storedSide;   // before the start; nullptr: none stored
        std::int16_t sideAtExit;  // LatoSaldatura when the question comes
        const char* expectedStored;
    } const cases[] = {
        {CloseWindow, IdNo, nullptr, -1, "Not Used"},
        {CloseWindow, IdYes, nullptr, 1, "Not Used"},  // unchanged: nothing written
        {CloseWindow, IdYes, nullptr, -1, "-1"},       // flipped: written
        {FileExit, IdNo, "-1", 1, "-1"},
        {FileExit, IdYes, "-1", -1, "-1"},
        {FileExit, IdYes, "-1", 1, "1"},
        {ToolbarExit, IdNo, nullptr, -1, "Not Used"},
        {ToolbarExit, IdYes, nullptr, -1, "-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "way " << c.way << " answer " << c.answer << " side " << c.sideAtExit);
        if (c.storedSide) Seed("Options", "LatoSaldatura", c.storedSide);
        exitCalls = 0;
        dialogs.Reset();
        ASSERT_TRUE(Start());
        const std::string temp = State().LangTempFile;
        State().Settings.LatoSaldatura = c.sideAtExit;
        dialogs.ExpectMessage(c.answer);
        switch (c.way) {
            case CloseWindow: Mdi()->close(); break;
            case FileExit: Mdi()->FileItem(16)->trigger(); break;
            case ToolbarExit: Mdi()->ToolButton(7)->click(); break;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangMsgbox, 2));
        EXPECT_EQ(dialogs.messages[0].title, Txt(LangMsgbox, 1));
        EXPECT_EQ(dialogs.messages[0].style, 36);
        const bool yes = c.answer == IdYes;
        EXPECT_EQ(exitCalls, yes ? 1 : 0);
        EXPECT_EQ(exitCode, yes ? 0 : exitCode);
        EXPECT_EQ(fs::exists(temp), !yes);
        EXPECT_EQ(Stored("Options", "LatoSaldatura"), c.expectedStored);
        if (!yes) {
            EXPECT_TRUE(Mdi()->isVisible());
        }
        // No other setting is written at exit.
        EXPECT_EQ(Stored("System", "MeasuringSystem"), "Not Used");
        CloseAllWindows();
        State() = WorkingState{};
        std::error_code ec;
        fs::remove(Settings().FilePath("VELM.INI"), ec);
    }
}

TEST_F(StartupTest, ExitProgramEndsOnceAndShowsTheSplash) {
    ASSERT_TRUE(Start());
    ExitProgram();
    EXPECT_EQ(exitCalls, 1);
    EXPECT_NE(Splash(), nullptr);
    EXPECT_TRUE(look.hourglass);
    ExitProgram();  // already on its way out
    EXPECT_EQ(exitCalls, 1);
}

// Before the settings were read the cache holds only defaults: comparing
// them with the store would overwrite the user's weld side.
TEST_F(StartupTest, ExitBeforeTheSettingsWereReadWritesNothing) {
    Seed("Options", "LatoSaldatura", "-1");
    State().Settings.LatoSaldatura = 1;
    ExitProgram();
    EXPECT_EQ(exitCalls, 1);
    EXPECT_EQ(Stored("Options", "LatoSaldatura"), "-1");
}

TEST_F(StartupTest, MainWindowKeepsItsMinimumSize) {
    ASSERT_TRUE(Start());
    FrmMDI* mdi = Mdi();
    mdi->showNormal();
    mdi->resize(5000 / 15, 4000 / 15);
    QCoreApplication::processEvents();
    EXPECT_GE(mdi->width() * 15, 8000);
    EXPECT_GE(mdi->height() * 15, 6200);
}

TEST_F(StartupTest, CommandLineFileOpensOnceAtTheStartPanel) {
    // A data file that names no shape, so that no shape window is needed.
    DataFileRecord record = DataFileRecordOf(WorkingState{});
    record.ShapeCode = 0;
    record.Inputs.CylinderData[2] = 123.0f;
    const std::string file = ProgramFolder() + "/../job one.qvl";
    { std::ofstream(file, std::ios::binary) << WriteDataFileText(record); }
    ASSERT_TRUE(Start(file));
    AppFixture::Wait(50);
    if (StartPanel() == nullptr) GTEST_SKIP() << "no start panel yet";
    EXPECT_EQ(State().CurrentFileName, file);
    EXPECT_FLOAT_EQ(State().Inputs.CylinderData[2], 123.0f);
    // Activating the panel again does not open it again.
    State().CurrentFileName.clear();
    State().Inputs.CylinderData[2] = 20.0f;
    Mdi()->Area()->setActiveSubWindow(nullptr);
    StartPanel()->activateWindow();
    QApplication::setActiveWindow(Mdi());
    AppFixture::Wait(50);
    EXPECT_EQ(State().CurrentFileName, "");
    EXPECT_FLOAT_EQ(State().Inputs.CylinderData[2], 20.0f);
}

TEST_F(StartupTest, CommandLineNamingAMissingFileShowsOnlyTheStartPanel) {
    ASSERT_TRUE(Start(ProgramFolder() + "/missing.qvl"));
    AppFixture::Wait(50);
    EXPECT_EQ(State().CurrentFileName, "");
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace velm
