// The canvas on a QPainter: the views' screen, their print pages and the images of the tests.
#pragma once

#include "platform/core/Canvas.h"

#include <QFont>
#include <QPainter>
#include <QFontMetrics>
#include <QStaticText>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

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
// Thin pens (width 0 or 1) leave out the last pixel of a line, as the old device context did;
// wider pens have round ends. Fonts are chosen by face and pixel height; a face the system
// lacks is replaced by a sans-serif one (a fixed-pitch one for a "Courier" face).
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
