#include "OptionsDialog.h"

#include "DialogFields.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace velmor {
namespace {

constexpr int kResourceId = 414;

struct OptionBox
{
    int option;
    int controlId;
    const char* label;
};

// Every box, by option index.
constexpr OptionBox kBoxes[kOptionCount] = {
    {OPT_DRAW_3D, 248, "Dessins en 3D"},
    {OPT_BEAM_WITH_ORIENTATION, 209, "Poutre avec orientation"},
    {OPT_COORDINATE_ENTRY, 188, "Entrée par coordonnées"},
    {OPT_BLACK_BACKGROUND, 152, "Fond noir"},
    {OPT_DRAW_LIMITS, 168, "Dessiner limites"},
    {OPT_BEAM_SECTION_COLOUR, 233, "Poutre + couleur de section"},
    {OPT_ORIENT_I_J, 208, "Orientation poutre i - j (i < j)"},
    {OPT_CHANGE_LOCAL_LOADS, 153, "Changer charges locales"},
    {OPT_SHOW_NODES, 231, "Noeuds"},
    {OPT_SHOW_BEAMS, 235, "Poutres"},
    {OPT_SHOW_SECTIONS, 234, "Sections"},
    {OPT_SHOW_LOADS, 230, "Charges"},
    {OPT_SHOW_SUPPORTS, 229, "Appuis"},
    {OPT_SHOW_ORIENTATION, 232, "Orientation"},
    {OPT_SPARE, 0, nullptr},
    {OPT_TEXT_FORMAT, 350, "En format texte"},
};

// The labels beyond the block, with names for their boxes.
struct LabelBox
{
    int option;
    const char* name;
    const char* label;
};
constexpr LabelBox kLabels[] = {
    {OPT_NODE_NUMBERS, "labelNodes", "Numéros des noeuds"},
    {OPT_BEAM_NUMBERS, "labelBeams", "Numéros des poutres"},
    {OPT_LOAD_VALUES, "labelLoads", "Valeurs des charges"},
};

QGroupBox* MakeGroup(const char* title, const char* name, QWidget* parent)
{
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

} // namespace

int OptionsDialog::ControlId(int option)
{
    return option >= 0 && option < kOptionCount ? kBoxes[option].controlId : 0;
}

OptionsDialog::OptionsDialog(const ProgramOptions& options, QWidget* parent)
    : QDialog(parent), m_options(options)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(QStringLiteral("Options"));
    setFont(QFont(QStringLiteral("Arial")));

    for (const OptionBox& b : kBoxes) {
        if (!b.label)
            continue;
        auto* box = new QCheckBox(QString::fromUtf8(b.label), this);
        box->setObjectName(QString::number(b.controlId));
        box->setChecked(options.IsOn(b.option));
        m_boxes[b.option] = box;
    }

    auto* view = MakeGroup("Vue", "groupVue", this);
    auto* viewLayout = new QVBoxLayout(view);
    for (int option : {OPT_DRAW_3D, OPT_BLACK_BACKGROUND, OPT_DRAW_LIMITS,
                       OPT_BEAM_SECTION_COLOUR})
        viewLayout->addWidget(m_boxes[option]);
    auto* show = MakeGroup("Voir", "groupVoir", view);
    auto* showLayout = new QGridLayout(show);
    const int shown[6] = {OPT_SHOW_NODES,   OPT_SHOW_BEAMS,    OPT_SHOW_SECTIONS,
                          OPT_SHOW_LOADS,   OPT_SHOW_SUPPORTS, OPT_SHOW_ORIENTATION};
    for (int i = 0; i < 6; ++i) {
        m_boxes[shown[i]]->setParent(show);
        showLayout->addWidget(m_boxes[shown[i]], i % 3, i / 3);
    }
    viewLayout->addWidget(show);
    auto* labels = MakeGroup("Étiquettes", "groupEtiquettes", view);
    auto* labelsLayout = new QVBoxLayout(labels);
    for (const LabelBox& b : kLabels) {
        auto* box = new QCheckBox(QString::fromUtf8(b.label), labels);
        box->setObjectName(QString::fromLatin1(b.name));
        box->setChecked(options.IsOn(b.option));
        m_boxes[b.option] = box;
        labelsLayout->addWidget(box);
    }
    viewLayout->addWidget(labels);

    auto* input = MakeGroup("Entrée des données", "groupEntree", this);
    auto* inputLayout = new QVBoxLayout(input);
    inputLayout->addWidget(m_boxes[OPT_BEAM_WITH_ORIENTATION]);
    inputLayout->addWidget(m_boxes[OPT_COORDINATE_ENTRY]);

    auto* calc = MakeGroup("Calcul", "groupCalcul", this);
    auto* calcLayout = new QVBoxLayout(calc);
    calcLayout->addWidget(m_boxes[OPT_ORIENT_I_J]);
    calcLayout->addWidget(m_boxes[OPT_CHANGE_LOCAL_LOADS]);

    // The file form is chosen nowhere else while the program runs: box and group stay hidden.
    auto* save = MakeGroup("Enregistrer", "groupEnregistrer", this);
    auto* saveLayout = new QVBoxLayout(save);
    saveLayout->addWidget(m_boxes[OPT_TEXT_FORMAT]);
    m_boxes[OPT_TEXT_FORMAT]->setVisible(false);
    save->setVisible(false);

    auto* right = new QVBoxLayout;
    right->addWidget(input);
    right->addWidget(calc);
    right->addWidget(save);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(view);
    columns->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(MakeButtons(this, true, "107", DialogHelpContext(kResourceId)));
}

bool OptionsDialog::Edit(ProgramOptions& options, QWidget* parent)
{
    OptionsDialog dialog(options, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.Options();
    return true;
}

void OptionsDialog::accept()
{
    ProgramOptions read = m_options;
    for (int option = 0; option < kAllOptionCount; ++option) {
        if (m_boxes[option])
            read.Set(option, m_boxes[option]->isChecked());
    }
    m_options = ApplyOrientationRule(read);
    QDialog::accept();
}

} // namespace velmor
