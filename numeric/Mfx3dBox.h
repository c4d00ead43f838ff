// Oriented box: the structure's bounding box and work box, the solids of the support symbols,
// and the base part of the camera.
#pragma once

#include "Mfx3dPoint.h"
#include "MfxTMatrix.h"

#include <array>

namespace velmor {

// A box standing on its base: the centre of the bottom face, half the width in x and in y,
// the height in z above the base, and a rotation about the base centre. Lengths are in model
// units (metres); none of them is checked for sign. Only the 3x3 rotation block of the
// orientation is used. The kind tells the drawing context which solid the box carries:
// kBox (also the triangular prism) or kPyramid.
class Mfx3dBox
{
public:
    static constexpr int kBox = 1;
    static constexpr int kPyramid = 2;

    // A box of zero size at the origin, identity orientation, kind kBox.
    Mfx3dBox() = default;
    // The axis-aligned box between a minimum and a maximum corner: base centre
    // ((x0+x1)/2, (y0+y1)/2, z0), half-extents (x1-x0)/2 and (y1-y0)/2, height z1-z0.
    // The corners are kept as given, so MinCorner() and MaxCorner() return them bit for bit.
    Mfx3dBox(const Mfx3dPoint& minCorner, const Mfx3dPoint& maxCorner);
    Mfx3dBox(const Mfx3dPoint& baseCentre, double halfX, double halfY, double height,
             const MfxTMatrix& orientation = MfxTMatrix(), int kind = kBox);

    const Mfx3dPoint& BaseCentre() const { return m_baseCentre; }
    double HalfExtentX() const { return m_halfX; }
    double HalfExtentY() const { return m_halfY; }
    double Height() const { return m_height; }
    const MfxTMatrix& Orientation() const { return m_orientation; }
    int Kind() const { return m_kind; }

    // Base centre + orientation * (0, 0, height / 2).
    Mfx3dPoint Centre() const;
    // (2 half-extent x, 2 half-extent y, height).
    Mfx3dPoint Size() const;
    // The corners of the box without its orientation: the ones it was built from, or else base
    // centre - (half-extent x, half-extent y, 0) and base centre + (half-extent x,
    // half-extent y, height). These are what the document file holds.
    Mfx3dPoint MinCorner() const { return m_minCorner; }
    Mfx3dPoint MaxCorner() const { return m_maxCorner; }
    // Corner k = base centre + orientation * offset k, with the offsets (-hx, -hy, 0),
    // (hx, -hy, 0), (hx, hy, 0), (-hx, hy, 0) on the base, then the same four at height h.
    std::array<Mfx3dPoint, 8> Corners() const;

private:
    Mfx3dPoint m_baseCentre;
    double m_halfX = 0.0;
    double m_halfY = 0.0;
    double m_height = 0.0;
    MfxTMatrix m_orientation;
    int m_kind = kBox;
    Mfx3dPoint m_minCorner;
    Mfx3dPoint m_maxCorner;
};

} // namespace velmor
