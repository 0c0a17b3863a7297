#include "platform/help_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "frame/help_contexts.h"

namespace velm {
namespace {

const char* const Sample =
    "VELM HELP\n"
    "; the sample\n"
    "[contents]\n"
    "title: Sample help\n"
    "* Windows\n"
    "10\n"
    "20\n"
    "99\n"
    "* About\n"
    "115\n"
    "[topic 10]\n"
    "title: The main window\n"
    "keywords: menus; toolbar ;; status line\n"
    "\n"
    "First line\n"
    "goes on.\n"
    "\n"
    "- item one\n"
    "  more of one\n"
    "- item two {20}\n"
    "\n"
    "See {115|the About window} & {{braces}.\n"
    "\n"
    "\n"
    "[topic 20]\n"
    "title: Start <panel>\n"
    "keywords: pictures\n"
    "\n"
    "Pick a shape.\n"
    "[topic 115]\n"
    "title: About\n"
    "\n"
    "Version.\n"
    "[topic 20]\n"
    "title: twice\n"
    "[topic x]\n"
    "[topic -4]\n"
    "[glossary]\n"
    "ignored\n";

HelpFile Parsed(const std::string& text) {
    auto file = ParseHelpFile(text);
    EXPECT_TRUE(file.has_value());
    return file.value_or(HelpFile{});
}

TEST(HelpFileTest, ReadsTopicsContentsAndReportsWhatItSkips) {
    const HelpFile f = Parsed(Sample);
    EXPECT_EQ(f.title, "Sample help");
    ASSERT_EQ(f.topics.size(), 3u);  // the second [topic 20] and the bad numbers are skipped
    EXPECT_EQ(f.Topic(20)->title, "Start <panel>");
    EXPECT_EQ(f.Topic(10)->keywords, (std::vector<std::string>{"menus", "toolbar", "status line"}));
    EXPECT_EQ(f.Topic(10)->body.back(), "See {115|the About window} & {{braces}.");  // trailing empty lines dropped
    EXPECT_EQ(f.Topic(999), nullptr);
    // Contents: two headings and three topics; 99 has no topic and is left out.
    ASSERT_EQ(f.contents.size(), 5u);
    EXPECT_TRUE(f.contents[0].heading);
    EXPECT_EQ(f.contents[0].text, "Windows");
    EXPECT_EQ(f.contents[2].contextId, 20);
    EXPECT_EQ(f.contents[4].contextId, 115);
    // twice, x, -4, [glossary], 99
    EXPECT_EQ(f.problems.size(), 5u);
}

TEST(HelpFileTest, RefusesTextThatIsNotAHelpFile) {
    for (const char* text : {"", "VELM HELPER\n[topic 1]\n", "[topic 1]\ntitle: x\n", "velm help\n"})
        EXPECT_FALSE(ParseHelpFile(text).has_value()) << text;
    // Windows line ends and a byte-order mark are fine.
    auto f = ParseHelpFile("\xEF\xBB\xBFVELM HELP\r\n[topic 7]\r\ntitle: Seven\r\n\r\nBody\r\n");
    ASSERT_TRUE(f.has_value());
    ASSERT_NE(f->Topic(7), nullptr);
    EXPECT_EQ(f->Topic(7)->title, "Seven");
    EXPECT_EQ(f->Topic(7)->body, (std::vector<std::string>{"Body"}));
}

TEST(HelpFileTest, KeywordSearchByPrefixThenByContainedText) {
    const HelpFile f = Parsed(Sample);
    struct Case {
        const char* text;
        std::vector<std::string> keywords;
    };
    const Case cases[] = {
        {"me", {"menus"}},
        {"ME", {"menus"}},
        {"  st", {"Start <panel>", "status line"}},  // sorted without regard to case
        {"line", {"status line"}},                   // nothing starts with it: contained
        {"zzz", {}},
        {"", {"About", "menus", "pictures", "Start <panel>", "status line", "The main window", "toolbar"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (const auto& k : f.Search(c.text)) got.push_back(k.keyword);
        EXPECT_EQ(got, c.keywords) << '"' << c.text << '"';
    }
    EXPECT_EQ(f.Search("pict").at(0).contextId, 20);
}

TEST(HelpFileTest, TopicHtmlHasParagraphsListsLinksAndEscapes) {
    const HelpFile f = Parsed(Sample);
    const std::string html = TopicHtml(f, *f.Topic(10));
    EXPECT_EQ(html,
              "<h2>The main window</h2>\n"
              "<p>First line goes on.</p>\n"
              "<ul>\n<li>item one more of one</li>\n"
              "<li>item two <a href=\"topic:20\">Start &lt;panel&gt;</a></li>\n</ul>\n"
              "<p>See <a href=\"topic:115\">the About window</a> &amp; {braces}.</p>\n");
    // A link to a missing topic still reads, and a brace without a number stays.
    const HelpFile g = Parsed("VELM HELP\n[topic 1]\n\n{42} {x} {\n");
    EXPECT_EQ(TopicHtml(g, *g.Topic(1)), "<h2>Topic 1</h2>\n<p><a href=\"topic:42\">topic 42</a> {x} {</p>\n");
}

TEST(HelpFileTest, ContentsHtmlListsTopicsUnderTheirHeadings) {
    const HelpFile f = Parsed(Sample);
    EXPECT_EQ(ContentsHtml(f),
              "<h2>Sample help</h2>\n<h3>Windows</h3>\n<ul>\n"
              "<li><a href=\"topic:10\">The main window</a></li>\n"
              "<li><a href=\"topic:20\">Start &lt;panel&gt;</a></li>\n</ul>\n"
              "<h3>About</h3>\n<ul>\n<li><a href=\"topic:115\">About</a></li>\n</ul>\n");
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
    EXPECT_FALSE(f->contents.empty());
    // Every link in every topic leads to a topic.
    for (const auto& t : f->topics) {
        const std::string html = TopicHtml(*f, t);
        EXPECT_EQ(html.find(">topic "), std::string::npos) << "dangling link in topic " << t.contextId;
    }
    EXPECT_FALSE(LoadHelpFile(std::string(VELM_SOURCE_DIR) + "/help/no-such-file").has_value());
}

}  // namespace
}  // namespace velm
