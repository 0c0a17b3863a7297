#pragma once
// What the benchmark programs share: a main inside a Qt application, and
// the apply-and-develop loop of a shape window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/working_state.h"
#include "platform/qt/picture_box.h"

namespace velm::bench {

// Runs the registered benchmarks in a Qt application, offscreen unless the
// environment names another platform.
inline int RunInQtApplication(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// What a user waits for in a shape window of family W (shape code
// st.range(0)): apply (validation, development, sketch) and develop (the
// pattern drawn and filled) at the finest angular step, in a window of
// 1280 x 800 pixels.
template <class W>
void ApplyAndDevelopLoop(benchmark::State& st) {
    const auto code = static_cast<std::int16_t>(st.range(0));
    State() = WorkingState{};
    State().Settings.AngleStep = 0.1f;
    auto window = std::make_unique<W>(code);
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

}  // namespace velm::bench
