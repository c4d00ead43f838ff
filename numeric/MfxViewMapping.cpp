// Window-to-viewport mapping: the fit rule and its matrices.
#include "MfxViewMapping.h"

#include <algorithm>
#include <limits>

namespace velmor {

void MfxViewMapping::Fit(const MfxRect& window, const MfxRect& viewport)
{
    m_window = window;
    m_window.Normalize();
    m_viewport = viewport;
    m_viewport.Normalize();

    double s = std::numeric_limits<double>::infinity();
    if (m_window.Width() > 0)
        s = std::min(s, m_viewport.Width() / m_window.Width());
    if (m_window.Height() > 0)
        s = std::min(s, m_viewport.Height() / m_window.Height());
    if (s == std::numeric_limits<double>::infinity())
        s = 0.0;
    m_scale = s;

    m_scaledWindow =
        MfxRect(m_window.left * s, m_window.top * s, m_window.right * s, m_window.bottom * s);
    m_dirty = true;
}

const MfxTMatrix& MfxViewMapping::Forward() const
{
    if (m_dirty)
        Rebuild();
    return m_forward;
}

const MfxTMatrix& MfxViewMapping::Inverse() const
{
    if (m_dirty)
        Rebuild();
    return m_inverse;
}

void MfxViewMapping::Rebuild() const
{
    const double halfWidth = m_window.Width() / 2;
    const double halfHeight = m_window.Height() / 2;
    const double s = m_scale;
    m_forward =
        MfxTMatrix::Scaling({s, s, s}) * MfxTMatrix::Translation({halfWidth, halfHeight, 0});
    // Scale 0 (an empty viewport) is not inverted: the inverse scales by 0 as well.
    const MfxTMatrix unscale =
        s > 0 ? MfxTMatrix::Scaling({s, s, s}, true) : MfxTMatrix::Scaling({0, 0, 0});
    m_inverse = MfxTMatrix::Translation({-halfWidth, -halfHeight, 0}) * unscale;
    m_dirty = false;
}

} // namespace velmor
