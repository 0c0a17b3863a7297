// The drawing file of a 50-piece cylindrical elbow, every piece developed
// again and written to a file, at the default step and at the finest one.
// The file goes to the temporary folder and is synced before it replaces the
// previous one: with TMPDIR on a memory file system (/dev/shm) the same run
// shows the time without the disk. The same writes run again in a process
// that has made its Qt application and painted a window, as the program has
// before any export: there they should take at most 1.3 times as long.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <QApplication>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "elbows/cyl_elbow.h"
#include "output/dxf_export.h"

namespace {

using namespace velm;

float Rad(float deg) { return static_cast<float>(deg * DegToRad); }

std::unique_ptr<WorkingState> FiftyPieceElbow(float step) {
    auto st = std::make_unique<WorkingState>();
    st->Settings.AngleStep = step;
    // Thickness, diameter, cuts 5 and -5, 180 degrees, R 300, 50 pieces.
    st->Inputs.CylElbowData = {0, 0.3f, 25, 5, -5, 180, static_cast<float>(300 * Pi), 300, 50, Rad(5), Rad(-5),
                               Rad(180)};
    ComputeCylElbow(st->Inputs.CylElbowData, st->ThicknessFactor, st->Elbow);
    st->ShapeCode = ShapeCuCilindri;
    st->DevelopmentValid = True16;
    return st;
}

void BM_DxfFiftyPieceElbowToFile(benchmark::State& state) {
    const auto st = FiftyPieceElbow(static_cast<float>(state.range(0)) / 10);
    std::string folder = (std::filesystem::temp_directory_path() / "velm-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = folder + "/elbow.dxf";
    for (auto _ : state) {
        const DxfFileResult r = WriteDxfFile(path, *st);
        if (!r.Ok()) state.SkipWithError("not written");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove_all(folder);
}
// The same into memory: the writing without the file system.
void BM_DxfFiftyPieceElbowToMemory(benchmark::State& state) {
    const auto st = FiftyPieceElbow(static_cast<float>(state.range(0)) / 10);
    for (auto _ : state) {
        std::ostringstream out(std::ios::binary);
        if (WriteDxfEntities(out, *st) != DxfStatus::Written) state.SkipWithError("not written");
        benchmark::DoNotOptimize(out);
    }
}

// The Qt application is made by the first benchmark that asks for it and
// kept to the end: the benchmarks registered before these run without one.
// A window is painted once, as the program has done before any export.
void MakeQtApplication() {
    static int argc = 1;
    static char name[] = "dxf_export_bench";
    static char* argv[] = {name, nullptr};
    static const auto app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        auto made = std::make_unique<QApplication>(argc, argv);
        QWidget window;
        window.resize(640, 400);
        window.show();
        window.repaint();
        return made;
    }();
}
void BM_DxfFiftyPieceElbowToMemoryInQtApplication(benchmark::State& state) {
    MakeQtApplication();
    BM_DxfFiftyPieceElbowToMemory(state);
}
void BM_DxfFiftyPieceElbowToFileInQtApplication(benchmark::State& state) {
    MakeQtApplication();
    BM_DxfFiftyPieceElbowToFile(state);
}

// Step in tenths of a degree: 1 degree, 0.1 degree.
BENCHMARK(BM_DxfFiftyPieceElbowToMemory)->Arg(10)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxfFiftyPieceElbowToFile)->Arg(10)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxfFiftyPieceElbowToMemoryInQtApplication)->Arg(10)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxfFiftyPieceElbowToFileInQtApplication)->Arg(10)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
