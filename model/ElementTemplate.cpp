#include "ElementTemplate.h"

#include "VelmorObject.h"

#include <algorithm>
#include <utility>

namespace velmor {

ElementTemplate::ElementTemplate() = default;

void ElementTemplate::Reset()
{
    m_kind = KIND_NONE;
    m_nParents = 0;
    for (VelmorObject*& p : m_pParents)
        p = nullptr;
}

void ElementTemplate::SetKind(int kind)
{
    Reset();
    m_kind = kind;
    if (kind == KIND_BEAM)
        m_nParents = 3;
    else if (kind == KIND_SUPPORT || kind == KIND_NODAL_LOAD || kind == KIND_BEAM_LOAD)
        m_nParents = 1;
}

void ElementTemplate::LoadFrom(const VelmorObject& element)
{
    Reset();
    m_kind = element.Kind();
    if (VelmorObjectData* record = Record(); record && element.m_pData)
        record->Assign(*element.m_pData);
    m_nParents = std::min(element.ParentCount(), 3);
    for (int i = 0; i < m_nParents; ++i)
        m_pParents[i] = element.GetParent(i);
}

bool ElementTemplate::IsComplete() const
{
    for (int i = 0; i < m_nParents && i < 3; ++i)
        if (!m_pParents[i])
            return false;
    return true;
}

bool ElementTemplate::IsValid() const
{
    switch (m_kind) {
    case KIND_NODE:
    case KIND_SECTION:
        return Record()->IsValid() != 0;
    case KIND_BEAM:
        return m_pParents[1] != m_pParents[2] && m_beam.IsValid() && IsComplete();
    case KIND_SUPPORT:
    case KIND_NODAL_LOAD:
    case KIND_BEAM_LOAD:
        return Record()->IsValid() && IsComplete();
    default:
        return false;
    }
}

VelmorObjectData* ElementTemplate::Record()
{
    return const_cast<VelmorObjectData*>(std::as_const(*this).Record());
}

const VelmorObjectData* ElementTemplate::Record() const
{
    switch (m_kind) {
    case KIND_NODE: return &m_node;
    case KIND_SECTION: return &m_section;
    case KIND_BEAM: return &m_beam;
    case KIND_SUPPORT: return &m_support;
    case KIND_NODAL_LOAD:
    case KIND_BEAM_LOAD: return &m_load;
    default: return nullptr;
    }
}

} // namespace velmor
