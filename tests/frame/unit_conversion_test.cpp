#include "frame/unit_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace velm {
namespace {

// Every element of every input array with whether it is a length.
struct Element {
    const char* array;
    float* value;
    bool length;
};

std::vector<Element> AllElements(InputArrays& a) {
    std::vector<Element> out;
    const auto add = [&](const char* name, float* data, int n, std::initializer_list<int> lengths) {
        for (int i = 1; i <= n; ++i) {
            bool isLength = false;
            for (int l : lengths) isLength = isLength || l == i;
            out.push_back({name, &data[i], isLength});
        }
    };
    add("CylinderData", a.CylinderData.data(), 7, {1, 2, 3});
    add("ConeData", a.ConeData.data(), 8, {1, 2, 3, 4});
    add("CylElbowData", a.CylElbowData.data(), 11, {1, 2, 6, 7});
    add("ConeElbowData", a.ConeElbowData.data(), 13, {1, 2, 4, 7, 8});
    add("EndConnections", a.EndConnections.data(), 10, {2, 4, 5, 7, 9, 10});
    return out;
}

InputArrays Filled() {
    // Distinct non-zero values everywhere, so that a scaled angle shows.
    InputArrays a = DefaultInputArrays();
    float v = 1.5f;
    for (auto& e : AllElements(a)) *e.value = (v += 3.25f);
    return a;
}

TEST(ConvertInputUnits, ScalesExactlyTheLengths) {
    for (std::int16_t mode : {0, 1}) {
        InputArrays before = Filled();
        InputArrays after = before;
        ConvertInputUnits(mode, after);
        const auto b = AllElements(before);
        const auto a = AllElements(after);
        for (std::size_t i = 0; i < a.size(); ++i) {
            const double old = *b[i].value;
            const float expected = !a[i].length ? *b[i].value
                                   : static_cast<float>(mode == 0 ? old / 25.4 : old * 25.4);
            EXPECT_EQ(*a[i].value, expected) << "mode " << mode << " " << a[i].array << " element " << i;
        }
        EXPECT_EQ(after.CylindricalEnds, before.CylindricalEnds);
    }
}

TEST(ConvertInputUnits, OtherModesChangeNothing) {
    for (std::int16_t mode : {-1, 2, 3, 254}) {
        InputArrays a = Filled();
        ConvertInputUnits(mode, a);
        const InputArrays b = Filled();
        EXPECT_EQ(a.CylinderData, b.CylinderData) << mode;
        EXPECT_EQ(a.ConeData, b.ConeData) << mode;
        EXPECT_EQ(a.CylElbowData, b.CylElbowData) << mode;
        EXPECT_EQ(a.ConeElbowData, b.ConeElbowData) << mode;
        EXPECT_EQ(a.EndConnections, b.EndConnections) << mode;
    }
}

TEST(ConvertInputUnits, DefaultsInInchesAndBack) {
    InputArrays a = DefaultInputArrays();
    ConvertInputUnits(0, a);
    EXPECT_FLOAT_EQ(a.CylinderData[2], 0.7874016f);
    EXPECT_FLOAT_EQ(a.CylinderData[1], 0.011811024f);
    EXPECT_EQ(a.CylinderData[4], 10.0f);
    EXPECT_EQ(a.CylinderData[5], 10.0f);
    EXPECT_EQ(a.CylElbowData[8], 5.0f);         // pieces
    EXPECT_EQ(a.EndConnections[1], 1.0f);       // kind
    EXPECT_FLOAT_EQ(a.EndConnections[2], 20.0f / 25.4f);

    ConvertInputUnits(1, a);
    const InputArrays d = DefaultInputArrays();
    // Back in millimetres to single precision: at most a unit in the last place.
    InputArrays copy = d;
    const auto back = AllElements(a);
    const auto orig = AllElements(copy);
    for (std::size_t i = 0; i < back.size(); ++i) {
        const float x = *back[i].value, y = *orig[i].value;
        EXPECT_LE(std::fabs(x - y), std::fabs(std::nextafter(y, 1e9f) - y)) << back[i].array << " " << i;
    }
    EXPECT_EQ(a.CylinderData[2], 20.0f);
}

}  // namespace
}  // namespace velm
