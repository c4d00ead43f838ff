#include "VelmorViga.h"

#include "ElementTemplate.h"
#include "VelmorSeccion.h"

#include <cmath>
#include <utility>

namespace velmor {
VelmorViga::VelmorViga() : VelmorObject(3, std::make_unique<VelmorVigaData>()) {}

VelmorViga::VelmorViga(const VelmorVigaData& data, VelmorObject* section, VelmorObject* node1,
                       VelmorObject* node2)
    : VelmorObject(3, std::make_unique<VelmorVigaData>(data))
{
    m_pData->m_kind = KIND_BEAM;
    m_pParents[0] = section;
    m_pParents[1] = node1;
    m_pParents[2] = node2;
}

int VelmorViga::ParentKind(int slot) const
{
    return slot == 0 ? KIND_SECTION : KIND_NODE;
}

double VelmorViga::GetLength() const
{
    Mfx3dPoint p1, p2;
    GetPosition(p1, 1, 0);
    GetPosition(p2, 2, 0);
    return (p2 - p1).length();
}

bool VelmorViga::AcceptsNew(const ElementTemplate& candidate, const ElementContainer&) const
{
    const VelmorObject* a = candidate.m_pParents[1];
    const VelmorObject* b = candidate.m_pParents[2];
    const VelmorObject* n1 = GetParent(1);
    const VelmorObject* n2 = GetParent(2);
    return (a == n1 && b == n2) || (a == n2 && b == n1) ? 0 : 1;
}

int VelmorViga::SetIJOrientation(int value)
{
    if (value == m_nSwapped)
        return 0;
    if (value == 1 && GetNumber(2) >= GetNumber(1))
        return 1;
    if (value != 0 && value != 1)
        return 1;
    m_nSwapped = value;
    std::swap(m_pParents[1], m_pParents[2]);
    return 1;
}

bool VelmorViga::HasSelfWeight() const
{
    const VelmorObject* section = GetParent(0);
    return section && section->Kind() == KIND_SECTION &&
           static_cast<const VelmorSeccion*>(section)->Data().m_rho > 0.0;
}

namespace {

// The local y axis that an orientation gives a beam along x: the orientation crossed with x,
// or, when the two are parallel and the orientation lies along a global axis, the axis that
// follows it. Zero when the orientation decides nothing.
Mfx3dPoint localY(Mfx3dPoint v, const Mfx3dPoint& x)
{
    v.normalize();
    Mfx3dPoint y = cross(v, x);
    if (y == Mfx3dPoint(0, 0, 0)) {
        if (std::fabs(dot(v, Mfx3dPoint(0, 0, 1))) == 1)
            y = Mfx3dPoint(1, 0, 0);
        if (std::fabs(dot(v, Mfx3dPoint(1, 0, 0))) == 1)
            y = Mfx3dPoint(0, 1, 0);
        if (std::fabs(dot(v, Mfx3dPoint(0, 1, 0))) == 1)
            y = Mfx3dPoint(0, 0, 1);
    }
    return y;
}

} // namespace

MfxTMatrix VelmorViga::LocalAxes() const
{
    Mfx3dPoint p1, p2;
    GetPosition(p1, 1, 0);
    GetPosition(p2, 2, 0);
    Mfx3dPoint x = p2 - p1;
    x.normalize();
    Mfx3dPoint y = localY(Data().m_orientation, x);
    // An orientation that decides nothing (none at all, or one along a beam that does not lie
    // on a global axis) would leave the beam without local axes, and so without bending
    // stiffness: the default orientation takes its place.
    if (y == Mfx3dPoint(0, 0, 0))
        y = localY(VelmorVigaData().m_orientation, x);
    y.normalize();
    const Mfx3dPoint z = cross(x, y);
    return MfxTMatrix(x, y, z);
}

} // namespace velmor
