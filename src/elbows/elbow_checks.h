#pragma once
// The elbow windows' apply as a check alone: what a save or an export with
// no elbow window to apply asks of the current elbow's inputs.
#include <cstdint>

#include "core/working_state.h"

namespace velm {

// What the apply of shape code 10 to 13 would answer for state's inputs:
// 0 or the error text (LangErrore). Computed into copies; state stays as it
// was. Another shape code gives 0.
int ElbowApplyMessage(std::int16_t shapeCode, const WorkingState& state);

}  // namespace velm
