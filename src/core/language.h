#pragma once
// Language texts: the 30 numbered text sections and the menu records, read
// from the decoded language file at start-up and only read afterwards.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velm {

// The sections, in the order in which they are loaded.
enum TextSectionId : int {
    LangCommon, LangCommonFrmConi, LangCommonFrmCili, LangCommonFrmCurvaCili,
    LangCommonFrmCurvaConica, LangAboutBox, LangFrmIniziale, LangFrmDati, LangFrmCoRe,
    LangFrmCiRe, LangFrmCoTS, LangFrmCiTS, LangFrmCoTI, LangFrmCoCon, LangFrmCiCon,
    LangFrmCoDis, LangFrmCiDis, LangFrmConi, LangFrmCili, LangFrmCuCil, LangFrmCuCon2,
    LangFrmAntep, LangFrmMetCa, LangFrmUnMis, LangFrmTaratura, LangHelp, LangErrore,
    LangFrmTabella, LangMsgbox, LangToolTip,
    TextSectionCount
};

// The section's name in the language file, without brackets ("Common", "Errore" ...).
const char* TextSectionName(TextSectionId id);

// Element k (from 1) is text k; element 0 is never filled.
using TextSection = std::vector<std::string>;

struct MenuRecord {
    std::array<std::string, 21> Texts;  // title, then items 1 to 20; each padded to 40
    std::int16_t ItemCount = 0;
};

struct LanguageTexts {
    std::array<TextSection, TextSectionCount> Sections;
    std::array<MenuRecord, 21> MenuTexts;  // records 1 to 20
    std::int16_t MenuCount = 0;
};

// The texts of the running program.
LanguageTexts& Language();

// Text `number` of a section; the empty text when the section does not hold it.
const std::string& Txt(TextSectionId section, int number);

}  // namespace velm
