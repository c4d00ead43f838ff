// velmor-cli solve: solves a structure at once, as "Solution Finale" does with the default
// options, and prints the result report or a JSON description of every result.
#pragma once

namespace velmor {

// Exit status: 0 solved, 1 singular or refused (the message on stderr), 2 unreadable file.
int SolveCommand(const char* path, bool json);

} // namespace velmor
