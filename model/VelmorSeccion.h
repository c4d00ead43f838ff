// Cross-section element: the section and material that beams refer to.
#pragma once

#include "VelmorObject.h"

namespace velmor {

class VelmorSeccion : public VelmorObject
{
public:
    VelmorSeccion();
    explicit VelmorSeccion(const VelmorSeccionData& data);
    const char* GetRuntimeClass() const override { return "VelmorSeccion"; }

    VelmorSeccionData& Data() { return static_cast<VelmorSeccionData&>(*m_pData); }
    const VelmorSeccionData& Data() const { return static_cast<const VelmorSeccionData&>(*m_pData); }
};

} // namespace velmor
