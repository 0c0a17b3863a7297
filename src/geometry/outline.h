#pragma once
// The pieces of a flat pattern in model units (millimetres or inches at 1:1,
// y upwards), shared by every family's outline. Each sink (the screen, the
// sheet, the printer, a drawing file) maps them with its own transform.
namespace velm {

struct OutlinePoint {
    double X = 0;
    double Y = 0;
};

struct OutlineSegment {
    OutlinePoint From;
    OutlinePoint To;
};

// A circular arc run counter-clockwise from StartAngle to EndAngle (degrees
// from +X, single precision as the sector angle they come from).
struct OutlineArc {
    OutlinePoint Centre;
    double Radius = 0;
    float StartAngle = 0;
    float EndAngle = 0;
};

// Last table entry of a whole turn: 360 / angleStep rounded, halves to even,
// but never past the entries a development fills (twice HalfTurnIndex).
// -1 for a step the tables cannot hold.
int WholeTurnIndex(float angleStep);

}  // namespace velm
