#pragma once
// The program's own help file "VELM.HLP": plain UTF-8 text holding a contents
// page, one topic per help context number and a keyword index.
//
//   VELM HELP                      first line, marks the file
//   ; a comment                    anywhere, at the start of a line
//   [contents]                     the contents page
//   title: VELM help
//   * Getting started              a group heading
//   10                             a topic, shown with its title
//   [topic 10]                     a topic and its context number
//   title: The main window
//   keywords: menus; toolbar       the topic's index entries
//                                  an empty line ends the header
//   Text. Lines of a paragraph     paragraphs are separated by empty lines;
//   join up. {20} or {20|text}     "- " starts a list item; {N} links topic N;
//   links another topic.           "{{" is a literal brace.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velm {

struct HelpTopic {
    int contextId = 0;
    std::string title;
    std::vector<std::string> keywords;
    std::vector<std::string> body;  // the lines after the header, as written
};

struct HelpContentsEntry {
    bool heading = false;  // a group heading, else a topic
    std::string text;      // the heading's text
    int contextId = 0;     // the topic's number
};

struct HelpKeyword {
    std::string keyword;
    int contextId = 0;
};

struct HelpFile {
    std::string title;
    std::vector<HelpContentsEntry> contents;
    std::vector<HelpTopic> topics;  // in file order
    std::vector<std::string> problems;  // what was skipped while reading, one line each

    const HelpTopic* Topic(int contextId) const;
    // Every keyword and topic title, sorted without regard to case.
    std::vector<HelpKeyword> Index() const;
    // Index entries that start with `text` (case-insensitive); when none do,
    // those that contain it. An empty text gives the whole index.
    std::vector<HelpKeyword> Search(std::string_view text) const;
};

// Reads the text of a help file. Malformed parts are skipped and noted in
// `problems`; nothing when the text is not a help file at all.
std::optional<HelpFile> ParseHelpFile(std::string_view text);
// Reads the file; nothing when it cannot be read or is not a help file.
std::optional<HelpFile> LoadHelpFile(const std::string& path);

// The topic's body as HTML: paragraphs, lists, and links "topic:N".
std::string TopicHtml(const HelpFile& file, const HelpTopic& topic);
// The contents page as HTML: headings and links to their topics.
std::string ContentsHtml(const HelpFile& file);
std::string EscapeHtml(std::string_view text);

}  // namespace velm
