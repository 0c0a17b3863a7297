#include "frame/settings.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

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
    cache.CheckSviluppo = 0;
    cache.LatoSaldatura = -1;
    ReadAllSettings(store, cache);
    EXPECT_EQ(ReadAngleStep(store), 1.0f);
    EXPECT_EQ(cache.ComputingSystem, 1);
    EXPECT_EQ(cache.DiametriExt, 0);
    EXPECT_EQ(DeriveThicknessFactor(cache), 1);
    EXPECT_EQ(cache.MeasuringSystem, 0);
    EXPECT_EQ(cache.Scale, 1);
    EXPECT_EQ(cache.SettingXPrinter, 1.0f);
    EXPECT_EQ(cache.SettingYPrinter, 1.0f);
    EXPECT_EQ(cache.CheckSviluppo, 1);
    EXPECT_EQ(cache.CheckData, 0);
    EXPECT_EQ(cache.CheckNote, 0);
    EXPECT_EQ(cache.LatoSaldatura, 1);
    EXPECT_EQ(ReadRecentFile(store, 1), "Not Used");
}

TEST_F(SettingsTest, WritersStoreTheShortTextForm) {
    SaveAngleStep(store, 0.25f);
    SaveLatoSaldatura(store, -1);
    SavePrinterSetting(store, "SettingXPrinter", 1.02f);
    SavePrinterSetting(store, "SettingYPrinter", 0.5f);
    SavePrinterSetting(store, "SettingZPrinter", 1.5f);  // not a key of ours
    SaveScale(store, 3);
    SaveCheckSviluppo(store, 0);
    SaveMeasuringSystem(store, 1);
    const std::string text = File();
    for (const char* line : {"[System]", "AngleStep=.25\n", "SettingXPrinter=1.02\n", "SettingYPrinter=.5\n",
                             "Scale=3\n", "MeasuringSystem=1\n", "[Options]", "LatoSaldatura=-1\n",
                             "CheckSviluppo=0\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("SettingZPrinter"), std::string::npos);

    // A later start reads back what was written.
    IniSettingsStore again(folder.Path());
    SettingsCache cache;
    ReadAllSettings(again, cache);
    EXPECT_EQ(ReadAngleStep(again), 0.25f);
    EXPECT_EQ(cache.LatoSaldatura, -1);
    EXPECT_EQ(cache.SettingXPrinter, 1.02f);
    EXPECT_EQ(cache.SettingYPrinter, 0.5f);
    EXPECT_EQ(cache.Scale, 3);
    EXPECT_EQ(cache.CheckSviluppo, 0);
    EXPECT_EQ(cache.MeasuringSystem, 1);
}

TEST_F(SettingsTest, StoredTextsOutOfRangeTakeTheDefault) {
    struct Case {
        const char* section;
        const char* key;
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"System", "Scale", "2.5", 2},       {"System", "Scale", "3.5", 4},
        {"System", "Scale", "99999", 1},     {"System", "Scale", "0", 1},
        {"System", "Scale", "6", 1},         {"System", "Scale", "abc", 1},
        {"System", "Scale", " 5", 5},        {"System", "Scale", "Not Used", 1},
        {"Options", "LatoSaldatura", "-1", -1}, {"Options", "LatoSaldatura", "0", 1},
        {"Options", "LatoSaldatura", "-2", 1},  {"Options", "CheckSviluppo", "0", 0},
        {"Options", "CheckSviluppo", "2", 1},   {"Options", "CheckSviluppo", "-1", 1},
        {"Options", "CheckSviluppo", "abc", 0}, {"Options", "CheckData", "1", 1},
        {"Options", "CheckData", "0.5", 0},     {"Options", "CheckNote", "1.5", 0},
        {"System", "MeasuringSystem", "1", 1},  {"System", "MeasuringSystem", "1.4", 1},
        {"System", "MeasuringSystem", "2", 0},  {"System", "ComputingSystem", "2.5", 2},
        {"System", "ComputingSystem", "3.5", 4}, {"System", "ComputingSystem", "7", 7},
        {"System", "ComputingSystem", "-32768", -32768}, {"System", "ComputingSystem", "32767.5", 1},
        {"System", "ComputingSystem", "99999", 1}, {"System", "ComputingSystem", "1e999", 1},
        {"System", "DiametriExt", "1", 1},      {"System", "DiametriExt", "2", 0},
        {"System", "AngleStep", ".25", 0.25f},  {"System", "AngleStep", "0.1", 0.1f},
        {"System", "AngleStep", "10", 10},      {"System", "AngleStep", ".3", 1},
        {"System", "AngleStep", "20", 1},       {"System", "AngleStep", "abc", 1},
        {"System", "SettingXPrinter", "1.02", 1.02f}, {"System", "SettingXPrinter", "2", 2},
        {"System", "SettingXPrinter", "2.01", 1}, {"System", "SettingXPrinter", "0.4", 1},
        {"System", "SettingYPrinter", "1e999", 1}, {"System", "SettingYPrinter", "-1", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << "=" << c.text);
        store.SaveSetting("VELM.INI", c.section, c.key, c.text);
        SettingsCache cache;
        ReadAllSettings(store, cache);
        const std::string key = c.key;
        double got = 0;
        if (key == "Scale") got = cache.Scale;
        if (key == "LatoSaldatura") got = cache.LatoSaldatura;
        if (key == "CheckSviluppo") got = cache.CheckSviluppo;
        if (key == "CheckData") got = cache.CheckData;
        if (key == "CheckNote") got = cache.CheckNote;
        if (key == "MeasuringSystem") got = cache.MeasuringSystem;
        if (key == "ComputingSystem") got = cache.ComputingSystem;
        if (key == "DiametriExt") got = cache.DiametriExt;
        if (key == "AngleStep") got = ReadAngleStep(store);
        if (key == "SettingXPrinter") got = cache.SettingXPrinter;
        if (key == "SettingYPrinter") got = cache.SettingYPrinter;
        EXPECT_EQ(got, c.expected);
    }
}

TEST(ThicknessFactor, FollowsTheFibreTheDialogShows) {
    const int cases[][3] = {{0, 0, 0}, {1, 0, 1},  {2, 0, 2},  {7, 0, 2},
                            {-3, 0, 2}, {0, 1, -2}, {1, 1, -1}, {2, 1, 0}};
    for (const auto& c : cases) {
        SettingsCache cache;
        cache.ComputingSystem = static_cast<std::int16_t>(c[0]);
        cache.DiametriExt = static_cast<std::int16_t>(c[1]);
        EXPECT_EQ(DeriveThicknessFactor(cache), c[2]) << c[0] << "," << c[1];
        WorkingState state;
        state.Settings = cache;
        state.RecomputeThicknessFactor();
        EXPECT_EQ(state.ThicknessFactor, c[2]) << c[0] << "," << c[1];
    }
}

TEST_F(SettingsTest, RecentFilesKeepTheirNamesWhole) {
    SaveRecentFile(store, 1, "/home/u/work/a=b/plate one.qvl");
    SaveRecentFile(store, 5, "/tmp/x.qvl");
    SaveRecentFile(store, 0, "/tmp/zero.qvl");
    SaveRecentFile(store, 6, "/tmp/six.qvl");
    EXPECT_EQ(ReadRecentFile(store, 1), "/home/u/work/a=b/plate one.qvl");
    EXPECT_EQ(ReadRecentFile(store, 2), "Not Used");
    EXPECT_EQ(ReadRecentFile(store, 5), "/tmp/x.qvl");
    EXPECT_EQ(ReadRecentFile(store, 6), "Not Used");
    const std::string text = File();
    EXPECT_NE(text.find("[Recent Files]\nRecentFile1=/home/u/work/a=b/plate one.qvl\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("zero"), std::string::npos);
    EXPECT_EQ(text.find("six"), std::string::npos);
}

struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(SettingsTest, DecimalCommaLocaleStillWritesAPoint) {
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    const std::locale oldCpp = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    SaveAngleStep(store, 0.3f);
    SavePrinterSetting(store, "SettingXPrinter", 1.5f);
    store.SaveSetting("VELM.INI", "System", "SettingYPrinter", "1.25");
    const float y = ReadPrinterSetting(store, "SettingYPrinter");
    std::setlocale(LC_ALL, oldC.c_str());
    std::locale::global(oldCpp);
    EXPECT_NE(File().find("AngleStep=.3\n"), std::string::npos) << File();
    EXPECT_NE(File().find("SettingXPrinter=1.5\n"), std::string::npos) << File();
    EXPECT_EQ(y, 1.25f);
}

}  // namespace
}  // namespace velm
