#include "frame/language_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace velm {
namespace {
namespace fs = std::filesystem;

const char Mark = static_cast<char>(LanguageEndMark);

class LanguageFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("velm_lang_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // A stored record made by hand: the text, then what follows it, scrambled.
    static std::string Record(const std::string& decoded) {
        std::string r = decoded;
        r.resize(LanguageRecordLength, 'x');
        return XorStrings(r, LanguageKey());
    }

    // A plain file as the decoder would leave it.
    std::string WritePlain(const std::string& text) {
        const std::string path = Path("plain.lng");
        Write(path, text);
        return path;
    }

    fs::path dir_;
};

TEST_F(LanguageFileTest, XorIsItsOwnInverseAndKeyIsFixed) {
    const std::string& key = LanguageKey();
    ASSERT_EQ(key.size(), 110u);
    EXPECT_EQ(&key, &LanguageKey());
    EXPECT_NE(key, std::string(110, key[0]));  // not one repeated byte

    const std::string data = std::string("Spessore\xB0") + Mark + std::string(100, '\0');
    const std::string scrambled = XorStrings(data, key);
    ASSERT_EQ(scrambled.size(), data.size());
    EXPECT_NE(scrambled, data);
    EXPECT_EQ(XorStrings(scrambled, key), data);
    EXPECT_EQ(static_cast<unsigned char>(XorStrings("\x0F", "\xF0")[0]), 0xFF);
    EXPECT_EQ(XorStrings("abc", ""), "abc");
}

TEST_F(LanguageFileTest, DecodeWritesOneLinePerMarkedRecord) {
    std::string stored;
    stored += Record(std::string("[Common]") + Mark + "filler");
    stored += Record(std::string("Apply") + Mark);
    stored += Record(std::string(1, Mark) + "rest is filler");  // empty line
    stored += Record("no mark anywhere: no line");
    stored += Record(std::string("Angle \xB0") + Mark + "x" + Mark);
    stored += Record(std::string("tail") + Mark).substr(0, 50);  // incomplete: not a record
    Write(Path("VELM.lng"), stored);
    Write(Path("plain.lng"), "an old plain file longer than the new one, to be replaced\r\n");

    const LanguageResult r = DecodeLanguageFile(Path("VELM.lng"), Path("plain.lng"));
    ASSERT_TRUE(r.ok) << r.prompt;
    EXPECT_EQ(Read(Path("plain.lng")), "[Common]\r\nApply\r\n\r\nAngle \xB0\r\n");
}

TEST_F(LanguageFileTest, MissingStoredFileIsReportedAndNotCreated) {
    const LanguageResult r = DecodeLanguageFile(Path("VELM.lng"), Path("plain.lng"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.prompt, Path("VELM.lng") + ": File not Found!");
    EXPECT_FALSE(fs::exists(Path("VELM.lng")));

    LanguageTexts texts;
    const LanguageResult all = LoadLanguage(Path("VELM.lng"), Path("plain.lng"), texts);
    EXPECT_FALSE(all.ok);
    EXPECT_EQ(all.prompt, r.prompt);
}

TEST_F(LanguageFileTest, UnwritablePlainFileIsAFormatError) {
    Write(Path("VELM.lng"), Record(std::string("x") + Mark));
    const LanguageResult r = DecodeLanguageFile(Path("VELM.lng"), Path("no/such/folder/plain.lng"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.prompt, "Language file format error");
}

TEST_F(LanguageFileTest, TextSectionsFollowTheLayoutRules) {
    const std::string a190(190, 'a');
    std::string sixty;
    for (int i = 1; i <= 60; ++i) sixty += "text " + std::to_string(i) + "\r\n";
    struct Case {
        const char* what;
        std::string plain;
        const char* name;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"empty line ends the section", "[A]\r\none\r\ntwo\r\n\r\nthree\r\n", "A", {"one", "two"}},
        {"blank line ends the section", "[A]\r\none\r\n    \r\ntwo\r\n", "A", {"one"}},
        {"end of file ends the section", "[A]\r\none\r\ntwo", "A", {"one", "two"}},
        {"texts are trimmed", "[A]\r\n  padded  \r\n", "A", {"padded"}},
        {"200 characters are cut to 180, then trimmed", "[A]\r\n     " + a190 + "bbbbb\r\n", "A",
         {std::string(175, 'a')}},
        {"60 texts keep 51 and the next section is found", "[A]\r\n" + sixty + "\r\n[B]\r\nb1\r\n",
         "B", {"b1"}},
        {"[Common] is not found in [CommonFrmConi]",
         "[CommonFrmConi]\r\nconi\r\n\r\n[Common]\r\ncommon\r\n", "Common", {"common"}},
        {"a line containing the name matches", "-- [Common] --\r\nhere\r\n", "Common", {"here"}},
        {"name is trimmed for the search", "[A]\r\none\r\n", "  A ", {"one"}},
        {"lone LF and CR end lines too", "[A]\none\rtwo\n\nthree", "A", {"one", "two"}},
        {"Windows-1252 becomes UTF-8", "[A]\r\n90 \xB0\r\n\x80 5\r\n", "A", {"90 \u00B0", "\u20AC 5"}},
        {"a section without texts", "[A]\r\n\r\nx\r\n", "A", {}},
    };
    for (const Case& c : cases) {
        TextSection texts;
        const LanguageResult r = LoadTextSection(WritePlain(c.plain), c.name, texts);
        ASSERT_TRUE(r.ok) << c.what << ": " << r.prompt;
        ASSERT_FALSE(texts.empty()) << c.what;
        EXPECT_EQ(texts[0], "") << c.what;
        EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.end()), c.expected) << c.what;
    }

    TextSection first;
    ASSERT_TRUE(LoadTextSection(WritePlain("[A]\r\n" + sixty), "A", first).ok);
    ASSERT_EQ(first.size(), 52u);
    EXPECT_EQ(first[51], "text 51");
}

TEST_F(LanguageFileTest, SectionFailuresNameThePlainFile) {
    const std::string plain = WritePlain("[Common]\r\nx\r\n");
    TextSection texts{"", "kept"};
    LanguageResult r = LoadTextSection(plain, "Errore", texts);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.prompt, plain + ": [Errore] section not Found!");
    EXPECT_EQ(texts, (TextSection{"", "kept"}));

    r = LoadTextSection(Path("absent.lng"), "Common", texts);
    EXPECT_EQ(r.prompt, Path("absent.lng") + ": File not Found!");

    LanguageTexts all;
    r = LoadAllTextSections(plain, all);
    EXPECT_EQ(r.prompt, plain + ": [CommonFrmConi] section not Found!");  // the second one

    r = LoadMenuSection(plain, "MenuFrmIniz", all);
    EXPECT_EQ(r.prompt, plain + ": [Menu] section not Found!");
    r = LoadMenuSection(Path("absent.lng"), "MenuFrmIniz", all);
    EXPECT_EQ(r.prompt, Path("absent.lng") + ": File not Found!");
}

TEST_F(LanguageFileTest, SplitAtCutsAtTheSeparator) {
    struct Case {
        std::string text;
        std::string separator;
        std::int16_t from;
        std::string piece;
        bool more;
        std::int16_t next;
    };
    const std::vector<Case> cases = {
        {"File=Open", "=", 1, "File", true, 6},
        {"Open,Save", ",", 1, "Open", true, 6},
        {"Open,Save", ",", 6, "Save", false, 10},
        {"File=", "=", 1, "File", false, 6},  // nothing after the separator
        {"File", "=", 1, "File", false, 5},   // no separator
        {"", ",", 1, "", false, 2},
        {" Open,Save", ",", 7, "Save", false, 11},  // a leading blank costs no character
        {"a,b  ", ",", 3, "b", false, 4},           // trailing blanks are not text
    };
    for (const Case& c : cases) {
        std::int16_t position = c.from;
        std::string piece = "stale";
        EXPECT_EQ(SplitAt(c.text, c.separator, position, piece), c.more) << c.text;
        EXPECT_EQ(piece, c.piece) << c.text;
        EXPECT_EQ(position, c.next) << c.text;
    }
}

std::string Trimmed(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

TEST_F(LanguageFileTest, MenuLinesFillTheRecords) {
    const std::string plain = WritePlain(
        "[MenuFrmIniz]\r\n"
        "File=Open,Save\r\n"
        "File=Exit\r\n"
        "View\r\n"
        "Help=\r\n"
        "Options = Method , Unit\r\n"
        "Long=" + std::string(45, 'L') + "\r\n"
        "\r\n"
        "Other=Never,Read\r\n");
    LanguageTexts texts;
    const LanguageResult r = LoadMenuSection(plain, "MenuFrmIniz", texts);
    ASSERT_TRUE(r.ok) << r.prompt;
    ASSERT_EQ(texts.MenuCount, 5);

    const MenuRecord& file = texts.MenuTexts[1];
    EXPECT_EQ(file.Texts[0], "File" + std::string(36, ' '));  // padded to 40
    EXPECT_EQ(file.ItemCount, 3);
    EXPECT_EQ(Trimmed(file.Texts[1]), "Open");
    EXPECT_EQ(Trimmed(file.Texts[2]), "Save");
    EXPECT_EQ(Trimmed(file.Texts[3]), "Exit");

    EXPECT_EQ(Trimmed(texts.MenuTexts[2].Texts[0]), "View");
    EXPECT_EQ(texts.MenuTexts[2].ItemCount, 0);
    EXPECT_EQ(Trimmed(texts.MenuTexts[3].Texts[0]), "Help");
    EXPECT_EQ(texts.MenuTexts[3].ItemCount, 0);

    const MenuRecord& options = texts.MenuTexts[4];
    EXPECT_EQ(Trimmed(options.Texts[0]), "Options");
    ASSERT_EQ(options.ItemCount, 2);
    EXPECT_EQ(Trimmed(options.Texts[1]), "Method");
    EXPECT_EQ(Trimmed(options.Texts[2]), "Unit");

    EXPECT_EQ(texts.MenuTexts[5].Texts[1], std::string(40, 'L'));  // cut at 40
    EXPECT_TRUE(texts.MenuTexts[6].Texts[0].empty());
}

TEST_F(LanguageFileTest, TooManyMenusOrItemsIsAnAccessError) {
    std::string items = "Big=";
    for (int i = 1; i <= 21; ++i) items += (i > 1 ? "," : "") + std::to_string(i);
    std::string menus;
    for (int i = 1; i <= 21; ++i) menus += "M" + std::to_string(i) + "=x\r\n";
    std::string twenty;
    for (int i = 1; i <= 20; ++i) twenty += "M" + std::to_string(i) + "=x\r\n";
    std::string continued = "Big=1,2,3,4,5,6,7,8,9,10\r\nBig=11,12,13,14,15,16,17,18,19,20,21\r\n";

    struct Case {
        const char* what;
        std::string body;
        bool ok;
    };
    const std::vector<Case> cases = {
        {"21 items on one line", items + "\r\n", false},
        {"21 items over two lines", continued, false},
        {"21 menus", menus, false},
        {"20 menus", twenty, true},
    };
    for (const Case& c : cases) {
        const std::string plain = WritePlain("[MenuFrmIniz]\r\n" + c.body);
        LanguageTexts texts;
        const LanguageResult r = LoadMenuSection(plain, "MenuFrmIniz", texts);
        EXPECT_EQ(r.ok, c.ok) << c.what;
        if (!c.ok) {
            EXPECT_EQ(r.prompt, plain + ": Error accessing File!") << c.what;
        }
    }
}

TEST_F(LanguageFileTest, EncodedLinesDecodeAndLoadBack) {
    std::string angle;
    ASSERT_TRUE(Utf8ToCp1252("Angle [\u00B0]", angle));
    const std::vector<std::string> lines = {"[Errore]", "Error", angle, "", "[Msgbox]", "VELM",
                                            std::string(109, 'm')};
    std::string stored;
    ASSERT_TRUE(EncodeLanguageLines(lines, stored));
    EXPECT_EQ(stored.size(), lines.size() * 110);
    EXPECT_EQ(stored.find("Error"), std::string::npos);  // scrambled
    Write(Path("VELM.lng"), stored);

    ASSERT_TRUE(DecodeLanguageFile(Path("VELM.lng"), Path("plain.lng")).ok);
    TextSection errore;
    TextSection msgbox;
    ASSERT_TRUE(LoadTextSection(Path("plain.lng"), "Errore", errore).ok);
    ASSERT_TRUE(LoadTextSection(Path("plain.lng"), "Msgbox", msgbox).ok);
    EXPECT_EQ(errore, (TextSection{"", "Error", "Angle [\u00B0]"}));
    EXPECT_EQ(msgbox, (TextSection{"", "VELM", std::string(109, 'm')}));
}

TEST_F(LanguageFileTest, EncoderRefusesLinesThatDoNotFitARecord) {
    const std::vector<std::vector<std::string>> bad = {
        {"ok", std::string(110, 'x')},
        {"ok", std::string("quote ") + Mark},
        {"ok", "two\r\nlines"},
    };
    for (const auto& lines : bad) {
        std::string stored = "stale";
        int badLine = 0;
        EXPECT_FALSE(EncodeLanguageLines(lines, stored, &badLine));
        EXPECT_EQ(badLine, 2);
        EXPECT_TRUE(stored.empty());
    }
}

TEST_F(LanguageFileTest, Cp1252RoundTripsThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    std::string back;
    ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(all), back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(Cp1252ToUtf8("\x80\x91\x96\xE8"), "\u20AC\u2018\u2013\u00E8");

    for (const std::string bad : {"\u03A9", "\xC3", "\xFF", "\xE2\x82", "\xF0\x9F\x98\x80"}) {
        std::string out;
        EXPECT_FALSE(Utf8ToCp1252(bad, out)) << bad;
    }
}

TEST_F(LanguageFileTest, TempFileGoesWhereItCanBeWritten) {
    EXPECT_EQ(LanguageTempFilePath(dir_.string()), (dir_ / "velm@@.lng").string());

    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old ? old : "";
    const fs::path runtime = dir_ / "runtime";
    fs::create_directories(runtime);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(LanguageTempFilePath((dir_ / "missing").string()), (runtime / "velm@@.lng").string());

    setenv("XDG_RUNTIME_DIR", (dir_ / "missing").c_str(), 1);
    const fs::path fallback = LanguageTempFilePath((dir_ / "missing").string());
    EXPECT_TRUE(fs::equivalent(fallback.parent_path(), fs::temp_directory_path()));
    EXPECT_EQ(fallback.extension(), ".lng");

    if (old) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
}  // namespace velm
