#pragma once
// Processes that only record what would have been started.
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
        return true;
    }
    bool StartHidden(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder) override {
        calls.push_back({program, args, folder, false});
        return true;
    }

    std::vector<Call> calls;
};

}  // namespace velm
