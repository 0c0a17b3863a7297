#pragma once
// Help commands and the About window. Context numbers are in help_contexts.h.
#include <cstdint>
#include <string>

class QWidget;

namespace velm {

// The help file "VELM.HLP" in the program folder.
std::string HelpFilePath();
// Help menu and toolbar: 1 contents, 2 keyword search, 5 the About window;
// other indices do nothing.
void DispatchHelpCommand(int index);
// A window's Help button: the help file at that window's topic.
void ShowHelpContext(std::int32_t contextId);
// F1 anywhere in `dialog` does what its Help button does.
void OpenTopicOnF1(QWidget* dialog, std::int32_t contextId);

// ABOUT_BOX, shown modally.
void ShowAboutBox();
// The About window's system-information button.
void StartSysInfo();

}  // namespace velm
