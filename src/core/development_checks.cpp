#include "core/development_checks.h"

#include <cmath>

#include "core/language.h"
#include "core/messages.h"
#include "geometry/cylinder_geometry.h"

namespace velm {

DevelopmentSettings DevelopmentSettingsOf(const WorkingState& state) {
    DevelopmentSettings s;
    s.ThicknessFactor = state.ThicknessFactor;
    s.AngleStep = state.Settings.AngleStep;
    s.LatoSaldatura = state.Settings.LatoSaldatura;
    s.MeasuringSystem = state.Settings.MeasuringSystem;
    s.Limits = state.Limits;
    return s;
}

int CheckAngleStep(float angleStep) {
    return HalfTurnIndex(angleStep) > 0 && !StepDividesHalfTurn(angleStep) ? ErrAngleStep : 0;
}

bool FieldValueRefused(float value, const InputLimit& limit, bool length, std::int16_t measuringSystem) {
    if (value == 0 || !std::isfinite(value)) return true;
    const double unit = (length && measuringSystem != 0) ? 25.4 : 1.0;
    if (value < static_cast<float>(limit.Min / unit)) return true;
    // A little slack: a limit value converted to inches and back is not exact.
    return value > limit.Max / unit * (1 + 1e-6);
}

Bool16 ReportCheckResult(int message, const std::string& value) {
    if (message == 0) return False16;
    if (message < 0) return True16;
    const std::string text = Txt(LangErrore, message);
    ShowErrorMessage(value.empty() ? text : text + " " + value);
    return True16;
}

}  // namespace velm
