#include "frame/windows/file_commands.h"

#include <QAction>
#include <QDir>
#include <QString>
#include <QWidget>
#include <cerrno>
#include <filesystem>

#include "core/control_names.h"
#include "core/data_file.h"
#include "core/development_checks.h"
#include "core/file_names.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "core/messages.h"
#include "frame/command_registry.h"
#include "core/settings.h"
#include "frame/recent_files.h"
#include "core/version.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/shape_window_base.h"
#include "core/working_state.h"
#include "platform/look.h"
#include "platform/services.h"
#include "frame/windows/frm_mdi_texts.h"

namespace velm {

namespace {


// Title of the open-error messages.
std::string OpenErrorTitle() { return std::string(ProgramTitle) + " " + VersionText; }

// A job file with one bad value is told apart from a file that is no job at all.
std::string DataFileRefusalText(const DataFileDamage& damage) {
    if (damage.Line == 0) return Txt(TextNotADataFile) + "!";
    std::string text = Txt(LangErrore, DataFileDamagedText) + " " + std::to_string(damage.Line);
    if (damage.Missing) return text;
    constexpr std::size_t shown = 40;  // a line of garbage is not worth a screenful
    const std::string value = damage.Value.size() > shown ? damage.Value.substr(0, shown) + "..." : damage.Value;
    return text + " (\"" + value + "\")";
}

RecentList CurrentRecentList() {
    if (const SettingsStore* store = Platform().settings) return ReadRecentList(*store);
    RecentList empty;
    empty.fill(RecentNotUsed);
    return empty;
}

void ForgetRecent(const std::string& name) {
    SettingsStore* store = Platform().settings;
    if (store != nullptr && RemoveFromRecent(*store, name)) RefreshRecentMenu();
}

void RememberRecent(const std::string& name) {
    if (SettingsStore* store = Platform().settings) AddRecentFile(*store, name);
    RefreshRecentMenu();
}

std::string TrimBlanks(const std::string& s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string ShowOpenDialog() {
    Dialogs* dialogs = Platform().dialogs;
    if (dialogs == nullptr) return {};
    FileDialogRequest request;
    request.title = Txt(TextOpenTitle);
    request.filter = "VELM " + Txt(TextFiles) + " (*.qvl)|*.qvl|" + Txt(TextAllFiles) + " (*.*)|*.*";
    request.fileMustExist = true;
    request.overwritePrompt = false;
    request.initialDirectory = DialogStartFolder();
    const FileDialogResult result = dialogs->ShowOpen(request);
    if (result.cancelled) return {};
    RememberFolder(result.fileName);
    return result.fileName;
}

bool IsDrawing(SaveKind kind) { return kind == SaveKind::Dxf || kind == SaveKind::Iso; }

// False when the user cancelled.
bool ShowSaveDialog(SaveKind kind, std::string& name) {
    Dialogs* dialogs = Platform().dialogs;
    if (dialogs == nullptr) return false;
    const std::string& current = State().CurrentFileName;
    const std::string files = Txt(TextFiles);
    FileDialogRequest request;
    if (IsDrawing(kind)) {
        const std::string mode = kind == SaveKind::Dxf ? "DXF" : "ISO";
        const std::string ext = kind == SaveKind::Dxf ? "dxf" : "iso";
        request.fileName = ProposedExportName(current, "." + ext);
        request.title = Txt(TextSaveAsTitle) + " " + mode;
        request.filter = mode + " " + files + " (*." + ext + ")|*." + ext;
        request.defaultExtension = ext;
    } else {
        request.fileName = current;
        request.title = Txt(TextSaveDataTitle);
        // The chosen extension decides what is written, whatever the filter.
        request.filter = "VELM " + files + " (*.qvl)|*.qvl|DXF " + files + " (*.dxf)|*.dxf|ISO " + files +
                         " (*.iso)|*.iso|" + Txt(TextAllFiles) + " (*.*)|*.*";
        request.defaultExtension = "qvl";
    }
    request.overwritePrompt = true;
    request.fileMustExist = false;
    request.initialDirectory = DialogStartFolder();
    const FileDialogResult result = dialogs->ShowSave(request);
    if (result.cancelled) return false;
    name = result.fileName;
    RememberFolder(name);
    return true;
}

void OpenAndShow(std::string name) {
    if (!OpenDataFile(name)) return;
    if (State().ShapeCode != ShapeNone)
        OpenShapeForm(State().ShapeCode, ActiveChild(), true);
    else
        CloseShapeWindows();  // a window left open would show values the file replaced
}

// The active shape window applies what its boxes show; with none active
// (the start panel, a sheet preview, no window) the current shape's inputs go
// through its family's checks. A refusal says why, every time.
bool CurrentInputsAccepted() {
    QWidget* active = ActiveChild();  // the window itself, not its frame
    if (qobject_cast<ShapeWindowBase*>(active) != nullptr) return ApplyChangedInputs(active);
    const CheckAnswer answer = CheckCurrentInputs(State());
    return ReportCheckResult(answer.Message, answer.Value) == False16;
}

void PrinterSetup() {
    // A run under way (a range of pieces printing) holds its own set-up and
    // puts it back when it ends: a choice made meanwhile would be undone.
    if (RunUnderWay()) return;
    Dialogs* dialogs = Platform().dialogs;
    if (dialogs == nullptr) return;
    // A document under way is sent first: the printer must not change under it.
    if (Printer* printer = Platform().printer) printer->EndDocument();
    // A confirmed choice lays the open sheet preview out again.
    if (dialogs->ShowPrinterSetup()) RunCommand(RegisteredCommand::PrinterSetupDone);
}

}  // namespace

// Never the program folder, which a clean build deletes.
std::string DialogStartFolder() {
    std::error_code ec;
    auto usable = [&ec](const std::filesystem::path& folder) {
        return !folder.empty() && folder.is_absolute() && std::filesystem::is_directory(folder, ec);
    };
    const std::filesystem::path current = std::filesystem::path(State().CurrentFileName).parent_path();
    if (usable(current)) return current.string();
    if (const SettingsStore* store = Platform().settings) {
        const std::filesystem::path last = ReadLastFolder(*store);
        if (usable(last)) return last.string();
    }
    return QDir::homePath().toStdString();
}

// The folder of a file the user chose is where the next dialog starts.
void RememberFolder(const std::string& fileName) {
    if (SettingsStore* store = Platform().settings)
        SaveLastFolder(*store, std::filesystem::path(fileName).parent_path().string());
}

void DispatchFileCommand(FileMenuItem item) {
    switch (item) {
        case FileMenuItem::Open: OpenAndShow(std::string()); break;
        case FileMenuItem::Save: SaveDataFile(SaveKind::Save); break;
        case FileMenuItem::SaveAs: SaveDataFile(SaveKind::SaveAs); break;
        case FileMenuItem::SaveDxf: SaveDataFile(SaveKind::Dxf); break;
        case FileMenuItem::SaveIso: SaveDataFile(SaveKind::Iso); break;
        case FileMenuItem::PrinterSetup: PrinterSetup(); break;
        case FileMenuItem::Print: RunCommand(RegisteredCommand::Print); break;
        default:
            if (IsRecentFileItem(item)) {
                const auto slot = static_cast<int>(item) - static_cast<int>(FileMenuItem::FirstRecent);
                const std::string entry = TrimBlanks(CurrentRecentList()[static_cast<std::size_t>(slot)]);
                if (!entry.empty() && entry != RecentNotUsed) OpenAndShow(entry);
            }
            break;
    }
}

bool OpenDataFile(std::string& fileName) {
    // A run under way (a range of pieces printing) still uses the inputs a
    // file would replace, and its window cannot give way to the file's shape:
    // nothing is asked or read.
    if (RunUnderWay()) return false;
    if (fileName.empty()) fileName = ShowOpenDialog();
    if (fileName.empty()) return false;
    fileName = NormalizedFileName(fileName);

    if (!FileExists(fileName)) {
        ShowMessage(fileName + ": " + Txt(TextFileNotFound) + "!", MbCritical, OpenErrorTitle());
        ForgetRecent(fileName);
        return false;
    }
    // A file that is there but cannot be read stays listed: it may be readable later.
    std::string bytes;
    if (const int error = ReadWholeFile(fileName, bytes); error != 0) {
        ShowMessage(fileName + ": " + SystemErrorText(error), MbCritical, OpenErrorTitle());
        return false;
    }
    // Everything is checked before anything is taken.
    WorkingState& state = State();
    DataFileRecord record = DataFileRecordOf(state);
    // Refused values give way to accepted ones, also where the file holds nothing.
    PutBackHeldInputs(state.AcceptedBeforeRefusal, record.MeasuringSystem, record.Inputs);
    DataFileDamage damage;
    if (!ReadDataFileText(bytes, state.Limits, record, &damage)) {
        ShowMessage(fileName + ": " + DataFileRefusalText(damage), MbCritical, OpenErrorTitle());
        ForgetRecent(fileName);
        return false;
    }
    // The file's unit holds for this run only; the setting is not written.
    CommitDataFileRecord(record, state);
    state.AcceptedBeforeRefusal = {};
    state.CurrentFileName = fileName;
    RememberRecent(fileName);
    UpdateMdiState();
    return true;
}

void SaveDataFile(SaveKind kind) {
    // The inputs are checked again, changed or not: refused inputs are never saved.
    if (!CurrentInputsAccepted()) return;
    WorkingState& state = State();
    std::string name = state.CurrentFileName;
    if (name.empty() || kind != SaveKind::Save) {
        if (!ShowSaveDialog(kind, name)) return;
    }
    if (name.empty()) return;
    name = NormalizedFileName(name);
    const std::string ext = FileExtension(name);
    // A drawing goes to the export the output part registered; it leaves the
    // current file, the caption and the recent list alone.
    if (ext == ".dxf" || ext == ".iso") {
        const auto command = ext == ".dxf" ? RegisteredCommand::DxfExport : RegisteredCommand::IsoExport;
        if (!RunCommand(command, name)) ShowMessage(name + ": " + Txt(TextNoDrawingExport), MbExclamation, ProgramTitle);
        return;
    }

    SetHourglass();
    const std::string text = WriteDataFileText(DataFileRecordOf(state));
    // A missing folder is made (one level) and the save tried once more.
    const int error = ReplaceFileStreamed(
        name,
        [&text](std::ostream& out) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            return 0;
        },
        true);
    ClearHourglass();
    if (error != 0) {
        ShowMessage(name + ": " + FileWriteErrorText(error), MbExclamation, ProgramTitle);
        return;
    }
    state.CurrentFileName = name;
    RememberRecent(name);
    UpdateMdiState();
}

void RefreshRecentMenu() { RefreshRecentMenuIn(MainWindow()); }

void RefreshRecentMenuIn(QWidget* mainWindow) {
    if (mainWindow == nullptr) return;
    auto item = [mainWindow](FileMenuItem i) {
        return mainWindow->findChild<QAction*>(
            QString::fromStdString(IndexedName("mnuFileItems", static_cast<int>(i))));
    };
    const RecentList list = CurrentRecentList();
    for (int i = 1; i <= RecentFileCount; ++i) {
        QAction* action = item(RecentFileItem(i));
        if (action == nullptr) continue;
        const std::string& entry = list[i - 1];
        if (entry == RecentNotUsed) {
            action->setVisible(false);
            continue;
        }
        if (QAction* separator = item(FileMenuItem::RecentSeparator)) separator->setVisible(true);
        // "&" would mark a shortcut letter in a menu caption.
        action->setText(QString::fromStdString(entry).replace(QLatin1Char('&'), QLatin1String("&&")));
        action->setVisible(true);
    }
}

}  // namespace velm
