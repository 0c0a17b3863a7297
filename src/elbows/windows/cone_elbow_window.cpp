#include "elbows/windows/cone_elbow_window.h"

#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <algorithm>
#include <cmath>

#include "core/control_names.h"
#include "core/development_checks.h"
#include "core/input_fields.h"
#include "core/number_text.h"
#include "core/text_ids.h"
#include "elbows/cone_elbow_hit_test.h"
#include "elbows/cyl_elbow_fields.h"
#include "elbows/elbow_checks.h"
#include "elbows/end_connection_panel.h"
#include "frame/command_registry.h"
#include "frame/windows/input_services.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/text_box.h"
#include "elbows/windows/cone_elbow_window_texts.h"

namespace velm {

namespace {

const ElbowWindowDesign& DesignOf(const ConeElbowVariant& v) {
    static const auto designs = [] {
        std::array<ElbowWindowDesign, 3> d{};
        for (std::size_t k = 0; k < 3; ++k) {
            const ConeElbowVariant& cv = ConeElbowVariants[k];
            ElbowWindowDesign& x = d[k];
            x.Name = cv.Name;
            x.ShapeCode = cv.ShapeCode;
            x.TitleSection = LangFrmCuCon2;
            x.InputRows = cv.Boxes;
            x.Labels = cv.Boxes + 1;
            x.MinWidthTwips = 9000;
            x.PieceHintText = 40;
            x.HeightMarginTwips = 40;
            x.WidthMarginTwips = 5;
            x.PictureGapTwips = 2;
        }
        return d;
    }();
    return designs[static_cast<std::size_t>(&v - ConeElbowVariants)];
}

const ConeElbowVariant& VariantOf(int shapeCode) {
    const ConeElbowVariant* v = ConeElbowVariantOf(shapeCode);
    return v ? *v : ConeElbowVariants[0];
}

std::int16_t Unit() { return State().Settings.MeasuringSystem; }

// Panel geometry in twips: the input frame and the end-connection panel take
// the same place below the connection buttons.
constexpr int FrameLeft = 135, FrameTop = 990, FrameWidth = 2925, FrameHeight = 2700;
constexpr int InLabelLeft = 60, InBoxLeft = 1995, InBoxWidth = 900, InBoxHeight = 285;
constexpr int InRowTop = 420, RowStep = 375;
constexpr int ButtonLeft = 240, ButtonWidth = 2660, ButtonHeight = 420;

}  // namespace

ConeElbowWindow::ConeElbowWindow(int shapeCode, QWidget* parent)
    : ElbowWindow(DesignOf(VariantOf(shapeCode)), parent), variant_(VariantOf(shapeCode)) {
    if (variant_.EndPieceOption) BuildEndPieceOption();
    if (variant_.Connections) {
        BuildConnectionControls();
    } else {
        // The result label has the row to itself.
        QLabel* result = LblInputDati.back();
        result->resize(PnlSfondo->width() - 2 * result->x(), result->height());
    }
}

QWidget* ConeElbowWindow::Open(int shapeCode) {
    return OpenSingle<ConeElbowWindow, 3>(shapeCode, ShapeCuConica1);
}

void RegisterConeElbowWindows() {
    ShapeWindowBase::RegisterFamily<ConeElbowWindow>(ShapeCuConica1, ShapeCuConica3);
    RegisterInputCheck(ShapeCuConica1, ShapeCuConica3, ElbowApplyAnswer);
}

void ConeElbowWindow::BuildEndPieceOption() {
    FraRaccordi = new QGroupBox(PnlSfondo);
    FraRaccordi->setObjectName(QStringLiteral("FraRaccordi"));
    const int top = CmdIndietro->geometry().bottom() + Px(180);
    FraRaccordi->setGeometry(Px(ButtonLeft), top, Px(ButtonWidth), Px(900));
    for (int i = 0; i < 2; ++i) {
        auto* opt = new QRadioButton(FraRaccordi);
        opt->setObjectName(Q(IndexedName("OptRaccordi", i)));
        opt->setGeometry(Px(120), Px(270 + 300 * i), Px(ButtonWidth - 240), Px(270));
        connect(opt, &QRadioButton::clicked, this, [this, i] { OptRaccordi_Click(i); });
        OptRaccordi.push_back(opt);
    }
    TrackHints({FraRaccordi});
    Hints().Clear(FraRaccordi, ToolTip::Hides);
}

void ConeElbowWindow::BuildConnectionControls() {
    for (int i = 0; i < 2; ++i) {
        QPushButton* b = MakeButtonAt(PnlSfondo, i == 0 ? "CmdRaccordi(0)" : "CmdRaccordi(1)", ButtonLeft,
                                      300 + 345 * i, ButtonWidth, 315);
        connect(b, &QPushButton::clicked, this, [this, i] { CmdRaccordi_Click(i); });
        CmdRaccordi.push_back(b);
    }
    BuildInputFrame();
    BuildConnectionPanel();
    BuildPanelKeys();
    FraPanel->hide();
    LblUnMisura->raise();
    std::vector<QWidget*> hinted{FraInput, FraPanel, CmdRaccordi[StartConnectionRecord],
                                 CmdRaccordi[EndConnectionRecord]};
    hinted.insert(hinted.end(), LblRaccordi.begin(), LblRaccordi.end());
    TrackHints(hinted);
    Hints()
        .Clear(FraInput, ToolTip::Hides)
        .Clear(FraPanel, ToolTip::Hides)
        .Calls(LblRaccordi, [this](int k) {
            if (const auto hint = ConnectionFieldHint(k, OptRaccordo[CylindricalOption]->isChecked(), EditedConnection,
                                                      FieldSettingsOf(State())))
                SetStatusText(*hint);
            TxtRaccordi[static_cast<std::size_t>(k)]->setFocus();
        });
}

void ConeElbowWindow::BuildInputFrame() {
    // The input column moves into its frame.
    FraInput = new QGroupBox(PnlSfondo);
    FraInput->setObjectName(QStringLiteral("FraRaccordi(2)"));
    FraInput->setGeometry(Px(FrameLeft), Px(FrameTop), Px(FrameWidth), Px(FrameHeight));
    const int labelHeight = LblInputDati[ConeElbowThicknessField]->height();
    for (std::size_t i = 0; i < LblInputDati.size(); ++i) {
        LblInputDati[i]->setParent(FraInput);
        LblInputDati[i]->setGeometry(Px(InLabelLeft), Px(InRowTop + RowStep * static_cast<int>(i)) + 2,
                                     Px(InBoxLeft - InLabelLeft) - 4, labelHeight);
    }
    // The result label has the row to itself.
    LblInputDati.back()->resize(Px(FrameWidth - 2 * InLabelLeft), labelHeight);
    for (std::size_t i = 0; i < TxtInputDati.size(); ++i) {
        TxtInputDati[i]->setParent(FraInput);
        TxtInputDati[i]->setGeometry(Px(InBoxLeft), Px(InRowTop + RowStep * static_cast<int>(i)), Px(InBoxWidth),
                                     Px(InBoxHeight));
    }
    // The unit holds for the panel's boxes too: the label stays on the
    // column, in the title row of whichever frame is shown, over both.
    LblUnMisura->move(Px(FrameLeft + InBoxLeft), Px(FrameTop));
    const int buttonsTop = FrameTop + FrameHeight + 120;
    for (QPushButton* b : {CmdApplica, CmdStampa, CmdIndietro})
        b->move(Px(ButtonLeft), Px(buttonsTop + (b == CmdApplica ? 0 : b == CmdStampa ? 480 : 960)));
}

void ConeElbowWindow::BuildConnectionPanel() {
    // The end-connection panel, over the input frame while it is open.
    FraPanel = new QGroupBox(PnlSfondo);
    FraPanel->setObjectName(QStringLiteral("FraRaccordi(0)"));
    FraPanel->setGeometry(Px(FrameLeft), Px(FrameTop), Px(FrameWidth), Px(FrameHeight));
    for (int i = 0; i < 2; ++i) {
        auto* opt = new QRadioButton(FraPanel);
        opt->setObjectName(Q(IndexedName("OptRaccordo", i)));
        opt->setGeometry(Px(120), Px(240 + 270 * i), Px(FrameWidth - 240), Px(255));
        connect(opt, &QRadioButton::clicked, this, [this, i] { OptRaccordo_Click(i); });
        OptRaccordo.push_back(opt);
    }
    for (int k = 0; k < 4; ++k) {
        const int top = 840 + RowStep * k;
        QLabel* label = MakeLabel(FraPanel, IndexedName("LblRaccordi", k));
        // The diameters' captions are long: they may take two lines.
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setGeometry(Px(InLabelLeft), Px(top + InBoxHeight / 2 - RowStep / 2), Px(InBoxLeft - InLabelLeft) - 4,
                           Px(RowStep));
        LblRaccordi.push_back(label);
        auto* box = new TextBox(FraPanel);
        box->setObjectName(Q(IndexedName("TxtRaccordi", k)));
        box->setGeometry(Px(InBoxLeft), Px(top), Px(InBoxWidth), Px(InBoxHeight));
        WireConnectionBox(box, k);
        TxtRaccordi.push_back(box);
    }
    CmdARI = MakeButtonAt(FraPanel, "CmdARI", 1200, 840 + RowStep * 4 + 30, 1000, 330);
    CmdARI->setText(QStringLiteral("Ok"));
    connect(CmdARI, &QPushButton::clicked, this, [this] { CmdARI_Click(); });
}

void ConeElbowWindow::WireConnectionBox(TextBox* box, int k) {
    box->OnKeyPress = [box, k](int& keyAscii) {
        FilterConnectionKeyPress(BoxStateOf(*box), k, keyAscii, FieldSettingsOf(State()));
    };
    box->OnKeyDown = [box, k](int& keyCode, int) {
        FilterConnectionKeyDown(BoxStateOf(*box), k, keyCode, FieldSettingsOf(State()));
    };
    box->OnLostFocus = [box, k] {
        std::string text = box->Text();
        if (CheckConnectionFieldRange(text, k, FieldSettingsOf(State()))) box->SetText(text);
    };
    // A box shows its label's hint.
    box->OnMouseMove = [this, k](int, int, int, int) { Hints().Show(LblRaccordi[static_cast<std::size_t>(k)]); };
    TrackBox(box);
}

void ConeElbowWindow::BuildPanelKeys() {
    // While the panel is open Enter and Esc both confirm the record; once a
    // record is confirmed Enter applies and Esc goes back, as the buttons do
    // (a default or cancel button means nothing outside a dialog).
    for (QKeySequence key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Escape)}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        shortcut->setEnabled(false);  // not before a record is opened
        const bool back = key == QKeySequence(Qt::Key_Escape);
        connect(shortcut, &QShortcut::activated, this, [this, back] {
            if (PanelOpen()) return CmdARI_Click();
            (back ? CmdIndietro : CmdApplica)->click();
        });
        panelKeys_.push_back(shortcut);
    }
}

// --- Load and captions ---

void ConeElbowWindow::SetConeElbowCaptions() {
    const std::int16_t ext = State().Settings.DiametriExt;
    setWindowTitle(Q(ConeElbowTitle(variant_)));
    PnlSfondo->setTitle(Q(Txt(TextConeElbowData)));
    for (int i = 0; i < variant_.Boxes; ++i)
        LblInputDati[static_cast<std::size_t>(i)]->setText(Q(ConeElbowBoxCaption(variant_, i, ext)));
    LblInputDati[static_cast<std::size_t>(variant_.Boxes)]->setText(Q(ConeElbowResultCaption(false, 0)));
    CmdApplica->setText(Q(Txt(TextElbowApply)));
    SetCaption(LblUnMisura, Txt(Unit() == 1 ? TextUnitInch : TextUnitMillimetre));
    CmdStampa->setText(Q(Txt(TextPrint)));
    if (FraRaccordi) {
        FraRaccordi->setTitle(Q(Txt(TextEndPieces)));
        OptRaccordi[ConicalOption]->setText(Q(Txt(TextConicalEndPieces)));
        OptRaccordi[CylindricalOption]->setText(Q(Txt(TextCylindricalEndPieces)));
    }
    if (variant_.Connections) {
        CmdRaccordi[StartConnectionRecord]->setText(Q(Txt(TextStartConnection)));
        CmdRaccordi[EndConnectionRecord]->setText(Q(Txt(TextEndConnection)));
        OptRaccordo[ConicalOption]->setText(Q(Txt(TextConicalConnection)));
        OptRaccordo[CylindricalOption]->setText(Q(Txt(TextCylindricalConnection)));
        FraInput->setTitle(Q(Txt(TextConnectionData)));
        LblRaccordi[CutAngleBox]->setText(Q(Txt(TextConnectionCut) + " [\xC2\xB0]:"));
        LblRaccordi[LengthBox]->setText(Q(Txt(TextConnectionLength) + ":"));
    }
}

void ConeElbowWindow::FillInputBoxes() {
    const ConeElbowArray& data = State().Inputs.ConeElbowData;
    for (int i = 0; i < variant_.Boxes; ++i)
        TxtInputDati[static_cast<std::size_t>(i)]->SetText(
            FormatLength(data[ElementOfField(variant_.Field[static_cast<std::size_t>(i)])], Unit()));
    if (FraRaccordi)
        OptRaccordi[State().Inputs.CylindricalEnds == "S" ? CylindricalOption : ConicalOption]->setChecked(true);
    if (variant_.Connections) ClosePanel();
}

// --- Apply ---

void ConeElbowWindow::ReadInputBoxes() {
    InputArrays& in = State().Inputs;
    for (int i = 0; i < variant_.Boxes; ++i)
        in.ConeElbowData[ElementOfField(variant_.Field[static_cast<std::size_t>(i)])] =
            static_cast<float>(ReadNumber(TxtInputDati[static_cast<std::size_t>(i)]->Text()));
    // Every apply of FrmCuConica1 writes the option into both records' kinds.
    if (FraRaccordi) SetCylindricalEnds(in, OptRaccordi[CylindricalOption]->isChecked());
}

int ConeElbowWindow::ComputeElbow() {
    WorkingState& st = State();
    return ApplyConeElbow(variant_, st.Inputs, DevelopmentSettingsOf(st), st.Elbow);
}

void ConeElbowWindow::CmdApplica_Click() {
    ElbowWindow::CmdApplica_Click();
    LblInputDati[static_cast<std::size_t>(variant_.Boxes)]->setText(
        Q(ConeElbowResultCaption(LastApplyAccepted(), State().Elbow.ApexAngle)));
    // An apply while the panel is open (a save) leaves the panel's state.
    if (PanelOpen()) CmdStampa->setEnabled(false);
}

bool ConeElbowWindow::DrawElbowPicture(ElbowDrawing& drawing) {
    WorkingState& st = State();
    return DrawConeElbow(PctDisegno->canvas(), st.Elbow, drawing, st.ConePieceFill);
}

void ConeElbowWindow::Form_Resize() {
    if (!PanelOpen()) return ElbowWindow::Form_Resize();
    // With the panel open the records are being edited: lay out only.
    if (Frame()->isMinimized()) return;
    if (KeepMinimumSize()) return;
    LayOut();
}

void ConeElbowWindow::OptRaccordi_Click(int) {
    if (isVisible()) CmdApplica_Click();
}

// --- Pieces ---

std::int16_t ConeElbowWindow::PieceCount() const {
    return ConeElbowPieceTotal(variant_, State().Inputs.ConeElbowData);
}

Colour ConeElbowWindow::PieceFill() const { return State().ConePieceFill; }

std::int16_t ConeElbowWindow::HitTestPiece(float x, float y) const {
    const ConeElbowArray& data = State().Inputs.ConeElbowData;
    const float cx = Drawing().DrawingCentreX, cy = Drawing().DrawingCentreY;
    const std::int16_t n = RoundToInt16(data[ConeElbowPieces]);
    switch (variant_.Layout) {
        case ConeElbowLayout::HalfEndPieces: return ConeElbow1PieceAt(x, y, cx, cy, n, data[ConeElbowBend]);
        case ConeElbowLayout::EqualPieces: return ConeElbow2PieceAt(x, y, cx, cy, n, data[ConeElbowBend]);
        default: return ConeElbow3PieceAt(x, y, cx, cy, n, data[ConeElbowBend]);
    }
}

bool ConeElbowWindow::PieceIsCylindrical(std::int16_t p) const {
    ElbowPiece piece;
    return ElbowPieceOf(State().Elbow, p, piece) && piece.Cylindrical;
}

void ConeElbowWindow::PctDisegno_Click() {
    if (!CmdApplica->isEnabled()) return;  // the end-connection panel is open
    ElbowWindow::PctDisegno_Click();
}

void ConeElbowWindow::PctDisegno_MouseMove(int, int, float x, float y) {
    std::string status;
    const Colour c = PctDisegno->canvas().Point(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    if (c == PieceFill() && CmdApplica->isEnabled()) {
        const std::int16_t piece = HitTestPiece(x, y);
        if (piece >= 1 && piece <= PieceCount()) status = ConeElbowPieceHint(piece, PieceIsCylindrical(piece));
    }
    SetStatusText(status);
}

// --- Input boxes ---

std::string ConeElbowWindow::BendText() const { return TxtInputDati[static_cast<std::size_t>(BendBox())]->Text(); }

void ConeElbowWindow::FilterKeyDown(TextBox& box, int field, int& keyCode, int shift) {
    if (!variant_.Connections) return FilterConeElbowKeyDown(this, box, field, keyCode, shift);
    FilterConeElbowKeyDown(BendText(), BoxStateOf(box), variant_.Field[static_cast<std::size_t>(field)], keyCode,
                           shift, FieldSettingsOf(State()));
}

void ConeElbowWindow::FilterKeyPress(TextBox& box, int field, int& keyAscii) {
    if (!variant_.Connections) return FilterConeElbowKeyPress(this, box, field, keyAscii);
    FilterConeElbowKeyPress(BendText(), BoxStateOf(box), variant_.Field[static_cast<std::size_t>(field)], keyAscii,
                            FieldSettingsOf(State()));
}

void ConeElbowWindow::CheckFieldRange(TextBox& box, int field) {
    if (!variant_.Connections) return CheckConeElbowFieldRange(this, box, field);
    std::string text = box.Text();
    if (CheckConeElbowFieldRange(BendText(), text, variant_.Field[static_cast<std::size_t>(field)],
                                 FieldSettingsOf(State())))
        box.SetText(text);
}

void ConeElbowWindow::ShowFieldHint(int field) {
    if (!variant_.Connections) return ShowConeElbowFieldHint(this, field);
    if (const auto hint =
            ConeElbowFieldHint(BendText(), variant_.Field[static_cast<std::size_t>(field)], FieldSettingsOf(State())))
        SetStatusText(*hint);
}

// --- End-connection panel ---

bool ConeElbowWindow::PanelOpen() const { return FraPanel && !FraPanel->isHidden(); }

void ConeElbowWindow::ClosePanel() {
    CmdRaccordi[StartConnectionRecord]->setEnabled(true);
    CmdRaccordi[EndConnectionRecord]->setEnabled(true);
    FraInput->show();
    FraPanel->hide();
    CmdApplica->setEnabled(true);
    for (QShortcut* key : panelKeys_) key->setEnabled(false);
}

void ConeElbowWindow::SetFilletPanelLabels(int kind, int record) {
    const ConnectionDiameterLabels l = FilletPanelLabels(kind != 0, record, State().Settings.DiametriExt);
    LblRaccordi[DiameterBox]->setText(Q(l.First));
    LblRaccordi[SecondDiameterBox]->setText(Q(l.Second));
}

void ConeElbowWindow::CmdRaccordi_Click(int index) {
    if (!variant_.Connections) return;
    const EndConnectionArray& c = State().Inputs.EndConnections;
    EditedConnection =
        static_cast<std::int16_t>(index == EndConnectionRecord ? EndConnectionRecord : StartConnectionRecord);
    const int option = ConnectionIsConical(c, EditedConnection) ? ConicalOption : CylindricalOption;
    OptRaccordo[static_cast<std::size_t>(option)]->setChecked(true);
    OptRaccordo_Click(option);
    FraPanel->setTitle(Q(Txt(EditedConnection == StartConnectionRecord ? TextStartConnection : TextEndConnection)));
    CmdRaccordi[StartConnectionRecord]->setEnabled(EditedConnection != StartConnectionRecord);
    CmdRaccordi[EndConnectionRecord]->setEnabled(EditedConnection == StartConnectionRecord);
    // Values typed but not confirmed give way to the stored record.
    const auto texts = ConnectionBoxTexts(c, EditedConnection, Unit());
    for (std::size_t k = 0; k < 4; ++k) TxtRaccordi[k]->SetText(texts[k]);
    FraPanel->move(Px(FrameLeft), Px(FrameTop));
    FraPanel->show();
    FraPanel->raise();
    LblUnMisura->raise();
    FraInput->hide();
    CmdApplica->setEnabled(false);
    CmdStampa->setEnabled(false);
    CmdARI->setDefault(true);
    for (QShortcut* key : panelKeys_) key->setEnabled(true);
}

void ConeElbowWindow::OptRaccordo_Click(int index) {
    const bool cylindrical = index == CylindricalOption;
    LblRaccordi[SecondDiameterBox]->setVisible(!cylindrical);
    TxtRaccordi[SecondDiameterBox]->setVisible(!cylindrical);
    SetFilletPanelLabels(index, EditedConnection);
}

void ConeElbowWindow::CmdARI_Click() {
    if (!PanelOpen()) return;
    WorkingState& st = State();
    std::array<std::string, 4> texts;
    for (std::size_t k = 0; k < 4; ++k) texts[k] = TxtRaccordi[k]->Text();
    const int refused =
        StoreConnectionRecord(st.Inputs.EndConnections, EditedConnection, OptRaccordo[CylindricalOption]->isChecked(),
                              texts);
    if (refused != 0) {
        ReportCheckResult(refused);
        HoldAcceptedInputs();  // the refused record is in the arrays now
        PctDisegno->canvas().Cls();
        PctDisegno->update();
        // What was drawn and developed no longer matches the records.
        st.DevelopmentValid = False16;
        EnableFileCommands(true);
        return;
    }
    ClosePanel();
    CmdARI->setDefault(false);
    CmdApplica->setDefault(true);
    for (QShortcut* key : panelKeys_) key->setEnabled(true);
    CmdApplica_Click();  // the focus, gone with the panel, moves to the apply button
}

}  // namespace velm
