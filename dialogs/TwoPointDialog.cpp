#include "TwoPointDialog.h"

#include "DialogFields.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmor {

TwoPointDialog::TwoPointDialog(const TwoPointForm& form, const Mfx3dPoint& translation,
                               const Mfx3dPoint& rotation,
                               const std::array<bool, 6>& enabled, QWidget* parent)
    : QDialog(parent), m_points{translation, rotation}, m_enabled(enabled)
{
    setObjectName(QString::number(form.resourceId));
    setWindowTitle(QString::fromUtf8(form.title));

    // Translations on the left, rotations on the right.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (int i = 0; i < 6; ++i) {
        const QByteArray id = QByteArray::number(169 + i);
        m_edits[i] = MakeNumberEdit(id.constData(), PointComponent(m_points[i / 3], i % 3), this);
        AddNumberRow(grid, i % 3, (i / 3) * 4, form.labels[i], m_edits[i], form.units[i / 3]);
    }
    grid->setColumnMinimumWidth(3, 16);

    m_buttons = MakeButtons(this, true, form.helpId, form.helpContext);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_buttons);
    SetReadOnly(false);
}

void TwoPointDialog::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    SetCloseOnly(m_buttons, readOnly);
    for (int i = 0; i < 6; ++i)
        m_edits[i]->setEnabled(!readOnly && m_enabled[i]);
}

void TwoPointDialog::accept()
{
    if (m_readOnly) {
        reject();
        return;
    }
    if (!ReadPointEdits(m_edits, m_points, 2))
        return;
    QDialog::accept();
}

} // namespace velmor
