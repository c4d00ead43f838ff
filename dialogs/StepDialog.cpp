#include "StepDialog.h"

#include "DialogFields.h"
#include "platform/core/MessageService.h"
#include "resources/StringTable.h"
#include "tutor/core/TutorRules.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>

namespace velmor {
namespace {

constexpr int kSkipQuestion = 61262; // "Etes-vous sûr de vouloir omettre une étape?"

// Width of the texts: the widest explicit line between these bounds; longer lines are
// paragraphs, which wrap.
constexpr int kTextWidth = 460;
constexpr int kMaxTextWidth = 560;

// The texts of one step's dialog; null where the dialog has no such text.
struct StepTexts
{
    TutorStage step;
    const char* helpId;
    const char* heading;
    const char* task;     // 244
    const char* task245;  // 245, the second task line of the loads' dialog
    const char* example;  // 175
    const char* exercise; // 176
    const char* note187;  // 187, shown in both modes
};

// Two texts are mended: the numbering's example text had a stray "of" before "liberté", and
// the last task line of the results ran "chaque      barre." with blanks standing in for a line
// break that only a box of one width produced; it breaks and indents like the other lines.
const StepTexts kSteps[] = {
    {TutorStage::Numbering, "109", "1- Numérotation des noeuds et des degrés\n    de liberté",
     "--> Numéroter tous les noeuds de la structure.\n--> Numéroter les degrés de liberté.\n\n"
     "L'ordre de la numérotation est responsable de la largeur de bande de la matrice globale.",
     nullptr,
     "L'ordinateur numérote les noeuds et degrés de \nliberté automatiquement. Sélectionnez "
     "\"Examiner\" pour\nsuivre l'étape ou \"Terminer\" pour compléter cette tâche.",
     "Afin d'effectuer la numérotation des noeuds, il faut sélectionner tous les noeuds dans "
     "l'ordre souhaité. Les degrés de liberté seront automatiquement numérotés.\n\n"
     "Sélectionnez \"Examiner\" ou \"Terminer\" pour effectuer la tâche automatiquement.",
     nullptr},
    {TutorStage::Stiffness, "110",
     "2- Calcul et assemblage de la matrice de rigidité\n    de chaque barre.",
     "--> Calculer la matrice de rigidité K' de chaque barre\n     en coord. locales.\n"
     "--> Transformer les matrices de rigidité locales K' en\n     coord. globales: K = Tt  K'  T\n"
     "--> Assembler les matrices globales dans la matrice de \n     la structure K.",
     nullptr,
     "Sélectionnez  \"Examiner\" afin d'assembler la matrice de rigidité globale de la barre "
     "choisie dans la matrice de rigidité de la structure ou \"Terminer\" pour effectuer cette "
     "tâche automatiquement.",
     "Assemblez la matrice de la barre dans la matrice de rigidité de la structure en cliquant "
     "d'abord sur une sous-matrice de K globale et ensuite sur la position correcte dans la "
     "matrice du système.",
     "En sélectionnant une barre, le programme calcule sa matrice de rigidité automatiquement."},
    {TutorStage::Loads, "111",
     "3- Calcul et assemblage du vecteur des forces\n    de chaque barre.",
     "--> Calculer le vecteur charges pour chaque\n      charge distribuée en coordonées locales.\n"
     "--> Transformer le vecteur charges local R' \n      en coordonées globales: R = Tt  R' \n",
     "--> Assembler les vecteurs globaux au Vecteur de la \n      structure F. Ajouter les charges "
     "nodales directement.",
     "Sélectionnez  \"Examiner\" pour assembler le vecteur charges global de la charge "
     "distribuée, ou le vecteur de la charge nodale, dans le vecteur charges de la structure.\n"
     " \nSélectionnez \"Terminer\" pour effectuer cette tâche\nautomatiquement.",
     "Sélectionnez les coefficients du vecteur et placez-les dans le vecteur charges de la "
     "structure. Sélectionnez \"Examiner\" ou \"Terminer\" pour compléter cette tâche "
     "automatiquement.",
     "En choisissant une charge, l'ordinateur calcule son vecteur charges automatiquement."},
    {TutorStage::Supports, "112",
     "4- Imposition des conditions aux limites sur les\n    noeuds avec contrainte",
     "--> Imposer toutes les conditions aux limites aux noeuds\n     de la structure: \n"
     "      --> Appuis fixes\n      --> Appuis élastiques (ressorts)\n"
     "      --> Descentes d'appuis",
     nullptr,
     "Sélectionnez \"Examiner\" pour imposer toutes les conditions aux limites dans système "
     "d'équations de la structure pas à pas ou bien \"Terminer\" pour compléter cette tâche "
     "automatiquement.",
     "Afin d'imposer les conditions aux limites, il faut sélectionner tous les noeuds avec "
     "appui(s). Les degrés de liberté correspondants seront éliminés automatiquement par le "
     "programme. \n\nSélectionnez \"Examiner\" ou \"Terminer\" pour achever cette tâche.",
     nullptr},
    {TutorStage::Solution, "113", "5- Résolution du système linéaire",
     "--> Résolution du système d'équations linéaires.", nullptr,
     "L'ordinateur résoud automatiquement le système d'équations par un méthode de Cholesky.",
     "L'ordinateur résoud automatiquement le système d'équations par un méthode de Cholesky.",
     nullptr},
    {TutorStage::Results, "114",
     "6- Calcul des déformations et forces pour chaque barre. Réactions aux noeuds. ",
     "--> Calculer le vecteur déplacements de chaque barre.\n"
     "--> Calculer les réactions des noeuds avec appui.\n"
     "--> Calculer et afficher le diagramme de forces de chaque\n     barre.",
     nullptr,
     "L'ordinateur calculera tous les résultats automatiquement. Ceux-ci s'affichent en "
     "sélectionnant le bouton correspondant.",
     "L'ordinateur calculera les déplacements et réactions automatiquement. Pour afficher les "
     "diagrammes de force, sélectionnez une barre et suivez les instructions apparaissant à "
     "l'écran.",
     nullptr},
};

const StepTexts* TextsOf(TutorStage step)
{
    if (step == TutorStage::Laws) step = TutorStage::Results;
    for (const StepTexts& texts : kSteps)
        if (texts.step == step) return &texts;
    return nullptr;
}

// A plain text that keeps its line breaks and wraps its long paragraphs; its minimum width
// holds its longest line, so that no explicit line is broken again.
QLabel* MakeText(const char* id, const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(id));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QFontMetrics metrics(label->font());
    int widest = kTextWidth;
    for (const QString& line : label->text().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line) + 4);
    label->setMinimumWidth(std::min(widest, kMaxTextWidth));
    return label;
}

} // namespace

QPushButton* AddSkipStepButton(QDialog* dialog, QDialogButtonBox* buttons)
{
    QPushButton* skip = buttons->addButton(QStringLiteral("SEG"), QDialogButtonBox::ActionRole);
    skip->setObjectName(QString::number(kSkipStepResult));
    skip->setAutoDefault(false);
    QObject::connect(skip, &QPushButton::clicked, dialog, [dialog] {
        if (Messages().Show(LoadString(kSkipQuestion), MessageButtons::YesNoDefaultNo,
                            MessageIcon::Question) == MessageAnswer::Yes)
            dialog->done(kSkipStepResult);
    });
    return skip;
}

StepDialog::StepDialog(TutorStage step, bool exercise, int problemType, QWidget* parent)
    : QDialog(parent)
{
    const StepTexts* texts = TextsOf(step);
    const TutorStage shown = texts ? texts->step : TutorStage::None;
    setObjectName(QString::number(StepDialogId(shown)));
    setWindowTitle(QString::fromUtf8("Résolution pas à pas"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!texts) {
        layout->addWidget(MakeButtons(this, false, nullptr, 0));
        return;
    }

    auto* heading = MakeText("heading", texts->heading, this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    heading->setFont(bold);
    layout->addWidget(heading);

    auto* task = new QGroupBox(QString::fromUtf8("Tâche"), this);
    task->setObjectName(QStringLiteral("task"));
    auto* taskLayout = new QVBoxLayout(task);
    taskLayout->addWidget(MakeText("244", texts->task, task));
    if (texts->task245) taskLayout->addWidget(MakeText("245", texts->task245, task));
    layout->addWidget(task);

    auto* howTo = new QGroupBox(QStringLiteral("Comment faire"), this);
    howTo->setObjectName(QStringLiteral("howto"));
    auto* howToLayout = new QVBoxLayout(howTo);
    QLabel* example = MakeText("175", texts->example, howTo);
    QLabel* exerciseText = MakeText("176", texts->exercise, howTo);
    example->setVisible(!exercise);
    exerciseText->setVisible(exercise);
    howToLayout->addWidget(example);
    howToLayout->addWidget(exerciseText);
    if (texts->note187) {
        howToLayout->addSpacing(6);
        howToLayout->addWidget(MakeText("187", texts->note187, howTo));
    }
    layout->addWidget(howTo);

    // One column width for every text: the widest explicit line, or the narrowest width.
    const QList<QLabel*> labels = findChildren<QLabel*>();
    int width = 0;
    for (const QLabel* label : labels)
        width = std::max(width, label->minimumWidth());
    for (QLabel* label : labels)
        label->setFixedWidth(width);

    QDialogButtonBox* buttons =
        MakeButtons(this, false, texts->helpId,
                    static_cast<quint32>(StepHelpContext(problemType, texts->step)));
    AddSkipStepButton(this, buttons);
    layout->addWidget(buttons);
}

int StepDialog::Run(TutorStage step, bool exercise, int problemType, QWidget* parent)
{
    if (!TextsOf(step)) return QDialog::Rejected;
    StepDialog dialog(step, exercise, problemType, parent);
    return dialog.exec();
}

} // namespace velmor
