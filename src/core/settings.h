#pragma once
// The settings store codec: readers and writers of every setting under the
// application "VELM.INI". A reader returns the stored value, or the key's
// default when the key is missing, unreadable or out of range; a writer
// stores the value's shortest text (".25", "-1") and never fails visibly.
// Writers only store: the caller keeps the settings cache.
#include <cstdint>
#include <string>

#include "core/working_state.h"
#include "platform/settings_store.h"

namespace velm {

inline constexpr const char* SettingsAppName = "VELM.INI";
inline constexpr const char* SettingsSectionSystem = "System";
inline constexpr const char* SettingsSectionOptions = "Options";
inline constexpr const char* SettingsSectionRecentFiles = "Recent Files";
inline constexpr const char* SettingNotUsed = "Not Used";  // the text of a missing key
inline constexpr int RecentFileKeyCount = 5;

// Readers.
float ReadAngleStep(const SettingsStore& store);  // 0.1, 0.2, 0.25, 0.5, 1, 2, 5 or 10
float ReadPrinterSetting(const SettingsStore& store, const std::string& key);  // 0.5 to 2
std::int16_t ReadCheckData(const SettingsStore& store);      // 0 or 1
std::int16_t ReadCheckNote(const SettingsStore& store);      // 0 or 1
std::int16_t ReadCheckSviluppo(const SettingsStore& store);  // 0 or 1
std::int16_t ReadComputingSystem(const SettingsStore& store);  // any 16-bit value
std::int16_t ReadDiametriExt(const SettingsStore& store);    // 0 or 1
std::int16_t ReadScale(const SettingsStore& store);          // 1 to 5
std::int16_t ReadLatoSaldatura(const SettingsStore& store);  // +1 or -1
std::int16_t ReadMeasuringSystem(const SettingsStore& store);  // 0 or 1

// Writers.
void SaveAngleStep(SettingsStore& store, float value);
void SaveComputingSystem(SettingsStore& store, std::int16_t value);
void SaveDiametriExt(SettingsStore& store, std::int16_t value);
void SaveMeasuringSystem(SettingsStore& store, std::int16_t value);
void SaveScale(SettingsStore& store, std::int16_t value);
void SaveCheckData(SettingsStore& store, std::int16_t value);
void SaveCheckNote(SettingsStore& store, std::int16_t value);
void SaveCheckSviluppo(SettingsStore& store, std::int16_t value);
void SaveLatoSaldatura(SettingsStore& store, std::int16_t value);
// Only the keys "SettingXPrinter" and "SettingYPrinter" are written.
void SavePrinterSetting(SettingsStore& store, const std::string& key, float value);

// The start-up reads, in start-up order: LatoSaldatura, MeasuringSystem,
// ComputingSystem, DiametriExt, CheckSviluppo, CheckData, CheckNote,
// SettingXPrinter, SettingYPrinter, Scale. AngleStep is left as it is:
// the main window's update reads it.
void ReadAllSettings(const SettingsStore& store, SettingsCache& cache);

// ThicknessFactor from the fibre the calculation-method dialog shows
// (ComputingSystem 0 inner, 1 mean, anything else outer) and DiametriExt
// (1 outer diameters, anything else typed diameters are not outer).
std::int16_t DeriveThicknessFactor(const SettingsCache& cache);

// Recent data files, n = 1 to 5; "Not Used" for an empty slot or another n.
std::string ReadRecentFile(const SettingsStore& store, int n);
void SaveRecentFile(SettingsStore& store, int n, const std::string& name);  // other n ignored

// The folder of the last data file chosen in an open or save dialog
// ("Recent Files", "LastFolder"); empty when none was stored.
std::string ReadLastFolder(const SettingsStore& store);
void SaveLastFolder(SettingsStore& store, const std::string& folder);

}  // namespace velm
