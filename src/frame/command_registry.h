#pragma once
// Commands that the output and elbow code bring to the main window. The
// frame knows them only by name: a part registers what it does, and the
// menus and toolbar offer a command only once it is registered. The frame
// never includes src/output/ or src/elbows/.
#include <cstdint>
#include <functional>
#include <string>

#include "core/development_checks.h"
#include "core/working_state.h"

namespace velm {

enum class RegisteredCommand {
    SheetPreview,     // CmdAnteprima of a shape window: the preview of the current development
    Print,            // File item 8, toolbar button 3: print the open preview
    PrinterSetupDone, // after a confirmed printer set-up: lay the open preview out again
    DxfExport,        // write the current development as DXF to the file named
    IsoExport,        // the same through the converter, to the ISO file named
    Calibration,      // Options item 3: printer check, then the calibration dialog
};

// The argument is the chosen file name of an export; the others get "".
using CommandHandler = std::function<void(const std::string& fileName)>;

// Registers (or, with an empty handler, removes) what a command does.
void RegisterCommand(RegisteredCommand command, CommandHandler handler);
bool CommandRegistered(RegisteredCommand command);
// Runs a registered command; false, doing nothing, when nobody registered it.
bool RunCommand(RegisteredCommand command, const std::string& fileName = {});
// Forgets every command and input check (a program started again
// in-process, a test).
void ClearCommands();

// A family's apply checks as plain computation, for a save or an export
// with no shape window to apply: the error text (LangErrore) that an apply
// of state's inputs for the shape would show, with the number it names, 0
// when they are accepted. It computes into copies; state stays as it was.
using InputCheck = std::function<CheckAnswer(std::int16_t shapeCode, const WorkingState& state)>;
// Registers the check of shape codes first to last.
void RegisterInputCheck(std::int16_t first, std::int16_t last, InputCheck check);
// The registered check of state's ShapeCode; 0 when there is none (no shape yet).
CheckAnswer CheckCurrentInputs(const WorkingState& state);

}  // namespace velm
