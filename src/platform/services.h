#pragma once
// The platform services the program runs with. The program installs the Qt
// implementations at start-up; a test installs its doubles. Each pointer may
// be null only where a caller checks it.
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/printer.h"
#include "platform/processes.h"
#include "platform/settings_store.h"

namespace velm {

struct Services {
    Dialogs* dialogs = nullptr;
    SettingsStore* settings = nullptr;
    Help* help = nullptr;
    Processes* processes = nullptr;
    Printer* printer = nullptr;
};

Services& Platform();

}  // namespace velm
