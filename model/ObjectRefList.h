// An ordered list of non-owning element pointers (duplicates allowed): the child and draw lists
// of an element. Empty lists allocate nothing; removing from the front is constant time, and
// membership is hashed once the list grows long (a section can carry every beam of a model).
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

namespace velmor {

class VelmorObject;

class ObjectRefList
{
public:
    using const_iterator = std::vector<VelmorObject*>::const_iterator;

    void push_back(VelmorObject* object);
    // Removes the first occurrence; false when the object is not in the list.
    bool remove_first(VelmorObject* object);
    bool contains(const VelmorObject* object) const;
    void clear();

    VelmorObject* front() const { return m_items[m_head]; }
    bool empty() const { return m_head == m_items.size(); }
    size_t size() const { return m_items.size() - m_head; }
    const_iterator begin() const { return m_items.begin() + long(m_head); }
    const_iterator end() const { return m_items.end(); }

private:
    static constexpr size_t kHashFrom = 32;
    std::vector<VelmorObject*> m_items; // the list is m_items[m_head ..]
    size_t m_head = 0;
    std::unique_ptr<std::unordered_map<const VelmorObject*, int>> m_counts;
};

} // namespace velmor
