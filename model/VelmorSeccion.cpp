#include "VelmorSeccion.h"

namespace velmor {

VelmorSeccion::VelmorSeccion() : VelmorObject(0, std::make_unique<VelmorSeccionData>()) {}

VelmorSeccion::VelmorSeccion(const VelmorSeccionData& data) : VelmorObject(0, std::make_unique<VelmorSeccionData>(data)) {}

} // namespace velmor
