#include "platform/qt/text_box.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/qt/picture_box.h"  // MouseButtonCode
#include "platform/qt/qt_colour.h"

namespace velm {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    setMouseTracking(true);
    // textEdited comes just before textChanged for every edit that is not setText.
    connect(this, &QLineEdit::textEdited, this, [this](const QString&) { userEdit_ = true; });
    connect(this, &QLineEdit::textChanged, this, &TextBox::TextChangedByQt);
}

std::string TextBox::Text() const {
    return (replaying_ ? replayText_ : text()).toStdString();
}

void TextBox::SetText(const std::string& value) {
    ++byCode_;
    setText(QString::fromStdString(value));
    --byCode_;
}

int TextBox::SelStart() const {
    if (replaying_) return replayStart_;
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int TextBox::SelLength() const {
    if (replaying_) return replayLength_;
    return hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
}

void TextBox::SetSelStart(int start) {
    setCursorPosition(std::clamp(start, 0, static_cast<int>(text().size())));
}

Colour TextBox::ForeColor() const { return FromQColor(palette().color(QPalette::Text)); }
Colour TextBox::BackColor() const { return FromQColor(palette().color(QPalette::Base)); }

void TextBox::SetForeColor(Colour colour) {
    QPalette p = palette();
    p.setColor(QPalette::Text, ToQColor(colour));
    setPalette(p);
}

void TextBox::SetBackColor(Colour colour) {
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(colour));
    setPalette(p);
}

int TextBox::FilterKeyCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 48 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab: return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        case Qt::Key_Minus: return 189;
        case Qt::Key_Period: return 190;
        default: return 0;
    }
}

int TextBox::ShiftState(Qt::KeyboardModifiers modifiers) {
    int s = 0;
    if (modifiers & Qt::ShiftModifier) s |= 1;
    if (modifiers & Qt::ControlModifier) s |= 2;
    if (modifiers & Qt::AltModifier) s |= 4;
    return s;
}

bool TextBox::IsWindowShortcut(const QKeyEvent* event) const {
    if (event->key() == 0 || event->key() == Qt::Key_unknown) return false;
    const QKeySequence pressed(event->keyCombination());
    for (const QAction* action : window()->findChildren<QAction*>())
        for (const QKeySequence& shortcut : action->shortcuts())
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
    return false;
}

bool TextBox::event(QEvent* event) {
    // Not taken here: the window's shortcut runs its command.
    if (event->type() == QEvent::ShortcutOverride && IsWindowShortcut(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    // A disabled command's shortcut still edits nothing.
    if (IsWindowShortcut(event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool command = mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);

    int code = FilterKeyCode(key);
    if (OnKeyDown && code != 0) {
        OnKeyDown(code, ShiftState(mods));
        if (code == 0) {
            event->accept();
            return;
        }
    }

    // The character KeyPress carries; shortcuts carry none and
    // reach the box as edits, checked when the text changes.
    int ascii = 0;
    if (!command) {
        if (key == Qt::Key_Backspace) {
            ascii = 8;
        } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ascii = 13;
        } else if (event->text().size() == 1 && event->text().at(0).unicode() >= 32 &&
                   event->text().at(0).unicode() != 127) {
            ascii = event->text().at(0).unicode();
        }
    }
    if (ascii != 0 && OnKeyPress) {
        int k = ascii;
        OnKeyPress(k);
        if (k == 0) {
            event->accept();
            return;
        }
        if (k != ascii && k >= 32) {
            typed_ = true;
            insert(QString(QChar(k)));
            typed_ = false;
            event->accept();
            return;
        }
    }
    // A plain character, Backspace or Delete was already judged by the handlers.
    const bool judged = ascii != 0 || (key == Qt::Key_Delete && !command);
    if (judged) {
        typed_ = true;
        QLineEdit::keyPressEvent(event);
        typed_ = false;
    } else {
        QLineEdit::keyPressEvent(event);
    }
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A popup menu or another application taking the focus is not leaving the box.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
    if (OnLostFocus) OnLostFocus();
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    if (OnMouseMove) {
        const QPoint p = event->position().toPoint();
        OnMouseMove(MouseButtonCode(event->buttons()), ShiftState(event->modifiers()), p.x(), p.y());
    }
}

void TextBox::TextChangedByQt(const QString& now) {
    const bool userEdit = userEdit_;
    userEdit_ = false;
    if (now == shown_) return;
    if (userEdit && !typed_ && byCode_ == 0 && !AcceptedAsTyped(shown_, now)) {
        // Refused: put the previous text back as if nothing had happened.
        const int at = std::min(cursorPosition(), static_cast<int>(shown_.size()));
        const QSignalBlocker block(this);
        setText(shown_);
        setCursorPosition(at);
        return;
    }
    shown_ = now;
    if (OnChange) OnChange();
}

bool TextBox::AcceptedAsTyped(const QString& before, const QString& after) {
    if (!OnKeyDown && !OnKeyPress) return true;
    // The edit as one replaced stretch: common head and tail stay.
    const int shorter = static_cast<int>(std::min(before.size(), after.size()));
    int head = 0;
    while (head < shorter && before.at(head) == after.at(head)) ++head;
    int tail = 0;
    while (tail < shorter - head && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    const int removed = static_cast<int>(before.size()) - head - tail;
    const QString inserted = after.mid(head, after.size() - head - tail);

    replaying_ = true;
    replayText_ = before;
    replayStart_ = head;
    replayLength_ = removed;
    bool accepted = true;
    if (inserted.isEmpty()) {
        // A pure deletion is the Delete key over the removed stretch.
        if (OnKeyDown) {
            int code = 46;
            OnKeyDown(code, 0);
            accepted = code != 0;
        }
    } else if (OnKeyPress) {
        for (qsizetype i = 0; i < inserted.size() && accepted; ++i) {
            int k = inserted.at(i).unicode();
            OnKeyPress(k);
            accepted = k != 0;
            replayText_ = replayText_.left(replayStart_) + inserted.at(i) +
                          replayText_.mid(replayStart_ + replayLength_);
            ++replayStart_;
            replayLength_ = 0;
        }
    }
    replaying_ = false;
    return accepted;
}

}  // namespace velm
