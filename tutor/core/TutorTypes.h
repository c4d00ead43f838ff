// The values the step-by-step solution is described by: its steps, the kinds of item a step
// walks, how a problem is being solved, and a snapshot of the sequencer's state that the pure
// rules (bar texts, command enabling) read.
#pragma once

#include "analysis/Analysis.h"

namespace velmor {

// The steps of a step-by-step solution, numbered as the menus, the bar and the help know them.
enum class TutorStage : int {
    None = 0,
    Numbering = 1, // number one node
    Stiffness = 2, // compute one beam's stiffness, then assemble it
    Loads = 3,     // compute one load vector, then assemble it
    Supports = 4,  // impose the conditions of one support
    Solution = 5,  // solve the whole system at once
    Laws = 6,      // exercises only: the user draws the internal-force laws
    Results = 7,   // compute the results; examples end here
};

inline int StageNumber(TutorStage stage)
{
    return static_cast<int>(stage);
}

// What a selection walks: the element lists of the nodes, the beams, the supports, and the
// three load lists one after the other (nodal loads, distributed loads, self weight of beams).
enum class TutorItemKind : int { Nodes = 0, Beams = 2, Supports = 3, Loads = 4 };

// How the problem shown in a calculation frame is solved.
enum class SolutionMode : int {
    None = 0,       // no solution
    Final = 1,      // "Solution Finale" computed at once
    StepByStep = 2, // a step-by-step solution running
};

// What the bar, the menus and the toolbars show of a sequencer, taken at one moment.
struct TutorState
{
    bool active = false;
    SolutionMode solution = SolutionMode::None;
    bool exercise = false; // the problem is solved in the exercises mode
    TutorStage target = TutorStage::None; // the step being worked on
    TutorStage done = TutorStage::None;   // the last step completed
    bool half = false;     // the current item is computed and waits to be assembled or confirmed
    LoadKind loadList = LoadKind::Nodal;  // the load list step 3 is walking
    int first = 0, second = 0;            // node numbers shown for the current item
};

} // namespace velmor
