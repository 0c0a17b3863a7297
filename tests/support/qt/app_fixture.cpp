#include "support/qt/app_fixture.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "core/language.h"
#include "core/settings.h"
#include "frame/command_registry.h"
#include "frame/windows/frame_api.h"
#include "program.h"
#include "core/working_state.h"
#include "platform/look.h"
#include "platform/qt/service_calls.h"
#include "platform/services.h"

namespace velm {

namespace fs = std::filesystem;

// Threads besides the caller that the program started and that still run:
// plain threads keep the process's name, Qt names its own after their class.
static int RunningProgramThreads() {
    const auto firstLine = [](const fs::path& file) {
        std::string line;
        std::getline(std::ifstream(file), line);
        return line;
    };
    const std::string name = firstLine("/proc/self/comm"), self = std::to_string(gettid());
    int running = 0;
    std::error_code ec;
    for (const auto& task : fs::directory_iterator("/proc/self/task", ec)) {
        if (task.path().filename() == self || firstLine(task.path() / "comm") != name) continue;
        const std::string stat = firstLine(task.path() / "stat");  // "tid (name) state ppid pgrp session tty tpgid flags"
        char state = 0;
        unsigned long flags = 0;
        // A thread just joined may stay listed a moment while it leaves (exiting: 0x4).
        running += std::sscanf(stat.c_str() + stat.rfind(')') + 1, " %c %*d %*d %*d %*d %*d %lu", &state, &flags) == 2 &&
                   (flags & 0x4) == 0 && state != 'Z' && state != 'X';
    }
    return running;
}

void AppFixture::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "velm-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    programFolder_ = root_ + "/program";
    settingsFolder_ = root_ + "/config";
    fs::create_directories(programFolder_);
    fs::create_directories(settingsFolder_);
    for (const char* name : {"VELM.lng", "VELM.HLP"})
        fs::copy_file(fs::path(VELM_PROGRAM_DIR) / name, fs::path(programFolder_) / name);

    std::error_code ec;
    previousFolder_ = fs::current_path(ec).string();
    setenv("XDG_CONFIG_HOME", settingsFolder_.c_str(), 1);
    setenv("VELM_SPLASH_SECONDS", "0", 1);

    settings_ = std::make_unique<IniSettingsStore>(settingsFolder_);
    Services& s = Platform();
    s.dialogs = &dialogs;
    s.settings = settings_.get();
    s.help = &help;
    s.processes = &processes;
    s.printer = &printer;
    InstallLook(&look);
    SetExitHook([this](int code) {
        ++exitCalls;
        exitCode = code;
    });
    State() = WorkingState{};
    Language() = LanguageTexts{};
}

void AppFixture::TearDown() {
    CloseAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (help.Window()) help.Window()->hide();
    dialogs.VerifyAllUsed();
    // The application may end right after the windows; print-service calls are waited for as its end does.
    FinishServiceCalls();
    EXPECT_EQ(RunningProgramThreads(), 0) << "a thread of the program outlives its windows";

    SetExitHook(nullptr);
    Platform() = Services{};
    InstallLook(nullptr);
    State() = WorkingState{};
    Language() = LanguageTexts{};
    ClearCommands();
    std::error_code ec;
    if (!previousFolder_.empty()) fs::current_path(previousFolder_, ec);
    fs::remove_all(root_, ec);
    unsetenv("VELM_SPLASH_SECONDS");
}

bool AppFixture::Start(const std::string& commandLineFile) {
    return StartProgram({programFolder_, commandLineFile});
}

void AppFixture::Seed(const std::string& section, const std::string& key, const std::string& value) {
    settings_->SaveSetting(SettingsAppName, section, key, value);
}

std::string AppFixture::Stored(const std::string& section, const std::string& key) const {
    return settings_->GetSetting(SettingsAppName, section, key, SettingNotUsed);
}

void AppFixture::Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace velm
