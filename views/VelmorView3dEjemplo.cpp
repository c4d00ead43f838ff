#include "VelmorView3dEjemplo.h"

#include "app/VelmorDoc.h"
#include "platform/core/MessageService.h"
#include "tutor/TutorFace.h"
#include "tutor/core/StepMemory.h"
#include "tutor/core/TutorRules.h"
#include "tutor/core/VelmorTutor.h"

#include <QDialog>

namespace velmor {

VelmorView3dEjemplo::VelmorView3dEjemplo(VelmorDoc& doc, QWidget* parent) : VelmorBaseView(doc, parent)
{
    setObjectName("VelmorView3dEjemplo");
    AddSolutionCommands();
    connect(&doc.TutorEvents(), &TutorFace::stepDone, this, &VelmorView3dEjemplo::OnStepDone);
    // The numbers of the nodes and the laws change with the solution.
    connect(&doc.TutorEvents(), &TutorFace::results, this, [this] { viewport()->update(); });
    connect(&doc.TutorEvents(), &TutorFace::ended, this, [this] { viewport()->update(); });
}

VelmorView3dEjemplo::~VelmorView3dEjemplo() = default;

VelmorTutor& VelmorView3dEjemplo::Tutor() const
{
    return m_doc.Tutor();
}

QString VelmorView3dEjemplo::TooLargeMessage(double megabytes)
{
    return QString::fromUtf8("La solution pas à pas de cette structure demanderait %1 Mo de mémoire "
                             "pour sa matrice de rigidité, les noeuds numérotés dans l'ordre de la "
                             "liste.\n\nChoisissez \"Solution Finale\", qui résout la structure "
                             "en ordonnant ses équations.")
        .arg(megabytes, 0, 'f', 0);
}

void VelmorView3dEjemplo::AddSolutionCommands()
{
    const auto enabled = [this](int id) {
        return [this, id] {
            const auto state = SolutionCommandState(id, Tutor().State());
            return state && state->enabled;
        };
    };
    const auto checked = [this](int id) {
        return [this, id] {
            const auto state = SolutionCommandState(id, Tutor().State());
            return state && state->checked;
        };
    };
    const int stepByStep = int(TutorCommand::StepByStep), final = int(TutorCommand::FinalSolution);
    m_commands.Add(stepByStep, [this] {
        m_doc.Problem().SyncMode(m_doc.Problem().CurrentMode());
        if (StepByStepTooLarge(m_doc.Problem())) {
            const double mb = double(StepByStepMatrixBytes(m_doc.Problem())) / (1024.0 * 1024.0);
            ShowMessage(TooLargeMessage(mb).toStdString(), MessageIcon::Warning);
            return;
        }
        Tutor().BeginStepByStep();
        viewport()->update();
    }, enabled(stepByStep), checked(stepByStep));
    m_commands.Add(final, [this] {
        AnalysisOptions options;
        options.orientIJ = m_options.IsOn(OPT_ORIENT_I_J);
        options.changeLocalLoads = m_options.IsOn(OPT_CHANGE_LOCAL_LOADS);
        Tutor().FinalSolution(options);
        viewport()->update();
    }, enabled(final), checked(final));
    for (TutorCommand c : {TutorCommand::Numbering, TutorCommand::Stiffness, TutorCommand::Loads,
                           TutorCommand::Supports, TutorCommand::Solution, TutorCommand::Results}) {
        const int id = int(c);
        m_commands.Add(id, [this, id] { OpenStep(id); }, enabled(id), checked(id));
    }
}

void VelmorView3dEjemplo::OpenStep(int command)
{
    const TutorStage step = StepOfCommand(command);
    const bool skip = m_skip;
    m_skip = false;
    if (!Tutor().OpenStep(step))
        return;
    if (skip) {
        Tutor().Advance();
        return;
    }
    const int answer = m_dialogs.step ? m_dialogs.step(step, Tutor().IsExercise(), m_doc.Problem().m_nType)
                                      : int(QDialog::Accepted);
    if (answer == SolutionDialogs::kSkipStep)
        Tutor().Advance();
}

void VelmorView3dEjemplo::OnStepDone()
{
    const TutorStage target = Tutor().Target();
    const int answer = m_dialogs.flow ? m_dialogs.flow(target) : int(QDialog::Accepted);
    // The flow chart leads on to the new target's step command, at once when it said to skip.
    m_skip = answer == SolutionDialogs::kSkipStep;
    OnCommand(CommandOfStep(target));
    m_skip = false;
}

} // namespace velmor
