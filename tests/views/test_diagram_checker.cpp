// The exercise diagram checker on laws the engine computes: the expected sequence of each law,
// the acceptance and rejection of every choice with its message, the piece-by-piece drawing,
// "Automatique", completion, "Quitter" and the enabling of the drawing commands.
#include "analysis/Analysis.h"
#include "examples/ExampleModels.h"
#include "model/StructureBuilder.h"
#include "resources/StringTable.h"
#include "views/core/DiagramChecker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace velmor;

namespace {

using S = DiagramStep;

constexpr double kL = 4.0;     // length of the test beams, m
constexpr double kLoad = 1000; // N or N/m

// A structure of one beam from (0, 0, 0) to (kL, 0, 0), solved at once.
struct OneBeam
{
    VelmorProblem p;
    VelmorObject* beam = nullptr;
    VelmorObject* n1 = nullptr;
    VelmorObject* n2 = nullptr;

    explicit OneBeam(int type)
    {
        StructureBuilder b(p, type);
        n1 = b.Node(0, 0, 0);
        n2 = b.Node(kL, 0, 0);
        beam = b.Beam(b.Rectangle(0.2, 0.4, 2.1e11, 0.3), n1, n2);
    }
    StructureBuilder Builder() { return StructureBuilder(p, p.m_nType); }
    const Analysis& Solve()
    {
        EXPECT_TRUE(SolveAtOnce(p).Ok());
        return *p.CurrentAnalysis();
    }
};

// Plane cantilever fixed at node 1, tip load -kLoad along y at node 2.
void PlaneCantilever(OneBeam& s)
{
    s.Builder().Support(s.n1, 1, {1, 1, 1, 1, 1, 1});
    s.Builder().NodalLoad(s.n2, {0, -kLoad, 0});
}

// Plane beam pinned at node 1, on a roller at node 2, with a linear local load from q1 to q2
// (N/m along local y).
std::function<void(OneBeam&)> SimpleBeam(double q1, double q2)
{
    return [q1, q2](OneBeam& s) {
        s.Builder().Support(s.n1, 1, {1, 1, 1, 1, 1, 0});
        s.Builder().Support(s.n2, 1, {0, 1, 1, 1, 0, 0});
        s.Builder().BeamLoad(s.beam, LOAD_LINEAR_LOCAL, {0, q1, 0}, {0, q2, 0});
    };
}

// Space cantilever fixed at node `fixed` (1 or 2), the other end loaded along global z.
std::function<void(OneBeam&)> SpaceCantilever(int fixed, double fz)
{
    return [fixed, fz](OneBeam& s) {
        s.Builder().Support(fixed == 1 ? s.n1 : s.n2, 1, {1, 1, 1, 1, 1, 1});
        s.Builder().NodalLoad(fixed == 1 ? s.n2 : s.n1, {0, 0, fz});
    };
}

struct SequenceCase
{
    const char* name;
    int type;
    std::function<void(OneBeam&)> build;
    int code;
    std::vector<S> steps;
    double inflection;
};

// Each sequence worked out by hand from the laws' definitions (Vy = -q2 - ∫py, Mz = q6 + ∫Vy,
// Vz = -q3 - ∫pz, My = -q5 + ∫Vz, T = -q4 - ∫mx): the diagram leaves the axis up for a
// positive start value and comes back down to it from a positive end value.
const SequenceCase kSequences[] = {
    // Mz = P (L - x): positive at the wall, zero at the free end.
    {"CantileverMoment", 2, PlaneCantilever, CODE_MZ, {S::Up, S::Decreasing}, -1.0},
    // Vy = -P all along.
    {"CantileverShear", 2, PlaneCantilever, CODE_VY, {S::Down, S::Constant, S::Up}, -1.0},
    // No torque on the bar: T = 0, a single constant piece on the axis.
    {"UnloadedTorsion", 3, SpaceCantilever(1, -kLoad), CODE_T, {S::Constant}, -1.0},
    // Uniform load q downwards: Vy = q (x - L/2), Mz = q x (x - L) / 2.
    {"UniformLoadShear",
     2,
     SimpleBeam(-kLoad, -kLoad),
     CODE_VY,
     {S::Down, S::Increasing, S::Down},
     -1.0},
    {"UniformLoadMoment", 2, SimpleBeam(-kLoad, -kLoad), CODE_MZ, {S::PositiveParabola}, -1.0},
    // Load growing from 0 to q downwards: Vy = q x² / 2L - qL/6, Mz'' = q x / L >= 0.
    {"TriangularLoadShear",
     2,
     SimpleBeam(0, -kLoad),
     CODE_VY,
     {S::Down, S::PositiveParabola, S::Down},
     -1.0},
    {"TriangularLoadMoment", 2, SimpleBeam(0, -kLoad), CODE_MZ, {S::PositiveCubicRight}, -1.0},
    // Load growing from 0 to q upwards: Mz'' = -q x / L <= 0, the concave right part of a
    // negative cubic, from its inflection at node 1.
    {"TriangularLoadUpwards", 2, SimpleBeam(0, kLoad), CODE_MZ, {S::NegativeCubicRight}, -1.0},
    // Load falling from q downwards to 0: Mz'' = q (1 - x / L) >= 0, the convex left part of a
    // negative cubic, up to its inflection at node 2.
    {"DecreasingLoadMoment", 2, SimpleBeam(-kLoad, 0), CODE_MZ, {S::NegativeCubicLeft}, -1.0},
    // Load falling from q upwards to 0: Mz'' = -q (1 - x / L) <= 0, the concave left part of
    // a positive cubic.
    {"DecreasingLoadUpwards", 2, SimpleBeam(kLoad, 0), CODE_MZ, {S::PositiveCubicLeft}, -1.0},
    // Load from +q to -2q: py changes sign at L/3, and so does the curvature Mz'' = -py.
    {"CubicWithInflection",
     2,
     SimpleBeam(kLoad, -2 * kLoad),
     CODE_MZ,
     {S::PositiveCubicLeft, S::PositiveCubicRight},
     1.0 / 3.0},
    {"NegativeCubicWithInflection",
     2,
     SimpleBeam(-kLoad, 2 * kLoad),
     CODE_MZ,
     {S::NegativeCubicLeft, S::NegativeCubicRight},
     1.0 / 3.0},
    // Wall at node 1, tip pushed up along z: q5 = PL > 0 and My = -PL + P x.
    {"MomentYPositiveStart", 3, SpaceCantilever(1, kLoad), CODE_MY, {S::Down, S::Increasing}, -1.0},
    // Wall at node 1, tip pushed down: My = PL - P x.
    {"MomentYNegativeStart", 3, SpaceCantilever(1, -kLoad), CODE_MY, {S::Up, S::Decreasing}, -1.0},
    // Wall at node 2, free end at node 1 pushed down along z: My = P x, q11 = My(L) = PL > 0,
    // so the diagram comes back down to the axis at the wall.
    {"MomentYPositiveEnd", 3, SpaceCantilever(2, -kLoad), CODE_MY, {S::Increasing, S::Down}, -1.0},
    {"MomentYNegativeEnd", 3, SpaceCantilever(2, kLoad), CODE_MY, {S::Decreasing, S::Up}, -1.0},
};

class ExpectedSequenceOfALaw : public ::testing::TestWithParam<SequenceCase>
{
};

std::vector<S> Steps(const DiagramSequence& s)
{
    std::vector<S> out;
    for (int i = 0; i < s.count; ++i)
        out.push_back(s.steps[size_t(i)]);
    return out;
}

std::string Describe(const std::vector<S>& steps)
{
    std::string t;
    for (S s : steps)
        t += std::to_string(int(s)) + " ";
    return t;
}

} // namespace

TEST_P(ExpectedSequenceOfALaw, FromTheEngineLaw)
{
    const SequenceCase& c = GetParam();
    OneBeam s(c.type);
    c.build(s);
    const Analysis& an = s.Solve();
    double ends[2];
    const Polynomial law = an.GetLaw(*s.beam, c.code, ends);
    const double L = an.BeamResult(*s.beam).L;
    ASSERT_DOUBLE_EQ(L, kL);

    const DiagramSequence seq = ExpectedSequence(c.code, law, ends, L);
    EXPECT_EQ(Describe(Steps(seq)), Describe(c.steps));
    EXPECT_EQ(seq.degree, law.Degree());
    EXPECT_NEAR(seq.inflection, c.inflection, 1e-12);
    for (int i = seq.count; i < DiagramSequence::kMaxSteps; ++i)
        EXPECT_EQ(seq.steps[size_t(i)], S::None) << "entries after the last step";
}

INSTANTIATE_TEST_SUITE_P(Laws, ExpectedSequenceOfALaw, ::testing::ValuesIn(kSequences),
                         [](const auto& row) { return std::string(row.param.name); });

// On every beam of every shipped example, the sequence agrees with the law's own values: the
// start side with the sign of P(0), the end side with the sign of P(L), the shape with the
// slope or curvature sampled along the beam.
TEST(DiagramSequences, AgreesWithTheLawValuesOnEveryExample)
{
    int checked = 0;
    for (const ExampleModel& m : ExampleModels()) {
        VelmorProblem p;
        m.build(p);
        ASSERT_TRUE(SolveAtOnce(p).Ok()) << m.file;
        const Analysis& an = *p.CurrentAnalysis();
        for (const auto& beam : p.List(KIND_BEAM)) {
            const double L = an.BeamResult(*beam).L;
            for (int code = CODE_N; code <= CODE_MZ; code *= 2) {
                double ends[2];
                const Polynomial law = an.GetLaw(*beam, code, ends);
                const DiagramSequence seq = ExpectedSequence(code, law, ends, L);
                const std::string where = m.file + " law " + std::to_string(code);
                const double p0 = law.Evaluate(0.0), pL = law.Evaluate(L);
                const double scale = 1.0 + std::fabs(p0) + std::fabs(pL);
                std::vector<S> steps = Steps(seq);
                ASSERT_FALSE(steps.empty()) << where;
                // Sides: an end value is given when the law is not (nearly) 0 there.
                if (std::fabs(p0) > 1e-8 * scale) {
                    EXPECT_EQ(steps.front(), p0 > 0 ? S::Up : S::Down) << where;
                    steps.erase(steps.begin());
                } else if (steps.front() <= S::Down) {
                    steps.erase(steps.begin()); // round-off above the engine's 1e-10
                }
                if (std::fabs(pL) > 1e-8 * scale) {
                    EXPECT_EQ(steps.back(), pL > 0 ? S::Down : S::Up) << where;
                    steps.pop_back();
                } else if (steps.back() <= S::Down) {
                    steps.pop_back();
                }
                ASSERT_FALSE(steps.empty()) << where;
                const Polynomial d1 = law.Derivative(1), d2 = law.Derivative(2);
                switch (steps.front()) {
                case S::Constant:
                    EXPECT_EQ(law.Degree(), 0) << where;
                    break;
                case S::Increasing:
                case S::Decreasing:
                    EXPECT_EQ(d1.Evaluate(L / 2) > 0, steps.front() == S::Increasing) << where;
                    break;
                case S::PositiveParabola:
                case S::NegativeParabola:
                    EXPECT_EQ(d2.Evaluate(0) > 0, steps.front() == S::PositiveParabola) << where;
                    break;
                default: {
                    // Cubic parts: the left part of a positive cubic and the right part of a
                    // negative one are concave.
                    const bool concaveFirst = steps.front() == S::PositiveCubicLeft ||
                                              steps.front() == S::NegativeCubicRight;
                    const double x = seq.inflection > 0 ? seq.inflection * L / 2 : L / 2;
                    EXPECT_EQ(d2.Evaluate(x) < 0, concaveFirst) << where;
                }
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 0);
}

namespace {

// A checker started on a law of a solved one-beam structure.
struct Drawing
{
    OneBeam s;
    DiagramChecker checker;
    int code;

    Drawing(int type, const std::function<void(OneBeam&)>& build, int lawCode)
        : s(type), code(lawCode)
    {
        build(s);
        const Analysis& an = s.Solve();
        double ends[2];
        const Polynomial law = an.GetLaw(*s.beam, code, ends);
        checker.ChooseLaw(code);
        EXPECT_TRUE(
            checker.Start(law, ends, an.BeamResult(*s.beam).L, an.LawDoneFlag(*s.beam, code)));
    }
};

// The state a wrong choice must leave alone.
struct Snapshot
{
    double progress, limit;
    int index;
    S last;
    explicit Snapshot(const DiagramChecker& c)
        : progress(c.Progress()), limit(c.Limit()), index(c.StepIndex()), last(c.LastStep())
    {
    }
    bool operator==(const Snapshot&) const = default;
};

struct StepCommand
{
    int id;
    S step;
    const char* tooltip;
    const char* rejection;
};

const StepCommand kStepCommands[] = {
    {32862, S::Up, "Au-dessus de l'axe", "En ce point l'algorithme ne vas pas vers le haut."},
    {32863, S::Down, "Au-dessous de l'axe", "NON! En ce point, le diagramme ne descend pas."},
    {32870, S::Constant, "Constant", "NON! Le diagramme ici n'est pas constant."},
    {32864, S::Increasing, "Droite croissante", "NON! En ce point, le diagramme ne monte pas."},
    {32865, S::Decreasing, "Droite décroissante", "NON! En ce point, le diagramme ne descend pas."},
    {32866, S::PositiveParabola, "Parabole positive",
     "NON! Le diagramme ici n'est pas une parabole positive."},
    {32867, S::NegativeParabola, "Parabole négative",
     "NON! Le diagramme ici n'est pas une parabole négative."},
    {32868, S::PositiveCubicLeft, nullptr,
     "NON! Cette partie du diagramme n'est pas la partie gauche d'une parabole cubique positive."},
    {32871, S::PositiveCubicRight, nullptr,
     "NON! Cette partie du diagramme n'est pas la partie droite d'une parabole cubique positive."},
    {32872, S::NegativeCubicLeft, nullptr,
     "NON! Cette partie du diagramme n'est pas la partie gauche d'une parabole cubique négative."},
    {32873, S::NegativeCubicRight, nullptr,
     "NON! Cette partie du diagramme n'est pas la partie droite d'une parabole cubique négative."},
};

} // namespace

TEST(DiagramCommands, EachCommandIsItsChoiceWithItsTooltipAndMessage)
{
    for (const StepCommand& c : kStepCommands) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(DiagramStepOfCommand(c.id), c.step);
        EXPECT_EQ(DiagramCommandOfStep(c.step), c.id);
        if (c.tooltip) {
            EXPECT_EQ(ToolTip(c.id), c.tooltip);
        }
        EXPECT_EQ(DiagramMessageText(RejectionMessageId(c.step)), c.rejection);
    }
    // The cubic commands' tooltips name their part and sign.
    EXPECT_NE(ToolTip(32868).find("gauche"), std::string_view::npos);
    EXPECT_NE(ToolTip(32873).find("droite"), std::string_view::npos);
    EXPECT_NE(ToolTip(32872).find("négative"), std::string_view::npos);
    for (int id : {32869, 32874, 32875, 32876, 32879, 32856})
        EXPECT_EQ(DiagramStepOfCommand(id), S::None) << id;

    const int laws[][2] = {{32858, CODE_N}, {32856, CODE_VY}, {32857, CODE_VZ},
                           {32861, CODE_T}, {32859, CODE_MY}, {32860, CODE_MZ}};
    for (const auto& l : laws) {
        EXPECT_EQ(DiagramLawOfCommand(l[0]), l[1]);
        EXPECT_EQ(DiagramCommandOfLaw(l[1]), l[0]);
    }
    EXPECT_EQ(DiagramLawOfCommand(32862), 0);
    EXPECT_EQ(DoneIndexOfLaw(CODE_N), 0);
    EXPECT_EQ(DoneIndexOfLaw(CODE_MY), 4);
    EXPECT_EQ(DoneIndexOfLaw(CODE_MZ), 5);
    EXPECT_EQ(DoneIndexOfLaw(3), -1);
}

// At each point of the cantilever's moment (Up, Decreasing), every choice but the expected one
// is refused with its own message and leaves the state as it was.
TEST(DiagramChecker, WrongChoicesAreRefusedWithTheirMessageAndChangeNothing)
{
    Drawing d(2, PlaneCantilever, CODE_MZ);
    DiagramChecker& c = d.checker;
    for (S expected : {S::Up, S::Decreasing}) {
        for (const StepCommand& sc : kStepCommands) {
            if (sc.step == expected) continue;
            const Snapshot before(c);
            const DiagramFinding f = c.Command(sc.id);
            EXPECT_EQ(f.verdict, DiagramVerdict::Rejected) << sc.id;
            EXPECT_EQ(f.fault, DiagramFault(int(sc.step)));
            EXPECT_EQ(f.chosen, sc.step);
            EXPECT_EQ(f.expected, expected);
            EXPECT_EQ(f.message, sc.rejection);
            EXPECT_EQ(f.hint, 0);
            EXPECT_TRUE(Snapshot(c) == before) << sc.id;
        }
        const DiagramFinding ok = c.Choose(expected);
        EXPECT_EQ(ok.verdict, DiagramVerdict::Accepted);
        EXPECT_EQ(ok.hint, 1);
        EXPECT_TRUE(ok.message.empty());
        EXPECT_EQ(c.LastStep(), expected);
    }
}

// A linear law: "constant" is refused with its message; the accepted shape is drawn by clicks
// that only move forwards, and the law is finished once the whole beam is drawn.
TEST(DiagramChecker, CantileverMomentDrawnPieceByPiece)
{
    Drawing d(2, PlaneCantilever, CODE_MZ);
    DiagramChecker& c = d.checker;
    EXPECT_EQ(c.Progress(), -1.0);
    EXPECT_EQ(c.Limit(), -1.0);
    EXPECT_EQ(c.DrawTo(0.5), 0) << "no shape accepted yet";

    EXPECT_EQ(c.Choose(S::Up).verdict, DiagramVerdict::Accepted);
    EXPECT_EQ(c.Progress(), 0.0) << "the start is drawn";
    EXPECT_EQ(c.StepIndex(), 1);
    EXPECT_EQ(c.Choose(S::Constant).message, "NON! Le diagramme ici n'est pas constant.");

    EXPECT_EQ(c.Choose(S::Decreasing).verdict, DiagramVerdict::Accepted);
    EXPECT_EQ(c.Limit(), 1.0);
    EXPECT_EQ(c.StepIndex(), 1) << "the shape is expected until it is drawn";

    const double clicks[][2] = {{0.4, 0.4}, {0.2, 0.4}, {-0.3, 0.4}, {0.7, 0.7}};
    for (const auto& k : clicks) {
        EXPECT_EQ(c.DrawTo(k[0]), 1);
        EXPECT_DOUBLE_EQ(c.Progress(), k[1]) << k[0];
        EXPECT_DOUBLE_EQ(c.DrawnFraction(), k[1]);
    }
    EXPECT_EQ(c.Paint().markDone, false);
    c.DrawTo(1.3);
    EXPECT_EQ(c.Limit(), -1.0);
    EXPECT_EQ(c.Expected(), S::None);
    EXPECT_EQ(c.Progress(), DiagramChecker::kFinished) << "no end side: finished at once";
    EXPECT_EQ(c.DrawTo(0.1), 0) << "a finished law is not pulled back";

    const DiagramCompletion first = c.Paint();
    EXPECT_TRUE(first.markDone);
    EXPECT_EQ(first.messageId, 61268);
    EXPECT_EQ(first.message, "Algorithme terminé.");
    const DiagramCompletion again = c.Paint();
    EXPECT_TRUE(again.markDone);
    EXPECT_EQ(again.messageId, 0) << "announced once";
    EXPECT_EQ(c.Progress(), DiagramChecker::kAnnounced);
    EXPECT_EQ(c.DrawnFraction(), 1.0);
}

// A constant law with an end side: the end closes the diagram once the shape is drawn.
TEST(DiagramChecker, EndSideClosesTheDiagram)
{
    Drawing d(2, PlaneCantilever, CODE_VY);
    DiagramChecker& c = d.checker;
    EXPECT_EQ(c.Choose(S::Down).verdict, DiagramVerdict::Accepted);
    EXPECT_EQ(c.Choose(S::Up).message, "En ce point l'algorithme ne vas pas vers le haut.")
        << "the constant piece comes before the end";
    EXPECT_EQ(c.Choose(S::Constant).verdict, DiagramVerdict::Accepted);
    EXPECT_EQ(c.Progress(), 0.0);
    c.DrawTo(1.0);
    EXPECT_EQ(c.Progress(), 1.0) << "the end side is still expected";
    EXPECT_EQ(c.Expected(), S::Up);
    EXPECT_FALSE(c.Paint().markDone);
    EXPECT_EQ(c.Choose(S::Down).message, "NON! En ce point, le diagramme ne descend pas.");
    EXPECT_EQ(c.Choose(S::Up).verdict, DiagramVerdict::Accepted);
    EXPECT_EQ(c.Progress(), DiagramChecker::kFinished);
    EXPECT_EQ(c.Paint().message, "Algorithme terminé.");
}

// A cubic whose curvature changes sign: the left part is drawn only up to the inflection, the
// right part then from there to the end.
TEST(DiagramChecker, TwoPartCubicStopsAtTheInflection)
{
    Drawing d(2, SimpleBeam(kLoad, -2 * kLoad), CODE_MZ);
    DiagramChecker& c = d.checker;
    EXPECT_EQ(c.Degree(), 3);
    EXPECT_EQ(c.Choose(S::PositiveCubicRight).message,
              "NON! Cette partie du diagramme n'est pas la partie droite d'une parabole cubique "
              "positive.");
    EXPECT_EQ(c.Choose(S::PositiveCubicLeft).verdict, DiagramVerdict::Accepted);
    EXPECT_EQ(c.Progress(), 0.0) << "a cubic starts the drawing";
    EXPECT_NEAR(c.Limit(), 1.0 / 3.0, 1e-12);
    c.DrawTo(0.9);
    EXPECT_NEAR(c.Progress(), 1.0 / 3.0, 1e-12) << "clamped to the inflection";
    EXPECT_EQ(c.Limit(), -1.0);
    EXPECT_EQ(c.Expected(), S::PositiveCubicRight);
    EXPECT_EQ(c.Choose(S::PositiveCubicLeft).verdict, DiagramVerdict::Rejected);
    EXPECT_EQ(c.Choose(S::PositiveCubicRight).verdict, DiagramVerdict::Accepted);
    EXPECT_EQ(c.Limit(), 1.0);
    c.DrawTo(0.1);
    EXPECT_NEAR(c.Progress(), 1.0 / 3.0, 1e-12) << "never backwards";
    c.DrawTo(1.0);
    EXPECT_TRUE(c.Finished());
}

TEST(DiagramChecker, AutomatiqueCompletesTheLaw)
{
    Drawing d(2, SimpleBeam(-kLoad, -kLoad), CODE_VY);
    DiagramChecker& c = d.checker;
    const double expected[] = {0.0, 0.25, 0.5, 0.75, 1.0, 2.0};
    for (double e : expected) {
        c.Automatic();
        EXPECT_DOUBLE_EQ(c.Progress(), e);
    }
    const DiagramCompletion done = c.Paint();
    EXPECT_TRUE(done.markDone);
    EXPECT_EQ(done.message, "Algorithme terminé.");
}

// A whole exercise on a real example: every law of every beam is played through its expected
// steps, marked done when painting says so, and "Quitter" announces the end only after the
// last one.
TEST(DiagramChecker, EveryLawOfAnExampleDrawnThenQuitter)
{
    for (const char* file : {"portique-simple.vlm", "portique-spatial.vlm"}) {
        SCOPED_TRACE(file);
        VelmorProblem p;
        for (const ExampleModel& m : ExampleModels())
            if (m.file == file) m.build(p);
        ASSERT_TRUE(SolveAtOnce(p).Ok());
        Analysis& an = *p.CurrentAnalysis();
        ASSERT_FALSE(an.DiagramsDone());
        DiagramChecker c;
        int drawn = 0;
        std::vector<std::pair<const VelmorObject*, int>> todo;
        for (const auto& beam : p.List(KIND_BEAM))
            for (int code = CODE_N; code <= CODE_MZ; code *= 2)
                if (!an.LawDoneFlag(*beam, code)) todo.emplace_back(beam.get(), code);
        for (size_t k = 0; k < todo.size(); ++k) {
            const auto [beam, code] = todo[k];
            c.ChooseLaw(code);
            double ends[2];
            const Polynomial law = an.GetLaw(*beam, code, ends);
            ASSERT_TRUE(c.Start(law, ends, an.BeamResult(*beam).L, false));
            // The student clicks at the end of the beam after each shape.
            for (int guard = 0; guard < 8 && !c.Finished(); ++guard) {
                ASSERT_EQ(c.Choose(c.Expected()).verdict, DiagramVerdict::Accepted);
                if (c.Limit() >= 0) c.DrawTo(1.0);
            }
            const DiagramCompletion done = c.Paint();
            ASSERT_TRUE(done.markDone);
            EXPECT_EQ(done.messageId, 61268);
            an.BeamResult(*beam).done[DoneIndexOfLaw(code)] = 1;
            ++drawn;
            const DiagramQuit q = c.Quit(an.DiagramsDone());
            EXPECT_EQ(q.hint, 7);
            EXPECT_EQ(c.Law(), 0);
            EXPECT_FALSE(c.Drawing());
            const bool last = k + 1 == todo.size();
            EXPECT_EQ(q.allDone, last);
            EXPECT_EQ(q.message, last ? "Tous les diagrammes sont terminés." : "");
        }
        EXPECT_GT(drawn, 1);
        EXPECT_EQ(c.Choose(S::Up).fault, DiagramFault::NoDiagram) << "no law after Quitter";
    }
}

// A law that the engine found identically zero (an unloaded bar's torsion) is done already:
// its drawing does not start and its command is disabled.
TEST(DiagramChecker, ALawDoneAlreadyDoesNotStart)
{
    OneBeam s(3);
    SpaceCantilever(1, -kLoad)(s);
    const Analysis& an = s.Solve();
    ASSERT_TRUE(an.LawDoneFlag(*s.beam, CODE_T));
    double ends[2];
    const Polynomial law = an.GetLaw(*s.beam, CODE_T, ends);
    DiagramChecker c;
    c.ChooseLaw(CODE_T);
    EXPECT_FALSE(c.Start(law, ends, kL, true));
    EXPECT_FALSE(c.Drawing());
    EXPECT_EQ(c.Choose(S::Constant).verdict, DiagramVerdict::Ignored);
    const DiagramContext context{3, 6, CODE_T};
    EXPECT_FALSE(DiagramCommandStateOf(32861, c, context).enabled);
    EXPECT_TRUE(DiagramCommandStateOf(32859, c, context).enabled);
}

TEST(DiagramCommands, LawCommandsByProblemTypeStepAndDoneFlags)
{
    struct Row
    {
        int id, type, step, done;
        bool enabled;
    };
    const Row rows[] = {
        {32858, 1, 6, 0, false},       {32858, 2, 6, 0, true},       {32858, 4, 6, 0, true},
        {32856, 2, 6, 0, true},        {32856, 4, 6, 0, false},      {32860, 1, 6, 0, true},
        {32860, 4, 6, 0, false},       {32857, 2, 6, 0, false},      {32857, 3, 6, 0, true},
        {32859, 2, 6, 0, false},       {32859, 3, 6, 0, true},       {32861, 3, 6, 0, true},
        {32861, 1, 6, 0, false},       {32860, 2, 7, 0, false},      {32860, 2, 5, 0, false},
        {32860, 2, 6, CODE_MZ, false}, {32860, 2, 6, CODE_VY, true},
    };
    DiagramChecker c;
    c.ChooseLaw(CODE_MZ);
    for (const Row& r : rows) {
        const DiagramCommandState st = DiagramCommandStateOf(r.id, c, {r.type, r.step, r.done});
        EXPECT_EQ(st.enabled, r.enabled) << r.id << " type " << r.type << " step " << r.step;
        EXPECT_EQ(st.checked, r.id == 32860) << r.id;
    }
}

TEST(DiagramCommands, ShapeCommandsByDegreeAndCheckedWhenLastAccepted)
{
    struct Row
    {
        int type;
        std::function<void(OneBeam&)> build;
        int code;
        int degree;
    };
    const Row rows[] = {
        {2, PlaneCantilever, CODE_VY, 0},
        {2, PlaneCantilever, CODE_MZ, 1},
        {2, SimpleBeam(-kLoad, -kLoad), CODE_MZ, 2},
        {2, SimpleBeam(0, -kLoad), CODE_MZ, 3},
    };
    for (const Row& r : rows) {
        Drawing d(r.type, r.build, r.code);
        ASSERT_EQ(d.checker.Degree(), r.degree);
        const DiagramContext context{r.type, 6, 0};
        for (const StepCommand& sc : kStepCommands) {
            const bool parabola = sc.step == S::PositiveParabola || sc.step == S::NegativeParabola;
            const bool cubic = sc.step >= S::PositiveCubicLeft;
            const bool enabled = cubic ? r.degree == 3 : parabola ? r.degree >= 2 : true;
            EXPECT_EQ(DiagramCommandStateOf(sc.id, d.checker, context).enabled, enabled)
                << sc.id << " degree " << r.degree;
        }
        const S first = d.checker.Expected();
        d.checker.Choose(first);
        for (const StepCommand& sc : kStepCommands)
            EXPECT_EQ(DiagramCommandStateOf(sc.id, d.checker, context).checked, sc.step == first);
    }
}

TEST(DiagramCommands, HelpDrawingsAutomatiqueAndQuitterWhileDrawing)
{
    DiagramChecker idle;
    for (int id : {32879, 32869, 32874, 32875, 32876})
        EXPECT_FALSE(DiagramCommandStateOf(id, idle, {3, 6, 63}).enabled) << id;

    struct Row
    {
        int law, done;
        bool shear, moment;
    };
    const Row rows[] = {
        {CODE_MY, CODE_VZ, true, false}, {CODE_MY, CODE_VY, false, false},
        {CODE_MZ, CODE_VY, true, false}, {CODE_MZ, CODE_VZ, false, false},
        {CODE_VY, CODE_MZ, false, true}, {CODE_VY, CODE_MY, false, false},
        {CODE_VZ, CODE_MY, false, true}, {CODE_N, 63, false, false},
    };
    // These rules read the law codes and the done flags, not the law itself.
    const double ends[2] = {0, 0};
    for (const Row& r : rows) {
        DiagramChecker c;
        c.ChooseLaw(r.law);
        ASSERT_TRUE(c.Start(Polynomial{1.0}, ends, kL, false));
        const DiagramContext context{3, 6, r.done};
        EXPECT_TRUE(DiagramCommandStateOf(32879, c, context).enabled);
        EXPECT_TRUE(DiagramCommandStateOf(32869, c, context).enabled);
        EXPECT_TRUE(DiagramCommandStateOf(32874, c, context).enabled);
        EXPECT_EQ(DiagramCommandStateOf(32875, c, context).enabled, r.shear) << r.law;
        EXPECT_EQ(DiagramCommandStateOf(32876, c, context).enabled, r.moment) << r.law;
    }

    Drawing d(3, SpaceCantilever(1, kLoad), CODE_MY);
    DiagramChecker& c = d.checker;
    c.ToggleShowLoad();
    c.ToggleShowShear();
    EXPECT_TRUE(DiagramCommandStateOf(32874, c, {3, 6, CODE_VZ}).checked);
    EXPECT_TRUE(DiagramCommandStateOf(32875, c, {3, 6, CODE_VZ}).checked);
    EXPECT_FALSE(DiagramCommandStateOf(32876, c, {3, 6, CODE_VZ}).checked);
    c.ToggleShowLoad();
    EXPECT_FALSE(c.ShowLoad());
    // Starting a law clears the help drawings.
    c.ChooseLaw(CODE_VZ);
    ASSERT_TRUE(c.Start(Polynomial{1.0}, ends, kL, false));
    EXPECT_FALSE(c.ShowShear());
}

TEST(DiagramChecker, BeamFractionOfAScreenPoint)
{
    const double rows[][3] = {{0, 0, 0.0},    {10, 0, 1.0},  {5, 0, 0.5},
                              {2.5, 7, 0.25}, {-5, 1, -0.5}, {15, -3, 1.5}};
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(BeamFraction(r[0], r[1], 0, 0, 10, 0), r[2]) << r[0] << "," << r[1];
    EXPECT_DOUBLE_EQ(BeamFraction(3, 3, 0, 0, 0, 10), 0.3) << "a vertical beam";
    EXPECT_EQ(BeamFraction(3, 3, 2, 2, 2, 2), 0.0) << "a beam seen end on";
}
