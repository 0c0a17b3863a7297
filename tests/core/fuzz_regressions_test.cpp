// Inputs that the fuzz targets (fuzz/) found to break a reader's promise,
// kept here so that the faults stay mended.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data_file.h"
#include "core/input_fields.h"
#include "core/language_file.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/unit_conversion.h"
#include "platform/ini_settings_store.h"
#include "support/counting_look.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

std::string OldFile(const char* version, const char* unit) {
    std::string text = std::string("\"VELM\"\r\n\"") + version + "\"\r\n" + unit + "\r\n6\r\n";
    for (const char* v : {"0", "1", "0", "0", "0", "6", "0", "7", "0", "6", "0"}) text += std::string(v) + "\r\n";
    return text;
}

// A file without elbows in another unit than the run's: the kept elbow
// values change unit with it, so that saving and reopening loses nothing.
TEST(FuzzRegressions, OlderFileInAnotherUnitCarriesTheKeptElbowsAlong) {
    struct Case { const char* name; std::int16_t runUnit; const char* fileUnit, *version; };
    const Case cases[] = {
        {"mm run, inch file", 0, "1", ""},
        {"inch run, mm file", 1, "0", "1.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataFileRecord current;
        current.MeasuringSystem = c.runUnit;
        if (c.runUnit == 1) ConvertInputUnits(0, current.Inputs);
        DataFileRecord record = current;
        ASSERT_TRUE(ReadDataFileText(OldFile(c.version, c.fileUnit), InputLimits{}, record));

        DataFileRecord expected = current;
        if (record.MeasuringSystem != current.MeasuringSystem)
            ConvertInputUnits(record.MeasuringSystem == 1 ? 0 : 1, expected.Inputs);
        EXPECT_EQ(record.Inputs.CylElbowData, expected.Inputs.CylElbowData);
        EXPECT_EQ(record.Inputs.ConeElbowData, expected.Inputs.ConeElbowData);
        EXPECT_EQ(record.Inputs.EndConnections, expected.Inputs.EndConnections);
        EXPECT_EQ(record.Inputs.CylinderData[2], 7.0f);  // read from the file as it stands

        DataFileRecord reopened = current;
        ASSERT_TRUE(ReadDataFileText(WriteDataFileText(record), InputLimits{}, reopened));
        EXPECT_EQ(reopened.Inputs.CylElbowData, record.Inputs.CylElbowData);
    }
}

// Key sequences whose texts the filters let through: a digit or point typed
// in front of a sign left "0-3", whose point then gave 0.3 in a box of
// maximum 0.1181 (the axis length, whose maximum the bend angle sets, the same).
TEST(FuzzRegressions, NoDigitOrPointInFrontOfASign) {
    struct Step { int start, length, key; bool refused; };
    struct Case { const char* name; std::string text; float min, max; std::vector<Step> steps; std::string result; };
    const std::vector<Case> cases = {
        {"digit before a lone sign", "-", 0, 3.0f / 25.4f, {{0, 0, '0', true}, {1, 0, '0', false}}, "-0"},
        {"point before a sign", "-5", -60, 60, {{0, 0, '.', true}, {1, 0, '.', false}}, "-.5"},
        {"digit after the sign", "-", -60, 60, {{1, 0, '3', false}, {0, 0, '4', true}}, "-3"},
        {"elbow axis with no bend angle", "", 0, 0,
         {{0, 0, '.', false}, {0, 0, '0', false}, {0, 0, '-', false}, {0, 0, '0', true}}, "-0."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedCountingLook look;
        std::string text = c.text;
        int refusals = 0;
        for (const Step& s : c.steps) {
            const bool refused = FilterDecimalKey({text, s.start, s.length}, c.min, c.max, 4, s.key);
            EXPECT_EQ(refused, s.refused) << "key " << static_cast<char>(s.key) << " at " << s.start;
            if (refused) {
                ++refusals;
                continue;
            }
            text.replace(s.start, s.length, 1, static_cast<char>(s.key));
            EXPECT_GE(ReadNumber(text), c.min);
            EXPECT_LE(ReadNumber(text), c.max);
        }
        EXPECT_EQ(text, c.result);
        EXPECT_EQ(look.look.beeps, refusals);
    }
}

// Overlong UTF-8 forms are not UTF-8: they must not pass for the character
// they spell (the language source would then hold bytes nobody wrote).
TEST(FuzzRegressions, OverlongUtf8IsRefused) {
    struct Case { std::string utf8; bool ok; std::string cp1252; };
    const Case cases[] = {
        {"\xC0\x80", false, ""}, {"\xE0\x83\xA9", false, ""}, {"\xF0\x80\x81\x81", false, ""},
        {"A\xC3\xA9", true, "A\xE9"}, {"\xE2\x82\xAC", true, "\x80"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(Utf8ToCp1252(c.utf8, out), c.ok) << testing::PrintToString(c.utf8);
        if (c.ok) {
            EXPECT_EQ(out, c.cp1252);
            EXPECT_EQ(Cp1252ToUtf8(out), c.utf8);
        }
    }
}

// Saving one setting rewrites the whole file: every other line must read
// back as it did, whatever its line end ("\r\r\n" lost its second return).
TEST(FuzzRegressions, SavingASettingKeepsWhatOtherKeysRead) {
    const std::string texts[] = {
        "[Options]\r\nCheckData=1\r\r\nCheckNote=0\r\n",
        "[Options]\nCheckData=1\r\r\r\n[System]\nScale=2\r\r",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(testing::PrintToString(text));
        TempFolder folder;
        IniSettingsStore store(folder.Path());
        folder.Write(SettingsAppName, text);
        auto read = [&](const char* section, const char* key) {
            return store.GetSetting(SettingsAppName, section, key, SettingNotUsed);
        };
        const std::string data = read(SettingsSectionOptions, "CheckData");
        const std::string note = read(SettingsSectionOptions, "CheckNote");
        SaveScale(store, 4);
        SaveLatoSaldatura(store, -1);
        EXPECT_EQ(read(SettingsSectionOptions, "CheckData"), data);
        EXPECT_EQ(read(SettingsSectionOptions, "CheckNote"), note);
        EXPECT_EQ(ReadScale(store), 4);
        EXPECT_EQ(ReadLatoSaldatura(store), -1);
    }
}

}  // namespace
}  // namespace velm
