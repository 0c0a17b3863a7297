#pragma once
// Message boxes through the running program's Dialogs; nothing is shown
// when there are none (before start-up installed them, or in a test that
// scripts no dialogs).
#include <string>

#include "platform/dialogs.h"

namespace velm {

void ShowMessage(const std::string& prompt, int style, const std::string& title);
// The critical icon, titled with text 1 of LangErrore.
void ShowErrorMessage(const std::string& text);

// The system's reason that a file could not be written; a write-protected
// file adds the way out, Save as under another name. A missing folder (the
// writers make only its last level) is said in the program's own words.
std::string FileWriteErrorText(int errorNumber);
// The running program's status line: a word after the fact (a job the print
// service took). Nothing is shown until the main window installs its line.
void ShowStatusText(const std::string& text);
void InstallStatusLine(void (*show)(const std::string& text));

// The save dialog that names the PDF file a print goes to, its title and
// filter from LangCommon, proposing `fileName`.
FileDialogRequest PdfFileRequest(const std::string& fileName);

}  // namespace velm
