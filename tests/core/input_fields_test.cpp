#include "core/input_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/language.h"
#include "support/counting_look.h"

namespace velm {
namespace {

constexpr int Del = KeyDeleteFilter;
constexpr int Bs = KeyBackspace;

TEST(FilterDecimalKey, JudgesTheTextTheKeyWouldLeave) {
    struct Case { const char* text; int s, n, key; float min, max; int decimals; bool refused; const char* why; };
    const std::vector<Case> cases = {
        {"2.55", 4, 0, '5', 0, 3, 2, true, "third decimal in millimetres"},
        {"2.55", 4, 0, '5', 0, 11.811f, 4, false, "third decimal in inches"},
        {"12.", 3, 0, '.', 0, 300, 2, true, "second point"},
        {"1234", 1, 0, '.', 0, 300, 2, true, "point leaving three decimals"},
        {"12", 0, 0, '-', 0, 300, 2, true, "minus 12 below 0"},
        {"12", 0, 0, '-', -60, 60, 2, false, "minus 12 in an elbow cut angle"},
        // The box would show "12-" while its value is 12.
        {"12", 2, 0, '-', -60, 60, 2, true, "minus after the digits"},
        {"12", 1, 0, '-', -60, 60, 2, true, "minus between the digits"},
        {"-5", 0, 0, '-', -60, 60, 2, true, "second minus"},
        {"-5", 0, 0, '3', -60, 60, 2, true, "digit before the minus"},
        {"12", 0, 2, '-', -60, 60, 2, false, "minus over the whole text"},
        {"", 0, 0, '1', 3, 300, 2, true, "1 below a minimum of 3"},
        {"15", 0, 1, Bs, 10, 180, 2, true, "Backspace of a selection leaves 5"},
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

TEST(FilterIntegerKey, TakesDigitsWithinTheRangeOnly) {
    ScopedCountingLook look;
    EXPECT_FALSE(FilterIntegerKey({"5", 1, 0}, 0, 50, '0'));
    EXPECT_TRUE(FilterIntegerKey({"5", 1, 0}, 0, 50, '1'));
    EXPECT_TRUE(FilterIntegerKey({"510", 2, 1}, 0, 50, Del));
    EXPECT_EQ(look.look.beeps, 2);
}

FieldSettings Units(bool inches) {
    FieldSettings s;
    s.MeasuringSystem = inches ? 1 : 0;
    return s;
}

enum Family { Cylinder, Cone, ConeElbow };

TEST(FieldKeyFilters, UseEachFieldsRangeAndDecimals) {
    struct Case { Family family; bool inches; int field; const char* text; int s, key; const char* bend; bool refused;
                  const char* why; };
    const std::vector<Case> cases = {
        {Cylinder, false, 0, "2.55", 4, '5', "90", true, "thickness: two decimals in millimetres"},
        {Cylinder, true, 0, "0.118", 5, '2', "90", true, "thickness 0.1182 inch is beyond 3 mm"},
        {Cylinder, false, 3, "8", 1, '1', "90", true, "cut angle 81 beyond 80"},
        {Cone, false, 5, "8", 1, '1', "90", true, "lower cut angle 81 beyond 80"},
        {ConeElbow, false, 6, "78", 2, '6', "90", true, "axis 786 beyond 500 x pi/2"},
        {ConeElbow, false, 6, "", 0, '1', "0", true, "no bend angle, no axis length"},
        {ConeElbow, false, 8, "5", 1, '1', "90", true, "51 pieces"},
    };
    for (const auto& c : cases) {
        ScopedCountingLook look;
        const FieldSettings s = Units(c.inches);
        const BoxState box{c.text, c.s, 0};
        int key = c.key;
        switch (c.family) {
            case Cylinder: FilterCylinderKeyPress(box, c.field, key, s); break;
            case Cone: FilterConeKeyPress(box, c.field, key, s); break;
            case ConeElbow: FilterConeElbowKeyPress(c.bend, box, c.field, key, s); break;
        }
        EXPECT_EQ(key, c.refused ? 0 : c.key) << c.why;
        EXPECT_EQ(look.look.beeps, c.refused ? 1 : 0) << c.why;
    }
}

TEST(FieldKeyFilters, KeyDownJudgesOnlyTheDeleteKey) {
    const FieldSettings s = Units(false);
    ScopedCountingLook look;
    // Delete would leave 25 (too thick) in each family; at the end it deletes
    // nothing; Backspace waits for KeyPress.
    std::vector<int> codes = {KeyCodeDelete, KeyCodeDelete, KeyCodeDelete, KeyCodeDelete, 8};
    FilterCylinderKeyDown({"2.5", 1, 0}, 0, codes[0], 0, s);
    FilterConeKeyDown({"2.5", 1, 0}, 0, codes[1], 0, s);
    FilterConeElbowKeyDown("90", {"2.5", 1, 0}, 0, codes[2], 0, s);
    FilterConeKeyDown({"2.5", 3, 0}, 0, codes[3], 0, s);
    FilterCylinderKeyDown({"2.5", 1, 0}, 0, codes[4], 0, s);
    EXPECT_EQ(codes, (std::vector<int>{0, 0, 0, KeyCodeDelete, 8}));
    EXPECT_EQ(look.look.beeps, 3);
}

TEST(FieldRangeCheck, ReplacesAValueOutsideByTheBound) {
    FieldSettings mm = Units(false);
    mm.Limits.ThicknessLimit.Min = 0.125f;  // written 0.13
    mm.Limits.CutAngleLimit.Min = 5;
    FieldSettings in = Units(true);
    in.Limits.ThicknessLimit.Min = 0.5f;  // 0.019685 inch, written 0.0197
    // expected nullptr: left as it was
    struct Case { Family family; bool inches; int field; const char* text, *bend, *expected, *why; };
    const std::vector<Case> cases = {
        {Cylinder, false, 0, "0.126", "", "0.13", "below the minimum as written"},
        {Cylinder, true, 0, "0.01969", "", "0.0197", "inch minimum compared as its text"},
        {Cylinder, false, 3, "900", "", nullptr, "no maximum on leaving"},
        {Cone, false, 5, "-", "", "5", "lower cut angle"},
        {ConeElbow, false, 8, "2", "90", "3", "fewer than 3 pieces"},
        {ConeElbow, false, 6, "800", "90", "785.4", "axis above radius maximum x bend"},
        {ConeElbow, true, 7, "25", "90", "19.685", "bend radius maximum in inches"},
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

TEST(FieldHints, NameTheFieldAndItsRangeInTheCurrentUnit) {
    std::vector<TextSection> saved;
    const TextSectionId ids[] = {LangFrmCiRe, LangFrmCoRe, LangFrmCuCon2};
    for (TextSectionId id : ids) {
        saved.push_back(Language().Sections[id]);
        TextSection texts(20);
        for (int i = 1; i < 20; ++i) texts[i] = "T" + std::to_string(i);
        Language().Sections[id] = texts;
    }
    FieldSettings ext = Units(false);
    ext.DiametriExt = 1;
    const FieldSettings mm = Units(false), in = Units(true);
    const std::string Deg = "\xC2\xB0";
    const std::pair<std::optional<std::string>, std::optional<std::string>> cases[] = {
        {CylinderFieldHint(1, ext), "T7 (0 - 300)"},
        {CylinderFieldHint(1, in), "T3 (0 - 11.811)"},
        {CylinderFieldHint(5, mm), std::nullopt},
        {ConeFieldHint(0, in), "T2 (0 - 0.1181)"},
        {ConeFieldHint(4, mm, true), "T7 (0" + Deg + " - 80" + Deg + ")"},
        {ConeElbowFieldHint("90", 2, in), "T4 (-60" + Deg + " - 60" + Deg + ")"},
        {ConeElbowFieldHint("90", 6, mm), "T8 (15.71 - 785.4)"},
    };
    for (const auto& [hint, expected] : cases) EXPECT_EQ(hint, expected);
    for (std::size_t i = 0; i < saved.size(); ++i) Language().Sections[ids[i]] = saved[i];
}

}  // namespace
}  // namespace velm
