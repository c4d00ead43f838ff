// Dialog 402 "Appui élastique (ressort)": the spring stiffnesses of a support, translations in
// N / m and rotations in N m / rad, for the components the problem type carries.
#pragma once

#include "TwoPointDialog.h"
#include "model/VelmorObjectData.h"

namespace velmor {

class SpringDialog : public TwoPointDialog
{
    Q_OBJECT
public:
    SpringDialog(const VelmorApoyoData& record, int problemType, QWidget* parent = nullptr,
                 bool readOnly = false);

    // Runs the dialog on `record`; on OK writes both stiffness points back (nothing else: the
    // restraints that follow from them are the support dialog's) and returns true.
    static bool Edit(VelmorApoyoData& record, int problemType, QWidget* parent = nullptr);
};

} // namespace velmor
