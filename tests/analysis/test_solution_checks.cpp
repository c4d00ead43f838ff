// A solution is called solved only when it is one: finite, its free equations satisfied and its
// reactions balancing the loads; a beam whose orientation decides nothing keeps its bending
// stiffness; running out of memory is reported, not fatal.
#include "EngineFixtures.h"
#include "TestHooks.h"
#include "analysis/Analysis.h"
#include "analysis/SolutionCheck.h"
#include "examples/ExampleModels.h"
#include "model/VelmorSeccion.h"
#include "model/VelmorViga.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmor;
using namespace velmor::test;

namespace {

VelmorObject* steel(StructureBuilder& b)
{
    return b.Rectangle(0.2, 0.4, 2.1e11, 0.3);
}

bool hasMessage(const AnalysisStatus& s, const std::string& start)
{
    for (const EngineMessage& m : s.Messages())
        if (m.text.rfind(start, 0) == 0)
            return true;
    return false;
}

} // namespace

TEST(SolutionChecks, EveryExampleSolvesCleanly)
{
    for (const ExampleModel& m : ExampleModels()) {
        VelmorProblem p;
        m.build(p);
        const AnalysisStatus status = SolveAtOnce(p);
        ASSERT_TRUE(status.Ok()) << m.file;
        EXPECT_FALSE(hasMessage(status, "Attention: les résultats sont imprécis")) << m.file;
        const SolutionQuality q = p.CurrentAnalysis()->Quality();
        EXPECT_TRUE(q.finite);
        EXPECT_LT(q.residual, 1e-10) << m.file;
        EXPECT_LT(q.equilibrium, 1e-10) << m.file;
    }
}

TEST(SolutionChecks, ResultsThatAreNotFiniteAreAFailure)
{
    struct Case
    {
        const char* name;
        bool settlement;
    };
    for (const Case c : {Case{"load of 1e308", false}, Case{"settlement of 1e308", true}}) {
        VelmorProblem p;
        StructureBuilder b(p, PROBLEM_PLANE_FRAME);
        VelmorObject* fixed = b.Node(0, 0, 0);
        VelmorObject* tip = b.Node(10, 0, 0);
        b.Beam(steel(b), fixed, tip);
        if (c.settlement) {
            b.Settlement(fixed, {1, 1, 1, 1, 1, 1}, {0, 1e308, 0});
            b.Settlement(tip, {0, 1, 0, 0, 0, 0}, {0, -1e308, 0});
        } else {
            b.Support(fixed, 1);
            // Its equivalent nodal loads, q L / 2, overflow.
            b.BeamLoad(p.List(KIND_BEAM).at(0), LOAD_CONSTANT_GLOBAL, {0, -1e308, 0});
        }
        const AnalysisStatus status = SolveAtOnce(p);
        EXPECT_FALSE(status.Ok()) << c.name;
        EXPECT_TRUE(hasMessage(status, "Les résultats ne sont pas des nombres finis")) << c.name;
        EXPECT_FALSE(hasMessage(status, "Système d'équations résolu")) << c.name;
    }
}

TEST(SolutionChecks, IllConditionedSystemIsSolvedWithAWarning)
{
    // A 1e-9 m span beside a 1e6 m span: the short span's stiffness swamps the long one's.
    VelmorProblem p;
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    p.m_gridStep = Mfx3dPoint(1e-12, 1e-12, 1e-12);
    VelmorObject* s = steel(b);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* m = b.Node(1e-9, 0, 0);
    VelmorObject* e = b.Node(1e6, 0, 0);
    b.Beam(s, a, m);
    b.Beam(s, m, e);
    b.Support(a, 1);
    b.Support(e, 2);
    b.BeamLoad(p.List(KIND_BEAM).at(1), LOAD_CONSTANT_GLOBAL, {0, -1000, 0});
    const AnalysisStatus status = SolveAtOnce(p);
    const SolutionQuality q = p.CurrentAnalysis()->Quality();
    ASSERT_TRUE(q.finite);
    ASSERT_GT(std::max(q.residual, q.equilibrium), kImpreciseResidual)
        << "the structure must actually be ill-conditioned for this test";
    EXPECT_TRUE(status.Ok()) << "the results are still shown";
    EXPECT_TRUE(hasMessage(status, "Attention: les résultats sont imprécis"));
    EXPECT_TRUE(hasMessage(status, "Système d'équations résolu"));
}

TEST(SolutionChecks, OrientationThatDecidesNothingKeepsTheBendingStiffness)
{
    // A cantilever along (1, 1, 0) under a tip load: with no usable orientation its local axes
    // come from the default one, so it bends as a beam.
    struct Case
    {
        const char* name;
        Mfx3dPoint orientation;
    };
    const double L = std::sqrt(8.0);
    for (const Case c : {Case{"default", {0, 0, 1}}, Case{"zero", {0, 0, 0}},
                         Case{"along the beam", {1, 1, 0}}, Case{"against it", {-3, -3, 0}}}) {
        VelmorProblem p;
        StructureBuilder b(p, PROBLEM_SPACE_FRAME);
        VelmorObject* fixed = b.Node(0, 0, 0);
        VelmorObject* tip = b.Node(2, 2, 0);
        VelmorObject* beam = b.Beam(steel(b), fixed, tip, c.orientation);
        ASSERT_NE(beam, nullptr) << c.name;
        b.Support(fixed, 1);
        b.NodalLoad(tip, {0, 0, -1000});
        ASSERT_TRUE(SolveAtOnce(p).Ok()) << c.name;
        const Analysis& an = *p.CurrentAnalysis();
        const VelmorSeccionData& sec = static_cast<const VelmorSeccion*>(beam->GetParent(0))->Data();
        // PL^3 / 3EI about the axis the load bends: the default orientation puts local y in
        // the horizontal plane, so vertical loads bend about local y (Iy).
        const double expected = -1000 * L * L * L / (3 * sec.m_E * sec.m_Iy);
        EXPECT_NEAR(NodeValues(an, an.Displacements(), tip)[2], expected, 1e-9 * std::fabs(expected))
            << c.name;
    }
}

#if defined(__SANITIZE_ADDRESS__)
#define VELMOR_UNDER_SANITIZERS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMOR_UNDER_SANITIZERS 1
#endif
#endif

TEST(SolutionChecks, OutOfMemoryIsReported)
{
#ifdef VELMOR_UNDER_SANITIZERS
    GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#else
    // In a child process whose address space is limited to what it uses plus a little: the
    // system of a 10,000-node space frame does not fit.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        VelmorProblem p;
        StructureBuilder b(p, PROBLEM_SPACE_FRAME, true);
        VelmorObject* s = steel(b);
        const int n = 22, m = 22, h = 21;
        std::vector<VelmorObject*> nodes;
        for (int k = 0; k < h; ++k)
            for (int j = 0; j < m; ++j)
                for (int i = 0; i < n; ++i)
                    nodes.push_back(b.Node(i, j, k));
        auto at = [&](int i, int j, int k) { return nodes[size_t((k * m + j) * n + i)]; };
        for (int k = 0; k < h; ++k)
            for (int j = 0; j < m; ++j)
                for (int i = 0; i < n; ++i) {
                    if (i + 1 < n)
                        b.Beam(s, at(i, j, k), at(i + 1, j, k));
                    if (j + 1 < m)
                        b.Beam(s, at(i, j, k), at(i, j + 1, k), {1, 0, 0});
                    if (k + 1 < h)
                        b.Beam(s, at(i, j, k), at(i, j, k + 1), {1, 0, 0});
                    if (k == 0)
                        b.Support(at(i, j, k), 1);
                }
        b.NodalLoad(at(n - 1, m - 1, h - 1), {1000, 0, 0});
        long pages = 0, resident = 0;
        if (FILE* f = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
                pages = 0;
            std::fclose(f);
        }
        if (pages == 0)
            _exit(3);
        const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (64u << 20);
        const rlimit r{limit, limit};
        if (setrlimit(RLIMIT_AS, &r) != 0)
            _exit(3);
        const AnalysisStatus status = SolveAtOnce(p);
        const bool reported = !status.Ok() && status.Messages().size() == 1 &&
                              status.Messages()[0].id == 61299 &&
                              status.Messages()[0].text.rfind("ERREUR DE MEMOIRE!", 0) == 0;
        // The structure is still whole.
        const bool intact = p.Count(KIND_NODE) == size_t(n * m * h);
        _exit(reported && intact ? 0 : 1);
    }
    int raw = 0;
    ASSERT_EQ(waitpid(child, &raw, 0), child);
    ASSERT_TRUE(WIFEXITED(raw)) << "the solve was killed instead of reporting";
    EXPECT_NE(WEXITSTATUS(raw), 3) << "the address-space limit could not be set";
    EXPECT_EQ(WEXITSTATUS(raw), 0);
#endif
}
