// The drawing file of computed conical elbows: a cutter nests its parts as
// they lie, so no two pieces may overlap, and each piece keeps its outline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cones/cone_outline.h"
#include "cones/cone_piece.h"
#include "cylinders/cylinder_outline.h"
#include "cylinders/cylinder_piece.h"
#include "elbows/cone_elbow.h"
#include "output/dxf_cases.h"
#include "output/dxf_entities.h"
#include "output/dxf_export.h"
#include "support/elbow_cases.h"

namespace velm {
namespace {

using dxf_cases::Entities;
using dxf_cases::Entity;

// Conical connections of 150 to 160 and 250 to 260, 100 long; the default ones.
const EndConnectionArray WideConnections = {0, 0, 150, 10, 100, 160, 0, 250, 10, 100, 260};
const EndConnectionArray CylindricalConnections = {0, 1, 40, 15, 60, 0, 1, 90, 20, 40, 0};

struct ElbowCase {
    int variant;
    float d, D;  // the body's diameters (variants 1 and 2)
    float bendDeg, radius, pieces;
    const char* ends;
    EndConnectionArray connections;
};

std::unique_ptr<WorkingState> Computed(const ElbowCase& c, std::int16_t lato) {
    auto st = dxf_cases::Developed(ShapeNone, 1, lato);
    ConeElbowArray& d = st->Inputs.ConeElbowData;
    d = elbow_cases::ConeData(0.3f, c.d, 10, c.D, 10, c.bendDeg, c.radius, c.pieces);
    if (c.variant == 3) {
        d[ConeElbowStartCut] = elbow_cases::Rad(c.connections[StartConnectionCutAngle]);
        d[ConeElbowEndCut] = elbow_cases::Rad(c.connections[EndConnectionCutAngle]);
    }
    st->Inputs.EndConnections = c.connections;
    st->Inputs.CylindricalEnds = c.ends;
    EXPECT_EQ(ComputeConeElbow(static_cast<ConeElbowLayout>(c.variant), d, c.connections, std::string(c.ends) == "S",
                               DevelopmentSettingsOf(*st), st->Elbow)
                  .Message,
              0);
    st->ShapeCode = static_cast<std::int16_t>(ShapeCuCilindri + c.variant);
    st->DevelopmentValid = True16;
    return st;
}

// Piece p written alone at offset 0, and its sector angle (0 for a cylinder).
std::vector<Entity> AlonePiece(const WorkingState& st, int p, float& sector) {
    ElbowPiece piece;
    EXPECT_TRUE(ElbowPieceOf(st.Elbow, p, piece));
    const DevelopmentSettings settings = DevelopmentSettingsOf(st);
    std::ostringstream text(std::ios::binary);
    DxfOut out(text);
    if (piece.Cylindrical) {
        CylinderResults results;
        DevelopCylinderPiece(piece, settings, results);
        WriteDxfCutCurvePolyline(out, CylinderOutlineOf(results, settings.AngleStep), piece.EndCut, piece.StartCut, 0);
        sector = 0;
    } else {
        ConeResults results;
        DevelopConePiece(piece, settings, results);
        const ConeOutline o = ConeOutlineOf(results, settings.AngleStep);
        WriteDxfFrustumPiece(out, o, 0);
        sector = o.SectorAngleDeg;
    }
    out.Flush();
    return Entities(text.str());
}

struct YRange {
    double lo = 1e300, hi = -1e300;
};
YRange RangeOf(const std::vector<Entity>& piece) {
    YRange r;
    for (const Entity& e : piece) r.lo = std::min(r.lo, e.minY()), r.hi = std::max(r.hi, e.maxY());
    return r;
}

// The piece as written is the piece alone, moved straight down.
void ExpectMovedOnly(const std::vector<Entity>& written, const std::vector<Entity>& alone) {
    ASSERT_EQ(written.size(), alone.size());
    const double shift = written[0].points[0].second - alone[0].points[0].second;
    for (std::size_t e = 0; e < written.size(); ++e) {
        ASSERT_EQ(written[e].points.size(), alone[e].points.size());
        for (std::size_t i = 0; i < written[e].points.size(); ++i) {
            const auto& [x, y] = written[e].points[i];
            ASSERT_EQ(x, alone[e].points[i].first);
            ASSERT_NEAR(y - alone[e].points[i].second, shift, 1e-9 * (1 + std::fabs(shift)));
        }
    }
}

TEST(ConeElbowDxf, PiecesLieOneBelowTheOtherWithTheirOwnOutlines) {
    const EndConnectionArray defaults = DefaultInputArrays().EndConnections;
    const ElbowCase cases[] = {
        {1, 20, 30, 90, 63.662f, 5, "N", defaults},
        {1, 20, 30, 30, 200, 3, "S", defaults},
        {1, 40, 250, 180, 300, 12, "S", defaults},
        {2, 20, 30, 90, 63.662f, 5, "N", defaults},
        {2, 20, 200, 30, 250, 3, "N", defaults},  // wide sectors
        {2, 20, 200, 150, 500, 50, "N", defaults},
        {3, 20, 30, 60, 450, 4, "N", defaults},  // the end connection once lay inside the last piece
        {3, 20, 30, 90, 300, 5, "N", WideConnections},
        {3, 20, 30, 10, 300, 5, "N", WideConnections},
        {3, 20, 30, 120, 100, 7, "N", CylindricalConnections},
        {3, 20, 30, 45, 60, 20, "N", defaults},
    };
    std::vector<std::pair<ElbowCase, std::int16_t>> runs;  // on both weld sides
    for (const ElbowCase& c : cases)
        for (std::int16_t lato : {1, -1}) runs.push_back({c, lato});
    float widest = 0;
    for (const auto& [c, lato] : runs) {
        SCOPED_TRACE(testing::Message() << "variant " << c.variant << ", A " << c.bendDeg << ", R " << c.radius
                                        << ", " << c.pieces << " pieces, weld side " << lato);
        const auto st = Computed(c, lato);
        std::ostringstream file(std::ios::binary);
        ASSERT_EQ(WriteDxfEntities(file, *st), DxfStatus::Written);
        const std::vector<Entity> all = Entities(file.str());
        std::size_t at = 0;
        double lowest = 0;
        for (int p = 1; p <= st->Elbow.PieceCount; ++p) {
            SCOPED_TRACE(p);
            float sector = 0;
            const std::vector<Entity> alone = AlonePiece(*st, p, sector);
            widest = std::max(widest, sector);
            ASSERT_LE(at + alone.size(), all.size());
            const std::vector<Entity> written(all.begin() + at, all.begin() + at + alone.size());
            at += alone.size();
            ExpectMovedOnly(written, alone);
            const YRange r = RangeOf(written);
            if (p == 1) {
                // Where it always lay: a frustum's upper edge up to y = 0, a cylinder from -P to 0.
                EXPECT_NEAR(written.size() == 1 ? r.hi : written[1].maxY(), 0, 1e-4);
            } else {
                EXPECT_NEAR(r.hi, lowest - 10, 1e-9 * (1 + std::fabs(lowest)));
            }
            lowest = r.lo;
        }
        EXPECT_EQ(at, all.size());
    }
    EXPECT_GT(widest, 180);  // seams that rise beside the apex above the upper edge
}

}  // namespace
}  // namespace velm
