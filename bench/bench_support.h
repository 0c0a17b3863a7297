#pragma once
// What the benchmark programs share: a main inside a Qt application, and
// the apply, develop and paint loop of a shape window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

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

// Runs the event loop until `widget` has been painted (false after ten
// seconds without a paint): the turn that delivers the paint event also
// puts the frame on the screen.
inline bool WaitForFirstPaint(QWidget* widget) {
    struct PaintSeen : QObject {
        bool seen = false;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) seen = true;
            return false;
        }
    } filter;
    widget->installEventFilter(&filter);
    QElapsedTimer timer;
    timer.start();
    while (!filter.seen && timer.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 5);
    widget->removeEventFilter(&filter);
    return filter.seen;
}

// True the first time `ran` is asked in the process; after that the
// benchmark is stopped with an error: a start counted from main() is only a
// first start once per process.
inline bool FirstStartOfProcess(benchmark::State& state, bool& ran) {
    if (!ran) {
        ran = true;
        return true;
    }
    state.SkipWithError("one first start per process: run the program once for each");
    for (auto _ : state) {
    }
    return false;
}

// Which part of a click a benchmark times.
enum class Phase { Apply, Develop, Paint, All };

// Min, median and max of the timed samples as counters, in milliseconds.
inline void ReportSpread(benchmark::State& st, std::vector<double>& ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    st.counters["min_ms"] = ms.front();
    st.counters["median_ms"] = median;
    st.counters["max_ms"] = ms.back();
}

// Times one `click` plus a repaint of `picture` per sample, with manual time,
// and reports the spread.
template <class Click>
void TimeClickAndRepaint(benchmark::State& st, Click click, PictureBox& picture) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> samples;
    for (auto _ : st) {
        const auto t0 = Clock::now();
        click();
        picture.repaint();
        const auto t1 = Clock::now();
        benchmark::ClobberMemory();
        const double seconds = std::chrono::duration<double>(t1 - t0).count();
        st.SetIterationTime(seconds);
        samples.push_back(seconds * 1000.0);
        QApplication::processEvents();
    }
    ReportSpread(st, samples);
}

// What a user waits for in a shape window of family W: apply (validation,
// development, sketch), develop (the pattern drawn and filled) and paint
// (the picture box put on the screen). Every iteration runs all three and
// times `phase`. Arguments: shape code, angular step in hundredths of a
// degree, picture width and height in pixels: the window is sized so that
// its picture box has that size.
template <class W>
void ShapeWindowLoop(benchmark::State& st, Phase phase) {
    using Clock = std::chrono::steady_clock;
    const auto code = static_cast<std::int16_t>(st.range(0));
    const int pictureWidth = static_cast<int>(st.range(2)), pictureHeight = static_cast<int>(st.range(3));
    State() = WorkingState{};
    State().Settings.AngleStep = static_cast<float>(st.range(1)) / 100.0f;
    auto window = std::make_unique<W>(code);
    window->Form_Load();
    window->show();
    QApplication::processEvents();
    // The picture takes what the panel and the margins leave of the window.
    const QSize extra = window->size() - window->PctDisegno->size();
    window->resize(pictureWidth + extra.width(), pictureHeight + extra.height());
    QApplication::processEvents();
    const ImageCanvas& canvas = window->PctDisegno->canvas();
    if (canvas.PixelWidth() != pictureWidth || canvas.PixelHeight() != pictureHeight) {
        st.SkipWithError("the picture did not take the asked size");
        return;
    }
    std::vector<double> samples;
    for (auto _ : st) {
        const auto t0 = Clock::now();
        window->CmdApplica_Click();
        const auto t1 = Clock::now();
        window->CmdSviluppa_Click();
        const auto t2 = Clock::now();
        window->PctDisegno->repaint();
        const auto t3 = Clock::now();
        if (window->InputViewActive != False16) st.SkipWithError("not developed");
        benchmark::ClobberMemory();
        Clock::duration timed{};
        switch (phase) {
            case Phase::Apply: timed = t1 - t0; break;
            case Phase::Develop: timed = t2 - t1; break;
            case Phase::Paint: timed = t3 - t2; break;
            case Phase::All: timed = t3 - t0; break;
        }
        const double seconds = std::chrono::duration<double>(timed).count();
        st.SetIterationTime(seconds);
        samples.push_back(seconds * 1000.0);
        // Whatever the clicks left queued runs outside the timing.
        QApplication::processEvents();
    }
    ReportSpread(st, samples);
    window->hide();
}

// Registers BM_Apply, BM_Develop, BM_Paint and BM_ApplyDevelopPaint of the
// shape windows of class W over the sweep: shape codes first to last, steps
// 1, 0.5, 0.25 and 0.1 degrees, four picture sizes.
template <class W>
void RegisterShapeWindowBenchmarks(int firstCode, int lastCode) {
    const std::pair<const char*, Phase> phases[] = {
        {"BM_Apply", Phase::Apply},
        {"BM_Develop", Phase::Develop},
        {"BM_Paint", Phase::Paint},
        {"BM_ApplyDevelopPaint", Phase::All},
    };
    for (const auto& [name, phase] : phases) {
        auto* b = benchmark::RegisterBenchmark(name, [phase = phase](benchmark::State& st) {
            ShapeWindowLoop<W>(st, phase);
        });
        b->ArgNames({"code", "step_cdeg", "w", "h"})->Unit(benchmark::kMillisecond)->UseManualTime();
        for (int code = firstCode; code <= lastCode; ++code)
            for (int step : {100, 50, 25, 10})
                for (auto [w, h] : {std::pair{640, 400}, {1280, 800}, {2560, 1600}, {3840, 2160}})
                    b->Args({code, step, w, h});
    }
}

}  // namespace velm::bench
