#pragma once
// A Look that counts beeps and follows the hourglass instead of showing them.
#include "platform/look.h"

namespace velm {

class CountingLook : public Look {
public:
    void SetHourglass() override { hourglass = true; }
    void ClearHourglass() override { hourglass = false; }
    void Beep() override { ++beeps; }

    int beeps = 0;
    bool hourglass = false;
};

// Installs a CountingLook for the lifetime of the guard and removes it after.
class ScopedCountingLook {
public:
    ScopedCountingLook() : previous_(CurrentLook()) { InstallLook(&look); }
    ~ScopedCountingLook() { InstallLook(previous_); }
    ScopedCountingLook(const ScopedCountingLook&) = delete;
    ScopedCountingLook& operator=(const ScopedCountingLook&) = delete;

    CountingLook look;

private:
    Look* previous_;
};

}  // namespace velm
