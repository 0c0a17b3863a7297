#pragma once
// Start-up and exit of the whole program, in-process, so that a test can
// start it, drive it and end it again.
#include <functional>
#include <span>
#include <string>

class QWidget;

namespace velm {

struct StartOptions {
    std::string programFolder;    // holds VELM.lng and VELM.HLP; made the current folder
    std::string commandLineFile;  // already resolved (ResolveCommandLineFile), or empty
};

// What a part above the frame (a shape family, the output, the elbows)
// runs to register its windows and commands with the frame's registries
// (ShapeWindow::RegisterFamily, RegisterCommand).
using PartRegistration = void (*)();

// The start-up sequence behind the splash, up to the start panel shown,
// with every part of `parts` registered in turn before the main window
// shows. StartProgram (program.h) calls it with all of them. False when the
// program ended during it (a language-file failure): the exit hook has then
// been called.
bool StartFrame(const StartOptions& options, std::span<const PartRegistration> parts);

// The exit question: Yes and No, question icon. True on Yes.
bool AskExitQuestion();
// ExitProgram (frame_api.h) ends through this hook. The program's own hook
// hides every window and leaves the event loops with the code; tests set one
// that records. Null puts the program's own hook back.
using ExitHook = std::function<void(int exitCode)>;
void SetExitHook(ExitHook hook);
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
