// The example view's decisions without a window: the result commands' enabling and check marks,
// the function factor's limits, the diagram scales, the values along a beam and the laws of a
// plain finite element against the engine's laws.
#include "TestHooks.h"
#include "analysis/Analysis.h"
#include "examples/ExampleModels.h"
#include "model/ElementKind.h"
#include "model/VelmorObject.h"
#include "model/VelmorObjectData.h"
#include "views/core/ExampleRules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmor {
namespace {

struct EnableCase
{
    int id;
    int step, previous, type;
    bool enabled;
};

TEST(ExampleRules, ResultCommandsFollowTheStepsAndTheProblemType)
{
    const EnableCase cases[] = {
        // Deformed shape and inflexion points once the solution has gone past the supports.
        {CMD_DEFORMED, 5, 4, PROBLEM_PLANE_FRAME, false},
        {CMD_DEFORMED, 6, 5, PROBLEM_PLANE_FRAME, true},
        {CMD_INFLEXION, 7, 7, PROBLEM_SPACE_TRUSS, true},
        // The laws at the results only, by problem type.
        {CMD_AXIAL, 6, 5, PROBLEM_PLANE_FRAME, false},
        {CMD_AXIAL, 7, 7, PROBLEM_CONTINUOUS_BEAM, false},
        {CMD_AXIAL, 7, 7, PROBLEM_SPACE_TRUSS, true},
        {CMD_SHEAR_Y, 7, 7, PROBLEM_CONTINUOUS_BEAM, true},
        {CMD_SHEAR_Y, 7, 7, PROBLEM_SPACE_TRUSS, false},
        {CMD_MOMENT_Z, 7, 7, PROBLEM_PLANE_FRAME, true},
        {CMD_MOMENT_Z, 7, 7, PROBLEM_SPACE_TRUSS, false},
        {CMD_SHEAR_Z, 7, 7, PROBLEM_PLANE_FRAME, false},
        {CMD_SHEAR_Z, 7, 7, PROBLEM_SPACE_FRAME, true},
        {CMD_TORSION, 7, 7, PROBLEM_SPACE_TRUSS, false},
        {CMD_TORSION, 7, 7, PROBLEM_SPACE_FRAME, true},
        {CMD_MOMENT_Y, 7, 7, PROBLEM_SPACE_FRAME, true},
        {CMD_MOMENT_Y, 6, 5, PROBLEM_SPACE_FRAME, false},
        // The selections once solved; beam values not for trusses.
        {CMD_DISPLACEMENTS, 4, 4, PROBLEM_PLANE_FRAME, false},
        {CMD_DISPLACEMENTS, 6, 5, PROBLEM_PLANE_FRAME, true},
        {CMD_REACTIONS, 7, 7, PROBLEM_SPACE_TRUSS, true},
        {CMD_EFFORTS, 7, 7, PROBLEM_CONTINUOUS_BEAM, true},
        {CMD_BEAM_VALUES, 7, 7, PROBLEM_SPACE_TRUSS, false},
        {CMD_BEAM_VALUES, 7, 7, PROBLEM_SPACE_FRAME, true},
        {CMD_FEM, 3, 2, PROBLEM_PLANE_FRAME, false},
        {CMD_FEM, 7, 7, PROBLEM_PLANE_FRAME, true},
        {CMD_BEAM_ZOOM, 0, 0, PROBLEM_PLANE_FRAME, false},
        {CMD_BEAM_ZOOM, 7, 7, PROBLEM_PLANE_FRAME, true},
    };
    for (const EnableCase& c : cases) {
        ExampleState s;
        s.step = c.step;
        s.previousStep = c.previous;
        s.problemType = c.type;
        const auto st = ExampleCommandStateOf(c.id, s);
        ASSERT_TRUE(st) << c.id;
        EXPECT_EQ(st->enabled, c.enabled) << c.id << " at " << c.step << "/" << c.previous
                                          << " type " << c.type;
    }
    EXPECT_FALSE(ExampleCommandStateOf(32808, ExampleState{}));
}

TEST(ExampleRules, ChecksFollowTheMaskTheSelectionAndTheSwitches)
{
    ExampleState s;
    s.step = s.previousStep = 7;
    s.problemType = PROBLEM_SPACE_FRAME;
    s.lawMask = int(CODE_MZ) | int(LAW_DEFORMED);
    s.selection = SELECT_REACTIONS;
    const int laws[] = {CMD_AXIAL, CMD_SHEAR_Y, CMD_SHEAR_Z, CMD_TORSION, CMD_MOMENT_Y,
                        CMD_MOMENT_Z, CMD_DEFORMED, CMD_INFLEXION};
    for (int id : laws)
        EXPECT_EQ(ExampleCommandStateOf(id, s)->checked, id == CMD_MOMENT_Z || id == CMD_DEFORMED)
            << id;
    for (int id : {CMD_DISPLACEMENTS, CMD_REACTIONS, CMD_EFFORTS, CMD_BEAM_VALUES})
        EXPECT_EQ(ExampleCommandStateOf(id, s)->checked, id == CMD_REACTIONS) << id;
    // The value labels belong to a law drawing.
    s.valueLabels = true;
    EXPECT_FALSE(ExampleCommandStateOf(CMD_VALUE_LABELS, s)->enabled);
    s.lawDrawing = true;
    EXPECT_TRUE(ExampleCommandStateOf(CMD_VALUE_LABELS, s)->enabled);
    EXPECT_TRUE(ExampleCommandStateOf(CMD_VALUE_LABELS, s)->checked);
    // No second beam zoom while one runs.
    EXPECT_FALSE(ExampleCommandStateOf(CMD_BEAM_ZOOM, s)->enabled);
    // Toggled bits and selections by command.
    EXPECT_EQ(LawBitOfCommand(CMD_TORSION), CODE_T);
    EXPECT_EQ(LawBitOfCommand(CMD_INFLEXION), 64);
    EXPECT_EQ(LawBitOfCommand(CMD_DEFORMED), 128);
    EXPECT_EQ(LawBitOfCommand(CMD_FEM), 0);
    EXPECT_EQ(SelectionOfCommand(CMD_EFFORTS), SELECT_EFFORTS);
    EXPECT_EQ(SelectionOfCommand(CMD_BEAM_VALUES), SELECT_BEAM_VALUES);
    EXPECT_EQ(SelectionOfCommand(CMD_AXIAL), SELECT_NONE);
}

TEST(ExampleRules, FunctionFactorStopsPastItsLimits)
{
    double f = 1.0;
    int presses = 0;
    while (presses < 100 && FunctionFactorUp(f) != f) {
        f = FunctionFactorUp(f);
        ++presses;
    }
    // The last step may pass 10 once; then the factor stays.
    EXPECT_GT(f, 10.0);
    EXPECT_LE(f, 12.0);
    EXPECT_EQ(presses, 13);
    ExampleState s;
    s.functionFactor = f;
    EXPECT_FALSE(ExampleCommandStateOf(CMD_FUNCTION_UP, s)->enabled);
    EXPECT_TRUE(ExampleCommandStateOf(CMD_FUNCTION_DOWN, s)->enabled);
    f = 1.0;
    while (FunctionFactorDown(f) != f)
        f = FunctionFactorDown(f);
    EXPECT_LT(f, 0.1);
    EXPECT_GE(f, 0.08);
    s.functionFactor = f;
    EXPECT_FALSE(ExampleCommandStateOf(CMD_FUNCTION_DOWN, s)->enabled);
    EXPECT_TRUE(ExampleCommandStateOf(CMD_FUNCTION_UP, s)->enabled);
}

TEST(ExampleRules, ScalesPerFamilyFromTheLargestExtreme)
{
    std::array<double, EXT_COUNT> e{};
    LawScales zero = ComputeLawScales(8.0, 1.0, e);
    EXPECT_EQ(zero.axial, 0.0);
    EXPECT_EQ(zero.shear, 0.0);
    EXPECT_EQ(zero.moment, 0.0);
    EXPECT_EQ(zero.displacement, 0.0);
    e[EXT_N] = -4.0;
    e[EXT_N + 1] = 2.0;
    e[EXT_VZ + 1] = 5.0;
    e[EXT_VY] = -10.0;
    e[EXT_T + 1] = 40.0;
    e[EXT_MZ] = -20.0;
    e[EXT_V] = -0.01;
    const LawScales s = ComputeLawScales(8.0, 2.0, e);
    EXPECT_DOUBLE_EQ(s.height, 2.0);
    EXPECT_DOUBLE_EQ(s.axial, 0.5);
    EXPECT_DOUBLE_EQ(s.shear, 0.2);
    EXPECT_DOUBLE_EQ(s.moment, 0.05);
    EXPECT_DOUBLE_EQ(s.displacement, 200.0);
    EXPECT_DOUBLE_EQ(ScaleOfLaw(s, CODE_T), s.moment);
    EXPECT_DOUBLE_EQ(ScaleOfLaw(s, CODE_VZ), s.shear);
}

TEST(ExampleRules, ValuesAtTheEndsAndWhereTheLawIsStationary)
{
    // Simply supported span of 4 under 3 per unit length: Mz = -6 x + 1.5 x^2.
    const double L = 4.0, q = 3.0;
    const auto m = ValuesAlong(Polynomial({0.0, -q * L / 2, q / 2}), L);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_DOUBLE_EQ(m[0].x, 0.0);
    EXPECT_DOUBLE_EQ(m[1].x, L / 2);
    EXPECT_DOUBLE_EQ(m[1].value, -q * L * L / 8);
    EXPECT_DOUBLE_EQ(m[2].x, L);
    EXPECT_NEAR(m[2].value, 0.0, 1e-12);
    // A straight line: its two ends only; a parabola stationary at its start: not twice.
    EXPECT_EQ(ValuesAlong(Polynomial({1.0, 2.0}), L).size(), 2u);
    EXPECT_EQ(ValuesAlong(Polynomial({1.0, 0.0, 2.0}), L).size(), 2u);
    EXPECT_EQ(ValuesAlong(Polynomial({5.0}), L).size(), 2u);
    // A cubic with two stationary points inside: x (x - 3)(x - 6) on [0, 6].
    const auto c = ValuesAlong(Polynomial({0.0, 18.0, -9.0, 1.0}), 6.0);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_LT(c[1].x, c[2].x);
    EXPECT_NEAR(c[1].x, 3.0 - std::sqrt(3.0), 0.05);
    // The length of a displacement: (0, x (x - 2), 0) is longest inside at x = 1.
    const auto d = DisplacementValuesAlong(Polynomial(), Polynomial({0.0, -2.0, 1.0}),
                                           Polynomial(), 2.0);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_DOUBLE_EQ(d[1].x, 1.0);
    EXPECT_DOUBLE_EQ(d[1].value, 1.0);
}

TEST(ExampleRules, ValuesAreWrittenWithTheirLabel)
{
    EXPECT_EQ(FormatLawValue(2.0, "Mz", -12.5), "x =   2.000 : Mz =   -12.5");
    EXPECT_EQ(FormatLawValue(0.0, "N", 1e-16), "x =   0.000 : N =       0");
    EXPECT_EQ(FormatLawValue(1.25, "d", 0.0012345), "x =   1.250 : d = 0.00123");
    const int codes[] = {CODE_N, CODE_VY, CODE_VZ, CODE_T, CODE_MY, CODE_MZ, 0};
    const char* labels[] = {"N", "Qy", "Qz", "T", "My", "Mz", "d"};
    for (int i = 0; i < 7; ++i)
        EXPECT_STREQ(LawLabel(codes[i]), labels[i]);
}

// Every beam of every shipped example: the finite-element laws take the engine's end values,
// and on a beam that carries no load of its own they are the engine's laws everywhere.
TEST(ExampleRules, FiniteElementLawsAgreeWithTheEngine)
{
    test::RecordMessages messages;
    int unloaded = 0;
    for (const ExampleModel& model : ExampleModels()) {
        VelmorProblem p;
        Analysis an(p);
        model.build(p);
        ASSERT_TRUE(an.RunAnalysis().Ok()) << model.file;
        const unsigned c = unsigned(an.DofPerNode());
        for (const auto& beam : p.List(KIND_BEAM)) {
            const BeamAnalysis& r = an.BeamResult(*beam);
            const Vector q12 = r.q.SelectByMask(an.DofMask(), 6, c, 6);
            const Vector d12 = r.dl.SelectByMask(an.DofMask(), 6, c, 6);
            std::array<double, 12> q{}, d{};
            for (int i = 0; i < 12; ++i) {
                q[size_t(i)] = q12.At(i + 1);
                d[size_t(i)] = d12.At(i + 1);
            }
            const auto* section = beam->GetParent(0);
            const bool axial = r.release == 3 && section &&
                               dynamic_cast<const VelmorSeccionData*>(section->m_pData.get()) &&
                               static_cast<const VelmorSeccionData*>(section->m_pData.get())
                                       ->m_nShape == SHAPE_AXIAL;
            const auto fe = FiniteElementLaws(q, d, r.L, r.release, axial, p.m_nType);
            bool loaded = false;
            for (long i = 1; i <= long(r.p.Rows()); ++i)
                loaded = loaded || r.p.At(i) != 0.0;
            unloaded += loaded ? 0 : 1;
            double size[LAW_COUNT] = {};
            for (int k = 0; k < LAW_COUNT; ++k)
                for (double x : {0.0, r.L / 2, r.L})
                    size[k] = std::max(size[k], std::fabs(r.laws[k].Evaluate(x)));
            for (int k = 0; k < LAW_COUNT; ++k) {
                const double tol = 1e-8 * (1.0 + size[k]);
                const int samples = loaded ? 1 : 10;
                for (int s = 0; s <= samples; ++s) {
                    const double x = r.L * s / samples;
                    EXPECT_NEAR(fe[size_t(k)].Evaluate(x), r.laws[k].Evaluate(x), tol)
                        << model.file << " beam " << beam->Number() << " law " << k << " x " << x;
                }
            }
        }
    }
    EXPECT_GT(unloaded, 0);
}

} // namespace
} // namespace velmor
