#pragma once
// The segmented conical elbows: a frustum bent about a bend centre and cut
// by radial planes into pieces, each developed as a cut frustum (or, at the
// ends, as a cut cylinder).
// Checks and computations return the number of their error text (LangErrore),
// 0 when accepted; they show nothing.
#include <cstdint>

#include "core/development_checks.h"
#include "core/last_elbow.h"
#include "core/working_state.h"
#include "elbows/elbow_inputs.h"

namespace velm {

// The three layouts, numbered as their shape codes follow the cylindrical
// elbow's (ShapeCuCilindri + layout).
enum class ConeElbowLayout : int {
    HalfEndPieces = 1,       // FrmCuConica1: half pieces at both ends, cylindrical ones on request
    EqualPieces = 2,         // FrmCuConica2: n full conical pieces
    BetweenConnections = 3,  // FrmCuConica3: n full pieces between two end connections
};

// Thickness (2), small diameter (24) and large diameter (25) when
// checkDiameters, axis length (7): the first that is zero.
int CheckConeElbowInput(const ConeElbowArray& data, bool checkDiameters);

// One end connection, the start one (26, 28, 27) or the end one (29, 31, 30):
// diameter, length, then the second diameter of a conical connection.
int CheckEndConnection(const EndConnection& connection, bool start);
// The same on the array's record from element `base` + 1: base 0 the start
// record, otherwise the end one.
int CheckConeElbowTransitions(const EndConnectionArray& connections, int base);

// A cone built for the elbow: the side steeper than the first cut (15) and
// than the second cut's size (16), an apex angle not above 90 degrees (46,
// the elbows' own limit) and not below 0.1 degree (17). elbowError is 1
// after a failure, 0 after a pass. Angles in radians; a value that is not a
// number fails.
int CheckConeElbowAngle(float baseAngle, float firstCut, float secondCut, float apexAngle,
                        std::int16_t& elbowError);

// 22 when a piece failed (flag not 0), else 0.
int CheckNonZero(std::int16_t flag);

// What a computation of the elbow gives besides the elbow: the number of
// its error text, 0 when accepted, and then the body cone's apex angle in
// degrees.
struct ConeElbowOutcome {
    int Message = 0;
    float ApexDegrees = 0;
};

// Computes the elbow of `layout` from ConeElbowData, the end connections
// (between end connections) and cylindricalEnds (half end pieces) into
// `out`. Refuses, with ElbowError set and before computing: a
// piece count that is not whole in 3 to 50 (the range text), a bend angle
// outside 10 to 180 degrees or a bend radius below its limit (22), a value
// that is not a number (22); then, in their order, the connections (20, 21;
// 44, 45 for a conical one narrowing from the elbow's start towards its
// end), a body cut of 89.9 degrees or more (equal pieces: 15, 16), a body
// cone that does not exist (17 when the large end is not the wider one, else
// 46), the cones' angle checks, a bend radius that puts a piece at or past
// the bend centre (48, with out.LeastBendRadius the least radius, to the
// boxes' decimals and within the box's limit, with which the elbow is
// accepted and every piece drawn as a simple outline, the axis length
// following it as L = R A, also once the unit is switched; 49 when no such
// radius exists), and a piece that cannot be built (22). A body cone refused as too sharp while its small end
// is the wider gives 42 (d not smaller than D), between end connections 43.
ConeElbowOutcome ComputeConeElbow(ConeElbowLayout layout, const ConeElbowArray& data,
                                  const EndConnectionArray& connections, bool cylindricalEnds,
                                  const DevelopmentSettings& settings, LastElbow& out);

}  // namespace velm
