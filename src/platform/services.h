#pragma once
// The platform services the program runs with. The program installs the Qt
// implementations at start-up; a test installs its doubles. A service that
// nobody installed is a do-nothing one, never a null pointer: messages and
// dialogs answer as if cancelled, settings read as absent, no printer
// answers, no program starts.
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/look.h"
#include "platform/printer.h"
#include "platform/processes.h"
#include "platform/settings_store.h"

namespace velm {

struct Services {
    Dialogs* dialogs;
    SettingsStore* settings;
    Help* help;
    Processes* processes;
    Printer* printer;
    Look* look;

    Services();    // the do-nothing services
    void Reset();  // back to the do-nothing services
};

Services& Platform();

}  // namespace velm
