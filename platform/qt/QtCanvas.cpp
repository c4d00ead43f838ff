// The canvas on a QPainter: pens, brushes and fonts as Qt objects, raster operations as
// composition modes, smooth shapes in copy mode and aliased ones in whole device pixels.
#include "QtCanvas.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QPolygonF>
#include <QRect>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace velmor {

namespace {

QColor ToQColor(const Colour& c)
{
    return QColor(c.red, c.green, c.blue);
}

QPolygon ToQPolygon(std::span<const PixelPoint> points)
{
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const PixelPoint& p : points)
        polygon.append(QPoint(p.x, p.y));
    return polygon;
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPainter::CompositionMode CompositionOf(RasterOp op)
{
    switch (op) {
    case RasterOp::MaskPen:
        return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::MergePen:
        return QPainter::RasterOp_SourceOrDestination;
    case RasterOp::Not:
        return QPainter::RasterOp_NotDestination;
    case RasterOp::NotXorPen:
        return QPainter::RasterOp_NotSourceXorDestination;
    case RasterOp::CopyPen:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

QFont ToQFont(const Font& font)
{
    QFont f(QString::fromStdString(font.face));
    const bool typewriter = font.face.find("Courier") != std::string::npos;
    f.setStyleHint(typewriter ? QFont::TypeWriter : QFont::SansSerif);
    f.setPixelSize(std::max(1, std::abs(font.pixelHeight)));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    return f;
}

// The rectangle the old device context filled for (left, top, right, bottom): right and
// bottom outside. An outlined Qt rectangle covers one pixel more on each of those sides.
QRect FillRect(const PixelRect& r, bool outlined)
{
    const PixelRect n = r.Normalized();
    const int shrink = outlined ? 1 : 0;
    return QRect(n.left, n.top, n.Width() - shrink, n.Height() - shrink);
}

// The premultiplied 32-bit pixel `pen` over `dest` with a coverage of a / 256 (0 .. 256),
// the four bytes at once in two pairs.
inline quint32 Blend(quint32 pen, quint32 dest, quint32 a)
{
    const quint32 b = 256 - a;
    const quint32 rb = (((pen & 0xFF00FFu) * a + (dest & 0xFF00FFu) * b) >> 8) & 0xFF00FFu;
    const quint32 ag = (((pen >> 8) & 0xFF00FFu) * a + ((dest >> 8) & 0xFF00FFu) * b) & 0xFF00FF00u;
    return rb | ag;
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter, bool antialiasing)
    : m_painter(painter), m_antialiasing(antialiasing)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    // The PDF engine claims raster operations but ignores them; trust only the engines that
    // paint pixels, and pictures, which replay onto them.
    const QPaintEngine* engine = m_painter.paintEngine();
    const bool pixels = engine && (engine->type() == QPaintEngine::Raster ||
                                   engine->type() == QPaintEngine::Picture ||
                                   engine->type() == QPaintEngine::OpenGL2);
    m_rasterOps = pixels && engine->hasFeature(QPaintEngine::RasterOpModes);
    m_pixelDevice = engine && engine->type() == QPaintEngine::Raster && m_painter.device() &&
                    m_painter.device()->devicePixelRatio() == 1.0;
    // An image of 32-bit pixels that no other image shares: the painter draws straight into
    // its buffer, so lines set there land in order between the painter's shapes.
    if (m_pixelDevice && m_painter.device()->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(m_painter.device());
        const QImage::Format format = image->format();
        if (image->isDetached() && image->depth() == 32 &&
            (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
             format == QImage::Format_ARGB32_Premultiplied)) {
            m_pixels = reinterpret_cast<quint32*>(image->bits());
            m_pixelsPerRow = image->bytesPerLine() / 4;
            m_width = image->width();
            m_height = image->height();
            m_blendable = format != QImage::Format_ARGB32;
        }
    }
}

void QtCanvas::SetAntialiasing(bool on)
{
    if (on == m_antialiasing)
        return;
    FlushLines();
    m_antialiasing = on;
    m_applied.reset();
}

QPointF QtCanvas::SmoothShift() const
{
    if (!m_applied || !m_applied->smooth || !m_applied->pen || m_applied->pen->width % 2 == 0)
        return {};
    const QTransform device = m_painter.deviceTransform();
    if (device.type() > QTransform::TxScale || device.m11() == 0.0 || device.m22() == 0.0)
        return {};
    return {0.5 / device.m11(), 0.5 / device.m22()};
}

QtCanvas::~QtCanvas()
{
    FlushLines();
    m_painter.restore();
}

void QtCanvas::FlushLines()
{
    if (m_lines.empty())
        return;
    // Logical to device pixels: the world transform with the window and viewport.
    const QTransform device = m_painter.deviceTransform();
    const bool whole = std::abs(device.dx()) < 1e9 && std::abs(device.dy()) < 1e9 &&
                       device.dx() == std::floor(device.dx()) &&
                       device.dy() == std::floor(device.dy());
    const bool direct = m_pixels && m_applied && m_applied->pen && m_applied->pen->width <= 1 &&
                        m_applied->pen->style == PenStyle::Solid &&
                        m_applied->mode == QPainter::CompositionMode_SourceOver &&
                        (!m_applied->smooth || m_blendable) && !m_painter.hasClipping() &&
                        m_painter.opacity() == 1.0 && device.type() <= QTransform::TxTranslate &&
                        whole;
    if (!direct) {
        DrawLines(m_lines.size());
        m_lines.clear();
        return;
    }
    const Colour& c = m_applied->pen->colour;
    const quint32 pixel = qRgb(c.red, c.green, c.blue);
    const auto dx = static_cast<qint64>(device.dx());
    const auto dy = static_cast<qint64>(device.dy());
    // Lines beyond a billion pixels (no drawing context makes them) go to the painter: the
    // stepping below must not overflow. One pen, so their order does not matter.
    constexpr qint64 kFar = qint64(1) << 30;
    auto far = [&](qint64 v) { return v < -kFar || v > kFar; };
    size_t left = 0;
    for (const QLine& line : m_lines) {
        const qint64 x0 = line.x1() + dx, y0 = line.y1() + dy, x1 = line.x2() + dx, y1 = line.y2() + dy;
        if (far(x0) || far(y0) || far(x1) || far(y1))
            m_lines[left++] = line;
        else if (m_applied->smooth)
            BlendLinePixels(x0, y0, x1, y1, pixel);
        else
            SetLinePixels(x0, y0, x1, y1, pixel);
    }
    DrawLines(left);
    m_lines.clear();
}

void QtCanvas::DrawLines(size_t count)
{
    if (count == 0)
        return;
    const QPointF shift = SmoothShift();
    if (shift.isNull()) {
        m_painter.drawLines(m_lines.data(), static_cast<int>(count));
        return;
    }
    // A thin line's flat ends cut through the middle of its end pixels: moved back half a
    // pixel along its longer axis, it covers its first end and leaves out its second, as the
    // lines set on images do.
    const bool thin = m_applied->pen->width <= 1;
    std::vector<QLineF> moved;
    moved.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        QLineF line = QLineF(m_lines[i]).translated(shift);
        const double along = std::max(std::abs(line.dx()) * 0.5 / shift.x(),
                                      std::abs(line.dy()) * 0.5 / shift.y());
        if (thin && along > 0.0) {
            const QPointF back(line.dx() * 0.5 / along, line.dy() * 0.5 / along);
            line.translate(-back);
        }
        moved.push_back(line);
    }
    m_painter.drawLines(moved.data(), static_cast<int>(count));
}

QtCanvas::LineSteps QtCanvas::StepsOf(qint64 x0, qint64 y0, qint64 x1, qint64 y1) const
{
    LineSteps l;
    const qint64 ax = std::abs(x1 - x0), ay = std::abs(y1 - y0);
    l.alongX = ax >= ay;
    l.n = l.alongX ? ax : ay;
    l.minor = l.alongX ? ay : ax;
    l.stepMajor = (l.alongX ? x1 - x0 : y1 - y0) > 0 ? 1 : -1;
    l.stepMinor = (l.alongX ? y1 - y0 : x1 - x0) >= 0 ? 1 : -1;
    l.alongMajor = l.alongX ? l.stepMajor : l.stepMajor * m_pixelsPerRow;
    l.alongMinor = l.alongX ? l.stepMinor * m_pixelsPerRow : l.stepMinor;
    auto inside = [&](qint64 x, qint64 y) { return x >= 0 && y >= 0 && x < m_width && y < m_height; };
    l.whole = inside(x0, y0) && inside(x1, y1);
    l.major0 = l.alongX ? x0 : y0;
    l.minor0 = l.alongX ? y0 : x0;
    l.minorSize = l.alongX ? m_height : m_width;
    if (l.whole || l.n == 0)
        return l;
    const qint64 majorSize = l.alongX ? m_width : m_height;
    // The steps that keep the major coordinate inside the image...
    l.from = 0;
    l.to = l.n - 1;
    if (l.stepMajor > 0) {
        l.from = std::max(l.from, -l.major0);
        l.to = std::min(l.to, majorSize - 1 - l.major0);
    } else {
        l.from = std::max(l.from, l.major0 - (majorSize - 1));
        l.to = std::min(l.to, l.major0);
    }
    // ... and, give or take a step, the minor one (checked again pixel by pixel).
    const qint64 low = l.stepMinor > 0 ? -l.minor0 : l.minor0 - (l.minorSize - 1);
    const qint64 high = l.stepMinor > 0 ? l.minorSize - 1 - l.minor0 : l.minor0;
    if (l.minor == 0) {
        if (low > 0 || high < 0)
            l.to = -1;
    } else {
        const double perOffset = double(l.n) / double(l.minor);
        l.from = std::max(l.from, static_cast<qint64>(std::floor((double(low) - 1.0) * perOffset)));
        l.to = std::min(l.to, static_cast<qint64>(std::ceil((double(high) + 1.0) * perOffset)));
    }
    return l;
}

void QtCanvas::SetLinePixels(qint64 x0, qint64 y0, qint64 x1, qint64 y1, quint32 pixel)
{
    // Along the longer axis one pixel per step k = 0 .. n - 1; the other coordinate is the
    // exact line's, rounded half up: m(k) = (2 k minor + n) / (2 n).
    const LineSteps l = StepsOf(x0, y0, x1, y1);
    const qint64 n = l.n, minor = l.minor;
    if (n == 0)
        return;
    if (l.whole) {
        // The whole line is on the image (the most common case): step through the pixels.
        quint32* at = m_pixels + y0 * m_pixelsPerRow + x0;
        qint64 remainder = n;
        for (qint64 k = 0; k < n; ++k) {
            *at = pixel;
            at += l.alongMajor;
            remainder += 2 * minor;
            if (remainder >= 2 * n) {
                remainder -= 2 * n;
                at += l.alongMinor;
            }
        }
        return;
    }
    if (l.from > l.to)
        return;
    qint64 offset = (2 * l.from * minor + n) / (2 * n);
    qint64 remainder = (2 * l.from * minor + n) % (2 * n);
    qint64 major = l.major0 + l.stepMajor * l.from;
    for (qint64 k = l.from; k <= l.to; ++k) {
        const qint64 m = l.minor0 + l.stepMinor * offset;
        if (m >= 0 && m < l.minorSize)
            m_pixels[(l.alongX ? m : major) * m_pixelsPerRow + (l.alongX ? major : m)] = pixel;
        major += l.stepMajor;
        remainder += 2 * minor;
        if (remainder >= 2 * n) {
            remainder -= 2 * n;
            ++offset;
        }
    }
}

void QtCanvas::BlendLinePixels(qint64 x0, qint64 y0, qint64 x1, qint64 y1, quint32 pixel)
{
    // At step k the exact line lies k minor / n across: `offset` whole pixels and a remainder
    // r of n. The pixel at the offset takes 1 - r / n of the pen, the next one across r / n.
    const LineSteps l = StepsOf(x0, y0, x1, y1);
    const qint64 n = l.n, minor = l.minor;
    if (n == 0)
        return;
    // r / n in 256ths without a division per step (r < n <= 2^31: the product stays < 2^40).
    const quint64 perRemainder = (quint64(256) << 32) / quint64(n);
    auto coverage = [perRemainder](qint64 r) {
        return static_cast<quint32>((quint64(r) * perRemainder) >> 32);
    };
    if (l.whole) {
        // The whole line is on the image; so is the next pixel across wherever it is covered
        // (the exact line stays between the two ends).
        quint32* at = m_pixels + y0 * m_pixelsPerRow + x0;
        qint64 remainder = 0;
        for (qint64 k = 0; k < n; ++k) {
            const quint32 a = coverage(remainder);
            if (a) {
                *at = Blend(pixel, *at, 256 - a);
                at[l.alongMinor] = Blend(pixel, at[l.alongMinor], a);
            } else {
                *at = pixel;
            }
            at += l.alongMajor;
            remainder += minor;
            if (remainder >= n) {
                remainder -= n;
                at += l.alongMinor;
            }
        }
        return;
    }
    qint64 offset = l.from * minor / n;
    qint64 remainder = l.from * minor % n;
    qint64 major = l.major0 + l.stepMajor * l.from;
    auto blend = [&](qint64 m, quint32 a) {
        if (m >= 0 && m < l.minorSize) {
            quint32& p = m_pixels[(l.alongX ? m : major) * m_pixelsPerRow + (l.alongX ? major : m)];
            p = Blend(pixel, p, a);
        }
    };
    for (qint64 k = l.from; k <= l.to; ++k) {
        const quint32 a = coverage(remainder);
        const qint64 m = l.minor0 + l.stepMinor * offset;
        blend(m, 256 - a);
        if (a)
            blend(m + l.stepMinor, a);
        major += l.stepMajor;
        remainder += minor;
        if (remainder >= n) {
            remainder -= n;
            ++offset;
        }
    }
}

bool QtCanvas::CopiesTexts() const
{
    return m_pixelDevice && m_painter.deviceTransform().type() <= QTransform::TxTranslate;
}

Pen QtCanvas::SelectPen(const Pen& pen)
{
    return std::exchange(m_pen, pen);
}

Brush QtCanvas::SelectBrush(const Brush& brush)
{
    return std::exchange(m_brush, brush);
}

Font QtCanvas::SelectFont(const Font& font)
{
    return std::exchange(m_font, font);
}

RasterOp QtCanvas::SetRasterOp(RasterOp op)
{
    return std::exchange(m_rop, op);
}

Colour QtCanvas::SetTextColour(const Colour& colour)
{
    return std::exchange(m_textColour, colour);
}

Colour QtCanvas::SetBackgroundColour(const Colour& colour)
{
    return std::exchange(m_backgroundColour, colour);
}

BackgroundMode QtCanvas::SetBackgroundMode(BackgroundMode mode)
{
    return std::exchange(m_backgroundMode, mode);
}

bool QtCanvas::FillOnly() const
{
    return m_rasterOps && (m_rop == RasterOp::Not || m_rop == RasterOp::NotXorPen) &&
           m_brush.colour.IsGiven();
}

bool QtCanvas::Prepare(bool usePen, bool useBrush, bool mayBeSmooth)
{
    const bool pen = usePen && m_pen.colour.IsGiven();
    const bool brush = useBrush && m_brush.colour.IsGiven();
    const QPainter::CompositionMode mode =
        m_rasterOps ? CompositionOf(m_rop) : QPainter::CompositionMode_SourceOver;
    // The painter keeps what was set last: set only what differs (a view sets the same pen for
    // thousands of lines).
    // Smooth in copy mode only: the other operations must stay invertible pixel by pixel.
    const bool smooth =
        mayBeSmooth && m_antialiasing && mode == QPainter::CompositionMode_SourceOver;
    const Applied wanted{pen ? std::optional<Pen>(m_pen) : std::nullopt,
                         brush ? std::optional<Brush>(m_brush) : std::nullopt, mode, smooth};
    if (m_applied && *m_applied == wanted)
        return pen || brush;
    FlushLines();
    // Each of the four only when it changed.
    if (!m_applied || m_applied->pen != wanted.pen) {
        if (pen) {
            const bool thin = m_pen.width <= 1;
            QPen qpen(ToQColor(m_pen.colour), thin ? 0 : m_pen.width);
            qpen.setStyle(m_pen.style == PenStyle::Dash  ? Qt::DashLine
                          : m_pen.style == PenStyle::Dot ? Qt::DotLine
                                                         : Qt::SolidLine);
            qpen.setCapStyle(thin ? Qt::FlatCap : Qt::SquareCap);
            qpen.setJoinStyle(Qt::RoundJoin);
            m_painter.setPen(qpen);
        } else {
            m_painter.setPen(Qt::NoPen);
        }
    }
    if (!m_applied || m_applied->brush != wanted.brush)
        m_painter.setBrush(brush ? QBrush(ToQColor(m_brush.colour)) : QBrush(Qt::NoBrush));
    if (!m_applied || m_applied->mode != wanted.mode)
        m_painter.setCompositionMode(mode);
    if (!m_applied || m_applied->smooth != smooth)
        m_painter.setRenderHint(QPainter::Antialiasing, smooth);
    m_applied = wanted;
    return pen || brush;
}

void QtCanvas::MoveTo(int x, int y)
{
    m_position = {x, y};
}

void QtCanvas::LineTo(int x, int y)
{
    const PixelPoint from = m_position;
    m_position = {x, y};
    if (Prepare(true, false))
        m_lines.emplace_back(from.x, from.y, x, y);
}

void QtCanvas::Polygon(std::span<const PixelPoint> points)
{
    FlushLines();
    if (points.empty())
        return;
    const bool fillOnly = FillOnly();
    if (!Prepare(!fillOnly, true))
        return;
    if (const QPointF shift = SmoothShift(); !shift.isNull())
        m_painter.drawPolygon(QPolygonF(ToQPolygon(points)).translated(shift), Qt::OddEvenFill);
    else
        m_painter.drawPolygon(ToQPolygon(points), Qt::OddEvenFill);
}

void QtCanvas::Polyline(std::span<const PixelPoint> points)
{
    FlushLines();
    if (points.size() < 2)
        return;
    if (!Prepare(true, false))
        return;
    if (const QPointF shift = SmoothShift(); !shift.isNull())
        m_painter.drawPolyline(QPolygonF(ToQPolygon(points)).translated(shift));
    else
        m_painter.drawPolyline(ToQPolygon(points));
}

void QtCanvas::Ellipse(const PixelRect& rect)
{
    FlushLines();
    const bool fillOnly = FillOnly();
    if (!Prepare(!fillOnly, true))
        return;
    DrawEllipse(FillRect(rect, m_painter.pen().style() != Qt::NoPen));
}

void QtCanvas::DrawEllipse(const QRect& r)
{
    if (!m_applied->smooth) {
        m_painter.drawEllipse(r);
        return;
    }
    const QPointF shift = SmoothShift();
    const QTransform device = m_painter.deviceTransform();
    const bool copies = CopiesTexts() && device.dx() == std::floor(device.dx()) &&
                        device.dy() == std::floor(device.dy()) && r.width() <= kCopiedEllipse &&
                        r.height() <= kCopiedEllipse;
    if (!copies) {
        m_painter.drawEllipse(QRectF(r).translated(shift));
        return;
    }
    // A view draws its nodes as thousands of equal small discs: from its second time on, a
    // smooth ellipse is copied from an image of it (several times faster than the painter).
    const Pen* pen = m_applied->pen ? &*m_applied->pen : nullptr;
    const Brush* brush = m_applied->brush ? &*m_applied->brush : nullptr;
    const std::array<qint64, 3> key{
        qint64(r.width()) | qint64(r.height()) << 16,
        pen ? qint64(pen->colour.ToRgb()) | qint64(pen->style) << 24 | qint64(pen->width) << 32
            : -1,
        brush ? qint64(brush->colour.ToRgb()) : -1};
    auto it = m_ellipseImages.find(key);
    if (it == m_ellipseImages.end()) {
        if (m_ellipseImages.size() < kCopiedEllipses)
            m_ellipseImages.emplace(key, ShapeImage{});
        m_painter.drawEllipse(QRectF(r).translated(shift));
        return;
    }
    ShapeImage& copy = it->second;
    if (copy.image.isNull()) {
        // Room for the pen standing out of the rectangle, and a pixel of its soft edge.
        const int margin = (pen ? std::max(1, pen->width) : 0) / 2 + 1;
        copy.offset = QPoint(-margin, -margin);
        copy.image = QImage(r.size() + QSize(2 * margin, 2 * margin),
                            QImage::Format_ARGB32_Premultiplied);
        copy.image.fill(Qt::transparent);
        QPainter onImage(&copy.image);
        onImage.setRenderHint(QPainter::Antialiasing);
        onImage.setPen(m_painter.pen());
        onImage.setBrush(m_painter.brush());
        onImage.drawEllipse(QRectF(QPointF(margin, margin), QSizeF(r.size())).translated(shift));
    }
    m_painter.drawImage(r.topLeft() + copy.offset, copy.image);
}

void QtCanvas::Arc(const PixelRect& rect)
{
    FlushLines();
    if (Prepare(true, false))
        DrawEllipse(FillRect(rect, true));
}

void QtCanvas::Rectangle(const PixelRect& rect)
{
    FlushLines();
    const bool fillOnly = FillOnly();
    // Aliased: its edges lie on whole pixels anyway, and its corners stay square.
    if (Prepare(!fillOnly, true, false))
        m_painter.drawRect(FillRect(rect, m_painter.pen().style() != Qt::NoPen));
}

void QtCanvas::PrepareFont()
{
    if (m_preparedFor && *m_preparedFor == m_font)
        return;
    m_preparedFor = m_font;
    m_qfont = ToQFont(m_font);
    m_metrics = std::make_unique<QFontMetrics>(m_qfont, m_painter.device());
    m_texts.clear();
    m_textImages.clear();
}

void QtCanvas::TextOut(int x, int y, std::string_view text)
{
    if (text.empty())
        return;
    FlushLines();
    PrepareFont();
    auto it = m_texts.find(std::string(text));
    if (it == m_texts.end()) {
        QStaticText laidOut(ToQString(text));
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), m_qfont);
        it = m_texts.emplace(std::string(text), std::move(laidOut)).first;
    }
    m_applied.reset();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (m_painter.font() != m_qfont)
        m_painter.setFont(m_qfont);
    if (m_backgroundMode == BackgroundMode::Opaque && m_backgroundColour.IsGiven())
        m_painter.fillRect(QRect(x, y, m_metrics->horizontalAdvance(it->second.text()), m_metrics->height()),
                           ToQColor(m_backgroundColour));
    if (!m_textColour.IsGiven())
        return;
    if (CopiesTexts()) {
        std::string key(text);
        key += '\0';
        key += {static_cast<char>(m_textColour.red), static_cast<char>(m_textColour.green),
                static_cast<char>(m_textColour.blue)};
        // A text met once is drawn; from its second time on it is copied.
        TextImage& copy = m_textImages[key];
        if (++copy.uses == 2) {
            // The glyphs' ink may stand out of the advance box (a j's tail, an italic's slant).
            const QRect ink = m_metrics->boundingRect(it->second.text())
                                  .translated(0, m_metrics->ascent())
                                  .united(QRect(0, 0, m_metrics->horizontalAdvance(it->second.text()),
                                                m_metrics->height()))
                                  .adjusted(-1, -1, 1, 1);
            copy.image = QImage(ink.size(), QImage::Format_ARGB32_Premultiplied);
            copy.offset = ink.topLeft();
            copy.image.fill(Qt::transparent);
            QPainter onImage(&copy.image);
            onImage.setRenderHints(m_painter.renderHints());
            onImage.setFont(m_qfont);
            onImage.setPen(ToQColor(m_textColour));
            onImage.drawStaticText(-ink.topLeft(), it->second);
        }
        if (copy.uses >= 2) {
            m_painter.drawImage(QPoint(x, y) + copy.offset, copy.image);
            return;
        }
    }
    m_painter.setPen(ToQColor(m_textColour));
    m_painter.drawStaticText(QPoint(x, y), it->second);
}

PixelPoint QtCanvas::TextSize(std::string_view text) const
{
    const QFontMetrics metrics(ToQFont(m_font), m_painter.device());
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void QtCanvas::DrawFocusRect(const PixelRect& rect)
{
    FlushLines();
    QPen dotted(Qt::black, 0, Qt::DotLine);
    dotted.setCapStyle(Qt::FlatCap);
    m_applied.reset();
    m_painter.setPen(dotted);
    m_painter.setBrush(Qt::NoBrush);
    // Aliased, to stay invertible (without raster operations too: dotted at whole pixels).
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setCompositionMode(m_rasterOps ? QPainter::RasterOp_NotSourceXorDestination
                                             : QPainter::CompositionMode_SourceOver);
    m_painter.drawRect(FillRect(rect, true));
}

} // namespace velmor
