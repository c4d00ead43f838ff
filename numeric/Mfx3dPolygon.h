// Planar polygon of 3D points for the drawing context: a face cut out of a solid's corner
// list, with its normal and centroid.
#pragma once

#include "Mfx3dPoint.h"

#include <span>
#include <vector>

namespace velmor {

// Owns a copy of its vertices; copies are deep. The vertices are expected to lie in one plane
// (not checked).
class Mfx3dPolygon
{
public:
    Mfx3dPolygon() = default;
    // `count` vertices taken from `points`: vertex k is points[k], or points[indices[k]] when an
    // index array is given. The arrays must hold `count` entries and the indices must lie inside
    // `points` (not checked). A count below 1 or a null point array gives an empty polygon.
    Mfx3dPolygon(int count, const Mfx3dPoint* points, const int* indices = nullptr);

    int Count() const { return static_cast<int>(m_points.size()); }
    // Vertex k, 0-based, 0 <= k < Count() (not checked).
    const Mfx3dPoint& operator[](int k) const { return m_points[static_cast<size_t>(k)]; }
    Mfx3dPoint& operator[](int k) { return m_points[static_cast<size_t>(k)]; }
    std::span<const Mfx3dPoint> Points() const { return m_points; }

    // cross(B - A, C - A) of the first three vertices A, B, C, normalised and returned with
    // w = 0; when that cross product is exactly zero (collinear or repeated vertices, or fewer
    // than three vertices) the result is (0, 0, 0, 1).
    Mfx3dPoint Normal() const;
    // Mean of the vertices (sums of x, y, z divided by the count), w = 1; (0, 0, 0, 1) for an
    // empty polygon.
    Mfx3dPoint Centroid() const;

private:
    std::vector<Mfx3dPoint> m_points;
};

} // namespace velmor
