#pragma once
// What the program's windows are built with alike: the least normal size of
// the main window, the shape windows and the sheet previews, and controls
// named by their objectName.
#include <string>

#include "platform/qt/qt_text.h"

namespace velm {

constexpr int MinWindowWidthTwips = 8000;
constexpr int MinWindowHeightTwips = 6200;

// The widget, its objectName set: made and named in one expression.
template <class W>
W* Named(W* widget, const std::string& name) {
    widget->setObjectName(Q(name));
    return widget;
}

}  // namespace velm
