#include "platform/look.h"

namespace velm {

Colour PaletteColour(int index) {
    static const Colour palette[16] = {
        RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};
    return palette[index & 15];
}

namespace {
Look* g_look = nullptr;
}

void InstallLook(Look* look) { g_look = look; }
Look* CurrentLook() { return g_look; }
void Beep() { if (g_look) g_look->Beep(); }
void SetHourglass() { if (g_look) g_look->SetHourglass(); }
void ClearHourglass() { if (g_look) g_look->ClearHourglass(); }

}  // namespace velm
