#pragma once
// Validation and development of the four cylinder kinds (shape codes 6 to 9)
// and the computation behind the weld-side command.
#include <cstdint>

#include "core/development_checks.h"
#include "core/shape_kinds.h"
#include "core/typed_inputs.h"
#include "core/working_state.h"
#include "geometry/cylinder_geometry.h"

namespace velm {

// What a cylinder development reads besides CylinderData.
using CylinderSettings = DevelopmentSettings;

inline CylinderSettings CylinderSettingsOf(const WorkingState& state) { return DevelopmentSettingsOf(state); }

// CheckAndDevelopCylinder's answer for a shape code that is not a cylinder:
// refused without a message.
constexpr int CylinderRefusedSilently = -1;

// What a cylinder development gives besides its tables. The tables go into
// the caller's CylinderResults, in place: they are too large to copy for
// every development.
struct DevelopedCylinder {
    // CheckAndDevelopCylinder's answer: 0 when accepted, the number of the
    // error text (LangErrore) when refused, or CylinderRefusedSilently.
    int Message = 0;
    // The development ran: the results and Inputs are those of the data,
    // accepted or not. False for a refusal before it.
    bool Developed = false;
    bool Usable = false;      // a body built, on a step the tables hold
    CylinderInputs Inputs{};  // the inputs as developed
};

// Develops `data` for the shape, unchecked: cut angles by shape kind,
// heights, tables. Message stays 0.
DevelopedCylinder DevelopCylinder(ShapeKind shape, const CylinderArray& data, const CylinderSettings& settings,
                                  CylinderResults& results);

// Stores the heights, fills the tables and stores their lengths. False,
// with the tables and lengths as they were, for a step the tables cannot hold.
bool StoreCylinderDevelopment(const CylinderBody& body, const CutHeights& heights, const CylinderSettings& settings,
                              CylinderResults& results);

// The checks in their order, then the development. A refusal before the
// development leaves results as they were; error 19 leaves those of the
// refused data.
DevelopedCylinder CheckAndDevelopCylinder(ShapeKind shape, const CylinderArray& data,
                                          const CylinderSettings& settings, CylinderResults& results);

// The apply command's computation: checks and develops state's CylinderData
// into its CylinderDevelopment, and the inputs as developed into
// LastCylinderInputs. Returns CheckAndDevelopCylinder's answer; the caller
// shows the message.
DevelopedCylinder ValidateAndDevelopCylinder(ShapeKind shape, WorkingState& state);

// What the apply would answer for state's CylinderData, computed into
// copies: a save or an export with no cylinder window to apply checks so.
int CylinderApplyMessage(ShapeKind shape, const WorkingState& state);

// The weld-side command: flips LatoSaldatura; develops again for the current
// ShapeCode only while state holds an accepted development (DevelopmentValid),
// so that refused inputs are never developed.
void ToggleCylinderWeldSide(WorkingState& state, CylinderResults& results);
// The same for a window's own shape code, whatever ShapeCode holds.
void ToggleCylinderWeldSide(ShapeKind shape, WorkingState& state, CylinderResults& results);

// Where the weld-side marker goes, beside the two dimension labels
// LblDatiSviluppo(1) and (2), in the window's pixels.
struct MarkerPlace {
    int Left = 0;
    int Top = 0;
};
MarkerPlace WeldSideMarkerPlace(int latoSaldatura, int label1Left, int label1Top, int label2Left);

}  // namespace velm
