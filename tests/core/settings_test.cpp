#include "core/settings.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/ini_settings_store.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

class SettingsTest : public testing::Test {
protected:
    TempFolder folder;
    IniSettingsStore store{folder.Path()};
    std::string File() const { return folder.Read("VELM.INI"); }
};

TEST_F(SettingsTest, FreshUserGetsTheDefaults) {
    SettingsCache cache;
    cache.Scale = 4;  // every key is read, not left as it was
    cache.LatoSaldatura = -1;
    ReadAllSettings(store, cache);
    EXPECT_EQ(ReadAngleStep(store), 1.0f);
    EXPECT_EQ(DeriveThicknessFactor(cache), 1);
    EXPECT_EQ(cache.SettingXPrinter, 1.0f);
    // Scale, MeasuringSystem, CheckData, CheckSviluppo, LatoSaldatura
    EXPECT_EQ(std::tuple(cache.Scale, cache.MeasuringSystem, cache.CheckData, cache.CheckSviluppo, cache.LatoSaldatura),
              std::tuple(1, 0, 0, 1, 1));
    EXPECT_EQ(ReadRecentFile(store, 1), "Not Used");
}

TEST_F(SettingsTest, WritersStoreTheShortTextFormAndReadItBack) {
    SaveAngleStep(store, 0.25f);
    SaveLatoSaldatura(store, -1);
    SavePrinterSetting(store, "SettingYPrinter", 0.5f);
    SavePrinterSetting(store, "SettingZPrinter", 1.5f);  // not a key of ours
    SaveScale(store, 3);
    const std::string text = File();
    for (const char* line : {"[System]", "AngleStep=.25\n", "SettingYPrinter=.5\n", "Scale=3\n", "[Options]",
                             "LatoSaldatura=-1\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("SettingZPrinter"), std::string::npos);

    IniSettingsStore again(folder.Path());
    SettingsCache cache;
    ReadAllSettings(again, cache);
    EXPECT_EQ(ReadAngleStep(again), 0.25f);
    EXPECT_EQ(cache.LatoSaldatura, -1);
    EXPECT_EQ(cache.SettingYPrinter, 0.5f);
    EXPECT_EQ(cache.Scale, 3);
}

TEST_F(SettingsTest, StoredTextsOutOfRangeTakeTheDefault) {
    const struct { const char* key; const char* text; double expected; } cases[] = {
        {"Scale", "3.5", 4},  {"Scale", "6", 1},  {"Scale", "99999", 1}, {"MeasuringSystem", "2", 0},
        // Kept as stored: the calculation-method dialog reads it.
        {"ComputingSystem", "7", 7}, {"ComputingSystem", "1e999", 1},
        {"SettingXPrinter", "2", 2}, {"SettingXPrinter", "2.01", 1}, {"SettingXPrinter", "1e999", 1},
        {"AngleStep", "0.1", 0.1f}, {"AngleStep", ".3", 1}, {"LatoSaldatura", "0", 1}, {"CheckSviluppo", "2", 1},
        // Halves go to the even neighbour.
        {"Scale", "2.5", 2}, {"Scale", "4.5", 4}, {"CheckSviluppo", "0.5", 0}, {"ComputingSystem", "6.5", 6},
        {"ComputingSystem", "-2.5", -2},
    };
    for (const auto& c : cases) {
        const std::string key = c.key;
        const bool option = key == "LatoSaldatura" || key == "CheckSviluppo";
        store.SaveSetting("VELM.INI", option ? "Options" : "System", key, c.text);
        SettingsCache k;
        ReadAllSettings(store, k);
        const double got = key == "Scale"             ? k.Scale
                           : key == "MeasuringSystem" ? k.MeasuringSystem
                           : key == "ComputingSystem" ? k.ComputingSystem
                           : key == "SettingXPrinter" ? k.SettingXPrinter
                           : key == "AngleStep"       ? ReadAngleStep(store)
                           : key == "LatoSaldatura"   ? k.LatoSaldatura
                                                      : k.CheckSviluppo;
        EXPECT_EQ(got, c.expected) << key << "=" << c.text;
    }
}

TEST(ThicknessFactor, FollowsTheFibreTheDialogShows) {
    const int cases[][3] = {{0, 0, 0}, {1, 0, 1}, {7, 0, 2}, {0, 1, -2}, {2, 1, 0}};
    for (const auto& c : cases) {
        WorkingState state;
        state.Settings.ComputingSystem = static_cast<std::int16_t>(c[0]);
        state.Settings.DiametriExt = static_cast<std::int16_t>(c[1]);
        state.RecomputeThicknessFactor();
        EXPECT_EQ(state.ThicknessFactor, c[2]) << c[0] << "," << c[1];
    }
}

TEST_F(SettingsTest, RecentFilesKeepTheirNamesWhole) {
    SaveRecentFile(store, 1, "/home/u/work/a=b/plate one.qvl");
    SaveRecentFile(store, 6, "/tmp/six.qvl");  // only five entries
    EXPECT_EQ(ReadRecentFile(store, 1), "/home/u/work/a=b/plate one.qvl");
    EXPECT_EQ(File().find("six"), std::string::npos);
}

}  // namespace
}  // namespace velm
