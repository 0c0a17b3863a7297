#include "frame/menu_captions.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace velm {
namespace {

MenuRecord Record(const std::string& title, int count, const char* prefix = "s") {
    MenuRecord r;
    r.Texts.fill(std::string(40, ' '));
    r.Texts[0] = ("  " + title + " ").append(40, ' ').substr(0, 40);
    for (int i = 1; i <= count; ++i) r.Texts[i] = (prefix + std::to_string(i)).append(40, ' ').substr(0, 40);
    r.ItemCount = static_cast<std::int16_t>(count);
    return r;
}

std::map<std::string, std::string> Captions(const LanguageTexts& t) {
    std::map<std::string, std::string> m;
    for (const auto& [name, caption] : MenuCaptions(t)) EXPECT_TRUE(m.emplace(name, caption).second) << name << " twice";
    return m;
}

int CountOf(const std::map<std::string, std::string>& m, const std::string& prefix) {
    int n = 0;
    for (const auto& entry : m) n += entry.first.rfind(prefix, 0) == 0;
    return n;
}

TEST(MenuCaptionsTest, ShapesRecordSpreadsOverTheMenuAndItsThreeSubmenus) {
    LanguageTexts t;
    t.MenuCount = 2;
    t.MenuTexts[1] = Record("File", 2, "f");
    t.MenuTexts[2] = Record("Shapes", 16);
    auto m = Captions(t);
    EXPECT_EQ(m["mnuFile"], "File");
    EXPECT_EQ(m["mnuFileItems(2)"], "f2");  // trimmed
    EXPECT_EQ(m.count("mnuFileItems(3)"), 0u);  // the record has two items: the rest keep theirs
    EXPECT_EQ(m["mnuFormeItems(4)"], "s4");
    EXPECT_EQ(m["mnuFormeSubItems(1)"], "s5");
    EXPECT_EQ(m["mnuFormeSub2Items(4)"], "s13");
    EXPECT_EQ(m["mnuFormeSub3Items(3)"], "s16");
    EXPECT_EQ(m.size(), 3u + 1u + 16u);
    // Short and long shapes records: (items, mnuFormeItems given, mnuFormeSub3Items given).
    for (const auto& c : {std::array{12, 0, 0}, std::array{14, 2, 1}, std::array{20, 8, 3}}) {
        t.MenuTexts[2] = Record("Shapes", c[0]);
        m = Captions(t);
        EXPECT_EQ(CountOf(m, "mnuFormeItems("), c[1]) << c[0] << " items";
        EXPECT_EQ(CountOf(m, "mnuFormeSub3Items("), c[2]) << c[0] << " items";
    }
}

TEST(MenuCaptionsTest, OnlyTheFirstFiveRecordsAndTheCountedItems) {
    LanguageTexts none;
    EXPECT_TRUE(MenuCaptions(none).empty());
    LanguageTexts t;
    t.MenuCount = 7;
    for (int i = 1; i <= 6; ++i) t.MenuTexts[i] = Record(i == 6 ? "Extra" : "M", 3, i == 6 ? "x" : "o");
    t.MenuTexts[3].ItemCount = 2;  // a third text beyond the count is not used
    auto m = Captions(t);
    EXPECT_EQ(m["mnuOpzioniItems(2)"], "o2");
    EXPECT_EQ(m.count("mnuOpzioniItems(3)"), 0u);
    for (auto& [name, caption] : m) EXPECT_EQ(caption.find('x'), std::string::npos) << name;
    // A count past 20 items is held to the record.
    t.MenuTexts[1].ItemCount = 99;
    m = Captions(t);
    EXPECT_EQ(m.count("mnuFileItems(21)"), 0u);
    EXPECT_EQ(m.count("mnuFileItems(20)"), 1u);
}

}  // namespace
}  // namespace velm
