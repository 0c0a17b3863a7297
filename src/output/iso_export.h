#pragma once
// The ISO export: the drawing handed to the external converter QUELLIX in
// the program folder, which makes the numerical-control program.
#include <string>

#include "core/working_state.h"
#include "output/dxf_export.h"
#include "platform/processes.h"

namespace velm {

constexpr const char* ConverterName = "QUELLIX";
constexpr const char* ConverterDrawingName = "TMPCN.$";  // the drawing the converter reads
constexpr const char* ConverterFirstArgument = "ISO.CN";

enum class IsoStatus {
    Done,
    Busy,               // a converter is still running
    Refused,            // the drawing was refused: see Drawing
    FolderNotWritable,  // the program folder, where the converter works
    ConverterMissing,
    DrawingFailed,      // the drawing file could not be written: Error
    TargetFailed,       // the ISO file is write-protected or cannot be made: Error
    NotStarted,
    Crashed,
    ExitCode,           // the converter reported an error: ExitCode
    Cancelled,
    NoOutput,           // the converter ended well but left the ISO file empty
};

struct IsoResult {
    IsoStatus Status = IsoStatus::Done;
    DxfStatus Drawing = DxfStatus::Written;
    int Error = 0;
    int ExitCode = 0;
};

// Writes the drawing of the current development as "TMPCN.$" in the program
// folder (state.AppDir), runs QUELLIX there by its full path with the
// arguments "ISO.CN" and the output name without its extension, waits for
// it, and removes "TMPCN.$" again. Whatever fails, the output file is as it
// was before: a previous one keeps its bytes, a new one is removed. The
// current folder of the program never changes. Shows nothing.
IsoResult ExportIso(const std::string& outputName, const WorkingState& state, Processes& processes,
                    const std::string& waitText);

}  // namespace velm
