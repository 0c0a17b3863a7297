// Start-up and exit of the whole program, in-process.
#include <filesystem>

#include "core/number_text.h"
#include "frame/windows/startup.h"
#include "frame/windows/window_test_actions.h"
#include "platform/look.h"
#include "platform/services.h"
#include "support/silent_service.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

namespace fs = std::filesystem;
using namespace wt;

class StartupTest : public AppFixture {
protected:
    // Starts afresh within one test: new folders, settings and state.
    void Restart() {
        TearDown();
        SetUp();
        exitCalls = 0;
        dialogs.Reset();
    }
};

// An empty settings store: a live main window in the program folder, texts
// and menu captions from the decoded language file, and no setting written.
TEST_F(StartupTest, EmptySettingsStoreGivesALiveMainWindow) {
    ASSERT_TRUE(Start());
    ASSERT_NE(Mdi(), nullptr);
    EXPECT_TRUE(Mdi()->isVisible() && Mdi()->Live());
    EXPECT_EQ(Splash(), nullptr);  // unloaded at the end
    EXPECT_FALSE(look.hourglass);  // pointer restored
    EXPECT_EQ(fs::current_path(), fs::path(ProgramFolder()));
    EXPECT_EQ(Mdi()->FileItem(FileMenuItem::Open)->text(), "&Open...");
    EXPECT_FALSE(fs::exists(Settings().FilePath("VELM.INI")));
}

TEST_F(StartupTest, StoredSettingsAreReadAtStart) {
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> system;
        bool calibrationChecked;
        std::int16_t measuring;
        const char* thicknessText;  // CylinderData(1) after start-up
    } cases[] = {
        {"x factor 1.02", {{"SettingXPrinter", "1.02"}}, true, 0, "0.3"},
        {"inches", {{"MeasuringSystem", "1"}}, false, 1, "0.0118"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        for (auto& [key, value] : c.system) Seed("System", key, value);
        ASSERT_TRUE(Start());
        const WorkingState& st = State();
        EXPECT_EQ(Mdi()->OpzioniItem(3)->isChecked(), c.calibrationChecked);
        EXPECT_EQ(st.Settings.MeasuringSystem, c.measuring);
        EXPECT_EQ(FormatLength(st.Inputs.CylinderData[1], st.Settings.MeasuringSystem), c.thicknessText);
        if (c.measuring == 1) { EXPECT_FLOAT_EQ(st.Inputs.CylElbowData[8], 5.0f); }  // counts stay
    }
}

// Neither the platform set-up nor the start waits on a print service that takes the connection and never answers.
TEST_F(StartupTest, AHungPrintServiceHoldsNeitherThePlatformSetUpNorTheStart) {
    TempFolder folder;
    const SilentService silent(folder.Path(), SilentService::Mute);
    ASSERT_FALSE(silent.Server().empty());
    const Services doubles = Platform();
    const auto start = std::chrono::steady_clock::now();
    InstallQtPlatform();
    Platform() = doubles;  // the test's own services again for the windows
    InstallLook(&look);
    ASSERT_TRUE(Start());
    EXPECT_LT(SecondsSince(start), 1.0);  // the start is tens of milliseconds; one bounded wait is 2.5 s
    EXPECT_TRUE(StartPanel() && StartPanel()->isVisible());
}

// The splash is shown during the wait, and not made at all without one.
TEST_F(StartupTest, SplashOnlyWithAWait) {
    struct SplashShown : QObject {
        bool shown = false;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Show && watched->objectName() == "FrmLogo") shown = true;
            return false;
        }
    };
    const struct {
        const char* seconds;
        bool shown;
    } cases[] = {{"0", false}, {"0.01", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        Restart();
        setenv("VELM_SPLASH_SECONDS", c.seconds, 1);
        SplashShown filter;
        qApp->installEventFilter(&filter);
        const bool started = Start();
        qApp->removeEventFilter(&filter);
        ASSERT_TRUE(started);
        EXPECT_EQ(filter.shown, c.shown);
        EXPECT_EQ(Splash(), nullptr);  // unloaded at the end either way
    }
}

// Nothing is made for a missing language file: no empty file, no main window.
TEST_F(StartupTest, MissingLanguageFileShowsItsMessageAndEnds) {
    fs::remove(fs::path(ProgramFolder()) / "VELM.lng");
    dialogs.ExpectMessage(IdOk);
    EXPECT_FALSE(Start());
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].prompt.find("not Found"), std::string::npos) << dialogs.messages[0].prompt;
    EXPECT_FALSE(fs::exists(fs::path(ProgramFolder()) / "VELM.lng"));
    EXPECT_TRUE(MainWindow() == nullptr || !MainWindow()->isVisible());
}

// Every way out asks the same question; only Yes ends, and the weld side is
// written only when it differs from the stored one.
TEST_F(StartupTest, ExitQuestionOnEveryWayOut) {
    enum Way { CloseWindow, FileExit, ToolbarExit, ClosePanel };
    const struct {
        Way way;
        int answer;
        const char* storedSide;   // before the start; nullptr: none stored
        std::int16_t sideAtExit;  // LatoSaldatura when the question comes
        const char* expectedStored;
    } cases[] = {
        {CloseWindow, IdYes, nullptr, 1, "Not Used"}, {FileExit, IdYes, "-1", 1, "1"},
        {ToolbarExit, IdYes, nullptr, -1, "-1"},      {ClosePanel, IdNo, nullptr, -1, "Not Used"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "way " << c.way << " answer " << c.answer << " side " << c.sideAtExit);
        Restart();
        if (c.storedSide) Seed("Options", "LatoSaldatura", c.storedSide);
        ASSERT_TRUE(Start());
        const std::string temp = State().LangTempFile;
        State().Settings.LatoSaldatura = c.sideAtExit;
        dialogs.ExpectMessage(c.answer);
        switch (c.way) {
            case CloseWindow: Mdi()->close(); break;
            case FileExit: Mdi()->FileItem(FileMenuItem::Exit)->trigger(); break;
            case ToolbarExit: Mdi()->ToolButton(7)->click(); break;
            case ClosePanel: qobject_cast<QMdiSubWindow*>(StartPanel()->parentWidget())->close(); break;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].prompt + "|" + dialogs.messages[0].title, Txt(LangMsgbox, 2) + "|" + Txt(LangMsgbox, 1));
        EXPECT_EQ(dialogs.messages[0].style, MbYesNo + MbQuestion);
        const bool yes = c.answer == IdYes;
        EXPECT_EQ(exitCalls, yes ? 1 : 0);
        EXPECT_EQ(fs::exists(temp), !yes);
        EXPECT_EQ(Stored("Options", "LatoSaldatura"), c.expectedStored);
        if (!yes) { EXPECT_TRUE(Mdi()->isVisible() && StartPanel()->isVisible()); }
    }
}

TEST_F(StartupTest, ExitProgramEndsOnceAndShowsTheSplash) {
    ASSERT_TRUE(Start());
    ExitProgram();
    EXPECT_EQ(exitCalls, 1);
    EXPECT_EQ(exitCode, 0);
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

}  // namespace
}  // namespace velm
