#include "frame/windows/shape_opener.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <array>
#include <vector>

#include "core/shape_kinds.h"
#include "core/working_state.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_iniziale.h"
#include "frame/windows/shape_window_base.h"

namespace velm {

namespace {

std::array<ShapeWindowFactory, LastShapeCode + 1> g_factories{};
std::vector<QPointer<QWidget>> g_shapeWindows;
std::array<QPointer<QWidget>, LastShapeCode + 1> g_windowOfCode;

// The start panel, whose closing would end the program, waits minimised
// and disabled while a shape window is open.
void ParkStartPanel() {
    frmIniziale* panel = ExistingStartPanel();
    if (!panel || !panel->isEnabled()) return;
    if (QMdiSubWindow* sub = SubWindowOf(panel))
        sub->showMinimized();
    else
        panel->showMinimized();
    EnableStartPanel(false);
}

// A shape window that is open (shown, minimised or not) and not on its way out.
bool LiveShapeWindow(QWidget* w) {
    if (!w || !IsShapeWindow(w)) return false;
    if (auto* shape = qobject_cast<ShapeWindowBase*>(w); shape && shape->Unloaded()) return false;
    const QMdiSubWindow* sub = SubWindowOf(w);
    return !(sub ? sub->isHidden() : w->isHidden());
}

// Everything the area holds but the start panel and `kept`: the previews
// first (each belongs to the shape open now, whose window it enables as it
// closes), then the shape windows.
void CloseAllBut(QWidget* kept) {
    QMdiArea* area = ChildArea();
    if (!area) return;
    std::vector<QPointer<QMdiSubWindow>> previews, shapes;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        QWidget* inner = sub->widget();
        if (inner == kept || inner == ExistingStartPanel() || sub->isHidden()) continue;
        if (IsShapeWindow(inner)) {
            if (LiveShapeWindow(inner)) shapes.emplace_back(sub);
        } else {
            previews.emplace_back(sub);
        }
    }
    for (auto* list : {&previews, &shapes})
        for (const QPointer<QMdiSubWindow>& sub : *list)
            if (sub) sub->close();
}

// The shape's own window back as it was before it was minimised, enabled
// (a preview that disabled it has closed) and active.
void BringBack(QWidget* window) {
    window->setEnabled(true);
    QMdiSubWindow* sub = SubWindowOf(window);
    if (!sub) {
        window->showNormal();
        return;
    }
    sub->setEnabled(true);
    RestoreAsBefore(sub);
    sub->show();
    window->show();
    if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
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

void RestoreAsBefore(QMdiSubWindow* sub) {
    if (!sub || !sub->isMinimized()) return;
    if (sub->property("restoreMaximised").toBool())
        sub->showMaximized();
    else
        sub->showNormal();
}

void KeepMaximisedOnRestore(QMdiSubWindow* sub) {
    QObject::connect(sub, &QMdiSubWindow::windowStateChanged, sub,
                     [sub](Qt::WindowStates before, Qt::WindowStates now) {
                         if (now & Qt::WindowMinimized) {
                             if (!(before & Qt::WindowMinimized))
                                 sub->setProperty("restoreMaximised", bool(before & Qt::WindowMaximized));
                         } else if ((before & Qt::WindowMinimized) && !(now & Qt::WindowMaximized) &&
                                    sub->property("restoreMaximised").toBool()) {
                             QTimer::singleShot(0, sub, [sub] { sub->showMaximized(); });
                         }
                     });
}

void OpenShapeForm(int shapeCode, QWidget* /*caller: whoever it is, the rule is the same*/, bool reload) {
    // A code without a window (or no shape at all) opens nothing and leaves
    // the caller as it is; so does a program without its main window.
    const ShapeKindInfo* kind = FindShapeKind(shapeCode);
    if (!kind || !ShapeWindowAvailable(shapeCode) || !ChildArea()) return;
    // A window busy with a run (a range of pieces printing) would only close
    // once it is done, and then bring the start panel back under the new one.
    if (RunUnderWay()) return;
    WorkingState& st = State();
    // Another shape takes over: the refused values of the one before give
    // way to its family's accepted ones.
    if (st.AcceptedBeforeRefusal.ShapeCode != shapeCode) {
        PutBackHeldInputs(st.AcceptedBeforeRefusal, st.Settings.MeasuringSystem, st.Inputs);
        st.AcceptedBeforeRefusal = {};
    }
    st.SwitchingForms = True16;  // the shape windows closing now must not re-enable the start panel
    st.ShapeFamily = kind->Family;

    // One shape is open at a time: every other shape window goes, with any
    // preview. The shape's own window, when it is still open (minimised by
    // its preview), is brought back rather than loaded again, unless the
    // values it was loaded with were replaced. The start panel waits,
    // whoever called.
    QWidget* own = LoadedShapeWindow(shapeCode);
    if (reload || !LiveShapeWindow(own)) own = nullptr;
    CloseAllBut(own);
    ParkStartPanel();
    EnableFileCommands(true);
    if (own) {
        BringBack(own);
        st.ShapeCode = static_cast<std::int16_t>(shapeCode);
    } else {
        ShowShapeWindow(shapeCode);
    }
    st.SwitchingForms = False16;  // also when the window was only brought back, or failed to load
    CheckShapeMenuItem(shapeCode);
}

void CloseShapeWindows() {
    State().SwitchingForms = False16;  // the start panel comes back
    CloseAllBut(nullptr);
    CheckShapeMenuItem(ShapeNone);
}

}  // namespace velm
