#include "BeamLoadDialog.h"

#include "DialogFields.h"
#include "DialogPictures.h"
#include "views/core/DialogRules.h"

#include <QByteArray>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmor {
namespace {

constexpr int kResourceId = 406;
constexpr quint32 kHelpContext = 131478;

// A read-only information box, outside the tab order.
QLineEdit* InformationBox(const char* controlId, const QString& text, QWidget* parent)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QString::fromLatin1(controlId));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(70);
    return box;
}

} // namespace

// ---------------------------------------------------------------- beam load

BeamLoadDialog::BeamLoadDialog(const VelmorCargaData& record, int problemType,
                               const LoadedBeam& beam, QWidget* parent, bool readOnly)
    : QDialog(parent), m_record(record), m_problemType(problemType)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(QStringLiteral("Charges sur la poutre"));
    SetBeamLoadType(m_record, InitialBeamLoadType(m_record.m_nType));
    CopyConstantLoad(m_record);

    auto* information = new QHBoxLayout;
    const struct
    {
        const char* id;
        const char* label;
        QString value;
    } boxes[4] = {
        {"248", "Poutre No.", QString::number(beam.number)},
        {"205", "Noeud 1", QString::number(beam.node1)},
        {"206", "Noeud 2", QString::number(beam.node2)},
        {"247", "Longueur", QString::number(beam.length, 'g', 6)},
    };
    for (const auto& b : boxes) {
        QLineEdit* box = InformationBox(b.id, b.value, this);
        auto* label = new QLabel(QString::fromUtf8(b.label), this);
        label->setBuddy(box);
        information->addWidget(label);
        information->addWidget(box);
    }
    information->addStretch();

    auto* types = new QGroupBox(QStringLiteral("Type de charge"), this);
    auto* typeGrid = new QGridLayout(types);
    const char* tips[6] = {
        "Charge constante, axes globaux", "Charge constante, axes locaux",
        "Charge constante, projetée",     "Charge linéaire, axes globaux",
        "Charge linéaire, axes locaux",   "Charge linéaire, projetée",
    };
    for (int i = 0; i < 6; ++i) {
        const LoadTypeButton& t = kLoadTypeButtons[i];
        const QByteArray id = QByteArray::number(t.controlId);
        m_typeButtons[i] = MakePictureButton(id.constData(), LoadTypeIcon(t.type), kLoadPictureSize,
                                             QString::fromUtf8(tips[i]), types);
        typeGrid->addWidget(m_typeButtons[i], i / 3, i % 3);
        connect(m_typeButtons[i], &QToolButton::clicked, this, [this, type = t.type] {
            ChooseType(type);
        });
    }

    struct Group
    {
        const char* title;
        const char* ids[3];
    };
    // Points 1 to 4.
    const Group groups[4] = {
        {"Noeud 1: Valeur de la Charge [N / m]:   ", {"155", "157", "159"}},
        {"Noeud 1: Valeur du Moment [N m / m]:   ", {"192", "194", "196"}},
        {"Noeud 2: Valeur de la Charge [N / m]:   ", {"156", "158", "160"}},
        {"Noeud 2: Valeur du Moment [N m / m]:   ", {"193", "195", "197"}},
    };
    const char* axes[3] = {"x", "y", "z"};
    auto* values = new QGridLayout;
    for (int g = 0; g < 4; ++g) {
        auto* box = new QGroupBox(QString::fromUtf8(groups[g].title), this);
        auto* grid = new QGridLayout(box);
        for (int a = 0; a < 3; ++a) {
            m_edits[g][a] = MakeNumberEdit(groups[g].ids[a], PointComponent(m_record.m_point[g], a), box);
            AddNumberRow(grid, a, 0, axes[a], m_edits[g][a]);
        }
        // Node 1 on the first row, node 2 below it; loads left, moments right.
        values->addWidget(box, g / 2, g % 2);
    }

    m_buttons = MakeButtons(this, true, "104", kHelpContext);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(information);
    layout->addWidget(types);
    layout->addLayout(values);
    layout->addWidget(m_buttons);
    SetReadOnly(readOnly);
}

void BeamLoadDialog::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    SetCloseOnly(m_buttons, readOnly);
    ShowFields();
}

void BeamLoadDialog::ShowFields()
{
    const BeamLoadEnabling e = BeamLoadControlsEnabled(m_record.m_nType, m_problemType);
    for (int i = 0; i < 6; ++i) {
        m_typeButtons[i]->setChecked(kLoadTypeButtons[i].type == m_record.m_nType);
        m_typeButtons[i]->setEnabled(!m_readOnly && e.typeButton[i]);
    }
    const bool* enabled[4] = {e.load1, e.moment1, e.load2, e.moment2};
    for (int g = 0; g < 4; ++g)
        for (int a = 0; a < 3; ++a) {
            m_edits[g][a]->setText(FormatNumber(PointComponent(m_record.m_point[g], a)));
            m_edits[g][a]->setEnabled(!m_readOnly && enabled[g][a]);
        }
}

bool BeamLoadDialog::ReadFields()
{
    return ReadPointEdits(&m_edits[0][0], m_record.m_point, 4);
}

void BeamLoadDialog::ChooseType(int type)
{
    if (ReadFields()) {
        SetBeamLoadType(m_record, type);
        CopyConstantLoad(m_record);
    }
    ShowFields();
}

void BeamLoadDialog::accept()
{
    if (m_readOnly) {
        reject();
        return;
    }
    if (!ReadFields())
        return;
    CopyConstantLoad(m_record);
    QDialog::accept();
}

bool BeamLoadDialog::Edit(VelmorCargaData& record, int problemType, QWidget* parent,
                          const LoadedBeam& beam)
{
    BeamLoadDialog dialog(record, problemType, beam, parent);
    return RunOnRecord(dialog, record);
}

} // namespace velmor
