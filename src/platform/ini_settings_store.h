#pragma once
// The per-user settings store as INI files: one file per application name
// ("VELM.INI") in a folder, with [Section] headers and key=value lines.
// Sections and keys match without regard to case; other lines of the file
// are kept as they are. A missing or unreadable file reads as empty.
#include <string>

#include "platform/settings_store.h"

namespace velm {

class IniSettingsStore : public SettingsStore {
public:
    // The folder of the per-user settings: $XDG_CONFIG_HOME, or ~/.config.
    static std::string DefaultFolder();

    IniSettingsStore() : IniSettingsStore(DefaultFolder()) {}
    explicit IniSettingsStore(std::string folder) : folder_(std::move(folder)) {}

    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& fallback) const override;
    // Rewrites the file through a temporary file in the same folder, so that
    // a failed write leaves the old file whole. A value, key or section that
    // would break the line structure (line breaks, "=" in a key, "]" in a
    // section) is not stored. Never throws.
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;
    // Removes the key's line; nothing when the key is absent.
    void DeleteSetting(const std::string& app, const std::string& section,
                       const std::string& key) override;

    // The file of an application name; names with path separators are made harmless.
    std::string FilePath(const std::string& app) const;

private:
    std::string folder_;
};

}  // namespace velm
