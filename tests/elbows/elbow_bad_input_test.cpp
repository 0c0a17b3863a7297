// Random inputs over the boxes' ranges and just beyond: an accepted elbow
// holds only finite values within its entries and draws and develops to
// finite values; a refused one changes no input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include "cones/cone_piece.h"
#include "cylinders/cylinder_piece.h"
#include "elbows/cone_elbow.h"
#include "elbows/cyl_elbow.h"
#include "elbows/elbow_drawing.h"
#include "elbows/elbow_messages.h"
#include "support/recording_canvas.h"

namespace velm {
namespace {

class Inputs {
public:
    explicit Inputs(unsigned seed) : rng_(seed) {}
    // Mostly within [lo, hi], sometimes a little beyond, now and then an edge or zero.
    float In(float lo, float hi) {
        const int pick = Int(0, 19);
        if (pick == 0) return 0;
        if (pick == 1) return lo;
        if (pick == 2) return hi;
        const float span = hi - lo;
        return std::uniform_real_distribution<float>(lo - span * 0.05f, hi + span * 0.05f)(rng_);
    }
    float Count() {
        const int pick = Int(0, 9);
        if (pick == 0) return static_cast<float>(Int(2, 51)) + 0.5f;
        return static_cast<float>(Int(2, 51));
    }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

private:
    std::mt19937 rng_;
};

bool Finite(const ElbowArray& a, int last) {
    for (int i = 1; i <= last; ++i) {
        if (!std::isfinite(a[i])) return false;
    }
    return true;
}

void ExpectSound(const LastElbow& e, const DevelopmentSettings& settings) {
    const int K = e.PieceCount;
    ASSERT_GE(K, 3);
    ASSERT_LE(K + 1, ElbowEntryLast);
    for (const ElbowArray* a : {&e.PieceHeight, &e.PieceAxisLength, &e.PieceStartCut, &e.PieceEndCut,
                                &e.FaceOuterX, &e.FaceOuterY, &e.FaceInnerX, &e.FaceInnerY}) {
        EXPECT_TRUE(Finite(*a, K + 1));
    }
    EXPECT_TRUE(std::isfinite(e.PieceAngle + e.StartFaceWidth + e.EndFaceWidth + e.Sweep + e.ApexAngle));
    RecordingCanvas pic(320, 240);
    ElbowDrawing d;
    if (DrawElbow(pic, e, d, PaletteColour(12), PaletteColour(12))) {
        for (const auto& l : pic.lines) ASSERT_TRUE(std::isfinite(l.x1 + l.y1 + l.x2 + l.y2));
        for (const auto& t : pic.texts) ASSERT_TRUE(std::isfinite(t.x + t.y));
    }
    // Every piece develops to finite values, or says it cannot.
    auto cylinder = std::make_unique<CylinderResults>();
    auto cone = std::make_unique<ConeResults>();
    for (int p = 1; p <= K; ++p) {
        ElbowPiece piece;
        ASSERT_TRUE(ElbowPieceOf(e, p, piece));
        if (piece.Cylindrical) {
            if (DevelopCylinderPiece(piece, settings, *cylinder).Usable) {
                EXPECT_TRUE(std::isfinite(cylinder->Hmed + cylinder->Hmin + cylinder->UpperArcLength));
            }
        } else {
            if (DevelopConePiece(piece, settings, *cone).Usable) {
                EXPECT_TRUE(std::isfinite(cone->ConeOuterRadius + cone->ConeSectorAngle + cone->LowerArcLength));
            }
        }
    }
}

TEST(ElbowBadInput, RandomInputsGiveSoundElbowsOrRefusals) {
    Inputs in(20240611);
    int accepted = 0;
    for (int round = 0; round < 5000; ++round) {
        DevelopmentSettings settings;
        settings.ThicknessFactor = static_cast<std::int16_t>(in.Int(-2, 2));
        settings.MeasuringSystem = static_cast<std::int16_t>(in.Int(0, 1));
        const float unit = settings.MeasuringSystem != 0 ? 1 / 25.4f : 1;
        // The cylindrical elbow.
        {
            CylElbowArray data{0, in.In(0, 3) * unit, in.In(0, 200) * unit, in.In(-60, 60), in.In(-60, 60),
                               in.In(10, 180), 0, in.In(0, 300) * unit, in.Count()};
            data[6] = data[7] * data[5] * 0.0174533f;
            for (int i = 9; i <= 11; ++i) data[i] = data[i - 6] * 0.0174533f;
            const CylElbowArray before = data;
            LastElbow e;
            const int m = CheckCylElbowInput(data) != 0 ? -1 : ComputeCylElbow(data, settings.ThicknessFactor, e);
            EXPECT_EQ(std::memcmp(before.data(), data.data(), sizeof data), 0);
            if (m != -1 && (data[8] == 2 || data[8] == 51)) {
                EXPECT_EQ(m, ErrPieceCountRange);
            }
            if (m == 0) {
                ++accepted;
                ExpectSound(e, settings);
            }
        }
        // A conical elbow of each variant.
        for (int variant = 1; variant <= 3; ++variant) {
            ConeElbowArray data{0,
                                in.In(0, 3) * unit,
                                in.In(0, 300) * unit,
                                in.In(-60, 60),
                                in.In(0, 300) * unit,
                                in.In(-60, 60),
                                in.In(10, 180),
                                0,
                                in.In(10, 500) * unit,
                                in.Count()};
            data[7] = data[8] * data[6] * 0.0174533f;
            const EndConnectionArray connections{0,
                                                 static_cast<float>(in.Int(0, 1)),
                                                 in.In(0, 300) * unit,
                                                 in.In(-60, 60),
                                                 in.In(0, 500) * unit,
                                                 in.In(0, 300) * unit,
                                                 static_cast<float>(in.Int(0, 1)),
                                                 in.In(0, 300) * unit,
                                                 in.In(-60, 60),
                                                 in.In(0, 500) * unit,
                                                 in.In(0, 300) * unit};
            const char* ends = in.Int(0, 1) != 0 ? "S" : "N";
            ConeElbowArray work = data;
            LastElbow e;
            int m = CheckConeElbowInput(work, variant != 3);
            if (m == 0 && variant == 3) m = CheckConeElbowTransitions(connections, 0);
            if (m == 0 && variant == 3) m = CheckConeElbowTransitions(connections, 5);
            ConeElbowOutcome outcome;
            if (m == 0) {
                outcome = ComputeConeElbow(static_cast<ConeElbowLayout>(variant), work, connections,
                                           std::string(ends) == "S", settings, e);
                m = outcome.Message;
            }
            if (m != 0) {
                EXPECT_EQ(std::memcmp(work.data(), data.data(), sizeof data), 0) << "variant " << variant;
            } else {
                ++accepted;
                EXPECT_TRUE(std::isfinite(outcome.ApexDegrees));
                ExpectSound(e, settings);
            }
            if (m == 0) {
                EXPECT_TRUE(data[9] != 2 && data[9] != 51);
            }
        }
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GT(accepted, 400) << "the inputs should mostly make elbows";
}

}  // namespace
}  // namespace velm
