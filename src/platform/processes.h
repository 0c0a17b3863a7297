#pragma once
// Starting other programs.
#include <string>
#include <vector>

namespace velm {

class Processes {
public:
    virtual ~Processes() = default;
    // Starts a program in `folder` and waits for its end while the windows
    // stay responsive; false when it could not be started.
    virtual bool RunAndWait(const std::string& program, const std::vector<std::string>& args,
                            const std::string& folder) = 0;
    // Starts a program hidden and returns at once; false when it could not be started.
    virtual bool StartHidden(const std::string& program, const std::vector<std::string>& args,
                             const std::string& folder) = 0;
};

}  // namespace velm
