#pragma once
// The File menu: data files, recent files, printer set-up, print and export.
#include <string>

class QWidget;

namespace velm {

// Runs File item `index` (1 open, 2 save, 3 save as, 4 DXF, 5 ISO, 7 printer
// set-up, 8 print, 10-14 recent files) through the platform's dialogs.
void DispatchFileCommand(int index);
// Opens a data file; asks for its name when `fileName` is empty. True when
// the file was read; `fileName` then holds the name opened.
bool OpenDataFile(std::string& fileName);
// mode "": save, "CONNOME": save as, "DXF", "ISO".
void SaveDataFile(const std::string& mode);
// Where a file dialog starts: the current file's folder, else the last
// folder a dialog chose, else the user's home.
std::string DialogStartFolder();
// The folder of a file the user chose is where the next dialog starts.
void RememberFolder(const std::string& fileName);
// Fills the recent-file items of the File menu from the settings store.
void RefreshRecentMenu();
// The same for the File menu of `mainWindow` (its actions named
// "mnuFileItems(9)" to "mnuFileItems(14)"); nothing when it is null.
void RefreshRecentMenuIn(QWidget* mainWindow);

}  // namespace velm
