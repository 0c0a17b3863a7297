// The cylindrical elbow's boxes: keys refused while typing, limits on
// leaving, the coupling of A, L and R, in millimetres and inches.
#include "elbows/cyl_elbow_fields.h"

#include <gtest/gtest.h>

namespace velm {
namespace {

FieldSettings Mm() { return FieldSettings{}; }
FieldSettings Inches() {
    FieldSettings s;
    s.MeasuringSystem = 1;
    return s;
}

// Typing `typed` key by key into an empty box: the text left, stopping at the first refusal.
std::string TypeKeys(const std::string& typed, int field, const CylElbowBoxTexts& boxes, const FieldSettings& s) {
    BoxState box;
    for (char c : typed) {
        box.SelStart = static_cast<int>(box.Text.size());
        if (CylElbowKeyRefused(box, field, c, boxes, s)) break;
        box.Text += c;
    }
    return box.Text;
}

TEST(CylElbowFields, KeysRefusedWhileTyping) {
    const CylElbowBoxTexts boxes{"25", "90"};
    const struct {
        int field;
        std::string typed, left;
        bool inches;
    } cases[] = {
        {7, "51", "5", false},          // 50 pieces at most
        {7, "50", "50", false},
        {7, "3.", "3", false},          // whole numbers
        {2, "-60", "-60", false},
        {2, "-61", "-6", false},
        {3, "59.255", "59.25", false},  // two decimals
        {3, "60.5", "60.", false},      // at most 60
        {4, "180", "180", false},
        {4, "181", "18", false},
        {6, "300", "300", false},
        {6, "301", "30", false},
        {6, "11.8111", "11.811", true},  // 300 mm in inches
        {5, "471.23", "471.23", false},  // 300 * pi / 2 = 471.2389
        {5, "471.24", "471.2", false},
        {0, "3.01", "3.0", false},
        {1, "200.5", "200.", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TypeKeys(c.typed, c.field, boxes, c.inches ? Inches() : Mm()), c.left)
            << c.field << " " << c.typed;
}

TEST(CylElbowFields, LimitsOnLeaving) {
    const struct {
        int field;
        std::string text, diameter, bend, after;
        bool inches;
    } cases[] = {
        {6, "10", "25", "90", "18.75", false},      // three quarters of the diameter
        {6, "300", "25", "90", "300", false},
        {6, "6750", "25", "4", "300", false},
        {6, "20", "1", "90", "11.811", true},       // 300 mm in inches
        {5, "20", "25", "90", "29.45", false},      // 18.75 * pi / 2
        {5, "500", "25", "90", "471.24", false},
        {5, "157.08", "25", "90", "157.08", false},
        {4, "5", "25", "5", "10", false},
        {4, "0", "25", "0", "10", false},
        {7, "2", "25", "90", "3", false},
        {2, "-61", "25", "90", "-60", false},
        {0, "0", "25", "90", "0", false},           // thickness has no minimum above 0
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        const bool replaced = CheckCylElbowFieldRange(text, c.field, {c.diameter, c.bend}, c.inches ? Inches() : Mm());
        EXPECT_EQ(text, c.after) << c.field << " " << c.text;
        EXPECT_EQ(replaced, c.text != c.after) << c.field << " " << c.text;
    }
}

TEST(CylElbowFields, CouplingOfBendLengthAndRadius) {
    EXPECT_EQ(RadiusFromAxisLength("157.08", "90", 0).value(), "100");
    EXPECT_EQ(AxisLengthFromRadius("50", "90", 0), "78.54");
    EXPECT_EQ(RadiusFromAxisLength("20.94", "5", 0).value(), "239.95");
    EXPECT_FALSE(RadiusFromAxisLength("157.08", "0", 0).has_value()) << "no division by a bend of 0";
    EXPECT_EQ(AxisLengthFromRadius("100", "0", 0), "0");
    EXPECT_EQ(RadiusFromAxisLength("6.1842", "90", 1).value(), "3.937");
}

}  // namespace
}  // namespace velm
