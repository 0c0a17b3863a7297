#pragma once
// The conical elbow windows' own texts (FrmCuConica1 to 3).
#include "elbows/windows/elbow_window_texts.h"

namespace velm {

constexpr TextId TextConeElbowData{LangCommonFrmCurvaConica, 1};
constexpr TextId TextConnectionLength{LangCommonFrmCurvaConica, 8};
constexpr TextId TextConicalEndPieces{LangCommonFrmCurvaConica, 13};
constexpr TextId TextCylindricalEndPieces{LangCommonFrmCurvaConica, 14};
constexpr TextId TextStartConnection{LangCommonFrmCurvaConica, 15};
constexpr TextId TextEndConnection{LangCommonFrmCurvaConica, 16};
constexpr TextId TextConnectionCut{LangCommonFrmCurvaConica, 19};
constexpr TextId TextEndPieces{LangCommonFrmCurvaConica, 20};
constexpr TextId TextConicalConnection{LangCommonFrmCurvaConica, 21};
constexpr TextId TextCylindricalConnection{LangCommonFrmCurvaConica, 22};
constexpr TextId TextConnectionData{LangCommonFrmCurvaConica, 23};

}  // namespace velm
