#pragma once
// What every shape window shares, whatever it shows in its picture: the
// single instance per code inside the main window's area, registration with
// the shape opener, the resize and show guard that lets the first showing
// draw, the minimum normal size, closing with SwitchingForms, the input
// boxes' wiring to the family's filters and hints, the status-line hints of
// the controls, showing a refusal once per change of the inputs, and
// checking the inputs again before every save or export.
//
// The cylinder and frustum windows (ShapeWindow, with a sketch) and the
// elbow windows derive from it.
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/working_state.h"
#include "frame/windows/control_hints.h"
#include "frame/windows/frame_api.h"

class QGroupBox;
class QLabel;
class QPalette;
class QPushButton;

namespace velm {

class PictureBox;
class TextBox;

class ShapeWindowBase : public QWidget {
    Q_OBJECT
public:
    // `name` is the window's design name (objectName); the minimum normal
    // size is in twips; `back` is the colour behind the picture.
    ShapeWindowBase(const char* name, std::int16_t shapeCode, int minWidthTwips, int minHeightTwips, Colour back,
                    QWidget* parent = nullptr);
    ~ShapeWindowBase() override;

    std::int16_t ShapeCode() const { return shapeCode_; }

    // A box changed since the last apply (0 or -1).
    Bool16 InputsChanged = False16;

    virtual void Form_Resize() = 0;
    virtual void CmdApplica_Click() = 0;
    // The last apply accepted the inputs.
    virtual bool LastApplyAccepted() const = 0;
    // Closing: the start panel comes back unless the opener is replacing
    // this window (SwitchingForms).
    virtual void Form_Unload();
    void CmdIndietro_Click();

    // Form_Unload has run: the window is on its way out and a new opening
    // makes (and loads) a new one.
    bool Unloaded() const { return unloaded_; }

    // A save or an export checks what the boxes show: the apply runs as its
    // button does, every time, whether or not a box changed since the last
    // one; false when it refused them (its message has been shown).
    virtual bool ApplyPendingInputs();

    // Puts a newly made window into the main window's area, when there is
    // one, filling it so that the drawings have room; closing deletes the
    // window, so that the next opening loads a new one.
    static void AddToMainArea(ShapeWindowBase* window);

    // The one window of a code of family W (N codes from firstCode on): made
    // and loaded on first use, and again after it was closed, inside the main
    // window's area when there is one. Not shown. Null for another code.
    template <class W, std::size_t N>
    static QWidget* OpenSingle(int shapeCode, int firstCode);
    // Registers W::Open for the codes first to last with the shape opener.
    template <class W>
    static void RegisterFamily(int first, int last);

    // Controls every shape window has; the family makes and places them.
    PictureBox* PctDisegno = nullptr;
    QGroupBox* PnlSfondo = nullptr;
    std::vector<QLabel*> LblInputDati;
    std::vector<TextBox*> TxtInputDati;
    QLabel* LblUnMisura = nullptr;
    QPushButton* CmdApplica = nullptr;
    QPushButton* CmdIndietro = nullptr;

protected:
    // --- Hooks of the input boxes (field = input-column index) ---
    virtual void FilterKeyDown(TextBox& box, int field, int& keyCode, int shift) = 0;
    virtual void FilterKeyPress(TextBox& box, int field, int& keyAscii) = 0;
    virtual void InputBoxChanged(int field) = 0;
    virtual void CheckFieldRange(TextBox& box, int field) = 0;
    virtual void ShowFieldHint(int field) = 0;
    // The pointer moved over the window itself, after HideToolTip.
    virtual void FormMouseMove() {}

    // --- Helpers ---
    // Key, change, focus-loss and pointer handlers of an input-column box:
    // the hooks above; the pointer writes the field's hint and takes the focus.
    void WireInputBox(TextBox* box, int field);
    // A box whose handlers the family sets itself: they are cleared with
    // the window, before any hook could be reached from a dying box.
    void TrackBox(TextBox* box);
    // Each control answers the pointer itself (its entry in Hints()),
    // without passing the move on to the panel or window that holds it.
    void TrackHints(const std::vector<QWidget*>& controls);
    // The hints of the tracked controls; a control without one leaves the
    // status line alone.
    ControlHints& Hints() { return hints_; }
    // The window's normal state keeps the minimum size. True when this made
    // the frame larger and a resize event follows that redraws.
    bool KeepMinimumSize();
    // The MDI sub-window around the window, or the window itself.
    QWidget* Frame();
    const QWidget* Frame() const;
    // Inside a resize or show event: a yield there would paint the window half
    // laid out.
    bool InGeometryEvent() const { return inGeometryEvent_ > 0; }
    // The window is being destroyed: no hook may run.
    bool Closing() const { return closing_; }
    // ShapeCode and SwitchingForms, as every load sets them; the inputs as
    // loaded count as this window's accepted ones.
    void SetShapeState();
    // An apply's check result (0 accepted) and the number its text names,
    // shown as ReportCheckResult shows them; True16 when refused. A resize
    // re-applies unchanged inputs: a refusal already shown for them is not
    // shown again. An accepted apply's inputs are kept; a refused one holds
    // the kept ones in the working state (HeldInputs), for when another
    // shape takes over.
    Bool16 ReportApplyResult(int message, const std::string& value = {});
    // Refused values of this window are in the input arrays (also those of a
    // refused end connection): its family's last accepted ones are held.
    void HoldAcceptedInputs();

    // Control makers: objectName the control's design name.
    static QLabel* MakeLabel(QWidget* parent, const std::string& name);
    static QPushButton* MakeButtonAt(QWidget* parent, const char* name, int leftTwips, int topTwips, int widthTwips,
                                     int heightTwips);
    // The panel with the standard light look, not the dark window's.
    QGroupBox* MakePanel();
    // The picture box: its back colour, parked while the window is in the background.
    PictureBox* MakePicture(Colour backColour);
    static QPalette StandardPalette();
    static void SetForeColour(QLabel* label, Colour colour);
    static void SetCaption(QLabel* label, const std::string& caption);

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::int16_t shapeCode_;
    int minWidthTwips_, minHeightTwips_;
    std::vector<QPointer<TextBox>> wiredBoxes_;
    ControlHints hints_;
    bool closing_ = false;
    bool unloaded_ = false;
    int inGeometryEvent_ = 0;  // depth of resize and show events being handled
    int shownRefusal_ = 0;     // the refusal the last apply reported, 0 after an accepted one
    HeldInputs accepted_;      // the inputs of the last accepted apply, or as loaded
};

template <class W, std::size_t N>
QWidget* ShapeWindowBase::OpenSingle(int shapeCode, int firstCode) {
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
void ShapeWindowBase::RegisterFamily(int first, int last) {
    for (int code = first; code <= last; ++code)
        RegisterShapeWindowFactory(code, [](int shapeCode) -> QWidget* { return W::Open(shapeCode); });
}

}  // namespace velm
