// The "Résolution pas à pas" dialogs of the step-by-step solution: what a step does, how to
// go through it in the examples or the exercises mode, and "SEG" to let it run to its end.
#pragma once

#include "tutor/core/TutorTypes.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QPushButton;

namespace velmor {

// Result of a step or flow-chart dialog closed by "SEG" after the user confirmed: the caller
// completes the step at once (Advance) instead of walking it.
inline constexpr int kSkipStepResult = 250;

// Adds "SEG" (control 250) to a dialog's buttons. A click asks 61262 "Etes-vous sûr de vouloir
// omettre une étape?" with Yes and No through the message service; Yes ends the dialog with
// kSkipStepResult, No leaves it open.
QPushButton* AddSkipStepButton(QDialog* dialog, QDialogButtonBox* buttons);

class StepDialog : public QDialog
{
    Q_OBJECT
public:
    // The dialog of `step`: 413, 417, 404, 408, 420 or 416 (steps 1 to 5 and the results; the
    // laws of the exercises share the results' dialog). `exercise` shows the exercise text 176
    // instead of the example text 175. Help asks for the step's theory page of `problemType`
    // (1 to 4). A step without a dialog (None) gives an empty dialog named "0".
    StepDialog(TutorStage step, bool exercise, int problemType, QWidget* parent = nullptr);

    // Runs the dialog of `step` modally: QDialog::Accepted (OK), QDialog::Rejected (Escape or
    // closed) or kSkipStepResult ("SEG" confirmed). Rejected at once for a step without one.
    static int Run(TutorStage step, bool exercise, int problemType, QWidget* parent = nullptr);
};

} // namespace velmor
