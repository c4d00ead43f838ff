// The printed result report's pages: the page count reserved from the structure's counts, the
// pages that carry lines (no empty page, no line dropped), and the reservation checked against
// the real report of every example and of generated beams.
#include "TestHooks.h"
#include "analysis/Analysis.h"
#include "analysis/ResultReport.h"
#include "examples/ExampleModels.h"
#include "tutor/ReportFixtures.h"
#include "tutor/core/ReportPages.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace velmor;

namespace {

// Every line of the report on exactly one page, in order, at most 50 a page.
void expectEveryLineOnce(const std::vector<ReportPage>& pages, int lines, const std::string& what)
{
    int next = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i].number, int(i) + 1) << what;
        EXPECT_EQ(pages[i].first, next) << what;
        EXPECT_LE(pages[i].count, kReportLinesPerPage) << what;
        if (pages.size() > 1) {
            EXPECT_GT(pages[i].count, 0) << what << ": page " << i + 1 << " is empty";
        }
        next += pages[i].count;
    }
    EXPECT_EQ(next, lines) << what;
}

} // namespace

struct PagesCase
{
    const char* name;
    int lines;
    int reserved;
    std::vector<int> counts; // lines on each page
};

void PrintTo(const PagesCase& c, std::ostream* out)
{
    *out << c.name;
}

class ReportPagesTest : public ::testing::TestWithParam<PagesCase>
{
};

TEST_P(ReportPagesTest, LinesGoOnPagesOfFifty)
{
    const PagesCase& c = GetParam();
    const std::vector<ReportPage> pages = ReportPages(c.lines, c.reserved);
    ASSERT_EQ(pages.size(), c.counts.size());
    for (size_t i = 0; i < pages.size(); ++i)
        EXPECT_EQ(pages[i].count, c.counts[i]) << "page " << i + 1;
    expectEveryLineOnce(pages, c.lines < 0 ? 0 : c.lines, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportPagesTest,
    ::testing::Values(PagesCase{"NoLinesKeepsTheTitlePage", 0, 1, {0}},
                      PagesCase{"NegativeCountIsEmpty", -3, 2, {0}},
                      PagesCase{"ShortReport", 35, 1, {35}},
                      PagesCase{"FullFirstPage", 50, 1, {50}},
                      PagesCase{"FiftyOneLinesOnTwoPages", 51, 2, {50, 1}},
                      PagesCase{"ReservedPageWithoutLinesIsDropped", 50, 2, {50}},
                      PagesCase{"TwoReservedEmptyPagesDropped", 100, 4, {50, 50}},
                      PagesCase{"ThreePartialLast", 109, 3, {50, 50, 9}},
                      PagesCase{"LinesPastTheReservationAllPrinted", 120, 1, {50, 50, 20}},
                      PagesCase{"ReservationBelowOneCountsAsOne", 20, 0, {20}}),
    [](const ::testing::TestParamInfo<PagesCase>& row) { return std::string(row.param.name); });

TEST(ReportPages, ReservationFromTheCounts)
{
    struct Row
    {
        int supports, beams, nodes, pages;
    };
    // L = supports + 2·(beams + nodes) + 21, then L / 50 + 1.
    const Row rows[] = {{0, 0, 0, 1},   {1, 14, 0, 2},  {0, 14, 0, 1},
                        {4, 31, 12, 3}, {3, 19, 20, 3}, {5, 6, 7, 2}};
    for (const Row& r : rows)
        EXPECT_EQ(ReservedReportPages(r.supports, r.beams, r.nodes), r.pages)
            << r.supports << " supports, " << r.beams << " beams, " << r.nodes << " nodes";
}

TEST(ReportPages, ReservationCoversTheReportOfEveryExample)
{
    test::RecordMessages messages;
    for (const ExampleModel& m : ExampleModels()) {
        VelmorProblem p;
        m.build(p);
        ASSERT_TRUE(SolveAtOnce(p).Ok()) << m.file;
        const int lines = int(ResultReportLines(*p.CurrentAnalysis()).size());
        const int reserved = ReservedReportPages(p);
        const std::vector<ReportPage> pages = ReportPages(lines, reserved);
        EXPECT_LE(int(pages.size()), reserved) << m.file;
        EXPECT_EQ(int(pages.size()), (lines + 49) / 50) << m.file;
        expectEveryLineOnce(pages, lines, m.file);
    }
}

TEST(ReportPages, ReportsThatJustFillTheirPagesEndOnAFullPage)
{
    // Reports of 48 to 50 lines reserve a second page, of 98 to 100 a third; none is printed.
    struct Row
    {
        int nodes, supports, lines, reserved, printed;
    };
    const Row rows[] = {{7, 3, 48, 2, 1},
                        {7, 5, 50, 2, 1},
                        {7, 6, 51, 2, 2},
                        {20, 3, 100, 3, 2},
                        {20, 4, 101, 3, 3}};
    test::RecordMessages messages;
    for (const Row& r : rows) {
        VelmorProblem p;
        test::SupportedBeam(p, r.nodes, r.supports);
        ASSERT_TRUE(SolveAtOnce(p).Ok()) << r.nodes << " nodes";
        const int lines = int(ResultReportLines(*p.CurrentAnalysis()).size());
        ASSERT_EQ(lines, r.lines) << r.nodes << " nodes, " << r.supports << " supports";
        EXPECT_EQ(ReservedReportPages(p), r.reserved) << lines << " lines";
        const std::vector<ReportPage> pages = ReportPages(lines, ReservedReportPages(p));
        EXPECT_EQ(int(pages.size()), r.printed) << lines << " lines";
        expectEveryLineOnce(pages, lines, std::to_string(lines) + " lines");
    }
}
