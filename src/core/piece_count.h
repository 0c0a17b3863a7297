#pragma once
// The piece count of an elbow, which its computation and its export both
// refuse outside 3 to 50, with one text of LangErrore.
#include <cmath>

namespace velm {

// "The number of pieces must be a whole number from 3 to 50."
constexpr int ErrPieceCountRange = 35;

constexpr int ElbowPiecesMin = 3;
constexpr int ElbowPiecesMax = 50;

// 0 for a whole number of pieces from 3 to 50, else the range text.
inline int CheckPieceCount(float n) {
    if (!(n >= ElbowPiecesMin && n <= ElbowPiecesMax) || std::floor(n) != n) return ErrPieceCountRange;
    return 0;
}

}  // namespace velm
