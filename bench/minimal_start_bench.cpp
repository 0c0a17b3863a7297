// The yardstick of the start-up: a minimal Qt Widgets program, from main()
// to the first paint of its one window. Run once per process, as
// BM_FirstStartFromMain is (bench/startup_compare.sh alternates them).
// BM_MinimalWindowFromMain shows a small window; BM_MainSizedWindowFromMain
// one of the size the program's main window opens at (three quarters of the
// screen), so that both pay alike for a large window's memory.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <chrono>

#include "bench_support.h"

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point g_processStart;

template <class Size>
void ShowOneWindow(benchmark::State& state, Size size) {
    static bool ran = false;
    if (!velm::bench::FirstStartOfProcess(state, ran)) return;
    for (auto _ : state) {
        QWidget window;
        window.resize(size());
        window.show();
        if (!velm::bench::WaitForFirstPaint(&window)) state.SkipWithError("the window was never painted");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - g_processStart).count());
    }
}

void BM_MinimalWindowFromMain(benchmark::State& state) {
    ShowOneWindow(state, [] { return QSize(640, 480); });
}
BENCHMARK(BM_MinimalWindowFromMain)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void BM_MainSizedWindowFromMain(benchmark::State& state) {
    ShowOneWindow(state, [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry().size() * 3 / 4 : QSize(1000, 740);
    });
}
BENCHMARK(BM_MainSizedWindowFromMain)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    g_processStart = Clock::now();
    return velm::bench::RunInQtApplication(argc, argv);
}
