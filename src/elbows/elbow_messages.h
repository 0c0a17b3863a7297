#pragma once
// Error texts (LangErrore) of the elbow checks and computations, and the
// piece-count check that every kind and every caller shares.
#include "core/piece_count.h"  // ErrPieceCountRange, CheckPieceCount

namespace velm {

constexpr int ErrElbowThickness = 2;
constexpr int ErrElbowAxisLength = 7;
constexpr int ErrElbowDiameter = 14;
constexpr int ErrStartCutSteep = 15;
constexpr int ErrEndCutSteep = 16;
constexpr int ErrConeTooSharp = 17;
// The elbows' cones may be flatter than a frustum's: their own limit, 90 degrees.
constexpr int ErrConeTooFlat = 46;
constexpr int ErrStartConnection = 20;
constexpr int ErrEndConnection = 21;
constexpr int ErrConeElbowPiece = 22;
constexpr int ErrCylElbow = 23;
constexpr int ErrSmallDiameter = 24;
constexpr int ErrLargeDiameter = 25;
constexpr int ErrStartConnectionDiameter = 26;
constexpr int ErrStartConnectionSecondDiameter = 27;
constexpr int ErrStartConnectionLength = 28;
constexpr int ErrEndConnectionDiameter = 29;
constexpr int ErrEndConnectionSecondDiameter = 30;
constexpr int ErrEndConnectionLength = 31;
constexpr int ErrBendRadiusTooSmall = 39;
constexpr int ErrEndPiecesTooShort = 40;
// Cones typed the wrong way round: the elbow narrows where it must widen.
constexpr int ErrSmallDiameterNotSmaller = 42;
constexpr int ErrConnectionsNarrowing = 43;
constexpr int ErrStartConnectionNarrowing = 44;
constexpr int ErrEndConnectionNarrowing = 45;
// A conical elbow bent so tight that a piece's inner side reaches the bend
// centre: the text is followed by the least bend radius that clears it.
constexpr int ErrBendRadiusPastCentre = 48;
// The same where no bend radius within the box's limit clears it: no number.
constexpr int ErrNoBendRadiusClearsCentre = 49;

}  // namespace velm
