#pragma once
// The sheet previews: FrmAnteprimaCilindri (cylinders and cylindrical elbow
// pieces) and FrmAnteprima (frusta and conical pieces), one class built from
// a variant table. The window shows the printer's sheet with the data box
// and the development, lets the user choose what the sheet carries, the
// scale and the part of the development, drag the drawing into place, set
// up the printer and print.
//
// Design names of the controls (glossary in src/README.md):
// PnlSfondo, CmdStampa, CmdTabella, CmdStampante, CmdIndietro, FrmEtichette,
// ChkDatiStampa(0..2), LblFScala or LblScala, ComboScala, FrameSviluppo,
// OptSviluppo(0..2), PctFoglio, PctDati, LblArea, PctDisegno.
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "core/shape_kinds.h"
#include "core/text_ids.h"
#include "frame/windows/control_hints.h"
#include "output/print_job.h"
#include "output/sheet_fit.h"
#include "output/sheet_layout.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace velm {

class PictureBox;

// What sets the two previews apart.
struct SheetPreviewDesign {
    const char* Name;
    int Family;                       // SheetFamily, passed to PrintSheet
    std::int16_t OpenPreviewCode;     // OpenPreview while open
    TextId PieceText;                 // the piece label
    TextId DevelopmentText, DataText; // ChkDatiStampa(0) and (1)
    const char* ScaleLabelName;       // LblFScala or LblScala
    bool ShapeKindInfo::*OnSheet;     // the shape windows enabled again on closing
};

class SheetPreview : public QWidget {
    Q_OBJECT
public:
    // The preview of a family (CylinderSheet or ConeSheet): made and loaded on
    // first use and after it was closed, in the main window's area; not shown.
    static SheetPreview* Open(int family);
    // The open preview, if any.
    static SheetPreview* Current();

    const SheetPreviewDesign& Design() const { return design_; }
    int Family() const { return design_.Family; }

    // Event handlers, public so that the opener and tests drive them.
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void ChkDatiStampa_Click(int index);
    void OptSviluppo_Click(int index);
    void ComboScala_Change();
    void ComboScala_Click(int index);
    void CmdStampa_Click();
    void CmdStampante_Click();
    void CmdIndietro_Click();
    // The value table and the notes window, modal over the preview (preview_notes_table.cpp).
    void CmdTabella_Click();
    void PctDati_Click();
    void LblArea_Click();
    // The notes were written: the data box takes their lines and shows them.
    void NotesChanged();
    // Drag: the pointer pressed at (x, y) of the drawing, then moving to (x, y)
    // of the window.
    void PctDisegno_MouseDown(int x, int y);
    void DragTo(QPoint windowPoint);
    bool Dragging() const { return dragging_; }

    // Places the sheet, the data box and the drawing for the printer's page
    // (LayoutCylinderSheetPreview / LayoutConeSheetPreview).
    void LayOut();
    // The pictures the print job reads.
    SheetPictures Pictures() const;
    // The title-line reserve of the last layout (PctDisegno's tag).
    float TitleReserve() const { return titleReserve_; }

    // Controls.
    QGroupBox* PnlSfondo = nullptr;
    QPushButton* CmdStampa = nullptr;
    QPushButton* CmdTabella = nullptr;
    QPushButton* CmdStampante = nullptr;
    QPushButton* CmdIndietro = nullptr;
    QGroupBox* FrmEtichette = nullptr;
    // What each box puts on the sheet.
    enum PrintPart : int { PrintDevelopment = 0, PrintData = 1, PrintNotes = 2, PrintPartCount = 3 };
    std::vector<QCheckBox*> ChkDatiStampa;
    QLabel* LblScala = nullptr;  // LblFScala on the cylinder sheet
    QComboBox* ComboScala = nullptr;
    QGroupBox* FrameSviluppo = nullptr;
    // Each option is the DevelopmentPart it picks.
    enum DevelopmentPartOption : int { WholeDevelopment = 0, LeftHalf = 1, RightHalf = 2, DevelopmentPartCount = 3 };
    std::vector<QRadioButton*> OptSviluppo;
    QWidget* PctFoglio = nullptr;
    QWidget* PctDati = nullptr;
    QLabel* LblArea = nullptr;
    PictureBox* PctDisegno = nullptr;
    QWidget* PctTaglio = nullptr;  // red marks where the sheet cuts the drawing, over it

protected:
    SheetPreview(const SheetPreviewDesign& design, QWidget* parent = nullptr);
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildCommands();
    void BuildOptions();  // what the sheet carries, the scale, the part of the development
    void BuildSheet();    // the sheet with the data box and the drawing
    void ApplyPreviewTexts();
    void MoveDrawing(int left, int top);
    void DrawDevelopment();
    void CheckFit();
    void PlaceCutMarks();
    void ShowDataBox(int caption, float boxHeight);
    void ShowDataBoxText(int caption);  // the caption, and the notes as they wrap on paper
    void ShowFitOrNothing();
    QWidget* Frame();

    const SheetPreviewDesign& design_;
    ControlHints hints_;
    bool previewLoading_ = false;
    bool unloaded_ = false;
    bool dragging_ = false;
    bool restoringScale_ = false;
    int grabX_ = 0, grabY_ = 0;
    float titleReserve_ = 0;
    int inLayout_ = 0;
    int noteColumns_ = 0;  // characters a printed line holds
    SheetLayoutInput lastInput_;
    SheetFit fit_;
    std::string fitText_;
};

// The layout routines of the two sheets.
void LayoutCylinderSheetPreview(SheetPreview* frm);
void LayoutConeSheetPreview(SheetPreview* frm);

// Opens the preview of a family for the calling window: the printer is
// checked first (text 32 of Errore, TextNoPrinter for a direct print; no
// printer opens nothing); the caller is disabled, then minimised, then the
// preview shows.
// With DirectPrint set the preview is laid out, printed and closed before
// this returns, OpenPreview back at -1, and the caller is left as it was
// (enabled again, never minimised). True when the preview opened.
bool OpenSheetPreview(int family, QWidget* caller);

// Registers the preview, print and re-layout commands with the main window.
void RegisterOutputCommands();

}  // namespace velm
