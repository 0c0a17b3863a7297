// Any text as the settings file, and any text for any key. Promises: every
// reader returns a value of its allowed set (finite where it is a number);
// ReadAllSettings leaves AngleStep alone; a value the program writes reads
// back as written; saving one key changes what no other key reads.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "fuzz/fuzz_check.h"
#include "platform/ini_settings_store.h"

namespace velm {
namespace {

struct Key {
    const char* section;
    const char* name;
};

// Every key the program reads or writes.
const std::vector<Key> Keys = {
    {SettingsSectionSystem, "AngleStep"},        {SettingsSectionSystem, "ComputingSystem"},
    {SettingsSectionSystem, "DiametriExt"},      {SettingsSectionSystem, "MeasuringSystem"},
    {SettingsSectionSystem, "Scale"},            {SettingsSectionSystem, "SettingXPrinter"},
    {SettingsSectionSystem, "SettingYPrinter"},  {SettingsSectionOptions, "CheckData"},
    {SettingsSectionOptions, "CheckNote"},       {SettingsSectionOptions, "CheckSviluppo"},
    {SettingsSectionOptions, "LatoSaldatura"},   {SettingsSectionRecentFiles, "RecentFile1"},
    {SettingsSectionRecentFiles, "RecentFile2"}, {SettingsSectionRecentFiles, "RecentFile3"},
    {SettingsSectionRecentFiles, "RecentFile4"}, {SettingsSectionRecentFiles, "RecentFile5"},
};

bool ZeroOrOne(std::int16_t v) { return v == 0 || v == 1; }

bool AllowedStep(float v) {
    for (const float allowed : {0.1f, 0.2f, 0.25f, 0.5f, 1.0f, 2.0f, 5.0f, 10.0f})
        if (v == allowed) return true;
    return false;
}

void CheckReaders(const SettingsStore& store) {
    SettingsCache cache;
    cache.AngleStep = 7.5f;  // not one of the steps: must stay as it is
    ReadAllSettings(store, cache);
    PROMISE(cache.AngleStep == 7.5f);
    PROMISE(cache.LatoSaldatura == 1 || cache.LatoSaldatura == -1);
    PROMISE(ZeroOrOne(cache.MeasuringSystem));
    PROMISE(ZeroOrOne(cache.DiametriExt));
    PROMISE(ZeroOrOne(cache.CheckSviluppo) && ZeroOrOne(cache.CheckData) && ZeroOrOne(cache.CheckNote));
    PROMISE(std::isfinite(cache.SettingXPrinter) && cache.SettingXPrinter >= 0.5f && cache.SettingXPrinter <= 2.0f);
    PROMISE(std::isfinite(cache.SettingYPrinter) && cache.SettingYPrinter >= 0.5f && cache.SettingYPrinter <= 2.0f);
    PROMISE(cache.Scale >= 1 && cache.Scale <= 5);
    const std::int16_t factor = DeriveThicknessFactor(cache);
    PROMISE(factor >= -2 && factor <= 2);
    PROMISE(AllowedStep(ReadAngleStep(store)));
    PROMISE(ReadPrinterSetting(store, "AngleStep") == 1.0f);
    for (int n = -1; n <= RecentFileKeyCount + 1; ++n) {
        const std::string name = ReadRecentFile(store, n);
        if (n < 1 || n > RecentFileKeyCount) PROMISE(name == SettingNotUsed);
    }
}

// The input as lines: line i is the text of key i (modulo the key count).
void FillMemoryStore(std::string_view text, MemorySettingsStore& store) {
    std::size_t k = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        const Key& key = Keys[k++ % Keys.size()];
        store.SaveSetting(SettingsAppName, key.section, key.name, std::string(line));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

std::vector<std::string> ReadEveryKey(const SettingsStore& store) {
    std::vector<std::string> values;
    for (const Key& key : Keys) values.push_back(store.GetSetting(SettingsAppName, key.section, key.name, SettingNotUsed));
    return values;
}

// What the program writes: every allowed value of every number setting, and
// any name of a recent file. Returns the keys written.
std::vector<std::string> CheckWriters(std::uint8_t choice, std::string_view name, SettingsStore& store) {
    switch (choice % 8) {
        case 0: {
            const float steps[] = {0.1f, 0.2f, 0.25f, 0.5f, 1.0f, 2.0f, 5.0f, 10.0f};
            const float step = steps[(choice / 8) % 8];
            SaveAngleStep(store, step);
            PROMISE(ReadAngleStep(store) == step);
            return {"AngleStep"};
        }
        case 1: {
            const float factor = 0.5f + static_cast<float>(choice / 8) * (1.5f / 31.0f);
            SavePrinterSetting(store, "SettingXPrinter", factor);
            PROMISE(ReadPrinterSetting(store, "SettingXPrinter") == factor);
            return {"SettingXPrinter"};
        }
        case 2: {
            const std::int16_t scale = static_cast<std::int16_t>(1 + (choice / 8) % 5);
            SaveScale(store, scale);
            PROMISE(ReadScale(store) == scale);
            return {"Scale"};
        }
        case 3: {
            const std::int16_t side = (choice / 8) % 2 ? 1 : -1;
            SaveLatoSaldatura(store, side);
            PROMISE(ReadLatoSaldatura(store) == side);
            return {"LatoSaldatura"};
        }
        case 4: {
            const std::int16_t system = static_cast<std::int16_t>(static_cast<int>(choice / 8) - 16);
            SaveComputingSystem(store, system);
            PROMISE(ReadComputingSystem(store) == system);
            return {"ComputingSystem"};
        }
        case 5: {
            const std::int16_t flag = (choice / 8) % 2;
            SaveMeasuringSystem(store, flag);
            PROMISE(ReadMeasuringSystem(store) == flag);
            SaveCheckNote(store, flag);
            PROMISE(ReadCheckNote(store) == flag);
            return {"MeasuringSystem", "CheckNote"};
        }
        default: {
            const int n = 1 + (choice / 8) % RecentFileKeyCount;
            const std::string file(name);
            SaveRecentFile(store, n, file);
            // A name that would break the file's lines is not stored.
            if (file.find_first_of("\r\n") == std::string::npos) PROMISE(ReadRecentFile(store, n) == file);
            return {"RecentFile" + std::to_string(n)};
        }
    }
}

}  // namespace
}  // namespace velm

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velm;
    if (size == 0) return 0;
    const std::uint8_t choice = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    // Any text for any key.
    MemorySettingsStore memory;
    FillMemoryStore(text, memory);
    CheckReaders(memory);

    // Any text as the settings file: what a key reads is one line's value
    // (the readers above take any text), and saving one key leaves what
    // every other key reads.
    static const IniSettingsStore ini(fuzz::ScratchFolder());
    IniSettingsStore& store = const_cast<IniSettingsStore&>(ini);
    fuzz::WriteFile(store.FilePath(SettingsAppName), std::string(text));
    const std::vector<std::string> before = ReadEveryKey(store);
    for (const std::string& value : before) PROMISE(value.find('\n') == std::string::npos);
    const std::string_view name = text.substr(0, text.find('\n'));
    const std::vector<std::string> written = CheckWriters(choice, name.substr(0, 64), store);
    const std::vector<std::string> after = ReadEveryKey(store);
    for (std::size_t k = 0; k < Keys.size(); ++k) {
        bool wasWritten = false;
        for (const std::string& w : written) wasWritten = wasWritten || w == Keys[k].name;
        if (!wasWritten) PROMISE(before[k] == after[k]);
    }
    return 0;
}
