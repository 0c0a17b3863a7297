#pragma once
// The flat pattern of a cylinder as values: x along the developed width from
// the seam (0) to L, y up the plate from the lowest point of the bottom edge.
#include <vector>

#include "geometry/cylinder_geometry.h"
#include "geometry/outline.h"

namespace velm {

struct CylinderOutline {
    int Steps = 0;        // N, the whole turn's last entry; 0 for no outline
    double Length = 0;    // L, DevelopedLength
    float Height = 0;     // Hmax, the plate's height
    // Point i belongs to table entry i, the generatrix i * angleStep degrees
    // from the seam: x(i) = ((i * L) / 360) * angleStep, y the edge's height.
    std::vector<OutlinePoint> Upper;
    std::vector<OutlinePoint> Lower;
    // The seam edges at x = 0 and x = L, from the lower edge up to the upper
    // edge (entry 0 stands for 360 degrees as well).
    OutlineSegment LeftSeam;
    OutlineSegment RightSeam;
    // The generatrix at 180 degrees, x = L / 2, from 0 to Hmax.
    OutlineSegment MiddleLine;

    bool Empty() const { return Steps == 0; }
};

// Empty for a step the tables cannot hold, or results without a finite
// plate (no width, no height, a table entry that is not a number).
CylinderOutline CylinderOutlineOf(const CylinderResults& r, float angleStep);

}  // namespace velm
