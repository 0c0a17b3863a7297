#pragma once
// Changing the unit of measure: every length of the input arrays is scaled
// in place by 25.4; angles, counts, kinds and radian copies stay as they are.
#include <cstdint>

#include "core/working_state.h"

namespace velm {

// Mode 0 divides (millimetres to inches), mode 1 multiplies (inches to
// millimetres); any other mode does nothing. Single precision, so a value
// taken there and back may change in its last bit.
void ConvertInputUnits(std::int16_t mode, InputArrays& inputs);

}  // namespace velm
