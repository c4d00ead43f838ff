// Regular frames for the benchmarks: an nx x ny plane frame (storeys of columns and girders)
// or an nx x ny x nz space frame, fixed at the base, loaded at every top node and on every
// girder, with the node list in a tidy or a scrambled order.
#pragma once

#include "model/VelmorProblem.h"

namespace velmor::bench {

// Plane frame in the xy plane: nx columns lines, ny levels (ny - 1 storeys).
void PlaneFrame(VelmorProblem& p, int nx, int ny, bool scrambled);
// Space frame: nx x ny columns, nz levels.
void SpaceFrame(VelmorProblem& p, int nx, int ny, int nz, bool scrambled);

} // namespace velmor::bench
