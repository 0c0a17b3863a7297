#include "platform/look.h"

#include "platform/services.h"

namespace velm {

Colour PaletteColour(int index) {
    static const Colour palette[16] = {
        RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};
    return palette[index & 15];
}

void InstallLook(Look* look) {
    if (look)
        Platform().look = look;
    else
        Platform().look = Services().look;  // the do-nothing one
}
Look* CurrentLook() { return Platform().look; }
void Beep() { Platform().look->Beep(); }
void SetHourglass() { Platform().look->SetHourglass(); }
void ClearHourglass() { Platform().look->ClearHourglass(); }

}  // namespace velm
