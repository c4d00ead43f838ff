// The canvas on a QPainter: the views' screen, their print pages and the images of the tests.
#pragma once

#include "platform/core/Canvas.h"

#include <QFont>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QFontMetrics>
#include <QStaticText>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QPainter;

namespace velmor {

// Draws with an active QPainter, which must outlive the canvas. The painter's state is saved on
// construction and restored on destruction; while the canvas lives, antialiasing of shapes is
// off, so lines and fills land on whole pixels as on the old device context.
//
// Raster operations become QPainter composition modes: MaskPen RasterOp_SourceAndDestination,
// MergePen RasterOp_SourceOrDestination, Not RasterOp_NotDestination, NotXorPen and the focus
// rectangle RasterOp_NotSourceXorDestination. A device that has no raster operations (PDF,
// printers) gets plain drawing instead. Under Not and NotXorPen a shape that has both a brush
// and a pen is filled only, over its whole rectangle, so that no pixel is inverted twice and
// drawing it again restores the picture. Text ignores the raster operation.
//
// Wide pens have square ends (a round end of a few pixels without antialiasing is a square,
// and Qt strokes square ends several times faster).
//
// Lines drawn one after another with the same pen and raster operation are handed over
// together, when the pen changes, before any other shape or text, and at the end; the picture
// is the same, drawn in the same order. On an image painted without scaling, clipping or
// transparency, thin solid lines in copy mode are set pixel by pixel, from the first end up
// to, not including, the second, as the old device context did, and several times faster
// than the painter; other thin lines go to the painter, which leaves out the last pixel of
// lines drawn rightwards or downwards only.
//
// On a pixel device without scaling, a text drawn again in the same font and colour is copied
// from a small image of it; printers and pictures get real text. Fonts are chosen by face and
// pixel height; a face the system lacks is replaced by a sans-serif one (a fixed-pitch one for
// a "Courier" face).
class QtCanvas : public Canvas
{
public:
    explicit QtCanvas(QPainter& painter);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // True when the paint device does the raster operations.
    bool SupportsRasterOps() const { return m_rasterOps; }

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
    // Sets the painter's pen, brush and composition mode for the next shape; returns false
    // when the shape would leave no mark.
    bool Prepare(bool usePen, bool useBrush);
    // A filled shape under Not or NotXorPen: fill only (see above).
    bool FillOnly() const;
    // Draws the lines waiting for the painter.
    void FlushLines();
    // Sets the image pixels of the line from (x0, y0) up to, not including, (x1, y1) that lie
    // inside the image, in device coordinates.
    void SetLinePixels(qint64 x0, qint64 y0, qint64 x1, qint64 y1, quint32 pixel);
    // Whether texts may be copied as images onto this painter's device now.
    bool CopiesTexts() const;

    QPainter& m_painter;
    bool m_rasterOps = false;
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
    bool m_pixelDevice = false;
    std::vector<QLine> m_lines;
    // The painted image's pixels (32 bits each), when lines may be set on them directly.
    quint32* m_pixels = nullptr;
    qsizetype m_pixelsPerRow = 0;
    int m_width = 0;
    int m_height = 0;
    // The pen, brush and composition last given to the painter by Prepare.
    struct Applied
    {
        std::optional<Pen> pen;
        std::optional<Brush> brush;
        QPainter::CompositionMode mode;
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
