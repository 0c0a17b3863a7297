#include "core/unit_conversion.h"

namespace velm {

namespace {

template <std::size_t N>
void ScaleLengths(std::array<float, N>& data, bool (*isLength)(int), bool divide) {
    for (int i = 1; i < static_cast<int>(N); ++i) {
        if (!isLength(i)) continue;
        // 25.4 is a double: the quotient is rounded once, into the single element.
        const double v = data[i];
        data[i] = static_cast<float>(divide ? v / 25.4 : v * 25.4);
    }
}

}  // namespace

void ConvertInputUnits(std::int16_t mode, InputArrays& inputs) {
    if (mode != 0 && mode != 1) return;
    const bool divide = mode == 0;
    ScaleLengths(inputs.CylinderData, IsLengthElementCylinder, divide);
    ScaleLengths(inputs.ConeData, IsLengthElementCone, divide);
    ScaleLengths(inputs.CylElbowData, IsLengthElementCylElbow, divide);
    ScaleLengths(inputs.ConeElbowData, IsLengthElementConeElbow, divide);
    ScaleLengths(inputs.EndConnections, IsLengthElementEndConnection, divide);
}

}  // namespace velm
