#include "platform/qt/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace velm {

int ClassicButtons(Qt::MouseButtons buttons) {
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

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_.Image());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (canvas_.PixelWidth() == width() && canvas_.PixelHeight() == height()) return;
    canvas_.Resize(width(), height());
    emit resized();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mousePressed(ClassicButtons(event->button()), p.x(), p.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseMoved(ClassicButtons(event->buttons()), p.x(), p.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseReleased(ClassicButtons(event->button()), p.x(), p.y());
}

}  // namespace velm
