#include "VelmorApoyo.h"

namespace velmor {

VelmorApoyo::VelmorApoyo() : VelmorObject(1, std::make_unique<VelmorApoyoData>()) {}

VelmorApoyo::VelmorApoyo(const VelmorApoyoData& data) : VelmorObject(1, std::make_unique<VelmorApoyoData>(data)) {}

} // namespace velmor
