#include "program.h"

#include "cones/windows/cone_window.h"
#include "cylinders/windows/cylinder_window.h"
#include "elbows/windows/cone_elbow_window.h"
#include "elbows/windows/elbow_window.h"
#include "output/windows/dxf_commands.h"
#include "output/windows/frm_taratura.h"
#include "output/windows/sheet_preview.h"

namespace velm {

namespace {

// Each part registers its windows and commands with the frame's registries
// from its own files; this list only names the parts, here above the frame,
// where including them is allowed and tools/check-layers.sh sees it. It is
// written out rather than filled by a static object in each part's file:
// velm_app is a static library, and a file that nothing names (the exports)
// would be left out of the link with its registration.
constexpr PartRegistration Parts[] = {
    RegisterConeWindows,    RegisterCylinderWindows,    RegisterElbowWindows,   RegisterConeElbowWindows,
    RegisterOutputCommands, RegisterCalibrationCommand, RegisterExportCommands,
};

}  // namespace

bool StartProgram(const StartOptions& options) { return StartFrame(options, Parts); }

}  // namespace velm
