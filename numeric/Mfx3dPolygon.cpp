// Planar polygon of 3D points: construction, normal and centroid.
#include "Mfx3dPolygon.h"

namespace velmor {

Mfx3dPolygon::Mfx3dPolygon(int count, const Mfx3dPoint* points, const int* indices)
{
    if (count < 1 || points == nullptr)
        return;
    m_points.reserve(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k)
        m_points.push_back(points[indices ? indices[k] : k]);
}

Mfx3dPoint Mfx3dPolygon::Normal() const
{
    if (m_points.size() < 3)
        return {};
    const Mfx3dPoint& a = m_points[0];
    Mfx3dPoint n = cross(m_points[1] - a, m_points[2] - a);
    if (n == Mfx3dPoint())
        return {};
    n.normalize();
    n.w = 0.0;
    return n;
}

Mfx3dPoint Mfx3dPolygon::Centroid() const
{
    if (m_points.empty())
        return {};
    Mfx3dPoint sum(0.0, 0.0, 0.0);
    for (const Mfx3dPoint& p : m_points)
        sum += p;
    return sum / static_cast<double>(m_points.size());
}

} // namespace velmor
