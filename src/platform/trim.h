#pragma once
// Cutting blanks off both ends of a text; which characters count as blanks
// is the reader's own rule (the data file: spaces and tabs; the help file:
// line ends too; the language file: spaces only).
#include <string_view>

namespace velm {

inline std::string_view TrimChars(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace velm
