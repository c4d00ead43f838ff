// The drawing surface the 3D drawing context and the views paint on: pens, brushes, fonts,
// raster operations, lines, polygons, ellipses, rectangles and text in integer device units.
#pragma once

#include "Region.h"

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace velmor {

// A colour as three ints red, green, blue. (-1, -1, -1) means "no colour given": the drawing
// context keeps the pen or brush already selected, and a pen or brush of no colour draws
// nothing. Building a colour clamps each component to 0..255 unless all three are negative, in
// which case the result is the no-colour value. Adding colours adds the components and builds
// the result the same way.
class Colour
{
public:
    // No colour.
    constexpr Colour() = default;
    constexpr Colour(int r, int g, int b)
    {
        if (r < 0 && g < 0 && b < 0)
            return;
        red = Clamp(r);
        green = Clamp(g);
        blue = Clamp(b);
    }

    constexpr bool IsGiven() const { return red >= 0; }
    // red | green << 8 | blue << 16; 0xFFFFFFFF for no colour.
    constexpr std::uint32_t ToRgb() const
    {
        if (!IsGiven())
            return 0xFFFFFFFFu;
        return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
               static_cast<std::uint32_t>(blue) << 16;
    }
    // "(r, g, b)" or "none".
    std::string ToString() const;

    Colour& operator+=(const Colour& c)
    {
        return *this = Colour(red + c.red, green + c.green, blue + c.blue);
    }
    friend Colour operator+(Colour a, const Colour& b) { return a += b; }
    friend bool operator==(const Colour&, const Colour&) = default;

    int red = -1;
    int green = -1;
    int blue = -1;

private:
    static constexpr int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
};

// Writes ToString().
std::ostream& operator<<(std::ostream& os, const Colour& c);

// Values as the old device context numbered them.
enum class PenStyle : int
{
    Solid = 0,
    Dash = 1,
    Dot = 2
};

struct Pen
{
    Colour colour{0, 0, 0};
    // In device units; 0 and 1 both give the thinnest line.
    int width = 1;
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// A solid brush; a brush of no colour fills nothing.
struct Brush
{
    Colour colour{255, 255, 255};
    friend bool operator==(const Brush&, const Brush&) = default;
};

struct Font
{
    std::string face = "Arial";
    // Height of the character cell in device pixels (the em height of the face).
    int pixelHeight = 12;
    // 400 normal, 700 bold.
    int weight = 400;
    friend bool operator==(const Font&, const Font&) = default;
};

// How a pen or brush combines with the pixels under it. The values are those of the old
// device context's binary raster operations.
enum class RasterOp : int
{
    Not = 6,        // inverts the destination; the pen's colour plays no part
    MaskPen = 9,    // destination AND pen
    NotXorPen = 10, // NOT (destination XOR pen): drawing twice restores the pixels
    CopyPen = 13,   // plain drawing
    MergePen = 15,  // destination OR pen
};

enum class BackgroundMode : int
{
    Transparent = 1,
    Opaque = 2
};

// Drawing state and primitives in integer device units, x to the right and y downwards. The
// canvas starts with Pen{}, Brush{}, Font{}, RasterOp::CopyPen, black text on an opaque white
// background, and the current position at (0, 0).
//
// Select* and Set* return what was selected before, so a caller can put it back: that is how
// the drawing context restores the pen, brush and font it found. Rectangles take two opposite
// corners; the right and bottom edges lie outside the filled area as on the old device
// context. Implementations may fall back to plain drawing for a raster operation the device
// cannot do (printers, PDF).
class Canvas
{
public:
    virtual ~Canvas() = default;

    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual Brush SelectBrush(const Brush& brush) = 0;
    virtual Font SelectFont(const Font& font) = 0;
    virtual Pen CurrentPen() const = 0;
    virtual Brush CurrentBrush() const = 0;
    virtual Font CurrentFont() const = 0;

    virtual RasterOp SetRasterOp(RasterOp op) = 0;
    virtual RasterOp CurrentRasterOp() const = 0;

    virtual Colour SetTextColour(const Colour& colour) = 0;
    virtual Colour SetBackgroundColour(const Colour& colour) = 0;
    virtual BackgroundMode SetBackgroundMode(BackgroundMode mode) = 0;

    // Sets the current position.
    virtual void MoveTo(int x, int y) = 0;
    // A line with the pen from the current position to (x, y), which becomes the current
    // position.
    virtual void LineTo(int x, int y) = 0;
    // The closed polygon filled with the brush (even-odd rule) and outlined with the pen.
    virtual void Polygon(std::span<const PixelPoint> points) = 0;
    // Lines with the pen through the points in order, not closed; the current position is
    // neither used nor changed.
    virtual void Polyline(std::span<const PixelPoint> points) = 0;
    // The ellipse inscribed in the rectangle, filled with the brush and outlined with the pen.
    virtual void Ellipse(const PixelRect& rect) = 0;
    // The whole outline of the ellipse inscribed in the rectangle, with the pen; not filled.
    virtual void Arc(const PixelRect& rect) = 0;
    // The rectangle filled with the brush and outlined with the pen.
    virtual void Rectangle(const PixelRect& rect) = 0;
    // UTF-8 text with the current font and text colour, its cell's top-left corner at (x, y);
    // in opaque mode the cell is first filled with the background colour.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Width and height of the text's cell in the current font.
    virtual PixelPoint TextSize(std::string_view text) const = 0;
    // A dotted rectangle that inverts what is under it, whatever the pen and raster operation:
    // drawing the same rectangle twice restores the pixels.
    virtual void DrawFocusRect(const PixelRect& rect) = 0;

protected:
    Canvas() = default;
    Canvas(const Canvas&) = default;
    Canvas& operator=(const Canvas&) = default;
};

} // namespace velmor
