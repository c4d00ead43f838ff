// Beam element: slot 0 its section, slots 1 and 2 its end nodes.
#pragma once

#include "VelmorObject.h"

namespace velmor {

class VelmorViga : public VelmorObject
{
public:
    VelmorViga();
    explicit VelmorViga(const VelmorVigaData& data);
    const char* GetRuntimeClass() const override { return "VelmorViga"; }

    VelmorVigaData& Data() { return static_cast<VelmorVigaData&>(*m_pData); }
    const VelmorVigaData& Data() const { return static_cast<const VelmorVigaData&>(*m_pData); }
};

} // namespace velmor
