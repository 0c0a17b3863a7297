#pragma once
// Steps the preview tests share: a shape opened from the Shapes menu,
// maximised and developed, and its sheet preview opened from it.
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_test_actions.h"
#include "output/windows/sheet_preview.h"

namespace velm::wt {

inline ShapeWindow* OpenDevelopedShape(int code) {
    if (code >= 6)
        Mdi()->FormeSub2Item(code - 5)->trigger();
    else
        Mdi()->FormeSubItem(code)->trigger();
    AppFixture::Wait(20);
    auto* w = qobject_cast<ShapeWindow*>(LoadedShapeWindow(code));
    if (!w) return nullptr;
    w->parentWidget()->showMaximized();
    AppFixture::Wait(20);
    Click(w->CmdSviluppa);
    return w;
}

inline SheetPreview* OpenPreviewOf(ShapeWindow* shape) {
    if (!shape) return nullptr;
    Click(shape->CmdAnteprima);
    AppFixture::Wait(20);
    return SheetPreview::Current();
}

}  // namespace velm::wt
