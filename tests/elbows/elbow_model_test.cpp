// Every piece of an elbow, built in space from its own record, must lie
// where the side view puts it and meet its neighbours without gaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "cones/cone_outline.h"
#include "cones/cone_piece.h"
#include "elbows/cone_elbow.h"
#include "elbows/cyl_elbow.h"
#include "support/elbow_cases.h"
#include "support/elbow_model.h"

namespace velm {
namespace {

using elbow_cases::ConeData;
using elbow_cases::CylData;
using elbow_cases::kDeg;
using elbow_cases::kPi;
using elbow_model::Distance;
using elbow_model::Point;

constexpr int kCylinder = 0;  // else the conical variant 1 to 3

struct ElbowCase {
    const char* what;
    int kind;
    CylElbowArray cyl{};
    ConeElbowArray cone{};
    EndConnectionArray connections{};
    std::string ends = "N";
    std::int16_t factor = 1;
    std::int16_t unit = 0;
    bool nearCentre = false;  // its joints lie further off the evenly interpolated ones
};

// What the typed inputs say the elbow must be.
struct Typed {
    double s, d, D, startCut, endCut, bend, R;
    int n;
};

Typed TypedOf(const ElbowCase& c) {
    if (c.kind == kCylinder) {
        const auto& a = c.cyl;
        return {a[1], a[2], a[2], a[3] * kDeg, a[4] * kDeg, a[5] * kDeg, a[7], static_cast<int>(a[8])};
    }
    const auto& a = c.cone;
    if (c.kind == 3) {
        const auto& r = c.connections;
        return {a[1], r[2], r[6] == 1 ? r[7] : r[10], r[3] * kDeg, r[8] * kDeg, a[6] * kDeg, a[8],
                static_cast<int>(a[9])};
    }
    return {a[1], a[2], a[4], a[3] * kDeg, a[5] * kDeg, a[6] * kDeg, a[8], static_cast<int>(a[9])};
}

int Compute(const ElbowCase& c, LastElbow& e) {
    if (c.kind == kCylinder) return ComputeCylElbow(c.cyl, c.factor, e);
    DevelopmentSettings settings;
    settings.ThicknessFactor = c.factor;
    settings.MeasuringSystem = c.unit;
    ConeElbowArray data = c.cone;
    return ComputeConeElbow(static_cast<ConeElbowLayout>(c.kind), data, c.connections, std::string(c.ends) == "S",
                            settings, e)
        .Message;
}

Point FaceOuter(const LastElbow& e, int k) { return {e.FaceOuterX[k], e.FaceOuterY[k]}; }
Point FaceInner(const LastElbow& e, int k) { return {e.FaceInnerX[k], e.FaceInnerY[k]}; }
double FaceDirection(const LastElbow& e, int k) {
    return std::atan2(e.FaceInnerY[k] - e.FaceOuterY[k], e.FaceInnerX[k] - e.FaceOuterX[k]);
}

struct SpaceOutcome {
    double gap = 0;        // worst joint mismatch, as a share of the diameter
    double sideView = 0;   // worst distance of the assembled pieces from the side view, likewise
};

// Builds every piece in space from its own record, checks it against the
// side view's faces, then assembles the pieces joint by joint from the start
// face on and checks that they meet and add up to the typed elbow.
SpaceOutcome ExpectElbowInSpace(const ElbowCase& c, const LastElbow& e) {
    const Typed t = TypedOf(c);
    const int K = e.PieceCount;
    const double sk = c.factor * t.s;
    const double scale = std::max(t.d, t.D) + sk;
    std::vector<elbow_model::PieceSection> sections(K + 2);
    std::vector<elbow_model::Placement> placements(K + 2);
    SpaceOutcome o;
    for (int p = 1; p <= K; ++p) {
        SCOPED_TRACE(::testing::Message() << "piece " << p);
        ElbowPiece piece;
        if (!ElbowPieceOf(e, p, piece)) {
            ADD_FAILURE() << "no piece";
            return o;
        }
        auto& s = sections[p];
        s = piece.Cylindrical ? elbow_model::CylinderPiece(piece.Diameter + sk, piece.AxisLength, piece.StartCut,
                                                           piece.EndCut)
                              : elbow_model::FrustumPiece(piece.SmallDiameter + sk, piece.LargeDiameter + sk,
                                                          piece.AxisLength, piece.StartCut, piece.EndCut);
        if (!s.built) {
            ADD_FAILURE() << "no body in space";
            return o;
        }
        // Its height is the axial extent of its face corners; its cuts turn
        // its start face into its end face as the side view does.
        EXPECT_NEAR(piece.Height, s.height, scale * 2e-5);
        EXPECT_NEAR(elbow_model::Turn(FaceDirection(e, p), FaceDirection(e, p + 1)), piece.EndCut - piece.StartCut,
                    2e-5);
        // The same extent measured on the side view: the piece's axis stands
        // square to its start face turned back by the start cut.
        {
            const double across = FaceDirection(e, p) - piece.StartCut;
            const double ux = -std::sin(across), uy = std::cos(across);
            auto along = [&](Point p) { return p.x * ux + p.y * uy; };
            const double extent = std::max(along(FaceOuter(e, p + 1)), along(FaceInner(e, p + 1))) -
                                  std::min(along(FaceOuter(e, p)), along(FaceInner(e, p)));
            // The side view puts a conical connection's axis through the body
            // face's axis point, not through its own: it is drawn a little off.
            const bool connection = c.kind == 3 && (p == 1 || p == K);
            const double tol = piece.Cylindrical ? 2e-3 : (connection ? 2e-2 : 2e-5);
            EXPECT_NEAR(piece.Height, extent, scale * tol) << "side view";
        }
        // Its faces are the side view's, within what a cylindrical end
        // piece's tilted face allows (s * factor + d / cos, not (s * factor + d) / cos).
        const double tilted = piece.Cylindrical ? sk * (1 / std::cos(e.HalfPieceAngle) - 1) + 1e-4 * scale : 1e-4 * scale;
        EXPECT_NEAR(Distance(s.startOuter, s.startInner), Distance(FaceOuter(e, p), FaceInner(e, p)), tilted);
        EXPECT_NEAR(Distance(s.endOuter, s.endInner), Distance(FaceOuter(e, p + 1), FaceInner(e, p + 1)), tilted);
        // Assembled: the first piece on the start face, every other one on
        // the end face of the piece before it.
        if (p == 1) {
            placements[p] = elbow_model::LayOnto(s.startOuter, s.startInner, FaceOuter(e, 1), FaceInner(e, 1));
        } else {
            const auto& prev = sections[p - 1];
            const auto& at = placements[p - 1];
            placements[p] = elbow_model::LayOnto(s.startOuter, s.startInner, at.Map(prev.endOuter), at.Map(prev.endInner));
            // The joint: the same plane and major axis, minor axes close.
            o.gap = std::max({o.gap, std::fabs(Distance(prev.endOuter, prev.endInner) - Distance(s.startOuter, s.startInner)),
                              std::fabs(prev.endMinor - s.startMinor)});
        }
        o.sideView = std::max({o.sideView, Distance(placements[p].Map(s.endOuter), FaceOuter(e, p + 1)),
                               Distance(placements[p].Map(s.endInner), FaceInner(e, p + 1))});
    }
    o.gap /= scale;
    o.sideView /= scale;
    // The joints add up to the bend: body pieces turn by the bend less one
    // piece angle when the end pieces are full ones, plus one piece angle
    // across the two connections.
    const double theta = e.PieceAngle;
    const double turn = c.kind == 2 ? t.bend - theta : (c.kind == 3 ? t.bend + theta : t.bend);
    const double axisTurn = elbow_model::Turn(placements[K].AxisDirection(), placements[1].AxisDirection());
    EXPECT_NEAR(elbow_model::Turn(turn, axisTurn), 0, 2e-5);
    // The free ends carry the typed cuts and diameters.
    const double startTilt = c.kind == 3 ? theta / 2 : 0;
    EXPECT_NEAR(elbow_model::Turn(FaceDirection(e, 1), t.startCut + startTilt), 0, 2e-5);
    EXPECT_NEAR(elbow_model::Turn(FaceDirection(e, K + 1), -t.bend - startTilt + t.endCut), 0, 2e-5);
    const double fullEnds = c.kind == 2 ? theta / 2 : 0;
    EXPECT_NEAR(e.PieceStartCut[1], t.startCut + fullEnds, 1e-6);
    EXPECT_NEAR(e.PieceEndCut[K], t.endCut - fullEnds, 1e-6);
    ElbowPiece first, last;
    EXPECT_TRUE(ElbowPieceOf(e, 1, first) && ElbowPieceOf(e, K, last));
    EXPECT_EQ(first.Cylindrical ? first.Diameter : first.SmallDiameter, static_cast<float>(t.d));
    EXPECT_EQ(last.Cylindrical ? last.Diameter : last.LargeDiameter, static_cast<float>(t.D));
    if (c.kind == 3) {
        EXPECT_EQ(first.Cylindrical, c.connections[1] == 1);
        EXPECT_EQ(last.Cylindrical, c.connections[6] == 1);
        EXPECT_NEAR(first.AxisLength, c.connections[4], c.connections[4] * 1e-5);
        EXPECT_NEAR(last.AxisLength, c.connections[9], c.connections[9] * 1e-5);
    } else {
        EXPECT_EQ(first.Cylindrical, c.kind == kCylinder || c.ends == "S");
        EXPECT_EQ(last.Cylindrical, c.kind == kCylinder || c.ends == "S");
    }
    return o;
}

// The cylindrical elbow's axes must also be the polygon about the bend's arc.
void ExpectAxisPolygon(const ElbowCase& c, const LastElbow& e) {
    const Typed t = TypedOf(c);
    const int n = t.n;
    const double theta = t.bend / (n - 1), h = t.R * std::tan(theta / 2), rho = std::hypot(h, t.R);
    auto vertex = [&](int j) -> Point {
        if (j == 0) return {0, 0};
        if (j == n) return {(1 - std::cos(t.bend)) * t.R, t.R * std::sin(t.bend)};
        const double phi = (j - 1) * theta + theta / 2;
        return {t.R - rho * std::cos(phi), rho * std::sin(phi)};
    };
    for (int p = 1; p <= n; ++p) {
        const auto s = elbow_model::CylinderPiece(e.PieceDiameter[p] + c.factor * t.s, e.PieceAxisLength[p],
                                                  e.PieceStartCut[p], e.PieceEndCut[p]);
        const auto m = elbow_model::LayOnto(s.startOuter, s.startInner, FaceOuter(e, p), FaceInner(e, p));
        EXPECT_NEAR(Distance(m.Map({0, 0}), vertex(p - 1)), 0, 2e-3 * t.R / 100) << "piece " << p;
        EXPECT_NEAR(Distance(m.Map({0, e.PieceAxisLength[p]}), vertex(p)), 0, 2e-3 * t.R / 100) << "piece " << p;
    }
}

ElbowCase Cyl(const char* what, const CylElbowArray& data, std::int16_t factor = 1, std::int16_t unit = 0) {
    ElbowCase c{what, kCylinder};
    c.cyl = data;
    c.factor = factor;
    c.unit = unit;
    return c;
}

ElbowCase Cone(const char* what, int variant, const ConeElbowArray& data, const EndConnectionArray& connections = {},
               const char* ends = "N", std::int16_t factor = 1, std::int16_t unit = 0) {
    ElbowCase c{what, variant};
    c.cone = data;
    c.connections = connections;
    c.ends = ends;
    c.factor = factor;
    c.unit = unit;
    return c;
}

EndConnectionArray Connections(float startKind, float startD, float startCut, float startL, float startD2,
                               float endKind, float endD, float endCut, float endL, float endD2) {
    return {0, startKind, startD, startCut, startL, startD2, endKind, endD, endCut, endL, endD2};
}

ElbowCase NearCentre(ElbowCase c) { return c.nearCentre = true, c; }

TEST(ElbowModel, EveryPieceMeetsItsNeighbours) {
    const EndConnectionArray defaults = DefaultInputArrays().EndConnections;
    const ConeElbowArray cone = ConeData(0.3f, 20, 10, 30, 10, 90, 63.662f, 5);
    const float inch = 1 / 25.4f;
    // Worst joint mismatch allowed, as a share of the diameter, per kind: a
    // cylindrical end piece's tilted face is s * factor * (1 / cos - 1) off
    // the cone's, and its round section meets the cone's ellipse.
    const double tolerance[] = {1e-5, 5e-3, 1e-5, 3e-3};
    // How far the assembled pieces may lie from the side view: the conical
    // body's joints are placed on evenly interpolated radii.
    const double sideView[] = {1e-5, 0.05, 0.03, 0.035};
    const std::vector<ElbowCase> cases = {
        Cyl("cylinder, defaults", CylData(0.3f, 25, 10, 10, 90, 100, 5)),
        Cyl("cylinder, negative cuts", CylData(0.3f, 25, -30, -45, 90, 100, 5)),
        Cyl("cylinder, 3 pieces through 180", CylData(0.3f, 25, 20, -20, 180, 100, 3)),
        Cyl("cylinder, 50 pieces", CylData(0.3f, 25, 5, -5, 180, 300, 50)),
        Cyl("cylinder, outer fibre", CylData(3, 20, 5, 0, 45, 40, 4), 2),
        Cyl("cylinder, inches", CylData(0.3f * inch, 25 * inch, 10, 10, 90, 100 * inch, 5), 1, 1),
        Cone("half ends, defaults", 1, cone),
        Cone("half ends, cylindrical", 1, cone, defaults, "S"),
        Cone("half ends, square", 1, ConeData(0.3f, 20, 0, 30, 0, 90, 63.662f, 5)),
        Cone("half ends, negative cuts", 1, ConeData(0.3f, 20, -20, 30, -15, 90, 63.662f, 5)),
        Cone("half ends, 3 pieces through 180", 1, ConeData(0.3f, 20, 10, 40, -10, 180, 80, 3), defaults, "S"),
        Cone("half ends, 50 pieces", 1, ConeData(0.3f, 20, 5, 60, 5, 180, 200, 50)),
        Cone("half ends, outer fibre", 1, ConeData(3, 20, 10, 30, 10, 90, 63.662f, 5), defaults, "S", 2),
        // The last face's inner corner more than a right angle round from the end's axis point.
        NearCentre(Cone("half ends cut 10 / 10, R 100.16", 1, ConeData(0.3f, 10, 10, 200, 10, 90, 100.16f, 5))),
        Cone("full pieces, defaults", 2, cone),
        Cone("full pieces, start cut within half a piece below 0", 2, ConeData(0.3f, 20, -5, 30, 10, 90, 63.662f, 5)),
        Cone("full pieces, negative cuts", 2, ConeData(0.3f, 20, -30, 30, -30, 90, 63.662f, 5)),
        Cone("full pieces, 3 pieces through 180", 2, ConeData(0.3f, 20, 0, 40, 0, 180, 80, 3)),
        Cone("full pieces, 50 pieces", 2, ConeData(0.3f, 20, 10, 60, 10, 180, 200, 50)),
        NearCentre(Cone("full pieces cut -8 / 10 near the centre", 2, ConeData(0.3f, 65, -8, 119, 10, 45, 51.72f, 4))),
        Cone("full pieces, inches", 2, ConeData(0.3f * inch, 20 * inch, 10, 30 * inch, 10, 90, 63.662f * inch, 5), {}, "N",
         1, 1),
        Cone("connections, defaults", 3, cone, defaults),
        Cone("connections, both conical", 3, cone, Connections(0, 18, 10, 45, 22, 0, 27, -10, 35, 30)),
        Cone("connections, both cylindrical", 3, cone, Connections(1, 20, -15, 45, 0, 1, 30, 20, 35, 0)),
        Cone("connections, 3 pieces through 180", 3, ConeData(0.3f, 0, 0, 0, 0, 180, 80, 3), defaults),
        Cone("connections, 50 pieces", 3, ConeData(0.3f, 0, 0, 0, 0, 180, 300, 50),
         Connections(1, 20, 10, 45, 0, 0, 40, 10, 35, 45)),
        Cone("connections, outer fibre", 3, ConeData(3, 0, 0, 0, 0, 90, 63.662f, 5), defaults, "N", 2),
    };
    double worst[4] = {}, worstSideView[4] = {};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LastElbow e;
        const int message = Compute(c, e);
        EXPECT_EQ(message, 0);
        if (message != 0) continue;
        const SpaceOutcome o = ExpectElbowInSpace(c, e);
        EXPECT_LE(o.gap, c.nearCentre ? 5e-3 : tolerance[c.kind]);
        EXPECT_LE(o.sideView, c.nearCentre ? 0.25 : sideView[c.kind]);
        if (c.nearCentre) continue;
        worst[c.kind] = std::max(worst[c.kind], o.gap);
        worstSideView[c.kind] = std::max(worstSideView[c.kind], o.sideView);
        if (c.kind == kCylinder) ExpectAxisPolygon(c, e);
    }
    for (int kind = 0; kind < 4; ++kind) {
        RecordProperty("worst_gap_kind_" + std::to_string(kind), std::to_string(worst[kind]));
        std::printf("kind %d: worst joint gap %.3g, worst distance from the side view %.3g of the diameter\n", kind,
                    worst[kind], worstSideView[kind]);
    }
}

// Between two conical connections the body widens by 1 mm a piece: nearly
// cylindrical pieces, whose outlines hang on the last digits of their
// diameters. Each piece has its diameters exactly and develops to the
// outline of the frustum of those diameters and cuts in space.
TEST(ElbowModel, PiecesOneMillimetreApartKeepTheirDiametersAndOutlines) {
    const struct { float pieces, bend, R; } cases[] = {{3, 90, 34}, {49, 180, 333}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pieces);
        const float n = c.pieces;
        const ElbowCase elbow = Cone("", 3, ConeData(0.3f, 0, 0, 0, 0, c.bend, c.R, n),
                                    Connections(0, 21, 0, 30, 22, 0, 22 + n, 0, 30, 23 + n));
        LastElbow e;
        ASSERT_EQ(Compute(elbow, e), 0);
        const double half = c.bend * kDeg / n / 2;
        double worst = 0;
        for (int p = 1; p <= e.PieceCount; ++p) {
            SCOPED_TRACE(p);
            ElbowPiece piece;
            ASSERT_TRUE(ElbowPieceOf(e, p, piece));
            EXPECT_NEAR(piece.SmallDiameter, 20 + p, 1e-9);
            EXPECT_NEAR(piece.LargeDiameter, 21 + p, 1e-9);
            ConeResults r;
            ASSERT_TRUE(DevelopConePiece(piece, DevelopmentSettings{}, r).Usable);
            testing::SpaceFrustum f;
            ASSERT_TRUE(testing::SolveFrustum({20.3 + p, 21.3 + p, piece.AxisLength, p == 1 ? 0 : half,
                                               p == e.PieceCount ? 0 : -half, 1}, f));
            const ConeOutline o = ConeOutlineOf(r, 1);
            ASSERT_EQ(o.Steps, 360);
            const double S = f.SectorAngle();
            for (int i = 0; i <= 360; ++i) {
                const double a = S / 2 - i * S / 360;
                for (const auto& [point, plane] : {std::pair{o.Upper[i], f.upper}, std::pair{o.Lower[i], f.lower}}) {
                    const double T = f.SlantTo(plane, i * kDeg);
                    worst = std::max(worst, std::hypot(point.X + T * std::sin(a), point.Y + T * std::cos(a)));
                }
            }
        }
        EXPECT_LE(worst, 0.001);
        std::printf("%g pieces: outlines within %.2g mm of the bodies\n", n, worst);
    }
}

}  // namespace
}  // namespace velm
