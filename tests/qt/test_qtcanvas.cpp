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

#include <gtest/gtest.h>

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
        canvas.MoveTo(10, 30);
        canvas.LineTo(90, 30);
        canvas.SelectPen(Pen{Colour(200, 0, 0), 5, PenStyle::Solid});
        canvas.MoveTo(10, 60);
        canvas.LineTo(90, 60);
        // A pen of no colour draws nothing.
        canvas.SelectPen(Pen{Colour(), 3, PenStyle::Solid});
        canvas.MoveTo(10, 80);
        canvas.LineTo(90, 80);
    }
    EXPECT_EQ(image.pixel(50, 30), qRgb(0, 160, 0));
    EXPECT_EQ(image.pixel(50, 31), kWhite) << "one pixel thin";
    EXPECT_EQ(image.pixel(50, 62), qRgb(200, 0, 0)) << "five pixels wide";
    EXPECT_EQ(image.pixel(50, 58), qRgb(200, 0, 0));
    EXPECT_EQ(image.pixel(50, 64), kWhite);
    EXPECT_EQ(image.pixel(50, 80), kWhite);
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
        canvas.MoveTo(40, 40);
        canvas.LineTo(5, 40);
        canvas.MoveTo(40, 40);
        canvas.LineTo(40, 95);
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
        canvas.SelectFont(Font{"Arial", 16, 400});
        canvas.SetTextColour(Colour(0, 0, 0));
        canvas.SetBackgroundMode(BackgroundMode::Transparent);
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
