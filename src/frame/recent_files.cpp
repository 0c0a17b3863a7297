#include "frame/recent_files.h"

#include "core/file_names.h"

namespace velm {

namespace {

constexpr const char* App = "VELM.INI";
constexpr const char* Section = "Recent Files";

std::string KeyOf(int entry) { return "RecentFile" + std::to_string(entry); }

std::string Entry(const SettingsStore& store, int entry) {
    return store.GetSetting(App, Section, KeyOf(entry), RecentNotUsed);
}

// An empty entry is stored as an absent key.
void SetEntry(SettingsStore& store, int entry, const std::string& value) {
    if (value == RecentNotUsed) {
        store.DeleteSetting(App, Section, KeyOf(entry));
    } else {
        store.SaveSetting(App, Section, KeyOf(entry), value);
    }
}

}  // namespace

RecentList ReadRecentList(const SettingsStore& store) {
    RecentList list;
    for (int i = 1; i <= RecentFileCount; ++i) list[i - 1] = Entry(store, i);
    return list;
}

int FindInRecentList(const RecentList& list, const std::string& name) {
    const std::string wanted = NormalizedFileName(name);
    for (int i = 1; i <= RecentFileCount; ++i) {
        if (list[i - 1] != RecentNotUsed && NormalizedFileName(list[i - 1]) == wanted) return i;
    }
    return 0;
}

void InsertRecent(SettingsStore& store, const std::string& name, int position) {
    const int start = position > 0 ? position - 1 : RecentFileCount - 1;
    // An empty entry moves down too: skipping it would leave the entry below
    // it in place and list that name twice.
    for (int i = start; i >= 1; --i) SetEntry(store, i + 1, Entry(store, i));
    SetEntry(store, 1, name);
}

bool RemoveFromRecent(SettingsStore& store, const std::string& name) {
    const int p = FindInRecentList(ReadRecentList(store), name);
    if (p == 0) return false;
    store.DeleteSetting(App, Section, KeyOf(p));
    for (int i = p + 1; i <= RecentFileCount; ++i) {
        const std::string value = Entry(store, i);
        if (value == RecentNotUsed) continue;
        store.DeleteSetting(App, Section, KeyOf(i));
        store.SaveSetting(App, Section, KeyOf(i - 1), value);
    }
    return true;
}

void AddRecentFile(SettingsStore& store, const std::string& name) {
    const std::string normal = NormalizedFileName(name);
    const RecentList list = ReadRecentList(store);
    const int p = FindInRecentList(list, normal);
    if (p != 1 || list[0] != normal) InsertRecent(store, normal, p);
}

}  // namespace velm
