#include "frame/recent_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velm {
namespace {

// The list as "a,b,-,-,-" with "-" for an empty entry.
std::string Show(const SettingsStore& store) {
    std::string s;
    for (const std::string& e : ReadRecentList(store)) s += (s.empty() ? "" : ",") + (e == RecentNotUsed ? "-" : e);
    return s;
}

MemorySettingsStore StoreWith(const std::vector<std::string>& entries) {
    MemorySettingsStore store;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] != "-") store.SaveSetting("VELM.INI", "Recent Files", "RecentFile" + std::to_string(i + 1), entries[i]);
    }
    return store;
}

TEST(RecentFiles, AddMovesToTheTopAndKeepsFive) {
    struct Case { std::vector<std::string> before; std::string added, after; };
    const Case cases[] = {
        {{}, "a", "a,-,-,-,-"},
        {{"a", "b", "c", "d", "e"}, "f", "f,a,b,c,d"},
        {{"a", "b", "c", "d", "e"}, "c", "c,a,b,d,e"},
        {{"A"}, "a", "a,A,-,-,-"},               // names compare with case
        {{"a", "-", "c", "d"}, "x", "x,a,-,c,d"},  // a gap does not list "c" twice
        // The same file under another spelling is listed once, normalised.
        {{"/w/a.qvl", "/w/B.qvl"}, "/w/x/../B.qvl", "/w/B.qvl,/w/a.qvl,-,-,-"},
        {{"/w//A.qvl", "/w/b.qvl"}, "/w/./A.qvl", "/w/A.qvl,/w/b.qvl,-,-,-"},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store = StoreWith(c.before);
        AddRecentFile(store, c.added);
        EXPECT_EQ(Show(store), c.after) << c.added;
    }
}

TEST(RecentFiles, RemoveMovesTheRestUp) {
    struct Case { std::vector<std::string> before; std::string removed; bool listed; std::string after; };
    const Case cases[] = {
        {{"a", "b", "c", "d", "e"}, "b", true, "a,c,d,e,-"},
        {{"a", "b"}, "z", false, "a,b,-,-,-"},
        {{"a", "b", "-", "d"}, "a", true, "b,-,d,-,-"},
        {{"/w/a.qvl", "/w/b.qvl"}, "/w/x/../b.qvl", true, "/w/a.qvl,-,-,-,-"},
        {{"/w/a.qvl", "/w/b.qvl"}, "/w/B.qvl", false, "/w/a.qvl,/w/b.qvl,-,-,-"},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store = StoreWith(c.before);
        EXPECT_EQ(RemoveFromRecent(store, c.removed), c.listed) << c.removed;
        EXPECT_EQ(Show(store), c.after) << c.removed;
    }
}

}  // namespace
}  // namespace velm
