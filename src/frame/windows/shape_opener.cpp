#include "frame/windows/shape_opener.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <algorithm>
#include <array>
#include <vector>

#include "core/shape_kinds.h"
#include "core/working_state.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_iniziale.h"

namespace velm {

namespace {

std::array<ShapeWindowFactory, LastShapeCode + 1> g_factories{};
std::vector<QPointer<QWidget>> g_shapeWindows;
std::array<QPointer<QWidget>, LastShapeCode + 1> g_windowOfCode;

// A caller may be named by its sub-window or by the window inside it.
QWidget* InnerWindow(QWidget* w) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) return sub->widget() ? sub->widget() : sub;
    return w;
}

void MinimiseAndDisable(QWidget* w) {
    if (QMdiSubWindow* sub = SubWindowOf(w))
        sub->showMinimized();
    else
        w->showMinimized();
    if (w == ExistingStartPanel())
        EnableStartPanel(false);
    else
        w->setEnabled(false);
}

void CloseWindow(QWidget* w) {
    if (QMdiSubWindow* sub = SubWindowOf(w))
        sub->close();
    else
        w->close();
}

}  // namespace

QMdiSubWindow* SubWindowOf(QWidget* w) { return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr; }

void RegisterShapeWindowFactory(int shapeCode, ShapeWindowFactory factory) {
    if (FindShapeKind(shapeCode)) g_factories[static_cast<std::size_t>(shapeCode)] = factory;
}

ShapeWindowFactory ShapeWindowFactoryFor(int shapeCode) {
    return FindShapeKind(shapeCode) ? g_factories[static_cast<std::size_t>(shapeCode)] : nullptr;
}

bool ShapeWindowAvailable(int shapeCode) { return ShapeWindowFactoryFor(shapeCode) != nullptr; }

QWidget* LoadedShapeWindow(int shapeCode) {
    if (!FindShapeKind(shapeCode)) return nullptr;
    return g_windowOfCode[static_cast<std::size_t>(shapeCode)];
}

bool IsShapeWindow(const QWidget* window) {
    if (!window) return false;
    return std::any_of(g_shapeWindows.begin(), g_shapeWindows.end(),
                       [window](const QPointer<QWidget>& w) { return w == window; });
}

QWidget* ShowShapeWindow(int shapeCode) {
    // Shape windows are children of the main window; without one there is
    // nowhere to show them.
    QMdiArea* area = ChildArea();
    const ShapeWindowFactory factory = ShapeWindowFactoryFor(shapeCode);
    if (!factory || !area) return nullptr;
    QWidget* window = factory(shapeCode);
    if (!window) return nullptr;
    SetStatusText("");  // the caller's hints are stale once the new window is open
    if (!IsShapeWindow(window)) {
        g_shapeWindows.erase(std::remove(g_shapeWindows.begin(), g_shapeWindows.end(), nullptr), g_shapeWindows.end());
        g_shapeWindows.emplace_back(window);
    }
    g_windowOfCode[static_cast<std::size_t>(shapeCode)] = window;
    QMdiSubWindow* sub = SubWindowOf(window);
    if (!sub) {
        // The window stays made for the run: closing it only hides it.
        sub = area->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    window->show();
    sub->show();
    if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    return window;
}

void OpenShapeForm(int shapeCode, QWidget* caller) {
    // A code without a window (or no shape at all) opens nothing and leaves
    // the caller as it is; so does a program without its main window.
    const ShapeKindInfo* kind = FindShapeKind(shapeCode);
    if (!kind || !ShapeWindowAvailable(shapeCode) || !ChildArea()) return;
    WorkingState& st = State();
    st.SwitchingForms = True16;  // the shape window closing now must not re-enable the start panel
    st.ShapeFamily = kind->Family;

    // The caller's kind decides: a shape window gives way to the new one; the
    // start panel (whose closing would end the program) and any other window
    // wait minimised and disabled.
    if (QWidget* inner = InnerWindow(caller)) {
        if (IsShapeWindow(inner))
            CloseWindow(inner);
        else
            MinimiseAndDisable(inner);
    }
    EnableFileCommands(true);
    ShowShapeWindow(shapeCode);
    CheckShapeMenuItem(shapeCode);
}

}  // namespace velm
