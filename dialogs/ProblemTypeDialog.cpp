#include "ProblemTypeDialog.h"

#include "DialogFields.h"
#include "platform/core/MessageService.h"

#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velmor {
namespace {

constexpr int kResourceId = 415;

struct TypeButton
{
    int controlId;
    const char* label;
};

// Types 1 to 4.
constexpr TypeButton kButtons[4] = {
    {254, "POUTRES :     Structures réticulaires unidimensionnelles"},
    {255, "PORTIQUES : Structures réticulaires bidimensionnelles"},
    {256, "OSSATURES : Structures réticulaires tridimensionnelles"},
    {257, "TREILLIS :     Structures articulées tridimensionnelles"},
};

} // namespace

ProblemTypeDialog::ProblemTypeDialog(int currentType, QWidget* parent)
    : QDialog(parent), m_type(currentType)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(QStringLiteral("Type de la structure"));

    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 4; ++i) {
        const int type = i + 1;
        auto* button = new QRadioButton(QString::fromUtf8(kButtons[i].label), this);
        button->setObjectName(QString::number(kButtons[i].controlId));
        if (type == currentType) {
            button->setChecked(true);
            m_chosen = type;
        }
        // Clicked, not toggled: only the user's choice counts.
        connect(button, &QRadioButton::clicked, this, [this, type] { m_chosen = type; });
        m_buttons[i] = button;
        layout->addWidget(button);
    }
    layout->addWidget(MakeButtons(this, true, "108", DialogHelpContext(kResourceId)));
}

void ProblemTypeDialog::accept()
{
    if (m_chosen == 0) {
        Messages().Beep();
        return;
    }
    m_type = m_chosen;
    QDialog::accept();
}

int ProblemTypeDialog::Choose(int currentType, QWidget* parent)
{
    ProblemTypeDialog dialog(currentType, parent);
    dialog.exec();
    return dialog.Type();
}

} // namespace velmor
