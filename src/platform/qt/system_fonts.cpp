#include "platform/qt/system_fonts.h"

#include <future>

#if defined(__linux__)
#include <dlfcn.h>
#endif

namespace velm {

void BeginReadingSystemFonts() {
#if defined(__linux__)
    // Looked up, not linked: the library comes in with Qt's own, and its
    // initialisation is safe to race with Qt's call of the same function.
    using Init = int (*)();
    static const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (init == nullptr) return;
    // Kept, so that the program waits for it at the end instead of ending
    // under a running thread.
    static std::future<int> reading = std::async(std::launch::async, init);
#endif
}

}  // namespace velm
