#pragma once
// The texts that every elbow window shows (ElbowWindow).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextElbowApply{LangCommonFrmCurvaCili, 10};
constexpr TextId TextReplaceFiles{LangCommon, 22};  // "These files exist already. Replace them?"

// Hints.
constexpr TextId TextElbowApplyHint{LangHelp, 1};
constexpr TextId TextPieceRangeHint{LangHelp, 7};

}  // namespace velm
