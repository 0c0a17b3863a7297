#pragma once
// Which piece of a drawn elbow lies under a picture point: the elbow stands
// over its bend centre, start on the left, so the pieces follow one another
// by the angle of the point around that centre. Shared by the elbow windows.
#include <cstdint>
#include <optional>

namespace velm {

// The angle of (x, y) around the centre (cx, cy), measured in the picture
// (y grows downwards) from 0 at the left horizontal through 1.5708 straight
// above to pi at the right horizontal; nothing on or below the centre's
// horizontal line, the centre itself included. The arccosine is taken as
// atan(-c / sqrt(1 - c^2)) + 1.5708, with c clamped to 0..1.
std::optional<float> AngleAboveCentre(float x, float y, float cx, float cy);

// The piece (1 to n) whose sector holds theta when the first piece's sector
// ends at `firstEnd`, the last piece's begins at `lastStart` and the pieces
// between are `step` wide from firstEnd on. Each boundary is rounded to
// single precision before it is compared; a point on a boundary belongs to
// the higher-numbered piece; before the first boundary is piece 1, beyond
// the last is piece n. 0 for n below 1.
std::int16_t PieceBySector(float theta, double firstEnd, double lastStart, double step, std::int16_t n);

// The cylindrical elbow: n pieces over the bend angle (radians), the first
// and last half pieces. 0 for no piece (on or below the centre line, fewer
// than two pieces, a bend that is not a number).
std::int16_t CylElbowPieceAt(float x, float y, float cx, float cy, std::int16_t n, float bend);

}  // namespace velm
