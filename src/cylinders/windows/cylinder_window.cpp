#include "cylinders/windows/cylinder_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <cmath>

#include "cylinders/cylinder_compute.h"
#include "cylinders/cylinder_development_drawing.h"
#include "cylinders/cylinder_sketch.h"
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
#include "cylinders/windows/cylinder_window_texts.h"

namespace velm {

namespace {


const char* const Degrees = " [\u00B0]:";

ShapeWindowDesign Variant(const char* name, std::int16_t code, TextSectionId title, int rows, int sketchBoxes,
                          int sketchLabels, bool cut, bool sign) {
    ShapeWindowDesign d;
    d.Name = name;
    d.ShapeCode = code;
    d.TitleSection = title;
    d.InputRows = rows;
    d.OutputLabels = rows;
    d.SketchBoxes = sketchBoxes;
    d.SketchLabels = sketchLabels;
    d.SideLabels = cut ? 2 : 0;
    d.ArcLabels = cut ? 2 : 0;
    d.WeldSide = cut;
    d.SignLabel = sign;
    d.ResultViewText = TextResultView;
    d.LabelTops.assign({480, 885, 1260, 1635, 2010});
    d.BoxTops.assign({510, 885, 1260, 1635, 2010});
    d.OutputTops.assign({510, 870, 1260, 1650, 2010});
    for (auto* tops : {&d.LabelTops, &d.BoxTops, &d.OutputTops}) tops->resize(static_cast<std::size_t>(rows));
    d.HintApply = TextApplyHint;
    d.HintDevelop = TextDevelopHint;
    return d;
}

// The variant table: boxes, sketch boxes and labels, cuts and sign by window.
const std::array<ShapeWindowDesign, 4>& Variants() {
    static const std::array<ShapeWindowDesign, 4> variants{
        Variant("FrmCiRe", ShapeCiRe, LangFrmCiRe, 3, 2, 5, false, false),
        Variant("FrmCiTaSup", ShapeCiTaSup, LangFrmCiTS, 4, 3, 6, true, false),
        Variant("FrmCiConcordi", ShapeCiConcordi, LangFrmCiCon, 5, 4, 6, true, false),
        Variant("FrmCiDiscordi", ShapeCiDiscordi, LangFrmCiDis, 5, 4, 6, true, true)};
    return variants;
}

std::int16_t Unit() { return State().Settings.MeasuringSystem; }

}  // namespace

const ShapeWindowDesign& CylinderWindow::DesignOf(int shapeCode) {
    const int i = (shapeCode >= ShapeCiRe && shapeCode <= ShapeCiDiscordi) ? shapeCode - ShapeCiRe : 0;
    return Variants()[static_cast<std::size_t>(i)];
}

CylinderWindow::CylinderWindow(int shapeCode, QWidget* parent) : ShapeWindow(DesignOf(shapeCode), parent) {}

QWidget* CylinderWindow::Open(int shapeCode) { return OpenSingle<CylinderWindow, 4>(shapeCode, ShapeCiRe); }

void RegisterCylinderWindows() {
    ShapeWindow::RegisterFamily<CylinderWindow>(ShapeCiRe, ShapeCiDiscordi);
    RegisterInputCheck(ShapeCiRe, ShapeCiDiscordi, [](std::int16_t code, const WorkingState& state) {
        return CylinderApplyMessage(static_cast<ShapeKind>(code), state);
    });
}

bool CylinderWindow::CutAtTop() const { return FindShapeKind(ShapeCode())->TopCut; }
bool CylinderWindow::CutAtBottom() const { return FindShapeKind(ShapeCode())->BottomCut; }

// --- Load and texts ---

void CylinderWindow::FillInputBoxes() {
    const CylinderArray& data = State().Inputs.CylinderData;
    for (int k = 0; k < Design().InputRows; ++k) {
        float value = data[ElementOfField(k)];
        if (k == CylBottomCutField) value = value <= 0 ? -value : value;  // the bottom angle's magnitude
        TxtInputDati[static_cast<std::size_t>(k)]->SetText(FormatLength(value, Unit()));
    }
}

void CylinderWindow::ApplyFormTexts() {
    PnlSfondo->setTitle(Q(Txt(TextCylinderData)));
    LblInputDati[CylThicknessField]->setText(Q(Txt(TextCylThickness) + ":"));
    LblInputDati[CylDiameterField]->setText(Q(Txt(State().Settings.DiametriExt != 0 ? TextCylOuterDiameter : TextCylInnerDiameter) + ":"));
    LblInputDati[CylLengthField]->setText(Q(Txt(TextCylAxisLength) + ":"));
    if (CutAtTop()) LblInputDati[CylTopCutField]->setText(Q(Txt(TextCylUpperCut) + Degrees));
    if (CutAtBottom()) LblInputDati[CylBottomCutField]->setText(Q(Txt(TextCylLowerCut) + Degrees));
}

void CylinderWindow::SetSketchLabelCaptions() {
    SetCaption(LblDatiSviluppo[DiameterLabel], Txt(TextCylSketchDiameter) + ":");
    SetCaption(LblDatiSviluppo[LengthLabel], Txt(TextCylSketchAxisLength) + ":");
    if (CutAtTop()) {
        SetCaption(LblDatiSviluppo[TopCutLabel], Txt(TextCylinderAngle) + "[\u00B0]:");
        SetCaption(LblDatiSviluppo[WeldSideMarkerLabel], Txt(TextWeldSeam));
    }
    if (CutAtBottom()) SetCaption(LblDatiSviluppo[BottomCutLabel], Txt(TextCylinderAngle) + "[\u00B0]:");
}

std::string CylinderWindow::OutputText(int row) {
    const CylinderArray& data = State().Inputs.CylinderData;
    if (row >= CylTopCutField) return FormatFixed2(data[ElementOfField(row)]);  // angles as stored
    return FormatLength(data[ElementOfField(row)], Unit());
}

std::string CylinderWindow::ArcText(int i) {
    const CylinderResults& r = State().CylinderDevelopment.Results;
    if (i == 0 && CutAtTop()) return Txt(TextUpperEdgeLength) + " = " + FormatLength(r.UpperArcLength, Unit());
    if (i == 1 && CutAtBottom()) return Txt(TextLowerEdgeLength) + " = " + FormatLength(r.LowerArcLength, Unit());
    return {};
}

// --- Apply ---

void CylinderWindow::ReadInputBoxes() {
    CylinderArray& data = State().Inputs.CylinderData;
    auto box = [this](int i) { return static_cast<float>(ReadNumber(TxtInputDati[static_cast<std::size_t>(i)]->Text())); };
    CylinderInputs in = CylinderInputsOf(data);
    in.Diameter = box(CylDiameterField);
    in.AxisLength = box(CylLengthField);
    in.Thickness = box(CylThicknessField);
    if (CutAtTop()) in.TopCut = box(CylTopCutField);
    if (CutAtBottom()) {
        const float bottom = box(CylBottomCutField);
        in.BottomCut = FindShapeKind(ShapeCode())->OppositeSlopes ? -bottom : bottom;
    }
    if (CutAtTop()) in.TopCutRadians = static_cast<float>(in.TopCut * DegToRad);
    if (CutAtBottom()) in.BottomCutRadians = static_cast<float>(in.BottomCut * DegToRad);
    StoreCylinderInputs(in, data);
}

int CylinderWindow::ValidateAndDevelop() {
    return ValidateAndDevelopCylinder(static_cast<ShapeKind>(ShapeCode()), State()).Message;
}

std::uint64_t& CylinderWindow::ResultsGeneration() const { return State().CylinderDevelopment.Generation; }

void CylinderWindow::AfterAcceptedApply() {
    if (!CutAtTop()) return;
    const CylinderResults& r = State().CylinderDevelopment.Results;
    ShowSideDifferences(&r.CylUpperHeights, CutAtBottom() ? &r.CylLowerHeights : nullptr);
}

// --- Drawings ---

void CylinderWindow::DrawSketch() {
    const WorkingState& st = State();
    const CylinderInputs data = CylinderInputsOf(st.Inputs.CylinderData);
    const SketchRoom room =
        MeasureSketchRoom({data.Diameter, data.AxisLength, data.TopCut, std::fabs(data.BottomCut)});
    const CylinderSketchPlaces places = DrawCylinderSketch(PctDisegno->canvas(), ShapeCode(), data,
                                                           State().CylinderDevelopment.Results, st.CylinderSketchFill, room);
    if (!places.Drawn) return;
    for (std::size_t k = 0; k < TxtAnt.size() && k < places.Boxes.size(); ++k) {
        const PlacedValueBox& box = places.Boxes[k];
        if (!box.Visible) continue;
        if (!box.Angle) ApplyPlacedLabel(LblDatiSviluppo[k], places.Labels[k]);
        PlaceSketchBox(k, box);
    }
    if (places.WeldSideMarker) PlaceWeldSideMarker();
}

void CylinderWindow::DrawDevelopment() {
    const WorkingState& st = State();
    CylinderDevelopmentSettings settings;
    settings.ShapeCode = ShapeCode();
    settings.Diameter = CylinderInputsOf(st.Inputs.CylinderData).Diameter;
    settings.AngleStep = st.Settings.AngleStep;
    settings.MeasuringSystem = Unit();
    settings.Fill = st.CylinderDevelopmentFill;
    const CylinderDevelopmentLabels labels = DrawCylinderDevelopment(PctDisegno->canvas(), State().CylinderDevelopment.Results, settings);
    for (std::size_t i = 0; i < labels.Labels.size(); ++i) ApplyPlacedLabel(LblDatiSviluppo[i], labels.Labels[i]);
}

void CylinderWindow::PlaceWeldSideMarker() {
    if (LblDatiSviluppo.size() <= WeldSideMarkerLabel) return;
    QLabel* marker = LblDatiSviluppo[WeldSideMarkerLabel];
    const MarkerPlace place = WeldSideMarkerPlace(State().Settings.LatoSaldatura, LblDatiSviluppo[LengthLabel]->x(),
                                                  LblDatiSviluppo[LengthLabel]->y(), LblDatiSviluppo[TopCutLabel]->x());
    marker->move(place.Left, place.Top);
    SetForeColour(marker, RGB(255, 255, 0));
    marker->adjustSize();
    KeepInsideParent(*marker);
    marker->show();
}

void CylinderWindow::ToggleWeldSide() {
    // The window's own shape code: another cylinder window may have loaded since.
    ToggleCylinderWeldSide(static_cast<ShapeKind>(ShapeCode()), State(), State().CylinderDevelopment.Results);
    PlaceWeldSideMarker();
}

// --- Input fields ---

void CylinderWindow::FilterKeyDown(TextBox& box, int field, int& keyCode, int shift) {
    FilterCylinderKeyDown(box, field, keyCode, shift);
}
void CylinderWindow::FilterKeyPress(TextBox& box, int field, int& keyAscii) {
    FilterCylinderKeyPress(box, field, keyAscii);
}
void CylinderWindow::CheckFieldRange(TextBox& box, int field) { CheckCylinderFieldRange(box, field); }
void CylinderWindow::ShowFieldHint(int field) { ShowCylinderFieldHint(field); }

}  // namespace velm
