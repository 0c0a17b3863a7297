#pragma once
// The flat pattern of a frustum as values: a ring sector with its apex at the
// origin, symmetric about the -Y axis and opening downwards. An edge point
// at distance T from the apex and angle a (degrees from the sector's axis,
// positive towards -X) lies at (-T sin a, -T cos a).
#include <vector>

#include "geometry/cone_geometry.h"
#include "geometry/outline.h"

namespace velm {

struct SectorPoint {
    double X = 0;
    double Y = 0;
    double Radius = 0;  // T, the table's distance from the apex
    float Angle = 0;    // a, degrees from the sector's axis
};

// A straight seam edge from the inner (upper) edge to the outer (lower) one.
struct SeamEdge {
    OutlinePoint Inner;
    OutlinePoint Outer;
};

struct ConeOutline {
    int Steps = 0;                // N, the whole turn's last entry; 0 for no outline
    float SectorAngleDeg = 0;     // S
    float HalfAngle = 0;          // h = S / 2
    float SectorAngle = 0;        // S in radians, as the development left it
    double InnerRadius = 0;       // r, ConeInnerRadius
    double OuterRadius = 0;       // R, ConeOuterRadius
    // Point i belongs to table entry i at a(i) = h - ((i * S) / 360) * step:
    // entry 0 on the left seam, entry N on the right one.
    std::vector<SectorPoint> Upper;  // ConeUpperRadii
    std::vector<SectorPoint> Lower;  // ConeLowerRadii
    // The seams from the radii r and R, and from the tables' entry 0.
    SeamEdge LeftSeam, RightSeam;
    SeamEdge LeftEdgeSeam, RightEdgeSeam;
    // The arcs of an uncut end about the apex, from 270 - h to 270 + h.
    OutlineArc InnerArc, OuterArc;
    // The sector's axis from the upper edge's highest point to the lower
    // edge's lowest.
    OutlineSegment MiddleLine;
    // How far below the apex each edge's highest (Min) and lowest (Max) point lies.
    float UpperEdgeMinY = 0, UpperEdgeMaxY = 0, LowerEdgeMinY = 0, LowerEdgeMaxY = 0;

    bool Empty() const { return Steps == 0; }
};

// Empty for a step the tables cannot hold, or results without a finite
// sector (no sector angle, a radius, extreme or table entry that is not a
// number).
ConeOutline ConeOutlineOf(const ConeResults& r, float angleStep);

// The true extent of an outline's points, y up from the apex: the highest
// and lowest point and the largest distance from the sector's axis. Past a
// half turn the seams turn back up beside the apex, so the widest point lies
// on the edges and the top can lie above the apex.
struct SectorExtent {
    double Top = 0;
    double Bottom = 0;
    double HalfWidth = 0;
};
// Zeros for an empty outline.
SectorExtent TrueExtentOf(const ConeOutline& o);

}  // namespace velm
