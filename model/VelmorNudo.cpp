#include "VelmorNudo.h"

namespace velmor {

VelmorNudo::VelmorNudo() : VelmorObject(0, std::make_unique<VelmorNudoData>()) {}

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

} // namespace velmor
