// Node element: a point of the structure, possibly a hinged joint.
#pragma once

#include "VelmorObject.h"

namespace velmor {

class VelmorNudo : public VelmorObject
{
public:
    VelmorNudo();
    explicit VelmorNudo(const VelmorNudoData& data);
    const char* GetRuntimeClass() const override { return "VelmorNudo"; }
    // The node's analysis number, whatever the end.
    int GetNumber(int end) const override;
    // The node's coordinates (x, y, z, w), whatever the end and option.
    Mfx3dPoint& GetPosition(Mfx3dPoint& point, int end, int option) const override;

    VelmorNudoData& Data() { return static_cast<VelmorNudoData&>(*m_pData); }
    const VelmorNudoData& Data() const { return static_cast<const VelmorNudoData&>(*m_pData); }
};

} // namespace velmor
