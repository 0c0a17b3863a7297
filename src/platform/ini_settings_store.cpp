#include "platform/ini_settings_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace velm {

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The file's lines without their line ends; nothing when the file is absent,
// an error when it exists but cannot be read.
enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return ReadResult::Missing;
    if (ec || status.type() != std::filesystem::file_type::regular) return ReadResult::Failed;
    std::ifstream in(path, std::ios::binary);
    if (!in) return ReadResult::Failed;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return in.bad() ? ReadResult::Failed : ReadResult::Ok;
}

std::optional<std::string> SectionName(const std::string& line) {
    const std::string t = Trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') return t.substr(1, t.size() - 2);
    return std::nullopt;
}

// Splits "key=value"; the key is trimmed, the value kept as written.
bool KeyLine(const std::string& line, std::string& key, std::string& value) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(line.substr(0, eq));
    value = line.substr(eq + 1);
    return !key.empty() && key.front() != ';' && key.front() != '#';
}

bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes `data` to a temporary file beside `path`, then renames it over `path`.
bool ReplaceFile(const std::string& folder, const std::string& path, const std::string& data) {
    static std::atomic<unsigned> counter{0};
    const std::string temp = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, data) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

// The lines as the file is written. A line that still ends in a carriage
// return (the file had "\r\r\n") gets its line end as "\r\n", or reading it
// back would take that return off and change what the line's key reads.
std::string JoinLines(const std::vector<std::string>& lines) {
    std::string data;
    for (const auto& line : lines) data += line + (!line.empty() && line.back() == '\r' ? "\r\n" : "\n");
    return data;
}

bool BreaksLine(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

}  // namespace

std::string IniSettingsStore::DefaultFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // Only an absolute path counts, as the base-directory rules say.
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    std::string base = home && home[0] ? home : "";
    if (base.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) base = pw->pw_dir;
    }
    if (base.empty()) base = ".";
    return base + "/.config";
}

std::string IniSettingsStore::FilePath(const std::string& app) const {
    std::string name = app;
    for (char& c : name)
        if (c == '/' || c == '\\' || c == '\0') c = '_';
    if (name.empty() || name == "." || name == "..") name = "_" + name;
    return folder_ + "/" + name;
}

std::string IniSettingsStore::GetSetting(const std::string& app, const std::string& section,
                                         const std::string& key, const std::string& fallback) const {
    try {
        std::vector<std::string> lines;
        if (ReadLines(FilePath(app), lines) != ReadResult::Ok) return fallback;
        bool inSection = false;
        for (const auto& line : lines) {
            if (auto name = SectionName(line)) {
                inSection = SameText(*name, section);
                continue;
            }
            std::string k, v;
            if (inSection && KeyLine(line, k, v) && SameText(k, key)) return v;
        }
    } catch (...) {
    }
    return fallback;
}

void IniSettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& value) {
    if (BreaksLine(section) || BreaksLine(key) || BreaksLine(value)) return;
    if (section.find(']') != std::string::npos || key.find('=') != std::string::npos) return;
    if (Trim(key).empty() || Trim(key) != key) return;
    try {
        const std::string path = FilePath(app);
        std::vector<std::string> lines;
        // A file that exists but cannot be read is left alone rather than
        // replaced by one holding only this key.
        if (ReadLines(path, lines) == ReadResult::Failed) return;

        const std::string entry = key + "=" + value;
        bool inSection = false, done = false;
        std::optional<std::size_t> sectionEnd;  // index after the last line of our section
        for (std::size_t i = 0; i < lines.size() && !done; ++i) {
            if (auto name = SectionName(lines[i])) {
                inSection = SameText(*name, section);
                if (inSection) sectionEnd = i + 1;
                continue;
            }
            std::string k, v;
            if (inSection) {
                if (KeyLine(lines[i], k, v) && SameText(k, key)) {
                    lines[i] = entry;
                    done = true;
                } else if (!Trim(lines[i]).empty()) {
                    sectionEnd = i + 1;
                }
            }
        }
        if (!done) {
            if (sectionEnd) {
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
            } else {
                if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
                lines.push_back("[" + section + "]");
                lines.push_back(entry);
            }
        }
        ReplaceFile(folder_, path, JoinLines(lines));
    } catch (...) {
    }
}

void IniSettingsStore::DeleteSetting(const std::string& app, const std::string& section,
                                     const std::string& key) {
    try {
        const std::string path = FilePath(app);
        std::vector<std::string> lines;
        if (ReadLines(path, lines) != ReadResult::Ok) return;
        bool inSection = false, removed = false;
        std::vector<std::string> kept;
        for (const auto& line : lines) {
            if (auto name = SectionName(line)) inSection = SameText(*name, section);
            std::string k, v;
            if (inSection && KeyLine(line, k, v) && SameText(k, key)) {
                removed = true;
                continue;
            }
            kept.push_back(line);
        }
        if (!removed) return;
        ReplaceFile(folder_, path, JoinLines(kept));
    } catch (...) {
    }
}

}  // namespace velm
