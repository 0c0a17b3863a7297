#pragma once
// AppFixture: starts the whole program in-process for a window test.
//
//   class MyWindowTest : public velm::AppFixture {};
//   TEST_F(MyWindowTest, OpensTheCylinder) {
//       Seed("System", "MeasuringSystem", "1");   // stored settings, before the start
//       ASSERT_TRUE(Start());                     // up to the start panel, no splash wait
//       dialogs.ExpectMessage(velm::IdYes);       // answers the next message box
//       velm::Mdi()->FileItemClick(velm::FileMenuItem::Exit);  // ... drive the windows ...
//       EXPECT_EQ(exitCalls, 1);                  // ExitProgram ran; the process lives on
//   }
//
// For each test it makes
// - a temporary program folder with copies of the build's VELM.lng and VELM.HLP
//   (start-up makes it the current folder; ProgramFolder() names it);
// - a temporary settings folder (XDG_CONFIG_HOME) with the INI store over it;
// - the services: ScriptedDialogs `dialogs`, CountingLook `look`,
//   RecordingProcesses `processes`, the Qt help viewer `help`, the RecordingPrinter `printer`;
// - a splash wait of 0 and an exit hook that records (`exitCalls`, `exitCode`)
//   instead of ending the process.
// TearDown closes every window, fails the test when a scripted answer is left
// or a thread the program started still runs, resets State(), Language() and
// the services, and removes the folders.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/counting_look.h"
#include "platform/ini_settings_store.h"
#include "platform/qt/qt_help.h"
#include "support/recording_printer.h"
#include "support/recording_processes.h"
#include "support/scripted_dialogs.h"

namespace velm {

class AppFixture : public ::testing::Test {
public:
    // Runs the event loop for about `ms` milliseconds (timers fire).
    static void Wait(int ms);

protected:
    void SetUp() override;
    void TearDown() override;

    // Runs start-up as the program does; false when it ended the program.
    bool Start(const std::string& commandLineFile = "");
    // Stores a setting of "VELM.INI" as the program would find it at start.
    void Seed(const std::string& section, const std::string& key, const std::string& value);
    // The stored text of a setting, "Not Used" when absent.
    std::string Stored(const std::string& section, const std::string& key) const;

    const std::string& ProgramFolder() const { return programFolder_; }
    IniSettingsStore& Settings() { return *settings_; }

    ScriptedDialogs dialogs;
    CountingLook look;
    RecordingProcesses processes;
    QtHelp help;
    RecordingPrinter printer;
    int exitCalls = 0;
    int exitCode = -1;

private:
    std::string root_;
    std::string programFolder_;
    std::string settingsFolder_;
    std::string previousFolder_;
    std::unique_ptr<IniSettingsStore> settings_;
};

}  // namespace velm
