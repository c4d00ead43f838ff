#include "CoordinatesDialog.h"

#include "DialogFields.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmor {
namespace {
constexpr int kResourceId = 412;
} // namespace

CoordinatesDialog::CoordinatesDialog(const Mfx3dPoint& point, int problemType, QWidget* parent)
    : QDialog(parent), m_point(point)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(QString::fromUtf8("Entrée par coordonnées"));

    auto* form = new QFormLayout;
    const char* ids[3] = {"169", "170", "171"};
    const char* labels[3] = {"X", "Y", "Z"};
    const double values[3] = {point.x, point.y, point.z};
    for (int i = 0; i < 3; ++i) {
        m_edits[i] = MakeNumberEdit(ids[i], values[i], this);
        m_edits[i]->setEnabled(i == 0 || problemType > i);
        form->addRow(QString::fromLatin1(labels[i]), m_edits[i]);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeButtons(this, true, "9", DialogHelpContext(kResourceId)));
}

bool CoordinatesDialog::Edit(Mfx3dPoint& point, int problemType, QWidget* parent)
{
    CoordinatesDialog dialog(point, problemType, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    point = dialog.Point();
    return true;
}

void CoordinatesDialog::accept()
{
    double v[3] = {m_point.x, m_point.y, m_point.z};
    if (!ReadNumberEdits(m_edits, v, 3))
        return;
    m_point = Mfx3dPoint(v[0], v[1], v[2]);
    QDialog::accept();
}

} // namespace velmor
