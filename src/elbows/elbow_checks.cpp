#include "elbows/elbow_checks.h"

#include "core/development_checks.h"
#include "elbows/cone_elbow_window_logic.h"
#include "elbows/cyl_elbow.h"

namespace velm {

int ElbowApplyMessage(std::int16_t shapeCode, const WorkingState& state) {
    InputArrays inputs = state.Inputs;
    const DevelopmentSettings settings = DevelopmentSettingsOf(state);
    LastElbow elbow;
    if (shapeCode == ShapeCuCilindri) return ApplyCylElbow(inputs.CylElbowData, settings, elbow);
    const ConeElbowVariant* variant = ConeElbowVariantOf(shapeCode);
    return variant != nullptr ? ApplyConeElbow(*variant, inputs, settings, elbow) : 0;
}

}  // namespace velm
