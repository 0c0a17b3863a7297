// The File menu's DXF and ISO exports, registered with the main window's
// command registry: the save command hands over the chosen name.
#include "output/windows/dxf_commands.h"

#include <string>

#include "core/file_names.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/version.h"
#include "core/working_state.h"
#include "frame/command_registry.h"
#include "output/dxf_export.h"
#include "output/iso_export.h"
#include "platform/dialogs.h"
#include "platform/look.h"
#include "platform/services.h"

namespace velm {

namespace {

// Converter texts of LangMsgbox.
constexpr int MsgConverterMissing = 9;
constexpr int MsgConverterNotStarted = 10;
constexpr int MsgConverterCrashed = 11;
constexpr int MsgConverterExitCode = 12;
constexpr int MsgConverterNoOutput = 13;
constexpr int MsgFolderNotWritable = 14;
constexpr int MsgConverterRunning = 15;

void ShowFileError(const std::string& prompt) { ShowMessage(prompt, MbExclamation, ProgramTitle); }

void ShowRefusal(DxfStatus status) { ShowErrorMessage(Txt(LangErrore, DxfStatusMessage(status))); }

void ExportDxf(const std::string& name) {
    const WorkingState& st = State();
    // Not while a converter runs: the drawing it reads is being made from this state.
    if (Platform().processes->Waiting()) {
        Beep();
        return;
    }
    if (const DxfStatus s = CheckDxfSource(st); s != DxfStatus::Written) {
        ShowRefusal(s);
        return;
    }
    SetHourglass();
    const DxfFileResult r = WriteDxfFile(name, st);
    ClearHourglass();
    if (r.Status != DxfStatus::Written)
        ShowRefusal(r.Status);
    else if (r.Error != 0)
        ShowFileError(name + ": " + FileWriteErrorText(r.Error));
}

void ExportIsoFile(const std::string& name) {
    const WorkingState& st = State();
    SetHourglass();
    const IsoResult r = ExportIso(name, st, *Platform().processes, Txt(LangMsgbox, MsgConverterRunning));
    ClearHourglass();
    const std::string& folder = st.AppDir;
    switch (r.Status) {
        case IsoStatus::Done: break;
        case IsoStatus::Cancelled: break;  // the user knows
        case IsoStatus::Busy: Beep(); break;
        case IsoStatus::Refused: ShowRefusal(r.Drawing); break;
        case IsoStatus::FolderNotWritable: ShowFileError(Txt(LangMsgbox, MsgFolderNotWritable) + ": " + folder); break;
        case IsoStatus::ConverterMissing: ShowFileError(Txt(LangMsgbox, MsgConverterMissing) + ": " + folder); break;
        case IsoStatus::DrawingFailed:
            ShowFileError(folder + "/" + ConverterDrawingName + ": " + SystemErrorText(r.Error));
            break;
        case IsoStatus::TargetFailed: ShowFileError(name + ": " + FileWriteErrorText(r.Error)); break;
        case IsoStatus::NotStarted: ShowFileError(Txt(LangMsgbox, MsgConverterNotStarted)); break;
        case IsoStatus::Crashed: ShowFileError(Txt(LangMsgbox, MsgConverterCrashed)); break;
        case IsoStatus::ExitCode:
            ShowFileError(Txt(LangMsgbox, MsgConverterExitCode) + " " + std::to_string(r.ExitCode));
            break;
        case IsoStatus::NoOutput: ShowFileError(Txt(LangMsgbox, MsgConverterNoOutput) + ": " + name); break;
    }
}

}  // namespace

void RegisterExportCommands() {
    RegisterCommand(RegisteredCommand::DxfExport, ExportDxf);
    RegisterCommand(RegisteredCommand::IsoExport, ExportIsoFile);
}

}  // namespace velm
