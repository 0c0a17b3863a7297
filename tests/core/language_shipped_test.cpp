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
#include <string>

#include "core/language_file.h"

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
        {LangCommon, 19}, {LangCommonFrmConi, 20}, {LangCommonFrmCili, 10}, {LangCommonFrmCurvaCili, 11},
        {LangCommonFrmCurvaConica, 25}, {LangAboutBox, 12}, {LangFrmIniziale, 14}, {LangFrmDati, 2},
        {LangFrmCoRe, 9}, {LangFrmCiRe, 7}, {LangFrmCoTS, 1}, {LangFrmCiTS, 1}, {LangFrmCoTI, 1}, {LangFrmCoCon, 1},
        {LangFrmCiCon, 1}, {LangFrmCoDis, 1}, {LangFrmCiDis, 1}, {LangFrmConi, 1}, {LangFrmCili, 1},
        {LangFrmCuCil, 10}, {LangFrmCuCon2, 16}, {LangFrmAntep, 50}, {LangFrmMetCa, 9}, {LangFrmUnMis, 5},
        {LangFrmTaratura, 15}, {LangHelp, 41}, {LangErrore, 35}, {LangFrmTabella, 7}, {LangMsgbox, 7},
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
    const std::vector<Menu> menus = {{1, 16, {6, 9, 15}}, {2, 16, {}}, {3, 3, {}}, {4, 2, {}}, {5, 5, {3, 4}}};
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

}  // namespace
}  // namespace velm
