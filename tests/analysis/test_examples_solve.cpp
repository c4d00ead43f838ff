// Every shipped example solves, its reactions balance the loads it carries, the solution at
// once (equations reordered) agrees with the step-by-step path in the structure's numbering,
// and velmor-cli prints the report and the JSON of it.
#include "EngineFixtures.h"
#include "TestHooks.h"
#include "analysis/Analysis.h"
#include "analysis/ResultReport.h"
#include "examples/ExampleModels.h"
#include "model/VelmorViga.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

using namespace velmor;
using namespace velmor::test;

namespace {

// The single steps in the structure's own numbering, as the tutor runs them.
bool solveStepByStep(const VelmorProblem& p, Analysis& an)
{
    if (!an.InitAnalysis())
        return false;
    an.NumberNodes(0);
    for (int i = 1; i <= int(p.Count(KIND_BEAM)); ++i) {
        an.StiffnessStep(i, false);
        an.StiffnessStep(i, true);
    }
    for (int kind = 0; kind < 3; ++kind) {
        const int count = int(p.Count(kind == 0 ? KIND_NODAL_LOAD : kind == 1 ? KIND_BEAM_LOAD : KIND_BEAM));
        for (int i = 1; i <= count; ++i)
            if (an.LoadStep(i, LoadKind(kind), false))
                an.LoadStep(i, LoadKind(kind), true);
    }
    for (int i = 1; i <= int(p.Count(KIND_SUPPORT)); ++i)
        an.SupportStep(i);
    const bool solved = an.SolveSystem().Ok();
    an.ComputeResults();
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
        Analysis an(p);
        m.build(p);
        ASSERT_TRUE(an.RunAnalysis().Ok()) << m.file;
        const Resultant applied = AppliedLoads(p), reactions = Reactions(an);
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
        Analysis aOnce(atOnce), aSteps(steps);
        ASSERT_TRUE(aOnce.RunAnalysis().Ok()) << m.file;
        ASSERT_TRUE(solveStepByStep(steps, aSteps)) << m.file;
        const double d = scale(aSteps.Displacements()), r = scale(aSteps.Reactions());
        for (long i = 1; i <= long(aSteps.Displacements().Rows()); ++i) {
            EXPECT_NEAR(aOnce.Displacements().At(i), aSteps.Displacements().At(i), 1e-10 * d) << m.file << " D" << i;
            EXPECT_NEAR(aOnce.Reactions().At(i), aSteps.Reactions().At(i), 1e-8 * r) << m.file << " R" << i;
        }
    }
}

TEST(ExampleSolutions, ExtremesAreTheLawsSampledAtEveryTwentiethOfTheBeam)
{
    RecordMessages messages;
    // The laws in the order of the extreme record, each one's minimum then maximum.
    const int order[9] = {LAW_VY, LAW_VZ, LAW_MY, LAW_MZ, LAW_N, LAW_T, LAW_U, LAW_V, LAW_W};
    for (const ExampleModel& m : ExampleModels()) {
        VelmorProblem p;
        Analysis an(p);
        m.build(p);
        ASSERT_TRUE(an.RunAnalysis().Ok()) << m.file;
        for (const auto& beam : p.List(KIND_BEAM)) {
            const BeamAnalysis& r = an.BeamResult(*beam);
            for (int k = 0; k < 9; ++k) {
                const Polynomial& law = r.laws[order[k]];
                double lo = law.Evaluate(0.0), hi = lo;
                for (int i = 1; i <= 20; ++i) {
                    lo = std::min(lo, law.Evaluate(double(i) * r.L / 20));
                    hi = std::max(hi, law.Evaluate(double(i) * r.L / 20));
                }
                EXPECT_EQ(r.extrema[2 * k], lo) << m.file << " beam " << beam->Number() << " law " << k;
                EXPECT_EQ(r.extrema[2 * k + 1], hi) << m.file << " beam " << beam->Number() << " law " << k;
            }
        }
    }
}

TEST(ExampleSolutions, ReportOfThePortal)
{
    VelmorProblem p;
    Analysis an(p);
    for (const ExampleModel& m : ExampleModels())
        if (m.file == "portique-simple.vlm")
            m.build(p);
    RecordMessages messages;
    ASSERT_TRUE(an.RunAnalysis().Ok());
    const std::vector<std::string> lines = ResultReportLines(an);
    auto at = std::find(lines.begin(), lines.end(), "Réactions:");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 2), " Noeud              Fx [N]       Fy [N]       Fz [N]      Mx [Nm]      My [Nm]      Mz [Nm]");
    // The reaction lines as printed, a regression snapshot of the report's text...
    EXPECT_EQ(*(at + 4),
              "     1                 145     7.02e+04            -            -            -     5.29e+03 ");
    EXPECT_EQ(*(at + 5),
              "     4           -1.51e+04     7.98e+04            -            -            -     2.56e+04 ");
    // ...whose printed values balance the loads within their three significant digits: 15 kN
    // along x at the head of the column x = 0 (4 m up), 25 kN/m down the 6 m girder; feet at
    // x = 0 and x = 6.
    struct Printed
    {
        double value, halfUnit;
    };
    auto field = [](const std::string& line, int column) {
        std::istringstream in(line);
        std::string word;
        for (int i = 0; i <= column; ++i)
            in >> word;
        const double v = std::stod(word);
        const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 2);
        return Printed{v, 0.5 * unit};
    };
    const Printed fx1 = field(*(at + 4), 1), fy1 = field(*(at + 4), 2), mz1 = field(*(at + 4), 6);
    const Printed fx4 = field(*(at + 5), 1), fy4 = field(*(at + 5), 2), mz4 = field(*(at + 5), 6);
    EXPECT_NEAR(fx1.value + fx4.value, -15000.0, fx1.halfUnit + fx4.halfUnit);
    EXPECT_NEAR(fy1.value + fy4.value, 25000.0 * 6, fy1.halfUnit + fy4.halfUnit);
    // Moments about the foot x = 0: the loads give -15 kN * 4 m - 150 kN * 3 m.
    EXPECT_NEAR(mz1.value + mz4.value + 6 * fy4.value, 15000.0 * 4 + 150000.0 * 3,
                mz1.halfUnit + mz4.halfUnit + 6 * fy4.halfUnit);
    // Titles with their blank lines and headers, then 4 nodes, 4 nodes, 2 supports, 3 beams.
    EXPECT_EQ(lines.size(), (4u + 4u) + (5u + 4u) + (5u + 2u) + (5u + 6u));
}
