#pragma once
// The frustum windows' own texts (FrmCoRe and its variants).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextFrustumData{LangCommonFrmConi, 1};
constexpr TextId TextConeThickness{LangCommonFrmConi, 2};
constexpr TextId TextConeSketchUpperDiameter{LangCommonFrmConi, 3};
constexpr TextId TextConeSketchLowerDiameter{LangCommonFrmConi, 4};
constexpr TextId TextConeAxisHeight{LangCommonFrmConi, 5};
constexpr TextId TextConeUpperCut{LangCommonFrmConi, 6};
constexpr TextId TextConeLowerCut{LangCommonFrmConi, 7};
constexpr TextId TextApexAngle{LangCommonFrmConi, 8};
constexpr TextId TextConeSketchAxisHeight{LangCommonFrmConi, 9};
constexpr TextId TextUpperOuterDiameter{LangCommonFrmConi, 17};
constexpr TextId TextLowerOuterDiameter{LangCommonFrmConi, 18};
constexpr TextId TextUpperInnerDiameter{LangCommonFrmConi, 19};
constexpr TextId TextLowerInnerDiameter{LangCommonFrmConi, 20};
constexpr TextId TextFrustumApply{LangCommon, 1};
constexpr TextId TextFrustumDevelop{LangCommon, 2};
constexpr TextId TextFrustumModify{LangCommon, 3};
constexpr TextId TextFrustumResultView{LangCommon, 12};
constexpr TextId TextFrustumApplyHint{LangHelp, 1};
constexpr TextId TextFrustumDevelopHint{LangHelp, 2};

}  // namespace velm
