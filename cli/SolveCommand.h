// velmor-cli solve: solves a structure at once, as "Solution Finale" does, and prints the
// result report or a JSON description of every result.
#pragma once

#include "analysis/Analysis.h"

namespace velmor {

struct LoadResult;
class VelmorProblem;

// Reads a structure file in whichever form it is, as every command does. A file that cannot be
// read has its reason printed; one that loads with losses (see VelmorProblem::LoadReport) has
// them printed on stderr and counts as unreadable unless `lenient`.
bool LoadStructure(VelmorProblem& problem, const char* path, bool lenient, LoadResult& result);

struct SolveFlags
{
    bool json = false;       // --json
    bool lenient = false;    // --lenient
    bool timings = false;    // --timings: the time of each phase on stderr
    AnalysisOptions options; // --orient-ij, --change-local-loads, --solver, --ordering, --threads
    // The process ends as soon as everything is written (std::_Exit with the exit status),
    // leaving the structure and its results to the system instead of freeing them one by one.
    bool exitWhenDone = false;
};

// Exit status: 0 solved, 1 singular or refused (the message on stderr), 2 unreadable file.
int SolveCommand(const char* path, const SolveFlags& flags);

} // namespace velmor
