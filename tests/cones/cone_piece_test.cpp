#include "cones/cone_piece.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/shape_inputs.h"
#include "support/frustum_model.h"

namespace velm {
namespace {

using testing::kDeg;

DevelopmentSettings Settings(std::int16_t factor, float step, std::int16_t lato) {
    DevelopmentSettings s;
    s.ThicknessFactor = factor;
    s.AngleStep = step;
    s.LatoSaldatura = lato;
    return s;
}

// A body built in space gives the piece (its traces, height and cuts); its
// development must be that body's.
TEST(ConePiece, DevelopsTheBodyOfItsHeight) {
    const struct { const char* what; double Adeg, apexZ, H, startDeg, endDeg; float s; std::int16_t factor, lato;
                   float step; } cases[] = {
        {"middle piece", 85, 400, 30, 9, -9, 0.3f, 1, 1, 1},
        {"first piece, steep start cut", 84, 300, 40, 25, -9, 0.3f, 1, -1, 0.1f},
        {"last piece, negative end cut, outer fibre", 86, 500, 40, 9, -35, 1, 2, 1, 0.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const testing::SpaceFrustum f{c.Adeg * kDeg, c.apexZ, {0, c.lato * c.endDeg * kDeg},
                                      {c.H, c.lato * c.startDeg * kDeg}};
        const double work = c.factor * c.s;
        ElbowPiece piece;
        piece.Thickness = c.s;
        piece.SmallDiameter = static_cast<float>(f.TraceLength(f.upper) - work);
        piece.LargeDiameter = static_cast<float>(f.TraceLength(f.lower) - work);
        piece.Height = static_cast<float>(f.Height1());
        piece.AxisLength = static_cast<float>(c.H);
        piece.StartCut = static_cast<float>(c.startDeg * kDeg);
        piece.EndCut = static_cast<float>(c.endDeg * kDeg);
        auto r = std::make_unique<ConeResults>();
        const DevelopedCone d = DevelopConePiece(piece, Settings(c.factor, c.step, c.lato), *r);
        ASSERT_TRUE(d.Usable);
        const ConeArray want{0, piece.Thickness, piece.SmallDiameter, piece.LargeDiameter, piece.AxisLength,
                             static_cast<float>(piece.StartCut * 180 / testing::kPi),
                             static_cast<float>(piece.EndCut * 180 / testing::kPi), piece.StartCut, piece.EndCut};
        EXPECT_EQ(d.Inputs, ConeInputsOf(want));
        testing::ExpectDevelopmentOf(f, *r, c.step, 2e-5, c.step < 1 ? 5e-5 : 5e-6);
    }
}

TEST(ConePiece, ReportsPiecesThatCannotBeBuilt) {
    ElbowPiece piece;
    piece.Thickness = 0.3f;
    piece.SmallDiameter = 20;
    piece.LargeDiameter = 30;
    piece.Height = 40;
    auto r = std::make_unique<ConeResults>();
    EXPECT_TRUE(DevelopConePiece(piece, Settings(1, 1, 1), *r).Usable);
    EXPECT_FALSE(DevelopConePiece(piece, Settings(1, 0, 1), *r).Usable) << "a step the tables cannot hold";
    piece.LargeDiameter = 10;  // widening towards the top
    EXPECT_FALSE(DevelopConePiece(piece, Settings(1, 1, 1), *r).Usable);
    EXPECT_EQ(r->ConeOuterRadius, 0);
    EXPECT_EQ(r->ConeSectorAngle, 0);
}

}  // namespace
}  // namespace velm
