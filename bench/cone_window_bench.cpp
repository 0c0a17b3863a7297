// What a user waits for in a frustum window: apply (validation, development,
// sketch) and develop (the sector drawn and filled) at the finest angular
// step, in a window of 1280 x 800 pixels.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "cones/windows/cone_window.h"
#include "frame/working_state.h"
#include "platform/qt/picture_box.h"

namespace {

using namespace velm;

void BM_ApplyAndDevelop(benchmark::State& st) {
    const auto code = static_cast<std::int16_t>(st.range(0));
    State() = WorkingState{};
    State().Settings.AngleStep = 0.1f;
    auto window = std::make_unique<ConeWindow>(code);
    window->Form_Load();
    window->resize(1280, 800);
    window->show();
    QApplication::processEvents();
    for (auto _ : st) {
        window->CmdApplica_Click();
        window->CmdSviluppa_Click();
        if (window->InputViewActive != False16) st.SkipWithError("not developed");
        benchmark::DoNotOptimize(window->PctDisegno->canvas().Image().constBits());
    }
    window->hide();
}

// Argument: shape code 1 to 5.
BENCHMARK(BM_ApplyAndDevelop)->ArgName("code")->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
