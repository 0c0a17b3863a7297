#include "frame/input_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "frame/language.h"
#include "support/counting_look.h"

namespace velm {
namespace {

constexpr int Del = KeyDeleteFilter;
constexpr int Bs = KeyBackspace;

struct DecimalCase {
    const char* text;
    int s, n;
    int key;
    float min, max;
    int decimals;
    bool refused;
    const char* why;
};

TEST(FilterDecimalKey, JudgesTheTextTheKeyWouldLeave) {
    const std::vector<DecimalCase> cases = {
        {"2.55", 4, 0, '5', 0, 3, 2, true, "third decimal in millimetres"},
        {"2.55", 4, 0, '5', 0, 11.811f, 4, false, "third decimal in inches"},
        {"2.5555", 6, 0, '1', 0, 11.811f, 4, true, "fifth decimal in inches"},
        {"2.55", 3, 1, '7', 0, 3, 2, false, "replacing a selected decimal"},
        {"1.25", 0, 0, '2', 0, 300, 2, false, "digit before the point, no decimals test"},
        {"12", 2, 0, '.', 0, 300, 2, false, "point at the end"},
        {"12.", 3, 0, '.', 0, 300, 2, true, "second point"},
        {"12.5", 2, 1, '.', 0, 300, 2, false, "point over the selected point"},
        {"12.5", 0, 4, '.', 0, 300, 2, false, "point over everything"},
        {"12.5", 3, 1, '.', 0, 300, 2, true, "selection after the point"},
        {"12.5", 0, 2, '.', 0, 300, 2, true, "selection before the point"},
        {"1234", 1, 0, '.', 0, 300, 2, true, "point leaving three decimals"},
        {"1234", 2, 0, '.', 0, 300, 2, false, "point leaving two decimals, range not tested"},
        {"", 0, 0, '-', 0, 300, 2, false, "lone minus reads as 0"},
        {"12", 0, 0, '-', 0, 300, 2, true, "minus 12 below 0"},
        {"-", 1, 0, '5', 0, 300, 2, true, "digit after a lone minus"},
        {"12", 0, 0, '-', -60, 60, 2, false, "minus 12 in an elbow cut angle"},
        {"-12", 0, 0, '-', -60, 60, 2, true, "second minus"},
        {"-12", 0, 3, '-', -60, 60, 2, false, "minus over the whole text"},
        {"12", 1, 0, '-', -60, 60, 2, true, "minus not at the start"},
        {"2.5", 0, 3, '4', 0, 3, 2, true, "selected 2.5, 4 above 3"},
        {"2.5", 0, 3, '1', 0, 3, 2, false, "selected 2.5, 1 fits"},
        {"", 0, 0, '1', 3, 300, 2, true, "1 below a minimum of 3"},
        {"99", 2, 0, Del, 0, 3, 2, false, "Delete at the end, nothing to test"},
        {"99", 0, 0, Bs, 0, 3, 2, false, "Backspace at the start, nothing to test"},
        {"99", 0, 0, Del, 0, 3, 2, true, "Delete leaves 9"},
        {"2.5", 1, 0, Del, 0, 3, 2, true, "Delete of the point leaves 25"},
        {"25", 2, 0, Bs, 0, 3, 2, false, "Backspace leaves 2"},
        {"15", 0, 1, Del, 10, 180, 2, true, "Delete of a selection leaves 5"},
        {"15", 0, 1, Bs, 10, 180, 2, true, "Backspace of a selection leaves 5"},
        {"150", 2, 1, Bs, 10, 180, 2, false, "Backspace of a selection leaves 15"},
        {"12", 2, 0, KeyEnter, 0, 3, 2, false, "Enter is always taken"},
        {"12", 2, 0, 'a', 0, 300, 2, true, "letter"},
        {"12", 2, 0, 22, 0, 300, 2, true, "control character"},
        {"1", 1, 0, '0' + 0x10000, 0, 300, 2, true, "wide code that is no digit"},
        {"12", 9, 5, '3', 0, 300, 2, false, "selection beyond the text is held inside it"},
    };
    for (const auto& c : cases) {
        ScopedCountingLook look;
        const bool refused =
            FilterDecimalKey({c.text, c.s, c.n}, c.min, c.max, static_cast<std::int16_t>(c.decimals), c.key);
        EXPECT_EQ(refused, c.refused) << c.why;
        EXPECT_EQ(look.look.beeps, c.refused ? 1 : 0) << c.why;
    }
}

TEST(FilterIntegerKey, TakesDigitsDeletionsAndEnterOnly) {
    struct Case {
        const char* text;
        int s, n, key;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"4", 1, 0, '9', false},   {"5", 1, 0, '1', true},   {"4", 1, 0, '.', true},
        {"", 0, 0, '-', true},     {"4", 1, 0, 'x', true},   {"45", 2, 0, Bs, false},
        {"45", 0, 0, Del, false},  {"4", 1, 0, KeyEnter, false}, {"510", 2, 1, Del, true},
        {"510", 0, 1, Bs, false},  {"4", 1, 0, 22, true},
    };
    for (const Case& c : cases) {
        ScopedCountingLook look;
        EXPECT_EQ(FilterIntegerKey({c.text, c.s, c.n}, 0, 50, c.key), c.refused) << c.text << " key " << c.key;
        EXPECT_EQ(look.look.beeps, c.refused ? 1 : 0) << c.text << " key " << c.key;
    }
}

TEST(DecimalPlaces, FollowTheUnit) {
    EXPECT_EQ(DecimalPlaces(0), 2);
    EXPECT_EQ(DecimalPlaces(1), 4);
}

FieldSettings Millimetres() { return FieldSettings{}; }
FieldSettings Inches() {
    FieldSettings s;
    s.MeasuringSystem = 1;
    return s;
}

enum Family { Cylinder, Cone, ConeElbow };

int PressKey(Family family, const FieldSettings& s, const BoxState& box, int field, int key,
             const std::string& bend = "90") {
    switch (family) {
        case Cylinder: FilterCylinderKeyPress(box, field, key, s); break;
        case Cone: FilterConeKeyPress(box, field, key, s); break;
        case ConeElbow: FilterConeElbowKeyPress(bend, box, field, key, s); break;
    }
    return key;
}

int KeyDown(Family family, const FieldSettings& s, const BoxState& box, int field, int code) {
    switch (family) {
        case Cylinder: FilterCylinderKeyDown(box, field, code, 0, s); break;
        case Cone: FilterConeKeyDown(box, field, code, 0, s); break;
        case ConeElbow: FilterConeElbowKeyDown("90", box, field, code, 0, s); break;
    }
    return code;
}

TEST(FieldKeyFilters, UseEachFieldsRangeAndDecimals) {
    struct Case {
        Family family;
        bool inches;
        int field;
        const char* text;
        int s, n, key;
        const char* bend;
        bool refused;
        const char* why;
    };
    const std::vector<Case> cases = {
        {Cylinder, false, 0, "2.55", 4, 0, '5', "90", true, "thickness: two decimals in millimetres"},
        {Cylinder, true, 1, "2.55", 4, 0, '5', "90", false, "diameter: four decimals in inches"},
        {Cylinder, true, 0, "0.118", 5, 0, '1', "90", false, "thickness 0.1181 inch is within 3 mm"},
        {Cylinder, true, 0, "0.118", 5, 0, '2', "90", true, "thickness 0.1182 inch is beyond 3 mm"},
        {Cylinder, false, 1, "30", 2, 0, '1', "90", true, "diameter 301 beyond 300"},
        {Cylinder, false, 3, "8", 1, 0, '1', "90", true, "cut angle 81 beyond 80"},
        {Cylinder, true, 3, "45.12", 5, 0, '1', "90", true, "angles keep two decimals in inches"},
        {Cylinder, false, 3, "12", 0, 0, '-', "90", true, "cut angles are never negative"},
        {Cylinder, false, 5, "12", 2, 0, 'a', "90", false, "no field 5: ignored"},
        {Cylinder, false, -1, "12", 2, 0, 'a', "90", false, "negative field: ignored"},
        {Cone, false, 5, "8", 1, 0, '1', "90", true, "lower cut angle 81 beyond 80"},
        {Cone, false, 3, "100", 3, 0, '1', "90", true, "height 1001 beyond 1000"},
        {Cone, false, 6, "12", 2, 0, 'a', "90", false, "no field 6: ignored"},
        {ConeElbow, false, 2, "12", 0, 0, '-', "90", false, "start cut may be negative"},
        {ConeElbow, false, 4, "-6", 2, 0, '1', "90", true, "end cut -61 below -60"},
        {ConeElbow, false, 5, "18", 2, 0, '1', "90", true, "bend angle 181 beyond 180"},
        {ConeElbow, false, 5, "", 0, 0, '5', "90", false, "bend angle typed from 0"},
        {ConeElbow, false, 6, "78", 2, 0, '6', "90", true, "axis 786 beyond 500 x pi/2"},
        {ConeElbow, false, 6, "78", 2, 0, '5', "90", false, "axis 785 within 500 x pi/2"},
        {ConeElbow, false, 6, "", 0, 0, '1', "0", true, "no bend angle, no axis length"},
        {ConeElbow, false, 7, "50", 2, 0, '1', "90", true, "bend radius 501 beyond 500"},
        {ConeElbow, false, 8, "5", 1, 0, '0', "90", false, "50 pieces"},
        {ConeElbow, false, 8, "5", 1, 0, '1', "90", true, "51 pieces"},
        {ConeElbow, false, 8, "5", 1, 0, '.', "90", true, "pieces are whole"},
        {ConeElbow, false, 9, "5", 1, 0, 'x', "90", false, "no field 9: ignored"},
    };
    for (const auto& c : cases) {
        ScopedCountingLook look;
        const FieldSettings s = c.inches ? Inches() : Millimetres();
        const int key = PressKey(c.family, s, {c.text, c.s, c.n}, c.field, c.key, c.bend);
        EXPECT_EQ(key, c.refused ? 0 : c.key) << c.why;
        EXPECT_EQ(look.look.beeps, c.refused ? 1 : 0) << c.why;
    }
}

TEST(FieldKeyFilters, KeyDownJudgesOnlyTheDeleteKey) {
    const FieldSettings s = Millimetres();
    for (Family f : {Cylinder, Cone, ConeElbow}) {
        ScopedCountingLook look;
        // Deleting the point of 2.5 would leave 25: too thick.
        EXPECT_EQ(KeyDown(f, s, {"2.5", 1, 0}, 0, KeyCodeDelete), 0);
        EXPECT_EQ(KeyDown(f, s, {"2.5", 0, 0}, 0, KeyCodeDelete), KeyCodeDelete);  // leaves .5
        EXPECT_EQ(KeyDown(f, s, {"2.5", 3, 0}, 0, KeyCodeDelete), KeyCodeDelete);  // at the end
        EXPECT_EQ(KeyDown(f, s, {"2.5", 1, 0}, 0, 8), 8);    // Backspace waits for KeyPress
        EXPECT_EQ(KeyDown(f, s, {"2.5", 1, 0}, 0, 65), 65);  // other keys pass
        EXPECT_EQ(KeyDown(f, s, {"2.5", 1, 0}, 12, KeyCodeDelete), KeyCodeDelete);  // no such field
        EXPECT_EQ(look.look.beeps, 1);
    }
}

struct LeaveCase {
    Family family;
    bool inches;
    int field;
    const char* text;
    const char* bend;
    const char* expected;  // nullptr: left as it was
    const char* why;
};

TEST(FieldRangeCheck, ReplacesAValueOutsideByTheBound) {
    FieldSettings mm = Millimetres();
    mm.Limits.ThicknessLimit.Min = 0.125f;  // written 0.13
    mm.Limits.CutAngleLimit.Min = 5;
    FieldSettings in = Inches();
    in.Limits.ThicknessLimit.Min = 0.5f;  // 0.019685 inch, written 0.0197
    const std::vector<LeaveCase> cases = {
        {Cylinder, false, 0, "0.126", "", "0.13", "below the minimum as written"},
        {Cylinder, false, 0, "0.13", "", nullptr, "at the minimum"},
        {Cylinder, true, 0, "0.01969", "", "0.0197", "inch minimum compared as its text"},
        {Cylinder, true, 0, "0.0197", "", nullptr, "inch minimum itself"},
        {Cylinder, false, 3, "4.5", "", "5", "angle minimum as a plain number"},
        {Cylinder, false, 3, "900", "", nullptr, "no maximum on leaving"},
        {Cylinder, false, 7, "-5", "", nullptr, "no such field"},
        {Cone, false, 0, "", "", "0.13", "empty reads as 0"},
        {Cone, false, 5, "-", "", "5", "lower cut angle"},
        {Cone, false, 6, "-5", "", nullptr, "no such field"},
        {ConeElbow, false, 5, "5", "", "10", "bend angle below 10"},
        {ConeElbow, false, 8, "2", "90", "3", "fewer than 3 pieces"},
        {ConeElbow, false, 8, "80", "90", nullptr, "pieces have no maximum on leaving"},
        {ConeElbow, false, 2, "-70", "90", "-60", "start cut below -60"},
        {ConeElbow, false, 4, "70", "90", nullptr, "end cut has no maximum on leaving"},
        {ConeElbow, false, 6, "800", "90", "785.4", "axis above radius maximum x bend"},
        {ConeElbow, false, 6, "10", "90", "15.71", "axis below radius minimum x bend"},
        {ConeElbow, false, 6, "100", "90", nullptr, "axis within"},
        {ConeElbow, false, 7, "600", "90", "500", "bend radius above its maximum"},
        {ConeElbow, false, 7, "5", "90", "10", "bend radius below its minimum"},
        {ConeElbow, true, 7, "25", "90", "19.685", "bend radius maximum in inches"},
        {ConeElbow, false, 9, "-1", "90", nullptr, "no such field"},
    };
    for (const auto& c : cases) {
        ScopedCountingLook look;
        const FieldSettings& s = c.inches ? in : mm;
        std::string text = c.text;
        bool replaced = false;
        switch (c.family) {
            case Cylinder: replaced = CheckCylinderFieldRange(text, c.field, s); break;
            case Cone: replaced = CheckConeFieldRange(text, c.field, s); break;
            case ConeElbow: replaced = CheckConeElbowFieldRange(c.bend, text, c.field, s); break;
        }
        EXPECT_EQ(replaced, c.expected != nullptr) << c.why;
        EXPECT_EQ(text, c.expected ? c.expected : c.text) << c.why;
        EXPECT_EQ(look.look.beeps, c.expected ? 1 : 0) << c.why;
    }
}

// Hint texts stand in for the language file: section texts named by number.
class FieldHints : public ::testing::Test {
protected:
    void SetUp() override {
        for (TextSectionId id : {LangFrmCiRe, LangFrmCoRe, LangFrmCuCon2}) {
            saved_.push_back(Language().Sections[id]);
            TextSection texts(20);
            for (int i = 1; i < 20; ++i) texts[i] = "T" + std::to_string(i);
            Language().Sections[id] = texts;
        }
    }
    void TearDown() override {
        Language().Sections[LangFrmCiRe] = saved_[0];
        Language().Sections[LangFrmCoRe] = saved_[1];
        Language().Sections[LangFrmCuCon2] = saved_[2];
    }
    std::vector<TextSection> saved_;
};

const std::string Deg = "\xC2\xB0";

TEST_F(FieldHints, NameTheFieldAndItsRangeInTheCurrentUnit) {
    FieldSettings ext = Millimetres();
    ext.DiametriExt = 1;
    const FieldSettings mm = Millimetres(), in = Inches();
    struct Case {
        std::optional<std::string> hint;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {CylinderFieldHint(0, mm), "T2 (0 - 3)"},
        {CylinderFieldHint(1, mm), "T3 (0 - 300)"},
        {CylinderFieldHint(1, ext), "T7 (0 - 300)"},
        {CylinderFieldHint(1, in), "T3 (0 - 11.811)"},
        {CylinderFieldHint(2, in), "T4 (0 - 39.3701)"},
        {CylinderFieldHint(3, in), "T5 (0" + Deg + " - 80" + Deg + ")"},
        {CylinderFieldHint(4, mm), "T6 (0" + Deg + " - 80" + Deg + ")"},
        {CylinderFieldHint(5, mm), std::nullopt},
        {CylinderFieldHint(-1, mm), std::nullopt},
        {ConeFieldHint(0, mm), "T2 (0 - 3)"},
        {ConeFieldHint(0, in), "T2 (0 - 0.1181)"},
        {ConeFieldHint(1, ext), "T8 (0 - 300)"},
        {ConeFieldHint(2, ext), "T9 (0 - 300)"},
        {ConeFieldHint(3, ext), "T5 (0 - 1000)"},
        {ConeFieldHint(4, mm), "T6 (0" + Deg + " - 80" + Deg + ")"},
        {ConeFieldHint(5, mm), "T7 (0" + Deg + " - 80" + Deg + ")"},
        {ConeFieldHint(4, mm, true), "T7 (0" + Deg + " - 80" + Deg + ")"},
        {ConeFieldHint(5, mm, true), std::nullopt},
        {ConeFieldHint(6, mm), std::nullopt},
        {ConeElbowFieldHint("90", 0, in), "T2 (0 - 0.1181)"},
        {ConeElbowFieldHint("90", 1, ext), "T15 (0 - 300)"},
        {ConeElbowFieldHint("90", 3, ext), "T16 (0 - 300)"},
        {ConeElbowFieldHint("90", 3, mm), "T5 (0 - 300)"},
        {ConeElbowFieldHint("90", 2, in), "T4 (-60" + Deg + " - 60" + Deg + ")"},
        {ConeElbowFieldHint("90", 5, mm), "T7 (10" + Deg + " - 180" + Deg + ")"},
        {ConeElbowFieldHint("90", 6, mm), "T8 (15.71 - 785.4)"},
        {ConeElbowFieldHint("90", 7, mm), "T9 (10 - 500)"},
        {ConeElbowFieldHint("90", 8, in), "T10 (3 - 50)"},
        {ConeElbowFieldHint("90", 9, mm), std::nullopt},
    };
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(cases[i].hint, cases[i].expected) << "case " << i;
}

TEST(PlainNumberText, WritesLimitsWithoutDecoration) {
    EXPECT_EQ(PlainNumberText(-60), "-60");
    EXPECT_EQ(PlainNumberText(3), "3");
    EXPECT_EQ(PlainNumberText(180), "180");
    EXPECT_EQ(PlainNumberText(0.5f), "0.5");
}

}  // namespace
}  // namespace velm
