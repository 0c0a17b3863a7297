#include "elbows/windows/cyl_elbow_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/development_checks.h"
#include "core/input_fields.h"
#include "core/number_text.h"
#include "core/text_ids.h"
#include "elbows/cyl_elbow.h"
#include "elbows/cyl_elbow_fields.h"
#include "elbows/elbow_hit_test.h"
#include "frame/windows/input_services.h"
#include "geometry/angles.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/text_box.h"
#include "elbows/windows/cyl_elbow_window_texts.h"

namespace velm {

namespace {

const ElbowWindowDesign& CylElbowDesign() {
    static const ElbowWindowDesign d = [] {
        ElbowWindowDesign x;
        x.Name = "FrmCuCilindri";
        x.ShapeCode = ShapeCuCilindri;
        x.TitleSection = LangFrmCuCil;
        x.InputRows = 8;
        x.Labels = 8;
        x.MinWidthTwips = 9300;
        x.PieceHintText = 41;
        return x;
    }();
    return d;
}

constexpr int DiameterBoxIndex = 1;
constexpr int BendBoxIndex = 4;
static_assert(ElementOfField(DiameterBoxIndex) == CylElbowDiameter &&
              ElementOfField(BendBoxIndex) == CylElbowBendDegrees);

std::int16_t Unit() { return State().Settings.MeasuringSystem; }

}  // namespace

CylElbowWindow::CylElbowWindow(int, QWidget* parent) : ElbowWindow(CylElbowDesign(), parent) {}

QWidget* CylElbowWindow::Open(int shapeCode) { return OpenSingle<CylElbowWindow, 1>(shapeCode, ShapeCuCilindri); }

// --- Load and captions ---

void CylElbowWindow::SetCylElbowCaptions() {
    const char* const degrees = " [\xC2\xB0]";
    setWindowTitle(Q(Txt(TextCylElbowTitle)));
    PnlSfondo->setTitle(Q(Txt(TextCylElbowData)));
    const std::string captions[8] = {
        Txt(TextElbowThickness) + ":",
        Txt(State().Settings.DiametriExt == 1 ? TextElbowOuterDiameter : TextElbowInnerDiameter) + " (d):",
        Txt(TextElbowStartCut) + degrees + ":",
        Txt(TextElbowEndCut) + degrees + ":",
        Txt(TextElbowBendAngle) + degrees + " (A):",
        Txt(TextElbowAxisLength) + ":",
        Txt(TextElbowBendRadius) + " (R):",
        Txt(TextElbowPieces) + ":"};
    for (std::size_t i = 0; i < 8; ++i) LblInputDati[i]->setText(Q(captions[i]));
    CmdApplica->setText(Q(Txt(TextElbowApply)));
    SetCaption(LblUnMisura, Txt(Unit() == 1 ? TextUnitInch : TextUnitMillimetre));
    CmdStampa->setText(Q(Txt(TextPrint)));
}

void CylElbowWindow::FillInputBoxes() {
    const CylElbowArray& data = State().Inputs.CylElbowData;
    for (std::size_t k = 0; k < 8; ++k)
        TxtInputDati[k]->SetText(FormatLength(data[ElementOfField(static_cast<int>(k))], Unit()));
}

// --- Apply ---

void CylElbowWindow::ReadInputBoxes() {
    CylElbowArray& data = State().Inputs.CylElbowData;
    for (std::size_t k = 0; k < 8; ++k)
        data[ElementOfField(static_cast<int>(k))] = static_cast<float>(ReadNumber(TxtInputDati[k]->Text()));
}

int CylElbowWindow::CheckInputs() { return CheckCylElbowInput(State().Inputs.CylElbowData); }

int CylElbowWindow::ComputeElbow() {
    WorkingState& st = State();
    return ApplyCylElbow(st.Inputs.CylElbowData, DevelopmentSettingsOf(st), st.Elbow);
}

bool CylElbowWindow::DrawElbowPicture(ElbowDrawing& drawing) {
    WorkingState& st = State();
    return DrawCylElbow(PctDisegno->canvas(), st.Elbow, drawing, st.CylinderPieceFill);
}

// --- Pieces ---

std::int16_t CylElbowWindow::PieceCount() const { return RoundToInt16(State().Inputs.CylElbowData[CylElbowPieces]); }

Colour CylElbowWindow::PieceFill() const { return State().CylinderPieceFill; }

std::int16_t CylElbowWindow::HitTestPiece(float x, float y) const {
    const CylElbowArray& data = State().Inputs.CylElbowData;
    return CylElbowPieceAt(x, y, Drawing().DrawingCentreX, Drawing().DrawingCentreY,
                           RoundToInt16(data[CylElbowPieces]), data[CylElbowBend]);
}

// --- Input boxes ---

namespace {

CylElbowBoxTexts BoxTexts(const std::vector<TextBox*>& boxes) {
    return {boxes[DiameterBoxIndex]->Text(), boxes[BendBoxIndex]->Text()};
}

}  // namespace

void CylElbowWindow::FilterKeyDown(TextBox& box, int field, int& keyCode, int) {
    if (keyCode != KeyCodeDelete) return;
    if (CylElbowKeyRefused(BoxStateOf(box), field, KeyDeleteFilter, BoxTexts(TxtInputDati), FieldSettingsOf(State())))
        keyCode = 0;
}

void CylElbowWindow::FilterKeyPress(TextBox& box, int field, int& keyAscii) {
    if (CylElbowKeyRefused(BoxStateOf(box), field, keyAscii, BoxTexts(TxtInputDati), FieldSettingsOf(State())))
        keyAscii = 0;
}

void CylElbowWindow::CheckFieldRange(TextBox& box, int field) {
    std::string text = box.Text();
    if (CheckCylElbowFieldRange(text, field, BoxTexts(TxtInputDati), FieldSettingsOf(State()))) box.SetText(text);
}

int CylElbowWindow::BendBox() const { return BendBoxIndex; }

void CylElbowWindow::ShowFieldHint(int field) {
    if (auto hint = CylElbowFieldHint(field, BoxTexts(TxtInputDati), FieldSettingsOf(State())))
        SetStatusText(*hint);
}


}  // namespace velm
