#include "core/unit_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace velm {
namespace {

// Which elements are lengths, and their exact inch values, are pinned by the
// saved inch file's bytes in the data file test.

std::vector<float> AllValues(const InputArrays& a) {
    std::vector<float> v;
    const auto add = [&v](const auto& data) { v.insert(v.end(), data.begin(), data.end()); };
    add(a.CylinderData), add(a.ConeData), add(a.CylElbowData), add(a.ConeElbowData), add(a.EndConnections);
    return v;
}

TEST(ConvertInputUnits, InchesAndBackLoseAtMostTheLastPlace) {
    InputArrays a = DefaultInputArrays();
    ConvertInputUnits(2, a);  // no such mode: nothing changes
    EXPECT_EQ(AllValues(a), AllValues(DefaultInputArrays()));
    ConvertInputUnits(0, a);
    EXPECT_FLOAT_EQ(a.CylinderData[1], 0.011811024f);  // shown as 0.0118
    EXPECT_EQ(a.CylinderData[4], 10.0f);                // angles stay
    ConvertInputUnits(1, a);
    const auto back = AllValues(a), orig = AllValues(DefaultInputArrays());
    for (std::size_t i = 0; i < back.size(); ++i)
        EXPECT_LE(std::fabs(back[i] - orig[i]), std::fabs(std::nextafter(orig[i], 1e9f) - orig[i])) << i;
}

// Held inputs come back into their own family only, in the unit the arrays
// are in now (the unit may have changed since they were held).
TEST(PutBackHeldInputs, OnlyTheFamilyInTheArraysUnit) {
    HeldInputs held{ShapeCuConica3, 0, DefaultInputArrays()};
    held.Inputs.EndConnections[StartConnectionDiameter] = 254;
    held.Inputs.ConeData[2] = 254;
    InputArrays now = DefaultInputArrays();
    PutBackHeldInputs(held, 1, now);
    EXPECT_FLOAT_EQ(now.EndConnections[StartConnectionDiameter], 10.0f);
    EXPECT_EQ(now.ConeData, DefaultInputArrays().ConeData);  // another family's
}

}  // namespace
}  // namespace velm
