#include "platform/qt/qt_look.h"

#include <QApplication>
#include <QCursor>

namespace velm {

void QtLook::SetHourglass() {
    if (QApplication::overrideCursor()) {
        QApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
}

void QtLook::ClearHourglass() {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void QtLook::Beep() { QApplication::beep(); }

}  // namespace velm
