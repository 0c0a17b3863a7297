#include "core/language_file.h"

#include <fcntl.h>
#include <stdlib.h>  // mkstemps
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/file_names.h"

namespace velm {
namespace fs = std::filesystem;

namespace {

const char* const FormatErrorPrompt = "Language file format error";

LanguageResult Failure(std::string prompt) { return {false, std::move(prompt)}; }

// Code points of the bytes 0x80 to 0x9F; the five unused bytes map to the
// control characters of the same value, as Windows does.
constexpr std::array<char32_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Trim removes blanks only: spaces, not tabs or line ends.
std::string TrimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// A line as the section loaders see it: cut to 180 characters, then trimmed.
std::string CutAndTrim(const std::string& raw) {
    return TrimBlanks(raw.substr(0, MaxTextLength));
}

std::string FixedMenuText(const std::string& cp1252) {
    std::string s = cp1252.substr(0, MenuTextWidth);
    s.resize(MenuTextWidth, ' ');
    return Cp1252ToUtf8(s);
}

// The plain file read whole; lines end at CR LF, CR or LF.
class PlainFile {
public:
    enum class Status { Ok, NotFound, AccessError };

    explicit PlainFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            status_ = Status::NotFound;
            return;
        }
        data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) status_ = Status::AccessError;
    }

    Status status() const { return status_; }

    bool Next(std::string& line) {
        if (pos_ >= data_.size()) return false;
        const auto end = data_.find_first_of("\r\n", pos_);
        if (end == std::string::npos) {
            line = data_.substr(pos_);
            pos_ = data_.size();
            return true;
        }
        line = data_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (data_[end] == '\r' && pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
        return true;
    }

    // Moves past the first line holding "[name]"; false when none does.
    bool FindSection(const std::string& name) {
        const std::string wanted = "[" + TrimBlanks(name) + "]";
        std::string line;
        while (Next(line)) {
            if (line.find(wanted) != std::string::npos) return true;
        }
        return false;
    }

private:
    Status status_ = Status::Ok;
    std::string data_;
    std::size_t pos_ = 0;
};

std::string PromptPath(const std::string& plainPath) { return TrimBlanks(plainPath); }

LanguageResult OpenFailure(const std::string& plainPath, PlainFile::Status status) {
    if (status == PlainFile::Status::NotFound)
        return Failure(PromptPath(plainPath) + ": File not Found!");
    return Failure(PromptPath(plainPath) + ": Error accessing File!");
}

}  // namespace

std::string XorStrings(const std::string& data, const std::string& key) {
    if (key.empty()) return data;
    std::string out(data.size(), '\0');
    for (std::size_t i = 0; i < data.size(); ++i) {
        out[i] = static_cast<char>(static_cast<unsigned char>(data[i]) ^
                                   static_cast<unsigned char>(key[i % key.size()]));
    }
    return out;
}

const std::string& LanguageKey() {
    static const std::string key = [] {
        std::string k(LanguageRecordLength, '\0');
        std::uint32_t state = 0x56454C4Du;  // "VELM"
        for (char& c : k) {
            state = state * 1664525u + 1013904223u;
            c = static_cast<char>(state >> 24);  // the high bits of an LCG are the random ones
        }
        return k;
    }();
    return key;
}

LanguageResult DecodeLanguageFile(const std::string& storedPath, const std::string& plainPath) {
    std::error_code ec;
    // A missing stored file is never created: reporting it beats an empty language.
    if (!fs::exists(storedPath, ec)) return Failure(TrimBlanks(storedPath) + ": File not Found!");

    std::ifstream in(storedPath, std::ios::binary);
    std::string stored;
    if (in) stored.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return Failure(FormatErrorPrompt);

    const std::string& key = LanguageKey();
    std::string plain;
    // Only complete records count; a short tail is not a record.
    for (std::size_t at = 0; at + LanguageRecordLength <= stored.size(); at += LanguageRecordLength) {
        const std::string record = XorStrings(stored.substr(at, LanguageRecordLength), key);
        const auto mark = record.find(static_cast<char>(LanguageEndMark));
        if (mark == std::string::npos) continue;
        plain += record.substr(0, mark);
        plain += "\r\n";
    }

    // A link under the plain file's name is refused, never written through.
    const int fd = ::open(plainPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return Failure(FormatErrorPrompt);
    bool written = WriteAll(fd, plain) == 0;
    if (::close(fd) != 0) written = false;
    if (!written) {
        fs::remove(plainPath, ec);
        return Failure(FormatErrorPrompt);
    }
    return {};
}

bool EncodeLanguageLines(const std::vector<std::string>& lines, std::string& stored, int* badLine) {
    stored.clear();
    const std::string& key = LanguageKey();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() >= static_cast<std::size_t>(LanguageRecordLength) ||
            line.find_first_of(std::string{"\r\n"} + static_cast<char>(LanguageEndMark)) !=
                std::string::npos) {
            if (badLine) *badLine = static_cast<int>(i + 1);
            stored.clear();
            return false;
        }
        std::string record = line + static_cast<char>(LanguageEndMark);
        record.resize(LanguageRecordLength, ' ');
        stored += XorStrings(record, key);
    }
    return true;
}

LanguageResult LoadTextSection(const std::string& plainPath, const std::string& name,
                               TextSection& texts) {
    PlainFile file(plainPath);
    if (file.status() != PlainFile::Status::Ok) return OpenFailure(plainPath, file.status());
    if (!file.FindSection(name))
        return Failure(PromptPath(plainPath) + ": [" + name + "] section not Found!");

    TextSection loaded(1);  // element 0 is never filled
    std::string raw;
    while (file.Next(raw)) {
        const std::string text = CutAndTrim(raw);
        if (text.empty()) break;  // an empty line ends the section
        if (static_cast<int>(loaded.size()) - 1 < MaxTextsPerSection) {
            loaded.push_back(Cp1252ToUtf8(text));
        }
    }
    texts = std::move(loaded);
    return {};
}

LanguageResult LoadAllTextSections(const std::string& plainPath, LanguageTexts& texts) {
    for (int id = 0; id < TextSectionCount; ++id) {
        LanguageResult r = LoadTextSection(plainPath, TextSectionName(static_cast<TextSectionId>(id)),
                                           texts.Sections[id]);
        if (!r.ok) return r;
    }
    return {};
}

LanguageResult LoadMenuSection(const std::string& plainPath, const std::string& name,
                               LanguageTexts& texts) {
    PlainFile file(plainPath);
    if (file.status() != PlainFile::Status::Ok) return OpenFailure(plainPath, file.status());
    if (!file.FindSection(name)) return Failure(PromptPath(plainPath) + ": [Menu] section not Found!");

    const LanguageResult accessError = Failure(PromptPath(plainPath) + ": Error accessing File!");
    std::array<MenuRecord, 21> menus{};
    int m = 0;
    int items = 0;
    std::string raw;
    while (file.Next(raw)) {
        const std::string line = CutAndTrim(raw);
        if (line.empty()) break;
        if (++m > MaxMenus) return accessError;

        std::int16_t position = 1;
        std::string title;
        const bool hasItems = SplitAt(line, "=", position, title);
        menus[m].Texts[0] = FixedMenuText(title);
        if (m > 1 && menus[m - 1].Texts[0] == menus[m].Texts[0]) {
            // Same title again: the line continues the previous menu.
            menus[m].Texts[0].clear();
            --m;
        } else {
            items = 0;
        }
        if (hasItems) {
            // Items are what follows the "=", so blanks around it do not eat characters.
            const std::string rest = line.substr(static_cast<std::size_t>(position - 1));
            std::int16_t at = 1;
            std::string item;
            bool more = true;
            while (more) {
                more = SplitAt(rest, ",", at, item);
                if (++items > MaxMenuItems) return accessError;
                menus[m].Texts[items] = FixedMenuText(item);
            }
            menus[m].ItemCount = static_cast<std::int16_t>(items);
        }
    }
    texts.MenuTexts = menus;
    texts.MenuCount = static_cast<std::int16_t>(m);
    return {};
}

LanguageResult LoadLanguage(const std::string& storedPath, const std::string& plainPath,
                            LanguageTexts& texts) {
    LanguageResult r = DecodeLanguageFile(storedPath, plainPath);
    if (r.ok) r = LoadAllTextSections(plainPath, texts);
    if (r.ok) r = LoadMenuSection(plainPath, "MenuFrmIniz", texts);
    return r;
}

bool SplitAt(const std::string& text, const std::string& separator, std::int16_t& position,
             std::string& piece) {
    piece.clear();
    // Up to the last non-blank character, so that a text starting with
    // blanks does not lose its last characters.
    const auto lastChar = text.find_last_not_of(' ');
    const int n = lastChar == std::string::npos ? 0 : static_cast<int>(lastChar) + 1;
    for (;;) {
        std::string ch;
        if (position >= 1 && position <= static_cast<int>(text.size()))
            ch = text.substr(static_cast<std::size_t>(position - 1), 1);
        const bool isSeparator = ch == separator;
        if (!isSeparator) piece += ch;
        ++position;
        if (isSeparator || position > n) break;
    }
    return position <= n;
}

std::string CreateLanguageTempFile(const std::string& appDir) {
    const char* const name = "velm@@.lng";
    std::error_code ec;
    std::string path;
    if (!appDir.empty() && access(appDir.c_str(), W_OK | X_OK) == 0) {
        path = (fs::path(appDir) / name).string();
    } else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
               runtime && *runtime && fs::is_directory(runtime, ec) && access(runtime, W_OK | X_OK) == 0) {
        path = (fs::path(runtime) / name).string();
    }
    if (!path.empty()) {
        ::unlink(path.c_str());  // the old plain file, or whatever took its name
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) return {};
        ::close(fd);
        return path;
    }

    // The temporary folder is shared between users: a name nobody can foresee,
    // created exclusively (mkstemps never follows a link).
    fs::path temp = fs::temp_directory_path(ec);
    if (ec) temp = "/tmp";
    std::string pattern = (temp / "velm@@-XXXXXX.lng").string();
    const int fd = ::mkstemps(pattern.data(), 4);
    if (fd < 0) return {};
    ::close(fd);
    return pattern;
}

std::vector<std::string> SplitTextLines(std::string text) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // a byte-order mark is no text
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string Cp1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else if (b < 0xA0) {
            AppendUtf8(out, Cp1252High[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

bool Utf8ToCp1252(const std::string& text, std::string& out) {
    out.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        char32_t cp = 0;
        int extra = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            extra = 3;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(extra) >= text.size() && extra > 0) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cont & 0x3F);
        }
        i += static_cast<std::size_t>(extra) + 1;
        // An overlong form ("\xC1\x81" for "A") is not UTF-8.
        static constexpr char32_t Shortest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < Shortest[extra]) return false;

        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        bool found = false;
        for (std::size_t k = 0; k < Cp1252High.size(); ++k) {
            if (Cp1252High[k] == cp) {
                out += static_cast<char>(0x80 + k);
                found = true;
                break;
            }
        }
        if (!found) return false;
    }
    return true;
}

}  // namespace velm
