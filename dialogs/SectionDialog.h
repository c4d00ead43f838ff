// Dialog 418 "Sections et Matériaux": the shape, geometry, material and density of one section,
// shown in cm, cm2, cm4, N/cm2 and kg/cm3; a rectangle's area and inertias follow from its
// width and height.
#pragma once

#include "model/VelmorObjectData.h"
#include "views/core/DialogRules.h"

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmor {

class SectionDialog : public QDialog
{
    Q_OBJECT
public:
    // Works on a copy of `record` (SI units) for problem type `problemType`: converts it to the
    // dialog's units, computes the derived values once and chooses a shape when none is set
    // (axial on a space truss, rectangular otherwise). `readOnly`: see SetReadOnly.
    SectionDialog(const VelmorSeccionData& record, int problemType, QWidget* parent = nullptr,
                  bool readOnly = false);

    // The record in SI units: after OK as edited (untouched values bit for bit as given),
    // before OK as given.
    const VelmorSeccionData& Record() const { return m_record; }
    // The values the dialog works on, in its units, as last read or computed.
    const SectionValues& Values() const { return m_values; }
    // Result of the last computation ("CALC" or OK).
    bool IsValid() const { return m_valid; }
    int ProblemType() const { return m_problemType; }

    // Shows the section without letting it change: every input disabled, no "CALC", and one
    // button "Fermer" in place of OK and Cancel.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }

    // Runs the dialog on `record`; on OK writes the edited record back and returns true.
    static bool Edit(VelmorSeccionData& record, int problemType, QWidget* parent = nullptr);

    // "CALC": reads the fields, computes, tells the user when the values make no section and
    // shows the derived values. Returns the new valid flag.
    bool Calculate();
    void accept() override;

private:
    enum Field { B, H, A, IY, IZ, J, E, G, NU, RHO, FIELD_COUNT };

    void ShowFields();
    bool ReadFields();
    void ChooseShape(int shape);

    VelmorSeccionData m_record;
    SectionValues m_opened;  // the record in dialog units when the dialog opened
    SectionValues m_values;
    int m_problemType;
    bool m_valid = false;
    bool m_readOnly = false;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_edits[FIELD_COUNT] = {};
    QRadioButton* m_rectangular = nullptr;
    QRadioButton* m_arbitrary = nullptr;
    QRadioButton* m_axial = nullptr;
    QPushButton* m_calc = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace velmor
