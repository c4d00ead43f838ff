// Dialog 401 "Descente de l'appui": the prescribed translation (m) and rotation (rad) of a
// support; only its restrained degrees of freedom of the problem type can be given one.
#pragma once

#include "TwoPointDialog.h"
#include "model/VelmorObjectData.h"

namespace velmor {

class SettlementDialog : public TwoPointDialog
{
    Q_OBJECT
public:
    SettlementDialog(const VelmorApoyoData& record, int problemType, QWidget* parent = nullptr,
                     bool readOnly = false);

    // Runs the dialog on `record`; on OK writes the prescribed translation and rotation back
    // (nothing else) and returns true.
    static bool Edit(VelmorApoyoData& record, int problemType, QWidget* parent = nullptr);
};

} // namespace velmor
