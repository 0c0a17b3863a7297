#pragma once

namespace velm {

// Starts reading the system's font configuration in a thread: called before
// the application object exists, it runs while the display connection is
// made, and the first text measured finds it ready. Does nothing where the
// configuration library is not loaded.
void BeginReadingSystemFonts();

}  // namespace velm
