// Dialog 405 "Charges sur le noeud": the forces and moments of a nodal load (N and N m); the
// components the problem type does not carry are disabled.
#pragma once

#include "model/VelmorObjectData.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;

namespace velmor {

class NodalLoadDialog : public QDialog
{
    Q_OBJECT
public:
    // Works on a copy of `record`; `readOnly`: see SetReadOnly.
    NodalLoadDialog(const VelmorCargaData& record, int problemType, QWidget* parent = nullptr,
                    bool readOnly = false);

    // After OK the forces (point 1) and moments (point 2) as typed, the record made a nodal
    // load (type 1, kind 4, global); before OK the record as given.
    const VelmorCargaData& Record() const { return m_record; }
    // Set on OK when one of the six values is not exactly 0.
    bool NonEmpty() const { return m_nonEmpty; }

    // Every value box disabled and one button "Fermer" in place of OK and Cancel.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }

    // Runs the dialog on `record`; on OK writes it back and returns true.
    static bool Edit(VelmorCargaData& record, int problemType, QWidget* parent = nullptr);

    void accept() override;

private:
    void ApplyEnabling();

    VelmorCargaData m_record;
    int m_problemType;
    bool m_nonEmpty = false;
    bool m_readOnly = false;
    QLineEdit* m_edits[6] = {};  // Fx, Fy, Fz, Mx, My, Mz
    QCheckBox* m_resultant = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace velmor
