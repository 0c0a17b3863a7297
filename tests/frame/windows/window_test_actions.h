#pragma once
// What the window tests share: the running program (AppFixture), the main
// window and the shape windows' controls, and what a user does with them
// (keys, typing, clicks, pointer moves) and reads from a picture box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <functional>
#include <string>

#include "core/language.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_mdi.h"
#include "frame/windows/shape_window.h"
#include "core/working_state.h"
#include "platform/qt/image_canvas.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/text_box.h"
#include "support/qt/app_fixture.h"

namespace velm::wt {

inline std::string S(const QString& s) { return s.toStdString(); }

inline void Key(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text), release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// Digits, lower-case letters, '.' and '-', key by key.
inline void Keys(QWidget* w, const std::string& chars) {
    for (char c : chars) {
        const int key = c >= '0' && c <= '9'   ? Qt::Key_0 + (c - '0')
                        : c >= 'a' && c <= 'z' ? Qt::Key_A + (c - 'a')
                        : c == '.'             ? Qt::Key_Period
                                               : Qt::Key_Minus;
        Key(w, key, QString(QChar(c)));
    }
}

// Types over the whole text of the box.
inline void Type(TextBox* box, const std::string& text) {
    box->setFocus();
    box->selectAll();
    Keys(box, text);
}

// A button the user can see and press.
inline void Click(QPushButton* b) {
    EXPECT_TRUE(b->isVisible() && b->isEnabled()) << S(b->objectName());
    b->click();
}

inline void Mouse(QWidget* w, QEvent::Type type, QPointF at = {2, 2}, Qt::MouseButton button = Qt::NoButton,
                  Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
inline void MoveOver(QWidget* w, QPointF at = {2, 2}) { Mouse(w, QEvent::MouseMove, at); }

inline std::string Status() { return S(Mdi()->Status()); }
inline QMdiSubWindow* SubWindowOf(QWidget* w) { return qobject_cast<QMdiSubWindow*>(w->parentWidget()); }

inline int CountColour(const ImageCanvas& c, Colour colour) {
    int n = 0;
    for (int y = 0; y < c.PixelHeight(); ++y)
        for (int x = 0; x < c.PixelWidth(); ++x) n += c.Point(x, y) == colour;
    return n;
}

// A fill that stayed inside its outline leaves the picture's corners alone.
inline bool CornersClear(const ImageCanvas& c) {
    const int r = c.PixelWidth() - 1, b = c.PixelHeight() - 1;
    return r > 1 && c.Point(0, 0) == ShapePictureBackColour && c.Point(r, 0) == ShapePictureBackColour &&
           c.Point(0, b) == ShapePictureBackColour && c.Point(r, b) == ShapePictureBackColour;
}

// Closes `w` with its back button, lets `spoil` change what the job file
// `path` must bring back, and opens that file from the File menu: the shape
// window it opened, or null.
template <class W>
W* CloseAndReopen(W* w, ScriptedDialogs& dialogs, const std::string& path, const std::function<void()>& spoil) {
    const QString name = w->objectName();
    Click(w->CmdIndietro);
    AppFixture::Wait(20);
    EXPECT_EQ(MdiArea()->findChild<W*>(name), nullptr) << "still open";
    spoil();
    dialogs.ExpectOpen(path);
    DispatchFileCommand(FileMenuItem::Open);
    AppFixture::Wait(20);
    return MdiArea()->findChild<W*>(name);
}

}  // namespace velm::wt
