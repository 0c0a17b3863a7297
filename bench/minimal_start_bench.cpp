// The yardstick of the start-up: a minimal Qt Widgets program, from main()
// to the first paint of its one window. Run once per process, as
// BM_FirstStartFromMain is (bench/startup_compare.sh alternates the two).
#include <QWidget>
#include <chrono>

#include "bench_support.h"

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point g_processStart;

void BM_MinimalWindowFromMain(benchmark::State& state) {
    static bool ran = false;
    if (!velm::bench::FirstStartOfProcess(state, ran)) return;
    for (auto _ : state) {
        QWidget window;
        window.resize(640, 480);
        window.show();
        if (!velm::bench::WaitForFirstPaint(&window)) state.SkipWithError("the window was never painted");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - g_processStart).count());
    }
}
BENCHMARK(BM_MinimalWindowFromMain)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    g_processStart = Clock::now();
    return velm::bench::RunInQtApplication(argc, argv);
}
