#pragma once
// Development of one conical elbow piece: a frustum cut at both ends whose
// enclosing height is the piece's own, so no solver runs.
#include <cstdint>

#include "core/development_checks.h"
#include "core/last_elbow.h"
#include "core/working_state.h"
#include "geometry/cone_geometry.h"

namespace velm {

// Writes the piece into `record` laid out as LastConeData (thickness, small
// and large diameter, axis length, start and end cut in degrees, then in
// radians) and develops it into `results`, small end and start cut on top.
// Returns 1 when the piece cannot be built or gives no finite development
// (results then hold zeros), else 0. Shows nothing.
std::int16_t DevelopConePiece(const ElbowPiece& piece, const DevelopmentSettings& settings, ConeArray& record,
                              ConeResults& results);

}  // namespace velm
