#include "output/windows/preview_notes_table.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include "frame/windows/frame_api.h"
#include "output/windows/frm_dati.h"
#include "output/windows/frm_tabella.h"
#include "output/windows/sheet_preview.h"

namespace velm {

namespace {

class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* control, std::function<void()> clicked) : QObject(control), clicked_(std::move(clicked)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = qobject_cast<QWidget*>(watched);
        if (!control) return false;
        if (event->type() == QEvent::MouseButtonPress) {
            pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            return pressed_;
        }
        if (event->type() == QEvent::MouseButtonRelease && pressed_) {
            pressed_ = false;
            const auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton && control->rect().contains(e->position().toPoint())) clicked_();
            return true;
        }
        return false;
    }

private:
    std::function<void()> clicked_;
    bool pressed_ = false;
};

// A modal window over the preview enables the other windows again when it
// closes; the start panel stays disabled while a shape window is open.
void DisableStartPanelAgain() {
    if (QWidget* panel = StartPanel()) panel->setEnabled(false);
}

}  // namespace

void OnClick(QWidget* control, std::function<void()> clicked) {
    control->installEventFilter(new ClickFilter(control, std::move(clicked)));
}

void SheetPreview::CmdTabella_Click() {
    ShowValueTable(this);
    DisableStartPanelAgain();
}

void SheetPreview::PctDati_Click() {
    ShowNotesWindow(this);
    DisableStartPanelAgain();
    NotesChanged();
}

void SheetPreview::LblArea_Click() { PctDati_Click(); }

}  // namespace velm
