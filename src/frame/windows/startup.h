#pragma once
// Start-up and exit of the whole program, in-process, so that a test can
// start it, drive it and end it again.
#include <functional>
#include <string>

class QWidget;

namespace velm {

struct StartOptions {
    std::string programFolder;    // holds VELM.lng and VELM.HLP; made the current folder
    std::string commandLineFile;  // already resolved (ResolveCommandLineFile), or empty
};

// The start-up sequence behind the splash, up to the start panel shown.
// False when the program ended during it (a language-file failure): the
// exit hook has then been called.
bool StartProgram(const StartOptions& options);

// The exit question: Yes and No, question icon. True on Yes.
bool AskExitQuestion();
// ExitProgram (frame_api.h) ends through this hook. The program's own hook
// hides every window and leaves the event loops with the code; tests set one
// that records. Null puts the program's own hook back.
using ExitHook = std::function<void(int exitCode)>;
void SetExitHook(ExitHook hook);
bool ExitRequested();
int RequestedExitCode();

// Deletes every window of the program and forgets the run (exit request,
// settings read): after the event loop ended, and between window tests.
void CloseAllWindows();

// The splash FrmLogo while it is shown, else null.
QWidget* Splash();

// Installs the Qt implementations of the platform services for the running
// program (settings in $XDG_CONFIG_HOME). They live until the process ends.
void InstallQtPlatform();

}  // namespace velm
