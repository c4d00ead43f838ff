// Structures whose result report has a chosen number of lines, for the report's pagination and
// printing tests.
#pragma once

#include "model/StructureBuilder.h"

namespace velmor::test {

// A continuous beam on `nodes` nodes one metre apart with simple supports under the first
// `supports` of them (at least two) and a load on the last: its report has 17 + 4·nodes +
// supports lines.
inline void SupportedBeam(VelmorProblem& p, int nodes, int supports)
{
    StructureBuilder b(p, PROBLEM_CONTINUOUS_BEAM);
    VelmorObject* section = b.Rectangle(0.3, 0.5, 3.0e10, 0.2);
    VelmorObject* previous = nullptr;
    for (int i = 0; i < nodes; ++i) {
        VelmorObject* node = b.Node(i, 0, 0);
        if (previous) b.Beam(section, previous, node);
        if (i < supports) b.Support(node, 2);
        previous = node;
    }
    b.NodalLoad(previous, {0, -10000, 0});
}

} // namespace velmor::test
