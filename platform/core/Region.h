// Hit-test regions of the views: an exact union of rectangles, ellipses and polygons in integer
// device units, asked whether a point lies inside and for its bounding rectangle.
#pragma once

#include <iosfwd>
#include <span>
#include <vector>

namespace velmor {

// A point in integer device units, x to the right and y downwards.
struct PixelPoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A rectangle by two opposite corners in integer device units. Nothing orders the corners on
// construction; Normalized() puts left <= right and top <= bottom.
struct PixelRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    PixelRect Normalized() const;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // True when the normalised rectangle has no area.
    bool IsEmpty() const { return left == right || top == bottom; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Polygon fill rules: even-odd (a point is inside when a ray from it crosses the outline an odd
// number of times; the default, as the old region functions had it) or winding (inside when the
// outline winds around the point a non-zero number of times).
// "(x, y)" and "(left, top, right, bottom)".
std::ostream& operator<<(std::ostream& os, const PixelPoint& p);
std::ostream& operator<<(std::ostream& os, const PixelRect& r);

enum class FillRule
{
    EvenOdd,
    Winding
};

// A union of shapes kept as given, never rasterised: Contains tests each shape exactly.
//
// Every shape is a closed set: points on a rectangle's sides, on an ellipse's outline or on a
// polygon's edges are inside. A rectangle or ellipse is given by its bounding rectangle in any
// corner order; the ellipse is the one inscribed in it. Shapes without area (a rectangle or
// ellipse of zero width or height, a polygon of fewer than three vertices or whose vertices all
// lie on one line) are not added, so they contain nothing, as the old regions did.
//
// Coordinates are expected within the drawing context's device limit (about +-6.7e7, see
// Mfx3dDC); the polygon test uses exact 64-bit integer arithmetic within it.
class Region
{
public:
    // The empty region.
    Region() = default;

    static Region FromRect(const PixelRect& rect);
    static Region FromEllipse(const PixelRect& bounds);
    static Region FromPolygon(std::span<const PixelPoint> points,
                              FillRule rule = FillRule::EvenOdd);

    // Each adds one shape to the union.
    void AddRect(const PixelRect& rect);
    void AddEllipse(const PixelRect& bounds);
    void AddPolygon(std::span<const PixelPoint> points, FillRule rule = FillRule::EvenOdd);

    // Adds every shape of `other`.
    void Union(const Region& other);
    // Removes every shape.
    void Clear();
    // Moves every shape by (dx, dy).
    void Offset(int dx, int dy);

    bool Contains(int x, int y) const;
    bool Contains(const PixelPoint& p) const { return Contains(p.x, p.y); }
    // The smallest rectangle holding every shape (the polygons' vertices, the rectangles and
    // the ellipses' bounding rectangles), normalised; (0, 0, 0, 0) for the empty region.
    PixelRect BoundingRect() const;
    bool IsEmpty() const { return m_shapes.empty(); }
    // Number of shapes in the union.
    int ShapeCount() const { return static_cast<int>(m_shapes.size()); }

private:
    enum class ShapeKind
    {
        Rect,
        Ellipse,
        Polygon
    };
    struct Shape
    {
        ShapeKind kind = ShapeKind::Rect;
        // The rectangle, the ellipse's bounds or the polygon's bounding rectangle (normalised).
        PixelRect bounds;
        std::vector<PixelPoint> points;
        FillRule rule = FillRule::EvenOdd;
    };
    static bool ShapeContains(const Shape& shape, int x, int y);

    std::vector<Shape> m_shapes;
};

} // namespace velmor
