#include "LargePages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

#if defined(__linux__) && defined(__GLIBC__)
#include <gnu/libc-version.h>
#include <malloc.h>
#include <unistd.h>
#endif

namespace velmor {
namespace {

constexpr const char* kVariable = "GLIBC_TUNABLES";
constexpr const char* kSetting = "glibc.malloc.hugetlb";

} // namespace

std::string LargePageTunables(const char* tunables, const std::string& kernelSetting)
{
    // The chosen mode is the bracketed word: "always [madvise] never".
    if (kernelSetting.find("[madvise]") == std::string::npos) return {};
    if (tunables && std::strstr(tunables, kSetting)) return {};
    std::string value = tunables ? tunables : "";
    if (!value.empty())
        value += ':';
    return value + kSetting + "=1";
}

void RestartWithLargePages(char** argv)
{
#if defined(__linux__) && defined(__GLIBC__)
    // The setting came with the C library 2.35; an older one would ignore it.
    int major = 0, minor = 0;
    if (std::sscanf(gnu_get_libc_version(), "%d.%d", &major, &minor) != 2 ||
        major * 1000 + minor < 2035)
        return;
    std::ifstream file("/sys/kernel/mm/transparent_hugepage/enabled");
    const std::string kernel{std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>()};
    const char* before = std::getenv(kVariable);
    const std::string saved = before ? before : "";
    const std::string value = LargePageTunables(before, kernel);
    if (value.empty() || !argv || !argv[0])
        return;
    if (setenv(kVariable, value.c_str(), 1) != 0)
        return;
    execv("/proc/self/exe", argv);
    // Still here: the restart failed; leave the environment as it was.
    if (before)
        setenv(kVariable, saved.c_str(), 1);
    else
        unsetenv(kVariable);
#else
    (void)argv;
#endif
}

void KeepFreedHeapMemory()
{
#if defined(__linux__) && defined(__GLIBC__)
    // No block in its own mapping (the heap grows instead; where it cannot, the library maps
    // more for it all the same), and no giving back from the top of the heap.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
#endif
}

} // namespace velmor
