// The common form of dialogs 401 "Descente de l'appui" and 402 "Appui élastique (ressort)": six
// values, x, y and z of a translation point and of a rotation point, in edit boxes 169 to 174.
#pragma once

#include "numeric/Mfx3dPoint.h"

#include <QDialog>

#include <array>

class QDialogButtonBox;
class QLineEdit;

namespace velmor {

struct TwoPointForm
{
    int resourceId;
    const char* title;
    const char* labels[6];  // translation x, y, z, rotation x, y, z
    const char* units[2];   // of the translations, of the rotations
    const char* helpId;
    quint32 helpContext;
};

class TwoPointDialog : public QDialog
{
    Q_OBJECT
public:
    // The points as typed after OK (w kept); before OK, as given.
    const Mfx3dPoint& Translation() const { return m_points[0]; }
    const Mfx3dPoint& Rotation() const { return m_points[1]; }

    // Every box disabled and one button "Fermer" in place of OK and Cancel.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }

    void accept() override;

protected:
    // `enabled`: the boxes the user may change, in the order of the labels.
    TwoPointDialog(const TwoPointForm& form, const Mfx3dPoint& translation,
                   const Mfx3dPoint& rotation, const std::array<bool, 6>& enabled,
                   QWidget* parent);

private:
    Mfx3dPoint m_points[2];
    std::array<bool, 6> m_enabled;
    bool m_readOnly = false;
    QLineEdit* m_edits[6] = {};
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace velmor
