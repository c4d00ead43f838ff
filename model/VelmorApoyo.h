// Support element: the boundary condition at one node (slot 0): restraints, springs or a
// prescribed displacement.
#pragma once

#include "VelmorObject.h"

namespace velmor {

class VelmorApoyo : public VelmorObject
{
public:
    VelmorApoyo();
    explicit VelmorApoyo(const VelmorApoyoData& data, VelmorObject* node = nullptr);
    const char* GetRuntimeClass() const override { return "VelmorApoyo"; }
    int ParentKind(int) const override { return KIND_NODE; }
    // One support per node.
    bool AcceptsNew(const ElementTemplate& candidate, const ElementContainer& container) const override;

    VelmorApoyoData& Data() { return static_cast<VelmorApoyoData&>(*m_pData); }
    const VelmorApoyoData& Data() const { return static_cast<const VelmorApoyoData&>(*m_pData); }
};

} // namespace velmor
