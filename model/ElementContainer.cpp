#include "ElementContainer.h"

#include <utility>

namespace velmor {
namespace {
ElementContainer* g_currentProblem = nullptr;
}

ElementContainer* CurrentProblem()
{
    return g_currentProblem;
}

ElementContainer* SetCurrentProblem(ElementContainer* problem)
{
    return std::exchange(g_currentProblem, problem);
}

int CurrentProblemType()
{
    return g_currentProblem ? g_currentProblem->ProblemType() : 0;
}

} // namespace velmor
