#pragma once
// Development of one cylindrical elbow piece: the piece's own height stands
// for the axis length a cylinder window would give.
#include "core/development_checks.h"
#include "cylinders/cylinder_compute.h"
#include "core/last_elbow.h"
#include "core/working_state.h"
#include "geometry/cylinder_geometry.h"

namespace velm {

// Develops the piece into `results` as a cylinder cut at both ends, the
// start cut on top, of these inputs: thickness, diameter, axis length, start
// and end cut (in degrees and radians). Not Usable (results then hold nothing
// usable) when the piece cannot be built or the step does not fit the tables;
// Message stays 0. Shows nothing.
DevelopedCylinder DevelopCylinderPiece(const ElbowPiece& piece, const DevelopmentSettings& settings,
                                       CylinderResults& results);

}  // namespace velm
