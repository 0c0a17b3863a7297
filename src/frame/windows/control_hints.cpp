#include "frame/windows/control_hints.h"

#include <algorithm>

#include "frame/windows/frame_api.h"

namespace velm {

ControlHints& ControlHints::Text(const QObject* control, TextSectionId section, int number, ToolTip tip) {
    return Call(control, [section, number] { SetStatusText(Txt(section, number)); }, tip);
}

ControlHints& ControlHints::Clear(const QObject* control, ToolTip tip) {
    return Call(control, [] { SetStatusText(""); }, tip);
}

ControlHints& ControlHints::Call(const QObject* control, std::function<void()> hint, ToolTip tip) {
    entries_.push_back({control, std::move(hint), tip});
    return *this;
}

bool ControlHints::Show(const QObject* control) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [control](const Entry& e) { return e.Control == control; });
    if (it == entries_.end()) return false;
    if (it->Tip == ToolTip::Hides) HideToolTip();
    it->Hint();
    return true;
}

}  // namespace velm
