// The language file that the build puts beside the program must hold every
// text the windows ask for: a missing line shifts every later number.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/language_file.h"
#include "platform/help_file.h"

namespace velm {
namespace {
namespace fs = std::filesystem;

std::string Trimmed(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// The shipped file, decoded once into a temporary plain file.
const LanguageTexts& Texts() {
    static LanguageTexts texts;
    static const LanguageResult result = [] {
        const fs::path plain = fs::temp_directory_path() / ("velm_shipped_" + std::to_string(getpid()) + ".lng");
        const LanguageResult r = LoadLanguage(std::string(VELM_PROGRAM_DIR) + "/VELM.lng", plain.string(), texts);
        std::error_code ec;
        fs::remove(plain, ec);
        return r;
    }();
    EXPECT_TRUE(result.ok) << result.prompt;
    return texts;
}
const TextSection& Section(TextSectionId id) { return Texts().Sections[id]; }

TEST(ShippedLanguage, EverySectionHoldsTheTextsTheWindowsRead) {
    // The highest text number that any window, message or printout reads.
    const std::map<TextSectionId, int> highest = {
        {LangCommon, 26}, {LangCommonFrmConi, 20}, {LangCommonFrmCili, 10}, {LangCommonFrmCurvaCili, 11},
        {LangCommonFrmCurvaConica, 25}, {LangAboutBox, 13}, {LangFrmIniziale, 14}, {LangFrmDati, 2},
        {LangFrmCoRe, 9}, {LangFrmCiRe, 7}, {LangFrmCoTS, 1}, {LangFrmCiTS, 1}, {LangFrmCoTI, 1}, {LangFrmCoCon, 1},
        {LangFrmCiCon, 1}, {LangFrmCoDis, 1}, {LangFrmCiDis, 1}, {LangFrmConi, 1}, {LangFrmCili, 1},
        {LangFrmCuCil, 10}, {LangFrmCuCon2, 16}, {LangFrmAntep, 50}, {LangFrmMetCa, 12}, {LangFrmUnMis, 5},
        {LangFrmTaratura, 15}, {LangHelp, 47}, {LangErrore, 49}, {LangFrmTabella, 7}, {LangMsgbox, 25},
        {LangToolTip, 8},
    };
    ASSERT_EQ(highest.size(), static_cast<std::size_t>(TextSectionCount));
    for (const auto& [id, last] : highest) {
        const TextSection& s = Section(id);
        EXPECT_GE(static_cast<int>(s.size()) - 1, last) << TextSectionName(id);
        for (std::size_t k = 1; k < s.size(); ++k) {
            EXPECT_FALSE(s[k].empty()) << TextSectionName(id) << " " << k;
            // A text holding "[Help]" would be found by the section search instead of the section.
            for (int other = 0; other < TextSectionCount; ++other) {
                const std::string line = "[" + std::string(TextSectionName(static_cast<TextSectionId>(other))) + "]";
                EXPECT_EQ(s[k].find(line), std::string::npos) << s[k];
            }
        }
    }
}

TEST(ShippedLanguage, MenusHaveTheirItems) {
    struct Menu { int record; int items; std::vector<int> separators; };
    const std::vector<Menu> menus = {{1, 16, {6, 9, 15}}, {2, 16, {}}, {3, 3, {}}, {4, 2, {}}, {5, 5, {4}}};
    ASSERT_EQ(Texts().MenuCount, 5);
    for (const Menu& m : menus) {
        const MenuRecord& r = Texts().MenuTexts[m.record];
        ASSERT_EQ(r.ItemCount, m.items) << Trimmed(r.Texts[0]);
        for (int i = 1; i <= m.items; ++i) {
            const std::string item = Trimmed(r.Texts[i]);
            const bool separator = std::count(m.separators.begin(), m.separators.end(), i) > 0;
            EXPECT_EQ(item == "-", separator) << Trimmed(r.Texts[0]) << " item " << i;
            EXPECT_FALSE(item.empty()) << Trimmed(r.Texts[0]) << " item " << i;
            EXPECT_LT(item.size(), static_cast<std::size_t>(MenuTextWidth)) << item;  // else it was cut
        }
    }
}

TEST(ShippedLanguage, EveryTextTheSourceReadsExists) {
    std::map<std::string, TextSectionId> byName;
    for (int id = 0; id < TextSectionCount; ++id) {
        byName[std::string("Lang") + TextSectionName(static_cast<TextSectionId>(id))] =
            static_cast<TextSectionId>(id);
    }
    const std::regex call(R"(Txt\(\s*(Lang\w+)\s*,\s*(\d+)\s*\))");
    int calls = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(VELM_SOURCE_DIR) / "src")) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        for (std::sregex_iterator it(source.begin(), source.end(), call), end; it != end; ++it) {
            ++calls;
            const std::string where = entry.path().filename().string() + ": " + it->str();
            const auto section = byName.find((*it)[1].str());
            ASSERT_NE(section, byName.end()) << where;
            const std::string digits = (*it)[2].str();
            int number = 0;
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
            const TextSection& texts = Section(section->second);
            ASSERT_LT(number, static_cast<int>(texts.size())) << where;
            EXPECT_GE(number, 1) << where;
            EXPECT_FALSE(texts[number].empty()) << where;
        }
    }
    EXPECT_GT(calls, 0);
}

// The plain source that the build scrambles, line by line as Windows-1252.
std::vector<std::string> SourceLines() {
    std::ifstream in(std::string(VELM_SOURCE_DIR) + "/lang/VELM.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    for (const std::string& utf8 : SplitTextLines(text)) {
        std::string cp1252;
        EXPECT_TRUE(Utf8ToCp1252(utf8, cp1252)) << utf8;
        lines.push_back(cp1252);
    }
    return lines;
}

std::vector<std::string> SplitItems(const std::string& items) {
    std::vector<std::string> out;
    std::stringstream in(items);
    for (std::string item; std::getline(in, item, ',');) out.push_back(item);
    return out;
}

// The loader cuts a menu text at 40 characters without a word: a longer one
// loses its end, and a record line that does not fit loses its end mark.
TEST(ShippedLanguage, EveryLineFitsItsRecordAndEveryMenuTextItsWidth) {
    const std::vector<std::string> lines = SourceLines();
    ASSERT_GT(lines.size(), 300u);
    bool menus = false;
    int menuLines = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_LT(line.size(), static_cast<std::size_t>(LanguageRecordLength)) << "line " << i + 1 << ": " << line;
        if (line == "[MenuFrmIniz]") menus = true;
        if (!menus || line.empty() || line.front() == '[') continue;
        ++menuLines;
        const auto equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << line;
        const std::string title = line.substr(0, equals);
        EXPECT_LT(title.size(), static_cast<std::size_t>(MenuTextWidth)) << title;
        for (const std::string& item : SplitItems(line.substr(equals + 1))) {
            EXPECT_FALSE(Trimmed(item).empty()) << line;
            EXPECT_LT(item.size(), static_cast<std::size_t>(MenuTextWidth)) << item;
        }
    }
    EXPECT_GE(menuLines, 5);
}

// Alt and a letter opens a menu or chooses an item: each letter once among
// the entries shown together, and every command item reachable.
TEST(ShippedLanguage, MenuMnemonicsAreUniqueWhereTheyShowTogether) {
    auto mnemonic = [](const std::string& text) -> char {
        const auto amp = text.find('&');
        if (amp == std::string::npos || amp + 1 >= text.size()) return 0;
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
    };
    std::vector<std::vector<std::string>> groups;
    std::vector<std::string> titles;
    for (int m = 1; m <= Texts().MenuCount; ++m) {
        const MenuRecord& r = Texts().MenuTexts[m];
        titles.push_back(Trimmed(r.Texts[0]));
        // The shapes record spreads over the menu and its three submenus.
        const std::vector<std::pair<int, int>> spans =
            m == 2 ? std::vector<std::pair<int, int>>{{1, 4}, {5, 9}, {10, 13}, {14, 16}}
                   : std::vector<std::pair<int, int>>{{1, r.ItemCount}};
        for (const auto& [first, last] : spans) {
            std::vector<std::string> group;
            for (int i = first; i <= last; ++i) group.push_back(Trimmed(r.Texts[i]));
            groups.push_back(group);
        }
    }
    groups.push_back(titles);
    ASSERT_EQ(groups.size(), 9u);
    for (const auto& group : groups) {
        std::set<char> seen;
        for (const std::string& text : group) {
            if (text == "-") continue;
            const char key = mnemonic(text);
            if (key == 0) continue;
            EXPECT_TRUE(seen.insert(key).second) << "'" << key << "' twice, at " << text;
        }
    }
    // Every title and every item but the text-only help line carries a letter.
    for (const std::string& t : titles) EXPECT_NE(mnemonic(t), 0) << t;
    const MenuRecord& help = Texts().MenuTexts[5];
    for (int i : {1, 2, 5}) EXPECT_NE(mnemonic(Trimmed(help.Texts[i])), 0) << Trimmed(help.Texts[i]);
    EXPECT_EQ(mnemonic(Trimmed(help.Texts[3])), 0);
}

// Each value named on the sketches and developments can be looked up in the
// help index and lands on the topic of its shape, which explains it.
TEST(ShippedHelp, IndexFindsEveryValueNamedOnTheDrawings) {
    const auto help = LoadHelpFile(std::string(VELM_PROGRAM_DIR) + "/VELM.HLP");
    ASSERT_TRUE(help.has_value());
    constexpr int Cylinders = 30, Frusta = 40;
    const struct { const char* name; std::set<int> topics; } values[] = {
        {"Hmax", {Cylinders}}, {"Hmed", {Cylinders}}, {"Hmin", {Cylinders}}, {"C", {Cylinders}},
        {"axis length", {Cylinders}}, {"R1", {Frusta}}, {"R2", {Frusta}}, {"C1", {Frusta}}, {"C2", {Frusta}},
        {"apex angle", {Frusta}}, {"sector angle", {Frusta}}, {"axis height", {Frusta}},
        {"opposite the seam", {Frusta}}, {"edge length", {Cylinders, Frusta}},
        {"edge difference", {Cylinders, Frusta}}, {"weld seam", {Cylinders, Frusta}},
        {"opposite side", {Cylinders, Frusta}}, {"minus sign", {Cylinders, Frusta}},
    };
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    for (const auto& v : values) {
        const std::string name = lower(v.name);
        std::set<int> found;
        for (const HelpKeyword& k : help->Search(v.name)) {
            const std::string keyword = lower(k.keyword);
            if (keyword == name || keyword.rfind(name + " (", 0) == 0) found.insert(k.contextId);
        }
        EXPECT_EQ(found, v.topics) << v.name;
        for (int id : v.topics) {
            const HelpTopic* topic = help->Topic(id);
            ASSERT_NE(topic, nullptr);
            std::string body;
            for (const std::string& line : topic->body) body += lower(line) + " ";
            // "minus sign" is written as the sign itself.
            const std::string shown = name == "minus sign" ? "\"-\"" : name;
            EXPECT_NE(body.find(shown), std::string::npos) << v.name << " in topic " << id;
        }
    }
}

// Refusals name the next step, the About box what the program builds, the
// elbow topic how A, L and R follow each other and which to type last.
TEST(ShippedHelp, TextsNameTheNextStep) {
    const auto help = LoadHelpFile(std::string(VELM_PROGRAM_DIR) + "/VELM.HLP");
    ASSERT_TRUE(help && help->Topic(50));
    std::string elbows;
    for (const std::string& line : help->Topic(50)->body) elbows += line + " ";
    const auto& errore = Section(LangErrore);
    const std::pair<std::string, const char*> cases[] = {
        {errore[27], "type a value greater than 0"}, {errore[30], "type a value greater than 0"},
        {errore[23], ": check "}, {errore[40], ": type "}, {Section(LangMsgbox)[24], "Save as"},
        // Each check its own limit; a refusal of diameters the wrong way round says which is to be smaller.
        {errore[18], "above 60\xC2\xB0"}, {errore[46], "above 90\xC2\xB0"}, {errore[42], "must be smaller"},
        {errore[43], "smaller diameter"}, {errore[44], "widen towards"}, {errore[45], "widen away"},
        {errore[47], "upper diameter smaller"}, {errore[49], "No bend radius within its limit"}, {Section(LangMsgbox)[25], "folder does not exist"},
        {Section(LangAboutBox)[9], "elbows"},
        {elbows, "bend angle keeps L and computes R"}, {elbows, "Type the bend angle first"}};
    for (const auto& [text, says] : cases) EXPECT_NE(text.find(says), std::string::npos) << says << ": " << text;
}

}  // namespace
}  // namespace velm
