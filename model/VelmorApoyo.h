// Support element: slot 0 its node.
#pragma once

#include "VelmorObject.h"

namespace velmor {

class VelmorApoyo : public VelmorObject
{
public:
    VelmorApoyo();
    explicit VelmorApoyo(const VelmorApoyoData& data);
    const char* GetRuntimeClass() const override { return "VelmorApoyo"; }

    VelmorApoyoData& Data() { return static_cast<VelmorApoyoData&>(*m_pData); }
    const VelmorApoyoData& Data() const { return static_cast<const VelmorApoyoData&>(*m_pData); }
};

} // namespace velmor
