#pragma once
// The object name of a control in a control array: "TxtInputDati(2)". Window
// tests find controls by these names.
#include <string>
#include <string_view>

namespace velm {

inline std::string IndexedName(std::string_view name, int index) {
    return std::string(name) + "(" + std::to_string(index) + ")";
}

}  // namespace velm
