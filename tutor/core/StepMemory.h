// How much memory a step-by-step solution of a structure needs: its system matrix is a band
// matrix in the student's numbering, which for a large structure numbered in list order can be
// far wider than the one a solution at once orders for itself.
#pragma once

#include <cstdint>

namespace velmor {

class VelmorProblem;

// Above this size of the band matrix, "Pas à Pas" is refused and "Solution Finale" suggested.
inline constexpr std::uint64_t kStepByStepMatrixLimit = std::uint64_t(1) << 30; // 1 GiB

// Bytes of the system matrix of a step-by-step solution with the nodes numbered in list order
// (the numbering "Pas à Pas" makes by default): n equations, a band as wide as the farthest
// pair of nodes a beam joins, eight bytes a stored value. The copy kept for the reactions when
// the supports are imposed doubles the peak. 0 for a structure without beams or problem type.
std::uint64_t StepByStepMatrixBytes(const VelmorProblem& problem);
// Whether that matrix would exceed kStepByStepMatrixLimit.
bool StepByStepTooLarge(const VelmorProblem& problem);

} // namespace velmor
