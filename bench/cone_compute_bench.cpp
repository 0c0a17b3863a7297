// Validate-and-develop of the five frustum kinds at the coarsest and the
// finest usual angular step, on their default dimensions.
#include <benchmark/benchmark.h>

#include <memory>

#include "cones/cone_compute.h"

namespace {

using namespace velm;

ConeArray KindData(std::int16_t code) {
    ConeArray a = DefaultInputArrays().ConeData;
    if (code == ShapeCoDiscordi) a[6] = -a[6];
    a[7] = static_cast<float>(a[5] * DegToRad);
    a[8] = static_cast<float>(a[6] * DegToRad);
    return a;
}

void BM_ValidateAndDevelopCone(benchmark::State& st) {
    const auto code = static_cast<ShapeKind>(st.range(0));
    ConeSettings settings;
    settings.AngleStep = static_cast<float>(st.range(1)) / 10;
    const ConeArray data = KindData(code);
    auto results = std::make_unique<ConeResults>();
    for (auto _ : st) {
        const int message = CheckAndDevelopCone(code, data, settings, *results).Message;
        benchmark::DoNotOptimize(message);
        benchmark::DoNotOptimize(results->LowerArcLength);
        if (message != 0) st.SkipWithError("refused");
    }
}

// Arguments: shape code, step in tenths of a degree.
BENCHMARK(BM_ValidateAndDevelopCone)
    ->ArgNames({"code", "step_tenths"})
    ->ArgsProduct({{ShapeCoRe, ShapeCoTaSup, ShapeCoTaInf, ShapeCoConcordi, ShapeCoDiscordi}, {10, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
