// The editor's creation template: one record of every kind, the kind to create and the
// parents the new element will rest on. The problem container builds elements from it.
#pragma once

#include "VelmorObjectData.h"

namespace velmor {

class VelmorObject;

class ElementTemplate
{
public:
    ElementTemplate();

    // Kind -1, no parents.
    void Reset();
    // Reset, then the kind with its parent count (3 for a beam, 1 for a support or a load).
    void SetKind(int kind);
    // Reset, then the element's kind, a copy of its record and its parents.
    void LoadFrom(const VelmorObject& element);
    // Every one of the first parent-count parents is set.
    bool IsComplete() const;
    // By kind: node and section, the record's own test; beam, two different nodes, the record
    // and complete parents; support and loads, the record and complete parents.
    bool IsValid() const;

    // The record of the template's kind (the load record for kinds 4 and 5), or null.
    VelmorObjectData* Record();
    const VelmorObjectData* Record() const;

    int m_nParents = 0;
    VelmorObject* m_pParents[3] = {nullptr, nullptr, nullptr};
    VelmorNudoData m_node;
    VelmorVigaData m_beam;
    VelmorSeccionData m_section;
    VelmorApoyoData m_support;
    VelmorCargaData m_load;
    int m_kind = KIND_NONE;
};

} // namespace velmor
