// Dialog 403 "Conditions aux Limites": the support at a node, chosen among eight predefined
// supports, a user-defined set of restrained degrees of freedom or an elastic support, with
// settlements (dialog 401) and spring stiffnesses (dialog 402) given through "Valeurs".
#pragma once

#include "model/VelmorObjectData.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QPushButton;
class QToolButton;

namespace velmor {

class SupportDialog : public QDialog
{
    Q_OBJECT
public:
    // Works on a copy of `record`; `readOnly`: see SetReadOnly.
    SupportDialog(const VelmorApoyoData& record, int problemType, QWidget* parent = nullptr,
                  bool readOnly = false);

    // The working copy: type, restraints, orientation, settlements and springs as chosen so
    // far; after OK with the check boxes read into the restraints (but for an elastic support
    // or a prescribed displacement, whose restraints follow from their values).
    const VelmorApoyoData& Record() const { return m_record; }
    // The settlement button was the last one used (its "Valeurs" is then enabled).
    bool SettlementForced() const { return m_movePressed; }

    // Shows the support without letting it change: every button and check box disabled, one
    // button "Fermer" in place of OK and Cancel; "Valeurs" stays where the support has values,
    // and opens them read-only.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }

    // Runs the dialog on `record`; on OK writes it back and returns true.
    static bool Edit(VelmorApoyoData& record, int problemType, QWidget* parent = nullptr);

    void accept() override;

private:
    void ChooseType(int type);
    void PressSettlement();
    void EditSettlements();
    void EditSprings();
    void RestraintClicked(int dof);
    void ApplyState();
    bool ChecksAreRestraints() const;

    VelmorApoyoData m_record;
    int m_problemType;
    bool m_movePressed = false;
    bool m_readOnly = false;
    QToolButton* m_predefined[8] = {};  // 144 .. 151
    QToolButton* m_userDefined = nullptr;  // 143
    QToolButton* m_spring = nullptr;       // 200
    QToolButton* m_move = nullptr;         // 198
    QPushButton* m_springValues = nullptr;      // 201
    QPushButton* m_settlementValues = nullptr;  // 199
    QCheckBox* m_checks[6] = {};  // 165, 166, 167, 140, 141, 142
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace velmor
