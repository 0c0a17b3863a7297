#pragma once
// The status-line hints of a window's controls, as a table: each window says
// which control shows which text (or runs which hint of its own), and one
// dispatch shows it when the pointer moves over the control.
#include <cstddef>
#include <functional>
#include <vector>

#include "core/language.h"
#include "core/text_ids.h"

class QObject;

namespace velm {

// Whether the tooltip of the main window's toolbar goes when the pointer
// reaches the control (it does over the large controls that hold others).
enum class ToolTip { Stays, Hides };

class ControlHints {
public:
    // The control shows text `number` of `section`.
    ControlHints& Text(const QObject* control, TextSectionId section, int number, ToolTip tip = ToolTip::Stays);
    ControlHints& Text(const QObject* control, TextId text, ToolTip tip = ToolTip::Stays) {
        return Text(control, text.Section, text.Number, tip);
    }
    // The control empties the status line.
    ControlHints& Clear(const QObject* control, ToolTip tip = ToolTip::Stays);
    // The control runs the window's own hint (a field's range, a focus ...).
    ControlHints& Call(const QObject* control, std::function<void()> hint, ToolTip tip = ToolTip::Stays);
    // Row i of `controls` shows text first + i.
    template <class C>
    ControlHints& Texts(const std::vector<C*>& controls, TextSectionId section, int first);
    template <class C>
    ControlHints& Texts(const std::vector<C*>& controls, TextId first) {
        return Texts(controls, first.Section, first.Number);
    }
    // Row i of `controls` runs hint(i).
    template <class C>
    ControlHints& Calls(const std::vector<C*>& controls, const std::function<void(int)>& hint,
                        ToolTip tip = ToolTip::Stays);

    // Shows the hint of `control`; false when the table has none for it
    // (the status line is left as it is).
    bool Show(const QObject* control) const;

private:
    struct Entry {
        const QObject* Control;
        std::function<void()> Hint;
        ToolTip Tip;
    };
    std::vector<Entry> entries_;
};

template <class C>
ControlHints& ControlHints::Texts(const std::vector<C*>& controls, TextSectionId section, int first) {
    for (std::size_t i = 0; i < controls.size(); ++i) Text(controls[i], section, first + static_cast<int>(i));
    return *this;
}

template <class C>
ControlHints& ControlHints::Calls(const std::vector<C*>& controls, const std::function<void(int)>& hint,
                                  ToolTip tip) {
    for (std::size_t i = 0; i < controls.size(); ++i)
        Call(controls[i], [hint, i] { hint(static_cast<int>(i)); }, tip);
    return *this;
}

}  // namespace velm
