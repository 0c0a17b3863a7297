#pragma once
// The entities of a drawing file and the writers of each shape's outline.
// Everything sits on layer "0" at Z = 0; coordinates are model units.
#include "cones/cone_outline.h"
#include "cylinders/cylinder_outline.h"
#include "output/dxf_text.h"

namespace velm {

// A coordinate: a computed number line, or a template's fixed zero, which is
// written as an integer line.
struct DxfValue {
    DxfValue(double value) : Value(value) {}  // NOLINT: a number converts
    static DxfValue FixedZero() {
        DxfValue v(0);
        v.Fixed = true;
        return v;
    }
    double Value;
    bool Fixed = false;
};

void WriteDxfEntitiesHeader(DxfOut& out);
void WriteDxfTrailer(DxfOut& out);

void WriteDxfLine(DxfOut& out, DxfValue x1, DxfValue y1, DxfValue x2, DxfValue y2);
// Counter-clockwise from start to end, degrees, written with every digit
// of a double: on a radius of many metres a seventh digit of the angle
// moves the arc's end by hundredths of a millimetre.
void WriteDxfArc(DxfOut& out, DxfValue cx, DxfValue cy, double radius, double start, double end);
// The polyline's own point; a closed one carries group 70.
void WriteDxfPolylineHeader(DxfOut& out, DxfValue x, DxfValue y, bool closed);
void WriteDxfVertex(DxfOut& out, DxfValue x, DxfValue y);
void WriteDxfSeqend(DxfOut& out);

// Right cylinder: the plate L x H as four lines from the origin.
void WriteDxfRectangle(DxfOut& out, double developedLength, float hmax);
// A cut cylinder or cylindrical piece as one closed polyline, every y
// lowered by offset. The straight edge is chosen by which cut is zero.
void WriteDxfCutCurvePolyline(DxfOut& out, const CylinderOutline& o, float bottomCut, float topCut, double offset);

// The lowest and highest y that the two writers below put down at offset 0.
// Their outlines are straight between vertices, so these are the extremes
// of the whole outline.
struct DxfYRange {
    double Bottom = 0;
    double Top = 0;
};
DxfYRange DxfCutCurveYRange(const CylinderOutline& o, float bottomCut, float topCut);
DxfYRange DxfFrustumPieceYRange(const ConeOutline& o);

// Right frustum: a whole file (header, two seams, two arcs, trailer).
void WriteDxfConeSectorFile(DxfOut& out, const ConeOutline& o);
// Frustum cut at the top: seams from the tables' entry 0, the upper edge,
// the arc of the lower end.
void WriteDxfConeCutTop(DxfOut& out, const ConeOutline& o);
// Frustum cut at the bottom: the arc of the upper end, the lower edge.
void WriteDxfConeCutBottom(DxfOut& out, const ConeOutline& o);
// Frustum cut at both ends or a conical piece: seams from the radii and both
// edges, the apex lowered to (0, -offset).
void WriteDxfFrustumPiece(DxfOut& out, const ConeOutline& o, double offset);

}  // namespace velm
