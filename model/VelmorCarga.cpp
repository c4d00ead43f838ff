#include "VelmorCarga.h"

namespace velmor {

VelmorCarga::VelmorCarga() : VelmorObject(1, std::make_unique<VelmorCargaData>()) {}

VelmorCarga::VelmorCarga(const VelmorCargaData& data) : VelmorObject(1, std::make_unique<VelmorCargaData>(data)) {}

} // namespace velmor
