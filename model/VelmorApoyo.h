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
    int AcceptsNew(const ElementTemplate& candidate) const override;
    // The solids of the support type between the node N and the anchor A = N - S up (S = 5u,
    // up = the orientation's third column), a slab reaching from A to B = N - 0.7 S up under
    // most of them, all of half-width 0.5 S and turned by the orientation; springs add a line
    // of width 5 from the node to the slab. Filled in the selection colour, the settlement
    // colour when a prescribed displacement is set, the spring colour, or the support colour.
    // The region is the union of the solids' regions.
    void Draw(Mfx3dDC& dc, Region* region, const ProgramOptions& options) override;

    VelmorApoyoData& Data() { return static_cast<VelmorApoyoData&>(*m_pData); }
    const VelmorApoyoData& Data() const { return static_cast<const VelmorApoyoData&>(*m_pData); }
};

} // namespace velmor
