#include "DialogPictures.h"

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include <cmath>
#include <functional>

namespace velmor {
namespace {

// Colours and weight of one form of a picture.
struct Ink
{
    QColor line;       // the structure: beams, supports, ground
    QColor load;       // load and settlement arrows
    QColor fill;       // inside of support solids
    QColor background;
    double weight;     // pen width of the structure
    bool disabled;
};

Ink FormInk(bool pressed, bool disabled)
{
    Ink ink;
    ink.background = pressed ? QColor(0xd4, 0xe4, 0xf7) : QColor(0xfb, 0xfb, 0xf8);
    ink.line = disabled ? QColor(0xa8, 0xa8, 0xa8) : QColor(0x20, 0x20, 0x28);
    ink.load = disabled ? QColor(0xb8, 0xb8, 0xb8) : QColor(0x1f, 0x4f, 0xc0);
    ink.fill = disabled ? QColor(0xe8, 0xe8, 0xe8) : QColor(0xc9, 0xc2, 0xb0);
    ink.weight = pressed ? 2.0 : 1.5;
    ink.disabled = disabled;
    return ink;
}

using Painter = std::function<void(QPainter&, const QSizeF&, const Ink&)>;

QPixmap Render(const QSize& size, double scale, const Ink& ink, bool pressed, const Painter& draw)
{
    QPixmap pixmap(QSize(int(size.width() * scale), int(size.height() * scale)));
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(ink.background);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, QSizeF(size), ink);
    if (pressed) {
        // A frame inside the picture, so that the pressed state shows whatever the style does.
        p.setPen(QPen(ink.load, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
    }
    return pixmap;
}

QIcon MakeIcon(const QSize& size, const Painter& draw)
{
    QIcon icon;
    for (double scale : {1.0, 2.0})
        for (bool pressed : {false, true}) {
            const QIcon::State state = pressed ? QIcon::On : QIcon::Off;
            icon.addPixmap(Render(size, scale, FormInk(pressed, false), pressed, draw),
                           QIcon::Normal, state);
            icon.addPixmap(Render(size, scale, FormInk(pressed, true), pressed, draw),
                           QIcon::Disabled, state);
        }
    return icon;
}

// ---------------------------------------------------------------- drawing pieces

void Arrow(QPainter& p, QPointF tail, QPointF tip, const QColor& colour, double width = 1.4,
           double head = 5.0)
{
    const QLineF shaft(tail, tip);
    if (shaft.length() < 0.5)
        return;
    const double h = std::min(head, 0.6 * shaft.length());
    const QPointF u = (tip - tail) / shaft.length();
    const QPointF n(-u.y(), u.x());
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(tail, tip - u * h * 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({tip, tip - u * h + n * h * 0.45, tip - u * h - n * h * 0.45}));
}

// Ground: a line from `a` to `b` with short hatching on the side away from the structure
// (to the right of the direction a -> b).
void Ground(QPainter& p, QPointF a, QPointF b, const Ink& ink)
{
    p.setPen(QPen(ink.line, ink.weight + 0.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
    const QLineF line(a, b);
    const QPointF u = (b - a) / line.length();
    const QPointF side(-u.y(), u.x());
    const QPointF slant = (side - u) * 5.0;
    p.setPen(QPen(ink.line, 1.0));
    for (double t = 3.0; t <= line.length(); t += 5.0)
        p.drawLine(a + u * t, a + u * t + slant);
}

void Joint(QPainter& p, QPointF at, const Ink& ink, double radius = 3.0)
{
    p.setPen(QPen(ink.line, 1.2));
    p.setBrush(ink.background);
    p.drawEllipse(at, radius, radius);
}

// The end of the beam that the support carries: a stub coming down onto the node.
void BeamStub(QPainter& p, QPointF node, QPointF from, const Ink& ink)
{
    p.setPen(QPen(ink.line, ink.weight + 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, node);
}

// A triangle standing on its base with its apex at `apex`.
void Triangle(QPainter& p, QPointF apex, double halfBase, double height, const Ink& ink)
{
    p.setPen(QPen(ink.line, ink.weight));
    p.setBrush(ink.fill);
    p.drawPolygon(QPolygonF({apex, apex + QPointF(-halfBase, height),
                             apex + QPointF(halfBase, height)}));
}

void Label(QPainter& p, const QRectF& box, const QString& text, const QColor& colour,
           Qt::Alignment align, int pixels = 10)
{
    QFont font = p.font();
    font.setPixelSize(pixels);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, align, text);
}

// A circular arrow about `centre`: the free rotation of a hinge.
void RotationArrow(QPainter& p, QPointF centre, double radius, const QColor& colour)
{
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.setPen(QPen(colour, 1.3));
    p.setBrush(Qt::NoBrush);
    const double start = 200.0, span = 250.0;  // degrees, counter-clockwise
    p.drawArc(box, int(start * 16), int(span * 16));
    const double end = (start + span) * M_PI / 180.0;
    const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    // Tangent of the arc at its end, counter-clockwise on screen.
    const QPointF tangent(-std::sin(end), -std::cos(end));
    Arrow(p, tip - tangent * 4.0, tip + tangent * 1.0, colour, 1.3, 4.5);
}

// ---------------------------------------------------------------- supports

// Layout of a support picture: the node near the top middle, the ground near the bottom.
struct SupportFrame
{
    explicit SupportFrame(const QSizeF& s)
        : node(s.width() / 2, 17), beamTop(s.width() / 2, 3), groundY(s.height() - 13)
    {
    }
    QPointF node;
    QPointF beamTop;
    double groundY;
};

void DrawFixed(QPainter& p, const QSizeF& s, const Ink& ink)
{
    const SupportFrame f(s);
    const double x = f.node.x();
    BeamStub(p, QPointF(x, f.groundY - 14), f.beamTop, ink);
    // The beam goes into a hatched block: nothing moves, nothing turns.
    const QRectF block(x - 18, f.groundY - 14, 36, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.fill);
    p.drawRect(block);
    p.save();
    p.setClipRect(block);
    p.setPen(QPen(ink.line, 1.0));
    for (double t = -14; t < 36; t += 5)
        p.drawLine(QPointF(block.left() + t, block.bottom()),
                   QPointF(block.left() + t + 14, block.top()));
    p.restore();
    p.setPen(QPen(ink.line, ink.weight + 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(block);
}

void DrawPinned(QPainter& p, const QSizeF& s, const Ink& ink, QPointF offset = {})
{
    const SupportFrame f(s);
    const QPointF node = f.node + offset;
    BeamStub(p, node, f.beamTop + offset, ink);
    const double height = f.groundY - node.y();
    Triangle(p, node, 0.6 * height, height, ink);
    Joint(p, node, ink);
    Ground(p, QPointF(node.x() + 17, f.groundY + offset.y()),
           QPointF(node.x() - 17, f.groundY + offset.y()), ink);
}

void DrawHinge(QPainter& p, const QSizeF& s, const Ink& ink, const QString& axis)
{
    DrawPinned(p, s, ink, QPointF(-8, 0));
    const QPointF centre(s.width() - 14, 14);
    RotationArrow(p, centre, 8, ink.load);
    Label(p, QRectF(centre.x() - 6, centre.y() - 7, 12, 14), axis, ink.load, Qt::AlignCenter);
}

// A roller in the picture's own frame, upright: the triangle on two circles on the ground.
void DrawRollerUpright(QPainter& p, const QSizeF& s, const Ink& ink, double slant)
{
    const SupportFrame f(s);
    const QPointF node = f.node;
    BeamStub(p, node, f.beamTop, ink);
    const double rollers = 4.0;  // radius of the circles
    const double height = f.groundY - node.y() - 2 * rollers;
    Triangle(p, node, 0.6 * height, height, ink);
    Joint(p, node, ink);
    p.setPen(QPen(ink.line, 1.2));
    p.setBrush(ink.background);
    for (double dx : {-6.0, 6.0})
        p.drawEllipse(QPointF(node.x() + dx, f.groundY - rollers), rollers, rollers);
    if (slant == 0.0) {
        Ground(p, QPointF(node.x() + 18, f.groundY), QPointF(node.x() - 18, f.groundY), ink);
    } else {
        // A plane seen obliquely: the load-bearing surface is horizontal and goes into depth.
        p.setPen(QPen(ink.line, 1.0));
        p.setBrush(Qt::NoBrush);
        const double d = slant;
        p.drawPolygon(QPolygonF({QPointF(node.x() - 20, f.groundY + 4),
                                 QPointF(node.x() + 14, f.groundY + 4),
                                 QPointF(node.x() + 14 + d, f.groundY - 4),
                                 QPointF(node.x() - 20 + d, f.groundY - 4)}));
        Ground(p, QPointF(node.x() + 14, f.groundY + 4), QPointF(node.x() - 20, f.groundY + 4),
               ink);
    }
}

void DrawRoller(QPainter& p, const QSizeF& s, const Ink& ink, int heldAxis)
{
    p.save();
    if (heldAxis == 0) {
        // Held along x: the rolling surface is a wall.
        p.translate(s.width() / 2, s.height() / 2);
        p.rotate(-90);
        p.translate(-s.width() / 2, -s.height() / 2);
    }
    DrawRollerUpright(p, s, ink, heldAxis == 2 ? 8.0 : 0.0);
    p.restore();
    const QString axis = QString(QChar(char16_t(u'x' + heldAxis)));
    Label(p, QRectF(2, 1, 14, 14), axis, ink.load, Qt::AlignCenter, 11);
}

void DrawUserDefined(QPainter& p, const QSizeF& s, const Ink& ink)
{
    // Six check boxes: the restraints chosen one by one.
    const char* labels[2] = {"T", "R"};
    const bool ticks[2][3] = {{true, false, true}, {false, true, false}};
    const double box = 9.0, gap = 4.0;
    const double left = (s.width() - (10 + 3 * (box + gap))) / 2 + 10;
    for (int row = 0; row < 2; ++row) {
        const double y = 12 + row * (box + gap + 5);
        Label(p, QRectF(left - 13, y - 1, 10, box + 2), QString::fromLatin1(labels[row]), ink.line,
              Qt::AlignCenter);
        for (int col = 0; col < 3; ++col) {
            const QRectF r(left + col * (box + gap), y, box, box);
            p.setPen(QPen(ink.line, 1.1));
            p.setBrush(ink.background);
            p.drawRect(r);
            if (ticks[row][col]) {
                p.setPen(QPen(ink.load, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.drawPolyline(QPolygonF({r.topLeft() + QPointF(1.8, 4.5),
                                          r.topLeft() + QPointF(4.0, 7.2),
                                          r.topLeft() + QPointF(7.8, 1.8)}));
            }
        }
    }
    Label(p, QRectF(0, s.height() - 15, s.width(), 13), QStringLiteral("x  y  z"), ink.line,
          Qt::AlignCenter, 9);
}

void DrawSpring(QPainter& p, const QSizeF& s, const Ink& ink)
{
    const SupportFrame f(s);
    const QPointF node = f.node;
    BeamStub(p, node, f.beamTop, ink);
    // A zigzag from the node down to the ground.
    const double top = node.y() + 4, bottom = f.groundY - 3;
    QPolygonF zigzag;
    zigzag << node << QPointF(node.x(), top);
    const int turns = 6;
    for (int i = 1; i < turns; ++i)
        zigzag << QPointF(node.x() + (i % 2 ? 7.0 : -7.0), top + (bottom - top) * i / turns);
    zigzag << QPointF(node.x(), bottom) << QPointF(node.x(), f.groundY);
    p.setPen(QPen(ink.line, ink.weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(zigzag);
    Joint(p, node, ink);
    Ground(p, QPointF(node.x() + 16, f.groundY), QPointF(node.x() - 16, f.groundY), ink);
}

void DrawSettlement(QPainter& p, const QSizeF& s, const Ink& ink, bool active)
{
    const SupportFrame f(s);
    // Where the support was, dashed; where it went, drawn.
    p.setPen(QPen(ink.line, 1.0, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    const QPointF was = f.node + QPointF(-8, -6);
    const double height = f.groundY - f.node.y();
    p.drawPolygon(QPolygonF({was, was + QPointF(-0.6 * height, height),
                             was + QPointF(0.6 * height, height)}));
    DrawPinned(p, s, ink, QPointF(-8, 0));
    const QColor arrows = active && !ink.disabled ? QColor(0xd0, 0x20, 0x20) : QColor(0x98, 0x98, 0x98);
    const double x = s.width() - 12;
    Arrow(p, QPointF(x, 8), QPointF(x, 30), arrows, 2.0, 6.0);
    Arrow(p, QPointF(x - 9, 30), QPointF(x + 4, 30), arrows, 1.4, 4.5);
}

// ---------------------------------------------------------------- loads

void DrawBeamLoad(QPainter& p, const QSizeF& s, const Ink& ink, bool linear, bool local,
                  bool projected)
{
    // An inclined beam on its two supports.
    const QPointF a(16, s.height() - 12), b(s.width() - 12, 24);
    const double arrow = 16.0;  // length of the longest load arrow
    QPointF dir = b - a;
    const double length = QLineF(a, b).length();
    dir /= length;
    const QPointF normal(dir.y(), -dir.x());  // upward, square to the beam

    if (projected) {
        // The horizontal length the load is spread over.
        p.setPen(QPen(ink.line, 0.8, Qt::DashLine));
        const double y = s.height() - 4;
        p.drawLine(a, QPointF(a.x(), y));
        p.drawLine(b, QPointF(b.x(), y));
        p.setPen(QPen(ink.line, 0.9));
        p.drawLine(QPointF(a.x(), y), QPointF(b.x(), y));
        p.drawLine(QPointF(a.x(), y - 2.5), QPointF(a.x(), y + 2.5));
        p.drawLine(QPointF(b.x(), y - 2.5), QPointF(b.x(), y + 2.5));
    }

    const int count = 6;
    QPolygonF tails;
    for (int i = 0; i < count; ++i) {
        const double t = 0.04 + 0.92 * i / (count - 1);
        const QPointF tip = a + (b - a) * t;
        const double len = linear ? arrow * (0.3 + 0.7 * t) : arrow;
        const QPointF up = local ? normal : QPointF(0, -1);
        const QPointF tail = tip + up * len;
        tails << tail;
        Arrow(p, tail, tip, ink.load, 1.3, 4.5);
    }
    p.setPen(QPen(ink.load, 1.2));
    p.drawPolyline(tails);

    p.setPen(QPen(ink.line, ink.weight + 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    Joint(p, a, ink, 2.5);
    Joint(p, b, ink, 2.5);

    const QString tag = projected ? QStringLiteral("proj.") : local ? QStringLiteral("loc.")
                                                                    : QStringLiteral("glob.");
    // In the empty corner under the upper end of the beam.
    Label(p, QRectF(s.width() - 50, s.height() - 26, 34, 12), tag, ink.line,
          Qt::AlignRight | Qt::AlignVCenter, 10);
}

} // namespace

QIcon SupportTypeIcon(int type)
{
    const QSize size = kSupportPictureSize;
    switch (type) {
    case 1: return MakeIcon(size, DrawFixed);
    case 2:
        return MakeIcon(size, [](QPainter& p, const QSizeF& s, const Ink& ink) {
            DrawPinned(p, s, ink);
        });
    case 3:
    case 4:
    case 5: {
        const QString axis = QString(QChar(char16_t(u'x' + (type - 3))));
        return MakeIcon(size, [axis](QPainter& p, const QSizeF& s, const Ink& ink) {
            DrawHinge(p, s, ink, axis);
        });
    }
    case 6:
    case 7:
    case 8:
        return MakeIcon(size, [type](QPainter& p, const QSizeF& s, const Ink& ink) {
            DrawRoller(p, s, ink, type - 6);
        });
    case 9: return MakeIcon(size, DrawUserDefined);
    case 10: return MakeIcon(size, DrawSpring);
    case 11: return SettlementIcon(true);
    default: return QIcon();
    }
}

QIcon SettlementIcon(bool active)
{
    return MakeIcon(kSupportPictureSize, [active](QPainter& p, const QSizeF& s, const Ink& ink) {
        DrawSettlement(p, s, ink, active);
    });
}

QIcon LoadTypeIcon(int type)
{
    bool linear = false, local = false, projected = false;
    switch (type) {
    case 2: linear = true, local = true; break;
    case 3: linear = true; break;
    case 4: local = true; break;
    case 5: break;
    case 6: linear = true, projected = true; break;
    case 7: projected = true; break;
    default: return QIcon();
    }
    return MakeIcon(kLoadPictureSize, [=](QPainter& p, const QSizeF& s, const Ink& ink) {
        DrawBeamLoad(p, s, ink, linear, local, projected);
    });
}

QPixmap NodalLoadPicture()
{
    const QSize size(88, 80);
    return Render(size, 2.0, FormInk(false, false), false,
                  [](QPainter& p, const QSizeF& area, const Ink& ink) {
                      // Drawn on a 72 x 64 frame scaled to the picture.
                      const QSizeF s(72, 64);
                      p.scale(area.width() / s.width(), area.height() / s.height());
                      const QPointF node(s.width() / 2 - 4, s.height() / 2 + 6);
                      p.setPen(QPen(ink.line, ink.weight + 1.0, Qt::SolidLine, Qt::FlatCap));
                      p.drawLine(node, node + QPointF(-26, 14));
                      p.drawLine(node, node + QPointF(30, 8));
                      p.drawLine(node, node + QPointF(0, 24));
                      Arrow(p, node + QPointF(14, -26), node + QPointF(2, -4), ink.load, 2.0, 7);
                      Label(p, QRectF(node.x() + 14, node.y() - 34, 14, 12), QStringLiteral("F"),
                            ink.load, Qt::AlignCenter, 11);
                      RotationArrow(p, node, 12, ink.load);
                      Label(p, QRectF(node.x() - 30, node.y() - 24, 14, 12), QStringLiteral("M"),
                            ink.load, Qt::AlignCenter, 11);
                      Joint(p, node, ink, 3.5);
                  });
}

} // namespace velmor
