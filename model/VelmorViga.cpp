#include "VelmorViga.h"

namespace velmor {

VelmorViga::VelmorViga() : VelmorObject(3, std::make_unique<VelmorVigaData>()) {}

VelmorViga::VelmorViga(const VelmorVigaData& data) : VelmorObject(3, std::make_unique<VelmorVigaData>(data)) {}

} // namespace velmor
