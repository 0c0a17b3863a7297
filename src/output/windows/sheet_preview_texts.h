#pragma once
// The sheet previews' own texts (FrmAnteprima, FrmAnteprimaCilindri).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextPreviewTitle{LangFrmAntep, 1};
constexpr TextId TextSheet{LangFrmAntep, 2};
constexpr TextId TextWholeDevelopment{LangFrmAntep, 3};
constexpr TextId TextPrintOnSheet{LangFrmAntep, 8};
constexpr TextId TextNotesOnly{LangFrmAntep, 43};
constexpr TextId TextPartToPrint{LangFrmAntep, 48};
constexpr TextId TextLeftHalf{LangFrmAntep, 49};
constexpr TextId TextRightHalf{LangFrmAntep, 50};
constexpr TextId TextTableButton{LangCommon, 6};
constexpr TextId TextPrinterSetupButton{LangCommon, 17};

}  // namespace velm
