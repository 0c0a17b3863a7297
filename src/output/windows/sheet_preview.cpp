#include "output/windows/sheet_preview.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "cones/cone_development_drawing.h"
#include "core/control_names.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "core/messages.h"
#include "core/number_text.h"
#include "core/settings.h"
#include "core/working_state.h"
#include "cylinders/cylinder_development_drawing.h"
#include "frame/command_registry.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_design.h"
#include "output/data_block.h"
#include "output/drag.h"
#include "output/windows/preview_notes_table.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "output/windows/sheet_preview_texts.h"

namespace velm {

namespace {

constexpr int PanelWidth = 190;  // pixels
constexpr int SheetGap = 10;     // between the panel and the sheet

const SheetPreviewDesign CylinderDesign{"FrmAnteprimaCilindri", CylinderSheet, 1, TextCylinderPiece,
                                        TextSheetCylinderDevelopment, TextSheetCylinderData, "LblFScala",
                                        &ShapeKindInfo::OnCylinderSheet};
const SheetPreviewDesign ConeDesign{"FrmAnteprima", ConeSheet, 0, TextConePiece, TextSheetFrustumDevelopment,
                                    TextSheetFrustumData, "LblScala", &ShapeKindInfo::OnConeSheet};

const SheetPreviewDesign& DesignOf(int family) { return family == ConeSheet ? ConeDesign : CylinderDesign; }

QPointer<SheetPreview>& Instance(int family) {
    static QPointer<SheetPreview> cylinder, cone;
    return family == ConeSheet ? cone : cylinder;
}

std::string ScaleText(std::int16_t scale) {
    return "1:" + FormatLength(static_cast<int>(scale), State().Settings.MeasuringSystem);
}

std::int16_t BoxValue(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

// The drawn part of the last development of a sheet's family.
DrawingExtent ExtentOf(int family, const WorkingState& st, std::int16_t part) {
    return family == CylinderSheet ? CylinderDrawingExtent(st.CylinderDevelopment.Results, part)
                                   : ConeDrawingExtent(st.ConeDevelopment.Results, st.Settings.AngleStep, part);
}

// Red lines over the sheet where its edges cut the drawing; the pointer
// goes through to the drawing below.
class CutMarks : public QWidget {
public:
    explicit CutMarks(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents, true);
        setAttribute(Qt::WA_NoSystemBackground, true);
    }
    void SetCuts(std::vector<QLine> cuts) {
        cuts_ = std::move(cuts);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(Qt::red, 3));
        for (const QLine& l : cuts_) painter.drawLine(l);
    }

private:
    std::vector<QLine> cuts_;
};

// The data box's caption and, under it, the notes in the lines they print
// in, left-aligned as on paper in the paper's fixed-pitch letter; the letter
// shrinks until every line fits the box across and down.
class DataBoxLabel : public QLabel {
public:
    explicit DataBoxLabel(QWidget* parent) : QLabel(parent) { setAlignment(Qt::AlignCenter); }

    void Show(const QString& caption, QStringList lines) {
        caption_ = caption;
        lines_ = std::move(lines);
        setText(lines_.isEmpty() ? caption_ : caption_ + QLatin1Char('\n') + lines_.join(QLatin1Char('\n')));
        Fit();
        update();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        Fit();
    }

    void paintEvent(QPaintEvent* event) override {
        if (lines_.isEmpty()) return QLabel::paintEvent(event);  // the caption alone, centred
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        const QFontMetrics captionMetrics(captionFont_), noteMetrics(noteFont_);
        int y = std::max(0, (height() - RowsHeight(captionMetrics, noteMetrics)) / 2);
        painter.setFont(captionFont_);
        painter.drawText(QRect(0, y, width(), captionMetrics.lineSpacing()), Qt::AlignCenter, caption_);
        y += captionMetrics.lineSpacing();
        painter.setFont(noteFont_);
        for (const QString& line : lines_) {
            painter.drawText(Inset, y + noteMetrics.ascent(), line);
            y += noteMetrics.lineSpacing();
        }
    }

private:
    static constexpr int Inset = 2;  // pixels kept free at either side of a note line

    int RowsHeight(const QFontMetrics& caption, const QFontMetrics& note) const {
        return caption.lineSpacing() + static_cast<int>(lines_.size()) * note.lineSpacing();
    }

    bool Fits(const QFontMetrics& caption, const QFontMetrics& note) const {
        if (RowsHeight(caption, note) > height() || caption.horizontalAdvance(caption_) > width()) return false;
        return std::all_of(lines_.begin(), lines_.end(), [&](const QString& line) {
            return note.horizontalAdvance(line) <= width() - 2 * Inset;
        });
    }

    // From the box's own letter down to the largest that fits.
    void Fit() {
        captionFont_ = font();
        noteFont_ = QFont(QString::fromLatin1(PrinterPage::TextFont));
        noteFont_.setStyleHint(QFont::Monospace);
        if (lines_.isEmpty()) return;
        for (int pixels = QFontInfo(font()).pixelSize(); pixels >= 1; --pixels) {
            captionFont_.setPixelSize(pixels);
            noteFont_.setPixelSize(pixels);
            if (Fits(QFontMetrics(captionFont_), QFontMetrics(noteFont_))) break;
        }
    }

    QString caption_;
    QStringList lines_;
    QFont captionFont_, noteFont_;
};

}  // namespace

// --- Making and opening ---

class SheetPreviewWindow : public SheetPreview {
public:
    explicit SheetPreviewWindow(const SheetPreviewDesign& design) : SheetPreview(design) {}
};

SheetPreview::SheetPreview(const SheetPreviewDesign& design, QWidget* parent) : QWidget(parent), design_(design) {
    setObjectName(QString::fromLatin1(design.Name));
    setAttribute(Qt::WA_DeleteOnClose, true);
    BuildControls();
}

SheetPreview* SheetPreview::Open(int family) {
    QPointer<SheetPreview>& window = Instance(family);
    if (window && !window->unloaded_) return window;
    window = new SheetPreviewWindow(DesignOf(family));
    window->Form_Load();
    if (QMdiArea* area = MdiArea()) {
        QMdiSubWindow* sub = area->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose, true);
        sub->setGeometry(QRect(QPoint(0, 0), area->viewport()->size()));
    }
    return window;
}

SheetPreview* SheetPreview::Current() {
    for (int family : {CylinderSheet, ConeSheet}) {
        SheetPreview* w = Instance(family);
        if (w && !w->unloaded_ && State().OpenPreview == w->design_.OpenPreviewCode) return w;
    }
    return nullptr;
}

QWidget* SheetPreview::Frame() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

void SheetPreview::BuildControls() {
    setMouseTracking(true);
    PnlSfondo = Named(new QGroupBox(this), "PnlSfondo");
    PnlSfondo->setAlignment(Qt::AlignHCenter);
    PnlSfondo->setGeometry(0, 0, PanelWidth, 400);
    BuildCommands();
    BuildOptions();
    BuildSheet();
    for (QWidget* w : {static_cast<QWidget*>(PnlSfondo), PctFoglio, PctDati, static_cast<QWidget*>(LblArea),
                       static_cast<QWidget*>(PctDisegno)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    hints_.Text(CmdIndietro, TextBackToShapes)
        .Text(CmdStampa, TextPrintSheetHint)
        .Text(CmdStampante, TextPrinterSetupHint)
        .Text(CmdTabella, TextTableHint)
        .Text(LblArea, TextNotesHint)
        .Text(PctDati, TextNotesHint, ToolTip::Hides)
        .Text(PctDisegno, TextDragHint)
        .Call(PctFoglio, [this] { ShowFitOrNothing(); }, ToolTip::Hides)
        .Call(PnlSfondo, [this] { ShowFitOrNothing(); }, ToolTip::Hides);
}

void SheetPreview::BuildCommands() {
    auto button = [this](const char* name, int top) {
        auto* b = Named(new QPushButton(PnlSfondo), name);
        b->setGeometry(10, top, PanelWidth - 20, 28);
        b->installEventFilter(this);
        return b;
    };
    CmdStampa = button("CmdStampa", 24);
    CmdTabella = button("CmdTabella", 56);
    CmdStampante = button("CmdStampante", 88);
    CmdIndietro = button("CmdIndietro", 120);
    CmdIndietro->setText(QStringLiteral("<<<"));
    connect(CmdStampa, &QPushButton::clicked, this, [this] { CmdStampa_Click(); });
    connect(CmdStampante, &QPushButton::clicked, this, [this] { CmdStampante_Click(); });
    connect(CmdIndietro, &QPushButton::clicked, this, [this] { CmdIndietro_Click(); });
    connect(CmdTabella, &QPushButton::clicked, this, [this] { CmdTabella_Click(); });
}

void SheetPreview::BuildOptions() {
    FrmEtichette = Named(new QGroupBox(PnlSfondo), "FrmEtichette");
    FrmEtichette->setGeometry(6, 156, PanelWidth - 12, 92);
    for (int i = 0; i < PrintPartCount; ++i) {
        auto* box = Named(new QCheckBox(FrmEtichette), IndexedName("ChkDatiStampa", i));
        box->setGeometry(8, 20 + 23 * i, PanelWidth - 30, 22);
        ChkDatiStampa.push_back(box);
    }
    ChkDatiStampa[PrintDevelopment]->setChecked(true);  // the built-in value
    // A box changed by code runs its handling as a click would.
    for (int i = 0; i < PrintPartCount; ++i)
        connect(ChkDatiStampa[static_cast<std::size_t>(i)], &QCheckBox::toggled, this, [this, i] {
            ChkDatiStampa_Click(i);
        });

    LblScala = Named(new QLabel(PnlSfondo), design_.ScaleLabelName);
    LblScala->setGeometry(12, 258, 70, 24);
    ComboScala = Named(new QComboBox(PnlSfondo), "ComboScala");
    ComboScala->setGeometry(86, 256, PanelWidth - 98, 26);
    ComboScala->setEditable(true);
    ComboScala->setInsertPolicy(QComboBox::NoInsert);
    ComboScala->installEventFilter(this);
    ComboScala->lineEdit()->installEventFilter(this);
    connect(ComboScala, &QComboBox::editTextChanged, this, [this] { ComboScala_Change(); });
    connect(ComboScala, &QComboBox::currentIndexChanged, this, [this](int index) { ComboScala_Click(index); });

    FrameSviluppo = Named(new QGroupBox(PnlSfondo), "FrameSviluppo");
    FrameSviluppo->setGeometry(6, 292, PanelWidth - 12, 92);
    for (int i = 0; i < DevelopmentPartCount; ++i) {
        auto* option = Named(new QRadioButton(FrameSviluppo), IndexedName("OptSviluppo", i));
        option->setGeometry(8, 20 + 23 * i, PanelWidth - 30, 22);
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) OptSviluppo_Click(i);
        });
        OptSviluppo.push_back(option);
    }
}

void SheetPreview::BuildSheet() {
    PctFoglio = Named(new QWidget(this), "PctFoglio");
    PctFoglio->setAutoFillBackground(true);
    QPalette white = PctFoglio->palette();
    white.setColor(QPalette::Window, Qt::white);
    PctFoglio->setPalette(white);
    PctFoglio->hide();

    PctDati = Named(new QWidget(PctFoglio), "PctDati");
    PctDati->setAutoFillBackground(true);
    QPalette light = PctDati->palette();
    light.setColor(QPalette::Window, QColor(255, 255, 192));
    PctDati->setPalette(light);
    PctDati->hide();
    LblArea = Named(new DataBoxLabel(PctDati), "LblArea");
    OnClick(PctDati, [this] { PctDati_Click(); });
    OnClick(LblArea, [this] { LblArea_Click(); });

    PctDisegno = Named(new PictureBox(PctFoglio), "PctDisegno");
    PctDisegno->setCursor(Qt::SizeAllCursor);
    PctDisegno->hide();
    // A resize (also the one held back while hidden) empties the picture.
    connect(PctDisegno, &PictureBox::resized, this, [this] {
        if (!unloaded_) DrawDevelopment();
    });
    connect(PctDisegno, &PictureBox::mousePressed, this, [this](int, int x, int y) { PctDisegno_MouseDown(x, y); });
    connect(PctDisegno, &PictureBox::mouseMoved, this, [this](int buttons, int x, int y) {
        if (buttons != 0 && dragging_) DragTo(PctDisegno->mapTo(this, QPoint(x, y)));
    });
    connect(PctDisegno, &PictureBox::mouseReleased, this, [this](int, int, int) { dragging_ = false; });
    PctTaglio = Named(new CutMarks(PctFoglio), "PctTaglio");
}

// --- Load, texts, unload ---

void SheetPreview::Form_Load() {
    WorkingState& st = State();
    previewLoading_ = true;
    st.OpenPreview = design_.OpenPreviewCode;
    UpdateCommandState();
    ApplyPreviewTexts();
    FillScaleCombo(ComboScala);
    st.NoteText.clear();
    // The three options as stored, read before any box changes the cache.
    const std::int16_t sviluppo = st.Settings.CheckSviluppo, data = st.Settings.CheckData,
                       note = st.Settings.CheckNote;
    ChkDatiStampa[PrintDevelopment]->setChecked(sviluppo == 1);
    ChkDatiStampa[PrintData]->setChecked(data == 1);
    ChkDatiStampa[PrintNotes]->setChecked(note == 1);
    const int part = std::clamp<int>(st.DevelopmentPart, WholeDevelopment, RightHalf);
    OptSviluppo[static_cast<std::size_t>(part)]->setChecked(true);
    previewLoading_ = false;
}

void SheetPreview::ApplyPreviewTexts() {
    const WorkingState& st = State();
    std::string caption = Txt(TextPreviewTitle);
    if (IsSheetPieceCode(design_.Family, st.ShapeCode))
        caption += " - " + Txt(design_.PieceText) + std::to_string(st.SelectedPiece);
    setWindowTitle(Q(caption));
    PnlSfondo->setTitle(Q(Txt(TextSheet) + ":"));
    FrmEtichette->setTitle(Q(Txt(TextPrintOnSheet)));
    ChkDatiStampa[PrintDevelopment]->setText(Q(Txt(design_.DevelopmentText)));
    ChkDatiStampa[PrintData]->setText(Q(Txt(design_.DataText)));
    ChkDatiStampa[PrintNotes]->setText(Q(Txt(TextNotesOnly)));
    CmdStampa->setText(Q(Txt(TextPrint)));
    CmdTabella->setText(Q(Txt(TextTableButton)));
    CmdStampante->setText(Q(Txt(TextPrinterSetupButton)));
    LblScala->setText(Q(Txt(TextScale)));
    FrameSviluppo->setTitle(Q(Txt(TextPartToPrint)));
    OptSviluppo[WholeDevelopment]->setText(Q(Txt(TextWholeDevelopment)));
    OptSviluppo[LeftHalf]->setText(Q(Txt(TextLeftHalf)));
    OptSviluppo[RightHalf]->setText(Q(Txt(TextRightHalf)));
}

void SheetPreview::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    dragging_ = false;
    WorkingState& st = State();
    st.OpenPreview = -1;
    // A shown preview's hints and its fit go with it; a direct print's outcome stays.
    if (isVisible() || !fitText_.empty()) SetStatusText("");
    UpdateCommandState();
    EnableFileCommands(true);
    // The shape window stays minimised until the user restores it.
    if (const ShapeKindInfo* kind = FindShapeKind(st.ShapeCode); kind != nullptr && kind->*design_.OnSheet)
        if (QWidget* shape = LoadedShapeWindow(st.ShapeCode)) shape->setEnabled(true);
    if (SettingsStore* store = Platform().settings) {
        SaveCheckSviluppo(*store, BoxValue(ChkDatiStampa[PrintDevelopment]));
        SaveCheckData(*store, BoxValue(ChkDatiStampa[PrintData]));
        SaveCheckNote(*store, BoxValue(ChkDatiStampa[PrintNotes]));
    }
}

void SheetPreview::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void SheetPreview::CmdIndietro_Click() { Frame()->close(); }

// --- Layout ---

void SheetPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible()) Form_Resize();
}

void SheetPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) Form_Resize();
}

void SheetPreview::Form_Resize() {
    if (unloaded_ || inLayout_ > 0) return;
    LayOut();
}

void SheetPreview::LayOut() {
    if (unloaded_) return;
    ++inLayout_;
    SetHourglass();
    WorkingState& st = State();
    PctDati->hide();
    QWidget* frame = Frame();
    if (!frame->isMinimized() && !frame->isMaximized()) {
        const int minWidth = CeilPixels(MinWindowWidthTwips), minHeight = CeilPixels(MinWindowHeightTwips);
        if (frame->width() < minWidth || frame->height() < minHeight)
            frame->resize(std::max(frame->width(), minWidth), std::max(frame->height(), minHeight));
    }

    SheetLayoutInput in;
    in.Family = design_.Family;
    in.WindowWidth = width();
    in.WindowHeight = height();
    in.PanelWidth = PanelWidth;
    in.SheetLeft = PanelWidth + SheetGap;
    in.ShapeCode = st.ShapeCode;
    in.Settings = st.Settings;
    in.Extent = ExtentOf(design_.Family, st, st.DevelopmentPart);
    if (Printer* printer = Platform().printer) {
        in.Page = printer->PageMillimetres();
        PrinterPage& page = printer->Page();
        page.SetUnits(st.Settings.MeasuringSystem == 1 ? PageInches : PageMillimetres);
        page.FontBold = false;
        in.LineHeight = page.TextHeight("Prova");
        page.FontBold = true;
        const std::string title = IsSheetPieceCode(design_.Family, st.ShapeCode)
                                      ? Txt(design_.PieceText)
                                      : Txt(TextScale);
        in.TitleHeight = page.TextHeight(UpperCase(title));
        page.FontBold = false;
        noteColumns_ = PrintColumns(page);
        in.NoteLines = NoteLineCount(st.NoteText, page);
    }
    const SheetLayout layout = LayOutSheet(in);
    StoreSheetLayout(layout, design_.Family, st.Sheet);
    titleReserve_ = layout.TitleReserve;

    PnlSfondo->setGeometry(0, 0, PanelWidth, std::max(height(), 400));
    PctFoglio->hide();
    PctFoglio->setGeometry(layout.SheetLeft, layout.SheetTop, layout.SheetWidth, layout.SheetHeight);
    PctFoglio->show();
    PctDati->setGeometry(0, 0, layout.SheetWidth, layout.DataBoxShown);
    LblArea->setGeometry(0, 0, layout.SheetWidth, layout.DataBoxShown);
    ShowDataBoxText(st.Settings.CheckNote == 1 ? 44 : 13);
    PctDati->setVisible(layout.DataBoxVisible);

    PctDisegno->hide();
    PctDisegno->setGeometry(layout.DrawingLeft, layout.DrawingTop, layout.DrawingWidth, layout.DrawingHeight);
    DrawDevelopment();
    PctDisegno->setVisible(layout.DrawingVisible);
    lastInput_ = in;
    CheckFit();
    ClearHourglass();
    --inLayout_;
}

void SheetPreview::CheckFit() {
    const WorkingState& st = State();
    fit_ = SheetFit{};
    if (st.Settings.CheckSviluppo == 1 && lastInput_.Page.width > 0 && lastInput_.Page.height > 0) {
        SheetLayoutInput in = lastInput_;
        in.Settings = st.Settings;  // the boxes ticked since
        const SheetLayout layout = LayOutSheet(in);
        SheetFitInput f;
        f.PageWidth = layout.PageWidth;
        f.PageHeight = layout.PageHeight;
        f.TextHeight = layout.TextHeight;
        f.Part = in.Extent;
        f.Half = ExtentOf(design_.Family, st, 1);
        f.WholePlate = st.DevelopmentPart == 0;
        f.Scale = st.Settings.Scale;
        f.LargestScale = ComboScala->count();
        fit_ = FitOnSheet(f);
    }
    fitText_ = SheetFitText(fit_, lastInput_.Page.width > lastInput_.Page.height);
    PlaceCutMarks();
    ShowFitOrNothing();
}

void SheetPreview::PlaceCutMarks() {
    std::vector<QLine> cuts;
    const QRect d = PctDisegno->geometry();
    const int w = PctFoglio->width(), h = PctFoglio->height();
    if (!fit_.Fits() && PctDisegno->isVisibleTo(PctFoglio)) {
        const int top = std::max(d.top(), 0), bottom = std::min(d.bottom(), h - 1);
        const int left = std::max(d.left(), 0), right = std::min(d.right(), w - 1);
        if (d.left() < 0) cuts.emplace_back(1, top, 1, bottom);
        if (d.right() >= w) cuts.emplace_back(w - 2, top, w - 2, bottom);
        if (d.bottom() >= h) cuts.emplace_back(left, h - 2, right, h - 2);
    }
    PctTaglio->setGeometry(0, 0, w, h);
    PctTaglio->raise();
    static_cast<CutMarks*>(PctTaglio)->SetCuts(std::move(cuts));
}

void SheetPreview::ShowFitOrNothing() {
    if (!unloaded_) SetStatusText(fitText_);
}

void SheetPreview::DrawDevelopment() {
    const WorkingState& st = State();
    ImageCanvas& pic = PctDisegno->canvas();
    if (design_.Family == CylinderSheet) {
        DrawCylinderSheetDevelopment(pic, st.CylinderDevelopment.Results, st.Settings.AngleStep, st.DevelopmentPart);
    } else {
        ConeSheetLayout at;
        at.Width = PctDisegno->width();
        at.Height = PctDisegno->height();
        at.SheetScaleHeight = PctFoglio->height();
        at.PageHeight = st.Sheet.PageHeight;
        at.DevelopmentPart = st.DevelopmentPart;
        DrawConeSheetDevelopment(pic, at, st.ConeDevelopment.Results, st.Settings.AngleStep);
    }
    PctDisegno->update();
}

SheetPictures SheetPreview::Pictures() const {
    return {static_cast<double>(PctFoglio->width()), static_cast<double>(PctFoglio->height()),
            static_cast<double>(PctDisegno->width()), !fit_.Fits()};
}

void SheetPreview::ShowDataBoxText(int caption) {
    const std::string& note = State().NoteText;
    QStringList lines;
    // The notes in the lines they print in.
    if (!note.empty())
        for (const std::string& line : NoteLines(note, noteColumns_)) lines.append(Q(line));
    static_cast<DataBoxLabel*>(LblArea)->Show(Q(Txt(LangFrmAntep, caption)), std::move(lines));
}

void SheetPreview::ShowDataBox(int caption, float boxHeight) {
    const int h = static_cast<int>(std::lround(boxHeight));
    PctDati->resize(PctFoglio->width(), h);
    LblArea->resize(PctFoglio->width(), h);
    ShowDataBoxText(caption);
    // The drawing is never left under the data box and the title line.
    const double least = LeastDrawingTop(true, h, static_cast<double>(titleReserve_));
    if (PctDisegno->y() < least) MoveDrawing(PctDisegno->x(), static_cast<int>(std::ceil(least - 1e-6)));
    PctDati->show();
}

void SheetPreview::NotesChanged() {
    if (unloaded_) return;
    WorkingState& st = State();
    // The notes' lines make the boxes longer or shorter; the drawing stays
    // where it was put unless the box would cover it.
    lastInput_.NoteLines = static_cast<int>(NoteLines(st.NoteText, noteColumns_).size());
    SheetLayoutInput in = lastInput_;
    in.Settings = st.Settings;
    const SheetLayout layout = LayOutSheet(in);
    st.Sheet.DataBoxHeight = layout.DataBoxHeight;
    st.Sheet.NoteBoxHeight = layout.NoteBoxHeight;
    if (st.Settings.CheckData == 1)
        ShowDataBox(13, st.Sheet.DataBoxHeight);
    else if (st.Settings.CheckNote == 1)
        ShowDataBox(44, st.Sheet.NoteBoxHeight);
    CheckFit();
}

void LayoutCylinderSheetPreview(SheetPreview* frm) {
    if (frm) frm->LayOut();
}

void LayoutConeSheetPreview(SheetPreview* frm) {
    if (frm) frm->LayOut();
}

// --- Print options, part and scale ---

void SheetPreview::ChkDatiStampa_Click(int index) {
    WorkingState& st = State();
    const int lowest = static_cast<int>(std::ceil(static_cast<double>(titleReserve_) - 1e-9));
    if (index == PrintDevelopment) {
        PctDisegno->setVisible(ChkDatiStampa[PrintDevelopment]->isChecked());
    } else if (ChkDatiStampa[static_cast<std::size_t>(index)]->isChecked()) {
        // The two data boxes exclude each other.
        ChkDatiStampa[index == PrintData ? PrintNotes : PrintData]->setChecked(false);
        if (index == PrintData)
            ShowDataBox(13, st.Sheet.DataBoxHeight);
        else
            ShowDataBox(44, st.Sheet.NoteBoxHeight);
    } else {
        PctDati->hide();
        MoveDrawing(PctDisegno->x(), lowest);
    }
    st.Sheet.DrawingTop = static_cast<float>(PctDisegno->y());
    st.Settings.CheckSviluppo = BoxValue(ChkDatiStampa[PrintDevelopment]);
    st.Settings.CheckData = BoxValue(ChkDatiStampa[PrintData]);
    st.Settings.CheckNote = BoxValue(ChkDatiStampa[PrintNotes]);
    CheckFit();
}

void SheetPreview::OptSviluppo_Click(int index) {
    if (previewLoading_) return;
    State().DevelopmentPart = static_cast<std::int16_t>(index);
    LayOut();
}

void SheetPreview::ComboScala_Change() {
    if (restoringScale_) return;
    const QString wanted = Q(ScaleText(State().Settings.Scale));
    if (ComboScala->currentText() == wanted) return;
    restoringScale_ = true;
    ComboScala->setEditText(wanted);
    restoringScale_ = false;
}

void SheetPreview::ComboScala_Click(int index) {
    if (index < 0) return;
    const std::string text = S(ComboScala->itemText(index).trimmed());
    if (text.empty()) return;
    const std::int16_t scale = static_cast<std::int16_t>(ReadNumber(text.substr(text.size() - 1)));
    WorkingState& st = State();
    if (scale < 1 || scale == st.Settings.Scale) return;
    st.Settings.Scale = scale;
    if (SettingsStore* store = Platform().settings) SaveScale(*store, scale);
    restoringScale_ = true;
    ComboScala->setEditText(Q(ScaleText(scale)));
    restoringScale_ = false;
    LayOut();
}

// --- Commands ---

void SheetPreview::CmdStampa_Click() {
    // A cut-off drawing prints only when the user says so. A preview printed
    // without being shown (a piece's right click, a range) has its boxes out of view.
    if (!MayPrintSheet(State().Settings, fit_.Fits() ? std::string() : fitText_, isVisible())) return;
    PrintSheet(design_.Family, Pictures());
}

void SheetPreview::CmdStampante_Click() { DispatchFileCommand(FileMenuItem::PrinterSetup); }

// --- Drag ---

void SheetPreview::MoveDrawing(int left, int top) {
    PctDisegno->move(left, top);
    State().Sheet.DrawingLeft = static_cast<float>(left);
    State().Sheet.DrawingTop = static_cast<float>(top);
    PlaceCutMarks();
}

void SheetPreview::PctDisegno_MouseDown(int x, int y) {
    grabX_ = x;
    grabY_ = y;
    dragging_ = true;
}

void SheetPreview::DragTo(QPoint windowPoint) {
    if (!dragging_) return;
    const QRect sheet = PctFoglio->geometry();
    if (!sheet.contains(windowPoint)) {
        // Over the left panel the drag goes on; anywhere else off the sheet it ends.
        if (!PnlSfondo->geometry().contains(windowPoint)) dragging_ = false;
        return;
    }
    const QPoint at = windowPoint - sheet.topLeft();
    const bool overDrawing = PctDisegno->geometry().contains(at);
    if (!overDrawing && PctDati->isVisible() && PctDati->geometry().contains(at)) return;
    const int left = at.x() - grabX_, top = at.y() - grabY_;
    DragBounds bounds;
    bounds.SheetWidth = PctFoglio->width();
    bounds.SheetHeight = PctFoglio->height();
    bounds.DrawingWidth = PctDisegno->width();
    bounds.DrawingHeight = PctDisegno->height();
    bounds.LeastTop = LeastDrawingTop(PctDati->isVisible(), PctDati->height(), titleReserve_);
    if (DragStepAccepted(left, top, bounds)) {
        MoveDrawing(left, top);
    } else {
        // Refused: the drag ends and the drawing, and what prints, stay at the last accepted place.
        dragging_ = false;
    }
}

// --- Hints and keys ---

void SheetPreview::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    HideToolTip();
    ShowFitOrNothing();
    if (dragging_ && (event->buttons() & Qt::LeftButton)) DragTo(event->position().toPoint());
}

bool SheetPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && !unloaded_) hints_.Show(watched);
    if (ComboScala && (watched == ComboScala || watched == ComboScala->lineEdit()) &&
        event->type() == QEvent::KeyPress) {
        // Only the keys that move through the list reach the scale box; Tab
        // moves the focus on as anywhere else.
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool moves = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
        if (!moves && key != Qt::Key_Tab && key != Qt::Key_Backtab) return true;
    }
    return QWidget::eventFilter(watched, event);
}

// --- Opening and commands of the main window ---

bool OpenSheetPreview(int family, QWidget* caller) {
    WorkingState& st = State();
    const bool direct = st.DirectPrint != 0;
    if (!CheckPrinterAvailable(Txt(direct ? TextNoPrinter : TextNoPrinterForPreview))) return false;
    // Disabled first: a direct print closes the preview, which enables the
    // caller again, before this returns. Only a preview that shows takes the
    // caller's place; a direct print leaves it where it was.
    if (caller) {
        caller->setEnabled(false);
        if (!direct) {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(caller->parentWidget()))
                sub->showMinimized();
            else
                caller->showMinimized();
        }
    }
    SheetPreview* preview = SheetPreview::Open(family);
    if (!preview) return false;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(preview->parentWidget());
    if (!frame) frame = preview;
    if (direct) {
        // Laid out at its normal size, printed, closed: one document per call.
        if (!frame->isVisible()) preview->LayOut();
        preview->CmdStampa_Click();
        frame->close();
        return true;
    }
    frame->show();
    preview->show();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
        if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    return true;
}

void RegisterOutputCommands() {
    RegisterCommand(RegisteredCommand::SheetPreview, [](const std::string&) {
        const int code = State().ShapeCode;
        const int family = IsFrustumKind(code) ? ConeSheet : CylinderSheet;
        OpenSheetPreview(family, LoadedShapeWindow(code));
    });
    RegisterCommand(RegisteredCommand::Print, [](const std::string&) {
        if (SheetPreview* preview = SheetPreview::Current()) preview->CmdStampa_Click();
    });
    RegisterCommand(RegisteredCommand::PrinterSetupDone, [](const std::string&) {
        if (SheetPreview* preview = SheetPreview::Current()) preview->LayOut();
    });
}

}  // namespace velm
