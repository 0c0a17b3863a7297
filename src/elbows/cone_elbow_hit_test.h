#pragma once
// Which piece of a drawn conical elbow lies under a picture point, by the
// point's angle around the drawing centre (the bend centre): the elbow stands
// over the centre, start on the left. The boundaries are rounded to single
// precision before they are compared, and a point on a boundary belongs to
// the higher-numbered piece. Every function is bounded by its piece count
// and answers 0 (no piece) for the centre itself, a count outside 1 to 50 or
// a bend that is not a positive number.
#include <cstdint>

namespace velm {

// FrmCuConica1: n pieces, the first and last half pieces (step bend / (n - 1));
// nothing on or below the centre's horizontal line.
std::int16_t ConeElbow1PieceAt(float x, float y, float cx, float cy, std::int16_t n, float bend);

// FrmCuConica2: n whole pieces (step bend / n); nothing on or below the line.
std::int16_t ConeElbow2PieceAt(float x, float y, float cx, float cy, std::int16_t n, float bend);

// FrmCuConica3: n cone pieces between two connections, pieces 1 to n + 2.
// The connections hang below the ends of the bend: a point below the line
// left of the centre is piece 1, right of it piece n + 2; before the bend's
// start piece 1, beyond its end piece n + 2.
std::int16_t ConeElbow3PieceAt(float x, float y, float cx, float cy, std::int16_t n, float bend);

}  // namespace velm
