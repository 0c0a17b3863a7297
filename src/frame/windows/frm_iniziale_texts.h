#pragma once
// The start panel's own texts (frmIniziale). A group caption takes two
// lines, each a text of its own.
#include "core/text_ids.h"

namespace velm {

struct TwoLineText {
    TextId First;
    TextId Second;
};

constexpr TextId TextStartTitle{LangFrmIniziale, 1};
constexpr TextId TextFrustaGroup{LangFrmConi, 1};
constexpr TextId TextCylindersGroup{LangFrmCili, 1};
constexpr TwoLineText TextConeElbowsGroup{{LangFrmIniziale, 5}, {LangFrmIniziale, 6}};
constexpr TwoLineText TextCylElbowGroup{{LangFrmIniziale, 7}, {LangFrmIniziale, 8}};
constexpr TwoLineText TextHalfEndPiecesGroup{{LangFrmIniziale, 9}, {LangFrmIniziale, 10}};
constexpr TwoLineText TextEqualPiecesGroup{{LangFrmIniziale, 11}, {LangFrmIniziale, 12}};
constexpr TwoLineText TextBetweenConnectionsGroup{{LangFrmIniziale, 13}, {LangFrmIniziale, 14}};

}  // namespace velm
