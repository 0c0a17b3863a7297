#pragma once
// A borderless picture box: shows an ImageCanvas the size of the widget.
// A resize makes a new, empty canvas and emits resized(), so that the owner
// draws again. Mouse signals carry the button codes (1 left,
// 2 right, 4 middle) and the position in pixels.
#include <QWidget>

class QMdiSubWindow;

#include "platform/qt/image_canvas.h"

namespace velm {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    ImageCanvas& canvas() { return canvas_; }
    const ImageCanvas& canvas() const { return canvas_; }

    // While the MDI sub-window around the box is not the active one, the
    // picture is kept parked (8-bit indexed); it is brought back as the
    // sub-window activates, before it paints. Takes effect when the box is
    // next shown inside a sub-window.
    void SetParkedWhileInactive(bool on) { parkWhileInactive_ = on; }

signals:
    void resized();
    void mousePressed(int button, int x, int y);
    void mouseMoved(int buttons, int x, int y);  // buttons held, added up
    void mouseReleased(int button, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ImageCanvas canvas_;
    bool parkWhileInactive_ = false;
    QMdiSubWindow* watched_ = nullptr;  // the sub-window whose activation is followed
};

// Qt's buttons as the program's button bits: 1 left, 2 right, 4 middle.
int MouseButtonCode(Qt::MouseButtons buttons);

}  // namespace velm
