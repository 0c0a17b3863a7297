#include "cylinders/cylinder_piece.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/cylinder_reference.h"

namespace velm {
namespace {

using cut_cylinder::CutCylinder;
using cut_cylinder::kDeg;

DevelopmentSettings Settings(std::int16_t factor, float step, std::int16_t lato) {
    DevelopmentSettings s;
    s.ThicknessFactor = factor;
    s.AngleStep = step;
    s.LatoSaldatura = lato;
    return s;
}

// A piece is developed from its own height: the body it stands for is the
// cylinder whose cut planes give that height.
TEST(CylinderPiece, DevelopsTheBodyOfItsHeight) {
    const struct { const char* what; float s, d, startDeg, endDeg, axis; std::int16_t factor, lato; float step; }
        cases[] = {
        {"middle piece of the default elbow", 0.3f, 25, 11.25f, -11.25f, 39.7825f, 1, 1, 1},
        {"first piece, start cut 10", 0.3f, 25, 10, -11.25f, 19.8912f, 1, -1, 0.1f},
        {"last piece, negative end cut, outer fibre", 2, 40, 30, -25, 60, 2, 1, 0.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const double D = c.d + c.factor * c.s;
        const CutCylinder body{D, c.axis, c.endDeg, c.startDeg, c.lato};
        ElbowPiece piece;
        piece.Thickness = c.s;
        piece.Diameter = c.d;
        piece.Height = static_cast<float>(body.Hmax());
        piece.AxisLength = c.axis;
        piece.StartCut = static_cast<float>(c.startDeg * kDeg);
        piece.EndCut = static_cast<float>(c.endDeg * kDeg);
        auto r = std::make_unique<CylinderResults>();
        const DevelopedCylinder d = DevelopCylinderPiece(piece, Settings(c.factor, c.step, c.lato), *r);
        ASSERT_TRUE(d.Usable);
        EXPECT_EQ(d.Inputs.Thickness, c.s);
        EXPECT_EQ(d.Inputs.Diameter, c.d);
        EXPECT_EQ(d.Inputs.AxisLength, c.axis);
        EXPECT_NEAR(d.Inputs.TopCut, c.startDeg, 1e-4);
        EXPECT_NEAR(d.Inputs.BottomCut, c.endDeg, 1e-4);
        EXPECT_EQ(d.Inputs.TopCutRadians, piece.StartCut);
        EXPECT_EQ(d.Inputs.BottomCutRadians, piece.EndCut);
        EXPECT_NEAR(r->Hmed, body.Hmed(), 1e-4);
        EXPECT_NEAR(r->Hmin, body.Hmin(), 1e-4);
        EXPECT_NEAR(r->DevelopedLength, D * cut_cylinder::kPi, 1e-4);
        const int n = static_cast<int>(std::lround(180 / c.step));
        for (int i = 0; i <= 2 * n; i += 7) {
            EXPECT_NEAR(r->CylUpperHeights[i], body.Upper(i * double{c.step}), 1e-4) << i;
            EXPECT_NEAR(r->CylLowerHeights[i], body.Lower(i * double{c.step}), 1e-4) << i;
        }
    }
}

TEST(CylinderPiece, ReportsPiecesThatCannotBeBuilt) {
    ElbowPiece piece;
    piece.Thickness = 0.3f;
    piece.Diameter = 25;
    piece.Height = 44.815f;
    piece.StartCut = 0.19635f;
    piece.EndCut = -0.19635f;
    auto r = std::make_unique<CylinderResults>();
    EXPECT_TRUE(DevelopCylinderPiece(piece, Settings(1, 1, 1), *r).Usable);
    EXPECT_FALSE(DevelopCylinderPiece(piece, Settings(1, 0, 1), *r).Usable) << "a step the tables cannot hold";
    piece.Height = 4;  // shorter than the two cuts' rise
    EXPECT_FALSE(DevelopCylinderPiece(piece, Settings(1, 1, 1), *r).Usable);
}

// The degrees a piece keeps (the sheet's data box shows them) come from its
// single-precision radians as they always have, to the last bit.
TEST(CylinderPiece, KeepsTheDegreesOfItsCutsToTheLastBit) {
    ElbowPiece piece;
    piece.Thickness = 0.5f;
    piece.Diameter = 60;
    piece.Height = 40;
    piece.StartCut = 0x1.ec13bap-4f;
    piece.EndCut = -0x1.ec1464p-4f;
    auto r = std::make_unique<CylinderResults>();
    const DevelopedCylinder d = DevelopCylinderPiece(piece, Settings(1, 1, 1), *r);
    EXPECT_EQ(d.Inputs.TopCut, 0x1.b887cp+2f);
    EXPECT_EQ(d.Inputs.BottomCut, -0x1.b88858p+2f);
}

}  // namespace
}  // namespace velm
