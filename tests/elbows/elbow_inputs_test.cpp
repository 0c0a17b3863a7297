#include "elbows/elbow_inputs.h"

#include <gtest/gtest.h>

namespace velm {
namespace {

// Each element holds its own number, so a slip in the conversion shows.
template <class Array>
Array Numbered() {
    Array a{};
    for (std::size_t i = 1; i < a.size(); ++i) a[i] = static_cast<float>(i);
    return a;
}

TEST(ElbowInputs, EachElementReadsIntoItsField) {
    const CylElbowInputs c = CylElbowInputsOf(Numbered<CylElbowArray>());
    const ConeElbowInputs k = ConeElbowInputsOf(Numbered<ConeElbowArray>());
    const struct { const char* what; float got; int element; } cases[] = {
        {"cyl thickness", c.Thickness, CylElbowThickness},       {"cyl diameter", c.Diameter, CylElbowDiameter},
        {"cyl start cut", c.StartCutDegrees, CylElbowStartCutDegrees},
        {"cyl end cut", c.EndCutDegrees, CylElbowEndCutDegrees}, {"cyl bend", c.BendDegrees, CylElbowBendDegrees},
        {"cyl axis", c.AxisLength, CylElbowAxisLength},          {"cyl radius", c.BendRadius, CylElbowBendRadius},
        {"cyl pieces", c.Pieces, CylElbowPieces},                {"cyl start rad", c.StartCut, CylElbowStartCut},
        {"cyl end rad", c.EndCut, CylElbowEndCut},               {"cyl bend rad", c.Bend, CylElbowBend},
        {"cone thickness", k.Thickness, ConeElbowThickness},
        {"cone small", k.SmallDiameter, ConeElbowSmallDiameter},
        {"cone large", k.LargeDiameter, ConeElbowLargeDiameter},
        {"cone start cut", k.StartCutDegrees, ConeElbowStartCutDegrees},
        {"cone end cut", k.EndCutDegrees, ConeElbowEndCutDegrees},
        {"cone bend", k.BendDegrees, ConeElbowBendDegrees},      {"cone axis", k.AxisLength, ConeElbowAxisLength},
        {"cone radius", k.BendRadius, ConeElbowBendRadius},      {"cone pieces", k.Pieces, ConeElbowPieces},
        {"cone start rad", k.StartCut, ConeElbowStartCut},       {"cone end rad", k.EndCut, ConeElbowEndCut},
        {"cone bend rad", k.Bend, ConeElbowBend},
    };
    for (const auto& t : cases) EXPECT_EQ(t.got, static_cast<float>(t.element)) << t.what;
}

TEST(ElbowInputs, ConnectionRecordsKeepTheirOwnElements) {
    EndConnectionArray c{};
    StoreEndConnection(c, ConnectionStart, {1, 2, 3, 4, 5});
    StoreEndConnection(c, ConnectionEnd, {6, 7, 8, 9, 10});
    EXPECT_EQ(c, Numbered<EndConnectionArray>()) << "stored at the named elements, element 0 untouched";
    const EndConnection start = EndConnectionOf(c, ConnectionStart), end = EndConnectionOf(c, ConnectionEnd);
    EXPECT_EQ(start.SecondDiameter, StartConnectionSecondDiameter);
    EXPECT_EQ(end.Kind, EndConnectionKind);
    EXPECT_EQ(end.Diameter, EndConnectionDiameter);
    EXPECT_EQ(end.CutAngle, EndConnectionCutAngle);
    EXPECT_EQ(end.Length, EndConnectionLength);
}

}  // namespace
}  // namespace velm
