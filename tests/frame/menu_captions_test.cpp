#include "frame/menu_captions.h"

#include <gtest/gtest.h>

#include <map>

namespace velm {
namespace {

MenuRecord Record(const std::string& title, const std::vector<std::string>& items) {
    MenuRecord r;
    auto pad = [](std::string s) {
        s.resize(40, ' ');
        return s;
    };
    r.Texts.fill(std::string(40, ' '));
    r.Texts[0] = pad(title);
    for (std::size_t i = 0; i < items.size(); ++i) r.Texts[i + 1] = pad(items[i]);
    r.ItemCount = static_cast<std::int16_t>(items.size());
    return r;
}

std::map<std::string, std::string> Captions(const LanguageTexts& t) {
    std::map<std::string, std::string> m;
    for (const auto& [name, caption] : MenuCaptions(t)) EXPECT_TRUE(m.emplace(name, caption).second) << name << " twice";
    return m;
}

std::vector<std::string> Numbered(const char* prefix, int count) {
    std::vector<std::string> v;
    for (int i = 1; i <= count; ++i) v.push_back(prefix + std::to_string(i));
    return v;
}

TEST(MenuCaptionsTest, ShapesRecordSpreadsOverTheMenuAndItsThreeSubmenus) {
    LanguageTexts t;
    t.MenuCount = 2;
    t.MenuTexts[1] = Record("  File ", {" Open", "Save  "});
    t.MenuTexts[2] = Record("Shapes", Numbered("s", 16));
    auto m = Captions(t);
    EXPECT_EQ(m["mnuFile"], "File");
    EXPECT_EQ(m["mnuFileItems(2)"], "Save");  // trimmed
    EXPECT_EQ(m.count("mnuFileItems(3)"), 0u);  // the record has two items: the rest keep theirs
    EXPECT_EQ(m["mnuFormeItems(4)"], "s4");
    EXPECT_EQ(m["mnuFormeSubItems(1)"], "s5");
    EXPECT_EQ(m["mnuFormeSub2Items(4)"], "s13");
    EXPECT_EQ(m["mnuFormeSub3Items(3)"], "s16");
    EXPECT_EQ(m.size(), 3u + 1u + 16u);
}

TEST(MenuCaptionsTest, ShortOrLongShapesRecords) {
    struct Case {
        int items;
        int formeItems;  // mnuFormeItems captions given
        int sub3Items;   // mnuFormeSub3Items captions given
    } const cases[] = {{12, 0, 0}, {14, 2, 1}, {20, 8, 3}};
    for (const auto& c : cases) {
        LanguageTexts t;
        t.MenuCount = 2;
        t.MenuTexts[1] = Record("File", {});
        t.MenuTexts[2] = Record("Shapes", Numbered("s", c.items));
        auto m = Captions(t);
        int forme = 0, sub3 = 0;
        for (auto& [name, caption] : m) {
            if (name.rfind("mnuFormeItems(", 0) == 0) ++forme;
            if (name.rfind("mnuFormeSub3Items(", 0) == 0) ++sub3;
        }
        EXPECT_EQ(forme, c.formeItems) << c.items << " items";
        EXPECT_EQ(sub3, c.sub3Items) << c.items << " items";
    }
}

TEST(MenuCaptionsTest, OnlyTheFirstFiveRecordsAndTheCountedItems) {
    LanguageTexts t;
    t.MenuCount = 7;
    t.MenuTexts[1] = Record("File", {"a"});
    t.MenuTexts[2] = Record("Shapes", {});
    t.MenuTexts[3] = Record("Options", {"m", "u", "c"});
    t.MenuTexts[4] = Record("View", {"t", "s"});
    t.MenuTexts[5] = Record("Help", {"c", "s", "-", "-", "a"});
    t.MenuTexts[6] = Record("Extra", {"x"});
    t.MenuTexts[3].ItemCount = 2;  // a third text beyond the count is not used
    auto m = Captions(t);
    EXPECT_EQ(m["mnuOpzioniItems(2)"], "u");
    EXPECT_EQ(m.count("mnuOpzioniItems(3)"), 0u);
    EXPECT_EQ(m["mnuHelpItems(5)"], "a");
    for (auto& [name, caption] : m) EXPECT_EQ(caption.find('x'), std::string::npos) << name;
    // No records, no captions; a count past 20 items is held to the record.
    LanguageTexts none;
    EXPECT_TRUE(MenuCaptions(none).empty());
    t.MenuTexts[1].ItemCount = 99;
    EXPECT_EQ(Captions(t).count("mnuFileItems(20)"), 1u);
    EXPECT_EQ(Captions(t).count("mnuFileItems(21)"), 0u);
}

}  // namespace
}  // namespace velm
