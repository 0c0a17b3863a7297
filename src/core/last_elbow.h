#pragma once
// The last computed elbow: its pieces, the faces between them and what the
// side view needs, in piece order. Entry p holds piece p (1 = the first
// piece, at the elbow's start); face 1 is the elbow's start face, face p + 1
// the end of piece p, face K + 1 the elbow's end face. Entries 1 to 53 hold
// n + 2 pieces and n + 3 faces for n = 50; element 0 is unused, as in the
// input arrays.
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace velm {

constexpr int ElbowEntryLast = 53;
using ElbowArray = std::array<float, ElbowEntryLast + 1>;

struct LastElbow {
    std::int16_t ShapeCode = 0;    // 10 to 13, 0 before the first computation
    std::int16_t Pieces = 0;       // n as typed
    std::int16_t PieceCount = 0;   // K: n, or n + 2 between end connections
    float Thickness = 0;
    std::int16_t ThicknessFactor = 1;
    bool StartIsCylindrical = false;  // the first piece develops as a cylinder
    bool EndIsCylindrical = false;    // the last piece develops as a cylinder

    // Per piece, diameters in the typed convention (working minus
    // ThicknessFactor * thickness), cuts in radians.
    ElbowArray PieceDiameter{};       // cylindrical elbow
    ElbowArray PieceSmallDiameter{};  // conical elbows
    ElbowArray PieceLargeDiameter{};
    ElbowArray PieceHeight{};
    ElbowArray PieceAxisLength{};
    ElbowArray PieceStartCut{};
    ElbowArray PieceEndCut{};

    // Face corners in elbow coordinates: origin at the start face's axis
    // point, bend centre at (BendRadius, 0).
    ElbowArray FaceOuterX{};
    ElbowArray FaceOuterY{};
    ElbowArray FaceInnerX{};
    ElbowArray FaceInnerY{};

    float PieceAngle = 0;      // between neighbouring body pieces, radians
    float HalfPieceAngle = 0;
    float StartFaceWidth = 0;
    float EndFaceWidth = 0;
    float BendRadius = 0;
    float AxisLength = 0;
    float Bend = 0;    // bend angle, radians
    float Sweep = 0;   // angle of the drawn elbow: the bend, plus the connections
    std::int16_t ElbowError = 0;
    std::int16_t ElbowIsCylinder = 0;

    // Conical elbows: the body's cone and the half faces the side view draws.
    float ApexAngle = 0;  // full apex angle of the body's cone, radians
    float BaseAngle = 0;
    float StartOuterHalf = 0, StartInnerHalf = 0, EndOuterHalf = 0, EndInnerHalf = 0;
    float StartJointOuter = 0, StartJointInner = 0, EndJointOuter = 0, EndJointInner = 0;
    float StartConnectionChord = 0, StartConnectionAngle = 0;
    float EndConnectionChord = 0, EndConnectionAngle = 0;
    // After a refusal for a bend radius that puts a piece at or past the bend
    // centre: the least bend radius with which the elbow is accepted, in the
    // inputs' unit, to the decimals the boxes show; 0 when none within the
    // box's limit is.
    double LeastBendRadius = 0;

    // Raised by every computation, so that a drawing or an export can tell
    // whether what it holds is still the elbow it was made from.
    std::uint64_t Generation = 0;
};

// Clears `e` for a new computation of `shapeCode` under the next generation.
inline void StartNewElbow(LastElbow& e, std::int16_t shapeCode, bool cylinder, std::int16_t thicknessFactor) {
    const std::uint64_t generation = e.Generation + 1;
    e = LastElbow{};
    e.Generation = generation;
    e.ShapeCode = shapeCode;
    e.ElbowIsCylinder = cylinder ? 1 : 0;
    e.ThicknessFactor = thicknessFactor;
}

// Whether every value a computation filled in, entries 1 to `faces`, is a
// number: a piece that cannot be built shows as one that is not. A
// cylindrical elbow fills in no conical values.
inline bool ElbowValuesFinite(const LastElbow& e, int faces) {
    auto finite = [faces](const ElbowArray& a) {
        for (int i = 1; i <= faces; ++i) {
            if (!std::isfinite(a[i])) return false;
        }
        return true;
    };
    for (const ElbowArray* a : {&e.PieceHeight, &e.PieceAxisLength, &e.PieceStartCut, &e.PieceEndCut,
                                &e.FaceOuterX, &e.FaceOuterY, &e.FaceInnerX, &e.FaceInnerY}) {
        if (!finite(*a)) return false;
    }
    for (float v : {e.PieceAngle, e.StartFaceWidth, e.EndFaceWidth}) {
        if (!std::isfinite(v)) return false;
    }
    if (e.ElbowIsCylinder != 0) return true;
    if (!finite(e.PieceSmallDiameter) || !finite(e.PieceLargeDiameter)) return false;
    for (float v : {e.Sweep, e.ApexAngle, e.StartOuterHalf, e.StartInnerHalf, e.EndOuterHalf, e.EndInnerHalf,
                    e.StartJointOuter, e.StartJointInner, e.EndJointOuter, e.EndJointInner}) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

// One piece as its development takes it.
struct ElbowPiece {
    float Thickness = 0;
    float Diameter = 0;       // a cylindrical piece's
    float SmallDiameter = 0;  // a conical piece's
    float LargeDiameter = 0;
    float Height = 0;
    float AxisLength = 0;
    float StartCut = 0;
    float EndCut = 0;
    bool Cylindrical = false;
};

// Piece p (1 = the first piece, at the elbow's start) of the last elbow;
// false when p is not one of its pieces.
inline bool ElbowPieceOf(const LastElbow& e, int p, ElbowPiece& out) {
    if (e.PieceCount < 1 || e.PieceCount > ElbowEntryLast || p < 1 || p > e.PieceCount) return false;
    out = ElbowPiece{};
    out.Thickness = e.Thickness;
    out.SmallDiameter = e.PieceSmallDiameter[p];
    out.LargeDiameter = e.PieceLargeDiameter[p];
    out.Height = e.PieceHeight[p];
    out.AxisLength = e.PieceAxisLength[p];
    out.StartCut = e.PieceStartCut[p];
    out.EndCut = e.PieceEndCut[p];
    if (e.ElbowIsCylinder != 0) {
        out.Cylindrical = true;
        out.Diameter = e.PieceDiameter[p];
    } else if (p == 1 && e.StartIsCylindrical) {
        out.Cylindrical = true;
        out.Diameter = out.SmallDiameter;
    } else if (p == e.PieceCount && e.EndIsCylindrical) {
        out.Cylindrical = true;
        out.Diameter = out.LargeDiameter;
    }
    return true;
}

}  // namespace velm
