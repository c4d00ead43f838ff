#include "SectionDialog.h"

#include "DialogFields.h"
#include "platform/core/MessageService.h"
#include "resources/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace velmor {
namespace {

constexpr int kResourceId = 418;
constexpr quint32 kHelpContext = 131490;
constexpr int kInvalidSection = 61218;

struct FieldText
{
    const char* controlId;
    const char* label;
    const char* unit;
};

// In the order of SectionDialog::Field.
constexpr FieldText kFields[] = {
    {"228", "Epaisseur B", "[cm]"},
    {"220", "Hauteur H", "[cm]"},
    {"215", "Surface A", "[cm2]"},
    {"221", "Moment d'inertie  Iy", "[cm4]"},
    {"222", "Moment d'inertie  Iz", "[cm4]"},
    {"223", "Moment de torsion J", "[cm4]"},
    {"218", "Module de Young  E", "[N/cm2]"},
    {"219", "Module de cisaillement G", "[N/cm2]"},
    {"225", "Coefficient de Poisson", "[ - ]"},
    {"227", "Densité", "[kg / cm3]"},
};

// A value as its box shows it: fifteen significant digits, so that a value converted from SI
// units shows as the user would type it (0.001125 m4 is "112500" cm4, not "112499.99999999999").
QString ValueText(double v)
{
    return QString::number(v, 'g', 15);
}

// The value as reading its box gives it back.
double ThroughText(double v)
{
    ParseNumber(ValueText(v), v);
    return v;
}

// The values of the fields, in the same order.
std::array<double*, 10> Fields(SectionValues& v)
{
    return {&v.b, &v.h, &v.A, &v.Iy, &v.Iz, &v.J, &v.E, &v.G, &v.nu, &v.rho};
}

} // namespace

SectionDialog::SectionDialog(const VelmorSeccionData& record, int problemType, QWidget* parent,
                             bool readOnly)
    : QDialog(parent), m_record(record), m_problemType(problemType)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(QString::fromUtf8("Sections et Matériaux"));

    // What the boxes show on opening; a box that still shows it keeps the record's own value.
    m_opened = SectionToDialogUnits(record);
    for (double* v : Fields(m_opened))
        *v = ThroughText(*v);
    m_values = m_opened;
    m_valid = ComputeSection(m_values, m_problemType);
    m_values.shape = InitialSectionShape(m_values.shape, m_problemType);

    auto* numberRow = new QHBoxLayout;
    m_number = new QLineEdit(QString::number(record.m_number), this);
    m_number->setObjectName(QStringLiteral("224"));
    m_number->setReadOnly(true);
    m_number->setMaximumWidth(80);
    auto* numberLabel = new QLabel(QString::fromUtf8("Numéro"), this);
    numberLabel->setBuddy(m_number);
    numberRow->addWidget(numberLabel);
    numberRow->addWidget(m_number);
    numberRow->addStretch();

    auto* shapes = new QGroupBox(QStringLiteral("Forme de la section"), this);
    auto* shapeRow = new QHBoxLayout(shapes);
    m_rectangular = new QRadioButton(QStringLiteral("rectangulaire"), shapes);
    m_rectangular->setObjectName(QStringLiteral("226"));
    m_arbitrary = new QRadioButton(QStringLiteral("arbitraire"), shapes);
    m_arbitrary->setObjectName(QStringLiteral("214"));
    m_axial = new QRadioButton(QStringLiteral("axiale"), shapes);
    m_axial->setObjectName(QStringLiteral("216"));
    const std::pair<QRadioButton*, int> radios[3] = {
        {m_rectangular, SHAPE_RECTANGULAR}, {m_arbitrary, SHAPE_ARBITRARY}, {m_axial, SHAPE_AXIAL}};
    for (const auto& [radio, shape] : radios) {
        shapeRow->addWidget(radio);
        connect(radio, &QRadioButton::clicked, this, [this, s = shape] { ChooseShape(s); });
    }

    auto* geometry = new QGroupBox(QString::fromUtf8("Géométrie"), this);
    auto* geometryGrid = new QGridLayout(geometry);
    auto* material = new QGroupBox(QString::fromUtf8("Matériau"), this);
    auto* materialGrid = new QGridLayout(material);
    const auto values = Fields(m_values);
    for (int i = 0; i < FIELD_COUNT; ++i) {
        const bool isGeometry = i <= J;
        QWidget* box = isGeometry ? geometry : material;
        m_edits[i] = MakeNumberEdit(kFields[i].controlId, *values[i], box);
        m_edits[i]->setText(ValueText(*values[i]));
        AddNumberRow(isGeometry ? geometryGrid : materialGrid, isGeometry ? i : i - E, 0,
                     kFields[i].label, m_edits[i], kFields[i].unit);
    }

    m_buttons = MakeButtons(this, true, "136", kHelpContext);
    m_calc = m_buttons->addButton(QStringLiteral("CALC"), QDialogButtonBox::ActionRole);
    m_calc->setObjectName(QStringLiteral("217"));
    m_calc->setAutoDefault(false);
    connect(m_calc, &QPushButton::clicked, this, [this] { Calculate(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(numberRow);
    layout->addWidget(shapes);
    layout->addWidget(geometry);
    layout->addWidget(material);
    layout->addWidget(m_buttons);

    SetReadOnly(readOnly);
}

void SectionDialog::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_calc->setVisible(!readOnly);
    SetCloseOnly(m_buttons, readOnly);
    ShowFields();
}

void SectionDialog::ShowFields()
{
    const auto values = Fields(m_values);
    for (int i = 0; i < FIELD_COUNT; ++i)
        m_edits[i]->setText(ValueText(*values[i]));
    m_rectangular->setChecked(m_values.shape == SHAPE_RECTANGULAR);
    m_arbitrary->setChecked(m_values.shape == SHAPE_ARBITRARY);
    m_axial->setChecked(m_values.shape == SHAPE_AXIAL);

    const SectionEnabling e = SectionControlsEnabled(m_values.shape, m_problemType);
    const bool edit = !m_readOnly;
    m_axial->setEnabled(edit && e.axial);
    m_rectangular->setEnabled(edit && e.rectangular);
    m_arbitrary->setEnabled(edit && e.arbitrary);
    m_number->setEnabled(e.number);
    const bool enabled[FIELD_COUNT] = {e.b, e.h, e.A, e.Iy, e.Iz, e.J, e.E, e.G, e.nu, e.rho};
    for (int i = 0; i < FIELD_COUNT; ++i)
        m_edits[i]->setEnabled(edit && enabled[i]);
}

bool SectionDialog::ReadFields()
{
    const auto pointers = Fields(m_values);
    double read[FIELD_COUNT];
    for (int i = 0; i < FIELD_COUNT; ++i)
        read[i] = *pointers[i];
    if (!ReadNumberEdits(m_edits, read, FIELD_COUNT))
        return false;
    for (int i = 0; i < FIELD_COUNT; ++i)
        *pointers[i] = read[i];
    return true;
}

void SectionDialog::ChooseShape(int shape)
{
    if (ReadFields())
        m_values.shape = shape;
    ShowFields();
}

bool SectionDialog::Calculate()
{
    if (!ReadFields()) {
        m_valid = false;
        return false;
    }
    m_valid = ComputeSection(m_values, m_problemType);
    if (!m_valid)
        ShowMessage(LoadString(kInvalidSection), MessageIcon::Warning);
    ShowFields();
    return m_valid;
}

void SectionDialog::accept()
{
    if (m_readOnly) {
        reject();
        return;
    }
    if (!Calculate())
        return;
    SectionFromDialogUnits(m_values, m_opened, m_record);
    QDialog::accept();
}

bool SectionDialog::Edit(VelmorSeccionData& record, int problemType, QWidget* parent)
{
    SectionDialog dialog(record, problemType, parent);
    return RunOnRecord(dialog, record);
}

} // namespace velmor
