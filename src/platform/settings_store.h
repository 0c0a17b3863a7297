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
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace velm
