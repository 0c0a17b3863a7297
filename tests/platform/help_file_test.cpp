#include "platform/help_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "core/help_contexts.h"

namespace velm {
namespace {

const char* const Sample =
    "\xEF\xBB\xBFVELM HELP\r\n"
    "; the sample\n"
    "[contents]\n"
    "title: Sample help\n"
    "* Windows\n"
    "10\n"
    "99\n"
    "20\n"
    "[topic 10]\n"
    "title: The main window\n"
    "keywords: menus; toolbar ;; status line\n"
    "\n"
    "First line\n"
    "goes on.\n"
    "\n"
    "- item one\n"
    "- item two {20}\n"
    "\n"
    "See {20|the <panel>} & {{braces}. {42}\n"
    "\n"
    "[topic 20]\n"
    "title: Start <panel>\n"
    "[topic 20]\n"
    "[topic x]\n"
    "[glossary]\n";

HelpFile Parsed() {
    auto file = ParseHelpFile(Sample);
    EXPECT_TRUE(file.has_value());
    return file.value_or(HelpFile{});
}

TEST(HelpFileTest, ReadsTopicsAndContentsAndReportsWhatItSkips) {
    const HelpFile f = Parsed();
    EXPECT_EQ(f.title, "Sample help");
    ASSERT_EQ(f.topics.size(), 2u);
    EXPECT_EQ(f.Topic(10)->keywords, (std::vector<std::string>{"menus", "toolbar", "status line"}));
    // 99 has no topic and is left out of the contents.
    ASSERT_EQ(f.contents.size(), 3u);
    EXPECT_TRUE(f.contents[0].heading);
    EXPECT_EQ(f.problems.size(), 4u);  // the second [topic 20], x, [glossary], 99
    for (const char* text : {"", "VELM HELPER\n[topic 1]\n", "[topic 1]\ntitle: x\n"})
        EXPECT_FALSE(ParseHelpFile(text).has_value()) << text;
}

TEST(HelpFileTest, HtmlHasParagraphsListsLinksAndEscapes) {
    const HelpFile f = Parsed();
    EXPECT_EQ(TopicHtml(f, *f.Topic(10)),
              "<h2>The main window</h2>\n"
              "<p>First line goes on.</p>\n"
              "<ul>\n<li>item one</li>\n"
              "<li>item two <a href=\"topic:20\">Start &lt;panel&gt;</a></li>\n</ul>\n"
              "<p>See <a href=\"topic:20\">the &lt;panel&gt;</a> &amp; {braces}. "
              "<a href=\"topic:42\">topic 42</a></p>\n");
}

// The shipped help file reads cleanly and holds a topic for every window's Help button.
TEST(HelpFileTest, ShippedHelpFileHasEveryContextTopic) {
    const auto f = LoadHelpFile(std::string(VELM_SOURCE_DIR) + "/help/VELM.HLP");
    ASSERT_TRUE(f.has_value());
    EXPECT_TRUE(f->problems.empty()) << f->problems.front();
    for (int id : {HelpContextContents, HelpContextMainWindow, HelpContextStartPanel, HelpContextCylinders,
                   HelpContextFrusta, HelpContextElbows, HelpContextInputBoxes, HelpContextDataFiles,
                   HelpContextExport, HelpContextSheetPreview, HelpContextCalibration, HelpContextNotes,
                   HelpContextFrmMetCalcolo, HelpContextFrmUnMis, HelpContextAboutBox, HelpContextFrmTabella}) {
        ASSERT_NE(f->Topic(id), nullptr) << id;
        EXPECT_FALSE(f->Topic(id)->body.empty()) << id;
    }
    // Every link in every topic leads to a topic.
    for (const auto& t : f->topics)
        EXPECT_EQ(TopicHtml(*f, t).find(">topic "), std::string::npos) << "dangling link in topic " << t.contextId;
}

// Each entry of the shipped index names one topic: two entries of the same
// words would look alike in the list and lead to different topics.
TEST(HelpFileTest, ShippedIndexNamesEveryEntryOnce) {
    const auto f = LoadHelpFile(std::string(VELM_SOURCE_DIR) + "/help/VELM.HLP");
    ASSERT_TRUE(f.has_value());
    std::set<std::string> seen;
    for (const auto& entry : f->Index()) {
        std::string key = entry.keyword;
        for (char& ch : key) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_TRUE(seen.insert(key).second) << key;
    }
}

}  // namespace
}  // namespace velm
