#pragma once
// What the windows of the frame offer each other and the shape windows.
// The main window's part lives in frm_mdi.cpp, the start panel's and the
// shape opener's in frm_iniziale.cpp.
#include <string>

class QWidget;
class QMdiArea;

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
void ShowErrorMessage(const std::string& text);  // critical icon, title text 1 of LangErrore
void CenterForm(QWidget* owner, QWidget* dialog);
// Options menu and the two option buttons of the toolbar (start panel active or not).
void EnableOptionCommands(bool enable);

// Start panel and shape opener.
QWidget* StartPanel();  // frmIniziale, made on first use
void OpenShapeForm(int shapeCode, QWidget* caller);

// Shape windows register how they are made, so that the opener needs no
// knowledge of them. The factory returns the single instance of the window
// for the code, making it on first use (not yet shown).
using ShapeWindowFactory = QWidget* (*)(int shapeCode);
void RegisterShapeWindowFactory(int shapeCode, ShapeWindowFactory factory);
ShapeWindowFactory ShapeWindowFactoryFor(int shapeCode);  // null when none
// Registers every shape window the program has; start-up calls it once.
void RegisterShapeWindows();

// Exit: the question (true on Yes) and the exit routine.
bool AskExitQuestion();
void ExitProgram();

}  // namespace velm
