// Build step: turns the plain language text (UTF-8, one text per line) into
// the scrambled VELM.lng that the program decodes at start-up.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "core/language_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: velm_lngpack plain.txt VELM.lng\n";
        return 2;
    }
    const std::string source = argv[1];
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::cerr << source << ": cannot be read\n";
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

    const std::vector<std::string> utf8Lines = velm::SplitTextLines(text);
    std::vector<std::string> lines;
    bool ok = true;
    for (std::size_t i = 0; i < utf8Lines.size(); ++i) {
        std::string cp1252;
        if (!velm::Utf8ToCp1252(utf8Lines[i], cp1252)) {
            std::cerr << source << ":" << i + 1 << ": a character that Windows-1252 cannot hold\n";
            ok = false;
        } else if (cp1252.size() >= static_cast<std::size_t>(velm::LanguageRecordLength)) {
            std::cerr << source << ":" << i + 1 << ": longer than "
                      << velm::LanguageRecordLength - 1 << " bytes\n";
            ok = false;
        } else if (cp1252.find(static_cast<char>(velm::LanguageEndMark)) != std::string::npos) {
            std::cerr << source << ":" << i + 1
                      << ": holds the end mark (a left single quotation mark)\n";
            ok = false;
        }
        lines.push_back(std::move(cp1252));
    }
    std::string stored;
    int badLine = 0;
    if (ok && !velm::EncodeLanguageLines(lines, stored, &badLine)) {
        std::cerr << source << ":" << badLine << ": does not fit a record\n";
        ok = false;
    }
    if (!ok) return 1;

    // Written beside the target and moved in place, so that a failed build leaves no half file.
    const std::string target = argv[2];
    const std::string partial = target + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << stored;
        if (!out) {
            std::cerr << partial << ": cannot be written\n";
            return 1;
        }
    }
    std::error_code ec;
    std::filesystem::rename(partial, target, ec);
    if (ec) {
        std::cerr << target << ": " << ec.message() << "\n";
        std::filesystem::remove(partial, ec);
        return 1;
    }
    return 0;
}
