#pragma once
// What the four elbow windows do alike: a panel on the left with the input
// column, the apply, print and back commands, and beside it the picture
// PctDisegno with the whole elbow drawn from the side, its pieces filled.
// Pointing at a piece names it in the status line; a left click develops it
// and opens its sheet preview, a right click prints it at once; the print
// command prints a range of pieces, one document per piece.
//
// A window derives from ElbowWindow and fills in the hooks: reading its
// boxes, checking and computing its elbow into State().Elbow, drawing it,
// and finding and developing a piece.
//
// Design names of the controls (glossary in src/README.md):
// PnlSfondo, LblInputDati(i), TxtInputDati(i), LblUnMisura, CmdApplica,
// CmdStampa, CmdIndietro, PctDisegno.
#include <cstdint>
#include <string>
#include <vector>

#include "core/language.h"
#include "elbows/elbow_drawing.h"
#include "frame/windows/shape_window_base.h"

namespace velm {

struct ElbowWindowDesign {
    const char* Name = "";
    std::int16_t ShapeCode = 0;
    TextSectionId TitleSection = LangCommon;  // text 1 is the title
    int InputRows = 0;       // TxtInputDati(0 .. InputRows - 1)
    int Labels = 0;          // LblInputDati (result labels included)
    int MinWidthTwips = 9300;
    int PieceHintText = 41;  // FrmAntep text naming a piece in the hint
    int PanelWidthTwips = 3195;
    // Layout: what the picture leaves below and right, and its gap to the panel.
    int HeightMarginTwips = 60;
    int WidthMarginTwips = 10;
    int PictureGapTwips = 5;
};

// Background of the elbow picture (and of the window around it): a mid
// grey, against which the yellow outline and letters, the red fill, the green
// joints and the dark blue dimension figure all stand out.
constexpr Colour ElbowPictureBackColour = RGB(128, 128, 128);

class ElbowWindow : public ShapeWindowBase {
    Q_OBJECT
public:
    explicit ElbowWindow(const ElbowWindowDesign& design, QWidget* parent = nullptr);

    const ElbowWindowDesign& Design() const { return design_; }

    // What the window remembers between events.
    float ClickX = 0, ClickY = 0;  // the last release over the picture
    bool InputsReady = false;      // the coupled boxes may rewrite each other

    // Event handlers, public so that the opener and tests drive them as the
    // window system would.
    void Form_Load();
    void Form_Resize() override;
    void CmdApplica_Click() override;
    void CmdStampa_Click();
    virtual void PctDisegno_MouseUp(int button, int shift, float x, float y);
    virtual void PctDisegno_Click();
    virtual void PctDisegno_MouseMove(int button, int shift, float x, float y);

    bool LastApplyAccepted() const override { return lastApplyAccepted_; }
    // A range print is running: the window stays disabled until it ends.
    bool PrintingRange() const { return printingRange_; }
    // The drawing the last apply left (the centre the hit tests read).
    const ElbowDrawing& Drawing() const { return drawing_; }
    // The piece (1 to N) under a picture point, 0 for none.
    virtual std::int16_t HitTestPiece(float x, float y) const = 0;

    // Controls (with those of ShapeWindowBase).
    QPushButton* CmdStampa = nullptr;

protected:
    // --- Hooks of the window ---
    virtual void FillInputBoxes() = 0;  // load: boxes from the working state, InputsReady false
    virtual void ApplyFormTexts() = 0;  // load: captions
    virtual void ReadInputBoxes() = 0;  // apply: boxes into the input array, angles in radians
    // Apply: the input check, then the computation into State().Elbow; 0
    // when accepted, else the error text to show (negative: refused, its
    // message already shown or none).
    virtual int CheckInputs() = 0;
    virtual int ComputeElbow() = 0;
    // The computed elbow into the cleared picture; fills `drawing`.
    virtual bool DrawElbowPicture(ElbowDrawing& drawing) = 0;
    // The number of pieces as the print range counts them.
    virtual std::int16_t PieceCount() const = 0;
    virtual Colour PieceFill() const = 0;

    // The box of the bend angle A; L and R are the two after it.
    virtual int BendBox() const = 0;
    // A, L and R follow each other: a typed A or L gives R, a typed R gives
    // L; each result passes its own range check.
    void InputBoxChanged(int field) override;

    // Develops piece SelectedPiece of an elbow of n pieces as a cylinder or a
    // frustum and hands it to that preview: the window disabled, minimised,
    // the preview shown; with DirectPrint printed and closed, the window left
    // as it was. False when the piece could not be developed (nothing shown).
    bool DevelopPiece(std::int16_t n);

    // Panel height and picture at the window's size (no apply).
    void LayOut();

    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildPicture();
    void DeclareHints();
    bool PictureHasRoom() const;
    // The pieces in order, each to its own file when files are given.
    void PrintPieces(const std::vector<int>& pieces, const std::vector<std::string>& files);

    const ElbowWindowDesign& design_;
    ElbowDrawing drawing_;
    bool lastApplyAccepted_ = false;
    bool printingRange_ = false;
    bool closeRequested_ = false;      // the window's close waits for the range print
};

// Registers the elbow windows with the shape opener (elbow_windows.cpp).
void RegisterElbowWindows();

}  // namespace velm
