// Tests of the canvas on QPainter, pixel by pixel on images: fills and outlines, line colours,
// aliased and smooth lines and shapes, the raster operations, the focus rectangle, text, the
// fall-back on PDF, and one solid drawn through the 3D drawing context.
#include "numeric/Mfx3dCamera.h"
#include "numeric/Mfx3dDC.h"
#include "platform/qt/QtCanvas.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStaticText>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
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

// How the smooth tests reach the image: lines set on it or drawn by the painter.
struct Surface
{
    const char* name;
    QImage::Format format;
    bool clipped; // a clip sends the lines to the painter
};

const Surface kSurfaces[] = {
    {"set on RGB32", QImage::Format_RGB32, false},
    {"set on premultiplied ARGB32", QImage::Format_ARGB32_Premultiplied, false},
    {"painter, clipped", QImage::Format_RGB32, true},
    {"painter, 24 bits", QImage::Format_RGB888, false},
};

// Black thin lines on a white image, smooth or aliased.
QImage SmoothLinesOn(const Surface& surface, const std::vector<std::pair<QPoint, QPoint>>& lines,
                     bool antialiasing = true)
{
    QImage image(100, 100, surface.format);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        if (surface.clipped) painter.setClipRect(QRect(-1000, -1000, 3000, 3000));
        QtCanvas canvas(painter, antialiasing);
        canvas.SelectPen(Pen{Colour(0, 0, 0), 1, PenStyle::Solid});
        for (const auto& [from, to] : lines)
            Line(canvas, from.x(), from.y(), to.x(), to.y());
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

// How much of a black pen a grey pixel on white holds, 0 .. 1.
double Ink(QRgb pixel)
{
    return (255 - qGreen(pixel)) / 255.0;
}

bool Intermediate(QRgb pixel, QRgb a, QRgb b)
{
    return pixel != a && pixel != b;
}

TEST(QtCanvasTest, SmoothSlopedLinesShareTheirInkBetweenThePixelsAcrossThem)
{
    // Along a sloped line each step of its longer axis holds one pixel's worth of ink, shared
    // by the pixels nearest the exact line (pixel centres at whole coordinates); nothing is
    // marked farther away. Aliased, the same line has no grey.
    struct Case
    {
        const char* name;
        QPoint from;
        QPoint to;
    };
    const Case cases[] = {
        {"gentle, rightwards", {10, 20}, {90, 45}},
        {"steep, downwards", {30, 5}, {45, 95}},
        {"gentle, up and left", {90, 80}, {8, 61}},
        {"leaving the image", {60, 70}, {400, 10}},
    };
    for (const Surface& surface : kSurfaces) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << surface.name << ", " << c.name);
            const QImage image = SmoothLinesOn(surface, {{c.from, c.to}});
            const QLineF exact(c.from, c.to);
            const bool alongX = std::abs(exact.dx()) >= std::abs(exact.dy());
            int grey = 0;
            for (int y = 0; y < 100; ++y) {
                for (int x = 0; x < 100; ++x) {
                    const QRgb p = image.pixel(x, y);
                    grey += Intermediate(p, kWhite, qRgb(0, 0, 0));
                    if (p == kWhite) continue;
                    // Distance across the line, along the shorter axis.
                    const double t =
                        alongX ? (x - c.from.x()) / exact.dx() : (y - c.from.y()) / exact.dy();
                    const double across = alongX ? y - (c.from.y() + t * exact.dy())
                                                 : x - (c.from.x() + t * exact.dx());
                    ASSERT_LE(std::abs(across), 1.0) << "mark at " << x << ", " << y;
                }
            }
            EXPECT_GT(grey, 40);
            // One pixel of ink per step, centred on the exact line, away from the ends and the
            // image's edges.
            const int first =
                alongX ? std::min(c.from.x(), c.to.x()) : std::min(c.from.y(), c.to.y());
            const int last = std::min(
                alongX ? std::max(c.from.x(), c.to.x()) : std::max(c.from.y(), c.to.y()), 99);
            for (int major = first + 2; major <= last - 2; ++major) {
                double ink = 0, moment = 0;
                for (int minor = 0; minor < 100; ++minor) {
                    const double i =
                        Ink(alongX ? image.pixel(major, minor) : image.pixel(minor, major));
                    ink += i;
                    moment += i * minor;
                }
                ASSERT_NEAR(ink, 1.0, 0.12) << "step at " << major;
                const double centre =
                    alongX ? c.from.y() + (major - c.from.x()) * exact.dy() / exact.dx()
                           : c.from.x() + (major - c.from.y()) * exact.dx() / exact.dy();
                ASSERT_NEAR(moment / ink, centre, 0.15) << "step at " << major;
            }
            const QImage aliased = SmoothLinesOn(surface, {{c.from, c.to}}, false);
            int aliasedGrey = 0;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 100; ++x)
                    aliasedGrey += Intermediate(aliased.pixel(x, y), kWhite, qRgb(0, 0, 0));
            EXPECT_EQ(aliasedGrey, 0);
            EXPECT_GE(CountDifferent(aliased, kWhite), 40);
        }
    }
}

TEST(QtCanvasTest, SmoothStraightLinesCoverTheirPixelsFully)
{
    // Horizontal, vertical and 45-degree lines lie on whole pixels: smooth, they set the same
    // pixels as aliased ones, from the first end up to, not including, the second. The painter
    // rounds its diagonals its own way.
    struct Case
    {
        const char* name;
        QPoint from;
        QPoint to;
        bool diagonal;
    };
    const Case cases[] = {
        {"rightwards", {10, 10}, {60, 10}, false},   {"leftwards", {60, 20}, {10, 20}, false},
        {"downwards", {30, 30}, {30, 80}, false},    {"upwards", {40, 80}, {40, 30}, false},
        {"diagonal down", {10, 10}, {50, 50}, true}, {"diagonal up-left", {90, 90}, {70, 70}, true},
    };
    for (const Surface& surface : kSurfaces) {
        for (const Case& c : cases) {
            if (c.diagonal && (surface.clipped || surface.format == QImage::Format_RGB888))
                continue;
            SCOPED_TRACE(::testing::Message() << surface.name << ", " << c.name);
            QImage expected = Blank();
            for (const QPoint& p : ExpectedPixels(c.from, c.to))
                expected.setPixel(p, qRgb(0, 0, 0));
            EXPECT_EQ(Differences(SmoothLinesOn(surface, {{c.from, c.to}}), expected), "");
        }
    }
}

TEST(QtCanvasTest, SmoothShapesHaveSoftEdgesInsideTheirAliasedOutline)
{
    // In copy mode polygons, ellipses, arcs and polylines get grey edge pixels, within a pixel
    // of where their aliased drawing lies; under the pen their inside keeps the brush's colour.
    struct Case
    {
        const char* name;
        std::function<void(Canvas&)> draw;
        QPoint inside; // a pixel of the brush, or none
    };
    const std::vector<PixelPoint> triangle = {{10, 10}, {90, 30}, {30, 85}};
    const Case cases[] = {
        {"polygon", [&](Canvas& c) { c.Polygon(triangle); }, {40, 40}},
        {"ellipse",
         [](Canvas& c) {
             c.Ellipse({15, 20, 85, 70});
         },
         {50, 45}},
        {"arc",
         [](Canvas& c) {
             c.Arc({15, 20, 85, 70});
         },
         {-1, -1}},
        {"polyline", [&](Canvas& c) { c.Polyline(triangle); }, {-1, -1}},
        {"wide sloped line",
         [](Canvas& c) {
             c.SelectPen(Pen{Colour(0, 0, 0), 3, PenStyle::Solid});
             Line(c, 10, 20, 90, 55);
         },
         {-1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto picture = [&](bool antialiasing) {
            QImage image = Blank();
            QPainter painter(&image);
            QtCanvas canvas(painter, antialiasing);
            canvas.SelectPen(Pen{Colour(0, 0, 0), 1, PenStyle::Solid});
            canvas.SelectBrush(Brush{Colour(0, 0, 255)});
            c.draw(canvas);
            return image;
        };
        const QImage smooth = picture(true), aliased = picture(false);
        QRect outline;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (aliased.pixel(x, y) != kWhite) outline |= QRect(x, y, 1, 1);
        int grey = 0, aliasedGrey = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const QRgb p = smooth.pixel(x, y);
                grey += Intermediate(p, kWhite, qRgb(0, 0, 0)) &&
                        Intermediate(p, qRgb(0, 0, 255), qRgb(0, 0, 0));
                aliasedGrey += Intermediate(aliased.pixel(x, y), kWhite, qRgb(0, 0, 0)) &&
                               aliased.pixel(x, y) != qRgb(0, 0, 255);
                if (p != kWhite) {
                    ASSERT_TRUE(outline.adjusted(-1, -1, 1, 1).contains(x, y))
                        << "mark at " << x << ", " << y;
                }
            }
        }
        EXPECT_GT(grey, 20);
        EXPECT_EQ(aliasedGrey, 0);
        if (c.inside.x() >= 0) {
            EXPECT_EQ(smooth.pixel(c.inside), qRgb(0, 0, 255));
        }
    }
}

TEST(QtCanvasTest, SmoothEllipsesDrawnAgainLookTheSame)
{
    // From its second time on an ellipse is copied from a picture of it: the copies match the
    // first one drawn, with a pen and brush, with a wide pen, and outlined only.
    struct Case
    {
        const char* name;
        Pen pen;
        bool filled;
    };
    const Case cases[] = {
        {"pen and brush", Pen{Colour(0, 0, 0), 1, PenStyle::Solid}, true},
        {"wide pen", Pen{Colour(200, 0, 0), 4, PenStyle::Solid}, true},
        {"outline", Pen{Colour(0, 90, 0), 1, PenStyle::Solid}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image = Blank();
        {
            QPainter painter(&image);
            QtCanvas canvas(painter);
            canvas.SelectPen(c.pen);
            canvas.SelectBrush(Brush{Colour(255, 200, 0)});
            for (const QPoint at : {QPoint(5, 5), QPoint(55, 5), QPoint(5, 55), QPoint(55, 55)}) {
                const PixelRect r{at.x(), at.y(), at.x() + 31, at.y() + 23};
                if (c.filled)
                    canvas.Ellipse(r);
                else
                    canvas.Arc(r);
            }
        }
        const QImage first = image.copy(0, 0, 45, 45);
        EXPECT_GT(CountDifferent(first, kWhite), 60);
        for (const QPoint at : {QPoint(50, 0), QPoint(0, 50), QPoint(50, 50)}) {
            const QImage copy = image.copy(QRect(at, QSize(45, 45)));
            for (int y = 0; y < 45; ++y)
                for (int x = 0; x < 45; ++x) {
                    const QColor a = first.pixelColor(x, y), b = copy.pixelColor(x, y);
                    ASSERT_LE(std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                                  std::abs(a.blue() - b.blue()),
                              6)
                        << "at " << x << ", " << y << " of the copy at " << at.x() << ", "
                        << at.y();
                }
        }
    }
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

// A picture with some variety and smooth shapes, for the raster operations to work on.
QImage VariedPicture()
{
    QImage image = Blank();
    QPainter painter(&image);
    painter.fillRect(0, 0, 50, 100, QColor(30, 90, 200));
    painter.fillRect(25, 25, 50, 50, QColor(250, 240, 10));
    QtCanvas canvas(painter);
    canvas.SelectPen(Pen{Colour(120, 0, 60), 1, PenStyle::Solid});
    canvas.SelectBrush(Brush{Colour(0, 160, 90)});
    canvas.Ellipse({55, 5, 95, 35});
    Line(canvas, 0, 99, 99, 60);
    return image;
}

// Shapes of every kind, with sloped edges, under the raster operation `op`.
void CursorShapes(Canvas& canvas, RasterOp op)
{
    canvas.SelectPen(Pen{Colour(0x3C, 0xFF, 0x0F), 1, PenStyle::Solid});
    canvas.SelectBrush(Brush{Colour(0x3C, 0xFF, 0x0F)});
    canvas.SetRasterOp(op);
    Line(canvas, 40, 40, 5, 52);
    Line(canvas, 40, 40, 47, 95);
    canvas.Ellipse({30, 30, 50, 50});
    canvas.Arc({60, 60, 95, 80});
    const std::vector<PixelPoint> triangle = {{60, 10}, {95, 25}, {70, 45}};
    canvas.Polygon(triangle);
    const std::vector<PixelPoint> zigzag = {{5, 70}, {20, 90}, {33, 72}};
    canvas.Polyline(zigzag);
}

TEST(QtCanvasTest, RasterOperationsStayAliased)
{
    // Under a raster operation other than copy, shapes are drawn as with antialiasing off, and
    // each pixel is left either as it was or exactly combined with the pen: no pixel is
    // blended part-way, and lines stay one pixel thin.
    struct Case
    {
        const char* name;
        RasterOp op;
        QRgb (*combine)(QRgb before);
    };
    const Case cases[] = {
        {"mask", RasterOp::MaskPen, [](QRgb p) { return p & qRgb(0x3C, 0xFF, 0x0F); }},
        {"merge", RasterOp::MergePen, [](QRgb p) { return p | qRgb(0x3C, 0xFF, 0x0F); }},
        {"not", RasterOp::Not, [](QRgb p) { return ~p | 0xFF000000u; }},
        {"not xor", RasterOp::NotXorPen,
         [](QRgb p) { return ~(p ^ qRgb(0x3C, 0xFF, 0x0F)) | 0xFF000000u; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage before = VariedPicture();
        QImage image = before.copy(), aliased = before.copy();
        {
            QPainter painter(&image);
            QtCanvas canvas(painter);
            ASSERT_TRUE(canvas.Antialiasing());
            CursorShapes(canvas, c.op);
        }
        {
            QPainter painter(&aliased);
            QtCanvas canvas(painter);
            canvas.SetAntialiasing(false);
            CursorShapes(canvas, c.op);
        }
        EXPECT_EQ(Differences(image, aliased), "");
        int combined = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const QRgb was = before.pixel(x, y), now = image.pixel(x, y);
                if (now == was) continue;
                ASSERT_EQ(now, c.combine(was)) << "at " << x << ", " << y;
                ++combined;
            }
        }
        EXPECT_GT(combined, 300);
    }
}

TEST(QtCanvasTest, InvertingCursorsDrawnTwiceRestoreTheSmoothPicture)
{
    // With antialiasing on, shapes of every kind under Not and NotXorPen, drawn twice over a
    // picture with smooth shapes, give the picture back bit for bit.
    for (const RasterOp op : {RasterOp::Not, RasterOp::NotXorPen}) {
        SCOPED_TRACE(static_cast<int>(op));
        const QImage before = VariedPicture();
        QImage image = before.copy();
        auto drawCursor = [&] {
            QPainter painter(&image);
            QtCanvas canvas(painter);
            CursorShapes(canvas, op);
        };
        drawCursor();
        EXPECT_NE(image, before);
        drawCursor();
        EXPECT_EQ(Differences(image, before), "");
    }
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
