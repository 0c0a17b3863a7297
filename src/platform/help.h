#pragma once
// The help viewer over the program's own help file.
#include <string>

namespace velm {

// The viewer's own words; the program gives them from its language texts.
struct HelpLabels {
    std::string title = "VELM help";  // until the file names its own
    std::string contentsTab = "Contents";
    std::string indexTab = "Index";
    std::string indexPrompt = "Type the first letters of a word:";
    std::string unreadableFile = "The help file cannot be read:";  // then the path
    std::string missingTopic = "The help file has no topic number";  // then the number
};

class Help {
public:
    virtual ~Help() = default;
    virtual void ShowContents(const std::string& helpFile) = 0;
    virtual void ShowSearch(const std::string& helpFile, const std::string& keyword) = 0;
    virtual void ShowTopic(const std::string& helpFile, int contextId) = 0;
    // Words for the viewer's next showing.
    virtual void SetLabels(const HelpLabels&) {}
};

}  // namespace velm
