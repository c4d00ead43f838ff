// The order in which the solver takes the nodes when a structure is solved at once: the one of
// several candidate orders (the structure's own, reverse Cuthill-McKee, and the lexicographic
// orders of the node coordinates) that gives the system matrix the narrowest band.
#pragma once

#include "numeric/Mfx3dPoint.h"

#include <utility>
#include <vector>

namespace velmor {

// Nodes are numbered 1..n; `beams` joins node numbers; `position[k]` is node k's position
// (index 0 unused). Returns order[k] = the solver's number of node k (index 0 unused).
std::vector<int> ChooseSolverOrder(int n, const std::vector<std::pair<int, int>>& beams,
                                   const std::vector<Mfx3dPoint>& position);

// Width in nodes (|i - j| + 1 at most over the beams) of the band an order gives.
int OrderBandWidth(const std::vector<int>& order, const std::vector<std::pair<int, int>>& beams);

} // namespace velmor
