#include "core/language.h"

namespace velm {

const char* TextSectionName(TextSectionId id) {
    static const char* const names[TextSectionCount] = {
        "Common", "CommonFrmConi", "CommonFrmCili", "CommonFrmCurvaCili", "CommonFrmCurvaConica",
        "AboutBox", "FrmIniziale", "FrmDati", "FrmCoRe", "FrmCiRe", "FrmCoTS", "FrmCiTS",
        "FrmCoTI", "FrmCoCon", "FrmCiCon", "FrmCoDis", "FrmCiDis", "FrmConi", "FrmCili",
        "FrmCuCil", "FrmCuCon2", "FrmAntep", "FrmMetCa", "FrmUnMis", "FrmTaratura", "Help",
        "Errore", "FrmTabella", "Msgbox", "ToolTip"};
    return (id >= 0 && id < TextSectionCount) ? names[id] : "";
}

LanguageTexts& Language() {
    static LanguageTexts texts;
    return texts;
}

const std::string& Txt(TextSectionId section, int number) {
    static const std::string empty;
    if (section < 0 || section >= TextSectionCount) return empty;
    const TextSection& s = Language().Sections[section];
    if (number < 1 || number >= static_cast<int>(s.size())) return empty;
    return s[number];
}

}  // namespace velm
