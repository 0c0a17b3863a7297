#include "elbows/windows/elbow_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/control_names.h"
#include "core/development_checks.h"
#include "core/messages.h"
#include "core/text_ids.h"
#include "cones/cone_piece.h"
#include "cylinders/cylinder_piece.h"
#include "elbows/cyl_elbow_fields.h"
#include "elbows/elbow_checks.h"
#include "elbows/elbow_messages.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/window_design.h"
#include "output/print_job.h"
#include "output/windows/sheet_preview.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/text_box.h"
#include "platform/services.h"
#include "elbows/windows/elbow_window_texts.h"

namespace velm {

namespace {

constexpr int RowTopTwips = 480, RowStepTwips = 375;
constexpr int LabelLeftTwips = 120, BoxLeftTwips = 2130, BoxWidthTwips = 900, BoxHeightTwips = 285;
constexpr int ButtonLeftTwips = 240, ButtonWidthTwips = 2660, ButtonHeightTwips = 420, ButtonStepTwips = 480;
// The fit keeps a 10-pixel margin: a smaller picture has nothing to draw in.
constexpr int LeastPicturePixels = 24;

int RowTop(int i) { return RowTopTwips + RowStepTwips * i; }

int Pixels(double twips) { return static_cast<int>(std::lround(std::max(twips, 0.0) / TwipsPerPixel)); }

}  // namespace

ElbowWindow::ElbowWindow(const ElbowWindowDesign& design, QWidget* parent)
    : ShapeWindowBase(design.Name, design.ShapeCode, design.MinWidthTwips, MinWindowHeightTwips,
                      ElbowPictureBackColour, parent),
      design_(design) {
    BuildControls();
}

void ElbowWindow::BuildControls() {
    const ElbowWindowDesign& d = design_;
    setMouseTracking(true);
    PnlSfondo = MakePanel();
    PnlSfondo->setGeometry(0, 0, Px(d.PanelWidthTwips), height());

    const int labelHeight = std::max(Px(195), PnlSfondo->fontMetrics().height());
    for (int i = 0; i < d.Labels; ++i) {
        QLabel* label = MakeLabel(PnlSfondo, IndexedName("LblInputDati", i));
        label->setGeometry(Px(LabelLeftTwips), Px(RowTop(i)) + 2, Px(BoxLeftTwips - LabelLeftTwips) - 4, labelHeight);
        LblInputDati.push_back(label);
    }
    for (int i = 0; i < d.InputRows; ++i) {
        auto* box = new TextBox(PnlSfondo);
        box->setObjectName(Q(IndexedName("TxtInputDati", i)));
        box->setGeometry(Px(BoxLeftTwips), Px(RowTop(i)), Px(BoxWidthTwips), Px(BoxHeightTwips));
        WireInputBox(box, i);
        TxtInputDati.push_back(box);
    }
    LblUnMisura = MakeLabel(PnlSfondo, "LblUnMisura");
    LblUnMisura->move(Px(BoxLeftTwips), Px(RowTopTwips - 210));

    const int buttonsTop = RowTop(d.Labels) + 120;
    CmdApplica = MakeButtonAt(PnlSfondo, "CmdApplica", ButtonLeftTwips, buttonsTop, ButtonWidthTwips,
                              ButtonHeightTwips);
    CmdStampa = MakeButtonAt(PnlSfondo, "CmdStampa", ButtonLeftTwips, buttonsTop + ButtonStepTwips,
                             ButtonWidthTwips, ButtonHeightTwips);
    CmdIndietro = MakeButtonAt(PnlSfondo, "CmdIndietro", ButtonLeftTwips, buttonsTop + 2 * ButtonStepTwips,
                               ButtonWidthTwips, ButtonHeightTwips);
    CmdIndietro->setText(QStringLiteral("<<<"));
    connect(CmdApplica, &QPushButton::clicked, this, [this] { CmdApplica_Click(); });
    connect(CmdStampa, &QPushButton::clicked, this, [this] { CmdStampa_Click(); });
    connect(CmdIndietro, &QPushButton::clicked, this, [this] { CmdIndietro_Click(); });

    BuildPicture();
    DeclareHints();
}

void ElbowWindow::BuildPicture() {
    PctDisegno = MakePicture(ElbowPictureBackColour);
    PctDisegno->setGeometry(PnlSfondo->width(), 2, 0, 0);
    PctDisegno->setMouseTracking(true);
    PctDisegno->setAttribute(Qt::WA_NoMousePropagation);
    connect(PctDisegno, &PictureBox::mouseReleased, this, [this](int button, int x, int y) {
        PctDisegno_MouseUp(button, 0, static_cast<float>(x), static_cast<float>(y));
        PctDisegno_Click();
    });
    connect(PctDisegno, &PictureBox::mouseMoved, this, [this](int buttons, int x, int y) {
        PctDisegno_MouseMove(buttons, 0, static_cast<float>(x), static_cast<float>(y));
    });
}

void ElbowWindow::DeclareHints() {
    std::vector<QWidget*> hinted{PnlSfondo, CmdApplica, CmdStampa, CmdIndietro, LblUnMisura};
    hinted.insert(hinted.end(), LblInputDati.begin(), LblInputDati.end());
    TrackHints(hinted);
    // The labels after the input rows (a result) name no field.
    const std::vector<QLabel*> fieldLabels(LblInputDati.begin(), LblInputDati.begin() + design_.InputRows);
    Hints()
        .Text(CmdApplica, TextElbowApplyHint)
        .Text(CmdIndietro, TextBackToShapes)
        .Text(CmdStampa, TextPieceRangeHint)
        .Clear(PnlSfondo, ToolTip::Hides)
        .Calls(fieldLabels, [this](int i) {
            ShowFieldHint(i);
            TxtInputDati[static_cast<std::size_t>(i)]->setFocus();
        });
}

// --- Load and layout ---

void ElbowWindow::Form_Load() {
    SetShapeState();
    setWindowTitle(Q(Txt(design_.TitleSection, 1)));
    CmdStampa->setText(Q(Txt(TextPrint)));
    SetCaption(LblUnMisura, Txt(State().Settings.MeasuringSystem == 1 ? TextUnitInch : TextUnitMillimetre));
    ApplyFormTexts();
    InputsReady = false;
    FillInputBoxes();
    InputsReady = true;
    InputsChanged = False16;
    // DirectPrint is left as it is: only a release over the picture sets it.
}

void ElbowWindow::Form_Resize() {
    if (Frame()->isMinimized()) return;  // nothing to lay out or draw
    if (KeepMinimumSize()) return;       // the resize that follows redraws
    LayOut();
    if (PictureHasRoom()) CmdApplica_Click();
}

void ElbowWindow::LayOut() {
    // In twips, as the window measures itself; the picture keeps 4 : 3.
    const double h = static_cast<double>(height()) * TwipsPerPixel;
    const double w = static_cast<double>(width()) * TwipsPerPixel;
    PnlSfondo->resize(PnlSfondo->width(), height());
    const double hAvail = h - design_.HeightMarginTwips;
    const double wAvail = w - static_cast<double>(PnlSfondo->width()) * TwipsPerPixel - design_.WidthMarginTwips;
    double ph = 0, pw = 0;
    if (hAvail <= wAvail) {
        if (hAvail / 0.75 <= wAvail) {
            ph = hAvail, pw = hAvail / 0.75;
        } else {
            ph = wAvail * 0.75, pw = wAvail;
        }
    } else if (wAvail * 0.75 <= hAvail) {
        ph = wAvail * 0.75, pw = wAvail;
    } else {
        ph = hAvail, pw = hAvail / 0.75;
    }
    PctDisegno->setGeometry(Pixels(static_cast<double>(PnlSfondo->width()) * TwipsPerPixel + design_.PictureGapTwips),
                            Pixels(30),
                            Pixels(pw), Pixels(ph));
    // The picture takes its new size now, not at a later resize event that
    // would wipe what the apply draws next.
    ImageCanvas& canvas = PctDisegno->canvas();
    if (canvas.PixelWidth() != PctDisegno->width() || canvas.PixelHeight() != PctDisegno->height())
        canvas.Resize(PctDisegno->width(), PctDisegno->height());
    canvas.Cls();
    PctDisegno->setAttribute(Qt::WA_PendingResizeEvent, false);
}

bool ElbowWindow::PictureHasRoom() const {
    return PctDisegno->width() >= LeastPicturePixels && PctDisegno->height() >= LeastPicturePixels;
}

// --- Apply ---

void ElbowWindow::CmdApplica_Click() {
    if (isVisible()) {
        // The box being left runs its range check before its text is read.
        CmdApplica->setFocus();
        if (!InGeometryEvent()) QCoreApplication::processEvents();
    }
    ReadInputBoxes();
    PctDisegno->canvas().Cls();
    SetHourglass();
    int message = CheckInputs();
    if (message == 0) message = ComputeElbow();
    const bool accepted =
        ReportApplyResult(message, ElbowRefusalValue(message, State().Elbow, State().Settings.MeasuringSystem)) ==
        False16;
    ClearHourglass();
    lastApplyAccepted_ = accepted;
    if (accepted) {
        drawing_ = ElbowDrawing{};
        DrawElbowPicture(drawing_);
        PctDisegno->update();
    }
    CmdStampa->setEnabled(accepted);
    State().DevelopmentValid = accepted ? True16 : False16;
    InputsChanged = False16;
    EnableFileCommands(true);
}

// --- Pieces ---

void ElbowWindow::PctDisegno_MouseUp(int button, int, float x, float y) {
    WorkingState& st = State();
    if (button == 1 || button == 2) {
        ClickX = x;
        ClickY = y;
        st.DirectPrint = button == 2 ? True16 : False16;
    } else {
        ClickX = 0;
        ClickY = 0;
    }
}

void ElbowWindow::PctDisegno_Click() {
    if (printingRange_) return;
    const auto filled = [this] {
        const Colour c = PctDisegno->canvas().Point(static_cast<int>(std::floor(ClickX)),
                                                    static_cast<int>(std::floor(ClickY)));
        return c == PieceFill();
    };
    if (!filled()) return;
    WorkingState& st = State();
    if (!CheckPrinterAvailable(Txt(st.DirectPrint ? TextNoPrinter : TextNoPrinterForPreview))) return;
    CmdApplica_Click();
    // A refused apply develops nothing; the elbow just redrawn may have moved
    // away from the point.
    if (!lastApplyAccepted_ || !filled()) return;
    const std::int16_t piece = HitTestPiece(ClickX, ClickY);
    st.SelectedPiece = piece;
    if (piece == 0) return;
    DevelopPiece(PieceCount());
}

void ElbowWindow::InputBoxChanged(int field) {
    InputsChanged = True16;
    if (!InputsReady) return;
    const int a = BendBox(), l = a + 1, r = a + 2;
    TextBox& bend = *TxtInputDati[static_cast<std::size_t>(a)];
    TextBox& length = *TxtInputDati[static_cast<std::size_t>(l)];
    TextBox& radius = *TxtInputDati[static_cast<std::size_t>(r)];
    const std::int16_t unit = State().Settings.MeasuringSystem;
    if (field == a || field == l) {
        const auto value = RadiusFromAxisLength(length.Text(), bend.Text(), unit);
        if (!value) return;
        InputsReady = false;
        radius.SetText(*value);
        // After A the coupling is back on before R's check, so that a
        // corrected R moves L in turn; after L it is not.
        if (field == a) InputsReady = true;
        CheckFieldRange(radius, r);
        InputsReady = true;
    } else if (field == r) {
        InputsReady = false;
        length.SetText(AxisLengthFromRadius(radius.Text(), bend.Text(), unit));
        CheckFieldRange(length, l);
        InputsReady = true;
    }
}

bool ElbowWindow::DevelopPiece(std::int16_t n) {
    WorkingState& st = State();
    ElbowPiece piece;
    if (n != st.Elbow.PieceCount || !ElbowPieceOf(st.Elbow, st.SelectedPiece, piece)) return false;
    const DevelopmentSettings settings = DevelopmentSettingsOf(st);
    // A piece that cannot be developed says so and opens nothing.
    const auto refused = [&] {
        ShowErrorMessage(UpperCase(Txt(piece.Cylindrical ? TextCylinderPiece : TextConePiece)) +
                         std::to_string(st.SelectedPiece) + ": " + Txt(LangErrore, ErrConeElbowPiece));
        return false;
    };
    if (piece.Cylindrical) {
        const DevelopedCylinder d = DevelopCylinderPiece(piece, settings, st.CylinderDevelopment.Results);
        st.LastCylinderInputs = d.Inputs;
        if (!d.Usable) return refused();
        st.CylinderDevelopment.Generation = st.NewGeneration();
        return OpenSheetPreview(CylinderSheet, this);
    }
    const DevelopedCone d = DevelopConePiece(piece, settings, st.ConeDevelopment.Results);
    st.LastConeInputs = d.Inputs;
    if (!d.Usable) return refused();
    st.ConeDevelopment.Generation = st.NewGeneration();
    return OpenSheetPreview(ConeSheet, this);
}

void ElbowWindow::PctDisegno_MouseMove(int, int, float x, float y) {
    std::string status;
    const Colour c = PctDisegno->canvas().Point(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    if (c == PieceFill()) {
        const std::int16_t piece = HitTestPiece(x, y);
        if (piece >= 1 && piece <= PieceCount())
            status = UpperCase(Txt(LangFrmAntep, design_.PieceHintText)) + std::to_string(piece) + ": " +
                     Txt(TextPieceClickHint);
    }
    SetStatusText(status);
}

// --- Range print ---

namespace {

// The PDF file of each piece: "VELM.pdf", piece 2 -> "VELM-piece2.pdf".
std::vector<std::string> PieceFileNames(const std::string& fileName, const std::vector<int>& pieces) {
    std::vector<std::string> names;
    for (int p : pieces) names.push_back(LabelledFileName(fileName, "-piece" + std::to_string(p)));
    return names;
}

// A run under way for as long as it lives (HoldExit to ReleaseExit).
class RunHold {
public:
    RunHold() { HoldExit(); }
    ~RunHold() { ReleaseExit(); }
    RunHold(const RunHold&) = delete;
    RunHold& operator=(const RunHold&) = delete;
};

// Asks once before files that exist are written over; true to go on.
bool MayReplace(Dialogs& dialogs, const std::vector<std::string>& names) {
    std::string existing;
    std::error_code ec;
    for (const std::string& name : names)
        if (std::filesystem::exists(name, ec)) existing += std::filesystem::path(name).filename().string() + "\n";
    if (existing.empty()) return true;
    return dialogs.MessageBox(existing + "\n" + Txt(TextReplaceFiles), MbYesNo + MbExclamation, Txt(TextPrintToFile)) ==
           IdYes;
}

}  // namespace

void ElbowWindow::CmdStampa_Click() {
    if (printingRange_) return;
    WorkingState& st = State();
    if (!CheckPrinterAvailable(Txt(TextNoPrinter)) || !CheckPrintServiceAnswers()) return;
    // The boxes that choose what prints are in a piece's preview, which a range never shows.
    if (!CheckPiecePrintChosen(st.Settings)) return;
    st.DirectPrint = True16;
    CmdApplica_Click();
    if (!lastApplyAccepted_ || !CmdStampa->isEnabled()) return;
    const std::int16_t n = PieceCount();
    if (n < 1) return;
    Dialogs* dialogs = Platform().dialogs;
    if (!dialogs) return;
    Printer* printer = Platform().printer;
    // From its print dialog to its last piece the range is a run under way:
    // an exit waits for it, and no file or shape opens over it.
    const RunHold run;
    // What the print dialog changes (printer, paper, orientation) holds for this range only.
    const HeldPrinterSetUp held(printer);
    const std::string proposed = (std::filesystem::path(DialogStartFolder()) / "VELM.pdf").string();
    velm::PrintRange answer = dialogs->ShowPrint(1, n, printer && printer->PrintsToFile() ? proposed : "");
    // A PDF printer asks for its file once; each piece's file is named by the piece.
    const bool toFile = printer && printer->PrintsToFile();
    if (toFile) answer.copies = 1;  // a file holds a piece once
    const std::vector<int> pieces = PagesToPrint(answer, 1, n);
    if (pieces.empty()) return;
    std::vector<std::string> files;
    if (toFile) {
        std::string fileName = answer.outputFile;
        if (fileName.empty()) {
            FileDialogRequest request = PdfFileRequest("VELM.pdf");
            request.initialDirectory = DialogStartFolder();
            request.overwritePrompt = false;  // the pieces' own files are asked about
            const FileDialogResult file = dialogs->ShowSave(request);
            if (file.cancelled) return;
            fileName = file.fileName;
        }
        RememberFolder(fileName);
        files = PieceFileNames(fileName, pieces);
        if (!MayReplace(*dialogs, files)) return;
    }
    PrintPieces(pieces, files);
}

void ElbowWindow::PrintPieces(const std::vector<int>& pieces, const std::vector<std::string>& files) {
    WorkingState& st = State();
    const std::int16_t n = PieceCount();
    Printer* printer = Platform().printer;
    printingRange_ = true;
    // An exit asked meanwhile (menu, toolbar, either window's close) waits
    // for the piece being printed, then ends the program (the command's
    // RunHold lets it go once this returns).
    setEnabled(false);
    // One document per piece, each developed, printed and closed before the
    // next; a piece that cannot be developed leaves the others, a printer
    // that refused one would refuse the rest. A sheet's questions are asked
    // once a range, and No ends it.
    const int failedBefore = FailedDocuments();
    RangePrintQuestions questions;
    std::vector<int> printed;  // the pieces whose document went out
    for (std::size_t i = 0; i < pieces.size() && !ExitPending() && FailedDocuments() == failedBefore &&
                            !RangePrintQuestions::Ended();
         ++i) {
        if (i < files.size() && printer) printer->NameNextDocument(files[i]);
        st.SelectedPiece = static_cast<std::int16_t>(pieces[i]);
        st.DirectPrint = True16;
        const int printedBefore = PrintedDocuments();
        DevelopPiece(n);
        if (PrintedDocuments() != printedBefore) printed.push_back(pieces[i]);
        if (printer) printer->NameNextDocument("");  // not left for a piece that printed nothing
        setEnabled(false);  // the closing preview enabled the window again
        QCoreApplication::processEvents();
    }
    // A range that ended early says which pieces went out and which are left to print.
    questions.Finish(pieces, printed);
    printingRange_ = false;
    setEnabled(true);
    // A close asked meanwhile runs now, unless the program is ending.
    if (closeRequested_ && !ExitPending()) Frame()->close();
    closeRequested_ = false;
}

// --- Closing ---

void ElbowWindow::closeEvent(QCloseEvent* event) {
    if (printingRange_) {
        closeRequested_ = true;
        event->ignore();
        return;
    }
    ShapeWindowBase::closeEvent(event);
}

}  // namespace velm
