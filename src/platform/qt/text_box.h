#pragma once
// A one-line text box that raises the events the windows are built on:
// KeyDown (key code, cancellable), KeyPress (character code; 0 drops the
// key), Change (every change of the text, by the user or by code, but not a
// write of the same text), LostFocus and MouseMove.
//
// Text that arrives other than by a typed key (paste, drop, undo, a word
// deletion, an input method) is put to the same KeyDown/KeyPress handlers as
// if it had been typed, character by character; when one of them drops a
// key the box keeps its previous text and Change does not run.
//
// A key that is the shortcut of a command of the box's window (Ctrl+A open,
// Ctrl+X export ...) belongs to that command, even while the command is
// disabled: the box never edits with it. Cut, copy, paste and select-all stay
// in the box's context menu.
#include <QLineEdit>
#include <QString>
#include <functional>
#include <string>

#include "platform/look.h"

namespace velm {

class TextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

    // Shift state: 1 Shift, 2 Ctrl, 4 Alt. Mouse buttons: 1 left, 2 right, 4 middle.
    std::function<void(int& keyCode, int shift)> OnKeyDown;
    std::function<void(int& keyAscii)> OnKeyPress;
    std::function<void()> OnChange;
    std::function<void()> OnLostFocus;
    std::function<void(int button, int shift, int x, int y)> OnMouseMove;

    // The text in UTF-8. SetText runs Change when the text differs.
    std::string Text() const;
    void SetText(const std::string& value);

    // Selection in characters from 0; without a selection SelStart is the cursor.
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int start);

    Colour ForeColor() const;
    Colour BackColor() const;
    void SetForeColor(Colour colour);
    void SetBackColor(Colour colour);

    // The key code of a Qt key as the input-key filters take it (46 Delete,
    // 8 Backspace, 13 Enter, 37-40 arrows, 65-90 letters ...); 0 for a key
    // it has none for.
    static int FilterKeyCode(int qtKey);
    static int ShiftState(Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The key is the shortcut of a command of the box's window (a menu item).
    bool IsWindowShortcut(const QKeyEvent* event) const;
    void TextChangedByQt(const QString& now);
    bool AcceptedAsTyped(const QString& before, const QString& after);

    QString shown_;         // the text that Change last reported
    int byCode_ = 0;        // SetText in progress (may nest through Change)
    bool typed_ = false;    // a key already passed by KeyDown/KeyPress is being applied
    bool userEdit_ = false; // the coming change is the user's, not SetText's
    bool replaying_ = false;
    QString replayText_;    // what Text and the selection show while replaying
    int replayStart_ = 0;
    int replayLength_ = 0;
};

}  // namespace velm
