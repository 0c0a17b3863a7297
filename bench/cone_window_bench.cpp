// What a user waits for in a frustum window: apply (validation, development,
// sketch) and develop (the sector drawn and filled) at the finest angular
// step, in a window of 1280 x 800 pixels.
#include "bench_support.h"
#include "cones/windows/cone_window.h"

namespace {

void BM_ApplyAndDevelop(benchmark::State& st) { velm::bench::ApplyAndDevelopLoop<velm::ConeWindow>(st); }

// Argument: shape code 1 to 5.
BENCHMARK(BM_ApplyAndDevelop)
    ->ArgName("code")
    ->DenseRange(velm::ShapeCoRe, velm::ShapeCoDiscordi)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return velm::bench::RunInQtApplication(argc, argv); }
