#include "VelmorSeccion.h"

#include "ElementTemplate.h"

namespace velmor {
VelmorSeccion::VelmorSeccion() : VelmorObject(0, std::make_unique<VelmorSeccionData>()) {}

VelmorSeccion::VelmorSeccion(const VelmorSeccionData& data)
    : VelmorObject(0, std::make_unique<VelmorSeccionData>(data))
{
    m_pData->m_kind = KIND_SECTION;
}

bool VelmorSeccion::AcceptsNew(const ElementTemplate& candidate, const ElementContainer&) const
{
    return !Data().SameSection(candidate.m_section);
}

} // namespace velmor
