#include "core/language_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace velm {
namespace {
namespace fs = std::filesystem;

const char Mark = static_cast<char>(LanguageEndMark);

class LanguageFileTest : public ::testing::Test {
protected:
    TempFolder dir;
    std::string Path(const std::string& name) const { return dir.File(name); }
    std::string WritePlain(const std::string& text) const {
        dir.Write("plain.lng", text);
        return Path("plain.lng");
    }
    // A stored record made by hand: the text, then what follows it, scrambled.
    static std::string Record(const std::string& decoded) {
        std::string r = decoded;
        r.resize(LanguageRecordLength, 'x');
        return XorStrings(r, LanguageKey());
    }
};

std::string Trimmed(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

TEST_F(LanguageFileTest, DecodeWritesOneLinePerMarkedRecord) {
    std::string stored;
    stored += Record(std::string("[Common]") + Mark + "filler");
    stored += Record(std::string(1, Mark) + "rest is filler");  // empty line
    stored += Record("no mark anywhere: no line");
    stored += Record(std::string("Angle \xB0") + Mark + "x" + Mark);
    stored += Record(std::string("tail") + Mark).substr(0, 50);  // incomplete: not a record
    dir.Write("VELM.lng", stored);
    dir.Write("plain.lng", "an old plain file longer than the new one, to be replaced\r\n");
    const LanguageResult r = DecodeLanguageFile(Path("VELM.lng"), Path("plain.lng"));
    ASSERT_TRUE(r.ok) << r.prompt;
    EXPECT_EQ(dir.Read("plain.lng"), "[Common]\r\n\r\nAngle \xB0\r\n");
}

TEST_F(LanguageFileTest, FailuresNameTheFile) {
    // A missing stored file is reported, never created empty.
    LanguageTexts all;
    LanguageResult r = LoadLanguage(Path("VELM.lng"), Path("plain.lng"), all);
    EXPECT_EQ(r.prompt, Path("VELM.lng") + ": File not Found!");
    EXPECT_FALSE(fs::exists(Path("VELM.lng")));

    dir.Write("VELM.lng", Record(std::string("x") + Mark));
    r = DecodeLanguageFile(Path("VELM.lng"), Path("no/such/folder/plain.lng"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.prompt, "Language file format error");

    const std::string plain = WritePlain("[Common]\r\nx\r\n");
    TextSection texts{"", "kept"};
    r = LoadTextSection(plain, "Errore", texts);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.prompt, plain + ": [Errore] section not Found!");
    EXPECT_EQ(texts, (TextSection{"", "kept"}));
    EXPECT_EQ(LoadMenuSection(plain, "MenuFrmIniz", all).prompt, plain + ": [Menu] section not Found!");
}

TEST_F(LanguageFileTest, TextSectionsFollowTheLayoutRules) {
    const std::string a190(190, 'a');
    std::string sixty;
    for (int i = 1; i <= 60; ++i) sixty += "text " + std::to_string(i) + "\r\n";
    struct Case { const char* what; std::string plain; const char* name; std::vector<std::string> expected; };
    const std::vector<Case> cases = {
        {"empty line ends the section", "[A]\r\none\r\ntwo\r\n\r\nthree\r\n", "A", {"one", "two"}},
        {"200 characters are cut to 180, then trimmed", "[A]\r\n     " + a190 + "bbbbb\r\n", "A",
         {std::string(175, 'a')}},
        {"60 texts keep 51 and the next section is found", "[A]\r\n" + sixty + "\r\n[B]\r\nb1\r\n",
         "B", {"b1"}},
        {"[Common] is not found in [CommonFrmConi]",
         "[CommonFrmConi]\r\nconi\r\n\r\n[Common]\r\ncommon\r\n", "Common", {"common"}},
        {"Windows-1252 becomes UTF-8", "[A]\r\n90 \xB0\r\n\x80 5\r\n", "A", {"90 \u00B0", "\u20AC 5"}},
    };
    for (const Case& c : cases) {
        TextSection texts;
        ASSERT_TRUE(LoadTextSection(WritePlain(c.plain), c.name, texts).ok) << c.what;
        ASSERT_FALSE(texts.empty()) << c.what;
        EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.end()), c.expected) << c.what;
    }
    TextSection first;  // the 51-text cap
    ASSERT_TRUE(LoadTextSection(WritePlain("[A]\r\n" + sixty), "A", first).ok);
    EXPECT_EQ(first.back() + " " + std::to_string(first.size()), "text 51 52");
}

TEST(SplitAt, CutsAtTheSeparator) {
    std::int16_t at = 1;
    std::string piece;
    EXPECT_TRUE(SplitAt("Open,Save", ",", at, piece));
    EXPECT_EQ(piece + " " + std::to_string(at), "Open 6");
    EXPECT_FALSE(SplitAt(" Open,Save", ",", at = 7, piece));  // a leading blank costs no character
    EXPECT_EQ(piece + " " + std::to_string(at), "Save 11");
}

TEST_F(LanguageFileTest, MenuLinesFillTheRecords) {
    const std::string plain = WritePlain(
        "[MenuFrmIniz]\r\nFile=Open,Save\r\nFile=Exit\r\nView\r\nOptions = Method , Unit\r\n"
        "Long=" + std::string(45, 'L') + "\r\n\r\nOther=Never,Read\r\n");
    LanguageTexts texts;
    ASSERT_TRUE(LoadMenuSection(plain, "MenuFrmIniz", texts).ok);
    ASSERT_EQ(texts.MenuCount, 4);
    const MenuRecord& file = texts.MenuTexts[1];
    EXPECT_EQ(file.Texts[0], "File" + std::string(36, ' '));  // padded to 40
    ASSERT_EQ(file.ItemCount, 3);  // a repeated title continues its menu
    EXPECT_EQ(Trimmed(file.Texts[3]), "Exit");
    EXPECT_EQ(texts.MenuTexts[2].ItemCount, 0);
    EXPECT_EQ(Trimmed(texts.MenuTexts[3].Texts[0]), "Options");
    EXPECT_EQ(Trimmed(texts.MenuTexts[3].Texts[2]), "Unit");
    EXPECT_EQ(texts.MenuTexts[4].Texts[1], std::string(40, 'L'));  // cut at 40

    // Past 20 menus or 20 items (also over continuation lines): an access error.
    std::string menus;
    for (int i = 1; i <= 21; ++i) menus += "M" + std::to_string(i) + "=x\r\n";
    const std::string items = "Big=1,2,3,4,5,6,7,8,9,10\r\nBig=11,12,13,14,15,16,17,18,19,20,21\r\n";
    for (const std::string& body : {menus, items}) {
        const std::string bad = WritePlain("[MenuFrmIniz]\r\n" + body);
        LanguageTexts fresh;
        EXPECT_EQ(LoadMenuSection(bad, "MenuFrmIniz", fresh).prompt, bad + ": Error accessing File!");
    }
}

// The shipped language test reads back what the encoder wrote; here only
// lines that do not fit a record, refused by number.
TEST(EncodeLanguageLines, RefusesLinesThatDoNotFitARecord) {
    std::string stored = "x";
    for (const std::string& bad : {std::string(110, 'x'), std::string("quote ") + Mark, std::string("a\r\nb")}) {
        int badLine = 0;
        EXPECT_FALSE(EncodeLanguageLines({"ok", bad}, stored, &badLine));
        EXPECT_EQ(badLine, 2);
        EXPECT_TRUE(stored.empty());
    }
}

// Sets an environment variable for one scope (nullptr: unset).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_) saved_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { had_ ? setenv(name_, saved_.c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    bool had_ = false;
    std::string saved_;
};

TEST_F(LanguageFileTest, TempFileGoesWhereItCanBeWritten) {
    dir.Write("velm@@.lng", "an old plain file");
    EXPECT_EQ(CreateLanguageTempFile(dir.Path()), Path("velm@@.lng"));
    EXPECT_EQ(dir.Read("velm@@.lng"), "");
    fs::create_directories(Path("runtime"));
    ScopedEnv runtime("XDG_RUNTIME_DIR", Path("runtime").c_str());
    EXPECT_EQ(CreateLanguageTempFile(Path("missing")), Path("runtime/velm@@.lng"));
}

// The shared temporary folder: anybody may plant a link there under a name
// the program would use; it must never write through one.
TEST_F(LanguageFileTest, PlantedLinksAreNeverFollowed) {
    ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    fs::create_directories(Path("tmp"));
    ScopedEnv tmpdir("TMPDIR", Path("tmp").c_str());
    dir.Write("victim", "precious");
    dir.Write("VELM.lng", Record(std::string("[Common]") + Mark));
    for (const std::string& planted : {std::string("velm@@.lng"), "velm@@-" + std::to_string(::getuid()) + ".lng"})
        fs::create_symlink(Path("victim"), Path("tmp/" + planted));

    const std::string first = CreateLanguageTempFile(Path("missing"));
    const std::string second = CreateLanguageTempFile(Path("missing"));
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);  // a name nobody can foresee
    for (const std::string& path : {first, second}) {
        EXPECT_EQ(fs::path(path).parent_path(), fs::path(Path("tmp")));
        EXPECT_FALSE(fs::is_symlink(path)) << path;
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    }
    EXPECT_TRUE(DecodeLanguageFile(Path("VELM.lng"), first).ok);
    EXPECT_EQ(dir.Read(fs::path(first).lexically_relative(dir.Path()).string()), "[Common]\r\n");

    // A link put in the plain file's place is refused, not written through.
    fs::remove(first);
    fs::create_symlink(Path("victim"), first);
    EXPECT_FALSE(DecodeLanguageFile(Path("VELM.lng"), first).ok);
    EXPECT_EQ(dir.Read("victim"), "precious");
}

}  // namespace
}  // namespace velm
