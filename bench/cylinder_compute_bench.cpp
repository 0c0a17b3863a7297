// Validate-and-develop of the four cylinder kinds at the coarsest and the
// finest usual angular step.
#include <benchmark/benchmark.h>

#include "cylinders/cylinder_compute.h"

namespace {

using namespace velm;

CylinderArray KindData(std::int16_t code) {
    CylinderArray a = DefaultInputArrays().CylinderData;
    if (code == ShapeCiDiscordi) a[5] = -a[5];
    a[6] = static_cast<float>(a[4] * Pi / 180);
    a[7] = static_cast<float>(a[5] * Pi / 180);
    return a;
}

void BM_ValidateAndDevelopCylinder(benchmark::State& st) {
    const auto code = static_cast<ShapeKind>(st.range(0));
    CylinderSettings settings;
    settings.AngleStep = static_cast<float>(st.range(1)) / 10;
    const CylinderArray data = KindData(code);
    CylinderResults results;
    for (auto _ : st) {
        const int message = CheckAndDevelopCylinder(code, data, settings, results).Message;
        benchmark::DoNotOptimize(message);
        benchmark::DoNotOptimize(results);
        if (message != 0) st.SkipWithError("refused");
    }
}

// Arguments: shape code, step in tenths of a degree.
BENCHMARK(BM_ValidateAndDevelopCylinder)
    ->ArgNames({"code", "step_tenths"})
    ->ArgsProduct({{ShapeCiRe, ShapeCiTaSup, ShapeCiConcordi, ShapeCiDiscordi}, {10, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
