#include "core/settings.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "core/number_text.h"

namespace velm {

namespace {

// The stored number of a key, or nothing when the key is missing.
std::optional<double> StoredNumber(const SettingsStore& store, const char* section, const char* key) {
    const std::string text = store.GetSetting(SettingsAppName, section, key, SettingNotUsed);
    if (text == SettingNotUsed) return std::nullopt;
    return ReadNumber(text);
}

template <typename Valid>
std::int16_t Read16(const SettingsStore& store, const char* section, const char* key,
                    std::int16_t fallback, Valid valid) {
    const auto stored = StoredNumber(store, section, key);
    if (!stored) return fallback;
    // A value beyond 16 bits reads as the default rather than a clamped one.
    const std::int32_t rounded = RoundToInt32(*stored);
    if (rounded < INT16_MIN || rounded > INT16_MAX) return fallback;
    const auto value = static_cast<std::int16_t>(rounded);
    return valid(value) ? value : fallback;
}

template <typename Valid>
float ReadSingle(const SettingsStore& store, const char* section, const char* key, float fallback,
                 Valid valid) {
    const auto stored = StoredNumber(store, section, key);
    if (!stored) return fallback;
    const auto value = static_cast<float>(*stored);
    return std::isfinite(value) && valid(value) ? value : fallback;
}

void Save16(SettingsStore& store, const char* section, const char* key, std::int16_t value) {
    char buf[8];
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<int>(value));
    store.SaveSetting(SettingsAppName, section, key, std::string(buf, res.ptr));
}

void SaveSingle(SettingsStore& store, const char* section, const char* key, float value) {
    store.SaveSetting(SettingsAppName, section, key, ShortestSettingText(value));
}

bool ZeroOrOne(std::int16_t v) { return v == 0 || v == 1; }

bool IsPrinterKey(const std::string& key) {
    return key == "SettingXPrinter" || key == "SettingYPrinter";
}

}  // namespace

float ReadAngleStep(const SettingsStore& store) {
    return ReadSingle(store, SettingsSectionSystem, "AngleStep", 1.0f, [](float v) {
        for (float allowed : {0.1f, 0.2f, 0.25f, 0.5f, 1.0f, 2.0f, 5.0f, 10.0f})
            if (v == allowed) return true;
        return false;
    });
}

float ReadPrinterSetting(const SettingsStore& store, const std::string& key) {
    if (!IsPrinterKey(key)) return 1.0f;
    return ReadSingle(store, SettingsSectionSystem, key.c_str(), 1.0f,
                      [](float v) { return v >= 0.5f && v <= 2.0f; });
}

std::int16_t ReadCheckData(const SettingsStore& store) {
    return Read16(store, SettingsSectionOptions, "CheckData", 0, ZeroOrOne);
}
std::int16_t ReadCheckNote(const SettingsStore& store) {
    return Read16(store, SettingsSectionOptions, "CheckNote", 0, ZeroOrOne);
}
std::int16_t ReadCheckSviluppo(const SettingsStore& store) {
    return Read16(store, SettingsSectionOptions, "CheckSviluppo", 1, ZeroOrOne);
}
std::int16_t ReadComputingSystem(const SettingsStore& store) {
    // Kept as stored: the calculation-method dialog shows any other value as the outer fibre.
    return Read16(store, SettingsSectionSystem, "ComputingSystem", 1, [](std::int16_t) { return true; });
}
std::int16_t ReadDiametriExt(const SettingsStore& store) {
    return Read16(store, SettingsSectionSystem, "DiametriExt", 0, ZeroOrOne);
}
std::int16_t ReadScale(const SettingsStore& store) {
    return Read16(store, SettingsSectionSystem, "Scale", 1,
                  [](std::int16_t v) { return v >= 1 && v <= 5; });
}
std::int16_t ReadLatoSaldatura(const SettingsStore& store) {
    return Read16(store, SettingsSectionOptions, "LatoSaldatura", 1,
                  [](std::int16_t v) { return v == 1 || v == -1; });
}
std::int16_t ReadMeasuringSystem(const SettingsStore& store) {
    return Read16(store, SettingsSectionSystem, "MeasuringSystem", 0, ZeroOrOne);
}

void SaveAngleStep(SettingsStore& store, float value) {
    SaveSingle(store, SettingsSectionSystem, "AngleStep", value);
}
void SaveComputingSystem(SettingsStore& store, std::int16_t value) {
    Save16(store, SettingsSectionSystem, "ComputingSystem", value);
}
void SaveDiametriExt(SettingsStore& store, std::int16_t value) {
    Save16(store, SettingsSectionSystem, "DiametriExt", value);
}
void SaveMeasuringSystem(SettingsStore& store, std::int16_t value) {
    Save16(store, SettingsSectionSystem, "MeasuringSystem", value);
}
void SaveScale(SettingsStore& store, std::int16_t value) {
    Save16(store, SettingsSectionSystem, "Scale", value);
}
void SaveCheckData(SettingsStore& store, std::int16_t value) {
    Save16(store, SettingsSectionOptions, "CheckData", value);
}
void SaveCheckNote(SettingsStore& store, std::int16_t value) {
    Save16(store, SettingsSectionOptions, "CheckNote", value);
}
void SaveCheckSviluppo(SettingsStore& store, std::int16_t value) {
    Save16(store, SettingsSectionOptions, "CheckSviluppo", value);
}
void SaveLatoSaldatura(SettingsStore& store, std::int16_t value) {
    Save16(store, SettingsSectionOptions, "LatoSaldatura", value);
}
void SavePrinterSetting(SettingsStore& store, const std::string& key, float value) {
    if (IsPrinterKey(key)) SaveSingle(store, SettingsSectionSystem, key.c_str(), value);
}

void ReadAllSettings(const SettingsStore& store, SettingsCache& cache) {
    cache.LatoSaldatura = ReadLatoSaldatura(store);
    cache.MeasuringSystem = ReadMeasuringSystem(store);
    cache.ComputingSystem = ReadComputingSystem(store);
    cache.DiametriExt = ReadDiametriExt(store);
    cache.CheckSviluppo = ReadCheckSviluppo(store);
    cache.CheckData = ReadCheckData(store);
    cache.CheckNote = ReadCheckNote(store);
    cache.SettingXPrinter = ReadPrinterSetting(store, "SettingXPrinter");
    cache.SettingYPrinter = ReadPrinterSetting(store, "SettingYPrinter");
    cache.Scale = ReadScale(store);
}

std::int16_t DeriveThicknessFactor(const SettingsCache& cache) {
    const int fibre = cache.ComputingSystem == 0 ? 0 : cache.ComputingSystem == 1 ? 1 : 2;
    const int outer = cache.DiametriExt == 1 ? 1 : 0;
    return static_cast<std::int16_t>(fibre - 2 * outer);
}

namespace {
std::string RecentFileKey(int n) {
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, n);
    return "RecentFile" + std::string(buf, res.ptr);
}
bool IsRecentSlot(int n) { return n >= 1 && n <= RecentFileKeyCount; }
}  // namespace

std::string ReadRecentFile(const SettingsStore& store, int n) {
    if (!IsRecentSlot(n)) return SettingNotUsed;
    return store.GetSetting(SettingsAppName, SettingsSectionRecentFiles, RecentFileKey(n), SettingNotUsed);
}

void SaveRecentFile(SettingsStore& store, int n, const std::string& name) {
    if (IsRecentSlot(n)) store.SaveSetting(SettingsAppName, SettingsSectionRecentFiles, RecentFileKey(n), name);
}

std::string ReadLastFolder(const SettingsStore& store) {
    const std::string folder = store.GetSetting(SettingsAppName, SettingsSectionRecentFiles, "LastFolder", SettingNotUsed);
    return folder == SettingNotUsed ? std::string() : folder;
}

void SaveLastFolder(SettingsStore& store, const std::string& folder) {
    if (!folder.empty()) store.SaveSetting(SettingsAppName, SettingsSectionRecentFiles, "LastFolder", folder);
}

}  // namespace velm
