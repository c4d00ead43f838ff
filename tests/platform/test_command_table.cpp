// The command table: a command runs only while it is enabled, an unknown id is neither enabled
// nor checked, and a command may change the state its own enabling reads.
#include "platform/core/CommandTable.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

TEST(CommandTable, RunsEnabledCommandsOnly)
{
    CommandTable table;
    int runs = 0;
    bool open = false;
    table.Add(1, [&] { ++runs; });
    table.Add(2, [&] { open = !open; }, {}, [&] { return open; });
    table.Add(3, [&] { ++runs; }, [&] { return open; });

    EXPECT_TRUE(table.Run(1));
    EXPECT_FALSE(table.Run(3)) << "disabled";
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(table.IsChecked(2));
    EXPECT_TRUE(table.Run(2));
    EXPECT_TRUE(table.IsChecked(2));
    EXPECT_TRUE(table.IsEnabled(3));
    EXPECT_TRUE(table.Run(3));
    EXPECT_EQ(runs, 2);

    EXPECT_FALSE(table.Has(9));
    EXPECT_FALSE(table.IsEnabled(9));
    EXPECT_FALSE(table.IsChecked(9));
    EXPECT_FALSE(table.Run(9));
}

TEST(CommandTable, CommandMayReplaceItselfWhileRunning)
{
    CommandTable table;
    int second = 0;
    table.Add(1, [&] { table.Add(1, [&] { ++second; }); });
    EXPECT_TRUE(table.Run(1));
    EXPECT_EQ(second, 0);
    EXPECT_TRUE(table.Run(1));
    EXPECT_EQ(second, 1);
}

} // namespace
} // namespace velmor
