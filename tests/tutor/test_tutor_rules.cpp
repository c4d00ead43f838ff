// What the frames show of a step-by-step solution: the tutor bar's texts for every row of its
// table, the enabling of its buttons and of the solution commands, the pages of each step and
// the memory a step-by-step solution needs.
#include "model/ModelFixtures.h"
#include "model/VelmorProblem.h"
#include "tutor/core/StepMemory.h"
#include "tutor/core/TutorRules.h"

#include <gtest/gtest.h>

using namespace velmor;
using namespace velmor::test;

namespace {

using S = TutorStage;

TutorState state(S target, S done, bool exercise = false, bool half = false,
                 LoadKind list = LoadKind::Nodal, int first = 0, int second = 0)
{
    TutorState s;
    s.active = true;
    s.solution = SolutionMode::StepByStep;
    s.target = target;
    s.done = done;
    s.exercise = exercise;
    s.half = half;
    s.loadList = list;
    s.first = first;
    s.second = second;
    return s;
}

struct BarRow
{
    const char* name;
    TutorState state;
    const char* task;
    const char* next;
};

class TutorBar : public testing::TestWithParam<BarRow>
{
};

} // namespace

TEST_P(TutorBar, TextsOfTheRow)
{
    const BarRow& row = GetParam();
    const TutorBarTexts texts = TutorBarText(row.state);
    EXPECT_EQ(texts.task, row.task);
    EXPECT_EQ(texts.next, row.next);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TutorBar,
    testing::Values(
        BarRow{"NothingDone", state(S::None, S::None), "", "Numérotation des noeuds"},
        BarRow{"BackToZeroAfterAStep", state(S::None, S::Numbering), "", ""},
        BarRow{"NumberingDone", state(S::Numbering, S::Numbering), "", "Calculer la matrice du système"},
        BarRow{"Numbering", state(S::Numbering, S::None, false, false, LoadKind::Nodal, 3),
               "Numérotation des noeuds", "Sélectionner noeud 3"},
        BarRow{"NumberingExercise", state(S::Numbering, S::None, true, false, LoadKind::Nodal, 1),
               "Numérotation des noeuds", "Sélectionner noeud 1"},
        BarRow{"StiffnessDone", state(S::Stiffness, S::Stiffness), "", "Calculer le vecteur charges"},
        BarRow{"BeamToCompute", state(S::Stiffness, S::Numbering, false, false, LoadKind::Nodal, 2, 5),
               "Calculer la matrice du système", "Rigidité de la poutre 2 - 5"},
        BarRow{"BeamToAssemble", state(S::Stiffness, S::Numbering, false, true, LoadKind::Nodal, 2, 5),
               "Calculer la matrice du système", "Assembler poutre 2 - 5"},
        BarRow{"BeamToPick", state(S::Stiffness, S::Numbering, true, false, LoadKind::Nodal, 2, 5),
               "Calculer la matrice du système", "Sélectionner poutre"},
        BarRow{"BeamToPlace", state(S::Stiffness, S::Numbering, true, true, LoadKind::Nodal, 2, 5),
               "Calculer la matrice du système", "Assembler poutre"},
        BarRow{"LoadsDone", state(S::Loads, S::Loads), "", "Imposer les conditions aux limites"},
        BarRow{"NodalLoad", state(S::Loads, S::Stiffness, false, false, LoadKind::Nodal, 4, 0),
               "Calculer le vecteur charges", "Charge sur le noeud 4"},
        BarRow{"NodalLoadToAssemble", state(S::Loads, S::Stiffness, false, true, LoadKind::Nodal, 4),
               "Calculer le vecteur charges", "Assembler charge 4"},
        BarRow{"BeamLoad", state(S::Loads, S::Stiffness, false, false, LoadKind::Beam, 1, 2),
               "Calculer le vecteur charges", "Charge sur la poutre 1 - 2"},
        BarRow{"BeamLoadToAssemble", state(S::Loads, S::Stiffness, false, true, LoadKind::Beam, 1, 2),
               "Calculer le vecteur charges", "Assembler charge 1 - 2"},
        BarRow{"SelfWeight", state(S::Loads, S::Stiffness, false, false, LoadKind::SelfWeight, 3, 4),
               "Calculer le vecteur charges", "Poids propre de la poutre 3 - 4"},
        BarRow{"SelfWeightToAssemble",
               state(S::Loads, S::Stiffness, false, true, LoadKind::SelfWeight, 3, 4),
               "Calculer le vecteur charges", "Assembler charge 3 - 4"},
        BarRow{"LoadToPick", state(S::Loads, S::Stiffness, true, false, LoadKind::Beam, 1, 2),
               "Calculer le vecteur charges", "Sélectionner charge"},
        BarRow{"LoadToPlace", state(S::Loads, S::Stiffness, true, true, LoadKind::SelfWeight, 1, 2),
               "Calculer le vecteur charges", "Assembler charge"},
        BarRow{"SupportsDone", state(S::Supports, S::Supports), "", "Résoudre le système d'équations"},
        BarRow{"Support", state(S::Supports, S::Loads, false, true, LoadKind::Nodal, 6),
               "Imposer les conditions aux limites", "Appui en un noeud 6"},
        BarRow{"SupportToPick", state(S::Supports, S::Loads, true, false),
               "Imposer les conditions aux limites", "Sélectionner appui"},
        BarRow{"SupportPicked", state(S::Supports, S::Loads, true, true),
               "Imposer les conditions aux limites", ""},
        BarRow{"Solved", state(S::Solution, S::Solution), "", "Calculer résultats"},
        BarRow{"Solution", state(S::Solution, S::Supports), "Résoudre le système d'équations",
               "Résoudre le système d'équations"},
        BarRow{"Laws", state(S::Laws, S::Solution, true), "Dessiner les lois", "Dessiner les lois"},
        BarRow{"Results", state(S::Results, S::Solution), "Calculer résultats", "Calculer résultats"},
        BarRow{"ResultsDone", state(S::Results, S::Results), "Calculer résultats",
               "Calculer résultats"}),
    [](const testing::TestParamInfo<BarRow>& row) { return std::string(row.param.name); });

TEST(TutorBarButtons, TerminerWhileAStepRunsAfterAnotherExaminerUntilTheResults)
{
    struct Row
    {
        TutorState state;
        bool finish, examine;
    };
    const Row rows[] = {
        {state(S::None, S::None), false, true},
        // The numbering's dialog says "Terminer" completes it: it does, before any step is done.
        {state(S::Numbering, S::None), true, true},
        {state(S::Numbering, S::Numbering), false, true},
        {state(S::Stiffness, S::Numbering), true, true},
        {state(S::Supports, S::Loads, true, true), true, true},
        {state(S::Solution, S::Supports), true, true},
        {state(S::Solution, S::Solution), false, true},
        {state(S::Laws, S::Solution, true), true, true},
        {state(S::Results, S::Solution), true, true},
        {state(S::Results, S::Results), false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(StageNumber(r.state.target)) + "/" +
                     std::to_string(StageNumber(r.state.done)));
        EXPECT_EQ(FinishEnabled(r.state), r.finish);
        EXPECT_EQ(ExamineEnabled(r.state), r.examine);
    }
}

TEST(SolutionCommands, EnablingAndCheckMarksFollowTheSolution)
{
    struct Row
    {
        SolutionMode mode;
        S target, done;
        // 32808, 32809, 32811, 32812, 32834, 32836, 32833, 32854: "E" enabled and checked,
        // "e" enabled only, "c" checked only, "-" neither.
        const char* marks;
    };
    const int ids[] = {32808, 32809, 32811, 32812, 32834, 32836, 32833, 32854};
    using M = SolutionMode;
    const Row rows[] = {
        {M::None, S::None, S::None, "ee------"},
        {M::Final, S::Results, S::Results, "eE-----c"},
        {M::Final, S::Laws, S::Solution, "eE------"},
        {M::StepByStep, S::None, S::None, "Eee-----"},
        {M::StepByStep, S::Numbering, S::None, "EeE-----"},
        {M::StepByStep, S::Stiffness, S::Numbering, "EeeE----"},
        {M::StepByStep, S::Loads, S::Stiffness, "EeeeE---"},
        {M::StepByStep, S::Supports, S::Loads, "EeeeeE--"},
        {M::StepByStep, S::Solution, S::Supports, "EeeeeeE-"},
        {M::StepByStep, S::Solution, S::Solution, "EeeeeeEe"},
        {M::StepByStep, S::Results, S::Solution, "EeeeeeeE"},
        {M::StepByStep, S::Laws, S::Solution, "Eeeeeeee"},
        {M::None, S::Solution, S::None, "ee----c-"},
    };
    for (const Row& r : rows) {
        TutorState s = state(r.target, r.done);
        s.solution = r.mode;
        for (int k = 0; k < 8; ++k) {
            SCOPED_TRACE(std::string(r.marks) + " command " + std::to_string(ids[k]));
            const std::optional<CommandState> c = SolutionCommandState(ids[k], s);
            ASSERT_TRUE(c.has_value());
            const char m = r.marks[k];
            EXPECT_EQ(c->enabled, m == 'E' || m == 'e');
            EXPECT_EQ(c->checked, m == 'E' || m == 'c');
        }
    }
    EXPECT_FALSE(SolutionCommandState(32810, state(S::None, S::None)).has_value());
    EXPECT_FALSE(SolutionCommandState(32884, state(S::None, S::None)).has_value());
}

TEST(StepPages, CommandsDialogsAndHelpOfEachStep)
{
    struct Row
    {
        S step;
        int command, dialog, help; // help of a plane frame
    };
    const Row rows[] = {
        {S::Numbering, 32811, 413, 0x72000 + 100}, {S::Stiffness, 32812, 417, 0x72000 + 101},
        {S::Loads, 32834, 404, 0x72000 + 103},     {S::Supports, 32836, 408, 0x72000 + 105},
        {S::Solution, 32833, 420, 0x72000 + 106},  {S::Results, 32854, 416, 0x72000 + 107},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(CommandOfStep(r.step), r.command);
        EXPECT_EQ(StepOfCommand(r.command), r.step);
        EXPECT_EQ(StepDialogId(r.step), r.dialog);
        EXPECT_EQ(StepHelpContext(PROBLEM_PLANE_FRAME, r.step), r.help);
        EXPECT_EQ(StepHelpContext(0, r.step), r.help - 0x2000) << "the flow chart's help";
    }
    EXPECT_EQ(CommandOfStep(S::Laws), 32854) << "the flow chart runs the results' command";
    EXPECT_EQ(StepHelpContext(PROBLEM_SPACE_TRUSS, S::Laws), 0x74000 + 107);
    EXPECT_EQ(StepDialogId(S::Laws), 0);
    EXPECT_EQ(StepOfCommand(32809), S::None);
    EXPECT_EQ(StepHelpContext(1, S::None), 0);
}

TEST(StepMemory, BandOfTheListOrderDecidesTheMatrix)
{
    // A plane chain of three nodes: the band reaches one node on, 6 equations of 9 wide.
    VelmorProblem chain;
    chain.SetProblemType(PROBLEM_PLANE_FRAME);
    VelmorObject* a = AddNode(chain, 0, 0, 0);
    VelmorObject* b = AddNode(chain, 1, 0, 0);
    VelmorObject* c = AddNode(chain, 2, 0, 0);
    VelmorObject* s = AddSection(chain, 2.1e11, 0.01, 8.5e-5);
    AddBeam(chain, s, a, b);
    AddBeam(chain, s, b, c);
    EXPECT_EQ(StepByStepMatrixBytes(chain), (9u * 6u - 15u) * 8u);
    // Closing the chain joins the first node to the last: the full band.
    AddBeam(chain, s, a, c);
    EXPECT_EQ(StepByStepMatrixBytes(chain), (9u * 9u - 36u) * 8u);
    EXPECT_FALSE(StepByStepTooLarge(chain));

    VelmorProblem empty;
    EXPECT_EQ(StepByStepMatrixBytes(empty), 0u);

    // A space frame whose first and last nodes of a long list are joined: a band as wide as
    // the system, far above the limit, though each node has only two neighbours.
    VelmorProblem ring;
    ring.SetProblemType(PROBLEM_SPACE_FRAME);
    StructureBuilder builder(ring, PROBLEM_SPACE_FRAME, true);
    VelmorSeccionData section;
    section.m_E = 2.1e11;
    section.m_A = 0.01;
    VelmorObject* rs = builder.Section(section);
    const int n = 3000;
    std::vector<VelmorObject*> nodes;
    for (int i = 0; i < n; ++i)
        nodes.push_back(builder.Node(i, 0, 0));
    for (int i = 0; i + 1 < n; ++i)
        builder.Beam(rs, nodes[size_t(i)], nodes[size_t(i + 1)]);
    EXPECT_FALSE(StepByStepTooLarge(ring)) << "a chain in list order has a narrow band";
    builder.Beam(rs, nodes.front(), nodes.back());
    const std::uint64_t eq = 6u * n;
    EXPECT_EQ(StepByStepMatrixBytes(ring), (eq * eq - eq * (eq - 1) / 2) * 8u);
    EXPECT_TRUE(StepByStepTooLarge(ring));
}
