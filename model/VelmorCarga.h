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
    bool AcceptsNew(const ElementTemplate& candidate, const ElementContainer& container) const override;
    // A distributed load following its beam's end exchange (1) or its return (0). The ends'
    // values are exchanged; values in the beam's local axes are also turned by the half turn
    // about local z that the exchange makes of those axes, values in global axes are not.
    // Returns 0 when the flag already has that value, else 1.
    int SetIJOrientation(int value);
    int EndsSwapped() const { return m_nSwapped; }
    // (Fx, Fy, Fz, Mx, My, Mz) of a nodal load.
    Vector GetNodalLoadVector() const;

    VelmorCargaData& Data() { return static_cast<VelmorCargaData&>(*m_pData); }
    const VelmorCargaData& Data() const { return static_cast<const VelmorCargaData&>(*m_pData); }

private:
    int m_nSwapped = 0;
};

} // namespace velmor
