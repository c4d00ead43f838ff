// The analysis engine against textbook closed forms, equilibrium and its own numbering rules.
#include "EngineFixtures.h"
#include "analysis/Analysis.h"
#include "TestHooks.h"
#include "examples/ExampleModels.h"
#include "model/DocumentFile.h"
#include "model/VelmorCarga.h"
#include "model/VelmorNudo.h"
#include "model/VelmorViga.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace velmor;
using namespace velmor::test;

namespace {

constexpr double E = 2.0e11, A = 0.01, I = 8.0e-5, G = 8.0e10, J = 1.2e-4;

// A section with the constants above (both bending axes alike).
// Sections differing only in shape or density are one section: `areaFactor` tells them apart.
VelmorObject* section(StructureBuilder& b, int shape = SHAPE_ARBITRARY, double rho = 0.0,
                      double areaFactor = 1.0)
{
    VelmorSeccionData s;
    s.m_E = E;
    s.m_A = A * areaFactor;
    s.m_Iy = I;
    s.m_Iz = I;
    s.m_G = G;
    s.m_J = J;
    s.m_nShape = shape;
    s.m_rho = rho;
    return b.Section(s);
}

double rel(double a, double b)
{
    return std::fabs(a - b) / std::max(std::fabs(b), 1e-300);
}

VelmorViga& beamAt(VelmorProblem& p, size_t i)
{
    return static_cast<VelmorViga&>(*p.List(KIND_BEAM).at(i));
}

} // namespace

// ---------------------------------------------------------------- numbering

TEST(Numbering, DegreesOfFreedomPerProblemType)
{
    struct Case
    {
        int type;
        int equations;   // 4 nodes on a chain of 3 beams
        int dofPerNode;
    };
    for (const Case c : {Case{1, 8, 2}, Case{2, 12, 3}, Case{3, 24, 6}, Case{4, 12, 3}}) {
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, c.type);
        VelmorObject* s = section(b);
        VelmorObject* n[4];
        for (int i = 0; i < 4; ++i)
            n[i] = b.Node(2.0 * i, 0, 0);
        for (int i = 0; i < 3; ++i)
            b.Beam(s, n[i], n[i + 1]);
        ASSERT_TRUE(an.InitAnalysis().Ok());
        an.NumberNodes(0);
        EXPECT_EQ(an.EquationCount(), c.equations);
        EXPECT_EQ(an.DofPerNode(), c.dofPerNode);
    }
}

TEST(Numbering, AutomaticHandAndNextNumber)
{
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* s = section(b);
    VelmorObject* n[5];
    for (int i = 0; i < 5; ++i)
        n[i] = b.Node(i, 0, 0);
    for (int i = 0; i < 4; ++i)
        b.Beam(s, n[i], n[i + 1]);
    ASSERT_TRUE(an.InitAnalysis().Ok());
    EXPECT_EQ(an.CountNodes(), 5);
    EXPECT_EQ(an.NumberNode(n[3]), 1);
    EXPECT_EQ(an.NumberNode(n[1]), 1);
    EXPECT_EQ(an.NumberNode(n[1]), 0) << "a node is numbered by hand once";
    an.NumberNodes(-1);
    const int expected[5] = {3, 2, 4, 1, 5};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(n[i]->GetNumber(0), expected[i]);

    ASSERT_TRUE(an.InitAnalysis().Ok());
    EXPECT_EQ(n[0]->GetNumber(0), 0) << "initialisation clears the numbers";
    EXPECT_EQ(an.NumberNodes(7), 1);
    EXPECT_EQ(n[0]->GetNumber(0), 7);
    an.NumberNodes(0);
    EXPECT_EQ(an.NumberNodes(9), 0) << "nothing left to number";
}

TEST(Numbering, NodeWithoutBeamIsRefused)
{
    RecordMessages shown;
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* lonely = b.Node(9, 9, 0);
    VelmorObject* s = section(b);
    b.Beam(s, b.Node(0, 0, 0), b.Node(1, 0, 0));
    b.Support(lonely, 1);
    EXPECT_EQ(an.CountNodes(), 2) << "a node without beams is not counted";
    const AnalysisStatus init = an.InitAnalysis();
    EXPECT_FALSE(init.Ok());
    ASSERT_EQ(init.Messages().size(), 1u);
    EXPECT_EQ(init.Messages()[0].text.rfind("Le noeud 1 n'est relié à aucune poutre.", 0), 0u);
    EXPECT_FALSE(an.Ready());
    // The whole run fails with that one message: the structure is not also called singular.
    EXPECT_EQ(Texts(an.RunAnalysis()), Texts(init));

    VelmorProblem empty;
    empty.SetProblemType(PROBLEM_PLANE_FRAME);
    Analysis aEmpty(empty);
    const AnalysisStatus none = aEmpty.RunAnalysis();
    EXPECT_FALSE(none.Ok());
    EXPECT_EQ(Texts(none),
              std::vector<std::string>{"La structure n'est pas valide. Il manque des éléments."});
    EXPECT_EQ(none.Messages()[0].id, 61267);
    EXPECT_TRUE(shown.messages.empty()) << "the engine shows nothing itself";
}

// ---------------------------------------------------------------- element matrices

TEST(Stiffness, ContinuousBeamElementAndTransformations)
{
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_CONTINUOUS_BEAM);
    VelmorSeccionData unit;
    unit.m_E = 1.0;
    unit.m_Iz = 1.0;
    unit.m_A = 1.0;
    VelmorObject* s = b.Section(unit);
    b.Beam(s, b.Node(0, 0, 0), b.Node(2, 0, 0));
    ASSERT_TRUE(an.InitAnalysis().Ok());
    an.NumberNodes(0);
    an.StiffnessStep(1, false);
    const SymBandMat& k = an.Work().kLocal;
    EXPECT_DOUBLE_EQ(k.At(1, 1), 1.5);
    EXPECT_DOUBLE_EQ(k.At(1, 2), 1.5);
    EXPECT_DOUBLE_EQ(k.At(2, 2), 2.0);
    EXPECT_DOUBLE_EQ(k.At(2, 4), 1.0);
    EXPECT_DOUBLE_EQ(k.At(1, 3), -1.5);

    VelmorProblem frame;

    Analysis af(frame);
    StructureBuilder f(frame, PROBLEM_PLANE_FRAME);
    VelmorObject* fs = section(f);
    VelmorObject* a = f.Node(0, 0, 0);
    f.Beam(fs, a, f.Node(4, 0, 0));
    f.Beam(fs, a, f.Node(0, 3, 0));
    ASSERT_TRUE(af.InitAnalysis().Ok());
    af.NumberNodes(0);
    af.StiffnessStep(1, false);
    for (long i = 1; i <= 6; ++i)
        for (long j = 1; j <= 6; ++j)
            EXPECT_EQ(af.Work().T.At(i, j), i == j ? 1.0 : 0.0);
    const MfxTMatrix R = Analysis::LocalFrame(beamAt(frame, 1));
    const double expected[3][3] = {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(R(i + 1, j + 1), expected[i][j], 1e-15);

    VelmorProblem space;

    Analysis as(space);
    StructureBuilder sp(space, PROBLEM_SPACE_FRAME);
    sp.Beam(section(sp), sp.Node(0, 0, 0), sp.Node(0, 0, 3));
    const MfxTMatrix Rv = Analysis::LocalFrame(beamAt(space, 0));
    EXPECT_EQ(Rv.Column(2), Mfx3dPoint(1, 0, 0)) << "a vertical beam takes local y = x";
}

TEST(Stiffness, ReleasedEndsAndAxialSections)
{
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_SPACE_FRAME);
    VelmorObject* s = section(b);
    VelmorObject* axial = section(b, SHAPE_AXIAL, 0.0, 2.0);
    ASSERT_NE(axial, nullptr);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* hinge = b.Node(4, 0, 0, 1);
    VelmorObject* c = b.Node(8, 0, 0);
    b.Beam(s, a, hinge);
    b.Beam(axial, hinge, c);
    b.Beam(s, a, c);
    ASSERT_TRUE(an.InitAnalysis().Ok());
    an.NumberNodes(0);

    an.StiffnessStep(1, false); // node 2 is a joint: h = 2
    const SymBandMat& k = an.Work().kLocal;
    const double L = 4.0;
    EXPECT_DOUBLE_EQ(k.At(2, 2), 3 * E * I / (L * L * L));
    EXPECT_DOUBLE_EQ(k.At(6, 6), 3 * E * I / L);
    EXPECT_EQ(k.At(12, 12), 0.0);
    EXPECT_EQ(k.At(4, 4), 0.0) << "a beam with a released end carries no torsion";
    EXPECT_EQ(k.At(10, 10), 0.0);

    an.StiffnessStep(2, false); // "Axial": a truss bar between a joint and a rigid node
    for (long i = 1; i <= 12; ++i)
        for (long j = 1; j <= 12; ++j) {
            const bool axialTerm = (i == 1 || i == 7) && (j == 1 || j == 7);
            if (!axialTerm) {
                EXPECT_EQ(an.Work().kLocal.At(i, j), 0.0) << i << "," << j;
            }
        }
    an.StiffnessStep(3, false); // rigid both ends: torsion on both ends
    EXPECT_DOUBLE_EQ(an.Work().kLocal.At(4, 4), G * J / 8.0);
    EXPECT_DOUBLE_EQ(an.Work().kLocal.At(4, 10), -G * J / 8.0);
}

TEST(Loads, FixedEndForcesOfUniformAndTriangularLoads)
{
    struct Case
    {
        const char* name;
        int type;
        int joint1;
        int loadType;
        double q1, q2;
        std::vector<double> expected; // in units of q = 1, L = 1 scaled below
    };
    const double q = -1000.0, L = 5.0;
    const Case cases[] = {
        {"uniform, fixed-fixed", PROBLEM_PLANE_FRAME, 0, LOAD_CONSTANT_LOCAL, q, q,
         {0, q * L / 2, q * L * L / 12, 0, q * L / 2, -q * L * L / 12}},
        {"uniform, node 1 a joint", PROBLEM_PLANE_FRAME, 1, LOAD_CONSTANT_LOCAL, q, q,
         {0, 3 * q * L / 8, 0, 0, 5 * q * L / 8, -q * L * L / 8}},
        {"triangular, fixed-fixed", PROBLEM_CONTINUOUS_BEAM, 0, LOAD_LINEAR_LOCAL, 0, q,
         {3 * q * L / 20, q * L * L / 30, 7 * q * L / 20, -q * L * L / 20}},
    };
    for (const Case& c : cases) {
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, c.type);
        VelmorObject* beam = b.Beam(section(b), b.Node(0, 0, 0, c.joint1), b.Node(L, 0, 0));
        b.BeamLoad(beam, c.loadType, {0, c.q1, 0}, {0, c.q2, 0});
        ASSERT_TRUE(an.InitAnalysis().Ok()) << c.name;
        an.NumberNodes(0);
        an.StiffnessStep(0, false);
        an.LoadStep(1, LoadKind::Beam, false);
        ASSERT_EQ(an.Work().fLocal.Rows(), c.expected.size());
        for (size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_NEAR(an.Work().fLocal.At(long(i + 1)), c.expected[i], 1e-9) << c.name << " f" << i + 1;
    }
}

TEST(Loads, ProjectedLoadIsScaledByTheCosine)
{
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    const double angle = 30.0 * M_PI / 180.0, L = 4.0, q = -2000.0;
    VelmorObject* beam = b.Beam(section(b), b.Node(0, 0, 0), b.Node(L * std::cos(angle), L * std::sin(angle), 0));
    b.BeamLoad(beam, LOAD_CONSTANT_PROJECTED, {0, q, 0});
    ASSERT_TRUE(an.InitAnalysis().Ok());
    an.NumberNodes(0);
    an.StiffnessStep(0, false);
    an.LoadStep(1, LoadKind::Beam, false);
    // Total vertical load q times the horizontal projection, half at each end.
    const double total = q * L * std::cos(angle);
    EXPECT_NEAR(an.Work().fGlobal.At(2), total / 2, 1e-9);
    EXPECT_NEAR(an.Work().fGlobal.At(5), total / 2, 1e-9);
    EXPECT_NEAR(an.Work().fGlobal.At(1), 0.0, 1e-9);
}

// ---------------------------------------------------------------- closed forms

TEST(ClosedForms, CantileverTipLoadInEveryFrameType)
{
    const double P = -10000.0, L = 3.0;
    for (int type : {PROBLEM_CONTINUOUS_BEAM, PROBLEM_PLANE_FRAME, PROBLEM_SPACE_FRAME}) {
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, type);
        VelmorObject* fixed = b.Node(0, 0, 0);
        VelmorObject* tip = b.Node(L, 0, 0);
        b.Beam(section(b), fixed, tip);
        b.Support(fixed, 1);
        b.NodalLoad(tip, type == PROBLEM_SPACE_FRAME ? Mfx3dPoint(0, P, 2 * P) : Mfx3dPoint(0, P, 0));
        ASSERT_TRUE(an.RunAnalysis().Ok()) << type;
        const auto d = NodeValues(an, an.Displacements(), tip);
        EXPECT_LT(rel(d[1], P * L * L * L / (3 * E * I)), 1e-12) << type;
        EXPECT_LT(rel(d[5], P * L * L / (2 * E * I)), 1e-12) << type;
        const auto r = NodeValues(an, an.Reactions(), fixed);
        EXPECT_LT(rel(r[1], -P), 1e-12);
        EXPECT_LT(rel(r[5], -P * L), 1e-12);
        if (type == PROBLEM_SPACE_FRAME) {
            EXPECT_LT(rel(d[2], 2 * P * L * L * L / (3 * E * I)), 1e-12);
            EXPECT_LT(rel(d[4], -2 * P * L * L / (2 * E * I)), 1e-12);
        }
        // A linear moment law, zero at the free end, no inflexion point reported.
        const BeamAnalysis& beam = an.BeamResult(beamAt(p, 0));
        EXPECT_EQ(beam.laws[LAW_MZ].Degree(), 1);
        EXPECT_NEAR(beam.laws[LAW_MZ].Evaluate(L), 0.0, 1e-9);
        EXPECT_EQ(beam.nInflexMz, 0);
    }
}

TEST(ClosedForms, SimplySupportedUniformLoad)
{
    const double q = -5000.0, L = 6.0;
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* c = b.Node(L, 0, 0);
    VelmorObject* beam = b.Beam(section(b), a, c);
    b.Support(a, 9, {1, 1, 0, 0, 0, 0});
    b.Support(c, 9, {0, 1, 0, 0, 0, 0});
    b.BeamLoad(beam, LOAD_CONSTANT_LOCAL, {0, q, 0});
    ASSERT_TRUE(an.RunAnalysis().Ok());
    const BeamAnalysis& r = an.BeamResult(beamAt(p, 0));
    EXPECT_NEAR(r.laws[LAW_MZ].Evaluate(0.0), 0.0, 1e-6);
    EXPECT_EQ(r.laws[LAW_VY].Degree(), 1);
    // Sagging moments are negative: Mz(L/2) = q L^2 / 8 with q downward.
    EXPECT_LT(rel(r.laws[LAW_MZ].Evaluate(L / 2), q * L * L / 8), 1e-12);
    EXPECT_LT(rel(r.laws[LAW_V].Evaluate(L / 2), 5 * q * L * L * L * L / (384 * E * I)), 1e-10);
    EXPECT_LT(rel(r.extrema[EXT_MZ], q * L * L / 8), 1e-12);
    EXPECT_LT(rel(NodeValues(an, an.Reactions(), a)[1], -q * L / 2), 1e-12);
}

TEST(ClosedForms, ProppedCantileverAndTwoSpanBeam)
{
    const double q = -1000.0, L = 5.0;
    {
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, PROBLEM_CONTINUOUS_BEAM);
        VelmorObject* fixed = b.Node(0, 0, 0);
        VelmorObject* prop = b.Node(L, 0, 0);
        b.BeamLoad(b.Beam(section(b), fixed, prop), LOAD_CONSTANT_GLOBAL, {0, q, 0});
        b.Support(fixed, 1);
        b.Support(prop, 2);
        ASSERT_TRUE(an.RunAnalysis().Ok());
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), prop)[1], -3 * q * L / 8), 1e-12);
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), fixed)[5], -q * L * L / 8), 1e-12);
    }
    {
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, PROBLEM_CONTINUOUS_BEAM);
        VelmorObject* n[3] = {b.Node(0, 0, 0), b.Node(L, 0, 0), b.Node(2 * L, 0, 0)};
        VelmorObject* s = section(b);
        for (int i = 0; i < 2; ++i) {
            b.BeamLoad(b.Beam(s, n[i], n[i + 1]), LOAD_CONSTANT_GLOBAL, {0, q, 0});
            b.Support(n[i], 2);
        }
        b.Support(n[2], 2);
        ASSERT_TRUE(an.RunAnalysis().Ok());
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), n[1])[1], -10 * q * L / 8), 1e-12);
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), n[0])[1], -3 * q * L / 8), 1e-12);
        // Hogging over the middle support: positive, magnitude q L^2 / 8.
        const BeamAnalysis& r = an.BeamResult(beamAt(p, 0));
        EXPECT_LT(rel(r.laws[LAW_MZ].Evaluate(L), -q * L * L / 8), 1e-12);
        // The parabola vanishes at the pinned end and at 3L/4 (both roots kept for degree 2).
        ASSERT_EQ(r.nInflexMz, 2);
        EXPECT_NEAR(r.inflexMz[0], 0.0, 1e-9);
        EXPECT_NEAR(r.inflexMz[1], 0.75 * L, 1e-9);
    }
}

TEST(ClosedForms, SpringSettlementTorsionAndSelfWeight)
{
    const double L = 2.0, P = -1000.0;
    {
        // A cantilever whose tip rests on a spring.
        const double k = 3.0e6;
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, PROBLEM_PLANE_FRAME);
        VelmorObject* fixed = b.Node(0, 0, 0);
        VelmorObject* tip = b.Node(L, 0, 0);
        b.Beam(section(b), fixed, tip);
        b.Support(fixed, 1);
        b.Spring(tip, {0, k, 0});
        b.NodalLoad(tip, {0, P, 0});
        ASSERT_TRUE(an.RunAnalysis().Ok());
        const double kBeam = 3 * E * I / (L * L * L);
        EXPECT_LT(rel(NodeValues(an, an.Displacements(), tip)[1], P / (k + kBeam)), 1e-12);
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), tip)[1], -k * P / (k + kBeam)), 1e-9)
            << "the spring's force shows as the reaction";
    }
    {
        // A fixed-fixed beam whose second end settles by delta.
        const double delta = -0.01;
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, PROBLEM_CONTINUOUS_BEAM);
        VelmorObject* a = b.Node(0, 0, 0);
        VelmorObject* c = b.Node(L, 0, 0);
        b.Beam(section(b), a, c);
        b.Support(a, 1);
        b.Settlement(c, {1, 1, 1, 1, 1, 1}, {0, delta, 0});
        ASSERT_TRUE(an.RunAnalysis().Ok());
        EXPECT_LT(rel(NodeValues(an, an.Displacements(), c)[1], delta), 1e-15);
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), c)[1], 12 * E * I * delta / (L * L * L)), 1e-12);
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), a)[5], -6 * E * I * delta / (L * L)), 1e-12);
    }
    {
        // A space cantilever twisted by a tip torque.
        const double T = 500.0;
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, PROBLEM_SPACE_FRAME);
        VelmorObject* fixed = b.Node(0, 0, 0);
        VelmorObject* tip = b.Node(L, 0, 0);
        b.Beam(section(b), fixed, tip);
        b.Support(fixed, 1);
        b.NodalLoad(tip, {0, 0, 0}, {T, 0, 0});
        ASSERT_TRUE(an.RunAnalysis().Ok());
        EXPECT_LT(rel(NodeValues(an, an.Displacements(), tip)[3], T * L / (G * J)), 1e-12);
        EXPECT_LT(rel(an.BeamResult(beamAt(p, 0)).laws[LAW_T].Evaluate(1.0), T), 1e-12);
    }
    {
        // Self weight of a cantilever: the support carries rho g A L and its moment.
        const double rho = 7850.0;
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, PROBLEM_PLANE_FRAME);
        VelmorObject* fixed = b.Node(0, 0, 0);
        b.Beam(section(b, SHAPE_ARBITRARY, rho), fixed, b.Node(L, 0, 0));
        b.Support(fixed, 1);
        ASSERT_TRUE(an.RunAnalysis().Ok());
        const double W = rho * 9.81 * A * L;
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), fixed)[1], W), 1e-12);
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), fixed)[5], W * L / 2), 1e-12);
    }
}

TEST(ClosedForms, PortalSwayAndTruss)
{
    {
        // A portal with a very stiff girder: each column takes half the sway force and the
        // moment H h / 4 at both of its ends.
        const double H = 10000.0, h = 3.0;
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, PROBLEM_PLANE_FRAME);
        // Columns that do not lengthen, a girder that does not bend.
        VelmorObject* column = section(b, SHAPE_ARBITRARY, 0.0, 1e6);
        VelmorSeccionData stiff;
        stiff.m_E = E;
        stiff.m_A = A * 1e6;
        stiff.m_Iz = I * 1e6;
        VelmorObject* girder = b.Section(stiff);
        VelmorObject* a = b.Node(0, 0, 0), *c = b.Node(0, h, 0), *d = b.Node(5, h, 0), *e = b.Node(5, 0, 0);
        b.Beam(column, a, c);
        b.Beam(girder, c, d);
        b.Beam(column, e, d);
        b.Support(a, 1);
        b.Support(e, 1);
        b.NodalLoad(c, {H, 0, 0});
        ASSERT_TRUE(an.RunAnalysis().Ok());
        EXPECT_LT(rel(NodeValues(an, an.Reactions(), a)[0], -H / 2), 1e-5);
        EXPECT_LT(rel(std::fabs(NodeValues(an, an.Reactions(), a)[5]), H * h / 4), 1e-5);
        EXPECT_LT(rel(NodeValues(an, an.Displacements(), c)[0], H * h * h * h / (24 * E * I)), 1e-5);
    }
    {
        // Two bars meeting at 45 degrees: each carries P / sqrt(2) in tension.
        const double P = -20000.0;
        VelmorProblem p;
        Analysis an(p);
        StructureBuilder b(p, PROBLEM_SPACE_TRUSS);
        VelmorObject* s = b.Axial(A, E);
        VelmorObject* left = b.Node(-2, 0, 2), *right = b.Node(2, 0, 2), *apex = b.Node(0, 0, 0);
        b.Beam(s, left, apex);
        b.Beam(s, right, apex);
        b.Support(left, 2);
        b.Support(right, 2);
        b.Support(apex, 9, {0, 1, 0, 0, 0, 0});
        b.NodalLoad(apex, {0, 0, P});
        ASSERT_TRUE(an.RunAnalysis().Ok());
        for (size_t i = 0; i < 2; ++i) {
            const BeamAnalysis& r = an.BeamResult(beamAt(p, i));
            EXPECT_LT(rel(r.laws[LAW_N].Evaluate(1.0), -P / std::sqrt(2.0)), 1e-12);
            EXPECT_EQ(r.done[1], 1) << "no shear in a truss bar";
            EXPECT_EQ(r.done[5], 1);
            EXPECT_EQ(r.laws[LAW_U].Degree(), 1);
        }
    }
}

// ---------------------------------------------------------------- failures

TEST(Solution, SingularStructuresAreReported)
{
    RecordMessages messages;
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    b.Beam(section(b), b.Node(0, 0, 0), b.Node(2, 0, 0));
    b.NodalLoad(p.List(KIND_NODE).at(1), {0, -1, 0});
    const AnalysisStatus status = an.RunAnalysis();
    EXPECT_FALSE(status.Ok()) << "no support at all";
    ASSERT_FALSE(status.Messages().empty());
    EXPECT_EQ(status.Messages().back().id, 61251);
    EXPECT_EQ(status.Messages().back().text.rfind("Système d'équations singulier.", 0), 0u);
    for (const EngineMessage& m : status.Messages())
        EXPECT_NE(m.id, 61250) << "a failed solution is not also reported solved";
    for (long i = 1; i <= long(an.Displacements().Rows()); ++i)
        EXPECT_EQ(an.Displacements().At(i), 0.0);
    EXPECT_TRUE(messages.messages.empty()) << "the engine shows nothing itself";
}

TEST(Solution, NodeOfAxialBarsHasAFreeRotationReported)
{
    RecordMessages messages;
    VelmorProblem p;
    Analysis an(p);
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* bar = b.Axial(A, E);
    VelmorObject* left = b.Node(0, 0, 0), *apex = b.Node(2, 2, 0), *right = b.Node(4, 0, 0);
    b.Beam(bar, left, apex);
    b.Beam(bar, apex, right);
    b.Support(left, 9, {1, 1, 0, 0, 0, 1});
    b.Support(right, 9, {1, 1, 0, 0, 0, 1});
    b.NodalLoad(apex, {0, -1000, 0});
    const AnalysisStatus status = an.RunAnalysis();
    ASSERT_TRUE(status.Ok());
    // The warning comes before the success message, as the program shows them.
    EXPECT_EQ(Texts(status), (std::vector<std::string>{"Mécanisme possible au noeud 2, GdL 3",
                                                        "Système d'équations résolu"}));
    EXPECT_EQ(status.Messages()[0].severity, MessageSeverity::Warning);
    EXPECT_LT(rel(NodeValues(an, an.Reactions(), left)[1], 500.0), 1e-12);

    // The same apex as a joint: its free rotation is expected, only the success is told.
    static_cast<VelmorNudo*>(apex)->Data().m_nJoint = 1;
    EXPECT_EQ(Texts(an.RunAnalysis()), std::vector<std::string>{"Système d'équations résolu"});
    EXPECT_TRUE(messages.messages.empty());
}
