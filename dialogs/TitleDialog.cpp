#include "TitleDialog.h"

#include "DialogFields.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmor {

TitleDialog::TitleDialog(const QString& title, QWidget* parent) : QDialog(parent), m_title(title)
{
    setObjectName(QStringLiteral("433"));
    setWindowTitle(QStringLiteral("Titre de la structure"));

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("169"));
    m_edit->setMaxLength(kMaxLength);
    m_edit->setText(title);
    m_edit->setMinimumWidth(m_edit->fontMetrics().averageCharWidth() * 50);
    auto* label = new QLabel(QStringLiteral("&Titre :"), this);
    label->setBuddy(m_edit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(MakeButtons(this, true, nullptr, 0));
}

bool TitleDialog::Edit(QString& title, QWidget* parent)
{
    TitleDialog dialog(title, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    title = dialog.Title();
    return true;
}

void TitleDialog::accept()
{
    m_title = m_edit->text();
    QDialog::accept();
}

} // namespace velmor
