// Rectangle of doubles: picture extents in view coordinates, viewports and zoom rectangles in
// device units.
#pragma once

namespace velmor {

// Four sides as doubles. Nothing orders them on construction: a window's client rectangle
// comes as (0, 0, width, height) with top 0 and bottom the height, a dragged zoom band in any
// order. Normalize() puts them in the library's order, where top is the larger y. Integer
// corners convert exactly.
class MfxRect
{
public:
    constexpr MfxRect() = default;
    constexpr MfxRect(double l, double t, double r, double b) : left(l), top(t), right(r), bottom(b)
    {
    }

    // Swaps left and right when left > right, top and bottom when bottom > top.
    void Normalize();
    // right - left and top - bottom: both >= 0 once normalised.
    double Width() const { return right - left; }
    double Height() const { return top - bottom; }
    // True when left equals right or top equals bottom (exact comparison).
    bool IsEmpty() const;

    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// Exact comparison of the four sides.
bool operator==(const MfxRect& a, const MfxRect& b);
bool operator!=(const MfxRect& a, const MfxRect& b);

} // namespace velmor
