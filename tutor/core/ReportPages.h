// Pagination of the printed result report: how many pages it has and which of its lines each
// page carries. No Qt; the printer draws what this decides.
#pragma once

#include <vector>

namespace velmor {

class VelmorProblem;

// Report lines on one page.
inline constexpr int kReportLinesPerPage = 50;

// The pages a report reserves before its lines are built: L / 50 + 1 with L = supports +
// 2·(beams + nodes) + 21 lines. The report of a problem has 19 + (nodes with a support) +
// 2·(beams + nodes) lines, so the reservation never falls short of it, but it ends on an empty
// page when those lines just fill the pages before (48 to 50 lines, 98 to 100, ...).
int ReservedReportPages(int supports, int beams, int nodes);
int ReservedReportPages(const VelmorProblem& problem);

// One printed page: its number (from 1) and the range [first, first + count) of report lines
// it carries.
struct ReportPage
{
    int number = 1;
    int first = 0;
    int count = 0;
};

// The pages of a report of `lineCount` lines: the reserved pages, less the trailing pages that
// would carry no line, plus the pages that lines past the reservation need, so that no page is
// empty and no line is dropped. A report without lines keeps one page (title and footer). A
// reservation below 1 counts as 1; a negative line count as 0.
std::vector<ReportPage> ReportPages(int lineCount, int reservedPages);

} // namespace velmor
