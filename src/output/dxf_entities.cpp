#include "output/dxf_entities.h"

#include <algorithm>
#include <cstddef>

namespace velm {

namespace {

void Put(DxfOut& out, DxfValue v) {
    if (v.Fixed)
        out.Integer(0);
    else
        out.Number(v.Value);
}

void EntityStart(DxfOut& out, const char* name) {
    out.Code(0);
    out.Text(name);
    out.Code(8);
    out.Text("0");
}

void PointAndZ(DxfOut& out, DxfValue x, DxfValue y) {
    out.Code(10);
    Put(out, x);
    out.Code(20);
    Put(out, y);
    out.Code(30);
    out.Integer(0);
}

// The arc of an uncut end about the apex, from the left seam to the right
// one at 270 -+ h: the angles in double from the same half angle as the
// seams' ends, so that the arc's ends fall on them.
void SectorArc(DxfOut& out, DxfValue cx, DxfValue cy, double radius, const ConeOutline& o) {
    const double h = o.HalfAngle;
    WriteDxfArc(out, cx, cy, radius, 270 - h, 270 + h);
}

}  // namespace

void WriteDxfEntitiesHeader(DxfOut& out) {
    out.Code(0);
    out.Text("SECTION");
    out.Code(2);
    out.Text("ENTITIES");
}

void WriteDxfTrailer(DxfOut& out) {
    out.Code(0);
    out.Text("ENDSEC");
    out.Code(0);
    out.Text("EOF");
}

void WriteDxfLine(DxfOut& out, DxfValue x1, DxfValue y1, DxfValue x2, DxfValue y2) {
    EntityStart(out, "LINE");
    PointAndZ(out, x1, y1);
    out.Code(11);
    Put(out, x2);
    out.Code(21);
    Put(out, y2);
    out.Code(31);
    out.Integer(0);
}

void WriteDxfArc(DxfOut& out, DxfValue cx, DxfValue cy, double radius, double start, double end) {
    EntityStart(out, "ARC");
    PointAndZ(out, cx, cy);
    out.Code(40);
    out.Number(radius);
    out.Code(50);
    out.Number(start);
    out.Code(51);
    out.Number(end);
}

void WriteDxfPolylineHeader(DxfOut& out, DxfValue x, DxfValue y, bool closed) {
    EntityStart(out, "POLYLINE");
    out.Code(66);
    out.Integer(1);
    PointAndZ(out, x, y);
    if (closed) {
        out.Code(70);
        out.Integer(1);
    }
}

// The most frequent entity by far: its fixed lines go out in blocks.
void WriteDxfVertex(DxfOut& out, DxfValue x, DxfValue y) {
    out.Lines(" 0 \r\nVERTEX\r\n 8 \r\n0\r\n 10 \r\n");
    Put(out, x);
    out.Lines(" 20 \r\n");
    Put(out, y);
    out.Lines(" 30 \r\n 0 \r\n");
}

void WriteDxfSeqend(DxfOut& out) { EntityStart(out, "SEQEND"); }

void WriteDxfRectangle(DxfOut& out, double developedLength, float hmax) {
    const DxfValue zero = DxfValue::FixedZero();
    const double L = developedLength;
    // The height is written as the single-precision value it is.
    auto lineH = [&](DxfValue x1, bool h1, DxfValue x2, bool h2) {
        EntityStart(out, "LINE");
        out.Code(10);
        Put(out, x1);
        out.Code(20);
        h1 ? out.Single(hmax) : out.Integer(0);
        out.Code(30);
        out.Integer(0);
        out.Code(11);
        Put(out, x2);
        out.Code(21);
        h2 ? out.Single(hmax) : out.Integer(0);
        out.Code(31);
        out.Integer(0);
    };
    lineH(zero, false, L, false);
    lineH(L, false, L, true);
    lineH(L, true, zero, true);
    lineH(zero, true, zero, false);
}

void WriteDxfCutCurvePolyline(DxfOut& out, const CylinderOutline& o, float bottomCut, float topCut, double offset) {
    const DxfValue zero = DxfValue::FixedZero();
    const double L = o.Length;
    const std::size_t n = static_cast<std::size_t>(o.Steps);
    const double upper0 = o.Upper[0].Y - offset;
    if (bottomCut == 0) {  // straight bottom
        WriteDxfPolylineHeader(out, zero, -offset, true);
        WriteDxfVertex(out, zero, -offset);
        for (std::size_t i = 0; i <= n; ++i) WriteDxfVertex(out, o.Upper[i].X, o.Upper[i].Y - offset);
        WriteDxfVertex(out, L, -offset);
    } else if (topCut == 0) {  // straight top
        WriteDxfPolylineHeader(out, zero, -offset, true);
        for (std::size_t i = 0; i <= n; ++i) WriteDxfVertex(out, o.Lower[i].X, o.Lower[i].Y - offset);
        WriteDxfVertex(out, L, upper0);
        WriteDxfVertex(out, zero, upper0);
    } else {
        WriteDxfPolylineHeader(out, o.Upper[0].X, upper0, true);
        for (std::size_t i = 0; i <= n; ++i) WriteDxfVertex(out, o.Upper[i].X, o.Upper[i].Y - offset);
        for (std::size_t i = n + 1; i-- > 0;) WriteDxfVertex(out, o.Lower[i].X, o.Lower[i].Y - offset);
    }
    WriteDxfSeqend(out);
}

void WriteDxfConeSectorFile(DxfOut& out, const ConeOutline& o) {
    const DxfValue zero = DxfValue::FixedZero();
    WriteDxfEntitiesHeader(out);
    WriteDxfLine(out, o.LeftSeam.Outer.X, o.LeftSeam.Outer.Y, o.LeftSeam.Inner.X, o.LeftSeam.Inner.Y);
    SectorArc(out, zero, zero, o.InnerRadius, o);
    WriteDxfLine(out, o.RightSeam.Inner.X, o.RightSeam.Inner.Y, o.RightSeam.Outer.X, o.RightSeam.Outer.Y);
    SectorArc(out, zero, zero, o.OuterRadius, o);
    WriteDxfTrailer(out);
}

void WriteDxfConeCutTop(DxfOut& out, const ConeOutline& o) {
    const SeamEdge& right = o.RightEdgeSeam;
    const SeamEdge& left = o.LeftEdgeSeam;
    WriteDxfLine(out, right.Inner.X, right.Inner.Y, right.Outer.X, right.Outer.Y);
    WriteDxfPolylineHeader(out, right.Outer.X, right.Outer.Y, false);
    for (std::size_t i = o.Upper.size(); i-- > 0;) WriteDxfVertex(out, o.Upper[i].X, o.Upper[i].Y);
    WriteDxfSeqend(out);
    WriteDxfLine(out, left.Outer.X, left.Outer.Y, left.Inner.X, left.Inner.Y);
    // The centre's Y is a computed zero here, X a fixed one.
    SectorArc(out, DxfValue::FixedZero(), 0.0, o.OuterRadius, o);
}

void WriteDxfConeCutBottom(DxfOut& out, const ConeOutline& o) {
    const DxfValue zero = DxfValue::FixedZero();
    const SeamEdge& right = o.RightEdgeSeam;
    const SeamEdge& left = o.LeftEdgeSeam;
    WriteDxfLine(out, left.Inner.X, left.Inner.Y, left.Outer.X, left.Outer.Y);
    SectorArc(out, zero, zero, o.InnerRadius, o);
    WriteDxfLine(out, right.Outer.X, right.Outer.Y, right.Inner.X, right.Inner.Y);
    WriteDxfPolylineHeader(out, right.Outer.X, right.Outer.Y, false);
    for (std::size_t i = o.Lower.size(); i-- > 0;) WriteDxfVertex(out, o.Lower[i].X, o.Lower[i].Y);
    WriteDxfSeqend(out);
}

void WriteDxfFrustumPiece(DxfOut& out, const ConeOutline& o, double offset) {
    const SeamEdge& right = o.RightSeam;
    const SeamEdge& left = o.LeftSeam;
    WriteDxfLine(out, right.Outer.X, right.Outer.Y - offset, right.Inner.X, right.Inner.Y - offset);
    WriteDxfPolylineHeader(out, right.Inner.X, right.Inner.Y - offset, false);
    for (std::size_t i = o.Upper.size(); i-- > 0;) WriteDxfVertex(out, o.Upper[i].X, o.Upper[i].Y - offset);
    WriteDxfSeqend(out);
    WriteDxfLine(out, left.Inner.X, left.Inner.Y - offset, left.Outer.X, left.Outer.Y - offset);
    WriteDxfPolylineHeader(out, left.Outer.X, left.Outer.Y - offset, false);
    for (const SectorPoint& p : o.Lower) WriteDxfVertex(out, p.X, p.Y - offset);
    WriteDxfSeqend(out);
}

namespace {

struct YRangeOf {
    DxfYRange r{1e300, -1e300};
    void Add(double y) {
        r.Bottom = std::min(r.Bottom, y);
        r.Top = std::max(r.Top, y);
    }
    template <typename Points>
    void AddAll(const Points& points) {
        for (const auto& p : points) Add(p.Y);
    }
};

}  // namespace

// The same points as WriteDxfCutCurvePolyline, chosen the same way.
DxfYRange DxfCutCurveYRange(const CylinderOutline& o, float bottomCut, float topCut) {
    YRangeOf y;
    if (bottomCut == 0) {
        y.Add(0);
        y.AddAll(o.Upper);
    } else if (topCut == 0) {
        y.AddAll(o.Lower);
        y.Add(o.Upper[0].Y);
    } else {
        y.AddAll(o.Upper);
        y.AddAll(o.Lower);
    }
    return y.r;
}

// Past a half turn the seams rise beside the apex above both edges.
DxfYRange DxfFrustumPieceYRange(const ConeOutline& o) {
    YRangeOf y;
    for (const SeamEdge* seam : {&o.RightSeam, &o.LeftSeam}) {
        y.Add(seam->Inner.Y);
        y.Add(seam->Outer.Y);
    }
    y.AddAll(o.Upper);
    y.AddAll(o.Lower);
    return y.r;
}

}  // namespace velm
