#include "platform/ini_settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "support/temp_folder.h"

namespace velm {
namespace {

class IniStoreTest : public testing::Test {
protected:
    TempFolder folder;
    IniSettingsStore store{folder.Path()};
    std::string Get(const std::string& section, const std::string& key) const {
        return store.GetSetting("VELM.INI", section, key, "Not Used");
    }
    int FilesInFolder() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path())) ++n;
        return n;
    }
};

TEST_F(IniStoreTest, MissingFileReadsAsEmptyAndSavingMakesIt) {
    EXPECT_EQ(Get("System", "Scale"), "Not Used");
    IniSettingsStore nested(folder.File("a/b"));  // folders are made on the first save
    nested.SaveSetting("VELM.INI", "System", "Scale", "2");
    EXPECT_EQ(folder.Read("a/b/VELM.INI"), "[System]\nScale=2\n");
}

TEST_F(IniStoreTest, UpdatesInPlaceAndKeepsTheRestOfTheFile) {
    folder.Write("VELM.INI",
                 "; written by hand\r\n[System]\r\nAngleStep=.5\r\nscale = 3\r\n\r\n"
                 "[Options]\r\nCheckData=1\r\n");
    EXPECT_EQ(Get("System", "AngleStep"), ".5");
    EXPECT_EQ(Get("SYSTEM", "Scale"), " 3");  // names match without case; values as written
    EXPECT_EQ(Get("Options", "AngleStep"), "Not Used");

    store.SaveSetting("VELM.INI", "System", "Scale", "4");
    store.SaveSetting("VELM.INI", "System", "MeasuringSystem", "1");  // joins its own section
    store.SaveSetting("VELM.INI", "Recent Files", "RecentFile1", "/tmp/a.qvl");
    EXPECT_EQ(folder.Read("VELM.INI"),
              "; written by hand\n[System]\nAngleStep=.5\nScale=4\nMeasuringSystem=1\n\n"
              "[Options]\nCheckData=1\n\n[Recent Files]\nRecentFile1=/tmp/a.qvl\n");
    EXPECT_EQ(FilesInFolder(), 1);  // no temporary file left behind

    store.DeleteSetting("VELM.INI", "system", "SCALE");
    store.DeleteSetting("VELM.INI", "Options", "AngleStep");  // another section's key stays
    EXPECT_EQ(Get("System", "Scale"), "Not Used");
    EXPECT_EQ(Get("System", "AngleStep"), ".5");
}

TEST_F(IniStoreTest, TextsThatWouldBreakTheFileAreNotStored) {
    store.SaveSetting("VELM.INI", "Recent Files", "RecentFile1", "/tmp/x\n[System]\nScale=5");
    store.SaveSetting("VELM.INI", "System", "Scale=5", "1");
    store.SaveSetting("VELM.INI", "Sys]tem", "Scale", "5");
    EXPECT_EQ(Get("System", "Scale"), "Not Used");
    EXPECT_EQ(Get("Recent Files", "RecentFile1"), "Not Used");
}

TEST_F(IniStoreTest, ApplicationNamesStayInTheFolder) {
    store.SaveSetting("../escape", "S", "K", "V");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/../escape"));
    EXPECT_EQ(store.GetSetting("../escape", "S", "K", ""), "V");
    EXPECT_EQ(store.GetSetting("VELM.INI", "S", "K", "none"), "none");
}

TEST_F(IniStoreTest, AnUnreadableFileIsNeitherReadNorReplaced) {
    std::filesystem::create_directory(folder.File("VELM.INI"));  // not a file at all
    EXPECT_NO_THROW(store.SaveSetting("VELM.INI", "System", "Scale", "2"));
    EXPECT_EQ(Get("System", "Scale"), "Not Used");
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("VELM.INI")));
    EXPECT_EQ(FilesInFolder(), 1);
}

TEST(IniStoreFolder, FollowsXdgConfigHome) {
    auto get = [](const char* name) -> std::optional<std::string> {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto oldXdg = get("XDG_CONFIG_HOME"), oldHome = get("HOME");
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "/srv/conf", 1);
    EXPECT_EQ(IniSettingsStore::DefaultFolder(), "/srv/conf");
    setenv("XDG_CONFIG_HOME", "relative/conf", 1);  // only an absolute path counts
    EXPECT_EQ(IniSettingsStore().FilePath("VELM.INI"), "/home/someone/.config/VELM.INI");
    oldXdg ? setenv("XDG_CONFIG_HOME", oldXdg->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    oldHome ? setenv("HOME", oldHome->c_str(), 1) : unsetenv("HOME");
}

}  // namespace
}  // namespace velm
