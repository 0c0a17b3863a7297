#pragma once
// The texts of the help viewer and of the About window (ABOUT_BOX).
#include "core/text_ids.h"

namespace velm {

// The help viewer's words.
constexpr TextId TextHelpTitle{LangHelp, 42};
constexpr TextId TextHelpContentsTab{LangHelp, 43};
constexpr TextId TextHelpIndexTab{LangHelp, 44};
constexpr TextId TextHelpIndexPrompt{LangHelp, 45};
constexpr TextId TextHelpUnreadable{LangHelp, 46};
constexpr TextId TextHelpMissingTopic{LangHelp, 47};

// The About window.
constexpr TextId TextAboutTitle{LangAboutBox, 1};
constexpr TextId TextSystemInfo{LangAboutBox, 3};
constexpr TextId TextAboutHelp{LangAboutBox, 4};
constexpr TextId TextAboutFirstLine{LangAboutBox, 8};  // and the four after it
constexpr TextId TextNoSystemInfo{LangAboutBox, 13};

}  // namespace velm
