// A snapshot of everything the user edits in a structure (type, work box, grid step, every
// element and the title), for undo and redo. It is held in the binary form of the document file,
// whose doubles are stored bit for bit, so a restore gives back exactly the model that was
// taken, not the six decimals of the text form.
#pragma once

#include <memory>
#include <string>

namespace velmor {

class VelmorProblem;

struct ProblemSnapshot
{
    std::string bytes;  // the binary document form
    std::string title;

    size_t Size() const { return bytes.size() + title.size(); }
    friend bool operator==(const ProblemSnapshot&, const ProblemSnapshot&) = default;
};

// The model as it is now (its lists are renumbered first, as a save does); null when the
// binary form cannot hold it (a list of more than 65535 elements).
std::shared_ptr<const ProblemSnapshot> TakeSnapshot(VelmorProblem& problem);

// Empties the problem and reads the snapshot back into it: a change of the structure (its
// revision moves on). The views are not told; the caller rebuilds them.
void RestoreSnapshot(VelmorProblem& problem, const ProblemSnapshot& snapshot);

} // namespace velmor
