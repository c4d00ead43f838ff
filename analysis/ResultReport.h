// The result report of a solved structure: coordinates, displacements, reactions and internal
// forces as fixed-width text lines (the printed report and the command-line output).
#pragma once

#include <string>
#include <vector>

namespace velmor {

class Analysis;

// The report lines, in order; empty lines are empty strings.
std::vector<std::string> ResultReportLines(const Analysis& analysis);

// Round-off is not a result: a value smaller than this fraction of the largest value of its
// family (translations or rotations of the displacements; forces or moments of the reactions
// and end forces) is shown as 0, so that a rotation that is zero by symmetry, or the moment
// reaction of a pinned support, reads 0 whichever solver left 1e-20 in it.
inline constexpr double kRoundOffShare = 1e-12;
double ShownValue(double value, double columnMagnitude);
// The magnitude each of a node's c components is measured against: the displacements' own, or
// for the reactions and the beams' end forces, the forces' and moments' of both together.
std::vector<double> DisplacementMagnitudes(const Analysis& analysis);
std::vector<double> ForceMagnitudes(const Analysis& analysis);

} // namespace velmor
