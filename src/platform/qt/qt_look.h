#pragma once
// Hourglass pointer and beep through Qt.
#include "platform/look.h"

namespace velm {

class QtLook : public Look {
public:
    // Setting twice keeps one hourglass; clearing removes every override pointer.
    void SetHourglass() override;
    void ClearHourglass() override;
    void Beep() override;
};

}  // namespace velm
