#pragma once
// The cylinder and frustum window design's own texts (ShapeWindow).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextPreviewButton{LangCommon, 4};
constexpr TextId TextInputView{LangCommon, 11};     // after the title in the input view
constexpr TextId TextMoveWeldSeam{LangCommon, 18};
constexpr TextId TextUpperEdgeDifference{LangCommonFrmConi, 15};
constexpr TextId TextLowerEdgeDifference{LangCommonFrmConi, 16};

}  // namespace velm
