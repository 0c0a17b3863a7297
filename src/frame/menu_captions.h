#pragma once
// The captions that the menu records of the language file give the main
// window's menus, as (object name, caption) pairs: "mnuFile", "mnuFileItems(1)" ...
#include <string>
#include <utility>
#include <vector>

#include "core/language.h"

namespace velm {

using MenuCaption = std::pair<std::string, std::string>;

// Records 1 to 5 (File, Shapes, Options, View, Help); later records are
// ignored. Captions are trimmed. An item the record does not hold gives no
// caption, so the menu keeps the one it has.
std::vector<MenuCaption> MenuCaptions(const LanguageTexts& texts);

}  // namespace velm
