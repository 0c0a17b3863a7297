#pragma once
// Processes that only record what would have been started.
#include <functional>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace velm {

class RecordingProcesses : public Processes {
public:
    struct Call {
        std::string program;
        std::vector<std::string> args;
        std::string folder;
        bool waited;  // RunAndWait rather than StartHidden
    };

    bool RunAndWait(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder) override {
        calls.push_back({program, args, folder, true});
        // Stands in for the program's work, e.g. writing its output file.
        if (startable && onRun) onRun(calls.back());
        return startable;
    }
    bool StartHidden(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder) override {
        calls.push_back({program, args, folder, false});
        return startable;
    }

    std::vector<Call> calls;
    bool startable = true;  // false: every start fails
    std::function<void(const Call&)> onRun;
};

}  // namespace velm
