#pragma once
// Starting other programs.
#include <string>
#include <vector>

namespace velm {

// How a waited-for program ended.
struct ProcessOutcome {
    bool Started = false;    // false: it could not be started at all
    bool Crashed = false;    // it ended by a signal or crash, not by itself
    bool Cancelled = false;  // the user cancelled the wait, which ended it
    int ExitCode = -1;       // its exit code when it ended by itself
    // Started, ended by itself with exit code 0.
    bool Succeeded() const { return Started && !Crashed && !Cancelled && ExitCode == 0; }
};

class Processes {
public:
    virtual ~Processes() = default;
    // Starts `program` (no shell: blanks and quotes in the arguments stay as
    // they are) in `folder` and waits for its end while the windows keep
    // painting, under a progress window showing `waitText` whose Cancel ends
    // the program.
    virtual ProcessOutcome RunAndWait(const std::string& program, const std::vector<std::string>& args,
                                      const std::string& folder, const std::string& waitText = {}) = 0;
    // True while a RunAndWait is under way: no second one and no exit may start.
    virtual bool Waiting() const = 0;
    // Starts a program hidden and returns at once; false when it could not be started.
    virtual bool StartHidden(const std::string& program, const std::vector<std::string>& args,
                             const std::string& folder) = 0;
};

}  // namespace velm
