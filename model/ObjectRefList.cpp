#include "ObjectRefList.h"

#include <algorithm>

namespace velmor {

void ObjectRefList::push_back(VelmorObject* object)
{
    m_items.push_back(object);
    if (m_counts) {
        ++(*m_counts)[object];
    } else if (size() > kHashFrom) {
        m_counts = std::make_unique<std::unordered_map<const VelmorObject*, int>>();
        for (const VelmorObject* o : *this)
            ++(*m_counts)[o];
    }
}

bool ObjectRefList::remove_first(VelmorObject* object)
{
    if (m_counts && !m_counts->count(object))
        return false;
    auto it = std::find(begin(), end(), object);
    if (it == end())
        return false;
    if (it == begin()) {
        ++m_head;
        // Give the space of the removed front back once it is half of the list.
        if (m_head == m_items.size()) {
            m_items.clear();
            m_head = 0;
        } else if (m_head > 16 && m_head > m_items.size() / 2) {
            m_items.erase(m_items.begin(), m_items.begin() + long(m_head));
            m_head = 0;
        }
    } else {
        m_items.erase(it);
    }
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
    return std::find(begin(), end(), object) != end();
}

void ObjectRefList::clear()
{
    m_items.clear();
    m_head = 0;
    m_counts.reset();
}

} // namespace velmor
