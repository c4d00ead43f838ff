#include "ProblemSnapshot.h"

#include "DocumentFile.h"
#include "VelmorProblem.h"

namespace velmor {

std::shared_ptr<const ProblemSnapshot> TakeSnapshot(VelmorProblem& problem)
{
    if (!problem.FitsBinaryForm())
        return nullptr;
    auto snapshot = std::make_shared<ProblemSnapshot>();
    // A problem without a type (a document being created) has nothing to keep but its box.
    if (problem.m_nType != PROBLEM_NONE)
        snapshot->bytes = StoreProblem(problem, false);
    snapshot->title = problem.m_name;
    return snapshot;
}

void RestoreSnapshot(VelmorProblem& problem, const ProblemSnapshot& snapshot)
{
    // The bytes were written by this program a moment ago: they read back whole.
    LoadProblemBytes(problem, snapshot.bytes, FileForm::Binary);
    if (snapshot.bytes.empty())
        problem.StructureChanged();
    problem.m_name = snapshot.title;
}

} // namespace velmor
