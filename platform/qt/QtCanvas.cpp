// The canvas on a QPainter: pens, brushes and fonts as Qt objects, raster operations as
// composition modes, and the shapes in whole device pixels.
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
#include <QRect>
#include <QString>

#include <algorithm>
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

} // namespace

QtCanvas::QtCanvas(QPainter& painter) : m_painter(painter)
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
}

QtCanvas::~QtCanvas()
{
    m_painter.restore();
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

bool QtCanvas::Prepare(bool usePen, bool useBrush)
{
    const bool pen = usePen && m_pen.colour.IsGiven();
    const bool brush = useBrush && m_brush.colour.IsGiven();
    const QPainter::CompositionMode mode =
        m_rasterOps ? CompositionOf(m_rop) : QPainter::CompositionMode_SourceOver;
    // The painter keeps what was set last: set only what differs (a view sets the same pen for
    // thousands of lines).
    const Applied wanted{pen ? std::optional<Pen>(m_pen) : std::nullopt,
                         brush ? std::optional<Brush>(m_brush) : std::nullopt, mode};
    if (m_applied && *m_applied == wanted)
        return pen || brush;
    if (pen) {
        const bool thin = m_pen.width <= 1;
        QPen qpen(ToQColor(m_pen.colour), thin ? 0 : m_pen.width);
        qpen.setStyle(m_pen.style == PenStyle::Dash  ? Qt::DashLine
                      : m_pen.style == PenStyle::Dot ? Qt::DotLine
                                                     : Qt::SolidLine);
        qpen.setCapStyle(thin ? Qt::FlatCap : Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
        m_painter.setPen(qpen);
    } else {
        m_painter.setPen(Qt::NoPen);
    }
    m_painter.setBrush(brush ? QBrush(ToQColor(m_brush.colour)) : QBrush(Qt::NoBrush));
    m_painter.setCompositionMode(mode);
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
        m_painter.drawLine(QPoint(from.x, from.y), QPoint(x, y));
}

void QtCanvas::Polygon(std::span<const PixelPoint> points)
{
    if (points.empty())
        return;
    const bool fillOnly = FillOnly();
    if (Prepare(!fillOnly, true))
        m_painter.drawPolygon(ToQPolygon(points), Qt::OddEvenFill);
}

void QtCanvas::Polyline(std::span<const PixelPoint> points)
{
    if (points.size() < 2)
        return;
    if (Prepare(true, false))
        m_painter.drawPolyline(ToQPolygon(points));
}

void QtCanvas::Ellipse(const PixelRect& rect)
{
    const bool fillOnly = FillOnly();
    if (Prepare(!fillOnly, true))
        m_painter.drawEllipse(FillRect(rect, m_painter.pen().style() != Qt::NoPen));
}

void QtCanvas::Arc(const PixelRect& rect)
{
    if (Prepare(true, false))
        m_painter.drawEllipse(FillRect(rect, true));
}

void QtCanvas::Rectangle(const PixelRect& rect)
{
    const bool fillOnly = FillOnly();
    if (Prepare(!fillOnly, true))
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
}

void QtCanvas::TextOut(int x, int y, std::string_view text)
{
    if (text.empty())
        return;
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
    QPen dotted(Qt::black, 0, Qt::DotLine);
    dotted.setCapStyle(Qt::FlatCap);
    m_applied.reset();
    m_painter.setPen(dotted);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setCompositionMode(m_rasterOps ? QPainter::RasterOp_NotSourceXorDestination
                                             : QPainter::CompositionMode_SourceOver);
    m_painter.drawRect(FillRect(rect, true));
}

} // namespace velmor
