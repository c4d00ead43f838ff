#include "ElementKind.h"

#include <cstring>

namespace velmor {
namespace {
const char* const kKeywords[kKindCount] = {"Node",    "Section",    "Beam",
                                           "Support", "nodal_load", "distributed_load"};
}

const char* KindKeyword(int kind)
{
    return kind >= 0 && kind < kKindCount ? kKeywords[kind] : "";
}

int KindFromKeyword(const char* word)
{
    for (int k = 0; k < kKindCount; ++k)
        if (std::strcmp(word, kKeywords[k]) == 0)
            return k;
    return KIND_NONE;
}

int DofPerNode(int problemType)
{
    switch (problemType) {
    case PROBLEM_CONTINUOUS_BEAM: return 2;
    case PROBLEM_PLANE_FRAME: return 3;
    case PROBLEM_SPACE_FRAME: return 6;
    case PROBLEM_SPACE_TRUSS: return 3;
    default: return 0;
    }
}

} // namespace velmor
