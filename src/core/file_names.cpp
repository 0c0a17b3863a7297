#include "core/file_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <streambuf>
#include <system_error>
#include <vector>

namespace velm {

namespace {

// Start of the last path component.
std::size_t LastComponentStart(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// Position of the extension's "." or npos.
std::size_t ExtensionDot(const std::string& name) {
    const std::size_t start = LastComponentStart(name);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot <= start) return std::string::npos;
    return dot;
}

int LastError(int fallback = EIO) { return errno != 0 ? errno : fallback; }

}  // namespace

int WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

namespace {

// A stream buffer straight onto a file descriptor: one large buffer, no
// flush per line. Keeps the first write error.
class FdStreamBuf : public std::streambuf {
public:
    static constexpr std::streamsize DirectBlock = 1 << 15;
    explicit FdStreamBuf(int fd) : fd_(fd), buffer_(1 << 20) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
    int Error() const { return error_; }

protected:
    int_type overflow(int_type ch) override {
        if (FlushBuffer() != 0) return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return FlushBuffer() == 0 ? 0 : -1; }
    // A large block goes to the file as it is, after what is buffered: a
    // writer with a buffer of its own is not copied a second time.
    std::streamsize xsputn(const char_type* s, std::streamsize n) override {
        if (n < DirectBlock && n <= epptr() - pptr()) {
            std::memcpy(pptr(), s, static_cast<std::size_t>(n));
            pbump(static_cast<int>(n));
            return n;
        }
        if (FlushBuffer() != 0 || Write(std::string_view(s, static_cast<std::size_t>(n))) != 0) return 0;
        return n;
    }

private:
    int FlushBuffer() {
        if (error_ != 0) return error_;
        const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return Write(pending);
    }

    int Write(std::string_view bytes) {
        errno = 0;
        error_ = WriteAll(fd_, bytes);
        if (error_ == 0) StartWriteBack(bytes.size());
        return error_;
    }

    // The disk starts on what is written while the rest is still being
    // made, so that the final sync has little left to wait for.
    void StartWriteBack(std::size_t written) {
        written_ += static_cast<off_t>(written);
        if (written_ - started_ < WriteBackChunk) return;
#if defined(__linux__)
        ::sync_file_range(fd_, started_, written_ - started_, SYNC_FILE_RANGE_WRITE);
#endif
        started_ = written_;
    }

    static constexpr off_t WriteBackChunk = 1 << 20;
    off_t written_ = 0;
    off_t started_ = 0;

    int fd_;
    std::vector<char> buffer_;
    int error_ = 0;
};

// Opens a fresh file beside target; fd < 0 with the error on failure.
int OpenTemporaryBeside(const std::string& target, std::string& tempName, int& error) {
    const std::size_t start = LastComponentStart(target);
    const std::string folder = target.substr(0, start);
    const std::string base = target.substr(start);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = folder + "." + base + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            error = LastError();
            return -1;
        }
    }
    error = EEXIST;
    return -1;
}

// The write bit of the class (owner, group, others) that the effective user
// falls in, as the system decides for every user but the superuser.
bool PermissionBitsAllowWrite(const struct stat& st) {
    const uid_t uid = ::geteuid();
    if (uid == st.st_uid) return (st.st_mode & S_IWUSR) != 0;
    bool inGroup = ::getegid() == st.st_gid;
    if (!inGroup) {
        const int count = ::getgroups(0, nullptr);
        if (count > 0) {
            std::vector<gid_t> groups(static_cast<std::size_t>(count));
            const int got = ::getgroups(count, groups.data());
            for (int i = 0; i < got && !inGroup; ++i) inGroup = groups[static_cast<std::size_t>(i)] == st.st_gid;
        }
    }
    if (inGroup) return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

std::string JoinComponents(bool absolute, const std::vector<std::string>& parts) {
    std::string out = absolute ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i > 0 ? "/" : "") + parts[i];
    return out.empty() ? "." : out;
}

std::vector<std::string> SplitComponents(const std::string& name) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        if (end > start) parts.push_back(name.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::string NormalizedFileName(const std::string& name) {
    if (name.empty()) return name;
    bool absolute = name.front() == '/';
    std::vector<std::string> kept;
    for (const std::string& part : SplitComponents(name)) {
        if (part == ".") continue;
        if (part != "..") {
            kept.push_back(part);
            continue;
        }
        if (kept.empty() || kept.back() == "..") {
            if (!absolute) kept.push_back(part);  // "/.." is "/"
            continue;
        }
        // Across a link, ".." leaves the folder the link leads to, not the one holding the link.
        std::error_code ec;
        const std::string sofar = JoinComponents(absolute, kept);
        if (std::filesystem::is_symlink(sofar, ec)) {
            const std::filesystem::path real = std::filesystem::canonical(sofar, ec);
            if (!ec) {
                kept = SplitComponents(real.string());
                absolute = true;
            }
        }
        if (!kept.empty()) kept.pop_back();
    }
    return JoinComponents(absolute, kept);
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && !ec;
}

std::string FileExtension(const std::string& name) {
    const std::size_t dot = ExtensionDot(name);
    if (dot == std::string::npos) return {};
    std::string ext = name.substr(dot);
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return ext;
}

std::string StripExtension(const std::string& name) {
    const std::size_t dot = ExtensionDot(name);
    return dot == std::string::npos ? name : name.substr(0, dot);
}

int MakeDirOfPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return ENOENT;
    errno = 0;
    return ::mkdir(path.substr(0, slash).c_str(), 0777) == 0 ? 0 : LastError();
}

std::string ProposedExportName(const std::string& currentFileName, const std::string& extension) {
    if (currentFileName.empty()) return {};
    return StripExtension(currentFileName) + extension;
}

int ReadWholeFile(const std::string& path, std::string& bytes) {
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return LastError(ENOENT);
    std::string data;
    char buffer[8192];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
    const int error = std::ferror(f) ? LastError() : 0;
    std::fclose(f);
    if (error == 0) bytes = std::move(data);
    return error;
}

int ReplaceFileContents(const std::string& path, std::string_view bytes) {
    return ReplaceFileStreamed(path, [bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return 0;
    });
}

int ReplaceFileStreamed(const std::string& path, const FileWriter& write, bool makeFolder) {
    // A link stays a link: the file it points at is the one replaced.
    std::string target = path;
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto resolved = std::filesystem::canonical(path, ec);
        if (!ec) target = resolved.string();
    }

    // The rename would get past a write-protected file; writing into it would not.
    if (const int protection = WriteProtection(target); protection != 0) return protection;

    std::string tempName;
    int error = 0;
    int fd = OpenTemporaryBeside(target, tempName, error);
    if (fd < 0 && error == ENOENT && makeFolder) {
        // The folder is missing: make its last level and try once more. When
        // it cannot be made, its reason (a write-protected parent) is the one
        // to give.
        const int made = MakeDirOfPath(target);
        if (made != 0 && made != EEXIST) return made;
        fd = OpenTemporaryBeside(target, tempName, error);
    }
    if (fd < 0) return error;

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);  // keep the old file's permissions
    }
    {
        FdStreamBuf buffer(fd);
        std::ostream out(&buffer);
        error = write(out);
        if (error == 0) {
            out.flush();
            error = buffer.Error();
            if (error == 0 && !out) error = EIO;
        }
    }
    if (error == 0 && ::fsync(fd) != 0) error = LastError();
    if (::close(fd) != 0 && error == 0) error = LastError();
    if (error == 0 && ::rename(tempName.c_str(), target.c_str()) != 0) error = LastError();
    if (error != 0) ::unlink(tempName.c_str());
    return error;
}

int WriteProtection(const std::string& path) {
    if (::faccessat(AT_FDCWD, path.c_str(), F_OK, AT_EACCESS) != 0) return 0;
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return LastError(EACCES);
    // The superuser passes the check above whatever the bits say.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !PermissionBitsAllowWrite(st)) return EACCES;
    return 0;
}

bool FolderWritable(const std::string& folder) {
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return false;
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && PermissionBitsAllowWrite(st);
}

std::string SystemErrorText(int errorNumber) {
    return std::error_code(errorNumber, std::generic_category()).message();
}

}  // namespace velm
