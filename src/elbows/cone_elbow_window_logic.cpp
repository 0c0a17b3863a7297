#include "elbows/cone_elbow_window_logic.h"

#include "core/language.h"
#include "core/text_ids.h"
#include "core/number_text.h"
#include "core/piece_count.h"
#include "core/shape_kinds.h"
#include "elbows/cone_elbow.h"
#include "elbows/elbow_inputs.h"
#include "geometry/angles.h"
#include "output/print_job.h"

namespace velm {

namespace {

// The field that edits an element.
constexpr int FieldOf(int element) { return element - 1; }

// Every element typed, in the array's order.
constexpr std::array<int, 9> EveryField = {
    FieldOf(ConeElbowThickness),     FieldOf(ConeElbowSmallDiameter), FieldOf(ConeElbowStartCutDegrees),
    FieldOf(ConeElbowLargeDiameter), FieldOf(ConeElbowEndCutDegrees), FieldOf(ConeElbowBendDegrees),
    FieldOf(ConeElbowAxisLength),    FieldOf(ConeElbowBendRadius),    FieldOf(ConeElbowPieces)};

// Between end connections the diameters and end cuts come from the
// connections.
constexpr std::array<int, 9> BodyFields = {
    FieldOf(ConeElbowThickness), FieldOf(ConeElbowBendDegrees), FieldOf(ConeElbowAxisLength),
    FieldOf(ConeElbowBendRadius), FieldOf(ConeElbowPieces), 0, 0, 0, 0};

}  // namespace

const ConeElbowVariant ConeElbowVariants[3] = {
    {"FrmCuConica1", ShapeCuConica1, ConeElbowLayout::HalfEndPieces, 9, true, false, EveryField},
    {"FrmCuConica2", ShapeCuConica2, ConeElbowLayout::EqualPieces, 9, false, false, EveryField},
    {"FrmCuConica3", ShapeCuConica3, ConeElbowLayout::BetweenConnections, 5, false, true, BodyFields},
};

const ConeElbowVariant* ConeElbowVariantOf(int shapeCode) {
    for (const ConeElbowVariant& v : ConeElbowVariants)
        if (v.ShapeCode == shapeCode) return &v;
    return nullptr;
}

std::string ConeElbowBoxCaption(const ConeElbowVariant& v, int box, std::int16_t diametriExt) {
    if (box < 0 || box >= v.Boxes) return {};
    const std::string diameter = Txt(LangCommonFrmCurvaConica, diametriExt != 0 ? 5 : 3);
    auto text = [](int n) { return Txt(LangCommonFrmCurvaConica, n); };
    switch (ElementOfField(v.Field[static_cast<std::size_t>(box)])) {
        case ConeElbowThickness: return text(2) + ":";
        case ConeElbowSmallDiameter: return diameter + " (d):";
        case ConeElbowStartCutDegrees: return text(4) + " [\xC2\xB0]:";
        case ConeElbowLargeDiameter: return diameter + " (D):";
        case ConeElbowEndCutDegrees: return text(6) + " [\xC2\xB0]:";
        case ConeElbowBendDegrees: return text(7) + " [\xC2\xB0] (A):";
        case ConeElbowAxisLength: return text(8) + ":";
        case ConeElbowBendRadius: return text(9) + " (R):";
        case ConeElbowPieces: return text(10) + ":";
        default: return {};
    }
}

std::string ConeElbowTitle(const ConeElbowVariant& v) {
    // The start panel's two lines under the variant's picture, on one line.
    const int layout = static_cast<int>(v.Layout);
    return Txt(LangFrmIniziale, 7 + 2 * layout) + " " + Txt(LangFrmIniziale, 8 + 2 * layout);
}

std::string ConeElbowResultCaption(bool accepted, double apexAngleRadians) {
    std::string caption = Txt(LangCommonFrmCurvaConica, 11) + ": ";
    if (accepted) caption += FormatFixed2(RadiansToDegrees(apexAngleRadians)) + "\xC2\xB0";
    return caption;
}

std::string ConeElbowPieceHint(int piece, bool cylindrical) {
    return UpperCase(Txt(LangFrmAntep, cylindrical ? 41 : 40)) + std::to_string(piece) + ": " + Txt(TextPieceClickHint);
}

void SetCylindricalEnds(InputArrays& st, bool cylindrical) {
    st.CylindricalEnds = cylindrical ? "S" : "N";
    const float kind = cylindrical ? 1.0f : 0.0f;
    st.EndConnections[StartConnectionKind] = kind;
    st.EndConnections[EndConnectionKind] = kind;
}

int ApplyConeElbow(const ConeElbowVariant& v, InputArrays& st, const DevelopmentSettings& settings,
                   LastElbow& out) {
    ConeElbowArray& data = st.ConeElbowData;
    if (v.Connections) {
        data[ConeElbowStartCut] = static_cast<float>(st.EndConnections[StartConnectionCutAngle] * DegToRad);
        data[ConeElbowEndCut] = static_cast<float>(st.EndConnections[EndConnectionCutAngle] * DegToRad);
    } else {
        data[ConeElbowStartCut] = static_cast<float>(data[ConeElbowStartCutDegrees] * DegToRad);
        data[ConeElbowEndCut] = static_cast<float>(data[ConeElbowEndCutDegrees] * DegToRad);
    }
    data[ConeElbowBend] = static_cast<float>(data[ConeElbowBendDegrees] * DegToRad);
    auto refuse = [&out](int message) {
        out.ElbowError = 1;
        ++out.Generation;  // what was drawn from the last elbow is no longer its own
        return message;
    };
    if (const int m = CheckConeElbowInput(data, !v.Connections); m != 0) return refuse(m);
    if (v.Connections) {
        for (const int record : {ConnectionStart, ConnectionEnd}) {
            const EndConnection c = EndConnectionOf(st.EndConnections, record);
            if (const int m = CheckEndConnection(c, record == ConnectionStart); m != 0) return refuse(m);
        }
    }
    // The pieces develop with the angular step: one that does not divide
    // the half turn is refused here, not at a piece's click or an export.
    if (const int m = CheckAngleStep(settings.AngleStep); m != 0) return refuse(m);
    // "S" where the data file and the settings keep the option.
    const ConeElbowOutcome outcome =
        ComputeConeElbow(v.Layout, data, st.EndConnections, st.CylindricalEnds == "S", settings, out);
    if (outcome.Message == 0) data[ConeElbowApexDegrees] = outcome.ApexDegrees;
    return outcome.Message;
}

std::int16_t ConeElbowPieceTotal(const ConeElbowVariant& v, const ConeElbowArray& data) {
    const float n = data[ConeElbowPieces];
    if (CheckPieceCount(n) != 0) return 0;
    return static_cast<std::int16_t>(static_cast<int>(n) + (v.Connections ? 2 : 0));
}

}  // namespace velm
