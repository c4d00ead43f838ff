// The example and exercise view's decisions without a window: which result commands are enabled
// and checked, the function factor, the scales of the diagrams, the values written along a beam
// and the laws of a beam as a plain finite element gives them.
#pragma once

#include "analysis/BeamAnalysis.h"
#include "numeric/Polynomial.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velmor {

// The law mask's bits beside the six law codes.
enum LawMaskBit : int {
    LAW_BITS_ALL = 63,   // the six laws
    LAW_INFLEXION = 64,  // inflexion points marked
    LAW_DEFORMED = 128,  // the deformed shape
};

// What the results selected by a click show.
enum ResultSelection : int {
    SELECT_NONE = 0,
    SELECT_LAWS = 1,
    SELECT_BEAM_VALUES = 2,
    SELECT_EFFORTS = 3,
    SELECT_DISPLACEMENTS = 4,
    SELECT_REACTIONS = 5,
};

// The result commands of the example and exercise view.
enum ExampleCommand : int {
    CMD_DEFORMED = 32826,
    CMD_AXIAL = 32822,
    CMD_SHEAR_Y = 32823,
    CMD_SHEAR_Z = 32843,
    CMD_TORSION = 32825,
    CMD_MOMENT_Y = 32824,
    CMD_MOMENT_Z = 32844,
    CMD_INFLEXION = 32846,
    CMD_DISPLACEMENTS = 32837,
    CMD_REACTIONS = 32838,
    CMD_EFFORTS = 32839,
    CMD_BEAM_VALUES = 32853,
    CMD_FEM = 32847,
    CMD_VALUE_LABELS = 32896,
    CMD_FUNCTION_UP = 32842,
    CMD_FUNCTION_DOWN = 32840,
    CMD_BEAM_ZOOM = 32855,
};

// What the enabling depends on: the tutor's step and previous step (0 to 7), the problem type
// (1 to 4) and the view's own switches.
struct ExampleState
{
    int step = 0;
    int previousStep = 0;
    int problemType = 0;
    int lawMask = 0;
    int selection = SELECT_NONE;
    bool fem = false;
    bool valueLabels = false;
    bool beamZoom = false;     // the next click on a beam starts its law drawing
    bool lawDrawing = false;   // a single beam's law drawing runs
    double functionFactor = 1.0;
};

struct ExampleCommandState
{
    bool enabled = false;
    bool checked = false;
};

// Enabling and check mark of a result command; nothing for an id that is not one.
// Deformed shape, inflexion points, displacements, reactions, internal forces, the FEM view and
// the beam zoom once the previous step is above 4 (beam values likewise, not for trusses); the
// axial law at step 7 for all types but continuous beams, shear y and moment z at step 7 but for
// trusses, shear z, torsion and moment y at step 7 for space frames only; the value labels while
// a law drawing runs; F3 while the factor is not above 10, F4 while it is at least 0.1. A law
// command is checked while its bit is on, a selection command while its mode is the selection.
std::optional<ExampleCommandState> ExampleCommandStateOf(int id, const ExampleState& state);
// The law-mask bit a command toggles (the six laws, the deformed shape, the inflexion points);
// 0 for any other command.
int LawBitOfCommand(int id);
// The selection mode a command sets; SELECT_NONE for any other command.
int SelectionOfCommand(int id);

// F3: times 1.2 while the factor is not above 10; F4: times 1 / 1.2 while it is at least 0.1.
// Unchanged otherwise.
double FunctionFactorUp(double factor);
double FunctionFactorDown(double factor);

// Model units of diagram per unit of value, for each family of laws and the deformed shape.
struct LawScales
{
    double height = 0.0; // largest diagram ordinate, model units
    double axial = 0.0;  // N
    double shear = 0.0;  // Vy, Vz
    double moment = 0.0; // My, Mz, T
    double displacement = 0.0;
};
// h = diagonal * factor * 0.125; each family's scale is h over the largest magnitude of its
// extreme values in the 24-value record, or 0 when that is 0.
LawScales ComputeLawScales(double boxDiagonal, double factor,
                           const std::array<double, EXT_COUNT>& extrema);
// The scale of the law of a code (1 ... 32).
double ScaleOfLaw(const LawScales& scales, int code);

// The label of a law code in the values along a beam: "N", "Qy", "Qz", "T", "My", "Mz"; "d" for
// code 0, the deformed shape.
const char* LawLabel(int code);
// The law index (LAW_N ...) of a law code; -1 for another code.
int LawIndexOfCode(int code);

struct LawValue
{
    double x = 0.0;
    double value = 0.0;
};
// The values written along a beam of length L: at the start, at each interior point where the
// derivative is zero (in increasing order, none closer than 0.0001 to the start or the end), and
// at the end.
std::vector<LawValue> ValuesAlong(const Polynomial& law, double L);
// The same for the length of a displacement vector (u, v, w): at the start, where the squared
// length is stationary, and at the end.
std::vector<LawValue> DisplacementValuesAlong(const Polynomial& u, const Polynomial& v,
                                              const Polynomial& w, double L);
// "x = %7.3lf : %s = %7.3lg"; a value below 1e-15 in magnitude is written as 0.
std::string FormatLawValue(double x, const char* label, double value);

// The laws of a beam as a plain finite element gives them, from its local end forces q and end
// displacements d alone, both spread to twelve components (x, y, z, rx, ry, rz of node 1, then of
// node 2): every force law the straight line between its two end values (N from -q1 to q7, Vy
// from -q2 to q8, Vz from -q3 to q9, T from -q4 to q10, My from -q5 to q11, Mz from q6 to -q12),
// u linear, v and w the cubics of the end displacements and rotations (w' = -ry). A released end
// (release code 1: node 1, 2: node 2, 3: both) takes the rotation that leaves no moment there;
// an axial-only member (or a truss) has linear v and w. Laws the problem type does not have stay
// zero. Indexed by LawIndex.
std::array<Polynomial, LAW_COUNT> FiniteElementLaws(const std::array<double, 12>& q,
                                                    const std::array<double, 12>& d, double L,
                                                    int release, bool axialOnly, int problemType);

} // namespace velmor
