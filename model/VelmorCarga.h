// Load element: slot 0 its node (nodal load) or its beam (distributed load).
#pragma once

#include "VelmorObject.h"

namespace velmor {

class VelmorCarga : public VelmorObject
{
public:
    VelmorCarga();
    explicit VelmorCarga(const VelmorCargaData& data);
    const char* GetRuntimeClass() const override { return "VelmorCarga"; }

    VelmorCargaData& Data() { return static_cast<VelmorCargaData&>(*m_pData); }
    const VelmorCargaData& Data() const { return static_cast<const VelmorCargaData&>(*m_pData); }
};

} // namespace velmor
