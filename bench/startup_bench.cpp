// Time from the start of the program to the start panel shown, without the
// splash wait: the whole start-up in-process (main window, settings,
// language file decoded and loaded, menus, defaults, start panel).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "frame/language.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/startup.h"
#include "frame/working_state.h"
#include "platform/look.h"
#include "platform/services.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

Clock::time_point g_processStart;

// A program folder with the build's language and help files, and an empty
// settings folder.
struct Folders {
    Folders() {
        std::string pattern = (fs::temp_directory_path() / "velm-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        root = pattern;
        program = root / "program";
        fs::create_directories(program);
        fs::create_directories(root / "config");
        const fs::path built = fs::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "bin";
        for (const char* name : {"VELM.lng", "VELM.HLP"}) fs::copy_file(built / name, program / name);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    }
    ~Folders() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    fs::path root, program;
};

void Reset() {
    velm::CloseAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    velm::State() = velm::WorkingState{};
    velm::Language() = velm::LanguageTexts{};
}

// The first start of the process, counted from main(): Qt's own set-up
// (platform, fonts) included, as a user meets it.
void BM_FirstStartFromMain(benchmark::State& state) {
    Folders folders;
    setenv("VELM_SPLASH_SECONDS", "0", 1);
    velm::InstallQtPlatform();
    const std::string here = fs::current_path().string();
    for (auto _ : state) {
        if (!velm::StartProgram({folders.program.string(), ""})) {
            state.SkipWithError("start-up ended the program");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - g_processStart).count());
    }
    Reset();
    fs::current_path(here);
}
BENCHMARK(BM_FirstStartFromMain)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// Every later start: the program's own start-up alone.
void BM_StartToStartPanel(benchmark::State& state) {
    Folders folders;
    setenv("VELM_SPLASH_SECONDS", "0", 1);
    velm::InstallQtPlatform();
    const std::string here = fs::current_path().string();
    for (auto _ : state) {
        if (!velm::StartProgram({folders.program.string(), ""})) {
            state.SkipWithError("start-up ended the program");
            break;
        }
        state.PauseTiming();
        Reset();
        state.ResumeTiming();
    }
    fs::current_path(here);
}
BENCHMARK(BM_StartToStartPanel)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    g_processStart = Clock::now();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
