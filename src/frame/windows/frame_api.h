#pragma once
// What the windows of the frame offer each other and the shape windows.
// The main window's part lives in frm_mdi.cpp, the start panel's in
// frm_iniziale.cpp, the shape opener's in shape_opener.cpp.
#include <string>

#include "core/messages.h"  // ShowMessage, ShowErrorMessage

class QWidget;
class QMdiArea;
class QComboBox;

namespace velm {

// Main window.
QWidget* MainWindow();   // null until start-up made it
QMdiArea* MdiArea();
QWidget* ActiveChild();  // the active child window, or null
void SetStatusText(const std::string& text);  // the status line PnlStatusBar
void HideToolTip();
void UpdateMdiState();
void EnableFileCommands(bool enable);
void CheckShapeMenuItem(int shapeCode);
void UpdateCalibrationMenuCheck();
void CenterForm(QWidget* owner, QWidget* dialog);
// Options menu and the two option buttons of the toolbar (start panel active or not).
void EnableOptionCommands(bool enable);
// Derives every menu item's and toolbar button's enabled state again from the
// working state (OpenPreview, DevelopmentValid ...): a preview calls it after
// it set OpenPreview, so that the main window enters or leaves preview mode.
void UpdateCommandState();
// The scale box of a sheet preview: "1:1" to "1:5", its text the stored Scale.
void FillScaleCombo(QComboBox* combo);


// Start panel and shape opener.
// Window tests start and end the whole program many times in one process:
// keep single window instances in a QPointer, never a plain static pointer.
QWidget* StartPanel();  // frmIniziale, made on first use
// One shape window lives at a time: opening a shape closes every other shape
// window and any preview first; the shape's own window, when it is still
// open, comes back restored, enabled and active instead of loading again,
// unless `reload`: a data file replaced the values, which its boxes must show.
void OpenShapeForm(int shapeCode, QWidget* caller, bool reload = false);
// No shape is open any more (a data file that names none): every shape
// window and preview closes, the Shapes menu ticks nothing.
void CloseShapeWindows();
// The start panel together with its sub-window's frame, whose buttons would
// otherwise restore or close a disabled panel.
void EnableStartPanel(bool enable);

// Shape windows register how they are made, so that the opener needs no
// knowledge of them. The factory returns the single instance of the window
// for the code, making it on first use (not yet shown). The opener puts a
// window that is in no sub-window yet into the main window's area (closing
// then only hides it); a window that loads anew at every opening adds itself
// with WA_DeleteOnClose and makes a new instance once the old one is closed.
using ShapeWindowFactory = QWidget* (*)(int shapeCode);
void RegisterShapeWindowFactory(int shapeCode, ShapeWindowFactory factory);
ShapeWindowFactory ShapeWindowFactoryFor(int shapeCode);  // null when none
// What a box shows is what gets saved or exported: when `window` is a shape
// window (or its sub-window), runs its apply as the button does, every time,
// whether or not a box changed since the last one. False when the apply
// refused the inputs (its numbered message has been shown); true otherwise.
bool ApplyChangedInputs(QWidget* window);
// True when the code has a registered window: the shapes menu and the start
// panel's pictures offer only those.
bool ShapeWindowAvailable(int shapeCode);
// The data file named on the command line, opened once at the start panel's
// first activation. Start-up sets it before it shows the start panel.
void SetCommandLineFile(const std::string& fileName);

// The option dialogs, shown modally (Options menu items 1 and 2, toolbar
// buttons 4 and 5). The unit dialog only stores the unit; the caller converts
// the input arrays when it changed (ConvertInputUnits, unit_conversion.h).
void ShowCalculationMethodDialog();  // FrmMetCalcolo
void ShowUnitDialog();               // FrmUnMis

// Exit: the question (true on Yes) and the exit routine.
bool AskExitQuestion();
void ExitProgram();
// A run that yields to the event loop between steps that must end whole (a
// range print, piece by piece) holds the exit back: ExitProgram meanwhile
// only marks it. The run stops when it sees ExitPending() between its steps;
// the marked exit runs when the last hold is released.
void HoldExit();
void ReleaseExit();
bool ExitPending();
// A run that holds the exit back is under way: its window stays, so no
// shape and no data file opens meanwhile.
bool RunUnderWay();

}  // namespace velm
