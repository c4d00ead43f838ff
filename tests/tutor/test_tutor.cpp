// The step-by-step solution's state machine on small structures, without any window: what each
// click does, what it tells the views, and that the system it builds is the one the engine's
// whole steps build in the same numbering, bit for bit.
#include "TutorFixtures.h"
#include "model/ModelFixtures.h"
#include "model/VelmorNudo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace velmor;
using namespace velmor::test;

namespace {

// A problem built by one of the fixtures, in a mode, with its tutor and a log.
struct Session
{
    explicit Session(Builder build, Mode mode = Mode::Examples)
    {
        build(problem);
        problem.SyncMode(mode);
        tutor = std::make_unique<VelmorTutor>(problem);
        tutor->SetListener(&log);
    }
    Analysis& analysis() { return *tutor->CurrentAnalysis(); }

    VelmorProblem problem;
    TutorLog log;
    std::unique_ptr<VelmorTutor> tutor;
};

int numberOf(const VelmorObject* node)
{
    return static_cast<const VelmorNudo*>(node)->Data().m_nAnalysisNumber;
}

const char* nameOf(Builder b)
{
    if (b == Portal)
        return "Portal";
    if (b == Weighted)
        return "Weighted";
    if (b == Springs)
        return "Springs";
    if (b == InclinedFrame)
        return "InclinedFrame";
    return "Other";
}

using Events = std::vector<std::string>;

} // namespace

TEST(Tutor, ExamplesWalkEveryItemOneExamineAtATime)
{
    Session s(Portal);
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    EXPECT_TRUE(t.IsActive());
    EXPECT_EQ(t.Solution(), SolutionMode::StepByStep);
    EXPECT_EQ(s.log.Take(), Events({"Changed"}));
    EXPECT_EQ(t.Item(), 1);
    EXPECT_EQ(t.First(), 1);

    // One row per click: the events it causes and the steps it leaves.
    struct Click
    {
        Events events;
        TutorStage target, done;
        bool half;
    };
    using S = TutorStage;
    const Click clicks[] = {
        {{"StepDone", "Changed"}, S::Numbering, S::None, false},
        {{"U2 n1", "Changed"}, S::Numbering, S::None, false},
        {{"U2 n2", "Changed"}, S::Numbering, S::None, false},
        {{"U2 n3", "Changed", "U0"}, S::Numbering, S::Numbering, false},
        {{"StepDone", "Changed"}, S::Stiffness, S::Numbering, false},
        {{"U11 b1", "Changed"}, S::Stiffness, S::Numbering, true},
        {{"U10 b1", "Changed"}, S::Stiffness, S::Numbering, false},
        {{"U11 b2", "Changed"}, S::Stiffness, S::Numbering, true},
        {{"U10 b2", "Changed", "U10"}, S::Stiffness, S::Stiffness, false},
        {{"StepDone", "Changed"}, S::Loads, S::Stiffness, false},
        {{"U13 l1", "Changed"}, S::Loads, S::Stiffness, true},
        {{"U10 l1", "Changed"}, S::Loads, S::Stiffness, false},
        {{"U14 d1", "Changed"}, S::Loads, S::Stiffness, true},
        {{"U10 d1", "Changed", "U10"}, S::Loads, S::Loads, false},
        {{"StepDone", "Changed"}, S::Supports, S::Loads, false},
        {{"U18 s1", "Changed"}, S::Supports, S::Loads, true},
        {{"U12 s1", "Changed"}, S::Supports, S::Loads, false},
        {{"U18 s2", "Changed"}, S::Supports, S::Loads, true},
        {{"U12 s2", "Changed", "U12"}, S::Supports, S::Supports, false},
        {{"StepDone", "Changed"}, S::Solution, S::Supports, false},
        {{"Changed", "M61250", "U10"}, S::Solution, S::Solution, false},
        {{"StepDone", "Changed"}, S::Results, S::Solution, false},
        {{"Ended", "Results"}, S::Results, S::Results, false},
    };
    int row = 0;
    for (const Click& c : clicks) {
        SCOPED_TRACE("click " + std::to_string(++row));
        t.Examine();
        EXPECT_EQ(s.log.Take(), c.events);
        EXPECT_EQ(t.Target(), c.target);
        EXPECT_EQ(t.Done(), c.done);
        EXPECT_EQ(t.IsHalf(), c.half);
    }
    EXPECT_FALSE(t.IsActive());
    EXPECT_EQ(t.Solution(), SolutionMode::None);
    EXPECT_TRUE(t.IsSolved());
    EXPECT_TRUE(t.ResultsComputed());
    // "Pas à Pas" numbers in list order.
    for (size_t i = 0; i < s.problem.Count(KIND_NODE); ++i)
        EXPECT_EQ(numberOf(s.problem.List(KIND_NODE).at(i)), int(i) + 1);
    // Nothing happens once the tutor has ended.
    t.Examine();
    t.Advance();
    t.FinishAll();
    EXPECT_TRUE(s.log.events.empty());
    EXPECT_EQ(t.Target(), TutorStage::Results);
}

TEST(Tutor, CurrentItemShowsItsNodeNumbers)
{
    Session s(Portal);
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    t.Examine(); // step 1 announced
    t.Examine(); // node 1 numbered
    EXPECT_EQ(t.Item(), 2);
    EXPECT_EQ(t.First(), 2) << "the number the next node receives";
    ASSERT_TRUE(ExamineUntil(t, TutorStage::Stiffness, TutorStage::Numbering));
    EXPECT_EQ(t.ItemElement(), s.problem.List(KIND_BEAM).at(0));
    EXPECT_EQ(t.First(), 1);
    EXPECT_EQ(t.Second(), 2);
    t.Examine();
    t.Examine();
    EXPECT_EQ(t.First(), 2);
    EXPECT_EQ(t.Second(), 3);
    ASSERT_TRUE(ExamineUntil(t, TutorStage::Loads, TutorStage::Stiffness));
    EXPECT_EQ(t.LoadList(), LoadKind::Nodal);
    EXPECT_EQ(t.First(), 2) << "the loaded node";
    t.Examine();
    t.Examine();
    EXPECT_EQ(t.LoadList(), LoadKind::Beam);
    EXPECT_EQ(t.First(), 2);
    EXPECT_EQ(t.Second(), 3);
    ASSERT_TRUE(ExamineUntil(t, TutorStage::Supports, TutorStage::Loads));
    EXPECT_EQ(t.First(), 1);
    EXPECT_TRUE(t.IsStepComplete(TutorItemKind::Loads));
    EXPECT_FALSE(t.IsStepComplete(TutorItemKind::Supports));
}

// ---- the system built item by item against the engine's whole steps

class TutorSystem : public testing::TestWithParam<Builder>
{
};

TEST_P(TutorSystem, EveryAssembledItemAddsItsMatrixAndTheStepsEndAsTheWholeSteps)
{
    const ReferenceRun ref = Reference(GetParam());
    ASSERT_FALSE(ref.solution.D.empty());
    Session s(GetParam());
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    Analysis& a = s.analysis();
    const long n = a.EquationCount(), c = a.DofPerNode();
    int assembled = 0;
    for (int click = 0; click < 200 && t.IsActive(); ++click) {
        const TutorStage done = t.Done();
        if (t.Target() == TutorStage::Stiffness && t.IsHalf()) {
            const SystemState before = StateOf(a);
            const StepWorkspace w = a.Work();
            std::vector<long> dofs;
            for (int node : {w.na, w.nb})
                for (long k = 1; k <= c; ++k)
                    dofs.push_back((node - 1) * c + k);
            t.Examine();
            ++assembled;
            std::vector<double> expected = before.K;
            for (size_t p = 0; p < dofs.size(); ++p)
                for (size_t q = 0; q < dofs.size(); ++q)
                    expected[size_t((dofs[p] - 1) * n + dofs[q] - 1)] +=
                        w.kGlobal.At(long(p) + 1, long(q) + 1);
            EXPECT_EQ(StateOf(a).K, expected) << "beam " << w.beamId;
        } else {
            t.Examine();
        }
        if (t.Done() == done)
            continue;
        switch (t.Done()) {
        case TutorStage::Stiffness: EXPECT_EQ(StateOf(a).K, ref.stiffness.K); break;
        case TutorStage::Loads: EXPECT_EQ(StateOf(a).F, ref.loads.F); break;
        case TutorStage::Supports:
            EXPECT_EQ(StateOf(a).K, ref.supports.K);
            EXPECT_EQ(StateOf(a).F, ref.supports.F);
            break;
        case TutorStage::Solution: EXPECT_EQ(StateOf(a).D, ref.solution.D); break;
        default: break;
        }
    }
    EXPECT_EQ(assembled, int(s.problem.Count(KIND_BEAM)));
    EXPECT_EQ(t.Done(), TutorStage::Results);
    EXPECT_EQ(EndForces(a), ref.endForces);
}

TEST_P(TutorSystem, StiffnessEqualsASolutionAtOnceStoppedAfterTheStiffness)
{
    VelmorProblem p;
    GetParam()(p);
    Analysis once(p);
    once.SetSolver(SystemSolver::Band);
    ASSERT_TRUE(once.RunAnalysis(AnalysisStage::Stiffness));
    const std::vector<double> K = StateOf(once).K;

    Session s(GetParam());
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    ASSERT_TRUE(ExamineUntil(*s.tutor, TutorStage::Stiffness, TutorStage::Stiffness));
    EXPECT_EQ(StateOf(s.analysis()).K, K);
    const long n = s.analysis().EquationCount();
    for (long i = 1; i <= n; ++i)
        for (long j = 1; j <= n; ++j)
            ASSERT_EQ(K[size_t((i - 1) * n + j - 1)], K[size_t((j - 1) * n + i - 1)]);
}

INSTANTIATE_TEST_SUITE_P(Structures, TutorSystem,
                         testing::Values(Portal, Weighted, Springs, InclinedFrame),
                         [](const testing::TestParamInfo<Builder>& row) {
                             return std::string(nameOf(row.param));
                         });

// ---- "Terminer" with an item half done

struct HalfCase
{
    const char* name;
    Builder build;
    TutorStage stage;
    int item;
    LoadKind list;
    const char* finishing; // the update that finishes the half-done item
};

class TutorHalfDone : public testing::TestWithParam<HalfCase>
{
};

TEST_P(TutorHalfDone, TerminerFinishesTheItemThenTheStepWithoutDoingAnythingTwice)
{
    const HalfCase& hc = GetParam();
    const ReferenceRun ref = Reference(hc.build);
    Session s(hc.build);
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    for (int i = 0; i < 200; ++i) {
        if (t.Target() == hc.stage && t.IsHalf() && t.Item() == hc.item &&
            (hc.stage != TutorStage::Loads || t.LoadList() == hc.list))
            break;
        t.Examine();
    }
    ASSERT_TRUE(t.IsHalf());
    s.log.Take();
    t.Advance();
    EXPECT_EQ(t.Done(), hc.stage);
    EXPECT_EQ(t.Target(), hc.stage);
    EXPECT_FALSE(t.IsHalf());
    EXPECT_EQ(s.log.Count(hc.finishing), 1u);
    const SystemState now = StateOf(s.analysis());
    switch (hc.stage) {
    case TutorStage::Stiffness: EXPECT_EQ(now.K, ref.stiffness.K); break;
    case TutorStage::Loads: EXPECT_EQ(now.F, ref.loads.F); break;
    default:
        EXPECT_EQ(now.K, ref.supports.K);
        EXPECT_EQ(now.F, ref.supports.F);
        break;
    }
    for (int flag : t.SupportDone())
        EXPECT_EQ(flag, hc.stage == TutorStage::Supports ? 1 : 0);
    // The rest of the solution comes out as the whole steps make it.
    t.FinishAll();
    EXPECT_TRUE(t.IsSolved());
    EXPECT_EQ(StateOf(s.analysis()).D, ref.solution.D);
    EXPECT_EQ(EndForces(s.analysis()), ref.endForces);
}

INSTANTIATE_TEST_SUITE_P(
    Items, TutorHalfDone,
    testing::Values(
        HalfCase{"FirstBeam", Portal, TutorStage::Stiffness, 1, LoadKind::Nodal, "U10 b1"},
        HalfCase{"LastBeam", InclinedFrame, TutorStage::Stiffness, 2, LoadKind::Nodal, "U10 b2"},
        HalfCase{"NodalLoad", Portal, TutorStage::Loads, 1, LoadKind::Nodal, "U10 l1"},
        HalfCase{"BeamLoadAfterANodalLoad", Portal, TutorStage::Loads, 1, LoadKind::Beam, "U10 d1"},
        HalfCase{"SelfWeightAfterANodalLoad", Weighted, TutorStage::Loads, 1, LoadKind::SelfWeight,
                 "U10 b1"},
        HalfCase{"FirstBeamLoad", InclinedFrame, TutorStage::Loads, 1, LoadKind::Beam, "U10 d1"},
        HalfCase{"SpringAfterAFixedSupport", Springs, TutorStage::Supports, 2, LoadKind::Nodal,
                 "U12 s2"},
        HalfCase{"FirstSupport", Springs, TutorStage::Supports, 1, LoadKind::Nodal, "U12 s1"}),
    [](const testing::TestParamInfo<HalfCase>& row) { return std::string(row.param.name); });

// ---- "Solution Finale" from every click of a walk

struct FinishCase
{
    Builder build;
    Mode mode;
};

class TutorFinishAll : public testing::TestWithParam<FinishCase>
{
};

TEST_P(TutorFinishAll, FromEveryClickGivesTheSolutionOfTheWholeStepsOnce)
{
    const FinishCase& fc = GetParam();
    const ReferenceRun ref = Reference(fc.build);
    const bool exercise = fc.mode == Mode::Exercises;
    // Every point of a walk, up to the results (examples) or the drawing of the laws.
    bool reachedTheEnd = false;
    for (int clicks = 0; clicks < 60 && !reachedTheEnd; ++clicks) {
        SCOPED_TRACE("after " + std::to_string(clicks) + " clicks");
        Session s(fc.build, fc.mode);
        ASSERT_TRUE(s.tutor->BeginStepByStep());
        VelmorTutor& t = *s.tutor;
        for (int i = 0; i < clicks; ++i)
            t.Examine();
        reachedTheEnd = !t.IsActive() || t.Target() == TutorStage::Laws;
        t.FinishAll();
        EXPECT_FALSE(t.IsActive());
        EXPECT_EQ(t.Solution(), SolutionMode::None);
        EXPECT_TRUE(t.IsSolved());
        EXPECT_TRUE(t.ResultsComputed());
        EXPECT_EQ(t.Done(), exercise ? TutorStage::Solution : TutorStage::Results);
        EXPECT_EQ(t.Target(), exercise ? TutorStage::Laws : TutorStage::Results);
        EXPECT_EQ(s.log.Count("Ended"), 1u);
        EXPECT_EQ(s.log.Count("Results"), 1u);
        EXPECT_EQ(s.log.Count("M61250"), 1u);
        EXPECT_EQ(StateOf(s.analysis()).D, ref.solution.D);
        EXPECT_EQ(EndForces(s.analysis()), ref.endForces);
    }
    EXPECT_TRUE(reachedTheEnd);
}

INSTANTIATE_TEST_SUITE_P(Walks, TutorFinishAll,
                         testing::Values(FinishCase{Portal, Mode::Examples},
                                         FinishCase{Weighted, Mode::Examples},
                                         FinishCase{Springs, Mode::Examples},
                                         FinishCase{InclinedFrame, Mode::Examples},
                                         FinishCase{Weighted, Mode::Exercises},
                                         FinishCase{InclinedFrame, Mode::Exercises}),
                         [](const testing::TestParamInfo<FinishCase>& row) {
                             return std::string(nameOf(row.param.build)) +
                                    (row.param.mode == Mode::Exercises ? "Exercises" : "Examples");
                         });

// ---- after the solution

class TutorAfterSolution : public testing::TestWithParam<Mode>
{
};

TEST_P(TutorAfterSolution, ExamplesGoOnToTheResultsExercisesToTheLaws)
{
    const bool exercise = GetParam() == Mode::Exercises;
    const ReferenceRun ref = Reference(InclinedFrame);
    Session s(InclinedFrame, GetParam());
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    EXPECT_EQ(t.IsExercise(), exercise);
    ASSERT_TRUE(ExamineUntil(t, TutorStage::Solution, TutorStage::Solution));
    s.log.Take();
    t.Examine();
    EXPECT_EQ(s.log.Take(), Events({"StepDone", "Changed"}));
    EXPECT_EQ(t.Target(), exercise ? TutorStage::Laws : TutorStage::Results);
    EXPECT_EQ(t.Done(), TutorStage::Solution);
    if (exercise) {
        // The student draws the laws: "Examiner" has nothing to do.
        t.Examine();
        EXPECT_TRUE(s.log.events.empty());
        EXPECT_TRUE(t.IsActive());
        t.Advance();
    } else {
        t.Examine();
    }
    EXPECT_EQ(s.log.Take(), Events({"Ended", "Results"}));
    EXPECT_FALSE(t.IsActive());
    EXPECT_EQ(t.Done(), exercise ? TutorStage::Solution : TutorStage::Results);
    EXPECT_EQ(t.Target(), exercise ? TutorStage::Laws : TutorStage::Results);
    EXPECT_EQ(EndForces(s.analysis()), ref.endForces);
}

INSTANTIATE_TEST_SUITE_P(Modes, TutorAfterSolution, testing::Values(Mode::Examples, Mode::Exercises),
                         [](const testing::TestParamInfo<Mode>& row) {
                             return std::string(row.param == Mode::Exercises ? "Exercises"
                                                                              : "Examples");
                         });

// Exercises: once every law of every beam is drawn, the results stand as the step done.
TEST(Tutor, AllLawsDrawnLeadsTheExercisesToTheResults)
{
    Session s(InclinedFrame, Mode::Exercises);
    VelmorTutor& t = *s.tutor;
    ASSERT_TRUE(t.FinalSolution().Ok());
    ASSERT_EQ(t.Target(), TutorStage::Laws);
    ASSERT_EQ(t.Done(), TutorStage::Solution);
    s.log.Take();
    t.AllLawsDrawn();
    EXPECT_EQ(s.log.Take(), Events({"Changed"}));
    EXPECT_EQ(t.Target(), TutorStage::Results);
    EXPECT_EQ(t.Done(), TutorStage::Results);
    EXPECT_TRUE(t.IsSolved());
    EXPECT_TRUE(t.ResultsComputed());
    EXPECT_EQ(t.State().target, TutorStage::Results);
}

TEST(Tutor, SingularSystemReturnsToStepZeroWithTheTutorActive)
{
    Session s(Mechanism);
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    ASSERT_TRUE(ExamineUntil(t, TutorStage::Solution, TutorStage::Supports));
    s.log.Take();
    t.Examine();
    const Events solved = s.log.Take();
    EXPECT_NE(std::find(solved.begin(), solved.end(), "M61251"), solved.end());
    EXPECT_EQ(std::find(solved.begin(), solved.end(), "M61250"), solved.end());
    EXPECT_EQ(solved.back(), "U10");
    EXPECT_EQ(t.Target(), TutorStage::None);
    EXPECT_EQ(t.Done(), TutorStage::None);
    EXPECT_TRUE(t.IsActive());
    EXPECT_FALSE(t.IsSolved());
    EXPECT_EQ(t.Solution(), SolutionMode::StepByStep);

    // Walking the steps again redoes nothing: every item is done already.
    t.Examine();
    EXPECT_EQ(t.Target(), TutorStage::Numbering);
    ASSERT_TRUE(ExamineUntil(t, TutorStage::Solution, TutorStage::Supports));
    EXPECT_EQ(s.log.Count("U13 l1"), 0u);
    EXPECT_EQ(s.log.Count("U11 b1"), 0u);

    // "Solution Finale" from there ends the solution, still singular.
    s.log.Take();
    t.FinishAll();
    EXPECT_FALSE(t.IsActive());
    EXPECT_FALSE(t.IsSolved());
    EXPECT_EQ(t.Done(), TutorStage::None);
    EXPECT_EQ(s.log.Count("M61251"), 1u);
    EXPECT_EQ(s.log.Count("Ended"), 1u);
    EXPECT_EQ(s.log.Count("Results"), 0u);
}

TEST(Tutor, FinishAllRightAfterASingularSolveDoesNotLoadTheSystemTwice)
{
    Session s(Mechanism);
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    ASSERT_TRUE(ExamineUntil(t, TutorStage::Solution, TutorStage::Supports));
    s.log.Take();
    t.FinishAll();
    EXPECT_FALSE(t.IsActive());
    EXPECT_EQ(s.log.Count("M61251"), 1u) << "solved once";
    EXPECT_EQ(s.log.Count("Ended"), 1u);
}

TEST(Tutor, StructureWithoutLoadsCompletesItsLoadStepAtOnce)
{
    for (const bool terminer : {false, true}) {
        Session s(Unloaded);
        ASSERT_TRUE(s.tutor->BeginStepByStep());
        VelmorTutor& t = *s.tutor;
        ASSERT_TRUE(ExamineUntil(t, TutorStage::Loads, TutorStage::Stiffness));
        EXPECT_EQ(t.Item(), 0);
        EXPECT_EQ(t.ItemElement(), nullptr);
        EXPECT_TRUE(t.IsStepComplete(TutorItemKind::Loads));
        s.log.Take();
        if (terminer)
            t.Advance();
        else
            t.Examine();
        EXPECT_EQ(t.Done(), TutorStage::Loads);
        EXPECT_EQ(s.log.Take(), Events({"Changed", "U10"}));
        for (double f : StateOf(s.analysis()).F)
            EXPECT_EQ(f, 0.0);
        t.FinishAll();
        EXPECT_TRUE(t.IsSolved());
        for (double d : StateOf(s.analysis()).D)
            EXPECT_EQ(d, 0.0);
    }
}

TEST(Tutor, BeamWithoutSelfWeightIsNeverAnItem)
{
    Session s(Weighted);
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    EXPECT_EQ(t.SelfWeightDone(), std::vector<int>({0, 1}));
    ASSERT_TRUE(ExamineUntil(t, TutorStage::Loads, TutorStage::Loads));
    EXPECT_EQ(s.log.Count("U17 b1"), 1u);
    EXPECT_EQ(s.log.Count("U17 b2"), 0u);
    EXPECT_EQ(s.log.Count("U13 l1"), 1u);
}

TEST(Tutor, ExercisesNumberAndAssembleInTheStudentsOrder)
{
    Session s(Portal, Mode::Exercises);
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    const VelmorObjectList& nodes = s.problem.List(KIND_NODE);
    const VelmorObjectList& beams = s.problem.List(KIND_BEAM);
    EXPECT_FALSE(t.Pick(nodes.at(2))) << "no step is being worked on yet";
    t.Examine();
    ASSERT_EQ(t.Target(), TutorStage::Numbering);
    EXPECT_FALSE(t.Pick(beams.at(0))) << "not an item of the numbering";
    ASSERT_TRUE(t.Pick(nodes.at(2)));
    EXPECT_EQ(t.First(), 1);
    t.Examine();
    EXPECT_FALSE(t.Pick(nodes.at(2))) << "numbered already";
    ASSERT_TRUE(t.Pick(nodes.at(1)));
    EXPECT_EQ(t.First(), 2);
    t.Examine();
    t.Examine();
    EXPECT_EQ(numberOf(nodes.at(2)), 1);
    EXPECT_EQ(numberOf(nodes.at(1)), 2);
    EXPECT_EQ(numberOf(nodes.at(0)), 3);
    EXPECT_EQ(t.Done(), TutorStage::Numbering);

    t.Examine();
    ASSERT_TRUE(t.Pick(beams.at(1)));
    t.Examine();
    EXPECT_TRUE(t.IsHalf());
    EXPECT_FALSE(t.Pick(beams.at(0))) << "the computed beam must be assembled first";
    t.Examine();
    EXPECT_EQ(t.BeamDone(), std::vector<int>({0, 1}));
    t.FinishAll();
    ASSERT_TRUE(t.IsSolved());
    EXPECT_EQ(t.Done(), TutorStage::Solution);
    EXPECT_EQ(t.Target(), TutorStage::Laws);

    // The same displacements as in list order, node by node.
    const ReferenceRun ref = Reference(Portal);
    const long c = s.analysis().DofPerNode();
    const std::vector<double> D = StateOf(s.analysis()).D;
    for (size_t i = 0; i < nodes.size(); ++i)
        for (long k = 0; k < c; ++k) {
            const double mine = D[size_t((numberOf(nodes.at(i)) - 1) * c + k)];
            const double listed = ref.solution.D[size_t(long(i) * c + k)];
            EXPECT_NEAR(mine, listed, 1e-12 * (1 + std::fabs(listed)));
        }
}

TEST(Tutor, StepCommandsOpenOnlyTheStepAfterTheLastCompleted)
{
    Session s(Portal);
    VelmorTutor& t = *s.tutor;
    EXPECT_FALSE(t.OpenStep(TutorStage::Numbering)) << "no step-by-step solution";
    ASSERT_TRUE(t.BeginStepByStep());
    struct Row
    {
        TutorStage done;
        std::vector<TutorStage> opens;
    };
    using S = TutorStage;
    const std::vector<S> all = {S::Numbering, S::Stiffness, S::Loads,
                                S::Supports,  S::Solution,  S::Results};
    const Row rows[] = {
        {S::None, {S::Numbering}},   {S::Numbering, {S::Stiffness}}, {S::Stiffness, {S::Loads}},
        {S::Loads, {S::Supports}},   {S::Supports, {S::Solution}},   {S::Solution, {S::Results}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("done " + std::to_string(StageNumber(row.done)));
        ASSERT_TRUE(ExamineUntil(t, row.done, row.done));
        for (const S step : all) {
            const bool opens = std::find(row.opens.begin(), row.opens.end(), step) != row.opens.end();
            const S before = t.Target();
            EXPECT_EQ(t.OpenStep(step), opens) << StageNumber(step);
            EXPECT_EQ(t.Target(), opens ? step : before);
            EXPECT_EQ(t.Done(), row.done);
        }
        if (row.done != S::Solution)
            t.Advance(); // complete the opened step
    }
    t.Advance();
    EXPECT_EQ(t.Done(), S::Results);
}

TEST(Tutor, AStructureChangedUnderTheSolutionEndsIt)
{
    Session s(Portal);
    ASSERT_TRUE(s.tutor->BeginStepByStep());
    VelmorTutor& t = *s.tutor;
    t.Examine();
    t.Examine();
    AddNode(s.problem, 9, 9, 0);
    s.log.Take();
    t.Examine();
    EXPECT_EQ(s.log.Take(), Events({"Ended"}));
    EXPECT_FALSE(t.IsActive());
}

TEST(Tutor, StartRefusedForAStructureThatCannotBeAnalysed)
{
    VelmorProblem p;
    p.SetProblemType(PROBLEM_PLANE_FRAME);
    AddNode(p, 0, 0, 0);
    VelmorTutor t(p);
    TutorLog log;
    t.SetListener(&log);
    const AnalysisStatus status = t.BeginStepByStep();
    EXPECT_FALSE(status);
    EXPECT_FALSE(t.IsActive());
    EXPECT_EQ(t.Solution(), SolutionMode::None);
    EXPECT_EQ(log.events, Events({"M61267"}));
    t.Examine();
    t.FinishAll();
    EXPECT_EQ(log.events.size(), 1u);
}

TEST(Tutor, CancelAndFinalSolution)
{
    Session s(Portal);
    VelmorTutor& t = *s.tutor;
    ASSERT_TRUE(t.BeginStepByStep());
    t.Examine();
    s.log.Take();
    t.Cancel();
    EXPECT_EQ(s.log.Take(), Events({"Ended"}));
    EXPECT_FALSE(t.IsActive());
    EXPECT_EQ(t.Solution(), SolutionMode::None);

    // Outside a step-by-step solution, "Solution Finale" solves at once.
    EXPECT_TRUE(t.FinalSolution());
    EXPECT_EQ(t.Solution(), SolutionMode::Final);
    EXPECT_FALSE(t.IsActive());
    EXPECT_EQ(t.Done(), TutorStage::Results);
    EXPECT_EQ(t.Target(), TutorStage::Results);
    EXPECT_EQ(s.log.Count("M61250"), 1u);

    // While step by step, it finishes the solution.
    ASSERT_TRUE(t.BeginStepByStep());
    EXPECT_EQ(t.Solution(), SolutionMode::StepByStep);
    EXPECT_EQ(t.Done(), TutorStage::None);
    EXPECT_TRUE(t.FinalSolution());
    EXPECT_EQ(t.Done(), TutorStage::Results);
    EXPECT_EQ(t.Solution(), SolutionMode::None);
}
