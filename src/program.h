#pragma once
// The program's entry: the frame's start-up with every part that brings
// windows or commands of its own.
#include "frame/windows/startup.h"

namespace velm {

// The start-up sequence behind the splash, up to the start panel shown.
// False when the program ended during it (a language-file failure): the
// exit hook has then been called.
bool StartProgram(const StartOptions& options);

}  // namespace velm
