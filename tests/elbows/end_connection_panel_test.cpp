#include "elbows/end_connection_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/language.h"
#include "elbows/elbow_messages.h"
#include "support/counting_look.h"

namespace velm {
namespace {

const std::string Deg = "\xC2\xB0";

// Numbered stand-in texts ("T5") for the two sections the panel reads.
class PanelTexts : public ::testing::Test {
protected:
    void SetUp() override {
        for (TextSectionId id : ids_) {
            saved_.push_back(Language().Sections[id]);
            TextSection texts(30);
            for (int i = 1; i < 30; ++i) texts[i] = "T" + std::to_string(i);
            Language().Sections[id] = texts;
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < saved_.size(); ++i) Language().Sections[ids_[i]] = saved_[i];
    }

private:
    const TextSectionId ids_[2] = {LangCommonFrmCurvaConica, LangFrmCuCon2};
    std::vector<TextSection> saved_;
};

FieldSettings Units(bool inches, bool outer = false) {
    FieldSettings s;
    s.MeasuringSystem = inches ? 1 : 0;
    s.DiametriExt = outer ? 1 : 0;
    return s;
}

// The default records: start cylindrical (20, 10, 45, 22), end conical (27, 10, 35, 30).
EndConnectionArray Defaults() { return {0, 1, 20, 10, 45, 22, 0, 27, 10, 35, 30}; }

using PanelLabels = PanelTexts;
TEST_F(PanelLabels, MarkTheDiameterThatJoinsTheElbow) {
    const struct { bool cylindrical; int record; bool outer; const char* first; const char* second; } cases[] = {
        {true, ConnectionStart, false, "T17 (d):", "T18:"},
        {false, ConnectionStart, false, "T17:", "T18 (d):"},
        {false, ConnectionEnd, false, "T17 (D):", "T18:"},
        {true, ConnectionEnd, false, "T17 (D):", "T18:"},
        {false, ConnectionStart, true, "T24:", "T25 (d):"},
    };
    for (const auto& c : cases) {
        const ConnectionDiameterLabels l = FilletPanelLabels(c.cylindrical, c.record, c.outer ? 1 : 0);
        EXPECT_EQ(l.First, c.first);
        EXPECT_EQ(l.Second, c.second);
    }
}

TEST(ConnectionRecord, OpensWithTheStoredValuesAndKind) {
    const EndConnectionArray c = Defaults();
    EXPECT_FALSE(ConnectionIsConical(c, ConnectionStart));
    EXPECT_TRUE(ConnectionIsConical(c, ConnectionEnd));
    EXPECT_EQ(ConnectionBoxTexts(c, ConnectionStart, 0), (std::array<std::string, 4>{"20", "10", "45", "22"}));
    EXPECT_EQ(ConnectionBoxTexts(c, ConnectionEnd, 0), (std::array<std::string, 4>{"27", "10", "35", "30"}));
    EndConnectionArray odd = c;
    odd[6] = 0.5f;  // any kind but exactly 0 is the cylindrical option
    EXPECT_FALSE(ConnectionIsConical(odd, ConnectionEnd));
}

// Confirming stores the kind and all four boxes, the hidden fourth too, and
// keeps them even when the check refuses the record.
TEST(ConnectionRecord, ConfirmingStoresThenChecks) {
    const struct {
        const char* what;
        int record;
        bool cylindrical;
        std::array<std::string, 4> boxes;
        int message;
    } cases[] = {
        {"cylindrical start keeps the hidden value", ConnectionStart, true, {"20", "10", "45", "22.5"}, 0},
        {"conical end", ConnectionEnd, false, {"27", "-60", "35", "30"}, 0},
        {"cylindrical end needs no second diameter", ConnectionEnd, true, {"27", "10", "35", "0"}, 0},
        {"conical end without second diameter", ConnectionEnd, false, {"27", "10", "35", "0"},
         ErrEndConnectionSecondDiameter},
        {"start without diameter", ConnectionStart, false, {"0", "10", "45", "22"}, ErrStartConnectionDiameter},
        {"start without length", ConnectionStart, true, {"20", "10", "", "22"}, ErrStartConnectionLength},
    };
    for (const auto& c : cases) {
        EndConnectionArray rec = Defaults();
        const EndConnectionArray before = rec;
        EXPECT_EQ(StoreConnectionRecord(rec, c.record, c.cylindrical, c.boxes), c.message) << c.what;
        const int base = c.record == ConnectionEnd ? 5 : 0, other = 5 - base;
        EXPECT_EQ(rec[base + 1], c.cylindrical ? 1.0f : 0.0f) << c.what;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(rec[base + 2 + k], static_cast<float>(std::stod(c.boxes[k].empty() ? "0" : c.boxes[k])))
                << c.what << " box " << k;
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(rec[other + k], before[other + k]) << c.what << " other record";
    }
}

TEST(ConnectionBoxes, KeyFiltersKeepEachBoxInItsRange) {
    const struct { int index; const char* text; int key; bool inches; bool refused; } cases[] = {
        {1, "-6", '0', false, false},   // -60 is the least cut angle
        {1, "-6", '1', false, true},    // -61 cannot be typed
        {0, "5", '-', false, true},     // only the cut angle takes a sign
        {0, "30", '1', false, true},    // 301 over the diameter maximum
        {2, "100", '0', false, false},  // 1000, the length maximum
        {2, "39.37", '0', true, false}, // 39.370 within 1000 mm in inches
        {2, "39.37", '1', true, true},
        {3, "1.23", '4', false, true},  // a third decimal in millimetres
        {3, "1.23", '4', true, false},  // but not in inches
    };
    for (const auto& c : cases) {
        ScopedCountingLook look;
        int key = c.key;
        const int at = c.key == '-' ? 0 : static_cast<int>(std::string(c.text).size());
        FilterConnectionKeyPress({c.text, at, 0}, c.index, key, Units(c.inches));
        EXPECT_EQ(key == 0, c.refused) << c.index << " " << c.text << static_cast<char>(c.key);
    }
    // Delete of the 3 in "300" leaves "00", allowed.
    int code = KeyCodeDelete;
    FilterConnectionKeyDown({"300", 0, 1}, 0, code, Units(false));
    EXPECT_EQ(code, KeyCodeDelete);
}

TEST(ConnectionBoxes, LeavingBelowTheMinimumTakesIt) {
    const struct { int index; const char* text; const char* expected; } cases[] = {
        {1, "-70", "-60"}, {1, "-60", nullptr}, {0, "-5", "0"}, {2, "-0.5", "0"}, {3, "12", nullptr},
    };
    for (const auto& c : cases) {
        ScopedCountingLook look;
        std::string text = c.text;
        EXPECT_EQ(CheckConnectionFieldRange(text, c.index, Units(false)), c.expected != nullptr) << c.text;
        EXPECT_EQ(text, c.expected ? c.expected : c.text);
        EXPECT_EQ(look.look.beeps, c.expected ? 1 : 0);
    }
}

using ConnectionHints = PanelTexts;
TEST_F(ConnectionHints, ByBoxOptionRecordAndUnit) {
    const struct { int index; bool cylindrical; int record; FieldSettings s; std::string expected; } cases[] = {
        {0, false, ConnectionStart, Units(false), "T3 (0 - 300)"},
        {0, false, ConnectionStart, Units(false, true), "T15 (0 - 300)"},
        {1, false, ConnectionStart, Units(false), "T4 (-60" + Deg + " - 60" + Deg + ")"},
        {1, false, ConnectionEnd, Units(false), "T6 (-60" + Deg + " - 60" + Deg + ")"},
        {1, true, ConnectionStart, Units(false), "T13 (-60" + Deg + " - 60" + Deg + ")"},
        {1, true, ConnectionEnd, Units(true), "T14 (-60" + Deg + " - 60" + Deg + ")"},
        {2, true, ConnectionStart, Units(true), "T11 (0 - 39.3701)"},
        {2, false, ConnectionEnd, Units(false), "T12 (0 - 1000)"},
        {3, false, ConnectionEnd, Units(false, true), "T16 (0 - 300)"},
        {3, false, ConnectionEnd, Units(true), "T5 (0 - 11.811)"},
    };
    for (const auto& c : cases) EXPECT_EQ(ConnectionFieldHint(c.index, c.cylindrical, c.record, c.s), c.expected);
    EXPECT_EQ(ConnectionFieldHint(4, false, 0, Units(false)), std::nullopt);
}

}  // namespace
}  // namespace velm
