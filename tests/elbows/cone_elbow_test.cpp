#include "elbows/cone_elbow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

#include "core/number_text.h"
#include "core/unit_conversion.h"
#include "elbows/cyl_elbow_fields.h"
#include "elbows/elbow_messages.h"
#include "output/dxf_cases.h"
#include "output/dxf_export.h"
#include "support/elbow_cases.h"

namespace velm {
namespace {

using elbow_cases::ConeData;
using elbow_cases::kDeg;
using elbow_cases::kPi;

const ConeElbowArray kDefaults = ConeData(0.3f, 20, 10, 30, 10, 90, 63.662f, 5);

EndConnectionArray Connections(float startKind, float startD, float startCut, float startL, float startD2,
                               float endKind, float endD, float endCut, float endL, float endD2) {
    return {0, startKind, startD, startCut, startL, startD2, endKind, endD, endCut, endL, endD2};
}

struct Outcome {
    int message = 0;
    LastElbow elbow;
    ConeElbowArray data{};
};

Outcome Compute(int variant, const ConeElbowArray& data, const EndConnectionArray& connections = {},
            const char* ends = "N", std::int16_t unit = 0) {
    DevelopmentSettings settings;
    settings.MeasuringSystem = unit;
    Outcome r;
    r.data = data;
    const ConeElbowOutcome outcome = ComputeConeElbow(static_cast<ConeElbowLayout>(variant), r.data, connections,
                                                      std::string(ends) == "S", settings, r.elbow);
    r.message = outcome.Message;
    if (r.message == 0) r.data[ConeElbowApexDegrees] = outcome.ApexDegrees;
    return r;
}

TEST(ConeElbowChecks, InputsAndConnectionsInTheirOrder) {
    const struct { const char* what; float s, d, D, L; bool diameters; int message; } inputs[] = {
        {"everything given", 0.3f, 20, 30, 100, true, 0},
        {"thickness before the rest", 0, 0, 0, 0, true, ErrElbowThickness},
        {"small diameter", 0.3f, 0, 0, 0, true, ErrSmallDiameter},
        {"large diameter", 0.3f, 20, 0, 0, true, ErrLargeDiameter},
        {"axis length", 0.3f, 20, 30, 0, true, ErrElbowAxisLength},
        {"diameters not asked for", 0.3f, 0, 0, 100, false, 0},
    };
    for (const auto& c : inputs) {
        ConeElbowArray data = kDefaults;
        data[1] = c.s;
        data[2] = c.d;
        data[4] = c.D;
        data[7] = c.L;
        EXPECT_EQ(CheckConeElbowInput(data, c.diameters), c.message) << c.what;
    }
    const struct { const char* what; EndConnectionArray c; int base, message; } records[] = {
        {"defaults, start", DefaultInputArrays().EndConnections, 0, 0},
        {"defaults, end", DefaultInputArrays().EndConnections, 5, 0},
        {"start: diameter first", Connections(0, 0, 0, 0, 0, 0, 1, 0, 1, 1), 0, ErrStartConnectionDiameter},
        {"start: length", Connections(0, 20, 0, 0, 0, 0, 1, 0, 1, 1), 0, ErrStartConnectionLength},
        {"start: second diameter of a cone", Connections(0, 20, 0, 40, 0, 0, 1, 0, 1, 1), 0,
         ErrStartConnectionSecondDiameter},
        {"start: a cylinder needs none", Connections(1, 20, 0, 40, 0, 0, 1, 0, 1, 1), 0, 0},
        {"end: diameter first", Connections(0, 1, 0, 1, 1, 0, 0, 0, 0, 0), 5, ErrEndConnectionDiameter},
        {"end: length", Connections(0, 1, 0, 1, 1, 0, 27, 0, 0, 0), 5, ErrEndConnectionLength},
        {"end: second diameter of a cone", Connections(0, 1, 0, 1, 1, 0, 27, 0, 35, 0), 5,
         ErrEndConnectionSecondDiameter},
        {"end: a cylinder needs none", Connections(0, 1, 0, 1, 1, 1, 27, 0, 35, 0), 5, 0},
    };
    for (const auto& c : records) EXPECT_EQ(CheckConeElbowTransitions(c.c, c.base), c.message) << c.what;
    EXPECT_EQ(CheckNonZero(0), 0);
    EXPECT_EQ(CheckNonZero(1), ErrConeElbowPiece);
}

TEST(ConeElbowChecks, ConeAngle) {
    const float tenth = static_cast<float>(0.1 * kDeg);
    const struct { const char* what; float base, first, second, apex; int message; } cases[] = {
        {"a fair cone", 1.4f, 0.2f, -0.2f, 0.3f, 0},
        {"side flatter than the first cut", 0.3f, 0.35f, 0, 0.3f, ErrStartCutSteep},
        {"a negative first cut never fails", 0.3f, -0.5f, 0.2f, 0.3f, 0},
        {"but its second cut's size can", 0.3f, -0.5f, -0.35f, 0.3f, ErrEndCutSteep},
        {"apex exactly a right angle", 1.4f, 0, 0, static_cast<float>(kPi / 2), 0},
        // The elbows' own 90-degree text, not the frustum's 60-degree one (18).
        {"apex above a right angle", 1.4f, 0, 0, 1.5708f, 46},
        {"apex exactly a tenth of a degree", 1.4f, 0, 0, tenth, 0},
        {"apex below a tenth of a degree", 1.4f, 0, 0, tenth * 0.99f, ErrConeTooSharp},
        {"base angle not a number", NAN, 0, 0, 0.3f, ErrStartCutSteep},
        {"apex not a number", 1.4f, 0, 0, NAN, ErrConeTooFlat},
    };
    for (const auto& c : cases) {
        std::int16_t flag = 5;
        EXPECT_EQ(CheckConeElbowAngle(c.base, c.first, c.second, c.apex, flag), c.message) << c.what;
        EXPECT_EQ(flag, c.message != 0 ? 1 : 0) << c.what;
    }
}

// Whether every piece is drawn a simple outline: neither its faces nor its sides cross.
bool PiecesDrawnSimple(const LastElbow& e) {
    using P = std::array<double, 2>;
    auto side = [](P o, P a, P p) { return (a[0] - o[0]) * (p[1] - o[1]) - (a[1] - o[1]) * (p[0] - o[0]); };
    auto cross = [&](P a, P b, P c, P d) { return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0; };
    auto o = [&](int k) { return P{e.FaceOuterX[k], e.FaceOuterY[k]}; };
    auto in = [&](int k) { return P{e.FaceInnerX[k], e.FaceInnerY[k]}; };
    for (int k = 1; k <= e.PieceCount; ++k)
        if (cross(o(k), in(k), o(k + 1), in(k + 1)) || cross(o(k), o(k + 1), in(k), in(k + 1))) return false;
    return true;
}

TEST(ConeElbow, RefusalsInTheirOrder) {
    const EndConnectionArray defaults = DefaultInputArrays().EndConnections;
    auto with = [](ConeElbowArray a, int i, float v) {
        a[i] = v;
        return a;
    };
    const float inch = 1 / 25.4f;
    const int past = ErrBendRadiusPastCentre;
    // d 10, D 200, A 90 bent to R, in inches where mm = inch.
    auto bentTo = [](float R, float t = 0.3f, float mm = 1) { return ConeData(t * mm, 10 * mm, 0, 200 * mm, 0, 90, R, 5); };
    const EndConnectionArray wide = Connections(0, 8, 0, 20, 10, 0, 200, 0, 30, 210);
    const struct { const char* what; int variant; ConeElbowArray data; EndConnectionArray c; const char* ends;
                   std::int16_t unit; int message; const char* least = ""; float lastHeight = 0; } cases[] = {
        {"variant 1 defaults", 1, kDefaults, {}, "N", 0, 0},
        {"variant 1, cylindrical ends", 1, kDefaults, {}, "S", 0, 0},
        {"variant 2 defaults", 2, kDefaults, {}, "N", 0, 0},
        {"variant 3 defaults", 3, kDefaults, defaults, "N", 0, 0},
        {"two pieces", 1, with(kDefaults, 9, 2), {}, "N", 0, ErrPieceCountRange},
        {"51 pieces", 2, with(kDefaults, 9, 51), {}, "N", 0, ErrPieceCountRange},
        {"51 pieces between connections", 3, with(kDefaults, 9, 51), defaults, "N", 0, ErrPieceCountRange},
        {"a fractional count", 3, with(kDefaults, 9, 4.5f), defaults, "N", 0, ErrPieceCountRange},
        {"50 pieces between connections", 3, with(with(kDefaults, 9, 50), 8, 300), defaults, "N", 0, 0},
        {"bend below 10", 2, with(kDefaults, 6, 9.9f), {}, "N", 0, ErrConeElbowPiece},
        {"bend above 180", 3, with(kDefaults, 6, 181), defaults, "N", 0, ErrConeElbowPiece},
        {"bend radius below 10 mm", 1, with(kDefaults, 8, 9.9f), {}, "N", 0, ErrConeElbowPiece},
        {"bend radius 10 mm in inches", 2,
         ConeData(0.1f * inch, 4 * inch, 0, 6 * inch, 0, 90, 0.3937f, 3), {}, "N", 1, 0},
        {"bend radius below 10 mm in inches", 2,
         ConeData(0.1f * inch, 4 * inch, 0, 6 * inch, 0, 90, 0.39f, 3), {}, "N", 1, ErrConeElbowPiece},
        {"length not a number", 2, with(kDefaults, 7, NAN), {}, "N", 0, ErrConeElbowPiece},
        // Full end pieces turn the typed cuts by half a piece angle (30 here).
        {"body start cut 90", 2, ConeData(0.3f, 20, 60, 40, 0, 180, 100, 3), {}, "N", 0, ErrStartCutSteep},
        {"body end cut -90", 2, ConeData(0.3f, 20, 0, 40, -60, 180, 100, 3), {}, "N", 0, ErrEndCutSteep},
        // The wrong way round: the small diameter is what to change.
        {"no cone: the small end wider", 2, ConeData(0.3f, 40, 10, 30, 10, 90, 63.662f, 5), {}, "N", 0,
         ErrSmallDiameterNotSmaller},
        {"d 30 over D 20, right frustum", 1, ConeData(0.3f, 30, 0, 20, 0, 90, 63.662f, 5), {}, "N", 0,
         ErrSmallDiameterNotSmaller},
        {"cylindrical start 160 against an end 27", 3, kDefaults, Connections(1, 160, 10, 45, 22, 0, 27, 10, 35, 30),
         "N", 0, ErrConnectionsNarrowing},
        {"no cone: no side steeper than the cuts", 2, ConeData(0.3f, 19.7f, 60, 149.7f, 0, 60, 190.986f, 3), {},
         "N", 0, ErrConeTooFlat},
        {"right frustum of equal ends", 1, ConeData(0.3f, 20, 0, 20, 0, 90, 63.662f, 5), {}, "N", 0,
         ErrConeTooSharp},
        {"cone too flat", 1, ConeData(0.3f, 20, 10, 290, 10, 90, 63.662f, 5), {}, "N", 0, ErrConeTooFlat},
        {"start connection", 3, kDefaults, Connections(0, 18, 60, 1, 22, 0, 27, 10, 35, 30), "N", 0,
         ErrStartConnection},
        {"start connection narrowing towards the elbow", 3, kDefaults,
         Connections(0, 22, 60, 1, 18, 0, 27, 10, 35, 30), "N", 0, ErrStartConnectionNarrowing},
        {"end connection after a sound start", 3, kDefaults, Connections(0, 18, 10, 45, 22, 0, 27, 80, 35, 30),
         "N", 0, ErrEndConnection},
        {"end connection narrowing away from the elbow", 3, kDefaults,
         Connections(0, 18, 10, 45, 22, 0, 27, 10, 35, 1), "N", 0, ErrEndConnectionNarrowing},
        // Sound with a square joint (1.79 < L), but it meets the body at
        // -9 degrees: L must exceed D/2 (tan 9 + tan 10) = 3.40.
        {"start connection as it is built", 3, kDefaults, Connections(1, 20, 10, 2.5f, 0, 0, 27, 10, 35, 30), "N",
         0, ErrStartConnection},
        {"a piece that cannot be built", 1, ConeData(0.3f, 20, 30, 60, 30, 180, 200, 50), {}, "N", 0,
         ErrConeElbowPiece},
        // A piece's inner side at or past the bend centre: the least bend
        // radius that clears it is named, L following R. Half end pieces,
        // square or cylindrical: the limit is D'/2 = 100.15.
        {"half ends: R at D' / 2", 1, bentTo(100.15f), {}, "N", 0, past, "100.16"},
        {"half ends: R at D' / 2, short in double", 1, bentTo(100.05f, 0.1f), {}, "N", 0, past, "100.06"},
        {"half ends: R just below D' / 2", 1, bentTo(100.14f), {}, "N", 0, past, "100.16"},
        {"half ends: R just above D' / 2", 1, bentTo(100.16f), {}, "N", 0, 0},
        {"cylindrical ends: R at D' / 2", 1, bentTo(100.15f), {}, "S", 0, past, "100.16"},
        // 3.943 would be 100.15 once the unit is switched to millimetres.
        {"inches: R below D' / 2 = 3.94291", 1, bentTo(3.9429f, 0.3f, inch), {}, "N", 1, past, "3.9432"},
        {"inches: R just above D' / 2", 1, bentTo(3.943f, 0.3f, inch), {}, "N", 1, 0},
        // Full end pieces lean half a piece angle on the cone: the inner
        // half of the end face is short of D / 2, and the limit with it.
        {"equal pieces: sound below D / 2", 2, bentTo(95.49f), {}, "N", 0, 0},
        // Far below, with L as typed the limit would be lower: 87.14.
        {"equal pieces: L following R to the least", 2, bentTo(60), {}, "N", 0, past, "89.71"},
        {"equal pieces: R just below the least", 2, bentTo(89.7f), {}, "N", 0, past, "89.71"},
        {"equal pieces: R at the least", 2, bentTo(89.71f), {}, "N", 0, 0},
        {"connections: R below the least", 3, ConeData(0.3f, 0, 0, 0, 0, 90, 89.7f, 5), wide, "N", 0, past, "89.71"},
        {"between connections: R at the least", 3, ConeData(0.3f, 0, 0, 0, 0, 90, 89.71f, 5), wide, "N", 0, 0},
        // Cut ends: from R 97.52 the last piece clears the centre; to 108.12 its inner corner lies past 90 degrees.
        {"cut ends: the least R draws all", 1, ConeData(0.3f, 10, 10, 200, 10, 90, 60, 5), {}, "N", 0, past, "97.52"},
        {"cut ends: R 100.16", 1, ConeData(0.3f, 10, 10, 200, 10, 90, 100.16f, 5), {}, "N", 0, 0, "", 54.405155f},
        // Its last piece's height is not taken from the corner turned back through the centre.
        {"equal pieces cut -8 / 10, 4 pieces", 2, ConeData(0.3f, 65, -8, 119, 10, 45, 51.72f, 4), {}, "N", 0, 0},
        // The centre inside the last piece, off every side of it.
        {"equal, cut 26 / 8", 2, ConeData(0.3f, 59, 26, 227, 8, 113, 77, 3), {}, "N", 0, past, "81.46"},
        // Only past the box's limit (from R 2269.97) is every piece built: no number.
        {"cylindrical, cut 48 / 56", 1, ConeData(0.3f, 56, 48, 146, 56, 106, 54, 21), {}, "S", 0, ErrNoBendRadiusClearsCentre},
        {"connections cut -29 / -8, R below D / 2 + 22", 3, ConeData(0.3f, 0, 0, 0, 0, 116, 140, 43),
         Connections(1, 36, -29, 69, 46, 0, 237, -8, 50, 247), "N", 0, 0},
        {"cylindrical ends cut -17 / 29, 3 pieces", 1, ConeData(0.3f, 150, -17, 205, 29, 70, 193, 3), {}, "S", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome r = Compute(c.variant, c.data, c.c, c.ends, c.unit);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.elbow.ElbowError, c.message != 0 ? 1 : 0);
        EXPECT_EQ(r.elbow.Generation, 1u);
        EXPECT_EQ(r.elbow.LeastBendRadius > 0 ? FormatLength(r.elbow.LeastBendRadius, c.unit) : "", c.least);
        // Only an accepted elbow writes its result angle.
        if (c.message == 0) {
            EXPECT_NEAR(r.data[13], r.elbow.ApexAngle / kDeg, 1e-4);
            EXPECT_GT(r.data[13], 0);
            EXPECT_TRUE(PiecesDrawnSimple(r.elbow));
            if (c.lastHeight > 0) { EXPECT_FLOAT_EQ(r.elbow.PieceHeight[r.elbow.PieceCount], c.lastHeight); }
        } else {
            EXPECT_EQ(std::memcmp(r.data.data(), c.data.data(), sizeof c.data), 0) << "inputs changed";
        }
    }
}

// Random elbows of every kind and unit, cut ends to 60 degrees: a named bend radius lies within the box's
// limit and, typed with L following it, is accepted drawn simple.
TEST(ConeElbow, EveryNamedBendRadiusIsAcceptedWhenTyped) {
    std::mt19937 random(48);
    auto pick = [&random](int lo, int hi) { return lo + static_cast<int>(random() % static_cast<unsigned>(hi - lo + 1)); };
    auto f = [&pick](int lo, int hi) { return static_cast<float>(pick(lo, hi)); };
    auto shown = [](double v, std::int16_t unit) { return static_cast<float>(ReadNumber(FormatLength(v, unit))); };
    auto simple = [](const Outcome& o) { return o.message == 0 && PiecesDrawnSimple(o.elbow); };
    int named = 0, unnamed = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::int16_t unit = i % 3 == 2 ? 1 : 0;
        auto typed = [&](double mm) { return shown(unit != 0 ? mm / 25.4 : mm, unit); };
        const int variant = pick(1, 3), cut = i % 2 == 0 ? 15 : 60;
        const char* ends = variant == 1 && pick(0, 1) == 1 ? "S" : "N";
        const int d = pick(10, 250), D = std::min(300, pick(15, 160) + d);
        const float startCut = f(-cut, cut), endCut = f(-cut, cut), A = f(10, 180), R = f(10, 300);
        ConeElbowArray data = ConeData(typed(0.3), typed(d), startCut, typed(D), endCut, A, typed(R), f(3, 50));
        data[ConeElbowAxisLength] = typed(R * A * kDeg);
        EndConnectionArray connections = *ends == 'S' ? Connections(1, 0, 0, 0, 0, 1, 0, 0, 0, 0) : EndConnectionArray{};
        if (variant == 3)
            connections = Connections(f(0, 1), typed(d), startCut, typed(pick(20, 70)), typed(d + 10),
                                      f(0, 1), typed(D), endCut, typed(pick(20, 70)), typed(D + 10));
        const Outcome r = Compute(variant, data, connections, ends, unit);
        if (r.message == ErrNoBendRadiusClearsCentre && ++unnamed) { EXPECT_EQ(r.elbow.LeastBendRadius, 0) << i; }
        if (r.message != ErrBendRadiusPastCentre || !++named) continue;
        SCOPED_TRACE(testing::Message() << "elbow " << i << ", variant " << variant << ", unit " << unit);
        const float least = data[ConeElbowBendRadius] = shown(r.elbow.LeastBendRadius, unit);
        EXPECT_LE(least, typed(DevelopmentSettings{}.Limits.ConeElbowRadiusLimit.Max));
        data[ConeElbowAxisLength] = static_cast<float>(ReadNumber(AxisLengthFromRadius(FormatLength(least, unit), FormatLength(A, 0), unit)));
        EXPECT_TRUE(simple(Compute(variant, data, connections, ends, unit)));
        // And once the unit is switched, the boxes showing the other unit's decimals.
        InputArrays switched{.ConeElbowData = data, .EndConnections = connections};
        ConvertInputUnits(unit, switched);
        for (int k = 1; k < static_cast<int>(data.size()); ++k)
            if (IsLengthElementConeElbow(k)) switched.ConeElbowData[k] = shown(switched.ConeElbowData[k], 1 - unit);
        EXPECT_TRUE(simple(Compute(variant, switched.ConeElbowData, switched.EndConnections, ends, 1 - unit)));
    }
    EXPECT_GT(named, 150);
    EXPECT_GT(unnamed, 50);
}

TEST(ConeElbow, ResultAnglesAndEdgeCases) {
    {
        SCOPED_TRACE("square ends: the right frustum, no solver");
        const Outcome r = Compute(1, ConeData(0.3f, 20, 0, 30, 0, 90, 63.662f, 5));
        ASSERT_EQ(r.message, 0);
        EXPECT_NEAR(r.elbow.ApexAngle, 2 * std::atan((30.3 - 20.3) / 2 / (63.662 * kPi / 2)), 1e-6);
    }
    {
        SCOPED_TRACE("variant 3: the body's small end from a cylinder, rounded to 4 decimals");
        const Outcome r = Compute(3, ConeData(0.3f, 0, 0, 0, 0, 60, 150, 3),
                              Connections(1, 100, 0, 45, 0, 0, 130, 0, 35, 150));
        ASSERT_EQ(r.message, 0);
        EXPECT_NEAR(r.elbow.PieceLargeDiameter[1], 101.5427f, 1e-4);
        EXPECT_EQ(r.elbow.PieceCount, 5);
        EXPECT_EQ(r.elbow.PieceSmallDiameter[1], 100);
        EXPECT_EQ(r.elbow.PieceLargeDiameter[5], 150);
    }
    {
        SCOPED_TRACE("variant 3: the body widens evenly from face to face");
        const Outcome r = Compute(3, kDefaults, DefaultInputArrays().EndConnections);
        ASSERT_EQ(r.message, 0);
        const LastElbow& e = r.elbow;
        for (int k = 2; k <= 5; ++k) {
            const double step1 = e.PieceLargeDiameter[k + 1] - e.PieceLargeDiameter[k];
            const double step2 = e.PieceLargeDiameter[k] - e.PieceLargeDiameter[k - 1];
            EXPECT_NEAR(step1, step2, 0.02) << k;
            EXPECT_GT(step1, 0) << k;
        }
    }
    {
        SCOPED_TRACE("variants 1 and 2 place the joints at theta / 2 and theta from the start");
        for (int variant : {1, 2}) {
            const Outcome r = Compute(variant, kDefaults);
            ASSERT_EQ(r.message, 0);
            const LastElbow& e = r.elbow;
            const double first = variant == 1 ? 11.25 * kDeg : 18 * kDeg;
            const double mx = (e.FaceOuterX[2] + e.FaceInnerX[2]) / 2 - 63.662, my = (e.FaceOuterY[2] + e.FaceInnerY[2]) / 2;
            EXPECT_NEAR(std::atan2(my, -mx), first, 1e-5) << variant;
        }
    }
}

// In the drawing file a cutter nests the pieces as they lie: each lies 10
// below the lowest point of the one before, the first where it always lay.
TEST(ConeElbowDxf, EachPieceLiesTenBelowThePieceBefore) {
    const EndConnectionArray defaults = DefaultInputArrays().EndConnections;
    const struct {
        int variant;
        float d, D, bendDeg, radius, pieces;
        const char* ends;
        EndConnectionArray connections;
    } cases[] = {
        {1, 40, 250, 180, 300, 12, "S", defaults},
        {2, 20, 200, 30, 250, 3, "N", defaults},  // sectors past a half turn
        {3, 20, 30, 60, 450, 4, "N", defaults},  // the end connection once lay inside the last piece
        {3, 20, 30, 90, 300, 5, "N", Connections(0, 150, 10, 100, 160, 0, 250, 10, 100, 260)},  // 100 long
        {3, 20, 30, 120, 100, 7, "N", Connections(1, 40, 15, 60, 0, 1, 90, 20, 40, 0)},
    };
    for (const auto& c : cases) {
        for (std::int16_t lato : {1, -1}) {
            SCOPED_TRACE(testing::Message() << c.variant << ": A " << c.bendDeg << ", R " << c.radius << ", side " << lato);
            auto st = dxf_cases::Developed(ShapeNone, 1, lato);
            ConeElbowArray& d = st->Inputs.ConeElbowData;
            d = ConeData(0.3f, c.d, 10, c.D, 10, c.bendDeg, c.radius, c.pieces);
            if (c.variant == 3) {  // the body's cuts are the connections'
                d[ConeElbowStartCut] = elbow_cases::Rad(c.connections[StartConnectionCutAngle]);
                d[ConeElbowEndCut] = elbow_cases::Rad(c.connections[EndConnectionCutAngle]);
            }
            ASSERT_EQ(ComputeConeElbow(static_cast<ConeElbowLayout>(c.variant), d, c.connections, std::string(c.ends) == "S",
                                       DevelopmentSettingsOf(*st), st->Elbow)
                          .Message,
                      0);
            st->ShapeCode = static_cast<std::int16_t>(ShapeCuCilindri + c.variant);
            std::ostringstream file(std::ios::binary);
            ASSERT_EQ(WriteDxfEntities(file, *st), DxfStatus::Written);
            const std::vector<dxf_cases::Entity> all = dxf_cases::Entities(file.str());
            std::size_t at = 0;
            double lowest = 0;
            for (int p = 1; p <= st->Elbow.PieceCount; ++p) {
                ElbowPiece piece;
                ASSERT_TRUE(ElbowPieceOf(st->Elbow, p, piece));
                const std::size_t first = at, end = at + (piece.Cylindrical ? 1 : 4);  // a frustum: seam, edge, seam, edge
                ASSERT_LE(end, all.size());
                double lo = 1e300, hi = -1e300;
                for (; at < end; ++at) lo = std::min(lo, all[at].minY()), hi = std::max(hi, all[at].maxY());
                if (p == 1) {  // a frustum's upper edge up to y = 0, a cylinder from -P to 0
                    EXPECT_NEAR(all[piece.Cylindrical ? first : first + 1].maxY(), 0, 1e-4);
                } else {
                    EXPECT_NEAR(hi, lowest - 10, 1e-9 * (1 + std::fabs(lowest))) << p;
                }
                lowest = lo;
            }
            EXPECT_EQ(at, all.size());
        }
    }
}

}  // namespace
}  // namespace velm
