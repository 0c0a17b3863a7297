#pragma once
// The help viewer over the program's own help file.
#include <string>

namespace velm {

class Help {
public:
    virtual ~Help() = default;
    virtual void ShowContents(const std::string& helpFile) = 0;
    virtual void ShowSearch(const std::string& helpFile, const std::string& keyword) = 0;
    virtual void ShowTopic(const std::string& helpFile, int contextId) = 0;
};

}  // namespace velm
