#pragma once
// The segmented cylindrical elbow: n cylinders whose axes form a polygon
// about the bend's axis arc (half pieces at both ends), each cut where it
// meets its neighbour on the plane halving the angle between them.
#include <cstdint>

#include "core/development_checks.h"
#include "core/last_elbow.h"
#include "core/working_state.h"

namespace velm {

// The inputs' zero checks in their order: thickness (2), diameter (14),
// axis length (7); 0 when none is zero.
int CheckCylElbowInput(const CylElbowArray& data);

// Fills `out` with the pieces, faces and piece angles of CylElbowData
// (elements 1, 2, 9, 10, 5, 11, 7, 8). Returns 0, or with ElbowError set:
// the piece-count range text for a count that is not whole in 3 to 50, and 23
// for a bend angle outside 10 to 180 degrees, a bend radius not above half
// the working diameter (refused before computing), or a piece that cannot
// be built.
int ComputeCylElbow(const CylElbowArray& data, std::int16_t thicknessFactor, LastElbow& out);

// The apply after the boxes were read into CylElbowData: the angles in
// radians (elements 9 to 11) from their degrees, the zero checks, the
// angular step the pieces will develop with (41), then ComputeCylElbow into
// `out`. 0 or the error text; a refusal before computing marks `out` refused.
int ApplyCylElbow(CylElbowArray& data, const DevelopmentSettings& settings, LastElbow& out);

}  // namespace velm
