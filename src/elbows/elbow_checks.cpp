#include "elbows/elbow_checks.h"

#include "core/development_checks.h"
#include "core/number_text.h"
#include "elbows/cone_elbow_window_logic.h"
#include "elbows/cyl_elbow.h"
#include "elbows/elbow_messages.h"

namespace velm {

CheckAnswer ElbowApplyAnswer(std::int16_t shapeCode, const WorkingState& state) {
    InputArrays inputs = state.Inputs;
    const DevelopmentSettings settings = DevelopmentSettingsOf(state);
    LastElbow elbow;
    int message = 0;
    if (shapeCode == ShapeCuCilindri) {
        message = ApplyCylElbow(inputs.CylElbowData, settings, elbow);
    } else if (const ConeElbowVariant* variant = ConeElbowVariantOf(shapeCode)) {
        message = ApplyConeElbow(*variant, inputs, settings, elbow);
    }
    return {message, ElbowRefusalValue(message, elbow, settings.MeasuringSystem)};
}

std::string ElbowRefusalValue(int message, const LastElbow& elbow, std::int16_t measuringSystem) {
    if (message != ErrBendRadiusPastCentre) return {};
    return FormatLength(elbow.LeastBendRadius, measuringSystem);
}

}  // namespace velm
