// The checks a solution passes before it is called solved: every displacement, reaction and
// end force finite, the equations of the free degrees of freedom satisfied, and the reactions
// balancing the applied loads. What they find goes into the solution's status.
#pragma once

#include "AnalysisStatus.h"
#include "numeric/MatBase.h"

namespace velmor {

class Analysis;

// Relative size of the residual above which the results are said to be imprecise. A sound
// structure solves to a residual of about 1e-13 of its forces (every shipped example does);
// one whose members differ in length or stiffness by many orders of magnitude loses digits
// until the reactions miss the loads. At 1e-6 the six significant digits of the files and the
// three of the report no longer all hold: the user is warned, the results are still shown.
inline constexpr double kImpreciseResidual = 1e-6;

struct SolutionQuality
{
    bool finite = true;
    // The largest out-of-balance force (or moment) of a free degree of freedom, and the
    // largest miss of the reactions against the applied loads along x, y and z, each relative
    // to the largest force (or moment) of the solution.
    double residual = 0.0;
    double equilibrium = 0.0;
};

// The failure of a solution whose loads or results are not finite numbers.
AnalysisStatus NotFinite();
// Whether every entry is a finite number.
bool AllFinite(const Vector& v);

// Measured on an analysis whose system was solved and whose reactions and results were
// formed, before its system arrays are freed (it reads the loads and the restraints).
SolutionQuality MeasureSolution(const Analysis& analysis);

// Failure when a value is not finite; a warning when the residual or the equilibrium misses
// by more than kImpreciseResidual; nothing otherwise.
AnalysisStatus CheckSolution(const SolutionQuality& quality);

} // namespace velmor
