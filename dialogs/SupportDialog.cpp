#include "SupportDialog.h"

#include "DialogFields.h"
#include "DialogPictures.h"
#include "SettlementDialog.h"
#include "SpringDialog.h"
#include "platform/core/MessageService.h"
#include "views/core/DialogRules.h"

#include <QByteArray>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmor {
namespace {

constexpr int kResourceId = 403;
constexpr quint32 kHelpContext = 131480;

// Tooltips of the support types 1 to 10.
const char* const kSupportNames[10] = {
    "Encastrement",
    "Appui articulé",
    "Articulation autour de l'axe x",
    "Articulation autour de l'axe y",
    "Articulation autour de l'axe z",
    "Appui à rouleaux : translation x bloquée",
    "Appui à rouleaux : translation y bloquée",
    "Appui à rouleaux : translation z bloquée",
    "Appui défini par l'utilisateur",
    "Appui élastique (ressort)",
};

QToolButton* SupportButton(int type, QWidget* parent)
{
    const QByteArray id = QByteArray::number(SupportButtonId(type));
    return MakePictureButton(id.constData(), SupportTypeIcon(type), kSupportPictureSize,
                             QString::fromUtf8(kSupportNames[type - 1]), parent);
}

QPushButton* ValuesButton(const char* controlId, QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("Valeurs"), parent);
    button->setObjectName(QString::fromLatin1(controlId));
    button->setAutoDefault(false);
    return button;
}

} // namespace

SupportDialog::SupportDialog(const VelmorApoyoData& record, int problemType, QWidget* parent,
                             bool readOnly)
    : QDialog(parent), m_record(record), m_problemType(problemType)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(QStringLiteral("Conditions aux Limites"));

    auto* supports = new QGroupBox(QStringLiteral("Type d'appui"), this);
    auto* grid = new QGridLayout(supports);
    for (int type = 1; type <= 8; ++type) {
        m_predefined[type - 1] = SupportButton(type, supports);
        grid->addWidget(m_predefined[type - 1], (type - 1) / 4, (type - 1) % 4);
        connect(m_predefined[type - 1], &QToolButton::clicked, this,
                [this, type] { ChooseType(type); });
    }
    m_userDefined = SupportButton(kSupportUserDefined, supports);
    connect(m_userDefined, &QToolButton::clicked, this,
            [this] { ChooseType(kSupportUserDefined); });
    grid->addWidget(m_userDefined, 2, 0);

    m_spring = SupportButton(SUPPORT_ELASTIC, supports);
    connect(m_spring, &QToolButton::clicked, this, [this] { ChooseType(SUPPORT_ELASTIC); });
    m_springValues = ValuesButton("201", supports);
    connect(m_springValues, &QPushButton::clicked, this, &SupportDialog::EditSprings);
    auto* springColumn = new QVBoxLayout;
    springColumn->addWidget(m_spring);
    springColumn->addWidget(m_springValues);

    m_move = new QToolButton(supports);
    m_move->setObjectName(QStringLiteral("198"));
    m_move->setIconSize(kSupportPictureSize);
    m_move->setToolTip(QString::fromUtf8("Descente d'appui"));
    connect(m_move, &QToolButton::clicked, this, &SupportDialog::PressSettlement);
    m_settlementValues = ValuesButton("199", supports);
    connect(m_settlementValues, &QPushButton::clicked, this, &SupportDialog::EditSettlements);
    auto* moveColumn = new QVBoxLayout;
    moveColumn->addWidget(m_move);
    moveColumn->addWidget(m_settlementValues);

    grid->addLayout(springColumn, 2, 2);
    grid->addLayout(moveColumn, 2, 3);

    auto* restraints = new QGroupBox(QString::fromUtf8("Degrés de liberté restreints"), this);
    auto* checks = new QGridLayout(restraints);
    const char* ids[6] = {"165", "166", "167", "140", "141", "142"};
    const char* labels[6] = {"Translation X", "Translation Y", "Translation Z",
                             "Rotation X",    "Rotation Y",    "Rotation Z"};
    for (int i = 0; i < 6; ++i) {
        m_checks[i] = new QCheckBox(QString::fromLatin1(labels[i]), restraints);
        m_checks[i]->setObjectName(QString::fromLatin1(ids[i]));
        checks->addWidget(m_checks[i], i % 3, i / 3);
        connect(m_checks[i], &QCheckBox::clicked, this, [this, i] { RestraintClicked(i); });
    }

    m_buttons = MakeButtons(this, true, "100", kHelpContext);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(supports);
    layout->addWidget(restraints);
    layout->addWidget(m_buttons);
    SetReadOnly(readOnly);
}

void SupportDialog::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    SetCloseOnly(m_buttons, readOnly);
    ApplyState();
}

bool SupportDialog::ChecksAreRestraints() const
{
    return m_record.m_nType != SUPPORT_ELASTIC && m_record.m_nType != SUPPORT_SETTLEMENT;
}

void SupportDialog::ApplyState()
{
    bool checked[6];
    SupportCheckStates(m_record, checked);
    for (int i = 0; i < 6; ++i) {
        m_checks[i]->setChecked(checked[i]);
        // The restraints of a spring follow from its stiffnesses.
        m_checks[i]->setEnabled(!m_readOnly && ChecksAreRestraints());
    }

    const SupportEnabling e = SupportControlsEnabled(m_record, m_problemType, m_movePressed);
    const bool edit = !m_readOnly;
    for (int type = 1; type <= 8; ++type) {
        m_predefined[type - 1]->setChecked(m_record.m_nType == type);
        m_predefined[type - 1]->setEnabled(edit && e.predefined[type - 1]);
    }
    m_userDefined->setChecked(m_record.m_nType == kSupportUserDefined);
    m_userDefined->setEnabled(edit && e.userDefined);
    m_spring->setChecked(m_record.m_nType == SUPPORT_ELASTIC);
    m_spring->setEnabled(edit);
    m_springValues->setEnabled(e.springValues);
    m_move->setIcon(SettlementIcon(e.moveActive));
    m_move->setEnabled(edit);
    m_settlementValues->setEnabled(e.moveActive);
}

void SupportDialog::ChooseType(int type)
{
    m_movePressed = false;
    if (type == kSupportUserDefined) {
        // The restraints are the boxes the user ticks.
        for (int i = 0; i < 6; ++i)
            m_record.m_restraint[i] = m_checks[i]->isChecked() ? 1 : 0;
    }
    ChooseSupportType(m_record, type, m_problemType);
    ApplyState();
}

void SupportDialog::RestraintClicked(int dof)
{
    if (ChecksAreRestraints())
        m_record.m_restraint[dof] = m_checks[dof]->isChecked() ? 1 : 0;
    ApplyState();
}

void SupportDialog::PressSettlement()
{
    if (!SettlementAllowed(m_record)) {
        Messages().Beep();
        return;
    }
    m_movePressed = true;
    ApplyState();
}

void SupportDialog::EditSettlements()
{
    SettlementDialog dialog(m_record, m_problemType, this, m_readOnly);
    if (dialog.exec() == QDialog::Accepted) {
        m_record.m_translation = dialog.Translation();
        m_record.m_rotation = dialog.Rotation();
    }
    m_movePressed = false;
    ApplyState();
}

void SupportDialog::EditSprings()
{
    SpringDialog dialog(m_record, m_problemType, this, m_readOnly);
    if (dialog.exec() == QDialog::Accepted)
        ApplySprings(m_record, dialog.Translation(), dialog.Rotation());
    ApplyState();
}

void SupportDialog::accept()
{
    if (m_readOnly) {
        reject();
        return;
    }
    if (ChecksAreRestraints())
        for (int i = 0; i < 6; ++i)
            m_record.m_restraint[i] = m_checks[i]->isChecked() ? 1 : 0;
    QDialog::accept();
}

bool SupportDialog::Edit(VelmorApoyoData& record, int problemType, QWidget* parent)
{
    SupportDialog dialog(record, problemType, parent);
    return RunOnRecord(dialog, record);
}

} // namespace velmor
