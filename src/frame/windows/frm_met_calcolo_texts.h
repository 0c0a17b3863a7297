#pragma once
// The calculation-method dialog's own texts (FrmMetCalcolo).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextMethodTitle{LangFrmMetCa, 1};
constexpr TextId TextMeanFibre{LangFrmMetCa, 3};
constexpr TextId TextMethodExample{LangFrmMetCa, 5};
constexpr TextId TextAngleStep{LangFrmMetCa, 6};
constexpr TextId TextAngleStepHint{LangFrmMetCa, 7};
constexpr TextId TextFibreFrame{LangFrmMetCa, 8};
constexpr TextId TextDiametersFrame{LangFrmMetCa, 9};
constexpr TextId TextInnerFibreNote{LangFrmMetCa, 10};  // "Di"
constexpr TextId TextMeanFibreNote{LangFrmMetCa, 11};
constexpr TextId TextOuterFibreNote{LangFrmMetCa, 12};

}  // namespace velm
