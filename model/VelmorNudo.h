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
    // Refuses a new node closer than one grid step of the current problem on every axis.
    int AcceptsNew(const ElementTemplate& candidate) const override;
    // Hinged: its joint flag is set, or the problem is a truss (every node is drawn hinged).
    bool IsHinged(int problemType) const;
    // A filled disc of radius u (the selection colour when selected), inside a ring of radius
    // 2u when hinged. The region is the outer disc; its bounding rectangle also reaches 40
    // device units to the right and 30 upwards, the room of the node's number label.
    void Draw(Mfx3dDC& dc, Region* region, const ProgramOptions& options) override;

    VelmorNudoData& Data() { return static_cast<VelmorNudoData&>(*m_pData); }
    const VelmorNudoData& Data() const { return static_cast<const VelmorNudoData&>(*m_pData); }
};

} // namespace velmor
