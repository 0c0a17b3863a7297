#pragma once
// The recent-files list: five entries in the settings store, section
// "Recent Files", keys "RecentFile1" (most recent) to "RecentFile5". An empty
// entry has no key and reads as "Not Used". Names compare on their
// normalised form (NormalizedFileName), case included, and are stored in it.
#include <array>
#include <string>

#include "platform/settings_store.h"

namespace velm {

constexpr int RecentFileCount = 5;
inline constexpr const char* RecentNotUsed = "Not Used";

// Entry i (1 to 5) at index i - 1.
using RecentList = std::array<std::string, RecentFileCount>;

RecentList ReadRecentList(const SettingsStore& store);
// Position 1 to 5 of the first entry naming the same file; 0 when none does.
int FindInRecentList(const RecentList& list, const std::string& name);
// Puts name first; the entries above `position` (all of 1 to 4 when it is 0)
// move down one place, so a new name drops entry 5.
void InsertRecent(SettingsStore& store, const std::string& name, int position);
// Removes name and moves the entries below it up. True when it was listed.
bool RemoveFromRecent(SettingsStore& store, const std::string& name);
// Moves or adds name, normalised, to the top of the list.
void AddRecentFile(SettingsStore& store, const std::string& name);

}  // namespace velm
