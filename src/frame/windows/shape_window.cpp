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
#include "geometry/cylinder_geometry.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/qt_colour.h"
#include "platform/qt/text_box.h"
#include "platform/qt/qt_text.h"

namespace velm {

namespace {

constexpr int MinWidthTwips = 8000;
constexpr int MinHeightTwips = 6200;
constexpr int PanelWidthTwips = 3195;
constexpr int PanelHeightTwips = 5685;
constexpr int ButtonWidthTwips = 2660;
constexpr int WeldWidthTwips = 2655;
constexpr int ButtonHeightTwips = 420;
constexpr int PictureMargin = 5;  // pixels between the picture and the panel or the window's right edge
constexpr Colour Grey = RGB(128, 128, 128);
constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Yellow = RGB(255, 255, 0);


template <class W>
W* Named(W* widget, const std::string& name) {
    widget->setObjectName(Q(name));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const std::string& name) {
    auto* label = Named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, int topTwips, int widthTwips) {
    auto* button = Named(new QPushButton(parent), name);
    button->setGeometry(Px(240), Px(topTwips), Px(widthTwips), Px(ButtonHeightTwips));
    button->setAutoDefault(false);
    return button;
}

// The application's palette with every colour set, so that the panel does
// not take the dark window's colours.
QPalette StandardPalette() {
    QPalette p = QApplication::palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            if (r == QPalette::NoRole) continue;
            p.setColor(g, r, p.color(g, r));
        }
    return p;
}

int RowTop(const std::vector<int>& tops, int i) {
    return i < static_cast<int>(tops.size()) ? tops[static_cast<std::size_t>(i)] : 480 + 375 * i;
}

}  // namespace

ShapeWindow::ShapeWindow(const ShapeWindowDesign& design, QWidget* parent) : QWidget(parent), design_(design) {
    setObjectName(QString::fromLatin1(design_.Name));
    QPalette dark = palette();
    dark.setColor(QPalette::Window, ToQColor(ShapePictureBackColour));
    setPalette(dark);
    setAutoFillBackground(true);
    QFont small = font();
    small.setPointSizeF(8);  // the classic dialog font size: the designed rows hold their captions
    setFont(small);
    resize(CeilPixels(MinWidthTwips), CeilPixels(MinHeightTwips));
    BuildControls();
}

ShapeWindow::~ShapeWindow() {
    // The children outlive the family's part of the window: no handler may
    // reach a hook from now on (a focused box loses its focus as it goes).
    closing_ = true;
    for (auto* boxes : {&TxtInputDati, &TxtAnt}) {
        for (TextBox* box : *boxes) {
            box->OnKeyDown = nullptr;
            box->OnKeyPress = nullptr;
            box->OnChange = nullptr;
            box->OnLostFocus = nullptr;
            box->OnMouseMove = nullptr;
        }
    }
}

void ShapeWindow::BuildControls() {
    const ShapeWindowDesign& d = design_;
    setMouseTracking(true);

    PnlSfondo = Named(new QGroupBox(this), "PnlSfondo");
    PnlSfondo->setPalette(StandardPalette());  // the panel keeps the standard light look
    PnlSfondo->setAutoFillBackground(true);
    PnlSfondo->setAlignment(Qt::AlignHCenter);
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
    CmdApplica = MakeButton(PnlSfondo, "CmdApplica", d.ApplyTop, ButtonWidthTwips);
    CmdModifica = MakeButton(PnlSfondo, "CmdModifica", d.ApplyTop, ButtonWidthTwips);
    CmdSviluppa = MakeButton(PnlSfondo, "CmdSviluppa", d.DevelopTop, ButtonWidthTwips);
    CmdAnteprima = MakeButton(PnlSfondo, "CmdAnteprima", d.DevelopTop, ButtonWidthTwips);
    CmdIndietro = MakeButton(PnlSfondo, "CmdIndietro", d.BackTop, ButtonWidthTwips);
    CmdIndietro->setText(QStringLiteral("<<<"));
    CmdModifica->hide();
    CmdAnteprima->hide();
    connect(CmdApplica, &QPushButton::clicked, this, [this] { CmdApplica_Click(); });
    connect(CmdModifica, &QPushButton::clicked, this, [this] { CmdModifica_Click(); });
    connect(CmdSviluppa, &QPushButton::clicked, this, [this] { CmdSviluppa_Click(); });
    connect(CmdAnteprima, &QPushButton::clicked, this, [this] { CmdAnteprima_Click(); });
    connect(CmdIndietro, &QPushButton::clicked, this, [this] { CmdIndietro_Click(); });
    if (d.WeldSide) {
        CmdSaldatura = MakeButton(PnlSfondo, "CmdSaldatura", d.WeldTop, WeldWidthTwips);
        connect(CmdSaldatura, &QPushButton::clicked, this, [this] { CmdSaldatura_Click(); });
    }

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

    PctDisegno = Named(new PictureBox(this), "PctDisegno");
    PctDisegno->canvas().BackColor = ShapePictureBackColour;
    PctDisegno->canvas().Cls();
    PctDisegno->SetParkedWhileInactive(true);  // a window in the background holds a quarter of the memory
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

    // Hints: each control answers the pointer itself, without passing the
    // move on to the panel or window that holds it.
    std::vector<QWidget*> hinted{PnlSfondo, PctDisegno, CmdApplica, CmdModifica, CmdSviluppa, CmdAnteprima,
                                 CmdIndietro};
    if (CmdSaldatura) hinted.push_back(CmdSaldatura);
    for (auto* labels : {&LblInputDati, &LblOutputDati, &LblDatiSviluppo, &LblDiffLato, &LblArco})
        hinted.insert(hinted.end(), labels->begin(), labels->end());
    hinted.push_back(LblUnMisura);
    if (LblSegno) hinted.push_back(LblSegno);
    for (QWidget* w : hinted) {
        w->setMouseTracking(true);
        w->setAttribute(Qt::WA_NoMousePropagation);
        w->installEventFilter(this);
    }
    for (auto* boxes : {&TxtInputDati, &TxtAnt})
        for (TextBox* box : *boxes) box->setAttribute(Qt::WA_NoMousePropagation);
}

void ShapeWindow::WireInputBox(TextBox* box, int field) {
    box->OnKeyDown = [this, box, field](int& keyCode, int shift) { FilterKeyDown(*box, field, keyCode, shift); };
    box->OnKeyPress = [this, box, field](int& keyAscii) { FilterKeyPress(*box, field, keyAscii); };
    box->OnChange = [this, field] { CopyInputToAnt(this, field, MirrorEnabled, InputsChanged); };
    box->OnLostFocus = [this, box, field] { CheckFieldRange(*box, field); };
    box->OnMouseMove = [this, box, field](int, int, int, int) {
        ShowFieldHint(field);
        box->setFocus();
    };
}

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
}

// --- Life cycle ---

void ShapeWindow::Form_Load() {
    MirrorEnabled = False16;
    FillInputBoxes();
    MirrorEnabled = True16;
    InputViewActive = True16;
    State().SwitchingForms = False16;
    State().ShapeCode = ShapeCode();
    ApplyCommonTexts();
    ApplyFormTexts();
    CmdAnteprima->setEnabled(SheetPreviewAvailable());
    InputsChanged = False16;
    State().DirectPrint = False16;
}

void ShapeWindow::ApplyCommonTexts() {
    setWindowTitle(Q(Title()));
    CmdApplica->setText(Q(Txt(LangCommon, design_.ApplyText)));
    CmdSviluppa->setText(Q(Txt(LangCommon, design_.DevelopText)));
    CmdModifica->setText(Q(Txt(LangCommon, design_.ModifyText)));
    CmdAnteprima->setText(Q(Txt(LangCommon, 4)));
    if (CmdSaldatura) CmdSaldatura->setText(Q(Txt(LangCommon, 18)));
    SetCaption(LblUnMisura, Txt(LangCommon, State().Settings.MeasuringSystem != 0 ? 10 : 9));
}

void ShapeWindow::AddToMainArea(ShapeWindow* window) {
    QMdiArea* area = MdiArea();
    if (!area) return;
    QMdiSubWindow* sub = area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose, true);
    // The whole area, or the window's minimum size when the area is smaller.
    sub->setGeometry(QRect(QPoint(0, 0), area->viewport()->size()).united(QRect(0, 0, sub->width(), sub->height())));
}

QWidget* ShapeWindow::Frame() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

void ShapeWindow::Form_Resize() {
    QWidget* frame = Frame();
    if (frame->isMinimized()) return;
    if (!frame->isMaximized()) {
        const int minWidth = CeilPixels(MinWidthTwips);
        const int minHeight = CeilPixels(MinHeightTwips);
        if (frame->height() < minHeight || frame->width() < minWidth) {
            const QSize before = size();
            frame->resize(std::max(frame->width(), minWidth), std::max(frame->height(), minHeight));
            if (size() != before && frame->isVisible()) return;  // the resize that follows redraws
        }
    }
    PnlSfondo->resize(PnlSfondo->width(), height());
    if (InputViewActive) {
        CmdApplica_Click();
    } else {
        CmdSviluppa_Click();
    }
}

void ShapeWindow::Form_Unload() {
    unloaded_ = true;
    if (State().SwitchingForms) return;  // the opener is replacing this window
    if (MainWindow()) EnableStartPanel(true);
}

void ShapeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isVisible()) return;  // a hidden window is drawn when it shows
    ++inGeometryEvent_;
    Form_Resize();
    --inGeometryEvent_;
}

void ShapeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first showing is the classic first resize: it runs apply.
    if (event->spontaneous()) return;
    ++inGeometryEvent_;
    Form_Resize();
    --inGeometryEvent_;
}

void ShapeWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

// --- Commands ---

void ShapeWindow::CmdApplica_Click() {
    if (isVisible()) {
        // The box being left runs its range check before its text is read:
        // Qt sends the focus change at once. The yield lets queued events run
        // too, but never from inside a resize or show: painting there draws
        // the window half laid out, and Qt does not paint those parts again.
        CmdApplica->setFocus();
        if (inGeometryEvent_ == 0) QCoreApplication::processEvents();
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
    const bool refused = ReportCheckResult(message) != False16;
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

void ShapeWindow::CmdIndietro_Click() { Frame()->close(); }

bool ShapeWindow::DevelopEnabled() const { return developEnabled_; }

bool ShapeWindow::SheetPreviewAvailable() const { return CommandRegistered(RegisteredCommand::SheetPreview); }

void ShapeWindow::ShowSheetPreview() { RunCommand(RegisteredCommand::SheetPreview); }

bool ApplyChangedInputs(QWidget* window) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) window = sub->widget();
    auto* shape = qobject_cast<ShapeWindow*>(window);
    if (!shape || shape->Unloaded() || !shape->InputsChanged) return true;
    shape->CmdApplica_Click();
    return shape->LastApplyAccepted();
}

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
    setWindowTitle(Q(Title() + ": " + Txt(LangCommon, 11)));
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
    setWindowTitle(Q(Title() + ": " + Txt(LangCommon, design_.ResultViewText)));
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

void ShapeWindow::SetForeColour(QLabel* label, Colour colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ToQColor(colour));
    label->setPalette(p);
}

void ShapeWindow::SetCaption(QLabel* label, const std::string& caption) {
    label->setText(Q(caption));
    label->adjustSize();
}

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
        captions.emplace_back(0, Txt(LangCommonFrmConi, 15) + ": " + FormatLength(std::fabs(t[N] - t[0]), unit));
    }
    if (lower) {
        const ProfileTable& t = *lower;
        captions.emplace_back(1, Txt(LangCommonFrmConi, 16) + ": " + FormatLength(std::fabs(t[0] - t[N]), unit));
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

void ShapeWindow::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    HideToolTip();
    if (design_.FormMoveClearsStatus) SetStatusText("");
}

bool ShapeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!closing_ && event->type() == QEvent::MouseMove) ControlMouseMove(watched);
    return QWidget::eventFilter(watched, event);
}

void ShapeWindow::ControlMouseMove(QObject* control) {
    auto hint = [](int text) { SetStatusText(Txt(LangHelp, text)); };
    auto indexIn = [control](const std::vector<QLabel*>& labels) {
        const auto it = std::find(labels.begin(), labels.end(), control);
        return it == labels.end() ? -1 : static_cast<int>(it - labels.begin());
    };
    if (control == CmdApplica) return hint(design_.HintApply);
    if (control == CmdSviluppa) return hint(design_.HintDevelop);
    if (control == CmdModifica) return hint(design_.HintModify);
    if (control == CmdAnteprima) return hint(design_.HintPreview);
    if (control == CmdIndietro) return hint(design_.HintBack);
    if (CmdSaldatura && control == CmdSaldatura) return hint(design_.HintWeld);
    if (control == PctDisegno) return SetStatusText("");
    if (control == PnlSfondo) {
        HideToolTip();
        return SetStatusText("");
    }
    if (const int i = indexIn(LblArco); i >= 0) return hint(design_.HintArc + i);
    if (const int i = indexIn(LblDiffLato); i >= 0) return hint(design_.HintSide + i);
    if (const int i = indexIn(LblDatiSviluppo); i >= 0) {
        if (InputViewActive) SketchLabelHint(i);
        return;
    }
    if (const int i = indexIn(LblInputDati); i >= 0) {
        if (!InputViewActive) return;
        ShowFieldHint(i);
        if (i < design_.InputRows) TxtInputDati[static_cast<std::size_t>(i)]->setFocus();
    }
}

}  // namespace velm
