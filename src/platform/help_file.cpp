#include "platform/help_file.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <set>

#include "platform/trim.h"

namespace velm {

namespace {

constexpr std::string_view Magic = "VELM HELP";

std::string_view Trim(std::string_view s) { return TrimChars(s, " \t\r"); }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), Lower);
    return out;
}

// A whole positive number and nothing else.
std::optional<int> ReadContextId(std::string_view s) {
    s = Trim(s);
    int value = 0;
    const auto* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, value);
    if (s.empty() || ec != std::errc() || ptr != end || value <= 0) return std::nullopt;
    return value;
}

// Every piece between separators, empty ones included.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find(separator, start);
        if (end == std::string_view::npos) end = text.size();
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines = Split(text, '\n');
    for (std::string_view& line : lines)
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A final line ending leaves no extra empty line behind.
    if (!lines.empty() && lines.back().empty() && !text.empty() && text.back() == '\n') lines.pop_back();
    return lines;
}

// "key: value" of a header line; false when the line has no colon.
bool HeaderField(std::string_view line, std::string& key, std::string& value) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    key = LowerText(Trim(line.substr(0, colon)));
    value = std::string(Trim(line.substr(colon + 1)));
    return true;
}

std::vector<std::string> SplitKeywords(std::string_view list) {
    std::vector<std::string> out;
    for (std::string_view piece : Split(list, ';'))
        if (const std::string_view word = Trim(piece); !word.empty()) out.emplace_back(word);
    return out;
}

bool LessNoCase(const HelpKeyword& a, const HelpKeyword& b) {
    const auto la = LowerText(a.keyword), lb = LowerText(b.keyword);
    if (la != lb) return la < lb;
    return a.contextId < b.contextId;
}

// Links and escapes of one line of body text.
void AppendInline(std::string& html, std::string_view line, const HelpFile& file) {
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '{' && i + 1 < line.size() && line[i + 1] == '{') {
            html += '{';
            i += 2;
            continue;
        }
        if (c == '{') {
            const auto close = line.find('}', i);
            if (close != std::string_view::npos) {
                std::string_view inner = line.substr(i + 1, close - i - 1);
                std::string_view label;
                const auto bar = inner.find('|');
                if (bar != std::string_view::npos) {
                    label = Trim(inner.substr(bar + 1));
                    inner = inner.substr(0, bar);
                }
                if (auto id = ReadContextId(inner)) {
                    std::string text(label);
                    if (text.empty()) {
                        const HelpTopic* t = file.Topic(*id);
                        text = t ? t->title : "topic " + std::to_string(*id);
                    }
                    html += "<a href=\"topic:" + std::to_string(*id) + "\">" + EscapeHtml(text) + "</a>";
                    i = close + 1;
                    continue;
                }
            }
        }
        html += EscapeHtml(line.substr(i, 1));
        ++i;
    }
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

const HelpTopic* HelpFile::Topic(int contextId) const {
    for (const auto& t : topics)
        if (t.contextId == contextId) return &t;
    return nullptr;
}

std::vector<HelpKeyword> HelpFile::Index() const {
    std::vector<HelpKeyword> index;
    for (const auto& t : topics) {
        std::set<std::string> seen;
        auto add = [&](const std::string& k) {
            if (!k.empty() && seen.insert(LowerText(k)).second) index.push_back({k, t.contextId});
        };
        add(t.title);
        for (const auto& k : t.keywords) add(k);
    }
    std::sort(index.begin(), index.end(), LessNoCase);
    return index;
}

std::vector<HelpKeyword> HelpFile::Search(std::string_view text) const {
    const std::string wanted = LowerText(Trim(text));
    auto index = Index();
    if (wanted.empty()) return index;
    std::vector<HelpKeyword> starts, contains;
    for (auto& k : index) {
        const auto pos = LowerText(k.keyword).find(wanted);
        if (pos == 0) starts.push_back(k);
        else if (pos != std::string::npos) contains.push_back(k);
    }
    return starts.empty() ? contains : starts;
}

namespace {

// Reads the help file line by line; each line's meaning depends on the
// section it stands in. A faulty line is noted and the reading goes on.
class HelpFileReader {
public:
    void Read(const std::vector<std::string_view>& lines) {
        for (std::size_t n = 1; n < lines.size(); ++n) {
            const std::string_view line = lines[n];
            at_ = "line " + std::to_string(n + 1) + ": ";
            if (!line.empty() && line[0] == ';') continue;
            if (!line.empty() && line[0] == '[') SectionLine(line);
            else BodyLine(line);
        }
        FinishTopic();
    }

    // Drops contents entries that lead nowhere; gives untitled topics a title.
    HelpFile Finish() {
        std::vector<HelpContentsEntry> kept;
        for (auto& e : file_.contents) {
            if (!e.heading && !file_.Topic(e.contextId))
                file_.problems.push_back("contents names topic " + std::to_string(e.contextId) + ", which is missing");
            else
                kept.push_back(e);
        }
        file_.contents = std::move(kept);
        for (auto& t : file_.topics)
            if (t.title.empty()) t.title = "Topic " + std::to_string(t.contextId);
        return std::move(file_);
    }

private:
    enum class Where { Nowhere, Contents, TopicHeader, TopicBody, Skipping };

    void Problem(const std::string& what) { file_.problems.push_back(at_ + what); }

    // A topic's body ends without its trailing blank lines.
    void FinishTopic() {
        if (!topic_) return;
        while (!topic_->body.empty() && Trim(topic_->body.back()).empty()) topic_->body.pop_back();
        topic_ = nullptr;
    }

    // "[contents]" or "[topic N]"; anything else skips to the next section.
    void SectionLine(std::string_view line) {
        FinishTopic();
        where_ = Where::Skipping;
        const std::string_view head = Trim(line);
        if (head.back() != ']') return Problem("section line without ']'");
        const std::string name = LowerText(Trim(head.substr(1, head.size() - 2)));
        if (name == "contents") {
            where_ = Where::Contents;
        } else if (name.rfind("topic", 0) == 0) {
            StartTopic(ReadContextId(std::string_view(name).substr(5)));
        } else {
            Problem("unknown section");
        }
    }

    void StartTopic(std::optional<int> id) {
        if (!id) return Problem("topic without a valid number");
        if (file_.Topic(*id)) return Problem("topic " + std::to_string(*id) + " given twice");
        file_.topics.push_back({});
        topic_ = &file_.topics.back();
        topic_->contextId = *id;
        where_ = Where::TopicHeader;
    }

    void BodyLine(std::string_view line) {
        switch (where_) {
            case Where::Nowhere:
                if (!Trim(line).empty()) Problem("text outside a section");
                break;
            case Where::Skipping: break;
            case Where::Contents: ContentsLine(Trim(line)); break;
            case Where::TopicHeader: TopicHeaderLine(line); break;
            case Where::TopicBody: topic_->body.emplace_back(line); break;
        }
    }

    // "* heading", a topic number, or "title: ...".
    void ContentsLine(std::string_view t) {
        std::string key, value;
        if (t.empty()) return;
        if (t[0] == '*') {
            file_.contents.push_back({true, std::string(Trim(t.substr(1))), 0});
        } else if (auto id = ReadContextId(t)) {
            file_.contents.push_back({false, {}, *id});
        } else if (HeaderField(t, key, value) && key == "title") {
            file_.title = value;
        } else {
            Problem("contents line not understood");
        }
    }

    // "title: ..." and "keywords: ..." up to the first blank line, which starts the body.
    void TopicHeaderLine(std::string_view line) {
        std::string key, value;
        if (Trim(line).empty()) {
            where_ = Where::TopicBody;
        } else if (HeaderField(line, key, value) && key == "title") {
            topic_->title = value;
        } else if (key == "keywords") {
            auto words = SplitKeywords(value);
            topic_->keywords.insert(topic_->keywords.end(), words.begin(), words.end());
        } else {
            Problem("topic header line not understood");
        }
    }

    HelpFile file_;
    Where where_ = Where::Nowhere;
    HelpTopic* topic_ = nullptr;
    std::string at_;  // "line N: ", the start of a problem's text
};

}  // namespace

std::optional<HelpFile> ParseHelpFile(std::string_view text) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const auto lines = SplitLines(text);
    if (lines.empty() || Trim(lines[0]) != Magic) return std::nullopt;
    HelpFileReader reader;
    reader.Read(lines);
    return reader.Finish();
}

std::optional<HelpFile> LoadHelpFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return ParseHelpFile(text);
}

std::string TopicHtml(const HelpFile& file, const HelpTopic& topic) {
    std::string html = "<h2>" + EscapeHtml(topic.title) + "</h2>\n";
    enum class Block { None, Paragraph, List } block = Block::None;
    auto close = [&] {
        if (block == Block::Paragraph) html += "</p>\n";
        if (block == Block::List) html += "</li>\n</ul>\n";
        block = Block::None;
    };
    for (const auto& raw : topic.body) {
        const std::string_view line = Trim(raw);
        if (line.empty()) {
            close();
            continue;
        }
        if (line.size() >= 2 && line[0] == '-' && line[1] == ' ') {
            if (block == Block::List) html += "</li>\n<li>";
            else {
                close();
                html += "<ul>\n<li>";
                block = Block::List;
            }
            AppendInline(html, Trim(line.substr(2)), file);
            continue;
        }
        if (block == Block::None) {
            html += "<p>";
            block = Block::Paragraph;
        } else {
            html += ' ';  // continues the paragraph or the list item
        }
        AppendInline(html, line, file);
    }
    close();
    return html;
}

std::string ContentsHtml(const HelpFile& file) {
    std::string html = "<h2>" + EscapeHtml(file.title.empty() ? "Contents" : file.title) + "</h2>\n";
    bool inList = false;
    for (const auto& e : file.contents) {
        if (e.heading) {
            if (inList) html += "</ul>\n";
            inList = false;
            html += "<h3>" + EscapeHtml(e.text) + "</h3>\n";
            continue;
        }
        if (!inList) html += "<ul>\n";
        inList = true;
        const HelpTopic* t = file.Topic(e.contextId);
        html += "<li><a href=\"topic:" + std::to_string(e.contextId) + "\">" + EscapeHtml(t->title) + "</a></li>\n";
    }
    if (inList) html += "</ul>\n";
    return html;
}

}  // namespace velm
