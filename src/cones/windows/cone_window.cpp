#include "cones/windows/cone_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <cmath>

#include "cones/cone_compute.h"
#include "cones/cone_development_drawing.h"
#include "cones/cone_result_labels.h"
#include "cones/cone_sketch.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "core/number_text.h"
#include "core/shape_inputs.h"
#include "frame/command_registry.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/input_services.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/text_box.h"
#include "platform/qt/qt_text.h"
#include "cones/windows/cone_window_texts.h"

namespace velm {

namespace {


const char* const DegreesRow = " [\u00B0]:";
const char* const DegreesSketch = "[\u00B0]:";

struct Layout {
    std::vector<int> labelTops, boxTops, outputTops;  // rows, then the apex row (labels)
    int boxLeft, outputLeft, outputHeight;
    int applyTop, developTop, backTop, weldTop;
};

ShapeWindowDesign Variant(const char* name, std::int16_t code, TextSectionId title, int rows, const Layout& l) {
    ShapeWindowDesign d;
    d.Name = name;
    d.ShapeCode = code;
    d.TitleSection = title;
    d.InputRows = rows;
    d.OutputLabels = rows + 1;  // and the apex angle
    d.SketchBoxes = rows - 1;   // every field but the thickness
    d.SketchLabels = 7;
    const bool cut = code != ShapeCoRe;
    d.SideLabels = cut ? 2 : 0;
    d.ArcLabels = 2;
    d.WeldSide = cut;
    d.SignLabel = code == ShapeCoDiscordi;
    d.ResultViewText = TextFrustumResultView;
    d.ApplyText = TextFrustumApply;
    d.DevelopText = TextFrustumDevelop;
    d.ModifyText = TextFrustumModify;
    d.FormMoveClearsStatus = true;
    d.LabelTops = l.labelTops;
    d.BoxTops = l.boxTops;
    d.OutputTops = l.outputTops;
    d.BoxLeft = l.boxLeft;
    d.OutputLeft = l.outputLeft;
    d.OutputHeight = l.outputHeight;
    d.ApplyTop = l.applyTop;
    d.DevelopTop = l.developTop;
    d.BackTop = l.backTop;
    d.WeldTop = l.weldTop;
    d.SignLeft = 2040;
    d.SignTop = 2340;
    d.UnitLeft = code == ShapeCoRe ? 3270 : 3276;
    d.UnitTop = code == ShapeCoRe ? 120 : 126;
    d.HintApply = TextFrustumApplyHint;  // the other hints are the design's
    d.HintDevelop = TextFrustumDevelopHint;
    return d;
}

// The variant table: rows, cuts, sign and the panel's layout by window.
const std::array<ShapeWindowDesign, 5>& Variants() {
    static const Layout right{{480, 855, 1245, 1620, 1995}, {480, 855, 1245, 1620}, {480, 855, 1245, 1620, 1995},
                              2145, 2145, 270, 2310, 2790, 3300, 0};
    static const Layout oneCut{{480, 855, 1245, 1620, 1995, 2370},
                               {480, 855, 1245, 1620, 1995},
                               {480, 855, 1245, 1620, 1995, 2370},
                               2130, 2145, 270, 2670, 3165, 3660, 4710};
    Layout bottomCut = oneCut;
    bottomCut.applyTop = 2715;
    bottomCut.developTop = 3210;
    bottomCut.backTop = 3705;
    static const Layout sameWay{{420, 765, 1155, 1530, 1905, 2280, 2655},
                                {390, 765, 1140, 1530, 1905, 2280},
                                {390, 765, 1140, 1530, 1905, 2280, 2655},
                                2130, 2130, 285, 3000, 3480, 3975, 5010};
    static const Layout oppositeWays{{480, 825, 1215, 1590, 1965, 2340, 2715},
                                     {450, 825, 1215, 1590, 1950, 2340},
                                     {450, 825, 1215, 1590, 1965, 2340, 2715},
                                     2130, 2145, 270, 3060, 3540, 4035, 5070};
    static const std::array<ShapeWindowDesign, 5> variants{
        Variant("FrmCoRe", ShapeCoRe, LangFrmCoRe, 4, right),
        Variant("FrmCoTaSup", ShapeCoTaSup, LangFrmCoTS, 5, oneCut),
        Variant("FrmCoTaInf", ShapeCoTaInf, LangFrmCoTI, 5, bottomCut),
        Variant("FrmCoConcordi", ShapeCoConcordi, LangFrmCoCon, 6, sameWay),
        Variant("FrmCoDiscordi", ShapeCoDiscordi, LangFrmCoDis, 6, oppositeWays)};
    return variants;
}

std::int16_t Unit() { return State().Settings.MeasuringSystem; }

ConeDrawingContext ContextOf(std::int16_t shapeCode) {
    const WorkingState& st = State();
    return {shapeCode, st.Settings.AngleStep, st.Settings.LatoSaldatura, st.Settings.MeasuringSystem};
}

}  // namespace

const ShapeWindowDesign& ConeWindow::DesignOf(int shapeCode) {
    const int i = (shapeCode >= ShapeCoRe && shapeCode <= ShapeCoDiscordi) ? shapeCode - ShapeCoRe : 0;
    return Variants()[static_cast<std::size_t>(i)];
}

ConeWindow::ConeWindow(int shapeCode, QWidget* parent) : ShapeWindow(DesignOf(shapeCode), parent) {
    // The apex angle's value stays shown in both views.
    LblOutputDati[static_cast<std::size_t>(ApexRow())]->show();
}

QWidget* ConeWindow::Open(int shapeCode) { return OpenSingle<ConeWindow, 5>(shapeCode, ShapeCoRe); }

void RegisterConeWindows() {
    ShapeWindow::RegisterFamily<ConeWindow>(ShapeCoRe, ShapeCoDiscordi);
    RegisterInputCheck(ShapeCoRe, ShapeCoDiscordi, [](std::int16_t code, const WorkingState& state) {
        return ConeApplyMessage(static_cast<ShapeKind>(code), state);
    });
}

bool ConeWindow::UpperCut() const { return FindShapeKind(ShapeCode())->TopCut; }
bool ConeWindow::LowerCut() const { return FindShapeKind(ShapeCode())->BottomCut; }
int ConeWindow::LowerCutRow() const {
    // The bottom-cut window has no upper cut: its lower cut takes that row.
    if (ShapeCode() == ShapeCoTaInf) return ConeUpperCutField;
    return LowerCut() ? ConeLowerCutField : -1;
}

// --- Load and texts ---

void ConeWindow::FillInputBoxes() {
    const ConeArray& data = State().Inputs.ConeData;
    for (int k = 0; k < Design().InputRows; ++k) {
        // The lower cut angle always shows as a magnitude.
        const float value =
            k == LowerCutRow() ? std::fabs(data[ElementOfField(ConeLowerCutField)]) : data[ElementOfField(k)];
        TxtInputDati[static_cast<std::size_t>(k)]->SetText(FormatLength(value, Unit()));
    }
}

void ConeWindow::ApplyFormTexts() {
    PnlSfondo->setTitle(Q(Txt(TextFrustumData)));
    const bool outer = State().Settings.DiametriExt != 0;
    LblInputDati[ConeThicknessField]->setText(Q(Txt(TextConeThickness) + ":"));
    LblInputDati[ConeUpperDiameterField]->setText(Q(Txt(outer ? TextUpperOuterDiameter : TextUpperInnerDiameter) + ":"));
    LblInputDati[ConeLowerDiameterField]->setText(Q(Txt(outer ? TextLowerOuterDiameter : TextLowerInnerDiameter) + ":"));
    LblInputDati[ConeHeightField]->setText(Q(Txt(TextConeAxisHeight) + ":"));
    if (UpperCut()) LblInputDati[ConeUpperCutField]->setText(Q(Txt(TextConeUpperCut) + DegreesRow));
    if (LowerCut()) {
        LblInputDati[static_cast<std::size_t>(LowerCutRow())]->setText(Q(Txt(TextConeLowerCut) + DegreesRow));
    }
    LblInputDati[static_cast<std::size_t>(ApexRow())]->setText(Q(Txt(TextApexAngle) + ":"));
}

void ConeWindow::SetSketchLabelCaptions() {
    SetCaption(LblDatiSviluppo[UpperDiameterLabel], Txt(TextConeSketchUpperDiameter) + ":");
    SetCaption(LblDatiSviluppo[LowerDiameterLabel], Txt(TextConeSketchLowerDiameter) + ":");
    SetCaption(LblDatiSviluppo[HeightLabel], Txt(TextConeSketchAxisHeight) + ":");
    if (ShapeCode() != ShapeCoRe) SetCaption(LblDatiSviluppo[FirstCutLabel], Txt(TextFrustumAngle) + DegreesSketch);
    if (Design().SketchBoxes > 4) SetCaption(LblDatiSviluppo[SecondCutLabel], Txt(TextFrustumAngle) + DegreesSketch);
}

std::string ConeWindow::OutputText(int row) {
    const ConeArray& data = State().Inputs.ConeData;
    if (row <= ConeHeightField) return FormatLength(data[ElementOfField(row)], Unit());
    // Cut angles as stored: the opposite-ways window's lower one is negative.
    const ConeInputs in = ConeInputsOf(data);
    return FormatFixed2(row == LowerCutRow() ? in.LowerCut : in.UpperCut);
}

std::string ConeWindow::ArcText(int i) {
    const ConeResults& r = State().ConeDevelopment.Results;
    if (i == 0) return Txt(TextUpperEdgeLength) + " = " + FormatLength(r.UpperArcLength, Unit());
    return Txt(TextLowerEdgeLength) + " = " + FormatLength(r.LowerArcLength, Unit());
}

// --- Apply ---

void ConeWindow::ReadInputBoxes() {
    ConeArray& data = State().Inputs.ConeData;
    auto box = [this](int i) {
        return static_cast<float>(ReadNumber(TxtInputDati[static_cast<std::size_t>(i)]->Text()));
    };
    ConeInputs in = ConeInputsOf(data);
    in.UpperDiameter = box(ConeUpperDiameterField);
    in.LowerDiameter = box(ConeLowerDiameterField);
    in.AxisHeight = box(ConeHeightField);
    in.Thickness = box(ConeThicknessField);
    if (UpperCut()) in.UpperCut = box(ConeUpperCutField);
    if (LowerCut()) {
        const float lower = box(LowerCutRow());
        in.LowerCut = FindShapeKind(ShapeCode())->OppositeSlopes ? -lower : lower;
    }
    if (UpperCut()) in.UpperCutRadians = static_cast<float>(in.UpperCut * DegToRad);
    if (LowerCut()) in.LowerCutRadians = static_cast<float>(in.LowerCut * DegToRad);
    StoreConeInputs(in, data);
}

int ConeWindow::ValidateAndDevelop() {
    const DevelopedCone d = ValidateAndDevelopCone(static_cast<ShapeKind>(ShapeCode()), State());
    // The sketch's enclosing body comes from the accepted development alone.
    if (d.Message == 0) {
        ComputeEnclosingDiameters(ShapeCode(), d.Inputs, State().ConeDevelopment.Results.FrustumHeight1, d.CutRise,
                                  EnclosingUpperDiameter, EnclosingLowerDiameter);
    }
    return d.Message;
}

std::uint64_t& ConeWindow::ResultsGeneration() const { return State().ConeDevelopment.Generation; }

void ConeWindow::AfterRefusedApply() { SetValueCaption(LblOutputDati[static_cast<std::size_t>(ApexRow())], ""); }

void ConeWindow::AfterAcceptedApply() {
    WorkingState& st = State();
    const ConeResults& r = State().ConeDevelopment.Results;
    st.EnclosingUpperDiameter = EnclosingUpperDiameter;
    st.EnclosingLowerDiameter = EnclosingLowerDiameter;
    SetValueCaption(LblOutputDati[static_cast<std::size_t>(ApexRow())], FormatFixed2(r.ConeApexAngle) + "\u00B0");
    ShowSideDifferences(UpperCut() ? &r.ConeUpperRadii : nullptr, LowerCut() ? &r.ConeLowerRadii : nullptr);
}

// --- Drawings ---

void ConeWindow::DrawSketch() {
    const WorkingState& st = State();
    const ConeResults& r = State().ConeDevelopment.Results;
    ConeSketchInput input;
    input.Inputs = ConeInputsOf(st.Inputs.ConeData);
    input.FrustumHeight1 = r.FrustumHeight1;
    input.EnclosingUpperDiameter = EnclosingUpperDiameter;
    input.EnclosingLowerDiameter = EnclosingLowerDiameter;
    input.Fill = st.ConeSketchFill;
    const ConeInputs& d = input.Inputs;
    const SketchRoom room = MeasureSketchRoom(
        {d.UpperDiameter, d.LowerDiameter, d.AxisHeight, d.UpperCut, std::fabs(d.LowerCut)});
    const ConeSketch sketch = DrawConeSketch(PctDisegno->canvas(), input, r, ContextOf(ShapeCode()), room);
    if (!sketch.Drawn) return;
    for (std::size_t k = 0; k < LblDatiSviluppo.size() && k < sketch.Labels.size(); ++k)
        ApplyPlacedLabel(LblDatiSviluppo[k], sketch.Labels[k]);
    for (const IndexedValueBox& placed : sketch.Boxes) {
        const auto k = static_cast<std::size_t>(placed.Index);
        if (k >= TxtAnt.size() || !placed.Place.Visible) continue;
        PlaceSketchBox(k, placed.Place);
    }
}

void ConeWindow::DrawDevelopment() {
    const WorkingState& st = State();
    const ConeDevelopmentView view = DrawConeDevelopment(PctDisegno->canvas(), State().ConeDevelopment.Results,
                                                         st.Settings.AngleStep, st.ConeDevelopmentFill, Unit());
    for (std::size_t i = 0; i < view.Labels.size(); ++i) ApplyPlacedLabel(LblDatiSviluppo[i], view.Labels[i]);
}

void ConeWindow::CaptionSideLabels() {
    const ConeDrawingContext context = ContextOf(ShapeCode());
    for (int which : {1, 2}) {
        QLabel* label = LblDatiSviluppo[ConeSideLabelSlot(which)];
        SetCaption(label, ConeResultLabelCaption(which, State().ConeDevelopment.Results, context));
        KeepInsideParent(*label);  // the other caption may be longer
    }
}

void ConeWindow::ToggleWeldSide() {
    // The window's own shape code: another frustum window may have loaded since.
    ToggleConeWeldSide(static_cast<ShapeKind>(ShapeCode()), State(), State().ConeDevelopment.Results);
    CaptionSideLabels();
}

// --- Input fields ---

void ConeWindow::FilterKeyDown(TextBox& box, int field, int& keyCode, int shift) {
    FilterConeKeyDown(box, field, keyCode, shift);
}
void ConeWindow::FilterKeyPress(TextBox& box, int field, int& keyAscii) { FilterConeKeyPress(box, field, keyAscii); }
void ConeWindow::CheckFieldRange(TextBox& box, int field) { CheckConeFieldRange(box, field); }

// Only the window's own fields have hints: the apex row and the side labels
// name none. The bottom-cut window's fifth field is its lower cut.
void ConeWindow::ShowFieldHint(int field) {
    if (field < 0 || field >= Design().InputRows) return;
    ShowConeFieldHint(field, ShapeCode() == ShapeCoTaInf);
}

}  // namespace velm
