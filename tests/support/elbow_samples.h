#pragma once
// The default elbow of each kind, computed, for the drawing tests.
#include <string>

#include "elbows/cone_elbow.h"
#include "elbows/cyl_elbow.h"
#include "support/elbow_cases.h"

namespace velm::elbow_cases {

// kind 0: cylindrical; 1 to 3: the conical variants.
inline LastElbow SampleElbow(int kind, float bendDeg = 90, float n = 5) {
    LastElbow e;
    if (kind == 0) {
        ComputeCylElbow(CylData(0.3f, 25, 10, 10, bendDeg, 100, n), 1, e);
    } else {
        ConeElbowArray data = ConeData(0.3f, 20, 10, 30, 10, bendDeg, 63.662f, n);
        DevelopmentSettings settings;
        ComputeConeElbow(static_cast<ConeElbowLayout>(kind), data, DefaultInputArrays().EndConnections, false,
                         settings, e);
    }
    return e;
}

}  // namespace velm::elbow_cases
