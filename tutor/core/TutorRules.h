// What the frames show of a step-by-step solution, as pure functions of its state: the two
// texts of the tutor bar and the enabling of its buttons, the enabling and check marks of the
// solution commands, and the dialogs and help pages that belong to each step.
#pragma once

#include "TutorTypes.h"

#include <optional>
#include <string>

namespace velmor {

// The commands of the solution menu ("Ré&solution") and of the tutor bar.
enum class TutorCommand : int {
    StepByStep = 32808,     // "&Pas à Pas"
    FinalSolution = 32809,  // "Solution &Finale"
    Numbering = 32811,      // "&Numérotation des Noeuds"
    Stiffness = 32812,      // "&Matrice de Rigidité"
    Solution = 32833,       // "Résolution du &Système"
    Loads = 32834,          // "&Vecteur Charges"
    Supports = 32836,       // "&Conditions aux Limites"
    Results = 32854,        // "&Résultats"
    BarFinalSolution = 32881, // "Solution Finale" of the bar
    BarCancel = 32882,      // "Annuler Solution"
    Examine = 32883,        // "Examiner"
    Finish = 32884,         // "Terminer"
    BarHelp = 32885,        // "Aide"
    Theory = 32888,         // "Théorie"
};

// The bar's "Tâche" (the step being worked on) and "Etape suivante" (what the next click or
// "Examiner" does), in the program's French.
struct TutorBarTexts
{
    std::string task;
    std::string next;
};
TutorBarTexts TutorBarText(const TutorState& state);

// "Terminer": a step is being worked on (done < target, the numbering included) and it has a
// task text.
bool FinishEnabled(const TutorState& state);
// "Examiner": until the results are done.
bool ExamineEnabled(const TutorState& state);

struct CommandState
{
    bool enabled = false;
    bool checked = false;
    friend bool operator==(const CommandState&, const CommandState&) = default;
};
// The enabling and check mark of a solution command (32808, 32809 and the six step commands
// 32811 ... 32854), or nothing for any other id.
std::optional<CommandState> SolutionCommandState(int id, const TutorState& state);

// The step a step command opens (None for any other id), and the step command the flow chart
// runs for a new target (the results' command for 6 and 7).
TutorStage StepOfCommand(int id);
int CommandOfStep(TutorStage step);
// The "Résolution pas à pas" dialog of a step (1 -> 413, 2 -> 417, 3 -> 404, 4 -> 408,
// 5 -> 420, 7 -> 416), 0 for none.
int StepDialogId(TutorStage step);
// The help page of a step's theory: 0x70000 + 0x1000 * problem type + the step's offset (100,
// 101, 103, 105, 106 for steps 1 to 5, 107 for the results); the flow chart's help leaves the
// problem type out (problemType 0). 0 for a step without a page.
int StepHelpContext(int problemType, TutorStage step);

} // namespace velmor
