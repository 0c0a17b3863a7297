#include "output/dxf_export.h"

#include "cones/cone_outline.h"
#include "cones/cone_piece.h"
#include "core/development_checks.h"
#include "core/file_names.h"
#include "core/last_elbow.h"
#include "core/piece_count.h"
#include "core/shape_inputs.h"
#include "cylinders/cylinder_outline.h"
#include "cylinders/cylinder_piece.h"
#include "output/dxf_entities.h"
#include "output/dxf_messages.h"
#include "platform/vector_state.h"

namespace velm {

namespace {

// The gap between elbow pieces, in the current unit.
constexpr double PieceGap = 10.0;

// The typed piece count of the current elbow.
float TypedPieceCount(const WorkingState& state) {
    return state.ShapeCode == ShapeCuCilindri ? state.Inputs.CylElbowData[CylElbowPieces]
                                              : state.Inputs.ConeElbowData[ConeElbowPieces];
}

// A piece of the last elbow developed as a cylinder into results of the export's own.
bool CylinderPieceOutline(const ElbowPiece& piece, const DevelopmentSettings& settings, CylinderOutline& o) {
    CylinderResults results;
    DevelopCylinderPiece(piece, settings, results);  // an impossible piece is written as it comes
    o = CylinderOutlineOf(results, settings.AngleStep);
    return !o.Empty();
}

bool ConePieceOutline(const ElbowPiece& piece, const DevelopmentSettings& settings, ConeOutline& o) {
    ConeResults results;
    DevelopConePiece(piece, settings, results);
    o = ConeOutlineOf(results, settings.AngleStep);
    return !o.Empty();
}

// Every piece from the start piece on, each 10 below the one before.
DxfStatus WriteCylElbow(DxfOut& out, const LastElbow& e, const DevelopmentSettings& settings) {
    double offset = 0;  // every y of the piece lowered by it: the pieces before it and a gap each
    for (int p = 1; p <= e.PieceCount; ++p) {
        ElbowPiece piece;
        CylinderOutline o;
        if (!ElbowPieceOf(e, p, piece) || !CylinderPieceOutline(piece, settings, o)) return DxfStatus::NotFinite;
        offset = offset + piece.Height + PieceGap;
        WriteDxfCutCurvePolyline(out, o, piece.EndCut, piece.StartCut, offset);
    }
    return DxfStatus::Written;
}

// Every piece from the start piece on, its highest point 10 below the lowest
// point of the one before: a cutter nests the parts of the file as they lie,
// and the seams of a sector wider than a half turn rise above its edges. A
// frustum start piece has its upper edge's highest point at y = 0, a
// cylindrical one spans -P to 0.
DxfStatus WriteConeElbow(DxfOut& out, const LastElbow& e, const DevelopmentSettings& settings) {
    double lowest = 0;  // of the piece before
    for (int p = 1; p <= e.PieceCount; ++p) {
        ElbowPiece piece;
        if (!ElbowPieceOf(e, p, piece)) return DxfStatus::NotFinite;
        const double top = lowest - PieceGap;  // where the piece's highest point goes
        DxfYRange r;
        double offset = 0;  // every y of the piece lowered by it
        if (piece.Cylindrical) {
            CylinderOutline o;
            if (!CylinderPieceOutline(piece, settings, o)) return DxfStatus::NotFinite;
            r = DxfCutCurveYRange(o, piece.EndCut, piece.StartCut);
            offset = p == 1 ? piece.Height : r.Top - top;
            WriteDxfCutCurvePolyline(out, o, piece.EndCut, piece.StartCut, offset);
        } else {
            ConeOutline o;
            if (!ConePieceOutline(piece, settings, o)) return DxfStatus::NotFinite;
            r = DxfFrustumPieceYRange(o);
            offset = p == 1 ? -o.UpperEdgeMinY : r.Top - top;
            WriteDxfFrustumPiece(out, o, offset);
        }
        lowest = r.Bottom - offset;
    }
    return DxfStatus::Written;
}

DxfStatus WriteShape(DxfOut& out, const WorkingState& state) {
    const int code = state.ShapeCode;
    const float step = state.Settings.AngleStep;
    if (IsFrustumKind(code)) {
        const ConeOutline o = ConeOutlineOf(state.ConeDevelopment.Results, step);
        if (o.Empty()) return DxfStatus::NotFinite;
        if (code == ShapeCoRe) {
            WriteDxfConeSectorFile(out, o);  // its own header and trailer
            return DxfStatus::Written;
        }
        WriteDxfEntitiesHeader(out);
        if (code == ShapeCoTaSup)
            WriteDxfConeCutTop(out, o);
        else if (code == ShapeCoTaInf)
            WriteDxfConeCutBottom(out, o);
        else
            WriteDxfFrustumPiece(out, o, 0);
    } else if (IsCylinderKind(code)) {
        const CylinderOutline o = CylinderOutlineOf(state.CylinderDevelopment.Results, step);
        if (o.Empty()) return DxfStatus::NotFinite;
        WriteDxfEntitiesHeader(out);
        if (code == ShapeCiRe) {
            WriteDxfRectangle(out, o.Length, o.Height);
        } else {
            const CylinderInputs in = CylinderInputsOf(state.Inputs.CylinderData);
            WriteDxfCutCurvePolyline(out, o, code == ShapeCiTaSup ? 0.0f : in.BottomCutRadians, in.TopCutRadians, 0);
        }
    } else {
        WriteDxfEntitiesHeader(out);
        const DevelopmentSettings settings = DevelopmentSettingsOf(state);
        const DxfStatus s = code == ShapeCuCilindri ? WriteCylElbow(out, state.Elbow, settings)
                                                    : WriteConeElbow(out, state.Elbow, settings);
        if (s != DxfStatus::Written) return s;
    }
    WriteDxfTrailer(out);
    return DxfStatus::Written;
}

}  // namespace

int DxfStatusMessage(DxfStatus status) {
    switch (status) {
        case DxfStatus::Written: return 0;
        case DxfStatus::NoDevelopment: return ErrNoDevelopmentToExport;
        case DxfStatus::NotFinite: return ErrDrawingNotFinite;
        case DxfStatus::PieceCountRange: return ErrPieceCountRange;
    }
    return ErrNoDevelopmentToExport;
}

DxfStatus CheckDxfSource(const WorkingState& state) {
    const int code = state.ShapeCode;
    const ShapeKindInfo* kind = FindShapeKind(code);
    if (kind == nullptr || state.DevelopmentValid == False16) return DxfStatus::NoDevelopment;
    if (!kind->Elbow) return DxfStatus::Written;
    const float n = TypedPieceCount(state);
    if (CheckPieceCount(n) != 0) return DxfStatus::PieceCountRange;
    const LastElbow& e = state.Elbow;
    const int pieces = static_cast<int>(n) + (code == ShapeCuConica3 ? 2 : 0);
    if (e.ShapeCode != code || e.ElbowError != 0 || e.Pieces != static_cast<int>(n) || e.PieceCount != pieces)
        return DxfStatus::NoDevelopment;
    return DxfStatus::Written;
}

DxfStatus WriteDxfEntities(std::ostream& stream, const WorkingState& state) {
    const DxfStatus checked = CheckDxfSource(state);
    if (checked != DxfStatus::Written) return checked;
    ClearVectorUpperHalves();  // the formatting and the pieces' development run at full speed
    DxfOut out(stream);
    const DxfStatus s = WriteShape(out, state);
    if (s != DxfStatus::Written) return s;
    if (out.NotFinite()) return DxfStatus::NotFinite;
    out.Flush();
    return DxfStatus::Written;
}

DxfFileResult WriteDxfFile(const std::string& path, const WorkingState& state) {
    DxfFileResult result;
    result.Status = CheckDxfSource(state);
    if (result.Status != DxfStatus::Written) return result;
    constexpr int Refused = -1;  // the writer's own number: the drawing was refused
    const int error = ReplaceFileStreamed(
        path,
        [&](std::ostream& out) {
            result.Status = WriteDxfEntities(out, state);
            return result.Status == DxfStatus::Written ? 0 : Refused;
        },
        true);
    if (error != Refused) result.Error = error;
    return result;
}

}  // namespace velm
