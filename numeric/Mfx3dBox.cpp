// Oriented box: construction from corners or from its base, and its centre, size and corners.
#include "Mfx3dBox.h"

#include <cstddef>

namespace velmor {

Mfx3dBox::Mfx3dBox(const Mfx3dPoint& minCorner, const Mfx3dPoint& maxCorner)
    : m_baseCentre((minCorner.x + maxCorner.x) / 2, (minCorner.y + maxCorner.y) / 2, minCorner.z),
      m_halfX((maxCorner.x - minCorner.x) / 2), m_halfY((maxCorner.y - minCorner.y) / 2),
      m_height(maxCorner.z - minCorner.z), m_minCorner(minCorner.x, minCorner.y, minCorner.z),
      m_maxCorner(maxCorner.x, maxCorner.y, maxCorner.z)
{
}

Mfx3dBox::Mfx3dBox(const Mfx3dPoint& baseCentre, double halfX, double halfY, double height,
                   const MfxTMatrix& orientation, int kind)
    : m_baseCentre(baseCentre.x, baseCentre.y, baseCentre.z), m_halfX(halfX), m_halfY(halfY),
      m_height(height), m_orientation(orientation), m_kind(kind),
      m_minCorner(baseCentre.x - halfX, baseCentre.y - halfY, baseCentre.z),
      m_maxCorner(baseCentre.x + halfX, baseCentre.y + halfY, baseCentre.z + height)
{
}

Mfx3dPoint Mfx3dBox::Centre() const
{
    return m_baseCentre + m_orientation * Mfx3dPoint(0, 0, m_height / 2, 0);
}

Mfx3dPoint Mfx3dBox::Size() const
{
    return {2 * m_halfX, 2 * m_halfY, m_height};
}

std::array<Mfx3dPoint, 8> Mfx3dBox::Corners() const
{
    const double hx = m_halfX;
    const double hy = m_halfY;
    const double h = m_height;
    const Mfx3dPoint offsets[8] = {{-hx, -hy, 0, 0}, {hx, -hy, 0, 0},  {hx, hy, 0, 0},
                                   {-hx, hy, 0, 0},  {-hx, -hy, h, 0}, {hx, -hy, h, 0},
                                   {hx, hy, h, 0},   {-hx, hy, h, 0}};
    std::array<Mfx3dPoint, 8> corners;
    for (std::size_t k = 0; k < corners.size(); ++k)
        corners[k] = m_baseCentre + m_orientation * offsets[k];
    return corners;
}

} // namespace velmor
