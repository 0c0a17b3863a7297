#include "frame/file_names.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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

    EXPECT_TRUE(MakeDirOfPath(dir / "new/job.qvl"));
    EXPECT_TRUE(fs::is_directory(dir / "new"));
    EXPECT_FALSE(MakeDirOfPath(dir / "a/b/job.qvl"));  // one level only
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

}  // namespace
}  // namespace velm
