#include "frame/windows/shape_pictures.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace velm {

namespace {

// ---- A small 3-D sketcher: sheet-metal tubes seen from slightly above. ----

struct V3 {
    double x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 Unit(V3 a) {
    const double l = std::sqrt(Dot(a, a));
    return l > 0 ? a * (1.0 / l) : a;
}

constexpr double kPi = 3.14159265358979323846;
constexpr double Deg(double d) { return d * kPi / 180.0; }

// y points towards the viewer, z up; the eye looks down by kElevation.
const double kElevation = Deg(22);
const V3 kView{0, std::cos(kElevation), std::sin(kElevation)};
const V3 kLight = Unit({-0.55, 0.75, 0.6});

QPointF Project(V3 p) {
    return {p.x, -(p.z * std::cos(kElevation) - p.y * std::sin(kElevation))};
}

V3 Yaw(V3 p, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
}

struct Plane {
    V3 point;
    V3 normal;  // out of the piece
};

// One straight piece of a tube: the mantle of a cone (or cylinder) around the
// axis a-b, cut by two planes.
struct Piece {
    V3 a, b;
    double ra = 1, rb = 1;  // mantle radius at a and at b
    Plane start, end;
    bool startOpen = true, endOpen = true;  // an open end shows its whole rim
    V3 side{0, 1, 0};                       // a unit vector across the axis
    QColor colour;
};

Piece Yawed(Piece p, double angle) {
    p.a = Yaw(p.a, angle);
    p.b = Yaw(p.b, angle);
    p.start = {Yaw(p.start.point, angle), Yaw(p.start.normal, angle)};
    p.end = {Yaw(p.end.point, angle), Yaw(p.end.normal, angle)};
    p.side = Yaw(p.side, angle);
    return p;
}

struct Item {
    QPolygonF poly;
    QColor fill;  // invalid for a line
    QColor pen;
    double width = 1;
    Qt::PenStyle style = Qt::SolidLine;
};

class Scene {
public:
    void Fill(const QPolygonF& p, QColor c) { items_.push_back({p, c, c, 0.8, Qt::SolidLine}); }
    void Line(const QPolygonF& p, QColor c, double w, Qt::PenStyle s = Qt::SolidLine) {
        items_.push_back({p, QColor(), c, w, s});
    }
    QRectF Bounds() const {
        QRectF r;
        for (const auto& it : items_) r = r.united(it.poly.boundingRect());
        return r;
    }
    void Paint(QPainter& painter, const QRectF& target) const {
        const QRectF b = Bounds();
        if (b.width() <= 0 || b.height() <= 0 || target.width() <= 0 || target.height() <= 0) return;
        const double k = std::min(target.width() / b.width(), target.height() / b.height());
        QTransform t;
        t.translate(target.center().x(), target.center().y());
        t.scale(k, k);
        t.translate(-b.center().x(), -b.center().y());
        painter.save();
        painter.setTransform(t, true);
        for (const auto& it : items_) {
            QPen pen(it.pen, it.width, it.style, Qt::RoundCap, Qt::RoundJoin);
            pen.setCosmetic(true);
            painter.setPen(pen);
            if (it.fill.isValid()) {
                // Facets without smoothing meet without seams and cost a
                // fraction; the outlines drawn over them smooth the edges.
                painter.setRenderHint(QPainter::Antialiasing, false);
                painter.setBrush(it.fill);
                painter.drawPolygon(it.poly);
                painter.setRenderHint(QPainter::Antialiasing, true);
            } else {
                painter.setBrush(Qt::NoBrush);
                painter.drawPolyline(it.poly);
            }
        }
        painter.restore();
    }

private:
    std::vector<Item> items_;
};

constexpr int kSteps = 96;  // around the tube

struct Mantle {
    const Piece& p;
    V3 e, u, w;
    double len;
    explicit Mantle(const Piece& piece) : p(piece) {
        const V3 ab = p.b - p.a;
        len = std::sqrt(Dot(ab, ab));
        e = Unit(ab);
        w = Unit(p.side - e * Dot(p.side, e));
        u = Cross(w, e);
    }
    V3 Dir(double th) const { return u * std::cos(th) + w * std::sin(th); }
    // Where the generator at angle th meets a plane.
    V3 Meet(double th, const Plane& pl) const {
        const V3 d = Dir(th);
        const double c0 = Dot(p.a - pl.point, pl.normal) + p.ra * Dot(d, pl.normal);
        const double c1 = Dot(p.b - p.a, pl.normal) + (p.rb - p.ra) * Dot(d, pl.normal);
        const double s = std::abs(c1) > 1e-12 ? -c0 / c1 : 0.0;
        return p.a + (p.b - p.a) * s + d * (p.ra + (p.rb - p.ra) * s);
    }
    V3 Normal(double th) const { return Unit(Dir(th) - e * ((p.rb - p.ra) / len)); }
    bool Faces(double th) const { return Dot(Normal(th), kView) > 0; }
};

QColor Shade(QColor base, V3 normal, double ambient, double specular) {
    const double diffuse = std::max(0.0, Dot(normal, kLight));
    const V3 half = Unit(kLight + kView);
    const double highlight = std::pow(std::max(0.0, Dot(normal, half)), 24) * specular;
    const double k = ambient + (1 - ambient) * diffuse;
    const auto ch = [&](int c) { return std::clamp(static_cast<int>(c * k + 255 * highlight), 0, 255); };
    return QColor(ch(base.red()), ch(base.green()), ch(base.blue()));
}

const QColor kOutline(38, 46, 58);
const QColor kHidden(120, 130, 142);
const QColor kCentre(176, 52, 40);

// Draws pieces that belong together: insides first, then the outsides, then
// the outlines, so that an opening shows the far inner wall.
void AddTube(Scene& scene, const std::vector<Piece>& pieces) {
    const double dth = 2 * kPi / kSteps;
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& p : pieces) {
            const Mantle m(p);
            for (int k = 0; k < kSteps; ++k) {
                const double t0 = k * dth, t1 = (k + 1) * dth, tm = (k + 0.5) * dth;
                const bool front = m.Faces(tm);
                if (front != (pass == 1)) continue;
                QPolygonF quad;
                quad << Project(m.Meet(t0, p.start)) << Project(m.Meet(t0, p.end))
                     << Project(m.Meet(t1, p.end)) << Project(m.Meet(t1, p.start));
                const QColor c = front ? Shade(p.colour, m.Normal(tm), 0.38, 0.45)
                                       : Shade(p.colour.darker(165), m.Normal(tm) * -1, 0.45, 0.0);
                scene.Fill(quad, c);
            }
        }
    }
    for (const auto& p : pieces) {
        const Mantle m(p);
        // Silhouette generators, where the mantle turns away.
        for (int k = 0; k < kSteps; ++k) {
            const double t0 = k * dth, t1 = (k + 1) * dth;
            if (m.Faces(t0) != m.Faces(t1)) {
                QPolygonF g;
                g << Project(m.Meet(t1, p.start)) << Project(m.Meet(t1, p.end));
                scene.Line(g, kOutline, 1.6);
            }
        }
        // Rims: an open end facing the eye shows all of it, the other end
        // its near half and the hidden half dashed; a joint its near half.
        const auto rim = [&](const Plane& pl, bool open) {
            const bool facing = open && Dot(pl.normal, kView) > 0;
            QPolygonF run;
            bool runFront = m.Faces(0);
            const auto flush = [&](bool front) {
                if (run.size() < 2) return;
                if (front || facing)
                    scene.Line(run, kOutline, open ? 1.6 : 1.1);
                else if (open)
                    scene.Line(run, kHidden, 0.9, Qt::DashLine);
            };
            for (int k = 0; k <= kSteps; ++k) {
                const double th = k * dth;
                const bool front = m.Faces(th);
                const QPointF pt = Project(m.Meet(th, pl));
                run << pt;
                if (front != runFront) {
                    flush(runFront);
                    run.clear();
                    run << pt;
                    runFront = front;
                }
            }
            flush(runFront);
        };
        rim(p.start, p.startOpen);
        rim(p.end, p.endOpen);
    }
}

// ---- The shapes. ----

const QColor kSteel(168, 186, 204);
const QColor kSteelLight(190, 204, 214);
const QColor kBronze(212, 168, 112);

// An upright frustum (or cylinder) of height h, its top plane through the
// axis at height h rising by tiltTop per unit of x, its bottom plane likewise.
std::vector<Piece> UprightBody(double rBottom, double rTop, double h, double tiltTop, double tiltBottom,
                               V3 at = {}, double scale = 1.0) {
    Piece p;
    p.a = at;
    p.b = at + V3{0, 0, h * scale};
    p.ra = rBottom * scale;
    p.rb = rTop * scale;
    p.start = {p.a, Unit({tiltBottom, 0, -1})};
    p.end = {p.b, Unit({-tiltTop, 0, 1})};
    p.side = {0, 1, 0};
    p.colour = kSteel;
    return {p};
}

void AddCentreLine(Scene& scene, V3 from, V3 to) {
    QPolygonF l;
    l << Project(from) << Project(to);
    scene.Line(l, kCentre, 1.0, Qt::DashDotLine);
}

void AddUpright(Scene& scene, double rBottom, double rTop, double h, double tiltTop, double tiltBottom,
                V3 at = {}, double scale = 1.0, bool centreLine = true) {
    AddTube(scene, UprightBody(rBottom, rTop, h, tiltTop, tiltBottom, at, scale));
    if (centreLine)
        AddCentreLine(scene, at + V3{0, 0, -0.22 * h * scale}, at + V3{0, 0, 1.22 * h * scale});
}

// A segmented elbow bent upwards through `bend` from a start running along +x.
// halfEnds: the first and last pieces take half the angle of the others, and
// the end openings are square to their pieces; otherwise n equal pieces cut
// at both ends by radial planes.
struct ElbowSpec {
    double radius = 2.2;  // bend radius of the axis
    double bend = Deg(90);
    int pieces = 5;
    double r0 = 0.7, r1 = 0.7;  // tube radius at the start and at the end
    bool halfEnds = true;
    bool cylindricalEnds = false;  // half end pieces as cylinders
};

// A conical elbow: four equal pieces, or five with cylindrical half end pieces.
ElbowSpec ConicalElbow(bool equalPieces) {
    ElbowSpec s;
    s.r0 = 0.5;
    s.r1 = 0.95;
    if (equalPieces) {
        s.halfEnds = false;
        s.pieces = 4;
    } else {
        s.cylindricalEnds = true;
    }
    return s;
}

V3 ElbowTangent(double a) { return {std::cos(a), 0, std::sin(a)}; }
V3 ElbowPoint(double a, double rho, double bendRadius) {
    return V3{0, 0, bendRadius} + V3{std::sin(a), 0, -std::cos(a)} * rho;
}

std::vector<Piece> Elbow(const ElbowSpec& s) {
    std::vector<double> angles, rhos;
    if (s.halfEnds) {
        const double d = s.bend / (s.pieces - 1);
        angles.push_back(0);
        rhos.push_back(s.radius);
        for (int k = 1; k < s.pieces; ++k) {
            angles.push_back(d / 2 + (k - 1) * d);
            rhos.push_back(s.radius / std::cos(d / 2));
        }
        angles.push_back(s.bend);
        rhos.push_back(s.radius);
    } else {
        const double d = s.bend / s.pieces;
        for (int k = 0; k <= s.pieces; ++k) {
            angles.push_back(k * d);
            rhos.push_back(s.radius);
        }
    }
    // With cylindrical end pieces the cone runs between the first and last joints.
    const double a0 = s.cylindricalEnds ? angles[1] : 0.0;
    const double a1 = s.cylindricalEnds ? angles[s.pieces - 1] : s.bend;
    const auto radiusAt = [&](double a) {
        return s.r0 + (s.r1 - s.r0) * std::clamp((a - a0) / (a1 - a0), 0.0, 1.0);
    };
    std::vector<Piece> out;
    for (int k = 0; k < s.pieces; ++k) {
        Piece p;
        p.a = ElbowPoint(angles[k], rhos[k], s.radius);
        p.b = ElbowPoint(angles[k + 1], rhos[k + 1], s.radius);
        p.ra = radiusAt(angles[k]);
        p.rb = radiusAt(angles[k + 1]);
        p.colour = kSteel;
        if (s.cylindricalEnds && (k == 0 || k == s.pieces - 1)) {
            p.ra = p.rb = (k == 0) ? s.r0 : s.r1;
            p.colour = kSteelLight;
        }
        p.start = {p.a, ElbowTangent(angles[k]) * -1};
        p.end = {p.b, ElbowTangent(angles[k + 1])};
        p.startOpen = k == 0;
        p.endOpen = k == s.pieces - 1;
        out.push_back(p);
    }
    return out;
}

// A straight connection piece continuing an elbow end along `dir`.
Piece Connection(V3 joint, V3 dir, double length, double rJoint, double rFree, double freeTilt) {
    Piece p;
    p.a = joint;
    p.b = joint + dir * length;
    p.ra = rJoint;
    p.rb = rFree;
    p.start = {joint, dir * -1};
    // The free end is cut obliquely, tilted within the elbow's plane.
    const V3 across = Cross(V3{0, 1, 0}, dir);
    p.end = {p.b, Unit(dir + across * freeTilt)};
    p.startOpen = false;
    p.endOpen = true;
    p.colour = kBronze;
    return p;
}

Piece Placed(Piece p, double scale, V3 at) {
    const auto move = [&](V3 v) { return v * scale + at; };
    p.a = move(p.a);
    p.b = move(p.b);
    p.ra *= scale;
    p.rb *= scale;
    p.start.point = move(p.start.point);
    p.end.point = move(p.end.point);
    return p;
}

void AddElbow(Scene& scene, std::vector<Piece> pieces, double yaw, const ElbowSpec& s, V3 at = {},
              double scale = 1.0, bool centreLine = true) {
    for (auto& p : pieces) p = Placed(Yawed(p, yaw), scale, at);
    AddTube(scene, pieces);
    if (!centreLine) return;
    QPolygonF arc;
    for (int k = 0; k <= 40; ++k) {
        const double a = s.bend * k / 40;
        arc << Project(Yaw(ElbowPoint(a, s.radius, s.radius), yaw) * scale + at);
    }
    scene.Line(arc, kCentre, 1.0, Qt::DashDotLine);
}

// Pictures 11 to 15: the elbows.
void BuildElbowScene(Scene& scene, int index) {
    const double yaw = Deg(-32);
    switch (index) {
        case 11: {  // segmented cylindrical elbow
            ElbowSpec s;
            AddElbow(scene, Elbow(s), yaw, s);
            break;
        }
        case 12: {  // conical elbows: one of equal pieces with one of half end pieces behind it
            const ElbowSpec back = ConicalElbow(false);
            AddElbow(scene, Elbow(back), yaw, back, {3.0, -3.2, 0.7}, 0.8, false);
            const ElbowSpec s = ConicalElbow(true);
            AddElbow(scene, Elbow(s), yaw, s);
            break;
        }
        case 14: {  // conical elbow of equal pieces
            const ElbowSpec s = ConicalElbow(true);
            AddElbow(scene, Elbow(s), yaw, s);
            break;
        }
        case 13: {  // conical elbow with half end pieces, here cylindrical
            const ElbowSpec s = ConicalElbow(false);
            AddElbow(scene, Elbow(s), yaw, s);
            break;
        }
        case 15: {  // conical elbow between two end connections
            ElbowSpec s = ConicalElbow(true);
            s.radius = 2.0;
            s.r0 = 0.55;
            s.r1 = 0.9;
            std::vector<Piece> pieces = Elbow(s);
            pieces.front().startOpen = false;
            pieces.back().endOpen = false;
            const V3 start = ElbowPoint(0, s.radius, s.radius);
            const V3 end = ElbowPoint(s.bend, s.radius, s.radius);
            pieces.insert(pieces.begin(), Connection(start, ElbowTangent(0) * -1, 1.1, s.r0, 0.4, 0.25));
            pieces.push_back(Connection(end, ElbowTangent(s.bend), 0.9, s.r1, s.r1, 0.0));
            AddElbow(scene, pieces, yaw, s);
            break;
        }
        default: break;
    }
}

void BuildScene(Scene& scene, int index) {
    const double cut = 0.36;  // about 20 degrees
    switch (index) {
        case 0:  // frusta: a right frustum with a cut one behind it
            AddUpright(scene, 1.05, 0.62, 1.7, -cut, 0, {1.55, -2.4, 0.1}, 0.85, false);
            AddUpright(scene, 1.1, 0.62, 1.8, 0, 0);
            break;
        case 1:  // cylinders: a right cylinder with a cut one behind it
            AddUpright(scene, 0.8, 0.8, 2.0, -cut, -cut, {1.5, -2.4, 0.2}, 0.85, false);
            AddUpright(scene, 0.8, 0.8, 2.0, 0, 0);
            break;
        case 2: AddUpright(scene, 1.1, 0.62, 1.8, 0, 0); break;
        case 3: AddUpright(scene, 1.1, 0.62, 1.8, -cut, 0); break;
        case 4: AddUpright(scene, 1.1, 0.62, 1.8, 0, cut); break;
        case 5: AddUpright(scene, 1.1, 0.62, 1.8, -cut, -cut); break;
        case 6: AddUpright(scene, 1.1, 0.62, 1.8, -cut, cut); break;
        case 7: AddUpright(scene, 0.8, 0.8, 2.1, 0, 0); break;
        case 8: AddUpright(scene, 0.8, 0.8, 2.1, -cut, 0); break;
        case 9: AddUpright(scene, 0.8, 0.8, 2.1, -cut, -cut); break;
        case 10: AddUpright(scene, 0.8, 0.8, 2.1, -cut, cut); break;
        default: BuildElbowScene(scene, index); break;
    }
}

void PaintCard(QPainter& painter, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(246, 248, 250));
    g.setColorAt(1, QColor(214, 222, 230));
    painter.setPen(QPen(QColor(120, 134, 148), 1));
    painter.setBrush(g);
    const double radius = std::max(2.0, std::min(r.width(), r.height()) * 0.03);
    painter.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

QImage Greyed(const QImage& image) {
    QImage grey = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32);
    QPainter p(&grey);
    p.fillRect(grey.rect(), QColor(255, 255, 255, 150));
    p.end();
    return grey;
}

}  // namespace

QImage ShapeImage(int index, QSize size, bool enabled, int captionHeight) {
    if (index < 0 || index >= ShapePictureCount || size.isEmpty()) return QImage();
    QImage pix(size, QImage::Format_ARGB32_Premultiplied);
    pix.fill(Qt::transparent);
    QPainter painter(&pix);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card(0, 0, size.width(), size.height());
    PaintCard(painter, card);

    Scene scene;
    BuildScene(scene, index);
    const double mx = size.width() * 0.08, my = size.height() * 0.07;
    QRectF area = card.adjusted(mx, my, -mx, -my);
    // Below the caption, but the shape keeps at least half the height.
    if (captionHeight > 0) area.setTop(std::min(captionHeight + my / 2, size.height() * 0.5));
    scene.Paint(painter, area);
    painter.end();
    return enabled ? pix : Greyed(pix);
}

QPixmap BackgroundTile() {
    // Chequer plate: raised lozenges in pairs at right angles, each inside its
    // own quarter of the tile so that the tile repeats without a seam.
    const int n = 48;
    QPixmap tile(n, n);
    tile.fill(QColor(128, 138, 148));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    const auto lozenge = [&](double cx, double cy, double angle) {
        p.save();
        p.translate(cx, cy);
        p.rotate(angle);
        QPainterPath path;
        path.addRoundedRect(QRectF(-8.5, -2.2, 17, 4.4), 2.2, 2.2);
        p.translate(0.8, 0.8);
        p.fillPath(path, QColor(92, 100, 110));  // shadow
        p.translate(-1.6, -1.6);
        p.fillPath(path, QColor(188, 196, 204));  // lit edge
        p.translate(0.8, 0.8);
        p.fillPath(path, QColor(150, 160, 170));
        p.restore();
    };
    lozenge(n * 0.25, n * 0.25, 45);
    lozenge(n * 0.75, n * 0.75, 45);
    lozenge(n * 0.75, n * 0.25, -45);
    lozenge(n * 0.25, n * 0.75, -45);
    p.end();
    return tile;
}

QPixmap BackArrowPicture(int height) {
    if (height <= 0) return QPixmap();
    const int w = height * 3 / 2;
    QPixmap pix(w, height);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = height;
    QPolygonF arrow;
    arrow << QPointF(w * 0.06, h * 0.5) << QPointF(w * 0.46, h * 0.08) << QPointF(w * 0.46, h * 0.32)
          << QPointF(w * 0.94, h * 0.32) << QPointF(w * 0.94, h * 0.68) << QPointF(w * 0.46, h * 0.68)
          << QPointF(w * 0.46, h * 0.92);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(92, 132, 176));
    g.setColorAt(1, QColor(38, 70, 112));
    p.setPen(QPen(QColor(24, 40, 64), std::max(1.0, h / 24)));
    p.setBrush(g);
    p.drawPolygon(arrow);
    p.end();
    return pix;
}

}  // namespace velm
