#pragma once
// The shape-window registry and the shape opener: which window each shape
// code has, and how opening one replaces or parks the calling window. The
// registry's bounds are the shape-kind table's: a code without a row (a
// stale setting, a damaged file) finds no window and opens nothing.
class QWidget;
class QMdiSubWindow;

namespace velm {

// Shows the registered window of a shape code in the main window's area
// (added on first use) and makes it the active child; null when the code
// has no window or there is no main window.
QWidget* ShowShapeWindow(int shapeCode);

// The window of a shape code that is loaded now; null when none is, never
// making one.
QWidget* LoadedShapeWindow(int shapeCode);

// True for a window that the registry made (a shape window).
bool IsShapeWindow(const QWidget* window);

// A sub-window minimised from its maximised state is restored to that
// state, not to a normal size it may never have had.
void KeepMaximisedOnRestore(QMdiSubWindow* sub);
// A minimised sub-window back in the state it had before (nothing when it
// is not minimised).
void RestoreAsBefore(QMdiSubWindow* sub);

// The MDI sub-window around a window; null when it is in none.
QMdiSubWindow* SubWindowOf(QWidget* w);

}  // namespace velm
