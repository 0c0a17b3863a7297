// Writes the fuzzers' seed corpora with the program's own writers:
//   velm_fuzz_seeds <source folder> <corpus folder>
// Data files of every shape family in both units, older and damaged files,
// number texts, settings files, key sequences and language records.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "core/data_file.h"
#include "core/language_file.h"
#include "core/unit_conversion.h"
#include "core/version.h"
#include "platform/ini_settings_store.h"
#include "core/settings.h"

namespace fs = std::filesystem;
using namespace velm;

namespace {

fs::path g_corpus;

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
    const fs::path folder = g_corpus / target;
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
}


std::string Join(const std::vector<std::string>& lines, std::size_t count, const char* end = "\r\n") {
    std::string out;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i) out += lines[i] + end;
    return out;
}

void DataFiles() {
    const struct {
        const char* name;
        std::int16_t shape;
    } families[] = {{"none", ShapeNone}, {"frustum", ShapeCoRe}, {"frustum-opposite", ShapeCoDiscordi},
                    {"cylinder", ShapeCiRe}, {"cylinder-cut", ShapeCiTaSup}, {"cylindrical-elbow", ShapeCuCilindri},
                    {"conical-elbow", ShapeCuConica1}, {"conical-elbow-3", ShapeCuConica3}};
    for (const auto& f : families) {
        DataFileRecord r;
        r.ShapeCode = f.shape;
        Seed("data_file", std::string("default-") + f.name + ".qvl", WriteDataFileText(r));
    }
    DataFileRecord inches;
    inches.MeasuringSystem = 1;
    inches.ShapeCode = ShapeCiRe;
    ConvertInputUnits(0, inches.Inputs);
    const std::string inchText = WriteDataFileText(inches);
    Seed("data_file", "inches-cylinder.qvl", inchText);

    DataFileRecord r;
    r.ShapeCode = ShapeCoTaSup;
    r.Inputs.CylindricalEnds = "S";
    r.Inputs.CylinderData[4] = -35.5f;
    r.Inputs.ConeData[1] = 0.125f;
    const std::vector<std::string> lines = SplitTextLines(WriteDataFileText(r));
    Seed("data_file", "values.qvl", Join(lines, lines.size()));
    Seed("data_file", "lf-only.qvl", Join(lines, lines.size(), "\n"));
    Seed("data_file", "cr-only.qvl", Join(lines, lines.size(), "\r"));
    Seed("data_file", "no-last-line-end.qvl", Join(lines, lines.size()).substr(0, Join(lines, lines.size()).size() - 2));
    Seed("data_file", "bom.qvl", "\xEF\xBB\xBF" + Join(lines, lines.size()));
    Seed("data_file", "truncated-20.qvl", Join(lines, 20));
    Seed("data_file", "truncated-3.qvl", Join(lines, 3));
    Seed("data_file", "marker-only.qvl", Join(lines, 1));
    Seed("data_file", "empty.qvl", "");

    std::vector<std::string> old = lines;
    old[1] = "\"2.0\"";
    Seed("data_file", "version-2.0.qvl", Join(old, 15));
    std::vector<std::string> oldInches = SplitTextLines(inchText);
    oldInches[1] = "\"2\"";
    Seed("data_file", "version-2-inches.qvl", Join(oldInches, 15));

    auto damaged = [&](const char* name, std::size_t line, const std::string& value) {
        std::vector<std::string> d = lines;
        d[line] = value;
        Seed("data_file", name, Join(d, d.size()));
    };
    damaged("not-a-number.qvl", 11, "abc");
    damaged("nan.qvl", 11, "nan");
    damaged("infinite.qvl", 5, "1e39");
    damaged("huge-diameter.qvl", 11, "1E+30");
    damaged("negative-thickness.qvl", 10, "-.5");
    damaged("exponent.qvl", 10, "1E-07");
    damaged("plus-sign.qvl", 10, "+.3");
    damaged("pieces-fraction.qvl", 22, "4.5");
    damaged("pieces-many.qvl", 22, "1000000");
    damaged("unit-2.qvl", 2, "2");
    damaged("shape-14.qvl", 3, "14");
    damaged("ends-x.qvl", 32, "\"X\"");
    damaged("kind-2.qvl", 33, "2");
    damaged("wrong-marker.qvl", 0, "\"VELN\"");
    damaged("unquoted.qvl", 0, "VELM");
}

void NumberTexts() {
    const char* texts[] = {"12.5", "-.5", ".3", "1E-07", "2.675", "0.005", "-0.004", "1e6", "1e999", "-1e-999",
                           "  +3.0e2xyz", "12,5", "-", ".", "2e", "2e+", "00012.50", "1234.5678",
                           "99999999999999999999999999999999", "0.0000000000000000000000001", "-0"};
    int n = 0;
    for (const char* t : texts) Seed("number_text", "text-" + std::to_string(n++), t);
    const double doubles[] = {0.005, 2.675, -0.004, 1e6, 12.346, 0.0626, 1234.5678, -0.5, 32767.5, -32768.5, 2.5};
    for (const double d : doubles) {
        std::string bytes(sizeof d, '\0');
        std::memcpy(bytes.data(), &d, sizeof d);
        Seed("number_text", "double-" + std::to_string(n++), bytes);
        const float f = static_cast<float>(d);
        std::string fbytes(sizeof f, '\0');
        std::memcpy(fbytes.data(), &f, sizeof f);
        Seed("number_text", "float-" + std::to_string(n++), fbytes);
    }
}

void SettingsTexts() {
    // A file as the program writes it.
    const fs::path folder = fs::temp_directory_path() / "velm-seeds-settings";
    fs::remove_all(folder);
    {
        IniSettingsStore store(folder.string());
        SaveLatoSaldatura(store, -1);
        SaveMeasuringSystem(store, 1);
        SaveComputingSystem(store, 2);
        SaveDiametriExt(store, 1);
        SaveCheckSviluppo(store, 0);
        SaveCheckData(store, 1);
        SaveCheckNote(store, 1);
        SavePrinterSetting(store, "SettingXPrinter", 1.25f);
        SavePrinterSetting(store, "SettingYPrinter", 0.75f);
        SaveScale(store, 3);
        SaveAngleStep(store, 0.25f);
        SaveRecentFile(store, 1, "/home/user/jobs/elbow.qvl");
        SaveRecentFile(store, 2, "/home/user/jobs/Hopper Top.QVL");
        std::ifstream in(store.FilePath(SettingsAppName), std::ios::binary);
        const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        for (int choice = 0; choice < 8; ++choice)
            Seed("settings", "written-" + std::to_string(choice), std::string(1, static_cast<char>(choice * 9)) + written);
    }
    fs::remove_all(folder);
    const char* texts[] = {
        "[System]\nAngleStep=.3\nScale=9\nMeasuringSystem=-1\nSettingXPrinter=1e39\nSettingYPrinter=nan\n",
        "[system]\r\nangleStep = 10 \r\nSCALE=5.5\r\n[OPTIONS]\r\nLatoSaldatura=-1.0\r\nCheckData=1\r\n",
        "[System]\nComputingSystem=99999\nDiametriExt=2\n[Options]\nCheckNote=Not Used\n",
        "[Recent Files]\nRecentFile1=a.qvl\nRecentFile1=b.qvl\n[Recent Files]\nRecentFile3=c=d.qvl\n",
        "; comment\nScale=2\n[System\n]\n=5\n[System]\nScale\n",
        "[System]\nAngleStep=0.25\n\n\n[Options]\nLatoSaldatura=+1\n[System]\nScale=4",
    };
    int n = 0;
    for (const char* t : texts) Seed("settings", "text-" + std::to_string(n), std::string(1, static_cast<char>(n * 37)) + t), ++n;
}

// flags, field, bend-angle text, box text, then (start, length, key) triples.
void KeyCases() {
    auto keys = [](const std::string& typed) {
        std::string ops;
        for (const char c : typed) {
            std::uint8_t code;
            if (c >= '0' && c <= '9') code = static_cast<std::uint8_t>(c - '0');
            else if (c == '.') code = 10;
            else if (c == '-') code = 11;
            else if (c == '<') code = 12;  // Backspace
            else if (c == '>') code = 14;  // Delete
            else code = 17;
            ops += std::string{'\xff', '\0', static_cast<char>(code)};  // at the end of the text
        }
        return ops;
    };
    struct Case {
        const char* name;
        std::uint8_t flags;
        std::int8_t field;
        const char* bend;
        const char* text;
        std::string ops;
    };
    const Case cases[] = {
        {"cylinder-thickness-mm", 0, 0, "", "", keys("2.555")},
        {"cylinder-thickness-inch", 4, 0, "", "", keys(".11811")},
        {"cylinder-diameter", 0, 1, "", "20", keys(".5<<-1")},
        {"frustum-angle", 1, 4, "", "10", keys("5.25>")},
        {"frustum-lower-diameter-ext", 9, 2, "", "", keys("-12")},
        {"elbow-start-cut", 2, 2, "90", "", keys("-12.5")},
        {"elbow-pieces", 2, 8, "90", "2", keys("<5.")},
        {"elbow-axis", 2, 6, "90", "100", keys("00.5")},
        {"elbow-axis-inch", 6, 6, "45", "3.9", keys("99")},
        {"elbow-bend", 2, 5, "", "5", keys("x")},
        {"outside-family", 0, 7, "", "12", keys("-.")},
    };
    for (const Case& c : cases) {
        std::string bytes{static_cast<char>(c.flags), static_cast<char>(c.field)};
        bytes += std::string(c.bend) + "\n" + c.text + "\n" + c.ops;
        Seed("key_filters", c.name, bytes);
    }
    // A selection over the whole text, typed over.
    Seed("key_filters", "select-all", std::string("\x00\x00\n2.5\n\x00\x03\x04\x00\x03\x01", 13));
}

// The language file as decoded records: each line, its end mark, filler.
std::string Records(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        std::string record = line.substr(0, LanguageRecordLength - 1) + static_cast<char>(LanguageEndMark);
        record.resize(LanguageRecordLength, ' ');
        out += record;
    }
    return out;
}

void LanguageRecords(const fs::path& source) {
    std::ifstream in(source / "lang" / "VELM.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> shipped;
    for (const std::string& line : SplitTextLines(text)) {
        std::string cp;
        shipped.push_back(Utf8ToCp1252(line, cp) ? cp : line);
    }
    // Every section with its first texts, and the whole menu section.
    std::vector<std::string> compact;
    int kept = 0;
    bool menu = false;
    for (const std::string& line : shipped) {
        if (!line.empty() && line[0] == '[') {
            kept = 0;
            menu = line == "[MenuFrmIniz]";
            compact.push_back(line);
        } else if (line.empty()) {
            compact.push_back(line);
        } else if (menu || ++kept <= 2) {
            compact.push_back(line);
        }
    }
    Seed("language_file", "compact-shipped", Records(compact));

    std::vector<std::string> many = {"[Common]"};
    for (int i = 1; i <= 60; ++i) many.push_back("Text " + std::to_string(i));
    many.push_back("");
    many.push_back("[CommonFrmConi]");
    many.push_back("Found");
    Seed("language_file", "sixty-texts", Records(many));
    Seed("language_file", "similar-names",
         Records({"[CommonFrmConi]", "Not common", "", "x [Common] y", "  Trimmed  ", "\xE8 \x80 \x91", ""}));
    Seed("language_file", "menus",
         Records({"[MenuFrmIniz]", "File=Open,Save", "File=Exit", "View", "Help=", "  Spaced = a , b ,", "=x", ""}));
    std::vector<std::string> menus = {"[MenuFrmIniz]"};
    for (int m = 1; m <= 21; ++m) menus.push_back("M" + std::to_string(m) + "=a,b");
    Seed("language_file", "menus-21", Records(menus));
    std::string items = "Big=";
    for (int i = 1; i <= 21; ++i) items += "i" + std::to_string(i) + (i < 21 ? "," : "");
    Seed("language_file", "items-21", Records({"[MenuFrmIniz]", items, ""}));
    std::string noMark = Records({"[Common]", "a"});
    noMark[LanguageRecordLength + 1] = ' ';
    Seed("language_file", "record-without-mark", noMark + "short tail");
    Seed("language_file", "empty-line-first", Records({"", "[Common]", "", "x"}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: velm_fuzz_seeds <source folder> <corpus folder>\n";
        return 2;
    }
    g_corpus = argv[2];
    DataFiles();
    NumberTexts();
    SettingsTexts();
    KeyCases();
    LanguageRecords(argv[1]);
    return 0;
}
