#pragma once
// Validation and development of the five frustum kinds (shape codes 1 to 5)
// and the computation behind the weld-side command.
#include <cstdint>

#include "core/development_checks.h"
#include "core/shape_kinds.h"
#include "core/typed_inputs.h"
#include "core/working_state.h"
#include "geometry/cone_geometry.h"

namespace velm {

// What a frustum development reads besides ConeData.
using ConeSettings = DevelopmentSettings;

inline ConeSettings ConeSettingsOf(const WorkingState& state) { return DevelopmentSettingsOf(state); }

// The inner, mean or outer fibre's diameter in double, from the values as
// typed: a nearly cylindrical frustum's slope hangs on the digits that single
// precision drops.
double TypedWorkingDiameter(float diameter, float thickness, int thicknessFactor);

// CheckAndDevelopCone's answer for a shape code that is not a frustum:
// refused without a message.
constexpr int ConeRefusedSilently = -1;

// What a frustum development gives besides its tables. The tables go into
// the caller's ConeResults, in place: they are too large to copy for every
// development.
struct DevelopedCone {
    // CheckAndDevelopCone's answer: 0 when accepted, the number of the error
    // text (LangErrore) when refused, or ConeRefusedSilently.
    int Message = 0;
    // The development ran: the results and Inputs are those of the data,
    // accepted or not. False for a refusal before it.
    bool Developed = false;
    bool NoBody = false;  // no body can be built on the inputs
    bool Usable = false;  // a finite development the tables could hold
    ConeInputs Inputs{};  // the inputs as developed
    float CutRise = 0;    // the lower cut's axis point above the body's lowest point
    float BaseAngle = 0;  // the side's base angle, radians
};

// Develops `data` for the shape, unchecked: cut angles by shape kind, working
// diameters, the solver, the exact angles checked against the typed height,
// the tables. Message stays 0. Results that are not Usable are zero, never
// infinite or NaN.
DevelopedCone DevelopCone(ShapeKind shape, const ConeArray& data, const ConeSettings& settings,
                          ConeResults& results);

// The apex-angle limits: 0 within 0.1 to 60 degrees (both accepted), else
// the error text 17 (too sharp) or 18 (too flat); 19 for no angle at all.
int ConeApexAngleMessage(float apexAngle);

// The checks in their order, then the development. A body refused by the
// geometry or the apex angle while its upper diameter is the larger gives 47
// (the frustum must narrow upwards) only when the same values with the two
// diameters exchanged are accepted; else the refusal's own text (a cut face
// may be wider than the lower end, and then the height or a cut is what to
// change). A refusal before the development leaves results as they were; a
// later one leaves those of the refused data.
DevelopedCone CheckAndDevelopCone(ShapeKind shape, const ConeArray& data, const ConeSettings& settings,
                                  ConeResults& results);

// The apply command's computation: checks and develops state's ConeData into
// its ConeDevelopment, and the inputs as developed into LastConeInputs.
// Returns CheckAndDevelopCone's answer; the caller shows the message.
DevelopedCone ValidateAndDevelopCone(ShapeKind shape, WorkingState& state);

// What the apply would answer for state's ConeData, computed into copies: a
// save or an export with no frustum window to apply checks so.
int ConeApplyMessage(ShapeKind shape, const WorkingState& state);

// The weld-side command: flips LatoSaldatura; develops again for the current
// ShapeCode only while state holds an accepted development (DevelopmentValid),
// so that refused inputs are never developed. Shows nothing.
void ToggleConeWeldSide(WorkingState& state, ConeResults& results);
// The same for a window whose own inputs (of `shape`) were accepted:
// flips and develops again, whatever ShapeCode holds.
void ToggleConeWeldSide(ShapeKind shape, WorkingState& state, ConeResults& results);

}  // namespace velm
