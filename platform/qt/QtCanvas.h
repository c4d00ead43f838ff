// The canvas on a QPainter: the views' screen, their print pages and the images of the tests.
#pragma once

#include "platform/core/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPointF>
#include <QStaticText>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QPainter;

namespace velmor {

// Draws with an active QPainter, which must outlive the canvas. The painter's state is saved on
// construction and restored on destruction.
//
// Antialiasing (on unless switched off) smooths lines, polygons, ellipses and arcs drawn in
// copy mode, and on a device without raster operations (PDF, printers) whatever the raster
// operation. Rectangles, whose edges lie on whole pixels anyway, shapes drawn with any other
// raster operation, and the focus rectangle stay aliased and land on
// whole pixels as on the old device context, so that drawing them twice restores the picture.
// Smooth shapes outlined by a pen of odd width are moved half a device pixel, so that a
// horizontal or vertical line at a whole coordinate covers one row or column of pixels
// fully, and an outlined shape spans the pixels of its aliased drawing. With
// antialiasing off every shape is aliased.
//
// Raster operations become QPainter composition modes: MaskPen RasterOp_SourceAndDestination,
// MergePen RasterOp_SourceOrDestination, Not RasterOp_NotDestination, NotXorPen and the focus
// rectangle RasterOp_NotSourceXorDestination. A device that has no raster operations (PDF,
// printers) gets plain drawing instead. Under Not and NotXorPen a shape that has both a brush
// and a pen is filled only, over its whole rectangle, so that no pixel is inverted twice and
// drawing it again restores the picture. Text ignores the raster operation.
//
// Wide pens have square ends (Qt strokes square ends several times faster than round ones).
//
// Lines drawn one after another with the same pen and raster operation are handed over
// together, when the pen changes, before any other shape or text, and at the end; the picture
// is the same, drawn in the same order. On an image painted without scaling, clipping or
// transparency, thin solid lines in copy mode are set pixel by pixel, from the first end up
// to, not including, the second, several times faster than the painter: aliased, one pixel
// per step along the longer axis as the old device context did; antialiased (on RGB32 and
// premultiplied ARGB32 images), the two pixels across the exact line at each step share the
// pen's colour by their nearness to it (Xiaolin Wu's lines). Other thin lines go to the
// painter, which, aliased, leaves out the last pixel of lines drawn rightwards or downwards
// only, and, smooth, covers the same span as a line set on an image.
//
// On a pixel device without scaling, a text drawn again in the same font and colour, and a
// small smooth ellipse drawn again in the same size, pen and brush, are copied from a small
// image of it; printers and pictures get real text and shapes. Fonts are chosen by face and
// pixel height; a face the system lacks is replaced by a sans-serif one (a fixed-pitch one for
// a "Courier" face).
class QtCanvas : public Canvas
{
public:
    explicit QtCanvas(QPainter& painter, bool antialiasing = true);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // True when the paint device does the raster operations.
    bool SupportsRasterOps() const { return m_rasterOps; }
    // Switches the antialiasing of shapes drawn from now on (see above); what was drawn before
    // keeps its look.
    void SetAntialiasing(bool on);
    bool Antialiasing() const { return m_antialiasing; }

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    Font SelectFont(const Font& font) override;
    Pen CurrentPen() const override { return m_pen; }
    Brush CurrentBrush() const override { return m_brush; }
    Font CurrentFont() const override { return m_font; }

    RasterOp SetRasterOp(RasterOp op) override;
    RasterOp CurrentRasterOp() const override { return m_rop; }

    Colour SetTextColour(const Colour& colour) override;
    Colour SetBackgroundColour(const Colour& colour) override;
    BackgroundMode SetBackgroundMode(BackgroundMode mode) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polygon(std::span<const PixelPoint> points) override;
    void Polyline(std::span<const PixelPoint> points) override;
    void Ellipse(const PixelRect& rect) override;
    void Arc(const PixelRect& rect) override;
    void Rectangle(const PixelRect& rect) override;
    void TextOut(int x, int y, std::string_view text) override;
    PixelPoint TextSize(std::string_view text) const override;
    void DrawFocusRect(const PixelRect& rect) override;

private:
    // Sets the painter's pen, brush, composition mode and antialiasing for the next shape
    // (smooth only where mayBeSmooth); returns false when the shape would leave no mark.
    bool Prepare(bool usePen, bool useBrush, bool mayBeSmooth = true);
    // A filled shape under Not or NotXorPen: fill only (see above).
    bool FillOnly() const;
    // Draws the lines waiting for the painter.
    void FlushLines();
    // Hands the first `count` waiting lines to the painter.
    void DrawLines(size_t count);
    // Sets the image pixels of the line from (x0, y0) up to, not including, (x1, y1) that lie
    // inside the image, in device coordinates.
    void SetLinePixels(qint64 x0, qint64 y0, qint64 x1, qint64 y1, quint32 pixel);
    // The same line antialiased: at each step the pixel before and the pixel after the exact
    // line across it take the pen's colour by their nearness to it.
    void BlendLinePixels(qint64 x0, qint64 y0, qint64 x1, qint64 y1, quint32 pixel);
    // A line in device pixels as steps k = 0 .. n - 1 along its longer (major) axis, going
    // `minor` pixels across; when it does not lie wholly on the image, the steps from .. to
    // are those whose pixel, or the next one across, may lie on it.
    struct LineSteps
    {
        bool alongX = true;
        qint64 n = 0;
        qint64 minor = 0;
        int stepMajor = 1;
        int stepMinor = 1;
        // The steps in the pixels.
        qsizetype alongMajor = 0;
        qsizetype alongMinor = 0;
        bool whole = false;
        qint64 major0 = 0;
        qint64 minor0 = 0;
        qint64 minorSize = 0;
        qint64 from = 0;
        qint64 to = -1;
    };
    LineSteps StepsOf(qint64 x0, qint64 y0, qint64 x1, qint64 y1) const;
    // Half a device pixel in logical units, by which a smooth shape outlined with the pen now
    // applied is moved; none for aliased shapes, pens of even width and turned drawings.
    QPointF SmoothShift() const;
    // The ellipse in the rectangle with what Prepare applied; smooth ones may be copied.
    void DrawEllipse(const QRect& rect);
    // Whether texts may be copied as images onto this painter's device now.
    bool CopiesTexts() const;

    QPainter& m_painter;
    bool m_rasterOps = false;
    bool m_antialiasing = true;
    Pen m_pen;
    Brush m_brush;
    Font m_font;
    // The Qt font of m_font, its metrics and the laid-out texts drawn with it: a view draws the
    // same few labels thousands of times in one paint.
    void PrepareFont();
    std::optional<Font> m_preparedFor;
    QFont m_qfont;
    std::unique_ptr<QFontMetrics> m_metrics;
    std::unordered_map<std::string, QStaticText> m_texts;
    // A text drawn into a transparent image, with where the image's corner lies from the
    // text's top-left corner, and how often the text was met; by text and colour. The image is
    // made the second time (a text shown once is cheaper to draw than to copy).
    struct TextImage
    {
        QImage image;
        QPoint offset;
        int uses = 0;
    };
    std::unordered_map<std::string, TextImage> m_textImages;
    // Smooth ellipses drawn again copied from an image, where texts are: by size, pen and
    // brush, up to some sizes and counts. The image is made the second time.
    struct ShapeImage
    {
        QImage image;
        QPoint offset;
    };
    static constexpr int kCopiedEllipse = 64;
    static constexpr size_t kCopiedEllipses = 256;
    std::map<std::array<qint64, 3>, ShapeImage> m_ellipseImages;
    bool m_pixelDevice = false;
    std::vector<QLine> m_lines;
    // The painted image's pixels (32 bits each), when lines may be set on them directly.
    quint32* m_pixels = nullptr;
    qsizetype m_pixelsPerRow = 0;
    int m_width = 0;
    int m_height = 0;
    // Whether m_pixels may be blended as premultiplied 32-bit pixels (RGB32 or ARGB32PM).
    bool m_blendable = false;
    // The pen, brush and composition last given to the painter by Prepare.
    struct Applied
    {
        std::optional<Pen> pen;
        std::optional<Brush> brush;
        QPainter::CompositionMode mode;
        bool smooth = false;
        bool operator==(const Applied&) const = default;
    };
    std::optional<Applied> m_applied;
    RasterOp m_rop = RasterOp::CopyPen;
    Colour m_textColour{0, 0, 0};
    Colour m_backgroundColour{255, 255, 255};
    BackgroundMode m_backgroundMode = BackgroundMode::Opaque;
    PixelPoint m_position;
};

} // namespace velmor
