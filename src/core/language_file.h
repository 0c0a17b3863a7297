#pragma once
// The language file: the scrambled VELM.lng beside the program, decoded at
// start-up into a plain temporary file whose sections fill the language
// texts. The plain file is single-byte Windows-1252; texts are kept in
// memory as UTF-8 so that windows can show them.
#include <cstdint>
#include <string>
#include <vector>

#include "core/language.h"

namespace velm {

constexpr int LanguageRecordLength = 110;      // bytes per stored record
constexpr unsigned char LanguageEndMark = 145;  // ends a line's text in its record
constexpr int MaxTextsPerSection = 51;
constexpr int MaxTextLength = 180;
constexpr int MaxMenus = 20;
constexpr int MaxMenuItems = 20;
constexpr int MenuTextWidth = 40;

// The outcome of a language-file step. When ok is false, prompt is the
// message the start-up shows (OK only, program title) before it ends.
struct LanguageResult {
    bool ok = true;
    std::string prompt;
};

// Exclusive-or of each byte of data with the byte of key at the same place
// (key repeats when shorter; an empty key leaves data unchanged).
std::string XorStrings(const std::string& data, const std::string& key);

// The fixed 110-byte key, built by our own generator from a fixed seed.
const std::string& LanguageKey();

// Turns the stored file into the plain file (one line per record that holds
// the end mark, lines ended by CR LF). A missing stored file is reported as
// not found and nothing is created; any other failure is a format error, a
// link in place of the plain file included.
LanguageResult DecodeLanguageFile(const std::string& storedPath, const std::string& plainPath);

// The inverse run: lines (Windows-1252) laid out in records with the end
// mark after each text and scrambled. Fails, naming the first bad line
// (counted from 1) in *badLine, when a line does not fit its record or
// holds the end mark or a line break.
bool EncodeLanguageLines(const std::vector<std::string>& lines, std::string& stored,
                         int* badLine = nullptr);

// Fills one section "[name]" of the plain file. On failure texts is unchanged.
LanguageResult LoadTextSection(const std::string& plainPath, const std::string& name,
                               TextSection& texts);
// The 30 sections in their fixed order; stops at the first failure.
LanguageResult LoadAllTextSections(const std::string& plainPath, LanguageTexts& texts);
// Fills the menu records from "[name]" (lines title=item,item,...).
LanguageResult LoadMenuSection(const std::string& plainPath, const std::string& name,
                               LanguageTexts& texts);

// Decodes the stored file and loads every section and the menu section
// "MenuFrmIniz": the whole language step of the start-up.
LanguageResult LoadLanguage(const std::string& storedPath, const std::string& plainPath,
                            LanguageTexts& texts);

// Tokenizer of the menu lines. position counts from 1 and is moved past the
// separator; piece receives the text before it. True when text follows the
// separator.
bool SplitAt(const std::string& text, const std::string& separator, std::int16_t& position,
             std::string& piece);

// Makes a new, empty plain file and gives back its path (empty when none can
// be made): "velm@@.lng" in the program folder when it is writable, else in
// the per-user runtime folder, an old one there deleted first; else a fresh
// unique name in the shared temporary folder. The file is always created
// exclusively, so a link planted under its name is never followed. The same
// path serves writing, reading and deleting.
std::string CreateLanguageTempFile(const std::string& appDir);

// Windows-1252 <-> UTF-8. Utf8ToCp1252 fails on invalid UTF-8 or on a
// character that the code page cannot hold.
// Splits a text into lines at LF or CRLF; a leading byte-order mark is dropped.
std::vector<std::string> SplitTextLines(std::string text);

std::string Cp1252ToUtf8(const std::string& text);
bool Utf8ToCp1252(const std::string& text, std::string& out);

}  // namespace velm
