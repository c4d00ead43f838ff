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
    // An axis without a grid (step 0, as z of a plane problem) tells two nodes apart only
    // when they differ on it: otherwise every node would pass, one on top of another too.
    const auto apart = [](double distance, double gridStep) {
        return std::fabs(distance) >= gridStep && (gridStep > 0.0 || distance != 0.0);
    };
    return apart(d.x, step.x) || apart(d.y, step.y) || apart(d.z, step.z);
}

bool VelmorNudo::IsHinged(int problemType) const
{
    return Data().m_nJoint != 0 || problemType == PROBLEM_SPACE_TRUSS;
}

} // namespace velmor
