// A 50-piece elbow of each kind: the computation, and one piece developed at
// the finest usual angular step (0.1 degree).
#include <benchmark/benchmark.h>

#include <memory>

#include "cones/cone_piece.h"
#include "cylinders/cylinder_piece.h"
#include "elbows/cone_elbow.h"
#include "elbows/cyl_elbow.h"

namespace {

using namespace velm;

float Rad(float deg) { return static_cast<float>(deg * DegToRad); }

CylElbowArray CylData() {
    // Thickness, diameter, cuts 5 and -5, 180 degrees, R 300, 50 pieces.
    return {0, 0.3f, 25, 5, -5, 180, static_cast<float>(300 * Pi), 300, 50, Rad(5), Rad(-5), Rad(180)};
}

ConeElbowArray ConeData(int variant) {
    const float R = variant == 3 ? 300 : 200;
    return {0, 0.3f, 20, 5, 60, 5, 180, static_cast<float>(R * Pi), R, 50, Rad(5), Rad(5), Rad(180), 0};
}

const EndConnectionArray kConnections{0, 1, 20, 10, 45, 0, 0, 40, 10, 35, 45};

DevelopmentSettings Settings() {
    DevelopmentSettings s;
    s.AngleStep = 0.1f;
    return s;
}

void BM_ComputeCylElbow(benchmark::State& st) {
    const CylElbowArray data = CylData();
    LastElbow e;
    for (auto _ : st) {
        const int m = ComputeCylElbow(data, 1, e);
        benchmark::DoNotOptimize(e.PieceAxisLength[1]);
        if (m != 0) st.SkipWithError("refused");
    }
}
BENCHMARK(BM_ComputeCylElbow);

void BM_ComputeConeElbow(benchmark::State& st) {
    const int variant = static_cast<int>(st.range(0));
    ConeElbowArray data = ConeData(variant);
    const DevelopmentSettings settings = Settings();
    LastElbow e;
    for (auto _ : st) {
        const int m = ComputeConeElbow(static_cast<ConeElbowLayout>(variant), data, kConnections, false, settings, e)
                          .Message;
        benchmark::DoNotOptimize(e.PieceAxisLength[1]);
        if (m != 0) st.SkipWithError("refused");
    }
}
BENCHMARK(BM_ComputeConeElbow)->ArgName("variant")->DenseRange(1, 3);

void BM_DevelopCylinderPiece(benchmark::State& st) {
    LastElbow e;
    ComputeCylElbow(CylData(), 1, e);
    ElbowPiece piece;
    ElbowPieceOf(e, 25, piece);
    const DevelopmentSettings settings = Settings();
    auto results = std::make_unique<CylinderResults>();
    for (auto _ : st) {
        const bool usable = DevelopCylinderPiece(piece, settings, *results).Usable;
        benchmark::DoNotOptimize(results->UpperArcLength);
        if (!usable) st.SkipWithError("refused");
    }
}
BENCHMARK(BM_DevelopCylinderPiece);

void BM_DevelopConePiece(benchmark::State& st) {
    const int variant = static_cast<int>(st.range(0));
    ConeElbowArray data = ConeData(variant);
    LastElbow e;
    ComputeConeElbow(static_cast<ConeElbowLayout>(variant), data, kConnections, false, Settings(), e);
    ElbowPiece piece;
    ElbowPieceOf(e, 25, piece);
    const DevelopmentSettings settings = Settings();
    auto results = std::make_unique<ConeResults>();
    for (auto _ : st) {
        const bool usable = DevelopConePiece(piece, settings, *results).Usable;
        benchmark::DoNotOptimize(results->LowerArcLength);
        if (!usable) st.SkipWithError("refused");
    }
}
BENCHMARK(BM_DevelopConePiece)->ArgName("variant")->DenseRange(1, 3);

}  // namespace

BENCHMARK_MAIN();
