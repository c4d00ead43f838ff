#include "VelmorApoyo.h"

#include "ElementTemplate.h"

namespace velmor {
VelmorApoyo::VelmorApoyo() : VelmorObject(1, std::make_unique<VelmorApoyoData>()) {}

VelmorApoyo::VelmorApoyo(const VelmorApoyoData& data, VelmorObject* node)
    : VelmorObject(1, std::make_unique<VelmorApoyoData>(data))
{
    m_pData->m_kind = KIND_SUPPORT;
    m_pParents[0] = node;
}

bool VelmorApoyo::AcceptsNew(const ElementTemplate& candidate, const ElementContainer&) const
{
    return candidate.m_pParents[0] != GetParent(0);
}

} // namespace velmor
