#pragma once
// A working state with the settings a development reads, as a save with no window to apply checks it.
#include "core/development_checks.h"
#include "core/working_state.h"

namespace velm {

inline WorkingState StateWithSettings(const DevelopmentSettings& s) {
    WorkingState state;
    state.ThicknessFactor = s.ThicknessFactor;
    state.Settings.AngleStep = s.AngleStep;
    state.Settings.LatoSaldatura = s.LatoSaldatura;
    state.Settings.MeasuringSystem = s.MeasuringSystem;
    state.Limits = s.Limits;
    return state;
}

}  // namespace velm
