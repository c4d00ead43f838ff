#include "VelmorObjectList.h"

#include <algorithm>

namespace velmor {

void VelmorObjectList::Append(std::unique_ptr<VelmorObject> element)
{
    if (m_indexed && element->m_pData)
        m_byNumber.emplace(element->m_pData->m_number, element.get());
    m_items.push_back(std::move(element));
}

std::unique_ptr<VelmorObject> VelmorObjectList::Remove(const VelmorObject* element)
{
    auto it = std::find_if(m_items.begin(), m_items.end(),
                           [element](const auto& e) { return e.get() == element; });
    if (it == m_items.end())
        return nullptr;
    std::unique_ptr<VelmorObject> taken = std::move(*it);
    m_items.erase(it);
    InvalidateIndex();
    return taken;
}

void VelmorObjectList::InvalidateIndex() const
{
    m_indexed = false;
    m_byNumber.clear();
}

VelmorObject* VelmorObjectList::FindNumber(int number) const
{
    // A hit whose number has changed since the index was built means the index is stale.
    if (m_indexed) {
        auto it = m_byNumber.find(number);
        if (it != m_byNumber.end() && it->second->m_pData->m_number != number)
            InvalidateIndex();
    }
    if (!m_indexed) {
        m_byNumber.clear();
        m_byNumber.reserve(m_items.size());
        for (const auto& e : m_items)
            if (e->m_pData)
                m_byNumber.emplace(e->m_pData->m_number, e.get()); // the first one wins
        m_indexed = true;
    }
    auto it = m_byNumber.find(number);
    return it == m_byNumber.end() ? nullptr : it->second;
}

int VelmorObjectList::Renumber()
{
    int n = 0;
    for (const auto& e : m_items)
        if (e->m_pData)
            e->m_pData->m_number = ++n;
    InvalidateIndex();
    return n;
}

void VelmorObjectList::Clear()
{
    m_items.clear();
    InvalidateIndex();
}

} // namespace velmor
