#pragma once
// Driving the platform's modal dialogs from a test (Qt tests only).
#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace velm {

// Runs `act` on the modal dialog once it is up; one that never comes up is
// closed after 5 s rather than hang the run.
template <typename Dialog>
void WhenShown(std::function<void(Dialog*)> act) {
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) act(dialog);
    });
    QTimer::singleShot(5000, [] {
        if (auto* w = QApplication::activeModalWidget()) w->close();
    });
}

// True when the user can reach `widget` in `dialog`: nothing between is hidden
// but the print dialog's folded options and tab pages, which a click shows.
inline bool Offered(const QWidget* widget, const QWidget* dialog) {
    static const QStringList folded{"QPrintSettingsOutput", "optionsTab", "copiesTab"};
    for (; widget != nullptr && widget != dialog; widget = widget->parentWidget())
        if (widget->isHidden() && !folded.contains(widget->objectName())) return false;
    return widget == dialog;
}

}  // namespace velm
