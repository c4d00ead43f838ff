// Cases where a literal reading of the method's steps gives a wrong answer, and what this engine
// does instead, one test each:
// - a beam without loads has equivalent loads of zero (not an empty vector left in its results);
// - a continuous beam's span gives the same results whichever end it was drawn from;
// - a beam with a released end has no torsional stiffness, and its distributed torque goes to
//   the rigid end;
// - an axial-only member's loads are lumped with its own end-release code;
// - transverse loads on truss bars reach the supports;
// - the extremes of a law are sampled up to and including the beam's far end;
// - a node without beams is refused, rather than taking a number and pushing a connected node
//   out of the system;
// - several loads on one beam all enter its laws;
// - a global load keeps its direction when its beam is turned to run from i to j;
// - a mechanism whose pivots are only round-off is reported singular.
#include "EngineFixtures.h"
#include "analysis/Analysis.h"
#include "TestHooks.h"
#include "model/DocumentFile.h"
#include "model/VelmorCarga.h"
#include "model/VelmorNudo.h"
#include "model/VelmorViga.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace velmor;
using namespace velmor::test;

namespace {

VelmorObject* steel(StructureBuilder& b, int shape = SHAPE_RECTANGULAR, double rho = 0.0)
{
    VelmorSeccionData s;
    s.m_E = 2.1e11;
    s.m_A = 0.004;
    s.m_Iy = 2e-5;
    s.m_Iz = 5e-5;
    s.m_G = 8.1e10;
    s.m_J = 3e-5;
    s.m_nShape = shape;
    s.m_rho = rho;
    return b.Section(s);
}

VelmorViga& beamAt(VelmorProblem& p, size_t i)
{
    return static_cast<VelmorViga&>(*p.List(KIND_BEAM).at(i));
}

} // namespace

TEST(Mends, UnloadedBeamHasZeroEquivalentLoads)
{
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* s = steel(b);
    VelmorObject* a = b.Node(0, 0, 0), *c = b.Node(3, 4, 0), *d = b.Node(8, 4, 0);
    b.Beam(s, a, c); // inclined, unloaded
    b.BeamLoad(b.Beam(s, c, d), LOAD_CONSTANT_GLOBAL, {0, -1000, 0});
    b.Support(a, 1);
    b.Support(d, 2);
    ASSERT_TRUE(an.RunAnalysis().Ok());
    const BeamAnalysis& r = an.BeamResult(beamAt(p, 0));
    ASSERT_EQ(r.equiv.Rows(), 6u);
    for (long i = 1; i <= 6; ++i)
        EXPECT_EQ(r.equiv.At(i), 0.0);
    // End forces are then k times the end displacements alone: equal and opposite axial forces.
    EXPECT_NEAR(r.q.At(1), -r.q.At(4), 1e-6 * std::fabs(r.q.At(1)));
    EXPECT_NEAR(r.laws[LAW_N].Evaluate(0.0), r.laws[LAW_N].Evaluate(5.0), 1e-6);
}

TEST(Mends, ContinuousBeamGivesTheSameResultsWhicheverWayItsSpansWereDrawn)
{
    // The same loads, a linear one from 1 kN/m at the left to 2 kN/m at the right of each span.
    auto solve = [](bool reversed, VelmorProblem& p) {
        StructureBuilder b(p, PROBLEM_CONTINUOUS_BEAM);
        VelmorObject* s = steel(b);
        VelmorObject* n[3] = {b.Node(0, 0, 0), b.Node(4, 0, 0), b.Node(10, 0, 0)};
        for (int i = 0; i < 2; ++i) {
            const Mfx3dPoint left(0, i ? -3000.0 : -1000.0, 0), right(0, -2000, 0);
            if (reversed)
                b.BeamLoad(b.Beam(s, n[i + 1], n[i]), LOAD_LINEAR_GLOBAL, right, left);
            else
                b.BeamLoad(b.Beam(s, n[i], n[i + 1]), LOAD_LINEAR_GLOBAL, left, right);
        }
        b.Support(n[0], 1);
        b.Support(n[1], 2);
        b.Support(n[2], 2);
        b.NodalLoad(n[2], {0, 0, 0}, {0, 0, 4000});
        return SolveAtOnce(p).Ok();
    };
    VelmorProblem forward, backward;
    ASSERT_TRUE(solve(false, forward));
    ASSERT_TRUE(solve(true, backward));
    const Analysis& f = *forward.CurrentAnalysis();
    const Analysis& r = *backward.CurrentAnalysis();
    for (long i = 1; i <= long(f.Displacements().Rows()); ++i) {
        EXPECT_NEAR(r.Displacements().At(i), f.Displacements().At(i),
                    1e-12 + 1e-9 * std::fabs(f.Displacements().At(i)));
        EXPECT_NEAR(r.Reactions().At(i), f.Reactions().At(i),
                    1e-6 + 1e-9 * std::fabs(f.Reactions().At(i)));
    }
    // The laws run from each beam's own node 1: the reversed span's moment at x = 0 is, in
    // magnitude, the forward span's moment at x = L.
    const double L = 4.0;
    EXPECT_NEAR(std::fabs(r.BeamResult(beamAt(backward, 0)).laws[LAW_MZ].Evaluate(0.0)),
                std::fabs(f.BeamResult(beamAt(forward, 0)).laws[LAW_MZ].Evaluate(L)), 1e-6);
}

TEST(Mends, BeamWithAReleasedEndCarriesNoTorsion)
{
    // A torque at the free end of a cantilever whose far end is a hinged joint on a pin: the
    // beam cannot take the torque, so the structure is a mechanism; a torsional stiffness left
    // on the rigid end would have held it as a spring to the ground.
    RecordMessages messages;
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_SPACE_FRAME);
    VelmorObject* s = steel(b);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* hinge = b.Node(4, 0, 0, 1);
    VelmorObject* tip = b.Node(4, 3, 0);
    b.Beam(s, a, hinge);
    b.Beam(s, hinge, tip);
    b.Support(a, 9, {1, 1, 1, 0, 1, 1});
    b.Support(hinge, 2);
    b.NodalLoad(a, {0, 0, 0}, {100, 0, 0});
    EXPECT_FALSE(an.RunAnalysis().Ok());
}

TEST(Mends, AxialMemberLoadsUseItsOwnReleaseCode)
{
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* frame = steel(b);
    VelmorSeccionData tieData;
    tieData.m_E = 2.1e11;
    tieData.m_A = 0.001;
    tieData.m_rho = 7850.0;
    tieData.m_nShape = SHAPE_AXIAL;
    VelmorObject* tie = b.Section(tieData);
    ASSERT_NE(tie, nullptr);
    VelmorObject* a = b.Node(0, 0, 0), *c = b.Node(0, 3, 0), *d = b.Node(6, 3, 0), *e = b.Node(6, 0, 0);
    b.Beam(frame, a, c);
    b.Beam(frame, c, d);
    b.Beam(frame, d, e);
    VelmorObject* bar = b.Beam(tie, a, e);
    b.BeamLoad(bar, LOAD_CONSTANT_GLOBAL, {0, -500, 0});
    b.Support(a, 2);
    b.Support(e, 9, {0, 1, 0, 0, 0, 0});
    ASSERT_TRUE(an.InitAnalysis().Ok());
    an.NumberNodes(0);
    an.StiffnessStep(0, false);
    an.LoadStep(1, LoadKind::Beam, false);
    EXPECT_EQ(an.Work().fLocal.At(3), 0.0) << "no fixed-end moment on a bar that cannot bend";
    EXPECT_EQ(an.Work().fLocal.At(6), 0.0);
    EXPECT_DOUBLE_EQ(an.Work().fLocal.At(2), -500.0 * 6 / 2);
    ASSERT_TRUE(an.RunAnalysis().Ok());
    const Resultant applied = AppliedLoads(p), reactions = Reactions(an);
    EXPECT_NEAR(applied.force.y + reactions.force.y, 0.0, 1e-6);
    EXPECT_NEAR(applied.moment.z + reactions.moment.z, 0.0, 1e-6);
}

TEST(Mends, SpaceTrussTransverseLoadsReachTheSupports)
{
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_SPACE_TRUSS);
    VelmorObject* s = steel(b, SHAPE_AXIAL, 7850.0);
    VelmorObject* a = b.Node(0, 0, 0), *c = b.Node(4, 0, 0), *d = b.Node(2, 3, 0), *apex = b.Node(2, 1, 2);
    VelmorObject* horizontal = b.Beam(s, a, c);
    b.Beam(s, c, d);
    b.Beam(s, d, a);
    for (VelmorObject* n : {a, c, d})
        b.Beam(s, n, apex);
    b.BeamLoad(horizontal, LOAD_LINEAR_GLOBAL, {0, 0, -1000}, {0, 0, -3000});
    b.Support(a, 2);
    b.Support(c, 9, {0, 1, 1, 0, 0, 0});
    b.Support(d, 8);
    ASSERT_TRUE(an.RunAnalysis().Ok());
    const Resultant applied = AppliedLoads(p), reactions = Reactions(an);
    const double weight = 7850.0 * 9.81 * 0.004 * (4 + 2 * std::sqrt(13.0) + std::sqrt(8.0) + 2 * std::sqrt(9.0));
    EXPECT_LT(applied.force.z, -8000.0 - weight + 1.0);
    EXPECT_NEAR(applied.force.z + reactions.force.z, 0.0, 1e-6);
    EXPECT_NEAR(applied.moment.x + reactions.moment.x, 0.0, 1e-6);
    EXPECT_NEAR(applied.moment.y + reactions.moment.y, 0.0, 1e-6);
}

TEST(Mends, ExtremesSampleTheEndOfTheBeam)
{
    // x advanced by repeated addition of L/20 stops short of L for this length; the largest
    // moment of a cantilever is at its fixed end, the largest deflection at its tip x = L.
    const double L = 0.6;
    double x = 0.0;
    int samples = 0;
    for (; x <= L; x += L / 20)
        ++samples;
    ASSERT_EQ(samples, 20) << "the length must show the fault";
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* tip = b.Node(L, 0, 0);
    VelmorObject* fixed = b.Node(0, 0, 0);
    b.Beam(steel(b), tip, fixed);
    b.Support(fixed, 1);
    b.NodalLoad(tip, {0, 1000, 0});
    ASSERT_TRUE(an.RunAnalysis().Ok());
    const BeamAnalysis& r = an.BeamResult(beamAt(p, 0));
    EXPECT_DOUBLE_EQ(r.extrema[EXT_MZ + 1], r.laws[LAW_MZ].Evaluate(L));
    EXPECT_GT(r.extrema[EXT_MZ + 1], 0.0);
}

TEST(Mends, NodeWithoutBeamIsRefusedInsteadOfDroppingAConnectedNode)
{
    // Listed first, a node without beams would take number 1 and push the loaded tip out of
    // the system of two nodes.
    RecordMessages messages;
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    b.Node(5, 5, 0);
    VelmorObject* fixed = b.Node(0, 0, 0), *tip = b.Node(2, 0, 0);
    b.Beam(steel(b), fixed, tip);
    b.Support(fixed, 1);
    b.NodalLoad(tip, {0, -1000, 0});
    const AnalysisStatus status = an.RunAnalysis();
    EXPECT_FALSE(status.Ok());
    ASSERT_EQ(status.Messages().size(), 1u);
    EXPECT_NE(status.Messages()[0].text.find("Le noeud 1"), std::string::npos);
}

TEST(Mends, SeveralBeamLoadsOnOneBeamAllEnterItsLaws)
{
    // The editor keeps one beam load per beam; a file may carry two.
    VelmorProblem built;
    StructureBuilder b(built, PROBLEM_PLANE_FRAME);
    VelmorObject* fixed = b.Node(0, 0, 0);
    VelmorObject* beam = b.Beam(steel(b), fixed, b.Node(4, 0, 0));
    b.Support(fixed, 1);
    b.BeamLoad(beam, LOAD_CONSTANT_GLOBAL, {0, -1000, 0});
    std::string text = StoreProblem(built, true);
    const std::string header = "Elements in the list distributed_load: 1 \n\n";
    const size_t at = text.find(header);
    ASSERT_NE(at, std::string::npos);
    const std::string record = text.substr(at + header.size(), text.find("END OF FILE") - at - header.size());
    std::string second = record;
    second.replace(second.find("-1000.000000"), 12, "-2000.000000");
    second.replace(second.find("-1000.000000"), 12, "-2000.000000");
    text.replace(at, header.size() + record.size(),
                 "Elements in the list distributed_load: 2 \n\n" + record + second);
    VelmorProblem p;
    Analysis an(p);
    ASSERT_EQ(LoadProblemBytes(p, text, FileForm::Text).status, LoadStatus::Ok);
    ASSERT_EQ(p.Count(KIND_BEAM_LOAD), 2u);
    ASSERT_TRUE(an.RunAnalysis().Ok());
    const BeamAnalysis& r = an.BeamResult(beamAt(p, 0));
    // Vy(0) = -(force of the fixed node on the beam), here the whole 3 kN/m over 4 m.
    EXPECT_NEAR(r.laws[LAW_VY].Evaluate(0.0), -3000.0 * 4, 1e-6);
    EXPECT_NEAR(r.laws[LAW_VY].Evaluate(4.0), 0.0, 1e-6) << "the free end carries no shear";
    EXPECT_NEAR(r.laws[LAW_MZ].Evaluate(4.0), 0.0, 1e-6);
}

TEST(Mends, GlobalLoadOfASwappedBeamKeepsItsDirection)
{
    auto solve = [](bool orient, VelmorProblem& p) {
        StructureBuilder b(p, PROBLEM_PLANE_FRAME);
        VelmorObject* s = steel(b);
        VelmorObject* a = b.Node(0, 0, 0);
        VelmorObject* c = b.Node(6, 0, 0);
        VelmorObject* beam = b.Beam(s, c, a); // from node 2 to node 1: swapped when oriented
        b.BeamLoad(beam, LOAD_LINEAR_GLOBAL, {0, -1000, 0}, {0, -4000, 0});
        b.Support(a, 1);
        b.Support(c, 2);
        AnalysisOptions options;
        options.orientIJ = orient;
        return SolveAtOnce(p, options).Ok();
    };
    VelmorProblem plain, oriented;
    ASSERT_TRUE(solve(false, plain));
    ASSERT_TRUE(solve(true, oriented));
    EXPECT_EQ(beamAt(oriented, 0).EndsSwapped(), 1);
    const Vector& plainR = plain.CurrentAnalysis()->Reactions();
    const Vector& orientedR = oriented.CurrentAnalysis()->Reactions();
    for (long i = 1; i <= long(plainR.Rows()); ++i)
        EXPECT_NEAR(orientedR.At(i), plainR.At(i), 1e-6);
}

TEST(Mends, MechanismWhosePivotsAreRoundOffIsReportedSingular)
{
    // A rotated parallelogram of pinned bars on two pins: its sway pivot is round-off.
    RecordMessages messages;
    VelmorProblem p;
    Analysis an(p);
    Parallelogram(p, 0.0);
    EXPECT_FALSE(an.RunAnalysis().Ok());
    for (long i = 1; i <= long(an.Displacements().Rows()); ++i)
        EXPECT_EQ(an.Displacements().At(i), 0.0);
}
