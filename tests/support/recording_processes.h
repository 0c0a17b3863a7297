#pragma once
// Processes that only record what would have been started, and end as told.
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
        std::string waitText;
    };

    ProcessOutcome RunAndWait(const std::string& program, const std::vector<std::string>& args,
                              const std::string& folder, const std::string& waitText = {}) override {
        calls.push_back({program, args, folder, true, waitText});
        if (!outcome.Started) return outcome;
        ++waiting_;
        if (duringWait) duringWait();  // what the user does while the program runs
        --waiting_;
        return outcome;
    }
    bool Waiting() const override { return waiting_ > 0; }
    bool StartHidden(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder) override {
        calls.push_back({program, args, folder, false, {}});
        return true;
    }

    std::vector<Call> calls;
    ProcessOutcome outcome{true, false, false, 0};  // how every waited program ends
    std::function<void()> duringWait;

private:
    int waiting_ = 0;
};

}  // namespace velm
