// Small helpers shared by the dialogs: numbers in edit boxes, the standard buttons with their
// control ids (OK "1", Cancel "2", help), and the help request of a dialog.
#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QWidget;

namespace velmor {

// A double as an edit box shows it: the shortest text that reads back as the same double
// ("2.5", "0.1", "1e-05"), so an untouched box returns its value bit for bit.
QString FormatNumber(double value);
// Reads a number typed by the user: surrounding blanks are ignored and a decimal comma is taken
// as a point. False (value untouched) when the text is not one finite number.
bool ParseNumber(const QString& text, double& value);

// Edit box for a number, named after its control id.
QLineEdit* MakeNumberEdit(const char* controlId, double value, QWidget* parent);

// Reads every edit box of `edits` (count of them) into `values`. On the first one that is not a
// number the user is told so, the box gets the focus with its text selected, and false is
// returned; `values` is then left as it was.
bool ReadNumberEdits(QLineEdit* const* edits, double* values, int count);

// OK ("1") and Cancel ("2") wired to the dialog's accept and reject, plus a help button named
// `helpId` that asks for the help context `helpContext` when helpId is not null.
QDialogButtonBox* MakeButtons(QDialog* dialog, bool withCancel, const char* helpId,
                              quint32 helpContext);

// Help context of a dialog: 0x20000 + its resource id.
constexpr quint32 DialogHelpContext(int resourceId)
{
    return 0x20000u + static_cast<quint32>(resourceId);
}

} // namespace velmor
