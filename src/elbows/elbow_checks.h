#pragma once
// The elbow windows' apply as a check alone: what a save or an export with
// no elbow window to apply asks of the current elbow's inputs.
#include <cstdint>
#include <string>

#include "core/development_checks.h"
#include "core/last_elbow.h"
#include "core/working_state.h"

namespace velm {

// What the apply of shape code 10 to 13 would answer for state's inputs:
// 0 or the error text (LangErrore), with the number the text names.
// Computed into copies; state stays as it was. Another shape code gives 0.
CheckAnswer ElbowApplyAnswer(std::int16_t shapeCode, const WorkingState& state);

// The number that follows error text `message` after a refused computation
// of `elbow`: the least bend radius for a bend radius past the bend centre,
// as number text in the unit of `measuringSystem`; else nothing.
std::string ElbowRefusalValue(int message, const LastElbow& elbow, std::int16_t measuringSystem);

}  // namespace velm
