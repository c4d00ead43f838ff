// The size of the band matrix of a step-by-step solution, from the node list order.
#include "StepMemory.h"

#include "model/VelmorProblem.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace velmor {

std::uint64_t StepByStepMatrixBytes(const VelmorProblem& problem)
{
    const int type = problem.ProblemType();
    if (type < 1 || type > 4)
        return 0;
    const std::uint64_t c = std::uint64_t(DofPerNode(type));
    // The analysis counts the nodes that carry a beam; in list order they are numbered first
    // to last, so a beam's band reach is the distance of its nodes in the list.
    std::unordered_map<const VelmorObject*, long> at;
    at.reserve(problem.Count(KIND_NODE));
    std::uint64_t nodes = 0;
    for (const auto& node : problem.List(KIND_NODE)) {
        at.emplace(node.get(), long(at.size()));
        if (node->CountChildren(KIND_BEAM) > 0)
            ++nodes;
    }
    std::uint64_t width = 0;
    for (const auto& beam : problem.List(KIND_BEAM)) {
        const auto a = at.find(beam->GetParent(1)), b = at.find(beam->GetParent(2));
        if (a != at.end() && b != at.end())
            width = std::max(width, std::uint64_t(std::labs(a->second - b->second)) + 1);
    }
    if (nodes == 0 || width == 0)
        return 0;
    const std::uint64_t n = nodes * c;
    const std::uint64_t band = std::min(n, width * c);
    // Diagonal by diagonal: n + (n - 1) + ... + (n - band + 1) stored values.
    const std::uint64_t values = n * band - band * (band - 1) / 2;
    return values * sizeof(double);
}

bool StepByStepTooLarge(const VelmorProblem& problem)
{
    return StepByStepMatrixBytes(problem) > kStepByStepMatrixLimit;
}

} // namespace velmor
