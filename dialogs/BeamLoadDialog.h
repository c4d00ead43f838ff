// Dialog 406 "Charges sur la poutre": a load distributed along a beam (N / m and N m / m at
// each end), its type chosen by picture; the components the problem type and the type do not
// carry are disabled.
#pragma once

#include "model/VelmorObjectData.h"

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;
class QToolButton;

namespace velmor {

// What the information boxes of the beam-load dialog show about the loaded beam.
struct LoadedBeam
{
    int number = 0;
    int node1 = 0;
    int node2 = 0;
    double length = 0.0;  // m
};

class BeamLoadDialog : public QDialog
{
    Q_OBJECT
public:
    // Works on a copy of `record`; a record without a distributed type starts as a constant
    // load in global axes. `beam` fills the information boxes; `readOnly`: see SetReadOnly.
    BeamLoadDialog(const VelmorCargaData& record, int problemType, const LoadedBeam& beam = {},
                   QWidget* parent = nullptr, bool readOnly = false);

    // The record with the values as last read and the type chosen (a constant type repeats
    // its first node at the second); before OK, the record as given apart from the type.
    const VelmorCargaData& Record() const { return m_record; }
    int LoadType() const { return m_record.m_nType; }

    // Every value box and type button disabled and one button "Fermer" in place of OK and
    // Cancel.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }

    // Runs the dialog on `record`; on OK writes it back and returns true.
    static bool Edit(VelmorCargaData& record, int problemType, QWidget* parent = nullptr,
                     const LoadedBeam& beam = {});

    void accept() override;

private:
    void ChooseType(int type);
    void ShowFields();
    bool ReadFields();

    VelmorCargaData m_record;
    int m_problemType;
    bool m_readOnly = false;
    QToolButton* m_typeButtons[6] = {};  // in the order of kLoadTypeButtons
    QLineEdit* m_edits[4][3] = {};       // points 1 to 4, x, y, z
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace velmor
