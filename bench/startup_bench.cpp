// Time from the start of the program to the start panel's first paint,
// without the splash wait: the whole start-up in-process (main window,
// settings, language file decoded and loaded, menus, defaults, start panel).
// bench/startup_compare.sh sets the first start of a process against a
// minimal Qt Widgets program (minimal_start_bench).
#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "bench_support.h"
#include "program_folders.h"
#include "core/language.h"
#include "frame/windows/frame_api.h"
#include "program.h"
#include "core/working_state.h"
#include "platform/look.h"
#include "platform/services.h"
#include "platform/qt/system_fonts.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

Clock::time_point g_processStart;

void Reset() {
    velm::CloseAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    velm::State() = velm::WorkingState{};
    velm::Language() = velm::LanguageTexts{};
}

// The folders, no splash wait and the Qt services for the starts of one
// benchmark; the working folder is put back at the end.
struct StartBench {
    StartBench() {
        setenv("VELM_SPLASH_SECONDS", "0", 1);
        velm::InstallQtPlatform();
    }
    ~StartBench() { fs::current_path(here); }
    // One start-up up to the start panel's first paint; false, with the
    // benchmark stopped, when it ended the program or never painted.
    bool Start(benchmark::State& state) const {
        if (!velm::StartProgram({folders.program.string(), ""})) {
            state.SkipWithError("start-up ended the program");
            return false;
        }
        QWidget* panel = velm::StartPanel();
        if (panel && velm::bench::WaitForFirstPaint(panel)) return true;
        state.SkipWithError("the start panel was never painted");
        return false;
    }
    velm::bench::ProgramFolders folders;
    const std::string here = fs::current_path().string();
};

// The first start of the process, counted from main(): Qt's own set-up
// (platform, fonts) included, as a user meets it. Only the first run of a
// process is a first start: repetitions within one process would count the
// earlier ones too, so they are refused; run the program again instead.
void BM_FirstStartFromMain(benchmark::State& state) {
    static bool ran = false;
    if (!velm::bench::FirstStartOfProcess(state, ran)) return;
    const StartBench bench;
    for (auto _ : state) {
        if (!bench.Start(state)) break;
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - g_processStart).count());
    }
    Reset();
}
BENCHMARK(BM_FirstStartFromMain)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// Every later start: the program's own start-up alone.
void BM_StartToStartPanel(benchmark::State& state) {
    const StartBench bench;
    for (auto _ : state) {
        if (!bench.Start(state)) break;
        state.PauseTiming();
        Reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToStartPanel)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    g_processStart = Clock::now();
    velm::BeginReadingSystemFonts();  // as the program's own main does
    return velm::bench::RunInQtApplication(argc, argv);
}
