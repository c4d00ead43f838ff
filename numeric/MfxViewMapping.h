// Window-to-viewport mapping of a 3D view: fits a picture, given in view coordinates, into a
// device rectangle with one uniform scale.
#pragma once

#include "MfxRect.h"
#include "MfxTMatrix.h"

namespace velmor {

// Fit() stores the window (extents of the picture in view coordinates, in which the target sits
// at the origin) and the viewport (device rectangle to fill); both are normalised. The scale s
// is the smaller of viewport width / window width and viewport height / window height, so the
// whole window fits; a window side of zero length does not limit it. The scaled window (the
// drawing) is the window times s.
//
// Forward maps a view point v to s (v + (window width / 2, window height / 2)): the view
// origin lands at the centre of the drawing, the device rectangle from (0, 0) to the scaled
// window's width and height; the viewport's position plays no part. Inverse undoes it. Both
// are rebuilt on first use after Fit(). An empty viewport (a window not laid out yet) gives
// s = 0: forward collapses the picture onto one point and inverse scales by 0 instead of
// dividing by it, so every result stays finite.
class MfxViewMapping
{
public:
    // Identity matrices, empty rectangles, scale 1.
    MfxViewMapping() = default;

    void Fit(const MfxRect& window, const MfxRect& viewport);

    const MfxTMatrix& Forward() const;
    const MfxTMatrix& Inverse() const;

    const MfxRect& Window() const { return m_window; }
    const MfxRect& ScaledWindow() const { return m_scaledWindow; }
    const MfxRect& Viewport() const { return m_viewport; }
    // Device units per view unit.
    double Scale() const { return m_scale; }

private:
    void Rebuild() const;

    mutable MfxTMatrix m_forward;
    mutable MfxTMatrix m_inverse;
    MfxRect m_window;
    MfxRect m_scaledWindow;
    MfxRect m_viewport;
    double m_scale = 1.0;
    mutable bool m_dirty = false;
};

} // namespace velmor
