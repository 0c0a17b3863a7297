#include "platform/qt/picture_box.h"

#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace velm {

int MouseButtonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), canvas_(width(), height()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.onChanged = [this] { update(); };
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!canvas_.PaintOnto(painter, event->region())) painter.drawImage(0, 0, canvas_.Image());
}

void PictureBox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!parkWhileInactive_) return;
    QMdiSubWindow* sub = nullptr;
    for (QWidget* w = parentWidget(); w && !sub; w = w->parentWidget()) sub = qobject_cast<QMdiSubWindow*>(w);
    if (!sub || sub == watched_) return;
    if (watched_) disconnect(watched_, nullptr, this, nullptr);
    watched_ = sub;
    connect(sub, &QObject::destroyed, this, [this] { watched_ = nullptr; });
    // Back before the activation paints anything, so nothing flickers.
    connect(sub, &QMdiSubWindow::aboutToActivate, this, [this] { canvas_.Unpark(); });
    connect(sub, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates, Qt::WindowStates now) {
        if (now & Qt::WindowActive)
            canvas_.Unpark();
        else
            canvas_.Park();
    });
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (canvas_.PixelWidth() == width() && canvas_.PixelHeight() == height()) return;
    canvas_.Resize(width(), height());
    emit resized();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mousePressed(MouseButtonCode(event->button()), p.x(), p.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseMoved(MouseButtonCode(event->buttons()), p.x(), p.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseReleased(MouseButtonCode(event->button()), p.x(), p.y());
}

}  // namespace velm
