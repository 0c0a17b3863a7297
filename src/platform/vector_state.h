#pragma once
// The processor's vector state between long runs of scalar code.

namespace velm {

// Code run before, the toolkit's painting among it, can leave the upper
// halves of the vector registers in use. Until they are cleared every SSE
// instruction after it waits on them, and a long write takes twice as long.
// Call it only where no vector value lives across the call.
void ClearVectorUpperHalves();

}  // namespace velm
