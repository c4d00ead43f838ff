#include "platform/core/ShareOut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <vector>

using velmor::ShareOut;
using velmor::ShareOutParts;

TEST(ShareOut, RunsCoverTheListOnceInOrder)
{
    struct Case
    {
        size_t count, parts, expectedRuns;
    };
    const Case cases[] = {{0, 3, 1}, {1, 4, 1}, {5, 1, 1}, {10, 3, 3}, {7, 7, 7}, {3, 8, 3}};
    for (const Case& c : cases) {
        std::vector<int> seen(c.count, 0);
        std::vector<std::pair<size_t, size_t>> runs(c.expectedRuns + 1, {1, 0});
        std::atomic<size_t> calls{0};
        ShareOut(c.count, c.parts, [&](size_t part, size_t from, size_t to) {
            ++calls;
            runs[part] = {from, to};
            for (size_t i = from; i < to; ++i)
                ++seen[i];
        });
        EXPECT_EQ(calls, c.expectedRuns) << c.count << " items, " << c.parts << " parts";
        EXPECT_EQ(seen, std::vector<int>(c.count, 1)) << c.count << " items, " << c.parts << " parts";
        // Each run starts where the one before ended.
        size_t next = 0;
        for (size_t part = 0; part < c.expectedRuns; ++part) {
            EXPECT_EQ(runs[part].first, next) << part;
            next = runs[part].second;
        }
        EXPECT_EQ(next, c.count);
    }
}

TEST(ShareOut, AFailureOfAnyRunComesBackOnceEveryRunHasEnded)
{
    for (size_t failing : {size_t(0), size_t(2)}) {
        std::atomic<int> ended{0};
        EXPECT_THROW(ShareOut(300, 3,
                              [&](size_t part, size_t, size_t) {
                                  if (part == failing)
                                      throw std::runtime_error("run failed");
                                  ++ended;
                              }),
                     std::runtime_error)
            << "run " << failing;
        EXPECT_EQ(ended, 2) << "the other runs went to their end";
    }
}

TEST(ShareOut, OneRunPerCoreForLongListsOnly)
{
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    EXPECT_EQ(ShareOutParts(100, 4000), 1u);
    EXPECT_EQ(ShareOutParts(0, 4000), 1u);
    EXPECT_EQ(ShareOutParts(8000, 4000), std::min<size_t>(2, cores)) << "runs of 4000 at least";
    EXPECT_EQ(ShareOutParts(1000000, 4000, 3), std::min<size_t>(3, cores)) << "at most 3";
}
