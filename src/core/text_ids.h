#pragma once
// Language-file texts that more than one place shows, by name: each names
// its section and its number there, so that every use reads the same text.
#include "core/language.h"

namespace velm {

struct TextId {
    TextSectionId Section;
    int Number;
};

inline const std::string& Txt(TextId id) { return Txt(id.Section, id.Number); }
// The text `k` places after `first`, where texts follow each other as their controls do.
constexpr TextId TextAfter(TextId first, int k) { return {first.Section, first.Number + k}; }

// Buttons and captions.
constexpr TextId TextPrint{LangCommon, 5};
constexpr TextId TextOk{LangCommon, 7};
constexpr TextId TextClose{LangCommon, 8};
constexpr TextId TextWeldSeam{LangCommon, 19};
constexpr TextId TextPrintToFile{LangCommon, 20};
constexpr TextId TextScale{LangFrmAntep, 42};
constexpr TextId TextOuter{LangFrmMetCa, 2};
constexpr TextId TextUnitMillimetre{LangCommon, 9};   // "Unit: mm"
constexpr TextId TextUnitInch{LangCommon, 10};
constexpr TextId TextMillimetreSymbol{LangFrmUnMis, 2};  // "mm"
constexpr TextId TextInchSymbol{LangFrmUnMis, 3};
constexpr TextId TextConePiece{LangFrmAntep, 40};     // "Cone piece #"
constexpr TextId TextCylinderPiece{LangFrmAntep, 41};
constexpr TextId TextInner{LangFrmMetCa, 4};

// Result and input labels.
constexpr TextId TextCylinderAngle{LangCommonFrmCili, 8};
constexpr TextId TextFrustumAngle{LangCommonFrmConi, 11};
constexpr TextId TextUpperEdgeLength{LangCommonFrmConi, 13};
constexpr TextId TextLowerEdgeLength{LangCommonFrmConi, 14};
constexpr TextId TextLowerCutAngle{LangFrmCoRe, 7};
constexpr TextId TextDistanceFromApex{LangFrmTabella, 3};
constexpr TextId TextEdgeHeight{LangFrmTabella, 7};

// File dialog filters.
constexpr TextId TextFiles{LangFrmIniziale, 2};
constexpr TextId TextAllFiles{LangFrmIniziale, 3};

// Titles.
constexpr TextId TextProgramName{LangMsgbox, 1};
constexpr TextId TextValueTableTitle{LangFrmTabella, 1};
constexpr TextId TextCalibrationTitle{LangFrmTaratura, 1};

// Hints and messages.
constexpr TextId TextBackToShapes{LangHelp, 6};
constexpr TextId TextPieceClickHint{LangHelp, 31};
constexpr TextId TextNoPrinter{LangErrore, 34};
constexpr TextId TextNoPrinterForPreview{LangErrore, 32};
constexpr TextId TextHalfFits{LangMsgbox, 18};

}  // namespace velm
