#pragma once
// A number as a drawing file writes it: at most 15 significant digits.
#include <charconv>
#include <string>

namespace velm::testing {

inline std::string Digits15(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    return std::string(buf, res.ptr);
}

}  // namespace velm::testing
