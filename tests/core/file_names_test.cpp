#include "core/file_names.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
    std::string s;
    return ReadWholeFile(path, s) == 0 ? s : "<unreadable>";
}
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
        {"/work/Part.QVL", ".qvl", "/work/Part"}, {"/work.d/Part", "", "/work.d/Part"},
        {"/w/Part.tar.GZ", ".gz", "/w/Part.tar"}, {"/home/u/.hidden", "", "/home/u/.hidden"},
        {"/home/u/.hidden.Qvl", ".qvl", "/home/u/.hidden"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExtension(c[0]), c[1]) << c[0];
        EXPECT_EQ(StripExtension(c[0]), c[2]) << c[0];
    }
    EXPECT_EQ(ProposedExportName("/Work/Part.QVL", ".dxf"), "/Work/Part.dxf");
    EXPECT_EQ(ProposedExportName("", ".iso"), "");
}

TEST(FileNames, NormalizedNamesKeepTheirCase) {
    const char* cases[][2] = {
        {"/Work//Jobs/./Part.QVL", "/Work/Jobs/Part.QVL"}, {"/work/x/../y/../Part.qvl", "/work/Part.qvl"},
        {"/../a.qvl", "/a.qvl"}, {"a/../../b.qvl", "../b.qvl"}, {"./a.qvl", "a.qvl"},
        {"/", "/"}, {"", ""}, {"//w/a.qvl/", "/w/a.qvl"},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizedFileName(c[0]), c[1]) << c[0];

    // ".." after a link leaves the folder the link leads to, as opening the name would.
    TempFolder dir;
    fs::create_directories(dir.File("real/deep"));
    fs::create_symlink(dir.File("real/deep"), dir.File("link"));
    const std::string real = fs::canonical(dir.File("real")).string();
    EXPECT_EQ(NormalizedFileName(dir.File("link/../Job.qvl")), real + "/Job.qvl");
    EXPECT_EQ(NormalizedFileName(dir.File("real/deep/../Job.qvl")), dir.File("real/Job.qvl"));
}

TEST(FileNames, ExistingFilesAndFolders) {
    TempFolder dir;
    dir.Write("job.qvl", "x");
    dir.Write(".hidden", "x");
    fs::create_directory(dir.File("sub"));
    fs::create_symlink(dir.File("gone.qvl"), dir.File("dangling.qvl"));
    const std::pair<std::string, bool> cases[] = {
        {dir.File("job.qvl"), true}, {dir.File(".hidden"), true}, {dir.File("sub"), false},
        {dir.File("dangling.qvl"), false}, {dir.File("job.qvl/x"), false}, {"", false}};
    for (const auto& [path, exists] : cases) EXPECT_EQ(FileExists(path), exists) << path;

    EXPECT_EQ(MakeDirOfPath(dir.File("new/job.qvl")), 0);
    EXPECT_TRUE(fs::is_directory(dir.File("new")));
    EXPECT_EQ(MakeDirOfPath(dir.File("a/b/job.qvl")), ENOENT);  // one level only
    EXPECT_EQ(MakeDirOfPath(dir.File("new/job.qvl")), EEXIST);
}

TEST(FileNames, ReplaceKeepsTheOldFileUntilTheNewOneIsWhole) {
    TempFolder dir;
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    dir.Write("job.qvl", "old and longer");
    fs::permissions(dir.File("job.qvl"), perms);
    fs::create_symlink(dir.File("job.qvl"), dir.File("link.qvl"));
    EXPECT_EQ(ReplaceFileContents(dir.File("link.qvl"), "new"), 0);
    EXPECT_EQ(Contents(dir.File("job.qvl")), "new");
    EXPECT_TRUE(fs::is_symlink(dir.File("link.qvl")));
    EXPECT_EQ(fs::status(dir.File("job.qvl")).permissions() & fs::perms::all, perms);
    EXPECT_EQ(ReplaceFileContents(dir.File("nowhere/job.qvl"), "x"), ENOENT);

    // A write that stops half-way (a file size limit stands in for a full disk).
    const int error =
        testing::WithFileSizeLimit(100, [&] { return ReplaceFileContents(dir.File("job.qvl"), std::string(1000, 'n')); });
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(Contents(dir.File("job.qvl")), "new");
    EXPECT_EQ(Entries(dir.Path()), 2);  // no temporary file left behind
}

// Small pieces, single characters and blocks larger than the file's own
// buffer (which go past it) arrive in the order they were written, and a
// failure in the middle of a large block still keeps the previous file.
TEST(FileNames, StreamedReplaceKeepsTheOrderOfSmallAndLargeWrites) {
    TempFolder dir;
    std::string expected;
    const int error = ReplaceFileStreamed(dir.File("big.dxf"), [&](std::ostream& out) {
        for (int i = 0; i < 40; ++i) {
            const std::string small = "line " + std::to_string(i) + "\r\n";
            const std::string block(static_cast<std::size_t>(1000 + i * 20011), static_cast<char>('a' + i % 26));
            out << small;
            out.put('#');
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            expected += small + "#" + block;
        }
        return 0;
    });
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(Contents(dir.File("big.dxf")) == expected);

    const int failed = testing::WithFileSizeLimit(100000, [&] {
        return ReplaceFileStreamed(dir.File("big.dxf"), [](std::ostream& out) {
            out << "head";
            const std::string block(300000, 'z');
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            return 0;
        });
    });
    EXPECT_EQ(failed, EFBIG);
    EXPECT_TRUE(Contents(dir.File("big.dxf")) == expected);
    EXPECT_EQ(Entries(dir.Path()), 1);
}

TEST(FileNames, PermissionsBindTheUser) {
    TempFolder dir;
    fs::permissions(dir.Path(), fs::perms::all);
    dir.Write("protected.qvl", "old");
    dir.Write("locked.qvl", "secret");
    fs::create_directory(dir.File("shut"));
    fs::permissions(dir.File("protected.qvl"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir.File("locked.qvl"), fs::perms::none);
    fs::permissions(dir.File("shut"), fs::perms::all & ~(fs::perms::owner_write | fs::perms::group_write |
                                                         fs::perms::others_write));
    const std::pair<const char*, std::function<int()>> cases[] = {
        // A save must not get round a write protection by renaming over it.
        {"write-protected file", [&] { return ReplaceFileContents(dir.File("protected.qvl"), "new"); }},
        {"new file in a shut folder", [&] { return ReplaceFileContents(dir.File("shut/job.qvl"), "new"); }},
        {"unreadable file", [&] {
             std::string bytes;
             return ReadWholeFile(dir.File("locked.qvl"), bytes);
         }},
    };
    for (const auto& [what, check] : cases) EXPECT_EQ(AsOrdinaryUser(check), EACCES) << what;
    EXPECT_EQ(Contents(dir.File("protected.qvl")), "old");
    EXPECT_EQ(Entries(dir.Path()), 3);  // no temporary file left behind
    EXPECT_EQ(AsOrdinaryUser([&] { return ReplaceFileContents(dir.File("new.qvl"), "x"); }), 0);
}

// The permission bits decide for whoever runs the program, the superuser
// included (the workshop set-up runs as root).
TEST(FileNames, PermissionBitsBindTheRunningUser) {
    TempFolder dir;
    using P = fs::perms;
    const std::pair<P, int> cases[] = {
        {P::owner_read | P::group_read | P::others_read, EACCES},
        {P::owner_read | P::group_all | P::others_all, EACCES},  // the owner's bits count, not the others'
        {P::owner_read | P::owner_write, 0},
    };
    for (const auto& [perms, expected] : cases) {
        dir.Write("job.qvl", "old");
        fs::permissions(dir.File("job.qvl"), perms);
        EXPECT_EQ(ReplaceFileContents(dir.File("job.qvl"), "new"), expected) << static_cast<int>(perms);
        EXPECT_EQ(Contents(dir.File("job.qvl")), expected == 0 ? "new" : "old") << static_cast<int>(perms);
        EXPECT_EQ(Entries(dir.Path()), 1);  // no temporary file left behind
        fs::permissions(dir.File("job.qvl"), P::owner_all);
    }
}

}  // namespace
}  // namespace velm
