#pragma once
// The design that the cylinder and frustum windows share: a 3-D panel on the
// left with the input column and the commands, a picture box beside it that
// shows the dimensioned sketch (input view) or the flat development (result
// view), and short result labels along the top right edge.
//
// ShapeWindow runs what the windows have in common: load, resize (minimum
// size, redraw), unload, apply, develop, weld side, modify, back, the two
// views, the input boxes' handlers and the status-line hints. A family
// derives from it and fills in the hooks below; its windows differ only by
// their ShapeWindowDesign (counts, layout, texts) and what the hooks do with it.
//
// Control names are the model's: PctDisegno, PnlSfondo, LblInputDati(i),
// TxtInputDati(i), LblOutputDati(i), LblUnMisura, TxtAnt(k),
// LblDatiSviluppo(k), LblDiffLato(i), LblArco(i), CmdApplica, CmdSviluppa,
// CmdModifica, CmdAnteprima, CmdIndietro, CmdSaldatura, LblSegno. TxtAnt and
// LblDatiSviluppo are children of PctDisegno, so that the drawing's
// positions (the picture's pixels) place them on their dimensions.
//
// Life cycle: the family's factory constructs the window and calls
// Form_Load() once; the first resize (showing it) runs apply. Closing the
// window (CmdIndietro or the close box) runs Form_Unload.
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/language.h"
#include "core/picture_labels.h"
#include "frame/windows/frame_api.h"
#include "core/working_state.h"
#include "geometry/profile_table.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace velm {

class PictureBox;
class TextBox;

// What sets one window apart from the others of its family.
struct ShapeWindowDesign {
    const char* Name = "";      // objectName: the model's window name
    std::int16_t ShapeCode = ShapeNone;
    TextSectionId TitleSection = LangCommon;  // text 1 is the title
    int InputRows = 0;     // TxtInputDati(0 .. InputRows - 1)
    int OutputLabels = 0;  // LblInputDati and LblOutputDati rows (frusta: one more, the apex angle)
    int SketchBoxes = 0;   // TxtAnt(k) edits field k + 1
    int SketchLabels = 0;  // LblDatiSviluppo
    int SideLabels = 0;    // LblDiffLato (0 or 2)
    int ArcLabels = 0;     // LblArco (0 or 2)
    bool WeldSide = false; // CmdSaldatura
    bool SignLabel = false;  // LblSegno, the "-" in front of the last input box
    int ResultViewText = 13;  // LangCommon text after the title in the result view (input view: 11)
    // LangCommon captions of CmdApplica, CmdSviluppa and CmdModifica.
    int ApplyText = 14, DevelopText = 15, ModifyText = 16;
    bool FormMoveClearsStatus = false;  // moving over the window also clears the status line

    // Layout of the panel, in twips (rows by index).
    std::vector<int> LabelTops;   // LblInputDati, OutputLabels entries
    std::vector<int> BoxTops;     // TxtInputDati, InputRows entries
    std::vector<int> OutputTops;  // LblOutputDati, OutputLabels entries
    int LabelLeft = 240;
    int BoxLeft = 2130;
    int OutputLeft = 2130;
    int BoxWidth = 770, BoxHeight = 285;
    int OutputWidth = 765, OutputHeight = 285;
    int ApplyTop = 2430;    // CmdApplica and CmdModifica
    int DevelopTop = 2910;  // CmdSviluppa and CmdAnteprima
    int BackTop = 3375;     // CmdIndietro
    int WeldTop = 4395;     // CmdSaldatura
    int SignLeft = 2040, SignTop = 2040;
    int UnitLeft = 3276, UnitTop = 126;  // LblUnMisura, on the window

    // LangHelp texts of the status-line hints.
    int HintApply = 30;
    int HintDevelop = 3;
    int HintModify = 4;
    int HintPreview = 5;
    int HintBack = 6;
    int HintWeld = 41;
    int HintArc = 37;   // LblArco(i): HintArc + i
    int HintSide = 39;  // LblDiffLato(i): HintSide + i
};

// Background of the picture box (and of the window around it): dark, and
// unlike every colour that a sketch or development draws with.
constexpr Colour ShapePictureBackColour = RGB(0, 0, 64);

class ShapeWindow : public QWidget {
    Q_OBJECT
public:
    explicit ShapeWindow(const ShapeWindowDesign& design, QWidget* parent = nullptr);
    ~ShapeWindow() override;

    const ShapeWindowDesign& Design() const { return design_; }
    std::int16_t ShapeCode() const { return design_.ShapeCode; }

    // Window-level flags, 0 or -1, one set per window.
    Bool16 InputViewActive = True16;  // the input view is shown
    Bool16 MirrorEnabled = False16;   // TxtInputDati and TxtAnt may copy each other
    Bool16 InputsChanged = False16;   // a box changed since the last apply

    // Event handlers, public so that the opener and tests drive them as the
    // window system would.
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void CmdApplica_Click();
    void CmdSviluppa_Click();
    void CmdSaldatura_Click();
    void CmdAnteprima_Click();
    void CmdModifica_Click();
    void CmdIndietro_Click();

    // The two views and the empty state after a refused apply.
    void ShowInputView();
    void ShowResultView();
    void ResetView();

    // The last apply was accepted (CmdSviluppa enabled, whatever the window's
    // own enabled state).
    bool DevelopEnabled() const;
    // The last apply accepted the inputs.
    bool LastApplyAccepted() const { return lastApplyAccepted_; }
    // This window's last accepted apply produced the family's shared
    // results, and no other window of the family has applied since.
    bool OwnsResults() const;
    // Form_Unload has run: the window is on its way out and a new opening
    // makes (and loads) a new one.
    bool Unloaded() const { return unloaded_; }

    // Puts a newly made window into the main window's area, when there is
    // one, filling it so that the drawings have room; closing deletes the
    // window, so that the next opening loads a new one.
    static void AddToMainArea(ShapeWindow* window);

    // The one window of a code of family W (N codes from firstCode on): made
    // and loaded on first use, and again after it was closed, inside the main
    // window's area when there is one. Not shown. Null for another code.
    template <class W, std::size_t N>
    static QWidget* OpenSingle(int shapeCode, int firstCode);
    // Registers W::Open for the codes first to last with the shape opener.
    template <class W>
    static void RegisterFamily(int first, int last);

    // Controls.
    PictureBox* PctDisegno = nullptr;
    QGroupBox* PnlSfondo = nullptr;
    std::vector<QLabel*> LblInputDati;
    std::vector<TextBox*> TxtInputDati;
    std::vector<QLabel*> LblOutputDati;
    QLabel* LblUnMisura = nullptr;
    std::vector<TextBox*> TxtAnt;
    std::vector<QLabel*> LblDatiSviluppo;
    std::vector<QLabel*> LblDiffLato;
    std::vector<QLabel*> LblArco;
    QPushButton* CmdApplica = nullptr;
    QPushButton* CmdSviluppa = nullptr;
    QPushButton* CmdModifica = nullptr;
    QPushButton* CmdAnteprima = nullptr;
    QPushButton* CmdIndietro = nullptr;
    QPushButton* CmdSaldatura = nullptr;  // null without a weld side
    QLabel* LblSegno = nullptr;           // null without the sign

protected:
    // --- Hooks of the family ---
    // Load: the input column from the working state (MirrorEnabled is False).
    virtual void FillInputBoxes() = 0;
    // Load, once: the captions of the panel and the rows (the base sets the
    // title, the commands and the unit).
    virtual void ApplyFormTexts() = 0;
    // Apply: the boxes into the working state, cut angles in radians too.
    virtual void ReadInputBoxes() = 0;
    // Apply: check and develop; 0 when accepted, else the number of the
    // error text to show (negative: refused without a word). Shows nothing.
    virtual int ValidateAndDevelop() = 0;
    // The generation of the shared development that ValidateAndDevelop and
    // the weld side write: a window redraws from it only while its own
    // apply produced it last.
    virtual std::uint64_t& ResultsGeneration() const = 0;
    // Apply refused, before ResetView.
    virtual void AfterRefusedApply() {}
    // Apply accepted, after ShowInputView and before DrawSketch: the side
    // differences (SetSideDifferences), the apex angle ...
    virtual void AfterAcceptedApply() {}
    // The sketch into the laid-out, cleared PctDisegno; placing TxtAnt and
    // LblDatiSviluppo. Not called when the picture has no room.
    virtual void DrawSketch() = 0;
    // The development into the laid-out, cleared PctDisegno, showing its
    // result labels. Not called when the picture has no room.
    virtual void DrawDevelopment() = 0;
    // The weld-side command's body (windows with CmdSaldatura); the base
    // redraws the development afterwards in the result view.
    virtual void ToggleWeldSide() {}
    // Input view: captions of the sketch labels.
    virtual void SetSketchLabelCaptions() = 0;
    // Result view: the accepted value of an input row.
    virtual std::string OutputText(int row) = 0;
    // Result view: caption of LblArco(i); empty leaves the label hidden.
    virtual std::string ArcText(int i) = 0;
    // The sheet preview, registered by the output code: until it is there,
    // CmdAnteprima stays disabled.
    virtual bool SheetPreviewAvailable() const;
    virtual void ShowSheetPreview();
    // Input-field services of the family (field = input-column index).
    virtual void FilterKeyDown(TextBox& box, int field, int& keyCode, int shift) = 0;
    virtual void FilterKeyPress(TextBox& box, int field, int& keyAscii) = 0;
    virtual void CheckFieldRange(TextBox& box, int field) = 0;
    virtual void ShowFieldHint(int field) = 0;
    // Hint of LblDatiSviluppo(index) while the input view is shown: by
    // default the hint of field index + 1 and the highlight of TxtAnt(index).
    virtual void SketchLabelHint(int index);

    // --- Helpers for the families ---
    std::string Title() const;  // text 1 of the window's own section
    // Captions first, then each label flush with the window's right edge, then shown.
    void SetSideDifferences(const std::vector<std::pair<int, std::string>>& captions);
    // The side differences of the developed edges, |entry N - entry 0| with
    // N the half turn: LblDiffLato(0) of the upper edge, (1) of the lower
    // one; a null table shows none.
    void ShowSideDifferences(const ProfileTable* upper, const ProfileTable* lower);
    void AlignRight(QLabel* label);
    // Puts a drawing's label on the picture (move, colour, caption, show),
    // kept wholly inside the picture.
    void ApplyPlacedLabel(QLabel* label, const PlacedLabel& placed);
    // Puts sketch box TxtAnt(k) where the sketch placed its value; a length
    // box keeps clear of its label LblDatiSviluppo(k), already placed.
    void PlaceSketchBox(std::size_t k, const PlacedValueBox& box);
    // Lays PctDisegno out right of the panel (pixels: left panel width + 5,
    // top 40, the window's inner size less 80 high and panel + 10 wide) and
    // clears it. False when that leaves no room to draw.
    bool LayOutPicture();
    static void SetForeColour(QLabel* label, Colour colour);
    static void SetCaption(QLabel* label, const std::string& caption);
    // A value label of the panel (LblOutputDati) keeps its designed size;
    // only a value longer than that widens it.
    void SetValueCaption(QLabel* label, const std::string& caption);

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ApplyCommonTexts();
    void WireInputBox(TextBox* box, int field);
    void WireSketchBox(TextBox* box, int k);
    void ControlMouseMove(QObject* control);
    void SetDevelopEnabled(bool enabled);
    QWidget* Frame();  // the MDI sub-window around the window, or the window itself

    ShapeWindowDesign design_;
    bool developEnabled_ = true;       // CmdSviluppa as designed: enabled
    bool lastApplyAccepted_ = false;   // what the weld-side command may redevelop
    std::uint64_t ownGeneration_ = 0;  // the shared development this window's apply made; 0 none
    bool closing_ = false;
    bool unloaded_ = false;
    int inGeometryEvent_ = 0;          // depth of resize and show events being handled
};

template <class W, std::size_t N>
QWidget* ShapeWindow::OpenSingle(int shapeCode, int firstCode) {
    if (shapeCode < firstCode || shapeCode >= firstCode + static_cast<int>(N)) return nullptr;
    static std::array<QPointer<W>, N> windows;
    QPointer<W>& window = windows[static_cast<std::size_t>(shapeCode - firstCode)];
    if (window && !window->Unloaded()) return window;
    window = new W(shapeCode);
    window->Form_Load();
    AddToMainArea(window);
    return window;
}

template <class W>
void ShapeWindow::RegisterFamily(int first, int last) {
    for (int code = first; code <= last; ++code)
        RegisterShapeWindowFactory(code, [](int shapeCode) -> QWidget* { return W::Open(shapeCode); });
}

}  // namespace velm
