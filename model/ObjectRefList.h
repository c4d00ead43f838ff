// An ordered list of non-owning element pointers (duplicates allowed): the child and draw lists
// of an element. Removing from the front is constant time, and membership is hashed once the
// list grows long (a section can carry every beam of a large model).
#pragma once

#include <deque>
#include <memory>
#include <unordered_map>

namespace velmor {

class VelmorObject;

class ObjectRefList
{
public:
    using const_iterator = std::deque<VelmorObject*>::const_iterator;

    void push_back(VelmorObject* object);
    // Removes the first occurrence; false when the object is not in the list.
    bool remove_first(VelmorObject* object);
    bool contains(const VelmorObject* object) const;
    void clear();

    VelmorObject* front() const { return m_items.front(); }
    bool empty() const { return m_items.empty(); }
    size_t size() const { return m_items.size(); }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

private:
    static constexpr size_t kHashFrom = 32;
    std::deque<VelmorObject*> m_items;
    std::unique_ptr<std::unordered_map<const VelmorObject*, int>> m_counts;
};

} // namespace velmor
