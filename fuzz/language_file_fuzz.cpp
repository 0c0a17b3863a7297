// Any bytes as the stored language file, decoded and loaded as at start-up.
// The input is taken as the decoded records, scrambled with the key before
// it is written (the scrambling is one-to-one, so every stored file can
// occur). Promises: the plain file holds one line per record with an end
// mark; a failed section or menu load changes nothing; a loaded section
// holds at most 51 non-empty texts of at most 180 characters without
// surrounding blanks, as the plain file's lines give them; menu records stay
// within 20 menus of 20 items of 40 characters; and text that fits the
// records encodes and decodes to itself.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/language_file.h"
#include "fuzz/fuzz_check.h"

namespace velm {
namespace {

std::vector<std::string> PlainLines(const std::string& data) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < data.size()) {
        const auto end = data.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(data.substr(pos));
            break;
        }
        lines.push_back(data.substr(pos, end - pos));
        pos = end + 1;
        if (data[end] == '\r' && pos < data.size() && data[pos] == '\n') ++pos;
    }
    return lines;
}

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// What a section should hold, read from the plain file's lines (Windows-1252).
bool ExpectedSection(const std::vector<std::string>& lines, const std::string& name, TextSection& texts) {
    const std::string wanted = "[" + name + "]";
    std::size_t i = 0;
    while (i < lines.size() && lines[i].find(wanted) == std::string::npos) ++i;
    if (i == lines.size()) return false;
    texts.assign(1, std::string());
    for (++i; i < lines.size(); ++i) {
        const std::string text = Trimmed(lines[i].substr(0, MaxTextLength));
        if (text.empty()) break;
        if (texts.size() <= static_cast<std::size_t>(MaxTextsPerSection)) texts.push_back(text);
    }
    return true;
}

// A menu text: 40 characters of Windows-1252, in UTF-8.
bool MenuText(const std::string& utf8) {
    std::string cp;
    return Utf8ToCp1252(utf8, cp) && cp.size() == static_cast<std::size_t>(MenuTextWidth);
}

LanguageTexts Marked() {
    LanguageTexts t;
    for (auto& section : t.Sections) section = {"", "mark"};
    for (auto& menu : t.MenuTexts) {
        menu.Texts.fill("mark");
        menu.ItemCount = 99;
    }
    t.MenuCount = 99;
    return t;
}

bool SameMenus(const LanguageTexts& a, const LanguageTexts& b) {
    if (a.MenuCount != b.MenuCount) return false;
    for (std::size_t m = 0; m < a.MenuTexts.size(); ++m)
        if (a.MenuTexts[m].Texts != b.MenuTexts[m].Texts || a.MenuTexts[m].ItemCount != b.MenuTexts[m].ItemCount)
            return false;
    return true;
}

void CheckSections(const std::string& plainPath, const std::string& plain) {
    const std::vector<std::string> lines = PlainLines(plain);
    const LanguageTexts marked = Marked();
    LanguageTexts texts = marked;
    const LanguageResult all = LoadAllTextSections(plainPath, texts);
    bool failed = false;
    for (int id = 0; id < TextSectionCount; ++id) {
        const std::string name = TextSectionName(static_cast<TextSectionId>(id));
        TextSection expected;
        const bool found = ExpectedSection(lines, name, expected);
        if (failed) {
            // Loading stops at the first failure.
            PROMISE(texts.Sections[id] == marked.Sections[id]);
            continue;
        }
        if (!found) {
            PROMISE(!all.ok && all.prompt == plainPath + ": [" + name + "] section not Found!");
            PROMISE(texts.Sections[id] == marked.Sections[id]);
            failed = true;
            continue;
        }
        const TextSection& got = texts.Sections[id];
        PROMISE(got.size() == expected.size() && got[0].empty());
        for (std::size_t k = 1; k < got.size(); ++k) PROMISE(got[k] == Cp1252ToUtf8(expected[k]));
    }
    PROMISE(all.ok == !failed);
}

void CheckMenus(const std::string& plainPath) {
    const LanguageTexts marked = Marked();
    LanguageTexts texts = marked;
    const LanguageResult r = LoadMenuSection(plainPath, "MenuFrmIniz", texts);
    if (!r.ok) {
        PROMISE(SameMenus(texts, marked));
        PROMISE(r.prompt == plainPath + ": [Menu] section not Found!" ||
                r.prompt == plainPath + ": Error accessing File!");
        return;
    }
    PROMISE(texts.MenuCount >= 0 && texts.MenuCount <= MaxMenus);
    for (int m = 1; m <= texts.MenuCount; ++m) {
        const MenuRecord& menu = texts.MenuTexts[m];
        PROMISE(MenuText(menu.Texts[0]));
        PROMISE(menu.ItemCount >= 0 && menu.ItemCount <= MaxMenuItems);
        for (int i = 1; i <= menu.ItemCount; ++i) PROMISE(MenuText(menu.Texts[i]));
    }
    // The texts of the running program: any number reads, unknown ones as "".
    Language() = texts;
    for (int id = -1; id <= TextSectionCount; ++id)
        for (const int k : {-1, 0, 1, 51, 52, 1000}) (void)Txt(static_cast<TextSectionId>(id), k);
}

}  // namespace
}  // namespace velm

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velm;
    const std::string records(reinterpret_cast<const char*>(data), size);
    const std::string& folder = fuzz::ScratchFolder();
    const std::string storedPath = folder + "/VELM.lng";
    const std::string plainPath = folder + "/velm@@.lng";

    // The Windows-1252 bytes go through UTF-8 and back unchanged.
    std::string back;
    PROMISE(Utf8ToCp1252(Cp1252ToUtf8(records), back) && back == records);
    // Valid UTF-8 that the code page holds comes back the same way.
    if (Utf8ToCp1252(records, back)) PROMISE(Cp1252ToUtf8(back) == records);

    fuzz::WriteFile(storedPath, XorStrings(records, LanguageKey()));
    const LanguageResult decoded = DecodeLanguageFile(storedPath, plainPath);
    PROMISE(decoded.ok);
    std::string expected;
    for (std::size_t at = 0; at + LanguageRecordLength <= records.size(); at += LanguageRecordLength) {
        const std::string record = records.substr(at, LanguageRecordLength);
        const auto mark = record.find(static_cast<char>(LanguageEndMark));
        if (mark != std::string::npos) expected += record.substr(0, mark) + "\r\n";
    }
    const std::string plain = fuzz::ReadFile(plainPath);
    PROMISE(plain == expected);

    CheckSections(plainPath, plain);
    CheckMenus(plainPath);

    // The input's lines, laid out in records by the build's encoder, decode to themselves.
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos <= records.size();) {
        const auto end = records.find('\n', pos);
        lines.push_back(records.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    std::string stored;
    int badLine = 0;
    if (EncodeLanguageLines(lines, stored, &badLine)) {
        PROMISE(stored.size() == lines.size() * LanguageRecordLength);
        fuzz::WriteFile(storedPath, stored);
        PROMISE(DecodeLanguageFile(storedPath, plainPath).ok);
        std::string joined;
        for (const std::string& line : lines) joined += line + "\r\n";
        PROMISE(fuzz::ReadFile(plainPath) == joined);
    } else {
        PROMISE(badLine >= 1 && badLine <= static_cast<int>(lines.size()) && stored.empty());
    }
    return 0;
}
