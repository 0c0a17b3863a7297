#pragma once
// Development of one conical elbow piece: a frustum cut at both ends whose
// enclosing height is the piece's own, so no solver runs.
#include "cones/cone_compute.h"
#include "core/development_checks.h"
#include "core/last_elbow.h"
#include "core/working_state.h"
#include "geometry/cone_geometry.h"

namespace velm {

// Develops the piece into `results`, small end and start cut on top, as a
// frustum of these inputs: thickness, small and large diameter, axis length,
// start and end cut (in degrees and radians). Not Usable (results then zero)
// when the piece cannot be built or gives no finite development; Message
// stays 0. Shows nothing.
DevelopedCone DevelopConePiece(const ElbowPiece& piece, const DevelopmentSettings& settings, ConeResults& results);

}  // namespace velm
