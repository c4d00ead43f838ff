// Helpers for the engine tests: solving a structure, reading a node's displacement or
// reaction, and the loads a structure carries computed directly from its elements.
#pragma once

#include "analysis/Analysis.h"
#include "model/StructureBuilder.h"
#include "model/VelmorProblem.h"

#include <array>
#include <string>
#include <vector>

namespace velmor::test {

// The six components (x, y, z, rx, ry, rz) of a node's part of a solution vector, the
// components the problem type does not have left at 0.
std::array<double, 6> NodeValues(const Analysis& a, const Vector& v, const VelmorObject* node);

// The texts of a status's messages, in order.
std::vector<std::string> Texts(const AnalysisStatus& status);

// Total force and moment about the origin of every load the structure carries (nodal loads,
// distributed loads, self weight), from the elements' own data.
struct Resultant
{
    Mfx3dPoint force{0, 0, 0};
    Mfx3dPoint moment{0, 0, 0};
};
Resultant AppliedLoads(const VelmorProblem& p);
// Total force and moment about the origin of the reactions.
Resultant Reactions(const Analysis& a);

// A rotated parallelogram of pinned bars on two pins (its sway pivot is round-off), loaded at
// a free corner and braced there by a horizontal spring of stiffness k (none when k is 0).
void Parallelogram(VelmorProblem& p, double k);

} // namespace velmor::test
