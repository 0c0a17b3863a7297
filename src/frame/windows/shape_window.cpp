#include "frame/windows/shape_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <algorithm>
#include <cmath>

#include "core/control_names.h"
#include "core/development_checks.h"
#include "frame/command_registry.h"
#include "core/number_text.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/input_services.h"
#include "frame/windows/window_design.h"
#include "geometry/cylinder_geometry.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/text_box.h"
#include "platform/qt/qt_text.h"
#include "frame/windows/shape_window_texts.h"

namespace velm {

namespace {

constexpr int PanelWidthTwips = 3195;
constexpr int PanelHeightTwips = 5685;
constexpr int ButtonWidthTwips = 2660;
constexpr int WeldWidthTwips = 2655;
constexpr int ButtonHeightTwips = 420;
constexpr int PictureMargin = 5;  // pixels between the picture and the panel or the window's right edge
constexpr Colour Grey = RGB(128, 128, 128);
constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Yellow = RGB(255, 255, 0);

int RowTop(const std::vector<int>& tops, int i) {
    return i < static_cast<int>(tops.size()) ? tops[static_cast<std::size_t>(i)] : 480 + 375 * i;
}

}  // namespace

ShapeWindow::ShapeWindow(const ShapeWindowDesign& design, QWidget* parent)
    : ShapeWindowBase(design.Name, design.ShapeCode, MinWindowWidthTwips, MinWindowHeightTwips,
                      ShapePictureBackColour, parent),
      design_(design) {
    BuildControls();
}

void ShapeWindow::BuildControls() {
    setMouseTracking(true);
    BuildPanel();
    BuildCommands();
    BuildEdgeLabels();
    BuildPicture();
    DeclareHints();
}

void ShapeWindow::BuildPanel() {
    const ShapeWindowDesign& d = design_;
    PnlSfondo = MakePanel();
    PnlSfondo->setGeometry(0, 0, Px(PanelWidthTwips), Px(PanelHeightTwips));

    const int labelWidth = Px(d.BoxLeft - d.LabelLeft) - 4;
    const int labelHeight = std::max(Px(195), PnlSfondo->fontMetrics().height());
    for (int i = 0; i < d.OutputLabels; ++i) {
        QLabel* label = MakeLabel(PnlSfondo, IndexedName("LblInputDati", i));
        label->setGeometry(Px(d.LabelLeft), Px(RowTop(d.LabelTops, i)), labelWidth, labelHeight);
        LblInputDati.push_back(label);

        QLabel* output = MakeLabel(PnlSfondo, IndexedName("LblOutputDati", i));
        output->setGeometry(Px(d.OutputLeft), Px(RowTop(d.OutputTops, i)), Px(d.OutputWidth),
                            Px(d.OutputHeight));
        output->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        output->hide();
        LblOutputDati.push_back(output);
    }
    for (int i = 0; i < d.InputRows; ++i) {
        auto* box = Named(new TextBox(PnlSfondo), IndexedName("TxtInputDati", i));
        box->setGeometry(Px(d.BoxLeft), Px(RowTop(d.BoxTops, i)), Px(d.BoxWidth), Px(d.BoxHeight));
        WireInputBox(box, i);
        TxtInputDati.push_back(box);
    }
    if (d.SignLabel) {
        LblSegno = MakeLabel(PnlSfondo, "LblSegno");
        LblSegno->setText(QStringLiteral("-"));
        LblSegno->setGeometry(Px(d.SignLeft), Px(d.SignTop),
                              std::max(Px(45), LblSegno->fontMetrics().horizontalAdvance(QLatin1Char('-')) + 1),
                              labelHeight);
    }
}

void ShapeWindow::BuildCommands() {
    const ShapeWindowDesign& d = design_;
    const auto MakeButton = [this](const char* name, int topTwips, int widthTwips) {
        return MakeButtonAt(PnlSfondo, name, 240, topTwips, widthTwips, ButtonHeightTwips);
    };
    CmdApplica = MakeButton("CmdApplica", d.ApplyTop, ButtonWidthTwips);
    CmdModifica = MakeButton("CmdModifica", d.ApplyTop, ButtonWidthTwips);
    CmdSviluppa = MakeButton("CmdSviluppa", d.DevelopTop, ButtonWidthTwips);
    CmdAnteprima = MakeButton("CmdAnteprima", d.DevelopTop, ButtonWidthTwips);
    CmdIndietro = MakeButton("CmdIndietro", d.BackTop, ButtonWidthTwips);
    CmdIndietro->setText(QStringLiteral("<<<"));
    CmdModifica->hide();
    CmdAnteprima->hide();
    connect(CmdApplica, &QPushButton::clicked, this, [this] { CmdApplica_Click(); });
    connect(CmdModifica, &QPushButton::clicked, this, [this] { CmdModifica_Click(); });
    connect(CmdSviluppa, &QPushButton::clicked, this, [this] { CmdSviluppa_Click(); });
    connect(CmdAnteprima, &QPushButton::clicked, this, [this] { CmdAnteprima_Click(); });
    connect(CmdIndietro, &QPushButton::clicked, this, [this] { CmdIndietro_Click(); });
    if (d.WeldSide) {
        CmdSaldatura = MakeButton("CmdSaldatura", d.WeldTop, WeldWidthTwips);
        connect(CmdSaldatura, &QPushButton::clicked, this, [this] { CmdSaldatura_Click(); });
    }
}

void ShapeWindow::BuildEdgeLabels() {
    const ShapeWindowDesign& d = design_;
    LblUnMisura = MakeLabel(this, "LblUnMisura");
    LblUnMisura->move(Px(d.UnitLeft), Px(d.UnitTop));
    SetForeColour(LblUnMisura, Yellow);
    // The edge labels end at the window's right edge; their text ends where
    // the picture does, clear of the edge.
    const QMargins edgeGap(0, 0, PictureMargin, 0);
    const auto makeEdgeLabels = [&](const char* name, int count, std::vector<QLabel*>& labels) {
        for (int i = 0; i < count; ++i) {
            QLabel* label = MakeLabel(this, IndexedName(name, i));
            label->setContentsMargins(edgeGap);
            label->move(0, i == 0 ? 0 : Px(225));
            SetForeColour(label, Yellow);
            label->hide();
            labels.push_back(label);
        }
    };
    makeEdgeLabels("LblDiffLato", d.SideLabels, LblDiffLato);
    makeEdgeLabels("LblArco", d.ArcLabels, LblArco);
}

void ShapeWindow::BuildPicture() {
    const ShapeWindowDesign& d = design_;
    PctDisegno = MakePicture(ShapePictureBackColour);
    PctDisegno->setGeometry(PnlSfondo->width() + 5, 40, 0, 0);
    for (int k = 0; k < d.SketchBoxes; ++k) {
        auto* box = Named(new TextBox(PctDisegno), IndexedName("TxtAnt", k));
        box->setFrame(false);
        box->SetBackColor(Grey);
        box->SetForeColor(White);
        box->hide();
        WireSketchBox(box, k);
        TxtAnt.push_back(box);
    }
    for (int k = 0; k < d.SketchLabels; ++k) {
        QLabel* label = MakeLabel(PctDisegno, IndexedName("LblDatiSviluppo", k));
        label->hide();
        LblDatiSviluppo.push_back(label);
    }
}

void ShapeWindow::DeclareHints() {
    const ShapeWindowDesign& d = design_;
    ControlHints& hints = Hints();
    hints.Text(CmdApplica, d.HintApply)
        .Text(CmdSviluppa, d.HintDevelop)
        .Text(CmdModifica, d.HintModify)
        .Text(CmdAnteprima, d.HintPreview)
        .Text(CmdIndietro, TextBackToShapes)
        .Clear(PctDisegno)
        .Clear(PnlSfondo, ToolTip::Hides)
        .Texts(LblArco, d.HintArc)
        .Texts(LblDiffLato, d.HintSide)
        .Calls(LblDatiSviluppo, [this](int i) {
            if (InputViewActive) SketchLabelHint(i);
        })
        .Calls(LblInputDati, [this](int i) {
            if (!InputViewActive) return;
            ShowFieldHint(i);
            if (i < design_.InputRows) TxtInputDati[static_cast<std::size_t>(i)]->setFocus();
        });
    if (CmdSaldatura) hints.Text(CmdSaldatura, d.HintWeld);

    // Each control answers the pointer itself, without passing the move on
    // to the panel or window that holds it; those without a hint keep the
    // status line as it is.
    std::vector<QWidget*> hinted{PnlSfondo, PctDisegno, CmdApplica, CmdModifica, CmdSviluppa, CmdAnteprima,
                                 CmdIndietro};
    if (CmdSaldatura) hinted.push_back(CmdSaldatura);
    for (auto* labels : {&LblInputDati, &LblOutputDati, &LblDatiSviluppo, &LblDiffLato, &LblArco})
        hinted.insert(hinted.end(), labels->begin(), labels->end());
    hinted.push_back(LblUnMisura);
    if (LblSegno) hinted.push_back(LblSegno);
    TrackHints(hinted);
}

void ShapeWindow::InputBoxChanged(int field) { CopyInputToAnt(this, field, MirrorEnabled, InputsChanged); }

void ShapeWindow::WireSketchBox(TextBox* box, int k) {
    box->OnKeyDown = [this, box, k](int& keyCode, int shift) { FilterKeyDown(*box, k + 1, keyCode, shift); };
    box->OnKeyPress = [this, box, k](int& keyAscii) { FilterKeyPress(*box, k + 1, keyAscii); };
    box->OnChange = [this, k] { CopyAntToInput(this, k, MirrorEnabled); };
    box->OnLostFocus = [this, box, k] {
        box->SetBackColor(Grey);
        box->SetForeColor(White);
        CheckFieldRange(*box, k + 1);
    };
    box->OnMouseMove = [this, box, k](int, int, int, int) {
        ShowFieldHint(k + 1);
        HighlightTextBox(*box);
    };
    TrackBox(box);
}

// --- Life cycle ---

void ShapeWindow::Form_Load() {
    MirrorEnabled = False16;
    FillInputBoxes();
    MirrorEnabled = True16;
    InputViewActive = True16;
    SetShapeState();
    ApplyCommonTexts();
    ApplyFormTexts();
    CmdAnteprima->setEnabled(SheetPreviewAvailable());
    InputsChanged = False16;
    State().DirectPrint = False16;
}

void ShapeWindow::ApplyCommonTexts() {
    setWindowTitle(Q(Title()));
    CmdApplica->setText(Q(Txt(design_.ApplyText)));
    CmdSviluppa->setText(Q(Txt(design_.DevelopText)));
    CmdModifica->setText(Q(Txt(design_.ModifyText)));
    CmdAnteprima->setText(Q(Txt(TextPreviewButton)));
    if (CmdSaldatura) CmdSaldatura->setText(Q(Txt(TextMoveWeldSeam)));
    SetCaption(LblUnMisura, Txt(State().Settings.MeasuringSystem != 0 ? TextUnitInch : TextUnitMillimetre));
}

void ShapeWindow::Form_Resize() {
    if (Frame()->isMinimized()) return;
    if (KeepMinimumSize()) return;  // the resize that follows redraws
    PnlSfondo->resize(PnlSfondo->width(), height());
    if (InputViewActive) {
        CmdApplica_Click();
    } else {
        CmdSviluppa_Click();
    }
}

// --- Commands ---

void ShapeWindow::CmdApplica_Click() {
    if (isVisible()) {
        // The box being left runs its range check before its text is read:
        // Qt sends the focus change at once. The yield lets queued events run
        // too, but never from inside a resize or show: painting there draws
        // the window half laid out, and Qt does not paint those parts again.
        CmdApplica->setFocus();
        if (!InGeometryEvent()) QCoreApplication::processEvents();
    }
    InputViewActive = True16;
    ReadInputBoxes();
    SetHourglass();
    const int message = ValidateAndDevelop();
    ClearHourglass();
    // Even a refused apply may have written part of the shared results.
    std::uint64_t& generation = ResultsGeneration();
    generation = State().NewGeneration();
    ownGeneration_ = message == 0 ? generation : 0;
    const bool refused = ReportApplyResult(message) != False16;
    if (refused) {
        lastApplyAccepted_ = false;
        AfterRefusedApply();
        ResetView();
        State().DevelopmentValid = False16;
    } else {
        lastApplyAccepted_ = true;
        ShowInputView();
        SetDevelopEnabled(true);
        AfterAcceptedApply();
        if (LayOutPicture()) DrawSketch();
        State().DevelopmentValid = True16;
    }
    InputsChanged = False16;
    EnableFileCommands(true);
}

void ShapeWindow::CmdSviluppa_Click() {
    // Edited boxes, or results that another window has replaced since: this
    // window's inputs are applied again first.
    if (InputsChanged || (lastApplyAccepted_ && !OwnsResults())) CmdApplica_Click();
    if (!developEnabled_) return;
    ShowResultView();
    if (LayOutPicture()) DrawDevelopment();
}

void ShapeWindow::CmdSaldatura_Click() {
    const bool resultView = !InputViewActive;
    // The side is flipped on this window's own results, never on another's.
    if (lastApplyAccepted_ && !OwnsResults()) CmdApplica_Click();
    if (!lastApplyAccepted_) {
        // Refused inputs are never developed: only the side changes.
        State().Settings.LatoSaldatura = static_cast<std::int16_t>(-State().Settings.LatoSaldatura);
        return;
    }
    ToggleWeldSide();
    ownGeneration_ = ResultsGeneration() = State().NewGeneration();
    if (resultView) CmdSviluppa_Click();
}

void ShapeWindow::CmdAnteprima_Click() {
    if (!SheetPreviewAvailable()) return;
    if (lastApplyAccepted_ && !OwnsResults()) CmdSviluppa_Click();
    if (!lastApplyAccepted_) return;
    ShowSheetPreview();
}

void ShapeWindow::CmdModifica_Click() {
    ShowInputView();
    CmdApplica_Click();
}

bool ShapeWindow::ApplyPendingInputs() {
    // The result view stays: the development is drawn again from the checked inputs.
    const bool resultView = !InputViewActive && !Unloaded();
    if (!ShapeWindowBase::ApplyPendingInputs()) return false;
    if (resultView) CmdSviluppa_Click();
    return true;
}


bool ShapeWindow::SheetPreviewAvailable() const { return CommandRegistered(RegisteredCommand::SheetPreview); }

void ShapeWindow::ShowSheetPreview() { RunCommand(RegisteredCommand::SheetPreview); }

bool ShapeWindow::OwnsResults() const {
    return lastApplyAccepted_ && ownGeneration_ != 0 && ownGeneration_ == ResultsGeneration();
}

void ShapeWindow::SetDevelopEnabled(bool enabled) {
    developEnabled_ = enabled;
    CmdSviluppa->setEnabled(enabled);
}

// --- Views ---

std::string ShapeWindow::Title() const { return Txt(design_.TitleSection, 1); }

void ShapeWindow::ShowInputView() {
    setWindowTitle(Q(Title() + ": " + Txt(TextInputView)));
    CmdAnteprima->hide();
    CmdModifica->hide();
    CmdApplica->show();
    CmdSviluppa->show();
    for (auto* labels : {&LblDatiSviluppo, &LblArco, &LblDiffLato})
        for (QLabel* label : *labels) label->hide();
    for (int i = 0; i < design_.InputRows; ++i) LblOutputDati[static_cast<std::size_t>(i)]->hide();
    if (LblSegno) LblSegno->show();
    SetSketchLabelCaptions();
    for (TextBox* box : TxtInputDati) box->show();
    for (TextBox* box : TxtAnt) {
        box->SetBackColor(Grey);
        box->SetForeColor(White);
        box->show();
    }
}

void ShapeWindow::ShowResultView() {
    InputViewActive = False16;
    setWindowTitle(Q(Title() + ": " + Txt(design_.ResultViewText)));
    for (auto* labels : {&LblDatiSviluppo, &LblArco, &LblDiffLato})
        for (QLabel* label : *labels) label->hide();
    if (LblSegno) LblSegno->hide();
    CmdApplica->hide();
    CmdSviluppa->hide();
    CmdAnteprima->show();
    CmdModifica->show();
    for (TextBox* box : TxtAnt) box->hide();
    for (int i = 0; i < design_.InputRows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        SetValueCaption(LblOutputDati[row], OutputText(i));
        TxtInputDati[row]->hide();
        LblOutputDati[row]->show();
    }
    std::vector<QLabel*> arcs;
    for (int i = 0; i < design_.ArcLabels; ++i) {
        const std::string text = ArcText(i);
        if (text.empty()) continue;
        QLabel* label = LblArco[static_cast<std::size_t>(i)];
        SetCaption(label, text);
        AlignRight(label);
        arcs.push_back(label);
    }
    for (QLabel* label : arcs) label->show();
}

void ShapeWindow::ResetView() {
    PctDisegno->canvas().Cls();
    for (TextBox* box : TxtAnt) box->hide();
    for (QLabel* label : LblDatiSviluppo) label->hide();
    for (QLabel* label : LblDiffLato) label->hide();
    SetDevelopEnabled(false);
}

// --- Helpers ---

void ShapeWindow::SetValueCaption(QLabel* label, const std::string& caption) {
    label->setText(Q(caption));
    label->resize(std::max(Px(design_.OutputWidth), label->sizeHint().width()), Px(design_.OutputHeight));
}

void ShapeWindow::AlignRight(QLabel* label) {
    label->adjustSize();
    label->move(width() - label->width(), label->y());
}

void ShapeWindow::SetSideDifferences(const std::vector<std::pair<int, std::string>>& captions) {
    for (const auto& [i, caption] : captions) SetCaption(LblDiffLato.at(static_cast<std::size_t>(i)), caption);
    for (const auto& [i, caption] : captions) AlignRight(LblDiffLato.at(static_cast<std::size_t>(i)));
    for (const auto& [i, caption] : captions) LblDiffLato.at(static_cast<std::size_t>(i))->show();
}

void ShapeWindow::ShowSideDifferences(const ProfileTable* upper, const ProfileTable* lower) {
    const int n = HalfTurnIndex(State().Settings.AngleStep);
    if (n < 0) return;
    const auto N = static_cast<std::size_t>(n);
    const std::int16_t unit = State().Settings.MeasuringSystem;
    std::vector<std::pair<int, std::string>> captions;
    if (upper) {
        const ProfileTable& t = *upper;
        captions.emplace_back(UpperSideDifference,
                              Txt(TextUpperEdgeDifference) + ": " + FormatLength(std::fabs(t[N] - t[0]), unit));
    }
    if (lower) {
        const ProfileTable& t = *lower;
        captions.emplace_back(LowerSideDifference,
                              Txt(TextLowerEdgeDifference) + ": " + FormatLength(std::fabs(t[0] - t[N]), unit));
    }
    SetSideDifferences(captions);
}

void ShapeWindow::ApplyPlacedLabel(QLabel* label, const PlacedLabel& placed) {
    if (!label || !placed.Visible) return;
    if (!placed.Caption.empty()) label->setText(Q(placed.Caption));
    SetForeColour(label, placed.ForeColor);
    label->adjustSize();
    const double left = std::min(placed.Left, placed.RightLimit - label->width());
    label->move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(placed.Top)));
    KeepInsideParent(*label);
    label->show();
}

void ShapeWindow::PlaceSketchBox(std::size_t k, const PlacedValueBox& box) {
    if (box.Angle) {
        PlaceAngleValueBox(*TxtAnt[k], *LblDatiSviluppo[k], box.Value, box.X, box.Y);
        return;
    }
    // The box keeps clear of its label's caption, whatever the font.
    const QLabel* label = LblDatiSviluppo[k];
    const float x = std::max(box.X, static_cast<float>(label->x() + label->width() + 2));
    PlaceLengthValueBox(*TxtAnt[k], x, box.Y, box.Value);
    KeepInsideParent(*TxtAnt[k]);  // the sketch left room for it; never cut off all the same
}

SketchRoom ShapeWindow::MeasureSketchRoom(const std::vector<float>& values) const {
    SketchRoom room;
    room.Measured = true;
    for (std::size_t k = 0; k < LblDatiSviluppo.size() && k < room.Label.size(); ++k)
        room.Label[k] = LblDatiSviluppo[k]->sizeHint().width();
    for (std::size_t k = 0; k < TxtAnt.size() && k < room.Box.size(); ++k) {
        room.Box[k] = SketchBoxWidth(*TxtAnt[k], k < values.size() ? values[k] : 0.0f);
        room.BoxHeight = std::max(room.BoxHeight, static_cast<double>(SketchBoxHeight(*TxtAnt[k])));
    }
    return room;
}

bool ShapeWindow::LayOutPicture() {
    const int panel = PnlSfondo->width();
    const int w = width() - panel - 2 * PictureMargin;
    const int h = height() - 80;
    PctDisegno->setGeometry(panel + PictureMargin, 40, std::max(w, 0), std::max(h, 0));
    // The picture gets its new size now, not at a later resize event that
    // would wipe what is drawn next.
    ImageCanvas& canvas = PctDisegno->canvas();
    if (canvas.PixelWidth() != PctDisegno->width() || canvas.PixelHeight() != PctDisegno->height())
        canvas.Resize(PctDisegno->width(), PctDisegno->height());
    canvas.Cls();
    PctDisegno->setAttribute(Qt::WA_PendingResizeEvent, false);
    return w > 0 && h > 0;
}

// --- Hints ---

void ShapeWindow::SketchLabelHint(int index) {
    ShowFieldHint(index + 1);
    if (index < design_.SketchBoxes) HighlightTextBox(*TxtAnt[static_cast<std::size_t>(index)]);
}

void ShapeWindow::FormMouseMove() {
    if (design_.FormMoveClearsStatus) SetStatusText("");
}

}  // namespace velm
