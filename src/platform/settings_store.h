#pragma once
// The per-user settings store: text values by application, section and key.
#include <map>
#include <string>
#include <tuple>

namespace velm {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Returns `fallback` when the key is absent.
    virtual std::string GetSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& fallback) const = 0;
    // Never fails visibly.
    virtual void SaveSetting(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
    // Removes the key. A store that cannot remove keys stores "Not Used",
    // which every reader takes for an absent key.
    virtual void DeleteSetting(const std::string& app, const std::string& section,
                               const std::string& key) {
        SaveSetting(app, section, key, "Not Used");
    }
};

// Keys kept in memory: for tests, and as the store of last resort.
class MemorySettingsStore : public SettingsStore {
public:
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& fallback) const override {
        auto it = values_.find({app, section, key});
        return it == values_.end() ? fallback : it->second;
    }
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override {
        values_[{app, section, key}] = value;
    }
    void DeleteSetting(const std::string& app, const std::string& section,
                       const std::string& key) override {
        values_.erase({app, section, key});
    }
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace velm
