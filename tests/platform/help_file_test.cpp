#include "platform/help_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "core/help_contexts.h"

namespace velm {
namespace {

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

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

// Each index entry names one topic: two entries of the same words would
// look alike in the list and lead to different topics.
TEST(HelpFileTest, IndexNamesEveryEntryOnce) {
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> twice;  // the entries listed more than once
    } cases[] = {
        {"the same word in two topics", std::string("VELM HELP\n[topic 1]\ntitle: One\nkeywords: weld seam\n\nx\n"
                                                     "[topic 2]\ntitle: Two\nkeywords: Weld seam; seam\n\ny\n"),
         {"weld seam"}},
        {"a title and a keyword of its own topic", "VELM HELP\n[topic 1]\ntitle: Notes\nkeywords: notes\n\nx\n", {}},
    };
    const auto twice = [](const HelpFile& f) {
        std::vector<std::string> found;
        const auto index = f.Index();
        for (std::size_t i = 1; i < index.size(); ++i)
            if (LowerCase(index[i].keyword) == LowerCase(index[i - 1].keyword) &&
                (found.empty() || found.back() != LowerCase(index[i].keyword)))
                found.push_back(LowerCase(index[i].keyword));
        return found;
    };
    for (const auto& c : cases) {
        const auto f = ParseHelpFile(c.text);
        ASSERT_TRUE(f.has_value()) << c.what;
        EXPECT_EQ(twice(*f), c.twice) << c.what;
    }
    const auto shipped = LoadHelpFile(std::string(VELM_SOURCE_DIR) + "/help/VELM.HLP");
    ASSERT_TRUE(shipped.has_value());
    EXPECT_EQ(twice(*shipped), std::vector<std::string>{}) << "the shipped index";
}

}  // namespace
}  // namespace velm
