// Node element: a point of the structure that beams connect, supports hold and loads act on;
// possibly a hinged joint. It has no parents.
#pragma once

#include "VelmorObject.h"

namespace velmor {

class VelmorNudo : public VelmorObject
{
public:
    VelmorNudo();
    explicit VelmorNudo(const Mfx3dPoint& point);
    VelmorNudo(double x, double y, double z);
    explicit VelmorNudo(const VelmorNudoData& data);
    const char* GetRuntimeClass() const override { return "VelmorNudo"; }
    // The node's analysis number, whatever the end.
    int GetNumber(int end) const override;
    // The node's coordinates (x, y, z, w), whatever the end and option.
    Mfx3dPoint& GetPosition(Mfx3dPoint& point, int end, int option) const override;
    // Refuses a new node closer than one grid step of the container on every axis.
    bool AcceptsNew(const ElementTemplate& candidate, const ElementContainer& container) const override;
    // Hinged: its joint flag is set, or the problem is a truss (every node is drawn hinged).
    bool IsHinged(int problemType) const;

    VelmorNudoData& Data() { return static_cast<VelmorNudoData&>(*m_pData); }
    const VelmorNudoData& Data() const { return static_cast<const VelmorNudoData&>(*m_pData); }
};

} // namespace velmor
