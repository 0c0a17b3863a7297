#pragma once
// Starting other programs with QProcess.
#include "platform/processes.h"

namespace velm {

class QtProcesses : public Processes {
public:
    // Runs the program and keeps the event loop turning until it has ended.
    // A program name without a path is looked for in `folder` first.
    bool RunAndWait(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder) override;
    // Starts the program detached, its output discarded.
    bool StartHidden(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder) override;
};

}  // namespace velm
