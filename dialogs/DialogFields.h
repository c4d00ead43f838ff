// Small helpers shared by the dialogs: numbers in edit boxes, the standard buttons with their
// control ids (OK "1", Cancel "2", help), and the help request of a dialog.
#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QGridLayout;
class QIcon;
class QLineEdit;
class QSize;
class QToolButton;
class QWidget;

namespace velmor {

class Mfx3dPoint;

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

// x, y or z of a point (axis 0, 1, 2).
double& PointComponent(Mfx3dPoint& point, int axis);
// Reads 3 * pointCount edit boxes, x, y, z of each point in turn, into x, y, z of `points` (w
// kept), with ReadNumberEdits: on a box that is not a number nothing is changed and false is
// returned.
bool ReadPointEdits(QLineEdit* const* edits, Mfx3dPoint* points, int pointCount);

// OK ("1") and Cancel ("2") wired to the dialog's accept and reject, plus a help button named
// `helpId` that asks for the help context `helpContext` when helpId is not null.
QDialogButtonBox* MakeButtons(QDialog* dialog, bool withCancel, const char* helpId,
                              quint32 helpContext);

// Read-only form of a dialog's buttons: OK hidden and Cancel ("2") labelled "Fermer", so that
// the only way out changes nothing; false restores OK and "Annuler".
void SetCloseOnly(QDialogButtonBox* box, bool closeOnly);

// One row of a value grid: the label (buddy of the edit) in `column`, the edit beside it and,
// when `unit` is not null, the unit after it.
void AddNumberRow(QGridLayout* grid, int row, int column, const char* label, QLineEdit* edit,
                  const char* unit = nullptr);

// A picture button named after its control id, checkable so that it shows pressed or released.
QToolButton* MakePictureButton(const char* controlId, const QIcon& icon, const QSize& size,
                               const QString& toolTip, QWidget* parent);

// Runs a dialog that edits a copy of a record; on OK copies its Record() back into `record` and
// returns true.
template <class Dialog, class Record>
bool RunOnRecord(Dialog& dialog, Record& record)
{
    if (dialog.exec() != Dialog::Accepted)
        return false;
    record = dialog.Record();
    return true;
}

// Help context of a dialog: 0x20000 + its resource id.
constexpr quint32 DialogHelpContext(int resourceId)
{
    return 0x20000u + static_cast<quint32>(resourceId);
}

} // namespace velmor
