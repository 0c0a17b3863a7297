#pragma once
// Validation and development of the four cylinder kinds (shape codes 6 to 9)
// and the computation behind the weld-side command.
#include <cstdint>

#include "core/development_checks.h"
#include "core/working_state.h"
#include "geometry/cylinder_geometry.h"

namespace velm {

// What a cylinder development reads besides CylinderData.
using CylinderSettings = DevelopmentSettings;

inline CylinderSettings CylinderSettingsOf(const WorkingState& state) { return DevelopmentSettingsOf(state); }

// CheckAndDevelopCylinder's answer for a shape code that is not a cylinder:
// refused without a message.
constexpr int CylinderRefusedSilently = -1;

// Develops `data` for the shape: cut angles by shape code, heights, tables,
// and the copy of `data` into lastCylinderData. errorFlag becomes 1 for a
// body that cannot be built (or a step the tables cannot hold) and is
// otherwise left as the caller set it.
void DevelopCylinder(std::int16_t shapeCode, const CylinderArray& data, const CylinderSettings& settings,
                     CylinderResults& results, CylinderArray& lastCylinderData, std::int16_t& errorFlag);

// Stores the heights, fills the tables and stores their lengths. False,
// with the tables and lengths as they were, for a step the tables cannot hold.
bool StoreCylinderDevelopment(const CylinderBody& body, const CutHeights& heights, const CylinderSettings& settings,
                              CylinderResults& results);

// The checks in their order, then the development. Returns 0 when accepted,
// the number of the error text (LangErrore) when refused, or
// CylinderRefusedSilently. A refusal before the development leaves results
// and lastCylinderData as they were; error 19 leaves those of the refused data.
int CheckAndDevelopCylinder(std::int16_t shapeCode, const CylinderArray& data,
                            const CylinderSettings& settings, CylinderResults& results,
                            CylinderArray& lastCylinderData);

// The apply command's computation: checks and develops state's CylinderData
// into results and LastCylinderData. Returns CheckAndDevelopCylinder's answer;
// the caller shows the message.
int ValidateAndDevelopCylinder(std::int16_t shapeCode, WorkingState& state, CylinderResults& results);

// What the apply would answer for state's CylinderData, computed into
// copies: a save or an export with no cylinder window to apply checks so.
int CylinderApplyMessage(std::int16_t shapeCode, const WorkingState& state);

// The weld-side command: flips LatoSaldatura; develops again for the current
// ShapeCode only while state holds an accepted development (DevelopmentValid),
// so that refused inputs are never developed.
void ToggleCylinderWeldSide(WorkingState& state, CylinderResults& results);
// The same for a window's own shape code, whatever ShapeCode holds.
void ToggleCylinderWeldSide(std::int16_t shapeCode, WorkingState& state, CylinderResults& results);

// Where the weld-side marker goes, beside the two dimension labels
// LblDatiSviluppo(1) and (2), in the window's pixels.
struct MarkerPlace {
    int Left = 0;
    int Top = 0;
};
MarkerPlace WeldSideMarkerPlace(std::int16_t latoSaldatura, int label1Left, int label1Top, int label2Left);

}  // namespace velm
