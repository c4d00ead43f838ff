// Every shipped example solves, its reactions balance the loads it carries, the solution at
// once (equations reordered) agrees with the step-by-step path in the structure's numbering,
// and velmor-cli prints the report and the JSON of it.
#include "EngineFixtures.h"
#include "TestHooks.h"
#include "analysis/ResultReport.h"
#include "examples/ExampleModels.h"
#include "model/VelmorViga.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace velmor;
using namespace velmor::test;

namespace {

// The single steps in the structure's own numbering, as the tutor runs them.
int solveStepByStep(VelmorProblem& p)
{
    if (!p.InitAnalysis())
        return 0;
    p.NumberNodes(0);
    for (int i = 1; i <= int(p.Count(KIND_BEAM)); ++i) {
        p.StiffnessStep(i, 0);
        p.StiffnessStep(i, 1);
    }
    for (int kind = 0; kind < 3; ++kind) {
        const int count = int(p.Count(kind == 0 ? KIND_NODAL_LOAD : kind == 1 ? KIND_BEAM_LOAD : KIND_BEAM));
        for (int i = 1; i <= count; ++i)
            if (p.LoadStep(i, kind, 0))
                p.LoadStep(i, kind, 1);
    }
    for (int i = 1; i <= int(p.Count(KIND_SUPPORT)); ++i)
        p.SupportStep(i);
    const int solved = p.SolveSystem();
    p.ComputeResults();
    return solved;
}

double scale(const Vector& v)
{
    double m = 0.0;
    for (long i = 1; i <= long(v.Rows()); ++i)
        m = std::max(m, std::fabs(v.At(i)));
    return m;
}

} // namespace

TEST(ExampleSolutions, ReactionsBalanceTheLoads)
{
    RecordMessages messages;
    for (const ExampleModel& m : ExampleModels()) {
        VelmorProblem p;
        m.build(p);
        ASSERT_EQ(p.RunAnalysis(0), 1) << m.file;
        const Resultant applied = AppliedLoads(p), reactions = Reactions(p);
        const double tol = 1e-8 * (1.0 + std::fabs(applied.force.x) + std::fabs(applied.force.y) +
                                   std::fabs(applied.force.z));
        const bool plane = p.m_nType <= PROBLEM_PLANE_FRAME;
        if (p.m_nType != PROBLEM_CONTINUOUS_BEAM) {
            EXPECT_NEAR(applied.force.x + reactions.force.x, 0.0, tol) << m.file;
        }
        EXPECT_NEAR(applied.force.y + reactions.force.y, 0.0, tol) << m.file;
        EXPECT_NEAR(applied.moment.z + reactions.moment.z, 0.0, 10 * tol) << m.file;
        if (!plane) {
            EXPECT_NEAR(applied.force.z + reactions.force.z, 0.0, tol) << m.file;
            EXPECT_NEAR(applied.moment.x + reactions.moment.x, 0.0, 10 * tol) << m.file;
            EXPECT_NEAR(applied.moment.y + reactions.moment.y, 0.0, 10 * tol) << m.file;
        }
    }
}

TEST(ExampleSolutions, AtOnceAgreesWithTheSingleSteps)
{
    RecordMessages messages;
    for (const ExampleModel& m : ExampleModels()) {
        VelmorProblem atOnce, steps;
        m.build(atOnce);
        m.build(steps);
        ASSERT_EQ(atOnce.RunAnalysis(0), 1) << m.file;
        ASSERT_EQ(solveStepByStep(steps), 1) << m.file;
        const double d = scale(steps.m_D), r = scale(steps.m_R);
        for (long i = 1; i <= long(steps.m_D.Rows()); ++i) {
            EXPECT_NEAR(atOnce.m_D.At(i), steps.m_D.At(i), 1e-10 * d) << m.file << " D" << i;
            EXPECT_NEAR(atOnce.m_R.At(i), steps.m_R.At(i), 1e-8 * r) << m.file << " R" << i;
        }
    }
}

TEST(ExampleSolutions, ReportOfThePortal)
{
    VelmorProblem p;
    for (const ExampleModel& m : ExampleModels())
        if (m.file == "portique-simple.vlm")
            m.build(p);
    RecordMessages messages;
    ASSERT_EQ(p.RunAnalysis(0), 1);
    const std::vector<std::string> lines = ResultReportLines(p);
    // Hand-checked: horizontal reactions balance the 15 kN, vertical ones the 150 kN girder load.
    const std::vector<std::string> reactions = {
        "     1                 145     7.02e+04            -            -            -     5.29e+03 ",
        "     4           -1.51e+04     7.98e+04            -            -            -     2.56e+04 ",
    };
    auto at = std::find(lines.begin(), lines.end(), "Réactions:");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 2), " Noeud              Fx [N]       Fy [N]       Fz [N]      Mx [Nm]      My [Nm]      Mz [Nm]");
    EXPECT_EQ(*(at + 4), reactions[0]);
    EXPECT_EQ(*(at + 5), reactions[1]);
    // Titles with their blank lines and headers, then 4 nodes, 4 nodes, 2 supports, 3 beams.
    EXPECT_EQ(lines.size(), (4u + 4u) + (5u + 4u) + (5u + 2u) + (5u + 6u));
}
