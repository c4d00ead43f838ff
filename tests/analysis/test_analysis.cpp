// The analysis as its own object: built on one revision of the structure, forgotten by the
// problem when the structure changes, its results kept after the system arrays are freed, and
// the two orientation options of a solution at once.
#include "EngineFixtures.h"
#include "TestHooks.h"
#include "analysis/Analysis.h"
#include "model/VelmorViga.h"

#include <gtest/gtest.h>

using namespace velmor;
using namespace velmor::test;

namespace {

VelmorObject* steel(StructureBuilder& b)
{
    return b.Rectangle(0.2, 0.4, 2.1e11, 0.3);
}

// A simply supported plane beam between a (0, 0) and c (6, 0), drawn from c to a, with a
// linear load in local axes from 1 kN/m at c to 3 kN/m at a.
struct ReversedBeam
{
    VelmorProblem p;
    VelmorObject* a = nullptr;
    VelmorObject* c = nullptr;
    ReversedBeam()
    {
        StructureBuilder b(p, PROBLEM_PLANE_FRAME);
        a = b.Node(0, 0, 0);
        c = b.Node(6, 0, 0);
        VelmorObject* beam = b.Beam(steel(b), c, a);
        b.BeamLoad(beam, LOAD_LINEAR_LOCAL, {0, -1000, 0}, {0, -3000, 0});
        b.Support(a, 1);
        b.Support(c, 2);
    }
    // Vertical reactions at a and c after a solution at once with the options.
    std::array<double, 2> Solve(bool orientIJ, bool changeLocalLoads)
    {
        AnalysisOptions options;
        options.orientIJ = orientIJ;
        options.changeLocalLoads = changeLocalLoads;
        EXPECT_TRUE(SolveAtOnce(p, options).Ok());
        const Analysis& an = *p.CurrentAnalysis();
        return {NodeValues(an, an.Reactions(), a)[1], NodeValues(an, an.Reactions(), c)[1]};
    }
};

} // namespace

TEST(AnalysisObject, ForgottenWhenTheStructureChangesAndSaysSo)
{
    ReversedBeam s;
    const std::uint64_t before = s.p.Revision();
    ASSERT_TRUE(SolveAtOnce(s.p).Ok());
    const std::shared_ptr<Analysis> held = s.p.CurrentAnalysis();
    ASSERT_TRUE(held);
    EXPECT_TRUE(held->IsCurrent());
    EXPECT_EQ(s.p.Revision(), before) << "solving with the options off edits nothing";

    StructureBuilder(s.p, PROBLEM_PLANE_FRAME).NodalLoad(s.c, {0, -500, 0});
    EXPECT_GT(s.p.Revision(), before);
    EXPECT_EQ(s.p.CurrentAnalysis(), nullptr) << "the problem forgets the analysis of the old structure";
    EXPECT_FALSE(held->IsCurrent()) << "and an analysis still held knows it is stale";
    EXPECT_GT(held->Displacements().Rows(), 0u) << "its results stay readable for its holder";
}

TEST(AnalysisObject, ResultsSurviveFreeAnalysisUntilTheNextInit)
{
    ReversedBeam s;
    Analysis an(s.p);
    ASSERT_TRUE(an.RunAnalysis().Ok()); // frees the system arrays at its end
    EXPECT_FALSE(an.Ready());
    ASSERT_EQ(an.Displacements().Rows(), 6u);
    EXPECT_NE(an.Reactions().At(2), 0.0);
    const VelmorObject& beam = *s.p.List(KIND_BEAM).at(0);
    EXPECT_FALSE(an.BeamResult(beam).laws[LAW_MZ].IsZero());
    EXPECT_LE(an.TotalLoads().Rows(), 1u) << "the system arrays are gone";

    ASSERT_TRUE(an.InitAnalysis().Ok());
    EXPECT_TRUE(an.BeamResult(beam).laws[LAW_MZ].IsZero()) << "a new analysis starts afresh";
    for (long i = 1; i <= 6; ++i)
        EXPECT_EQ(an.Displacements().At(i), 0.0);
}

TEST(AnalysisObject, OrientationOptionsOfASolutionAtOnce)
{
    ReversedBeam plain;
    const std::array<double, 2> r = plain.Solve(false, false);
    EXPECT_EQ(static_cast<const VelmorViga&>(*plain.p.List(KIND_BEAM).at(0)).EndsSwapped(), 0);
    // The load pushes up along local y of a beam drawn from right to left: 12 kN in all.
    EXPECT_NEAR(r[0] + r[1], -12000.0, 1e-6);

    // "Orientation poutre i - j": the beam now runs from a to c, and its local load is turned
    // with it, so the structure carries the same load.
    ReversedBeam oriented;
    const std::uint64_t before = oriented.p.Revision();
    const std::array<double, 2> o = oriented.Solve(true, false);
    EXPECT_EQ(static_cast<const VelmorViga&>(*oriented.p.List(KIND_BEAM).at(0)).EndsSwapped(), 1);
    EXPECT_GT(oriented.p.Revision(), before) << "turning the beams is an edit of the structure";
    EXPECT_NEAR(o[0], r[0], 1e-6);
    EXPECT_NEAR(o[1], r[1], 1e-6);

    // With "Changer charges locales" the load keeps its local values on the turned beam: it
    // now pushes down, its larger end at c (a is fixed, c pinned, so a takes less than before).
    ReversedBeam changed;
    const std::array<double, 2> ch = changed.Solve(true, true);
    EXPECT_NEAR(ch[0] + ch[1], 12000.0, 1e-6);
    EXPECT_GT(ch[0], 0.0);
    EXPECT_LT(ch[0], -r[0]);

    // Solving again with the option off turns the beam back.
    changed.Solve(false, false);
    EXPECT_EQ(static_cast<const VelmorViga&>(*changed.p.List(KIND_BEAM).at(0)).EndsSwapped(), 0);
}
