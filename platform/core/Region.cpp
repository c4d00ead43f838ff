// Hit-test regions: building the union of shapes and the exact point tests.
#include "Region.h"

#include <algorithm>
#include <cstdint>
#include <ostream>

namespace velmor {

namespace {

std::int64_t Cross(const PixelPoint& a, const PixelPoint& b, int x, int y)
{
    // (b - a) x (p - a): positive when p lies to the left of a->b in a y-up frame.
    const std::int64_t dx = std::int64_t{b.x} - a.x;
    const std::int64_t dy = std::int64_t{b.y} - a.y;
    return dx * (std::int64_t{y} - a.y) - dy * (std::int64_t{x} - a.x);
}

bool OnSegment(const PixelPoint& a, const PixelPoint& b, int x, int y)
{
    return Cross(a, b, x, y) == 0 && x >= std::min(a.x, b.x) && x <= std::max(a.x, b.x) &&
           y >= std::min(a.y, b.y) && y <= std::max(a.y, b.y);
}

bool HasArea(std::span<const PixelPoint> points)
{
    if (points.size() < 3)
        return false;
    const PixelPoint& origin = points[0];
    auto other = std::find_if(points.begin(), points.end(),
                              [&](const PixelPoint& p) { return p != origin; });
    if (other == points.end())
        return false;
    return std::any_of(points.begin(), points.end(),
                       [&](const PixelPoint& p) { return Cross(origin, *other, p.x, p.y) != 0; });
}

bool PolygonContains(std::span<const PixelPoint> points, FillRule rule, int x, int y)
{
    const size_t n = points.size();
    int crossings = 0;
    int winding = 0;
    for (size_t i = 0; i < n; ++i) {
        const PixelPoint& a = points[i];
        const PixelPoint& b = points[(i + 1) % n];
        if (OnSegment(a, b, x, y))
            return true;
        const std::int64_t c = Cross(a, b, x, y);
        // Half-open in y, so a vertex on the ray counts once.
        if (a.y <= y) {
            if (b.y > y && c > 0) {
                ++winding;
                ++crossings;
            }
        } else if (b.y <= y && c < 0) {
            --winding;
            ++crossings;
        }
    }
    return rule == FillRule::EvenOdd ? (crossings % 2) != 0 : winding != 0;
}

bool EllipseContains(const PixelRect& r, int x, int y)
{
    // Offsets from the centre in units of the semi-axes.
    const double u = (2.0 * x - r.left - r.right) / (double(r.right) - r.left);
    const double v = (2.0 * y - r.top - r.bottom) / (double(r.bottom) - r.top);
    return u * u + v * v <= 1.0;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const PixelPoint& p)
{
    return os << "(" << p.x << ", " << p.y << ")";
}

std::ostream& operator<<(std::ostream& os, const PixelRect& r)
{
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

PixelRect PixelRect::Normalized() const
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

Region Region::FromRect(const PixelRect& rect)
{
    Region r;
    r.AddRect(rect);
    return r;
}

Region Region::FromEllipse(const PixelRect& bounds)
{
    Region r;
    r.AddEllipse(bounds);
    return r;
}

Region Region::FromPolygon(std::span<const PixelPoint> points, FillRule rule)
{
    Region r;
    r.AddPolygon(points, rule);
    return r;
}

void Region::AddRect(const PixelRect& rect)
{
    if (rect.IsEmpty())
        return;
    m_shapes.push_back({ShapeKind::Rect, rect.Normalized(), {}, FillRule::EvenOdd});
}

void Region::AddEllipse(const PixelRect& bounds)
{
    if (bounds.IsEmpty())
        return;
    m_shapes.push_back({ShapeKind::Ellipse, bounds.Normalized(), {}, FillRule::EvenOdd});
}

void Region::AddPolygon(std::span<const PixelPoint> points, FillRule rule)
{
    if (!HasArea(points))
        return;
    PixelRect bounds{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const PixelPoint& p : points) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    m_shapes.push_back(
        {ShapeKind::Polygon, bounds, std::vector<PixelPoint>(points.begin(), points.end()), rule});
}

void Region::Union(const Region& other)
{
    if (&other == this)
        return; // the union of a region with itself is the region
    m_shapes.insert(m_shapes.end(), other.m_shapes.begin(), other.m_shapes.end());
}

void Region::Clear()
{
    m_shapes.clear();
}

void Region::Offset(int dx, int dy)
{
    for (Shape& s : m_shapes) {
        s.bounds = {s.bounds.left + dx, s.bounds.top + dy, s.bounds.right + dx,
                    s.bounds.bottom + dy};
        for (PixelPoint& p : s.points)
            p = {p.x + dx, p.y + dy};
    }
}

bool Region::ShapeContains(const Shape& shape, int x, int y)
{
    const PixelRect& b = shape.bounds;
    if (x < b.left || x > b.right || y < b.top || y > b.bottom)
        return false;
    switch (shape.kind) {
    case ShapeKind::Rect:
        return true;
    case ShapeKind::Ellipse:
        return EllipseContains(b, x, y);
    case ShapeKind::Polygon:
        return PolygonContains(shape.points, shape.rule, x, y);
    }
    return false;
}

bool Region::Contains(int x, int y) const
{
    return std::any_of(m_shapes.begin(), m_shapes.end(),
                       [&](const Shape& s) { return ShapeContains(s, x, y); });
}

PixelRect Region::BoundingRect() const
{
    if (m_shapes.empty())
        return {};
    PixelRect r = m_shapes.front().bounds;
    for (const Shape& s : m_shapes) {
        r.left = std::min(r.left, s.bounds.left);
        r.top = std::min(r.top, s.bounds.top);
        r.right = std::max(r.right, s.bounds.right);
        r.bottom = std::max(r.bottom, s.bounds.bottom);
    }
    return r;
}

} // namespace velmor
