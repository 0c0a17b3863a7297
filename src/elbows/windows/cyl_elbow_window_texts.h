#pragma once
// The cylindrical elbow window's own texts (FrmCuCilindri).
#include "elbows/windows/elbow_window_texts.h"

namespace velm {

constexpr TextId TextCylElbowTitle{LangFrmCuCil, 1};
constexpr TextId TextCylElbowData{LangCommonFrmCurvaCili, 1};
constexpr TextId TextElbowThickness{LangCommonFrmCurvaCili, 2};
constexpr TextId TextElbowInnerDiameter{LangCommonFrmCurvaCili, 3};
constexpr TextId TextElbowStartCut{LangCommonFrmCurvaCili, 4};
constexpr TextId TextElbowEndCut{LangCommonFrmCurvaCili, 5};
constexpr TextId TextElbowBendAngle{LangCommonFrmCurvaCili, 6};
constexpr TextId TextElbowAxisLength{LangCommonFrmCurvaCili, 7};
constexpr TextId TextElbowBendRadius{LangCommonFrmCurvaCili, 8};
constexpr TextId TextElbowPieces{LangCommonFrmCurvaCili, 9};
constexpr TextId TextElbowOuterDiameter{LangCommonFrmCurvaCili, 11};

}  // namespace velm
