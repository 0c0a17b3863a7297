#pragma once
// The cylinder windows' own texts (FrmCiRe and its variants).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextCylinderData{LangCommonFrmCili, 1};
constexpr TextId TextCylThickness{LangCommonFrmCili, 2};
constexpr TextId TextCylSketchDiameter{LangCommonFrmCili, 3};
constexpr TextId TextCylAxisLength{LangCommonFrmCili, 4};
constexpr TextId TextCylUpperCut{LangCommonFrmCili, 5};
constexpr TextId TextCylLowerCut{LangCommonFrmCili, 6};
constexpr TextId TextCylSketchAxisLength{LangCommonFrmCili, 7};
constexpr TextId TextCylOuterDiameter{LangCommonFrmCili, 9};
constexpr TextId TextCylInnerDiameter{LangCommonFrmCili, 10};

}  // namespace velm
