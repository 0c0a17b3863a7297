// What a user waits for in a cylinder window: apply (validation, development,
// sketch) and develop (the pattern drawn and filled) at the finest angular
// step, in a window of 1280 x 800 pixels.
#include "bench_support.h"
#include "cylinders/windows/cylinder_window.h"

namespace {

void BM_ApplyAndDevelop(benchmark::State& st) { velm::bench::ApplyAndDevelopLoop<velm::CylinderWindow>(st); }

// Argument: shape code 6 to 9.
BENCHMARK(BM_ApplyAndDevelop)
    ->ArgName("code")
    ->DenseRange(velm::ShapeCiRe, velm::ShapeCiDiscordi)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return velm::bench::RunInQtApplication(argc, argv); }
