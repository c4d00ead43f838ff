// The example and exercise view's decisions: command states, scales, values along a beam and
// the finite-element laws.
#include "ExampleRules.h"

#include "model/ElementKind.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace velmor {
namespace {

// Stationary points closer than this to an end are that end's value.
constexpr double kEndDistance = 0.0001;
// Values smaller than this are written as 0.
constexpr double kZeroValue = 1e-15;
// Sub-intervals of the root search of a derivative of degree 3 or more.
constexpr int kRootSteps = 100;

ExampleCommandState state(bool enabled, bool checked)
{
    return ExampleCommandState{enabled, checked};
}

std::vector<LawValue> valuesAt(const Polynomial& stationary, double L,
                               double (*value)(const Polynomial*, double), const Polynomial* laws)
{
    std::vector<LawValue> out;
    out.push_back({0.0, value(laws, 0.0)});
    std::vector<double> roots(8);
    roots.resize(size_t(stationary.Roots(0.0, L, roots.data(), int(roots.size()), kRootSteps)));
    std::sort(roots.begin(), roots.end());
    for (const double x : roots) {
        if (x < kEndDistance || x > L - kEndDistance || x - out.back().x < kEndDistance)
            continue;
        out.push_back({x, value(laws, x)});
    }
    out.push_back({L, value(laws, L)});
    return out;
}

// The line from a at x = 0 to b at x = L.
Polynomial line(double a, double b, double L)
{
    return Polynomial({a, (b - a) / L});
}

// The cubic from (0, v1) with slope s1 to (L, v2) with slope s2, a released end taking the
// slope of no curvature there.
Polynomial cubic(double v1, double s1, double v2, double s2, double L, int release)
{
    const double chord = (v2 - v1) / L;
    if (release == 3)
        s1 = s2 = chord;
    else if (release == 1)
        s1 = (3.0 * chord - s2) / 2.0;
    else if (release == 2)
        s2 = (3.0 * chord - s1) / 2.0;
    return Polynomial({v1, s1, (3.0 * chord - 2.0 * s1 - s2) / L, (s1 + s2 - 2.0 * chord) / (L * L)});
}

} // namespace

std::optional<ExampleCommandState> ExampleCommandStateOf(int id, const ExampleState& s)
{
    const bool results = s.previousStep > 4;
    const bool atResults = s.step == 7;
    const int type = s.problemType;
    const bool lawChecked = (s.lawMask & LawBitOfCommand(id)) != 0;
    switch (id) {
    case CMD_DEFORMED:
    case CMD_INFLEXION: return state(results, lawChecked);
    case CMD_AXIAL: return state(atResults && type > PROBLEM_CONTINUOUS_BEAM, lawChecked);
    case CMD_SHEAR_Y:
    case CMD_MOMENT_Z: return state(atResults && type != PROBLEM_SPACE_TRUSS, lawChecked);
    case CMD_SHEAR_Z:
    case CMD_TORSION:
    case CMD_MOMENT_Y: return state(atResults && type == PROBLEM_SPACE_FRAME, lawChecked);
    case CMD_DISPLACEMENTS:
    case CMD_REACTIONS:
    case CMD_EFFORTS: return state(results, s.selection == SelectionOfCommand(id));
    case CMD_BEAM_VALUES:
        return state(results && type != PROBLEM_SPACE_TRUSS, s.selection == SELECT_BEAM_VALUES);
    case CMD_FEM: return state(results, s.fem);
    case CMD_VALUE_LABELS: return state(s.lawDrawing, s.valueLabels);
    case CMD_FUNCTION_UP: return state(s.functionFactor <= 10.0, false);
    case CMD_FUNCTION_DOWN: return state(s.functionFactor >= 0.1, false);
    case CMD_BEAM_ZOOM: return state(results && !s.lawDrawing, s.beamZoom || s.lawDrawing);
    default: return std::nullopt;
    }
}

int LawBitOfCommand(int id)
{
    switch (id) {
    case CMD_AXIAL: return CODE_N;
    case CMD_SHEAR_Y: return CODE_VY;
    case CMD_SHEAR_Z: return CODE_VZ;
    case CMD_TORSION: return CODE_T;
    case CMD_MOMENT_Y: return CODE_MY;
    case CMD_MOMENT_Z: return CODE_MZ;
    case CMD_INFLEXION: return LAW_INFLEXION;
    case CMD_DEFORMED: return LAW_DEFORMED;
    default: return 0;
    }
}

int SelectionOfCommand(int id)
{
    switch (id) {
    case CMD_DISPLACEMENTS: return SELECT_DISPLACEMENTS;
    case CMD_REACTIONS: return SELECT_REACTIONS;
    case CMD_EFFORTS: return SELECT_EFFORTS;
    case CMD_BEAM_VALUES: return SELECT_BEAM_VALUES;
    default: return SELECT_NONE;
    }
}

double FunctionFactorUp(double factor)
{
    return factor <= 10.0 ? factor * 1.2 : factor;
}

double FunctionFactorDown(double factor)
{
    return factor >= 0.1 ? factor * 0.8333333333333334 : factor;
}

LawScales ComputeLawScales(double boxDiagonal, double factor,
                           const std::array<double, EXT_COUNT>& e)
{
    LawScales s;
    s.height = boxDiagonal * factor * 0.125;
    const auto scale = [&](std::initializer_list<int> families) {
        double largest = 0.0;
        for (int f : families)
            largest = std::max({largest, std::fabs(e[size_t(f)]), std::fabs(e[size_t(f) + 1])});
        return largest > 0.0 ? s.height / largest : 0.0;
    };
    s.axial = scale({EXT_N});
    s.shear = scale({EXT_VY, EXT_VZ});
    s.moment = scale({EXT_MY, EXT_MZ, EXT_T});
    s.displacement = scale({EXT_U, EXT_V, EXT_W});
    return s;
}

double ScaleOfLaw(const LawScales& scales, int code)
{
    switch (code) {
    case CODE_N: return scales.axial;
    case CODE_VY:
    case CODE_VZ: return scales.shear;
    case CODE_T:
    case CODE_MY:
    case CODE_MZ: return scales.moment;
    default: return scales.displacement;
    }
}

const char* LawLabel(int code)
{
    switch (code) {
    case CODE_N: return "N";
    case CODE_VY: return "Qy";
    case CODE_VZ: return "Qz";
    case CODE_T: return "T";
    case CODE_MY: return "My";
    case CODE_MZ: return "Mz";
    default: return "d";
    }
}

int LawIndexOfCode(int code)
{
    static constexpr int kCodes[] = {CODE_N, CODE_VY, CODE_VZ, CODE_T, CODE_MY, CODE_MZ};
    static constexpr int kIndices[] = {LAW_N, LAW_VY, LAW_VZ, LAW_T, LAW_MY, LAW_MZ};
    for (size_t i = 0; i < std::size(kCodes); ++i)
        if (kCodes[i] == code)
            return kIndices[i];
    return -1;
}

std::vector<LawValue> ValuesAlong(const Polynomial& law, double L)
{
    return valuesAt(law.Derivative(1), L,
                    [](const Polynomial* p, double x) { return p->Evaluate(x); }, &law);
}

std::vector<LawValue> DisplacementValuesAlong(const Polynomial& u, const Polynomial& v,
                                              const Polynomial& w, double L)
{
    const Polynomial laws[3] = {u, v, w};
    const Polynomial squared = u.Multiply(u).Add(v.Multiply(v)).Add(w.Multiply(w));
    return valuesAt(squared.Derivative(1), L, [](const Polynomial* p, double x) {
        const double a = p[0].Evaluate(x), b = p[1].Evaluate(x), c = p[2].Evaluate(x);
        return std::sqrt(a * a + b * b + c * c);
    }, laws);
}

std::string FormatLawValue(double x, const char* label, double value)
{
    char text[96];
    std::snprintf(text, sizeof text, "x = %7.3lf : %s = %7.3lg", x, label,
                  std::fabs(value) < kZeroValue ? 0.0 : value);
    return text;
}

std::array<Polynomial, LAW_COUNT> FiniteElementLaws(const std::array<double, 12>& q,
                                                    const std::array<double, 12>& d, double L,
                                                    int release, bool axialOnly, int problemType)
{
    std::array<Polynomial, LAW_COUNT> laws;
    if (!(L > 0.0))
        return laws;
    const bool truss = problemType == PROBLEM_SPACE_TRUSS || axialOnly;
    // q(k) and d(k) with the 1-based component numbers of the element vector.
    const auto Q = [&](int k) { return q[size_t(k - 1)]; };
    const auto D = [&](int k) { return d[size_t(k - 1)]; };
    if (problemType != PROBLEM_CONTINUOUS_BEAM) {
        laws[LAW_N] = line(-Q(1), Q(7), L);
        laws[LAW_U] = line(D(1), D(7), L);
    }
    if (truss) {
        laws[LAW_V] = line(D(2), D(8), L);
        laws[LAW_W] = line(D(3), D(9), L);
        return laws;
    }
    laws[LAW_VY] = line(-Q(2), Q(8), L);
    laws[LAW_MZ] = line(Q(6), -Q(12), L);
    laws[LAW_V] = cubic(D(2), D(6), D(8), D(12), L, release);
    if (problemType == PROBLEM_SPACE_FRAME) {
        laws[LAW_VZ] = line(-Q(3), Q(9), L);
        laws[LAW_T] = line(-Q(4), Q(10), L);
        laws[LAW_MY] = line(-Q(5), Q(11), L);
        laws[LAW_W] = cubic(D(3), -D(5), D(9), -D(11), L, release);
    }
    return laws;
}

} // namespace velmor
