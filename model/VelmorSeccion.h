// Cross-section element: the section and material that beams refer to (their parent slot 0).
#pragma once

#include "VelmorObject.h"

namespace velmor {

class VelmorSeccion : public VelmorObject
{
public:
    VelmorSeccion();
    explicit VelmorSeccion(const VelmorSeccionData& data);
    const char* GetRuntimeClass() const override { return "VelmorSeccion"; }
    // Refuses a section with the same E, Iy, Iz, G, A and J.
    bool AcceptsNew(const ElementTemplate& candidate, const ElementContainer& container) const override;

    VelmorSeccionData& Data() { return static_cast<VelmorSeccionData&>(*m_pData); }
    const VelmorSeccionData& Data() const { return static_cast<const VelmorSeccionData&>(*m_pData); }
};

} // namespace velmor
