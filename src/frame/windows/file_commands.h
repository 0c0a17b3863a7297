#pragma once
// The File menu: data files, recent files, printer set-up, print and export.
#include <string>

class QWidget;

namespace velm {

// The File menu's items, numbered as their design names ("mnuFileItems(4)"
// is SaveDxf): the menu, its enabled states and its dispatch read these.
enum class FileMenuItem : int {
    Open = 1,
    Save = 2,
    SaveAs = 3,
    SaveDxf = 4,
    SaveIso = 5,
    PrintSeparator = 6,
    PrinterSetup = 7,
    Print = 8,
    RecentSeparator = 9,  // shown once a recent file is listed
    FirstRecent = 10,     // the recent files, newest first
    LastRecent = 14,
    ExitSeparator = 15,
    Exit = 16,
};
// Recent file `i` (1 for the newest) of the File menu.
constexpr FileMenuItem RecentFileItem(int i) {
    return static_cast<FileMenuItem>(static_cast<int>(FileMenuItem::FirstRecent) + i - 1);
}
constexpr bool IsRecentFileItem(FileMenuItem item) {
    return item >= FileMenuItem::FirstRecent && item <= FileMenuItem::LastRecent;
}

// What a save writes: the data file under its name, under a new one, a drawing.
enum class SaveKind { Save, SaveAs, Dxf, Iso };

// Runs a File item (not Exit, which the main window asks about) through the
// platform's dialogs.
void DispatchFileCommand(FileMenuItem item);
// Opens a data file; asks for its name when `fileName` is empty. True when
// the file was read; `fileName` then holds the name opened. While a run is
// under way (RunUnderWay) it asks and reads nothing and returns false.
bool OpenDataFile(std::string& fileName);
void SaveDataFile(SaveKind kind);
// Where a file dialog starts: the current file's folder, else the last
// folder a dialog chose, else the user's home.
std::string DialogStartFolder();
// The folder of a file the user chose is where the next dialog starts.
void RememberFolder(const std::string& fileName);
// Fills the recent-file items of the File menu from the settings store.
void RefreshRecentMenu();
// The same for the File menu of `mainWindow` (its actions named
// "mnuFileItems(9)" to "mnuFileItems(14)": RecentSeparator to LastRecent);
// nothing when it is null.
void RefreshRecentMenuIn(QWidget* mainWindow);

}  // namespace velm
