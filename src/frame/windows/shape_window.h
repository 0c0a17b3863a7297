#pragma once
// The design that the cylinder and frustum windows share: a 3-D panel on the
// left with the input column and the commands, a picture box beside it that
// shows the dimensioned sketch (input view) or the flat development (result
// view), and short result labels along the top right edge.
//
// ShapeWindow runs what these windows have in common (on top of what every
// shape window shares, ShapeWindowBase): load, resize (redraw), apply,
// develop, weld side, modify, the two views, the sketch boxes and the
// status-line hints. A family
// derives from it and fills in the hooks below; its windows differ only by
// their ShapeWindowDesign (counts, layout, texts) and what the hooks do with it.
//
// Design names of the controls (glossary in src/README.md):
// PctDisegno, PnlSfondo, LblInputDati(i), TxtInputDati(i), LblOutputDati(i),
// LblUnMisura, TxtAnt(k), LblDatiSviluppo(k), LblDiffLato(i), LblArco(i),
// CmdApplica, CmdSviluppa, CmdModifica, CmdAnteprima, CmdIndietro,
// CmdSaldatura, LblSegno. TxtAnt and LblDatiSviluppo are children of
// PctDisegno, so that the drawing's positions (the picture's pixels) place
// them on their dimensions.
//
// Life cycle: the family's factory constructs the window and calls
// Form_Load() once; the first resize (showing it) runs apply. Closing the
// window (CmdIndietro or the close box) runs Form_Unload.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/language.h"
#include "core/picture_labels.h"
#include "core/working_state.h"
#include "frame/windows/shape_window_base.h"
#include "frame/windows/shape_window_texts.h"
#include "geometry/profile_table.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace velm {

class PictureBox;
class TextBox;

// What sets one window apart from the others of its family.
struct ShapeWindowDesign {
    const char* Name = "";      // objectName: the window's design name
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
    TextId ResultViewText = TextResultView;  // after the title in the result view (input view: TextInputView)
    // The captions of CmdApplica, CmdSviluppa and CmdModifica.
    TextId ApplyText = TextApplyButton, DevelopText = TextDevelopButton, ModifyText = TextModifyButton;
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

    // The status-line hints.
    TextId HintApply = TextApplyHint;
    TextId HintDevelop = TextDevelopHint;
    TextId HintModify = TextModifyHint;
    TextId HintPreview = TextPreviewHint;
    TextId HintWeld = TextWeldHint;
    TextId HintArc = TextFirstArcHint;    // LblArco(i): the i-th after it
    TextId HintSide = TextFirstSideHint;  // LblDiffLato(i): the i-th after it
};

// Background of the picture box (and of the window around it): dark, and
// unlike every colour that a sketch or development draws with.
constexpr Colour ShapePictureBackColour = RGB(0, 0, 64);

class ShapeWindow : public ShapeWindowBase {
    Q_OBJECT
public:
    explicit ShapeWindow(const ShapeWindowDesign& design, QWidget* parent = nullptr);

    const ShapeWindowDesign& Design() const { return design_; }

    // Window-level flags, 0 or -1, one set per window.
    Bool16 InputViewActive = True16;  // the input view is shown
    Bool16 MirrorEnabled = False16;   // TxtInputDati and TxtAnt may copy each other

    // Event handlers, public so that the opener and tests drive them as the
    // window system would.
    void Form_Load();
    void Form_Resize() override;
    void CmdApplica_Click() override;
    void CmdSviluppa_Click();
    void CmdSaldatura_Click();
    void CmdAnteprima_Click();
    void CmdModifica_Click();
    bool ApplyPendingInputs() override;

    // The two views and the empty state after a refused apply.
    void ShowInputView();
    void ShowResultView();
    void ResetView();

    // The last apply accepted the inputs.
    bool LastApplyAccepted() const override { return lastApplyAccepted_; }
    // This window's last accepted apply produced the family's shared
    // results, and no other window of the family has applied since.
    bool OwnsResults() const;

    // Controls (with those of ShapeWindowBase).
    std::vector<QLabel*> LblOutputDati;
    std::vector<TextBox*> TxtAnt;
    std::vector<QLabel*> LblDatiSviluppo;
    enum SideDifference : int { UpperSideDifference = 0, LowerSideDifference = 1 };
    std::vector<QLabel*> LblDiffLato;  // by SideDifference
    std::vector<QLabel*> LblArco;
    QPushButton* CmdSviluppa = nullptr;
    QPushButton* CmdModifica = nullptr;
    QPushButton* CmdAnteprima = nullptr;
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
    // Input-field services of the family (FilterKeyDown, FilterKeyPress,
    // CheckFieldRange, ShowFieldHint): ShapeWindowBase's hooks.
    // A change of an input-column box: into its sketch box.
    void InputBoxChanged(int field) override;
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
    // What the sketch labels, as captioned, and boxes TxtAnt(k), showing
    // values[k], take on the picture: the room a sketch leaves for them.
    SketchRoom MeasureSketchRoom(const std::vector<float>& values) const;
    // Lays PctDisegno out right of the panel (pixels: left panel width + 5,
    // top 40, the window's inner size less 80 high and panel + 10 wide) and
    // clears it. False when that leaves no room to draw.
    bool LayOutPicture();
    // A value label of the panel (LblOutputDati) keeps its designed size;
    // only a value longer than that widens it.
    void SetValueCaption(QLabel* label, const std::string& caption);

    void FormMouseMove() override;

private:
    void BuildControls();
    void BuildPanel();       // the input column
    void BuildCommands();
    void BuildEdgeLabels();  // the unit, side and arc labels along the top edge
    void BuildPicture();     // with the sketch boxes and labels on it
    void DeclareHints();
    void ApplyCommonTexts();
    void WireSketchBox(TextBox* box, int k);
    void SetDevelopEnabled(bool enabled);

    ShapeWindowDesign design_;
    bool developEnabled_ = true;       // CmdSviluppa as designed: enabled
    bool lastApplyAccepted_ = false;   // what the weld-side command may redevelop
    std::uint64_t ownGeneration_ = 0;  // the shared development this window's apply made; 0 none
};

}  // namespace velm
