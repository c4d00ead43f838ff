// The structure view of the examples and exercises: the structure with the solution commands
// that drive the document's step-by-step solution ("Pas à Pas", "Solution Finale" and the six
// step commands of the "Ré&solution" menu), the step dialogs and the flow chart between steps.
#pragma once

#include "VelmorBaseView.h"
#include "tutor/core/TutorTypes.h"

#include <functional>

namespace velmor {

class VelmorTutor;

// The dialogs of the solution, each returning QDialog::Accepted, Rejected or kSkipStep.
struct SolutionDialogs
{
    static constexpr int kSkipStep = 250;
    // The step dialog of a step ("Résolution pas à pas").
    std::function<int(TutorStage step, bool exercise, int problemType)> step;
    // The flow chart "Diagramme de calcul" with the new target step.
    std::function<int(TutorStage target)> flow;
};

class VelmorView3dEjemplo : public VelmorBaseView
{
    Q_OBJECT
public:
    explicit VelmorView3dEjemplo(VelmorDoc& doc, QWidget* parent = nullptr);
    ~VelmorView3dEjemplo() override;

    SolutionDialogs& Dialogs() { return m_dialogs; }
    VelmorTutor& Tutor() const;

    // The message shown instead of starting a step-by-step solution whose band matrix would not
    // fit a sensible amount of memory.
    static QString TooLargeMessage(double megabytes);

private:
    void AddSolutionCommands();
    // A step command: the step becomes the target and its dialog is shown (not when the flow
    // chart said to skip it); a skipped step is completed at once.
    void OpenStep(int command);
    void OnStepDone();

    SolutionDialogs m_dialogs;
    bool m_skip = false;
};

} // namespace velmor
