#pragma once
// Validation and development of the five frustum kinds (shape codes 1 to 5)
// and the computation behind the weld-side command.
#include <cstdint>

#include "core/development_checks.h"
#include "core/working_state.h"
#include "geometry/cone_geometry.h"

namespace velm {

// What a frustum development reads besides ConeData.
using ConeSettings = DevelopmentSettings;

inline ConeSettings ConeSettingsOf(const WorkingState& state) { return DevelopmentSettingsOf(state); }

// The inner, mean or outer fibre's diameter in double, from the values as
// typed: a nearly cylindrical frustum's slope hangs on the digits that single
// precision drops.
double TypedWorkingDiameter(float diameter, float thickness, std::int16_t thicknessFactor);

// CheckAndDevelopCone's answer for a shape code that is not a frustum:
// refused without a message.
constexpr int ConeRefusedSilently = -1;

// Develops `data` for the shape: cut angles by shape code, working diameters,
// the solver, the exact angles checked against the typed height, the tables,
// and the copy of `data` into lastConeData. errorFlag becomes 1 for a body
// that cannot be built and is otherwise left as the caller set it. baseAngle
// receives the side's base angle (radians), cutRise the height of the lower
// cut's axis point above the lowest point of the body. Returns false when the
// results are unusable (no finite development, or a step the tables cannot
// hold); they are then zero, never infinite or NaN.
bool DevelopCone(std::int16_t shapeCode, const ConeArray& data, const ConeSettings& settings,
                 ConeResults& results, ConeArray& lastConeData, std::int16_t& errorFlag,
                 float& baseAngle, float& cutRise);

// The apex-angle limits: 0 within 0.1 to 60 degrees (both accepted), else
// the error text 17 (too sharp) or 18 (too flat); 19 for no angle at all.
int ConeApexAngleMessage(float apexAngle);

// The checks in their order, then the development. Returns 0 when accepted,
// the number of the error text (LangErrore) when refused, or
// ConeRefusedSilently. A body refused by the geometry or the apex angle
// while its upper diameter is the larger gives 47 (the frustum must narrow
// upwards): a cut face may be wider than the lower end, a hopper is not. A
// refusal before the development leaves results, lastConeData and cutRise as
// they were; a later one leaves those of the refused data.
int CheckAndDevelopCone(std::int16_t shapeCode, const ConeArray& data, const ConeSettings& settings,
                        ConeResults& results, ConeArray& lastConeData, float& cutRise);

// The apply command's computation: checks and develops state's ConeData into
// results and LastConeData. Returns CheckAndDevelopCone's answer; the caller
// shows the message.
int ValidateAndDevelopCone(std::int16_t shapeCode, float& cutRise, WorkingState& state, ConeResults& results);

// What the apply would answer for state's ConeData, computed into copies: a
// save or an export with no frustum window to apply checks so.
int ConeApplyMessage(std::int16_t shapeCode, const WorkingState& state);

// The weld-side command: flips LatoSaldatura; develops again for the current
// ShapeCode only while state holds an accepted development (DevelopmentValid),
// so that refused inputs are never developed. Shows nothing.
void ToggleConeWeldSide(WorkingState& state, ConeResults& results);
// The same for a window whose own inputs (of `shapeCode`) were accepted:
// flips and develops again, whatever ShapeCode holds.
void ToggleConeWeldSide(std::int16_t shapeCode, WorkingState& state, ConeResults& results);

}  // namespace velm
