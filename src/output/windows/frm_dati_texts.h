#pragma once
// The notes window's own texts (FrmDati).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextFrustumNotesTitle{LangFrmDati, 1};
constexpr TextId TextCylinderNotesTitle{LangFrmDati, 2};

}  // namespace velm
