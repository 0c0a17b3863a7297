#include "frame/file_names.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace velm {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "velm-names-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

std::string Contents(const std::string& path) {
    std::string s;
    return ReadWholeFile(path, s) == 0 ? s : "<unreadable>";
}
void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
long Entries(const std::string& folder) { return std::distance(fs::directory_iterator(folder), {}); }

// Runs check in a child process as an ordinary user, since permissions do not
// bind the superuser, and gives back what it returned (an error number).
int AsOrdinaryUser(const std::function<int()>& check) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(255);
        ::_exit(check() & 0xFF);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FileNames, ExtensionsLookAtTheLastComponentOnly) {
    const char* cases[][3] = {
        {"/work/Part.QVL", ".qvl", "/work/Part"}, {"/work/Part", "", "/work/Part"},
        {"/work.d/Part", "", "/work.d/Part"}, {"/w/Part.tar.GZ", ".gz", "/w/Part.tar"},
        {"Part.", ".", "Part"}, {"/home/u/.hidden", "", "/home/u/.hidden"},
        {"/home/u/.hidden.Qvl", ".qvl", "/home/u/.hidden"}, {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExtension(c[0]), c[1]) << c[0];
        EXPECT_EQ(StripExtension(c[0]), c[2]) << c[0];
    }
    EXPECT_EQ(ProposedExportName("/Work/Part.QVL", ".dxf"), "/Work/Part.dxf");
    EXPECT_EQ(ProposedExportName("", ".iso"), "");
}

TEST(FileNames, ExistingFilesAndFolders) {
    TempFolder dir;
    Put(dir / "job.qvl", "x");
    Put(dir / ".hidden", "x");
    fs::create_directory(dir / "sub");
    fs::create_symlink(dir / "gone.qvl", dir / "dangling.qvl");
    const std::pair<std::string, bool> cases[] = {
        {dir / "job.qvl", true}, {dir / ".hidden", true}, {dir / "sub", false},
        {dir / "missing.qvl", false}, {dir / "dangling.qvl", false}, {dir / "job.qvl/x", false}, {"", false}};
    for (const auto& [path, exists] : cases) EXPECT_EQ(FileExists(path), exists) << path;

    EXPECT_EQ(MakeDirOfPath(dir / "new/job.qvl"), 0);
    EXPECT_TRUE(fs::is_directory(dir / "new"));
    EXPECT_EQ(MakeDirOfPath(dir / "a/b/job.qvl"), ENOENT);  // one level only
    EXPECT_EQ(MakeDirOfPath(dir / "new/job.qvl"), EEXIST);
}

TEST(FileNames, ReplaceKeepsTheOldFileUntilTheNewOneIsWhole) {
    TempFolder dir;
    Put(dir / "job.qvl", "old and longer");
    fs::permissions(dir / "job.qvl", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(dir / "job.qvl", dir / "link.qvl");
    EXPECT_EQ(ReplaceFileContents(dir / "link.qvl", "new"), 0);
    EXPECT_EQ(Contents(dir / "job.qvl"), "new");
    EXPECT_TRUE(fs::is_symlink(dir / "link.qvl"));
    EXPECT_EQ(fs::status(dir / "job.qvl").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    Put(dir / "plain", "p");
    fs::create_directory(dir / "taken.qvl");
    EXPECT_EQ(ReplaceFileContents(dir / "nowhere/job.qvl", "x"), ENOENT);
    EXPECT_EQ(ReplaceFileContents(dir / "plain/job.qvl", "x"), ENOTDIR);
    EXPECT_NE(ReplaceFileContents(dir / "taken.qvl", "x"), 0);

    // A write that stops half-way (a file size limit stands in for a full disk).
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const int error = ReplaceFileContents(dir / "job.qvl", std::string(1000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(Contents(dir / "job.qvl"), "new");
    EXPECT_EQ(Entries(dir.path), 4);  // no temporary file left behind
}

TEST(FileNames, PermissionsBindTheUser) {
    TempFolder dir;
    fs::permissions(dir.path, fs::perms::all);
    Put(dir / "protected.qvl", "old");
    Put(dir / "locked.qvl", "secret");
    fs::create_directory(dir / "shut");
    fs::permissions(dir / "protected.qvl", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir / "locked.qvl", fs::perms::none);
    fs::permissions(dir / "shut", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                      fs::perms::others_exec | fs::perms::group_read | fs::perms::group_exec);

    const std::pair<const char*, std::function<int()>> cases[] = {
        // A save must not get round a write protection by renaming over it.
        {"write-protected file", [&] { return ReplaceFileContents(dir / "protected.qvl", "new"); }},
        {"new file in a shut folder", [&] { return ReplaceFileContents(dir / "shut/job.qvl", "new"); }},
        {"folder in a shut folder", [&] { return MakeDirOfPath(dir / "shut/new/job.qvl"); }},
        {"unreadable file", [&] {
             std::string bytes;
             return ReadWholeFile(dir / "locked.qvl", bytes);
         }},
    };
    for (const auto& [what, check] : cases) EXPECT_EQ(AsOrdinaryUser(check), EACCES) << what;
    EXPECT_EQ(Contents(dir / "protected.qvl"), "old");
    EXPECT_EQ(Entries(dir / "shut"), 0);
    EXPECT_EQ(Entries(dir.path), 3);  // no temporary file left behind
    // Whoever may write the file still replaces it.
    EXPECT_EQ(AsOrdinaryUser([&] { return ReplaceFileContents(dir / "new.qvl", "x"); }), 0);
}

}  // namespace
}  // namespace velm
