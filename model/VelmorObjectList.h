// An ordered list of owned elements: one of the six lists of the problem container. Look-up by
// element number is hashed (a large file resolves every parent reference through it).
#pragma once

#include "VelmorObject.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace velmor {

class VelmorObjectList
{
public:
    size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    VelmorObject* at(size_t i) const { return m_items[i].get(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    void Append(std::unique_ptr<VelmorObject> element);
    // Takes the element out of the list (ownership to the caller); null when it is not there.
    std::unique_ptr<VelmorObject> Remove(const VelmorObject* element);
    // Deletes, in one pass, every element for which `doomed(element)` is true (it is called
    // once per element, in list order).
    template <class Predicate> void RemoveIf(Predicate doomed)
    {
        std::erase_if(m_items, [&](const std::unique_ptr<VelmorObject>& e) { return doomed(*e); });
        InvalidateIndex();
    }
    // The first element in list order whose record has that number, or null.
    VelmorObject* FindNumber(int number) const;
    // To be called after an element's number was changed from outside the list.
    void InvalidateIndex() const;
    // Numbers 1..n in list order; returns n.
    int Renumber();
    // Deletes every element (their connections must be cut already).
    void Clear();

private:
    std::vector<std::unique_ptr<VelmorObject>> m_items;
    mutable std::unordered_map<int, VelmorObject*> m_byNumber;
    mutable bool m_indexed = false;
};

} // namespace velmor
