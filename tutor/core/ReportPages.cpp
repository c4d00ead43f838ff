// Pagination of the printed result report.
#include "ReportPages.h"

#include "model/ElementKind.h"
#include "model/VelmorProblem.h"

#include <algorithm>

namespace velmor {

int ReservedReportPages(int supports, int beams, int nodes)
{
    const int lines = supports + 2 * (beams + nodes) + 21;
    return lines / kReportLinesPerPage + 1;
}

int ReservedReportPages(const VelmorProblem& problem)
{
    return ReservedReportPages(int(problem.Count(KIND_SUPPORT)), int(problem.Count(KIND_BEAM)),
                               int(problem.Count(KIND_NODE)));
}

std::vector<ReportPage> ReportPages(int lineCount, int reservedPages)
{
    lineCount = std::max(lineCount, 0);
    int pages = std::max(reservedPages, 1);
    while (pages > 1 && (pages - 1) * kReportLinesPerPage >= lineCount)
        --pages;
    while (pages * kReportLinesPerPage < lineCount)
        ++pages;
    std::vector<ReportPage> out;
    out.reserve(size_t(pages));
    for (int page = 1; page <= pages; ++page) {
        const int first = (page - 1) * kReportLinesPerPage;
        out.push_back({page, first, std::min(kReportLinesPerPage, lineCount - first)});
    }
    return out;
}

} // namespace velmor
