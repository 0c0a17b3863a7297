#pragma once
// The one conversion of each family's typed values (core/typed_inputs.h)
// from and to its 1-based input array (the form the data file, the settings
// and the windows' boxes keep).
#include "core/typed_inputs.h"
#include "core/working_state.h"

namespace velm {

CylinderInputs CylinderInputsOf(const CylinderArray& data);
// Writes elements 1 to CylLastElement; element 0 is left alone.
void StoreCylinderInputs(const CylinderInputs& in, CylinderArray& data);

ConeInputs ConeInputsOf(const ConeArray& data);
// Writes elements 1 to ConeLastElement; element 0 is left alone.
void StoreConeInputs(const ConeInputs& in, ConeArray& data);

}  // namespace velm
