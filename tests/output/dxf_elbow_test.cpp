// Elbows in the drawing file: every piece developed again, stacked as the
// workshop expects, and the piece counts an export refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "dxf_cases.h"
#include "output/dxf_export.h"

namespace velm {
namespace {

using dxf_cases::SetElbow;

using dxf_cases::Entities;
using dxf_cases::Entity;

std::string Dxf(const WorkingState& st, DxfStatus expected = DxfStatus::Written) {
    std::ostringstream out(std::ios::binary);
    EXPECT_EQ(WriteDxfEntities(out, st), expected);
    return out.str();
}

std::vector<Entity> Polylines(const std::vector<Entity>& all) {
    std::vector<Entity> p;
    std::copy_if(all.begin(), all.end(), std::back_inserter(p), [](const Entity& e) { return e.type == "POLYLINE"; });
    return p;
}

constexpr double kDeg = 3.14159265358979323846 / 180;

// Pieces of a cylindrical elbow: heights and cuts (degrees) from the start piece.
void FillCylElbow(WorkingState& st, const std::vector<float>& heights, const std::vector<float>& cutsDeg) {
    const int n = static_cast<int>(heights.size());
    SetElbow(st, ShapeCuCilindri, n);
    LastElbow& e = st.Elbow;
    e.Thickness = 0.3f;
    for (int p = 1; p <= n; ++p) {
        e.PieceDiameter[p] = 25;
        e.PieceHeight[p] = heights[p - 1];
        e.PieceStartCut[p] = static_cast<float>(cutsDeg[p - 1] * kDeg);
        e.PieceEndCut[p] = static_cast<float>(cutsDeg[p] * kDeg);
    }
}

TEST(DxfElbow, CylindricalPiecesStackTenApartFromTheStartPiece) {
    for (std::int16_t unit : {0, 1}) {
        auto st = dxf_cases::Developed(ShapeNone, 1, 1, unit);
        const std::vector<float> heights = {30, 45, 35};
        FillCylElbow(*st, heights, {0, 15, 15, 0});  // straight start and end faces
        const std::vector<Entity> polys = Polylines(Entities(Dxf(*st)));
        ASSERT_EQ(polys.size(), 3u);
        double above = 0;
        for (std::size_t p = 0; p < 3; ++p) {
            SCOPED_TRACE(p + 1);
            // 10 units below the piece before (the first 10 below y = 0), in inches as well.
            EXPECT_NEAR(polys[p].maxY(), above - 10, 1e-9);
            EXPECT_NEAR(polys[p].minY(), above - 10 - heights[p], 1e-4);
            above = polys[p].minY();
        }
        // Straight top (start face), both cut, straight bottom (end face).
        EXPECT_EQ(polys[0].points.size(), 363u);
        EXPECT_EQ(polys[1].points.size(), 722u);
        EXPECT_EQ(polys[2].points.size(), 363u);
        // The straight top of the start piece is its upper edge's height.
        EXPECT_DOUBLE_EQ(polys[0].points[361].second, polys[0].points[362].second);
        EXPECT_NEAR(polys[0].points[362].second, -10, 1e-9);
    }
}

// A conical elbow whose frusta grow by 2 per piece; the end pieces cylindrical on request.
void FillConeElbow(WorkingState& st, int code, int typed, bool cylindricalEnds) {
    SetElbow(st, code, typed);
    LastElbow& e = st.Elbow;
    e.Thickness = 0.3f;
    e.StartIsCylindrical = e.EndIsCylindrical = cylindricalEnds;
    const int K = e.PieceCount;
    for (int p = 1; p <= K; ++p) {
        e.PieceSmallDiameter[p] = 20.0f + 0.2f * static_cast<float>(p - 1);
        e.PieceLargeDiameter[p] = 20.0f + 0.2f * static_cast<float>(p);
        e.PieceHeight[p] = 12;
        e.PieceStartCut[p] = static_cast<float>((p == 1 ? 0 : 6) * kDeg);
        e.PieceEndCut[p] = static_cast<float>((p == K ? 0 : -6) * kDeg);
    }
}

TEST(DxfElbow, ConicalPiecesLieTenBelowThePieceBefore) {
    auto st = dxf_cases::Developed(ShapeNone);
    FillConeElbow(*st, ShapeCuConica1, 5, true);
    const std::vector<Entity> all = Entities(Dxf(*st));
    // Cylinder, three frusta (seam, upper edge, seam, lower edge), cylinder.
    ASSERT_EQ(all.size(), 1u + 3 * 4 + 1);
    const Entity& start = all[0];
    ASSERT_EQ(start.type, "POLYLINE");
    EXPECT_NEAR(start.maxY(), 0, 1e-4);  // the cylindrical start piece spans -P to 0
    EXPECT_NEAR(start.minY(), -12, 1e-4);
    const Entity& secondUpper = all[2];
    EXPECT_NEAR(secondUpper.maxY(), -22, 1e-4);  // the next piece's highest point 10 lower
    // Every frustum is symmetric about x = 0.
    for (std::size_t i = 1; i <= 12; ++i) {
        double lo = 1e300, hi = -1e300;
        for (const auto& p : all[i].points) lo = std::min(lo, p.first), hi = std::max(hi, p.first);
        if (all[i].type == "POLYLINE") {
            EXPECT_NEAR(lo, -hi, 1e-6 * std::max(1.0, hi)) << i;
        }
    }
    EXPECT_EQ(all.back().type, "POLYLINE");
}

TEST(DxfElbow, FiftyPiecesBetweenConnectionsExportAllFiftyTwo) {
    auto st = dxf_cases::Developed(ShapeNone);
    FillConeElbow(*st, ShapeCuConica3, 50, true);
    const std::vector<Entity> polys = Polylines(Entities(Dxf(*st)));
    EXPECT_EQ(polys.size(), 2u + 50 * 2);  // two cylinders, fifty frusta of two edges
    FillConeElbow(*st, ShapeCuConica3, 50, false);
    EXPECT_EQ(Polylines(Entities(Dxf(*st))).size(), 52u * 2);
}

TEST(DxfElbow, APieceCountOutOfRangeWritesNothing) {
    auto st = dxf_cases::Developed(ShapeNone);
    FillCylElbow(*st, {30, 45, 35}, {0, 15, 15, 0});
    for (float typed : {2.0f, 51.0f, 4.5f, std::numeric_limits<float>::quiet_NaN()}) {
        st->Inputs.CylElbowData[8] = typed;
        EXPECT_EQ(Dxf(*st, DxfStatus::PieceCountRange), "") << typed;
    }
    FillConeElbow(*st, ShapeCuConica2, 5, false);
    st->Inputs.ConeElbowData[9] = 60;
    EXPECT_EQ(Dxf(*st, DxfStatus::PieceCountRange), "");
    // A typed count that the last computed elbow does not have: not this elbow's development.
    st->Inputs.ConeElbowData[9] = 6;
    EXPECT_EQ(Dxf(*st, DxfStatus::NoDevelopment), "");
    st->Inputs.ConeElbowData[9] = 5;
    st->ShapeCode = ShapeCuConica1;
    EXPECT_EQ(Dxf(*st, DxfStatus::NoDevelopment), "");
}

TEST(DxfElbow, APieceWithoutFiniteValuesWritesNothing) {
    auto st = dxf_cases::Developed(ShapeNone);
    FillConeElbow(*st, ShapeCuConica2, 5, false);
    st->Elbow.PieceHeight[4] = std::numeric_limits<float>::infinity();
    std::ostringstream out(std::ios::binary);
    EXPECT_EQ(WriteDxfEntities(out, *st), DxfStatus::NotFinite);  // the file writer throws the rest away
}

}  // namespace
}  // namespace velm
