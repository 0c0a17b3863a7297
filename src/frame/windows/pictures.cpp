#include "frame/windows/pictures.h"

#include "core/version.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <initializer_list>
#include <iterator>

namespace velm {

namespace {

constexpr int S = ToolbarPictureSize;

QImage Blank() {
    QImage img(S, S, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void Begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

// A toolbar-sized picture painted by `paint` on a transparent ground.
QImage Painted(void (*paint)(QPainter&)) {
    QImage img = Blank();
    {
        QPainter p(&img);
        Begin(p);
        paint(p);
    }
    return img;
}

QPainterPath ClosedPath(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    path.moveTo(*corners.begin());
    for (auto it = corners.begin() + 1; it != corners.end(); ++it) path.lineTo(*it);
    path.closeSubpath();
    return path;
}

// A cylinder cut at the top by an inclined plane (the top edge runs from
// topLeft down to topRight), and its cut face: an ellipse in that plane.
struct CutCylinderLook {
    QColor metalLeft, metalRight;  // the shading across the body
    QColor outline;
    double outlineWidth;
    QColor face;
};

void DrawCutCylinder(QPainter& p, double cx, double r, double ry, double bottom, double topLeft, double topRight,
                     const CutCylinderLook& look) {
    QLinearGradient metal(cx - r, 0, cx + r, 0);
    metal.setColorAt(0, look.metalLeft);
    metal.setColorAt(0.35, QColor(225, 230, 238));
    metal.setColorAt(1, look.metalRight);
    QPainterPath body;
    body.moveTo(cx - r, topLeft);
    body.lineTo(cx - r, bottom);
    body.arcTo(QRectF(cx - r, bottom - ry, 2 * r, 2 * ry), 180, 180);
    body.lineTo(cx + r, topRight);
    body.lineTo(cx - r, topLeft);
    p.setPen(QPen(look.outline, look.outlineWidth));
    p.setBrush(metal);
    p.drawPath(body);
    p.save();
    p.translate(cx, (topLeft + topRight) / 2);
    p.rotate(-std::atan2(topLeft - topRight, 2 * r) * 180 / M_PI);
    p.setBrush(look.face);
    p.drawEllipse(QPointF(0, 0), std::hypot(2 * r, topLeft - topRight) / 2, ry);
    p.restore();
}

void PaintOpen(QPainter& p) {
    // Back of the folder with its tab.
    const QPainterPath back = ClosedPath({{2.5, 6.5}, {8.5, 6.5}, {10.5, 8.5}, {18.5, 8.5}, {18.5, 19.5}, {2.5, 19.5}});
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(230, 180, 60));
    p.drawPath(back);
    // A sheet sticking out.
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawRect(QRectF(6.5, 4.5, 10, 10));
    // The open front flap.
    const QPainterPath front = ClosedPath({{2.5, 19.5}, {6.5, 11.5}, {22.5, 11.5}, {18.5, 19.5}});
    QLinearGradient g(0, 11, 0, 20);
    g.setColorAt(0, QColor(255, 225, 120));
    g.setColorAt(1, QColor(240, 190, 60));
    p.setBrush(g);
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.drawPath(front);
}

void PaintSaveAs(QPainter& p) {
    // Floppy disk.
    const QPainterPath disk = ClosedPath({{2.5, 2.5}, {17.5, 2.5}, {20.5, 5.5}, {20.5, 20.5}, {2.5, 20.5}});
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(50, 90, 170));
    p.drawPath(disk);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 225, 235));
    p.drawRect(QRectF(6, 3, 10, 6));      // shutter
    p.setBrush(QColor(50, 90, 170));
    p.drawRect(QRectF(12.5, 4, 2.5, 4));  // shutter window
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 12, 13, 8));     // label
    p.setPen(QPen(QColor(150, 160, 180), 1));
    p.drawLine(QPointF(7, 15), QPointF(16, 15));
    p.drawLine(QPointF(7, 17.5), QPointF(13, 17.5));
    // Pencil: "as" a new name.
    p.save();
    p.translate(17, 17);
    p.rotate(-45);
    p.setPen(QPen(QColor(80, 50, 10), 0.8));
    p.setBrush(QColor(250, 200, 40));
    p.drawRect(QRectF(-2, -8, 4, 10));
    p.setBrush(QColor(240, 210, 170));
    p.drawPath(ClosedPath({{-2, 2}, {2, 2}, {0, 6}}));
    p.restore();
}

void DrawPrinter(QPainter& p, bool printedSheet) {
    // Paper going in at the back.
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 8));
    // Body.
    QLinearGradient g(0, 9, 0, 18);
    g.setColorAt(0, QColor(200, 200, 205));
    g.setColorAt(1, QColor(130, 130, 140));
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 60));
    p.drawEllipse(QRectF(17, 11.5, 2, 2));
    // Sheet coming out at the front.
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 14.5, 13, 7));
    if (printedSheet) {
        p.setPen(QPen(QColor(30, 60, 160), 1));
        p.drawLine(QPointF(7.5, 17), QPointF(16.5, 17));
        p.drawLine(QPointF(7.5, 19.5), QPointF(13.5, 19.5));
    }
}

void PaintPrinterSetup(QPainter& p) {
    DrawPrinter(p, false);
    // A check mark: the printer is set up.
    p.setPen(QPen(QColor(200, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(8.5, 18);
    tick.lineTo(11, 20.5);
    tick.lineTo(16, 15.5);
    p.drawPath(tick);
}

void PaintPrint(QPainter& p) {
    DrawPrinter(p, true);
}

void PaintMethod(QPainter& p) {
    // Cross-section of a rolled plate: inner, mean and outer fibre.
    const QPointF c(12, 20);
    p.setBrush(QColor(200, 210, 225));
    p.setPen(Qt::NoPen);
    QPainterPath plate;
    plate.arcMoveTo(QRectF(c.x() - 10, c.y() - 10, 20, 20), 0);
    plate.arcTo(QRectF(c.x() - 10, c.y() - 10, 20, 20), 0, 180);
    plate.arcTo(QRectF(c.x() - 5, c.y() - 5, 10, 10), 180, -180);
    plate.closeSubpath();
    p.drawPath(plate);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 60, 200), 1.6));
    p.drawArc(QRectF(c.x() - 10, c.y() - 10, 20, 20), 0, 180 * 16);
    p.setPen(QPen(QColor(210, 30, 30), 1.4, Qt::DashLine));
    p.drawArc(QRectF(c.x() - 7.5, c.y() - 7.5, 15, 15), 0, 180 * 16);
    p.setPen(QPen(QColor(20, 60, 200), 1.6));
    p.drawArc(QRectF(c.x() - 5, c.y() - 5, 10, 10), 0, 180 * 16);
    // The angular step: a small protractor tick fan above.
    p.setPen(QPen(QColor(40, 40, 40), 1));
    for (int k = 0; k <= 4; ++k) {
        const double a = (30.0 + 30.0 * k) * M_PI / 180.0;
        p.drawLine(QPointF(c.x() + 10.5 * std::cos(a), c.y() - 10.5 * std::sin(a)),
                   QPointF(c.x() + 12.5 * std::cos(a), c.y() - 12.5 * std::sin(a)));
    }
}

void PaintUnit(QPainter& p) {
    // A folding rule seen at a slant.
    p.translate(12, 12);
    p.rotate(-35);
    p.setPen(QPen(QColor(120, 90, 10), 1));
    p.setBrush(QColor(250, 215, 70));
    p.drawRect(QRectF(-11.5, -4, 23, 8));
    p.setPen(QPen(QColor(30, 30, 30), 1));
    for (int k = 0; k <= 10; ++k) {
        const double x = -10 + 2 * k;
        const double len = (k % 5 == 0) ? 4.5 : 2.5;
        p.drawLine(QPointF(x, -4), QPointF(x, -4 + len));
    }
    p.setPen(QPen(QColor(200, 30, 30), 1));
    p.drawLine(QPointF(-10, 4), QPointF(-10, 1.5));
    p.drawLine(QPointF(0.16, 4), QPointF(0.16, 1.5));
    p.drawLine(QPointF(10.32, 4), QPointF(10.32, 1.5));
}

void PaintHelp(QPainter& p) {
    QRadialGradient g(QPointF(9, 8), 12);
    g.setColorAt(0, QColor(110, 160, 255));
    g.setColorAt(1, QColor(20, 70, 190));
    p.setPen(QPen(QColor(10, 40, 120), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    QFont f("Liberation Serif");
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(2.5, 2.5, 19, 19.5), Qt::AlignCenter, "?");
}

void PaintExit(QPainter& p) {
    // An open door and an arrow leaving through it.
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(160, 110, 60));
    p.drawRect(QRectF(3.5, 2.5, 11, 19));
    p.setBrush(QColor(30, 30, 40));
    p.drawRect(QRectF(5.5, 4.5, 7, 15));
    p.setBrush(QColor(200, 150, 90));
    p.drawPath(ClosedPath({{5.5, 4.5}, {10.5, 6.5}, {10.5, 21.5}, {5.5, 19.5}}));
    p.setPen(QPen(QColor(200, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(13, 12), QPointF(21, 12));
    QPainterPath head;
    head.moveTo(18, 9);
    head.lineTo(21.5, 12);
    head.lineTo(18, 15);
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
}

// The disabled form: grey and flat, so that an unavailable button reads as such.
QImage Greyed(const QImage& source) {
    QImage img = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            if (a == 0) continue;
            const int grey = 150 + qGray(c) * 80 / 255;
            line[x] = qRgba(grey, grey, grey, a);
        }
    }
    return img;
}

}  // namespace

QPixmap Icone(int index) { return QPixmap::fromImage(IconeImage(index)); }

QImage IconeImage(int index) {
    struct Entry {
        void (*paint)(QPainter&);
        bool greyed;
    };
    static constexpr Entry entries[] = {
        {PaintOpen, false},   {PaintOpen, true},   {PaintSaveAs, false}, {PaintSaveAs, true},
        {PaintPrinterSetup, false}, {PaintPrint, false}, {PaintPrint, true}, {PaintMethod, false},
        {PaintMethod, true},  {PaintUnit, false},  {PaintUnit, true},    {PaintHelp, false}};
    if (index < 0 || index >= static_cast<int>(std::size(entries))) return Blank();
    const Entry& e = entries[index];
    const QImage img = Painted(e.paint);
    return e.greyed ? Greyed(img) : img;
}


QImage ExitImage() { return Painted(PaintExit); }

QPixmap ProgramIcon() {
    constexpr int W = 32;
    QImage img(W, W, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Begin(p);
    // A cylinder cut at the top, as on the splash.
    DrawCutCylinder(p, 16, 10, 3, 26, 12, 6,
                    {QColor(110, 120, 135), QColor(85, 95, 110), QColor(30, 35, 45), 1, QColor(240, 90, 90)});
    return QPixmap::fromImage(img);
}

namespace {

// The splash's flat development: the cut edge unrolls into a sine wave,
// and an arrow leads to it from the body.
void DrawSplashDevelopment(QPainter& p) {
    const double x0 = 200, x1 = 490, base = 250, mid = 150, amp = 22;
    QPainterPath flat;
    flat.moveTo(x0, base);
    flat.lineTo(x1, base);
    for (int i = 0; i <= 120; ++i) {
        const double t = static_cast<double>(120 - i) / 120;
        const double x = x0 + t * (x1 - x0);
        const double y = mid - amp * std::cos(2 * M_PI * t);
        flat.lineTo(x, y);
    }
    flat.closeSubpath();
    QLinearGradient sheet(0, mid - amp, 0, base);
    sheet.setColorAt(0, QColor(150, 190, 255));
    sheet.setColorAt(1, QColor(60, 110, 220));
    p.setBrush(sheet);
    p.setPen(QPen(QColor(220, 235, 255), 1.5));
    p.drawPath(flat);
    p.setPen(QPen(QColor(220, 235, 255, 140), 1, Qt::DashLine));
    for (int k = 1; k < 8; ++k) {
        const double t = k / 8.0;
        const double x = x0 + t * (x1 - x0);
        p.drawLine(QPointF(x, base), QPointF(x, mid - amp * std::cos(2 * M_PI * t)));
    }
    // The arrow from the body to its pattern.
    p.setPen(QPen(QColor(255, 210, 80), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(166, 200), QPointF(192, 200));
    p.drawLine(QPointF(185, 194), QPointF(192, 200));
    p.drawLine(QPointF(185, 206), QPointF(192, 200));
}

// The splash's name, what it does and the version.
void DrawSplashTexts(QPainter& p, int w, int h) {
    QFont title("Liberation Sans");
    title.setPixelSize(64);
    title.setBold(true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QRectF(200, 22, 300, 76), Qt::AlignLeft | Qt::AlignVCenter, "VELM");
    QFont sub("Liberation Sans");
    sub.setPixelSize(15);
    p.setFont(sub);
    p.setPen(QColor(190, 210, 240));
    p.drawText(QRectF(204, 92, 300, 24), Qt::AlignLeft | Qt::AlignVCenter, "Flat patterns of cylinders, cones and elbows");
    p.setPen(QColor(150, 170, 210));
    p.drawText(QRectF(20, h - 44, w - 40, 24), Qt::AlignRight | Qt::AlignVCenter,
               QString("Version ") + VersionText);
}

}  // namespace

QPixmap SplashPicture() {
    constexpr int W = 520, H = 320;
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    Begin(p);
    QLinearGradient bg(0, 0, 0, H);
    bg.setColorAt(0, QColor(22, 48, 92));
    bg.setColorAt(1, QColor(10, 22, 44));
    p.fillRect(img.rect(), bg);
    p.setPen(QPen(QColor(120, 150, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, W - 2, H - 2));

    // A cylinder cut at the top by an inclined plane ...
    DrawCutCylinder(p, 110, 48, 14, 250, 110, 80,
                    {QColor(120, 130, 145), QColor(95, 105, 120), QColor(40, 45, 55), 1.5, QColor(250, 120, 120)});
    // ... and its flat development.
    DrawSplashDevelopment(p);
    DrawSplashTexts(p, W, H);
    return QPixmap::fromImage(img);
}

}  // namespace velm
