// Dialog 414 "Options": the fifteen switches of the options block as check boxes, each named
// after its control id. The box of "En format texte" and its group "Enregistrer" exist but stay
// hidden, so that option keeps the value it came with.
#pragma once

#include "views/core/ProgramOptions.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;

namespace velmor {

class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    // Works on a copy of `options`.
    explicit OptionsDialog(const ProgramOptions& options, QWidget* parent = nullptr);

    // After OK: all sixteen slots, the boxes as checked with ApplyOrientationRule applied and
    // the spare slot as given. Before OK: the block given.
    const ProgramOptions& Options() const { return m_options; }

    // Runs the dialog on a copy of `options`; on OK copies all sixteen slots back and returns
    // true.
    static bool Edit(ProgramOptions& options, QWidget* parent = nullptr);

    // Control id of the check box of each option, 0 for the spare slot.
    static int ControlId(int option);

    void accept() override;

private:
    QCheckBox* m_boxes[kAllOptionCount] = {};
    ProgramOptions m_options;
};

} // namespace velmor
