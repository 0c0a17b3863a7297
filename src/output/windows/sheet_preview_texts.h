#pragma once
// The sheet previews' own texts (FrmAnteprima, FrmAnteprimaCilindri).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextPreviewTitle{LangFrmAntep, 1};
constexpr TextId TextSheet{LangFrmAntep, 2};
constexpr TextId TextWholeDevelopment{LangFrmAntep, 3};
constexpr TextId TextSheetFrustumDevelopment{LangFrmAntep, 9};
constexpr TextId TextSheetFrustumData{LangFrmAntep, 10};
constexpr TextId TextSheetCylinderDevelopment{LangFrmAntep, 11};
constexpr TextId TextSheetCylinderData{LangFrmAntep, 12};
constexpr TextId TextPrintOnSheet{LangFrmAntep, 8};
constexpr TextId TextNotesOnly{LangFrmAntep, 43};
constexpr TextId TextPartToPrint{LangFrmAntep, 48};
constexpr TextId TextLeftHalf{LangFrmAntep, 49};
constexpr TextId TextRightHalf{LangFrmAntep, 50};
constexpr TextId TextTableButton{LangCommon, 6};
constexpr TextId TextPrinterSetupButton{LangCommon, 17};

// Hints.
constexpr TextId TextTableHint{LangHelp, 19};
constexpr TextId TextNotesHint{LangHelp, 20};
constexpr TextId TextDragHint{LangHelp, 21};
constexpr TextId TextPrinterSetupHint{LangHelp, 24};
constexpr TextId TextPrintSheetHint{LangHelp, 25};

}  // namespace velm
