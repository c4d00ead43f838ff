#include "platform/core/LargePages.h"

#include <gtest/gtest.h>

#include <string>

namespace velmor {
namespace {

struct TunablesCase
{
    const char* before; // null: the variable is unset
    const char* kernel;
    const char* expected;
};

TEST(LargePages, TunablesAskForHugePagesOnlyWhereTheKernelWaitsToBeAsked)
{
    const TunablesCase cases[] = {
        {nullptr, "always [madvise] never\n", "glibc.malloc.hugetlb=1"},
        {"", "always [madvise] never\n", "glibc.malloc.hugetlb=1"},
        {"glibc.malloc.arena_max=2", "always [madvise] never\n",
         "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"},
        // The user's own choice stands, either way.
        {"glibc.malloc.hugetlb=0", "always [madvise] never\n", ""},
        {"glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1", "always [madvise] never\n", ""},
        // Every mapping gets huge pages already, or none ever does, or the setting is unknown.
        {nullptr, "[always] madvise never\n", ""},
        {nullptr, "always madvise [never]\n", ""},
        {nullptr, "", ""},
    };
    for (const TunablesCase& c : cases)
        EXPECT_EQ(LargePageTunables(c.before, c.kernel), c.expected)
            << (c.before ? c.before : "(unset)") << " / " << c.kernel;
}

} // namespace
} // namespace velmor
