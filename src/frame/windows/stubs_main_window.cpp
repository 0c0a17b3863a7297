// Stand-ins until the main window arrives; removed with its arrival.
#include <cstdlib>

#include "frame/windows/frame_api.h"

namespace velm {
QWidget* MainWindow() { return nullptr; }
QMdiArea* MdiArea() { return nullptr; }
QWidget* ActiveChild() { return nullptr; }
void SetStatusText(const std::string&) {}
void HideToolTip() {}
void UpdateMdiState() {}
void EnableFileCommands(bool) {}
void CheckShapeMenuItem(int) {}
void UpdateCalibrationMenuCheck() {}
void ShowErrorMessage(const std::string&) {}
void CenterForm(QWidget*, QWidget*) {}
void EnableOptionCommands(bool) {}
bool AskExitQuestion() { return true; }
void ExitProgram() { std::exit(0); }
}  // namespace velm
