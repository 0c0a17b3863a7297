#pragma once
// Units and look of the windows: twips, the 16-colour palette,
// the hourglass pointer and the beep.
#include <cstdint>

namespace velm {

// A colour as the settings and the windows keep it: red + 256 * green + 65536 * blue.
using Colour = std::uint32_t;

constexpr Colour RGB(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// The 16-colour palette, indexed 0 to 15.
Colour PaletteColour(int index);

constexpr int TwipsPerPixel = 15;

// Pointer and sound, the look service of Platform() (services.h). The
// running program installs a Qt implementation; tests install a counting
// one. Without one they do nothing.
class Look {
public:
    virtual ~Look() = default;
    virtual void SetHourglass() = 0;
    virtual void ClearHourglass() = 0;
    virtual void Beep() = 0;
};

void InstallLook(Look* look);  // nullptr puts the do-nothing one back
Look* CurrentLook();
void Beep();
void SetHourglass();
void ClearHourglass();

}  // namespace velm
