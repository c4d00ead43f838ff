// The result report of a solved structure: coordinates, displacements, reactions and internal
// forces as fixed-width text lines (the printed report and the command-line output).
#pragma once

#include <string>
#include <vector>

namespace velmor {

class Analysis;

// The report lines, in order; empty lines are empty strings.
std::vector<std::string> ResultReportLines(const Analysis& analysis);

} // namespace velmor
