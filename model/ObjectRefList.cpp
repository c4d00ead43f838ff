#include "ObjectRefList.h"

#include <algorithm>

namespace velmor {

void ObjectRefList::push_back(VelmorObject* object)
{
    m_items.push_back(object);
    if (m_counts) {
        ++(*m_counts)[object];
    } else if (m_items.size() > kHashFrom) {
        m_counts = std::make_unique<std::unordered_map<const VelmorObject*, int>>();
        for (const VelmorObject* o : m_items)
            ++(*m_counts)[o];
    }
}

bool ObjectRefList::remove_first(VelmorObject* object)
{
    if (m_counts && !m_counts->count(object))
        return false;
    auto it = std::find(m_items.begin(), m_items.end(), object);
    if (it == m_items.end())
        return false;
    m_items.erase(it);
    if (m_counts) {
        auto c = m_counts->find(object);
        if (--c->second == 0)
            m_counts->erase(c);
    }
    return true;
}

bool ObjectRefList::contains(const VelmorObject* object) const
{
    if (m_counts)
        return m_counts->count(object) != 0;
    return std::find(m_items.begin(), m_items.end(), object) != m_items.end();
}

void ObjectRefList::clear()
{
    m_items.clear();
    m_counts.reset();
}

} // namespace velmor
