#pragma once
// Development of one cylindrical elbow piece: the piece's own height stands
// for the axis length a cylinder window would give.
#include <cstdint>

#include "core/development_checks.h"
#include "core/last_elbow.h"
#include "core/working_state.h"
#include "geometry/cylinder_geometry.h"

namespace velm {

// Writes the piece into `record` laid out as LastCylinderData (thickness,
// diameter, axis length, start and end cut in degrees, then in radians) and
// develops it into `results` as a cylinder cut at both ends, the start cut on
// top. Returns 1 when the piece cannot be built or the step does not fit the
// tables (results then hold nothing usable), else 0. Shows nothing.
std::int16_t DevelopCylinderPiece(const ElbowPiece& piece, const DevelopmentSettings& settings,
                                  CylinderArray& record, CylinderResults& results);

}  // namespace velm
