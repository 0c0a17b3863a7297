#pragma once
// Starting other programs with QProcess.
#include "platform/processes.h"

namespace velm {

class QtProcesses : public Processes {
public:
    // Runs the program and keeps the event loop turning until it has ended,
    // under a progress window, modal to the active window, whose Cancel
    // kills it. A program name without a path is looked for in `folder` first.
    ProcessOutcome RunAndWait(const std::string& program, const std::vector<std::string>& args,
                              const std::string& folder, const std::string& waitText = {}) override;
    bool Waiting() const override { return waiting_ > 0; }
    // Starts the program detached, its output discarded.
    bool StartHidden(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder) override;

private:
    int waiting_ = 0;
};

}  // namespace velm
