// Tests of the canvas on QPainter, pixel by pixel on images: fills and outlines, line colours,
// the raster operations, the focus rectangle, text, the fall-back on PDF, and one solid drawn
// through the 3D drawing context.
#include "numeric/Mfx3dCamera.h"
#include "numeric/Mfx3dDC.h"
#include "platform/qt/QtCanvas.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStaticText>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace velmor {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Blank(QRgb fill = kWhite)
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

int CountDifferent(const QImage& image, QRgb from)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != from;
    return n;
}

// Texts in "Arial" of the given pixel height and colour, on a transparent background.
void TransparentText(Canvas& canvas, int height, const Colour& colour)
{
    canvas.SelectFont(Font{"Arial", height, 400});
    canvas.SetTextColour(colour);
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
}

void Line(Canvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

TEST(QtCanvasTest, PolygonIsFilledWithTheBrushAndOutlinedWithThePen)
{
    QImage image = Blank();
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        EXPECT_TRUE(canvas.SupportsRasterOps());
        canvas.SelectPen(Pen{Colour(0, 0, 255), 1, PenStyle::Solid});
        canvas.SelectBrush(Brush{Colour(255, 0, 0)});
        const std::vector<PixelPoint> square = {{20, 20}, {80, 20}, {80, 80}, {20, 80}};
        canvas.Polygon(square);
    }
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(50, 20), qRgb(0, 0, 255)) << "top edge";
    EXPECT_EQ(image.pixel(20, 50), qRgb(0, 0, 255)) << "left edge";
    EXPECT_EQ(image.pixel(10, 10), kWhite);
    EXPECT_EQ(image.pixel(90, 50), kWhite);
}

TEST(QtCanvasTest, LinesTakeThePenColourAndWidth)
{
    QImage image = Blank();
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.SelectPen(Pen{Colour(0, 160, 0), 1, PenStyle::Solid});
        Line(canvas, 10, 30, 90, 30);
        canvas.SelectPen(Pen{Colour(200, 0, 0), 5, PenStyle::Solid});
        Line(canvas, 10, 60, 90, 60);
        // A pen of no colour draws nothing.
        canvas.SelectPen(Pen{Colour(), 3, PenStyle::Solid});
        Line(canvas, 10, 80, 90, 80);
    }
    EXPECT_EQ(image.pixel(50, 30), qRgb(0, 160, 0));
    EXPECT_EQ(image.pixel(50, 31), kWhite) << "one pixel thin";
    EXPECT_EQ(image.pixel(50, 62), qRgb(200, 0, 0)) << "five pixels wide";
    EXPECT_EQ(image.pixel(50, 58), qRgb(200, 0, 0));
    EXPECT_EQ(image.pixel(50, 64), kWhite);
    EXPECT_EQ(image.pixel(50, 80), kWhite);
}

// The pixels where two pictures differ, as "x,y a/b" items; empty when they are the same.
std::string Differences(const QImage& a, const QImage& b)
{
    std::string out;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                out += std::to_string(x) + "," + std::to_string(y) + " " +
                       std::to_string(a.pixel(x, y) & 0xFFFFFF) + "/" +
                       std::to_string(b.pixel(x, y) & 0xFFFFFF) + "; ";
    return out;
}

// The pixels a set of thin lines leaves on a white image of the given format, drawn through a
// painter translated by `shift` (or whose viewport is moved by it), optionally clipped;
// aliased, pixel for pixel as the old device context drew them.
QImage LinesOn(QImage::Format format, const std::vector<std::pair<PixelPoint, PixelPoint>>& lines,
               QPoint shift = {}, bool clipped = false, bool byViewport = false)
{
    QImage image(100, 100, format);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        if (byViewport)
            painter.setViewport(QRect(shift, image.size()));
        else
            painter.translate(shift);
        if (clipped)
            painter.setClipRect(QRect(-1000, -1000, 3000, 3000));
        QtCanvas canvas(painter, false);
        canvas.SelectPen(Pen{Colour(200, 0, 0), 1, PenStyle::Solid});
        for (const auto& [from, to] : lines)
            Line(canvas, from.x, from.y, to.x, to.y);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

// The pixels of a line from `from` up to, not including, `to`, for straight and diagonal
// lines: what the old device context set.
std::vector<QPoint> ExpectedPixels(QPoint from, QPoint to)
{
    std::vector<QPoint> pixels;
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
    for (QPoint p = from; p != to; p += step)
        pixels.push_back(p);
    return pixels;
}

TEST(QtCanvasTest, ThinLinesOnImagesLeaveOutTheirSecondEnd)
{
    // On a 32-bit image thin lines are set pixel by pixel: in every direction the second end
    // is left out, a line of no length sets nothing, a line leaving the image stops at its
    // edge, and the painter's translation applies.
    struct Case
    {
        const char* name;
        QPoint from;
        QPoint to;
        QPoint shift;
    };
    const Case cases[] = {
        {"rightwards", {10, 10}, {60, 10}, {}},      {"leftwards", {60, 20}, {10, 20}, {}},
        {"downwards", {30, 30}, {30, 80}, {}},       {"upwards", {40, 80}, {40, 30}, {}},
        {"diagonal down", {10, 10}, {50, 50}, {}},   {"diagonal up-left", {90, 90}, {70, 70}, {}},
        {"diagonal down-left", {90, 10}, {50, 50}, {}}, {"no length", {20, 20}, {20, 20}, {}},
        {"translated", {0, 0}, {30, 30}, {20, 30}},  {"leaving right", {50, 50}, {400, 50}, {}},
        {"leaving far above", {50, 50}, {50, -5000000}, {}},
        {"crossing from outside", {-2000, -2000}, {2000, 2000}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage expected = Blank();
        for (const QPoint& p : ExpectedPixels(c.from + c.shift, c.to + c.shift))
            if (expected.rect().contains(p))
                expected.setPixel(p, qRgb(200, 0, 0));
        const PixelPoint a{c.from.x(), c.from.y()}, b{c.to.x(), c.to.y()};
        EXPECT_EQ(Differences(LinesOn(QImage::Format_RGB32, {{a, b}}, c.shift), expected), "");
        EXPECT_EQ(Differences(LinesOn(QImage::Format_RGB32, {{a, b}}, c.shift, false, true), expected), "");
    }
    // A line from one end of the integers to the other crosses the whole image.
    QImage row = Blank();
    for (int x = 0; x < row.width(); ++x)
        row.setPixel(x, 50, qRgb(200, 0, 0));
    EXPECT_EQ(Differences(LinesOn(QImage::Format_RGB32, {{{-2147483000, 50}, {2147483000, 50}}}), row), "");
}

TEST(QtCanvasTest, LinesLeavingTheImageKeepTheirPixelsOnIt)
{
    // Random sloped lines, most of them reaching far outside a small image: the pixels set are
    // those of the whole line (one per step along its longer axis, the other coordinate the
    // exact line's rounded half up) that fall on the image, and nothing is written elsewhere.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-3000, 3000), onImage(0, 99);
    for (int trial = 0; trial < 300; ++trial) {
        const QPoint from(coordinate(random), coordinate(random));
        const QPoint to = trial % 3 == 0 ? QPoint(onImage(random), onImage(random))
                                         : QPoint(coordinate(random), coordinate(random));
        SCOPED_TRACE(::testing::Message() << from.x() << "," << from.y() << " to " << to.x()
                                          << "," << to.y());
        QImage expected = Blank();
        const long long ax = std::abs(to.x() - from.x()), ay = std::abs(to.y() - from.y());
        const long long n = std::max(ax, ay), minor = std::min(ax, ay);
        for (long long k = 0; k < n; ++k) {
            const long long along = k, across = (2 * k * minor + n) / (2 * n);
            const int sx = to.x() > from.x() ? 1 : -1, sy = to.y() > from.y() ? 1 : -1;
            const QPoint p = ax >= ay ? QPoint(from.x() + sx * int(along), from.y() + sy * int(across))
                                      : QPoint(from.x() + sx * int(across), from.y() + sy * int(along));
            if (expected.rect().contains(p))
                expected.setPixel(p, qRgb(200, 0, 0));
        }
        const PixelPoint a{from.x(), from.y()}, b{to.x(), to.y()};
        ASSERT_EQ(Differences(LinesOn(QImage::Format_RGB32, {{a, b}}), expected), "");
    }
}

TEST(QtCanvasTest, ThinLinesOnImagesMatchThePainterDrawingRightAndDown)
{
    // Where the painter too leaves out the last pixel (straight and diagonal lines drawn
    // rightwards or downwards), pixels set on a 32-bit image and lines drawn by the painter
    // (a 24-bit image, or under a clip) are the same. (Sloped lines may round differently.)
    std::vector<std::pair<PixelPoint, PixelPoint>> lines;
    for (int i = 0; i < 9; ++i) {
        lines.push_back({{5, 5 + 10 * i}, {15 + 9 * i, 5 + 10 * i}});
        lines.push_back({{3 + 10 * i, 2}, {3 + 10 * i, 20 + 8 * i}});
        lines.push_back({{10 * i, 20}, {10 * i + 30, 50}});
    }
    const QImage direct = LinesOn(QImage::Format_RGB32, lines);
    EXPECT_EQ(Differences(direct, LinesOn(QImage::Format_RGB888, lines)), "");
    EXPECT_EQ(Differences(direct, LinesOn(QImage::Format_RGB32, lines, {}, true)), "");
    EXPECT_GT(CountDifferent(direct, kWhite), 400);
}

TEST(QtCanvasTest, LinesAndShapesKeepTheirOrder)
{
    // Lines waiting to be drawn together must still land before a later shape or text and
    // after an earlier one.
    QImage image = Blank();
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.SelectPen(Pen{Colour(0, 0, 255), 1, PenStyle::Solid});
        Line(canvas, 10, 50, 90, 50); // under the square
        canvas.SelectBrush(Brush{Colour(0, 200, 0)});
        canvas.SelectPen(Pen{Colour(0, 200, 0), 1, PenStyle::Solid});
        canvas.Rectangle({40, 40, 60, 60});
        canvas.SelectPen(Pen{Colour(255, 0, 0), 1, PenStyle::Solid});
        Line(canvas, 50, 10, 50, 90); // over it
        canvas.SetTextColour(Colour(0, 0, 0));
        canvas.SetBackgroundColour(Colour(255, 255, 0));
        canvas.SetBackgroundMode(BackgroundMode::Opaque);
        canvas.SelectFont(Font{"Arial", 12, 400});
        Line(canvas, 5, 85, 95, 85); // under the text's cell
        canvas.TextOut(45, 80, "i");
    }
    EXPECT_EQ(image.pixel(45, 50), qRgb(0, 200, 0)) << "the square covers the earlier line";
    EXPECT_EQ(image.pixel(20, 50), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(50, 45), qRgb(255, 0, 0)) << "the later line crosses the square";
    EXPECT_NE(image.pixel(47, 85), qRgb(255, 0, 0)) << "the text's cell covers the line";
    EXPECT_EQ(image.pixel(10, 85), qRgb(255, 0, 0));
}

TEST(QtCanvasTest, CopiedTextLooksLikePainterText)
{
    // A text drawn on an image is laid out once as a small picture and copied; it must stand
    // where the painter would have drawn it, with the same glyphs.
    const std::string texts[] = {"x", "Noeud jy", "Réaction 12,5"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        QImage copied = Blank();
        QImage painted = Blank();
        {
            QPainter painter(&copied);
            QtCanvas canvas(painter);
            TransparentText(canvas, 14, Colour(0, 0, 160));
            canvas.TextOut(7, 30, text);
            canvas.TextOut(7, 60, text); // the second time from the laid-out picture
        }
        {
            QPainter painter(&painted);
            QFont f("Arial");
            f.setStyleHint(QFont::SansSerif);
            f.setPixelSize(14);
            painter.setFont(f);
            painter.setPen(QColor(0, 0, 160));
            const QStaticText laidOut(QString::fromStdString(text));
            painter.drawStaticText(QPoint(7, 30), laidOut);
            painter.drawStaticText(QPoint(7, 60), laidOut);
        }
        int inked = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const QColor a = copied.pixelColor(x, y), b = painted.pixelColor(x, y);
                inked += a != Qt::white;
                ASSERT_LE(std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                              std::abs(a.blue() - b.blue()),
                          6)
                    << "at " << x << ", " << y;
            }
        }
        EXPECT_GT(inked, 10);
    }
}

TEST(QtCanvasTest, RasterOperationsCombineWithThePicture)
{
    struct Case
    {
        const char* name;
        RasterOp op;
        QRgb expected; // over the background (0xF0, 0x0F, 0xAA) with the brush (0x3C, 0xFF, 0x0F)
    };
    const Case cases[] = {
        {"copy", RasterOp::CopyPen, qRgb(0x3C, 0xFF, 0x0F)},
        {"mask", RasterOp::MaskPen, qRgb(0x30, 0x0F, 0x0A)},
        {"merge", RasterOp::MergePen, qRgb(0xFC, 0xFF, 0xAF)},
        {"not", RasterOp::Not, qRgb(0x0F, 0xF0, 0x55)},
        {"not xor", RasterOp::NotXorPen, qRgb(0x33, 0x0F, 0x5A)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image = Blank(qRgb(0xF0, 0x0F, 0xAA));
        {
            QPainter painter(&image);
            QtCanvas canvas(painter);
            canvas.SelectPen(Pen{Colour(0x3C, 0xFF, 0x0F), 1, PenStyle::Solid});
            canvas.SelectBrush(Brush{Colour(0x3C, 0xFF, 0x0F)});
            canvas.SetRasterOp(c.op);
            canvas.Rectangle({10, 10, 90, 90});
        }
        EXPECT_EQ(image.pixel(50, 50), c.expected);
        EXPECT_EQ(image.pixel(10, 10), c.expected) << "the corner is combined once";
        EXPECT_EQ(image.pixel(95, 95), qRgb(0xF0, 0x0F, 0xAA));
    }
}

TEST(QtCanvasTest, InvertingTwiceRestoresThePicture)
{
    // A picture with some variety, then a cursor-like drawing under Not, twice.
    QImage image = Blank();
    {
        QPainter painter(&image);
        painter.fillRect(0, 0, 50, 100, QColor(30, 90, 200));
        painter.fillRect(25, 25, 50, 50, QColor(250, 240, 10));
    }
    const QImage before = image.copy();
    auto drawCursor = [&] {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.SelectBrush(Brush{Colour(0, 0, 0)});
        canvas.SetRasterOp(RasterOp::Not);
        Line(canvas, 40, 40, 5, 40);
        Line(canvas, 40, 40, 40, 95);
        canvas.Ellipse({30, 30, 50, 50});
    };
    drawCursor();
    EXPECT_EQ(image.pixel(45, 45), qRgb(255 - 250, 255 - 240, 255 - 10)) << "disc inverted";
    EXPECT_EQ(image.pixel(10, 40), qRgb(255 - 30, 255 - 90, 255 - 200)) << "guide inverted";
    EXPECT_EQ(image.pixel(40, 90), qRgb(255 - 30, 255 - 90, 255 - 200));
    drawCursor();
    EXPECT_EQ(image, before);
}

TEST(QtCanvasTest, FocusRectangleDrawnTwiceLeavesNoTrace)
{
    QImage image = Blank();
    {
        QPainter painter(&image);
        painter.fillRect(0, 0, 60, 60, QColor(10, 120, 70));
    }
    const QImage before = image.copy();
    auto focus = [&] {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        // Whatever pen and raster operation are selected.
        canvas.SelectPen(Pen{Colour(255, 0, 0), 4, PenStyle::Solid});
        canvas.SetRasterOp(RasterOp::MergePen);
        canvas.DrawFocusRect({20, 30, 90, 80});
    };
    focus();
    EXPECT_GT(CountDifferent(image, kWhite), 60 * 60) << "the rectangle shows";
    EXPECT_NE(image, before);
    focus();
    EXPECT_EQ(image, before);
}

TEST(QtCanvasTest, TextIsRenderedInsideItsCell)
{
    QImage image = Blank();
    PixelPoint size;
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        TransparentText(canvas, 16, Colour(0, 0, 0));
        canvas.TextOut(10, 20, "Noeud é");
        size = canvas.TextSize("Noeud é");
    }
    EXPECT_GT(size.x, 30);
    EXPECT_GE(size.y, 16);
    int inside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == kWhite)
                continue;
            const bool inCell = x >= 10 && x < 10 + size.x && y >= 20 && y < 20 + size.y;
            EXPECT_TRUE(inCell) << "mark outside the text cell at " << x << ", " << y;
            inside += inCell;
        }
    }
    EXPECT_GT(inside, 20);

    // Opaque: the cell is filled with the background colour first.
    QImage opaque = Blank();
    {
        QPainter painter(&opaque);
        QtCanvas canvas(painter);
        canvas.SetBackgroundColour(Colour(0, 0, 255));
        canvas.TextOut(10, 20, "i");
    }
    EXPECT_EQ(opaque.pixel(10, 20), qRgb(0, 0, 255));
}

TEST(QtCanvasTest, PainterStateIsGivenBack)
{
    QImage image = Blank();
    QPainter painter(&image);
    painter.setPen(QColor(1, 2, 3));
    painter.setRenderHint(QPainter::Antialiasing, true);
    {
        QtCanvas canvas(painter);
        canvas.SetRasterOp(RasterOp::Not);
        canvas.Rectangle({0, 0, 10, 10});
    }
    EXPECT_EQ(painter.pen().color(), QColor(1, 2, 3));
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
}

TEST(QtCanvasTest, PdfGetsPlainDrawing)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        QtCanvas canvas(painter);
        EXPECT_FALSE(canvas.SupportsRasterOps());
        canvas.SetRasterOp(RasterOp::Not);
        canvas.SelectBrush(Brush{Colour(255, 0, 0)});
        canvas.Ellipse({100, 100, 400, 300});
        canvas.DrawFocusRect({50, 50, 500, 500});
        canvas.TextOut(100, 600, "Velmor");
    }
    EXPECT_TRUE(buffer.data().startsWith("%PDF"));
    EXPECT_GT(buffer.data().size(), 500);
}

class Viewport : public ViewportSource
{
public:
    MfxRect ClientRect() const override { return MfxRect(0, 0, 100, 100); }
};

TEST(QtCanvasTest, BoxSeenFromAboveShowsItsTopFace)
{
    // Through the drawing context: a box seen down the Z axis shows its lid, filled; its floor
    // faces away and is only outlined under the lid.
    Viewport viewport;
    Mfx3dCamera camera(&viewport);
    const Mfx3dBox box(Mfx3dPoint(0, 0, 0), Mfx3dPoint(10, 10, 2));
    camera.SetView(box, 20.0, Mfx3dCamera::kViewXY, Mfx3dPoint(0, 0, 0));
    camera.Zoom(Mfx3dCamera::kZoomReset);
    QImage image = Blank();
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        Mfx3dDC dc(canvas, &camera);
        dc.SetPen(Colour(0, 0, 0));
        dc.DrawBox(box, Mfx3dDC::kFilled | Mfx3dDC::kShade, Colour(0, 200, 0));
    }
    const QColor centre = image.pixelColor(50, 50);
    EXPECT_EQ(centre.green(), 200);
    EXPECT_EQ(centre.blue(), 0);
    EXPECT_EQ(centre.red(), 7) << "shaded: seven steps for a face turned to the viewer";
    EXPECT_EQ(image.pixel(2, 2), kWhite);
}

} // namespace
} // namespace velmor
