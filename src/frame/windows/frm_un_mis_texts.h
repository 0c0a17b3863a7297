#pragma once
// The unit dialog's own texts (FrmUnMis).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextUnitTitle{LangFrmUnMis, 1};
constexpr TextId TextMillimetres{LangFrmUnMis, 4};
constexpr TextId TextInches{LangFrmUnMis, 5};

}  // namespace velm
