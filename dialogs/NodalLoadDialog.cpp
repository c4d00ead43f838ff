#include "NodalLoadDialog.h"

#include "DialogFields.h"
#include "DialogPictures.h"
#include "views/core/DialogRules.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmor {
namespace {

constexpr int kResourceId = 405;
constexpr quint32 kHelpContext = 131477;

} // namespace

// ---------------------------------------------------------------- nodal load

NodalLoadDialog::NodalLoadDialog(const VelmorCargaData& record, int problemType, QWidget* parent,
                                 bool readOnly)
    : QDialog(parent), m_record(record), m_problemType(problemType)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(QStringLiteral("Charges sur le noeud"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("32880"));
    picture->setPixmap(NodalLoadPicture());
    picture->setAlignment(Qt::AlignCenter);

    struct Row
    {
        const char* id;
        const char* label;
    };
    const Row rows[6] = {{"251", "Fx   [N]"},  {"252", "Fy   [N]"},  {"253", "Fz   [N]"},
                         {"202", "Mx   [Nm]"}, {"203", "My   [Nm]"}, {"204", "Mz   [Nm]"}};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        const double value = PointComponent(m_record.m_point[i / 3], i % 3);
        m_edits[i] = MakeNumberEdit(rows[i].id, value, this);
        AddNumberRow(grid, i, 0, rows[i].label, m_edits[i]);
    }
    // Kept and handed back, not offered.
    m_resultant = new QCheckBox(QStringLiteral("Dessiner comme somme"), this);
    m_resultant->setObjectName(QStringLiteral("240"));
    m_resultant->setChecked(m_record.m_nResultant != 0);
    m_resultant->setVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(grid);

    m_buttons = MakeButtons(this, true, "103", kHelpContext);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_buttons);
    SetReadOnly(readOnly);
}

void NodalLoadDialog::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    SetCloseOnly(m_buttons, readOnly);
    ApplyEnabling();
}

void NodalLoadDialog::ApplyEnabling()
{
    const NodalLoadEnabling e = NodalLoadControlsEnabled(m_problemType);
    for (int i = 0; i < 3; ++i) {
        m_edits[i]->setEnabled(!m_readOnly && e.force[i]);
        m_edits[3 + i]->setEnabled(!m_readOnly && e.moment[i]);
    }
}

void NodalLoadDialog::accept()
{
    if (m_readOnly) {
        reject();
        return;
    }
    if (!ReadPointEdits(m_edits, m_record.m_point, 2))
        return;
    m_record.m_nResultant = m_resultant->isChecked() ? 1 : 0;
    MakeNodalLoad(m_record);
    m_nonEmpty = NodalLoadNonEmpty(m_record);
    QDialog::accept();
}

bool NodalLoadDialog::Edit(VelmorCargaData& record, int problemType, QWidget* parent)
{
    NodalLoadDialog dialog(record, problemType, parent);
    return RunOnRecord(dialog, record);
}

} // namespace velmor
