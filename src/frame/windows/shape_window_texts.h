#pragma once
// The cylinder and frustum window design's own texts (ShapeWindow).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextPreviewButton{LangCommon, 4};
constexpr TextId TextInputView{LangCommon, 11};     // after the title in the input view
constexpr TextId TextMoveWeldSeam{LangCommon, 18};
constexpr TextId TextUpperEdgeDifference{LangCommonFrmConi, 15};
constexpr TextId TextLowerEdgeDifference{LangCommonFrmConi, 16};

// The design's own buttons, result view and hints (ShapeWindowDesign's
// defaults); the frustum windows name theirs beside them.
constexpr TextId TextApplyButton{LangCommon, 14};
constexpr TextId TextDevelopButton{LangCommon, 15};
constexpr TextId TextModifyButton{LangCommon, 16};
constexpr TextId TextResultView{LangCommon, 13};
constexpr TextId TextApplyHint{LangHelp, 30};
constexpr TextId TextDevelopHint{LangHelp, 3};
constexpr TextId TextModifyHint{LangHelp, 4};
constexpr TextId TextPreviewHint{LangHelp, 5};
constexpr TextId TextWeldHint{LangHelp, 41};
constexpr TextId TextFirstArcHint{LangHelp, 37};   // LblArco(0); LblArco(1) the next
constexpr TextId TextFirstSideHint{LangHelp, 39};  // LblDiffLato(0); LblDiffLato(1) the next

}  // namespace velm
