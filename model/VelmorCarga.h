// Load element: a nodal load (kind 4, slot 0 its node) or a distributed load on a beam
// (kind 5, slot 0 its beam).
#pragma once

#include "VelmorObject.h"
#include "numeric/MatBase.h"

namespace velmor {

class VelmorCarga : public VelmorObject
{
public:
    VelmorCarga();
    explicit VelmorCarga(const VelmorCargaData& data, VelmorObject* parent = nullptr);
    const char* GetRuntimeClass() const override { return "VelmorCarga"; }
    int ParentKind(int slot) const override;
    // One nodal load per node, one distributed load per beam.
    int AcceptsNew(const ElementTemplate& candidate) const override;
    // A distributed load following its beam's end exchange (1) or its return (0). The ends'
    // values are exchanged; values in the beam's local axes are also turned by the half turn
    // about local z that the exchange makes of those axes, values in global axes are not.
    // Returns 0 when the flag already has that value, else 1.
    int SetIJOrientation(int value);
    int EndsSwapped() const { return m_nSwapped; }
    // (Fx, Fy, Fz, Mx, My, Mz) of a nodal load.
    Vector GetNodalLoadVector() const;
    // Force arrows (force colour) and circular moment arrows (moment colour), each only where
    // its value is not zero, in the selection colour when selected. A nodal load: a force
    // arrow of length 12u ending at the node and a moment arrow of length 8u from it, as
    // resultants or, when the record asks for components, one arrow per non-zero component.
    // A distributed load: the outline of its diagram along the beam (the larger end value
    // 8u high), a row of arrows ending on the beam and the end moments; local values are
    // turned by the beam's local axes, and a projected load stands on a level line at the
    // higher end. The region is the union of the arrows' regions and the diagram's.
    void Draw(Mfx3dDC& dc, Region* region, const ProgramOptions& options) override;

    VelmorCargaData& Data() { return static_cast<VelmorCargaData&>(*m_pData); }
    const VelmorCargaData& Data() const { return static_cast<const VelmorCargaData&>(*m_pData); }

private:
    int m_nSwapped = 0;
};

} // namespace velmor
