// velmor-cli steps: solves a structure step by step, as "Pas à Pas" does in the examples mode,
// and prints every item of every step in the student's numbering (the node list order): the
// numbering, each beam's local stiffness, transformation and global stiffness with the degrees
// of freedom it goes to, each load's vector, each support, and the solution.
#pragma once

namespace velmor {

struct StepsFlags
{
    bool json = false;    // --json
    bool lenient = false; // --lenient
};

// Above this many equations the JSON output leaves the system matrix out.
inline constexpr long kStepsMatrixLimit = 300;

// Exit status: 0 solved, 1 singular or refused (the message on stderr), 2 unreadable file.
int StepsCommand(const char* path, const StepsFlags& flags);

} // namespace velmor
