#include "VelmorNudo.h"

#include "ElementContainer.h"
#include "ElementTemplate.h"

#include <cmath>

namespace velmor {
VelmorNudo::VelmorNudo() : VelmorObject(0, std::make_unique<VelmorNudoData>()) {}

VelmorNudo::VelmorNudo(const Mfx3dPoint& point) : VelmorNudo()
{
    Data().m_coord = Mfx3dPoint(point.x, point.y, point.z);
}

VelmorNudo::VelmorNudo(double x, double y, double z) : VelmorNudo(Mfx3dPoint(x, y, z)) {}

VelmorNudo::VelmorNudo(const VelmorNudoData& data)
    : VelmorObject(0, std::make_unique<VelmorNudoData>(data))
{
    m_pData->m_kind = KIND_NODE;
}

int VelmorNudo::GetNumber(int) const
{
    return Data().m_nAnalysisNumber;
}

Mfx3dPoint& VelmorNudo::GetPosition(Mfx3dPoint& point, int, int) const
{
    point = Data().m_coord;
    return point;
}

bool VelmorNudo::AcceptsNew(const ElementTemplate& candidate, const ElementContainer& container) const
{
    const Mfx3dPoint step = container.GridStep();
    const Mfx3dPoint d = candidate.m_node.m_coord - Data().m_coord;
    return std::fabs(d.x) >= step.x || std::fabs(d.y) >= step.y || std::fabs(d.z) >= step.z;
}

bool VelmorNudo::IsHinged(int problemType) const
{
    return Data().m_nJoint != 0 || problemType == PROBLEM_SPACE_TRUSS;
}

} // namespace velmor
