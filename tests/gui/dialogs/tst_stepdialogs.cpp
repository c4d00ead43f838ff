// The step dialogs and the flow chart of the step-by-step solution: the dialog and texts of
// every step in both modes, "SEG" with its question (No keeps the dialog, Yes ends it with
// 250), OK and Escape, the help page of each step and problem type, the one frame of the flow
// chart around the next step, and no text cut by the layout.
#include "DialogTestSupport.h"
#include "dialogs/FlowDialog.h"
#include "dialogs/StepDialog.h"
#include "platform/qt/shell/MessageHub.h"

#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>

#include <memory>

using namespace velmor;
using namespace velmor::test;

Q_DECLARE_METATYPE(velmor::TutorStage)

namespace {

const char* const kSkipQuestion = "Etes-vous sûr de vouloir omettre une étape?";

// Records the messages and gives the answer a test sets.
class AnsweringMessages : public RecordingMessages
{
public:
    MessageAnswer Show(std::string_view text, MessageButtons kind, MessageIcon icon) override
    {
        RecordingMessages::Show(text, kind, icon);
        buttons.push_back(kind);
        icons.push_back(icon);
        return answer;
    }
    MessageAnswer answer = MessageAnswer::No;
    std::vector<MessageButtons> buttons;
    std::vector<MessageIcon> icons;
};

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// Every shown text label is at least as tall as its text needs at its width.
void CheckNoTextIsCut(QWidget* dialog)
{
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) continue;
        const QSize needed =
            label->wordWrap() ? QSize(label->minimumWidth(), label->heightForWidth(label->width()))
                              : label->sizeHint();
        QVERIFY2(label->height() >= needed.height() && label->width() >= needed.width(),
                 qPrintable(label->objectName()));
    }
}

// The dialog a row of the run tests opens: a step's (1 to 7) or the flow chart (0).
std::unique_ptr<QDialog> Open(int step)
{
    if (step == 0) return std::make_unique<FlowDialog>(TutorStage::Loads, QStringLiteral(" "));
    return std::make_unique<StepDialog>(static_cast<TutorStage>(step), false, 2);
}

int RunDialog(int step)
{
    if (step == 0) return FlowDialog::Run(TutorStage::Loads, QStringLiteral(" "));
    return StepDialog::Run(static_cast<TutorStage>(step), false, 2);
}

} // namespace

class TestStepDialogs : public QObject
{
    Q_OBJECT
private slots:
    void stepDialog_data()
    {
        QTest::addColumn<TutorStage>("step");
        QTest::addColumn<bool>("exercise");
        QTest::addColumn<int>("problemType");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("helpId");
        QTest::addColumn<int>("helpContext");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("task");
        QTest::addColumn<QString>("howTo");   // the text of the mode, 175 or 176
        QTest::addColumn<QString>("note187"); // empty: the dialog has none
        QTest::addColumn<QString>("task245");

        struct Row
        {
            TutorStage step;
            const char *id, *helpId;
            int offset;
            const char *heading, *task, *example, *exercise, *note187, *task245;
        };
        const Row rows[] = {
            {TutorStage::Numbering, "413", "109", 100,
             "1- Numérotation des noeuds et des degrés\n    de liberté",
             "--> Numéroter tous les noeuds de la structure.\n--> Numéroter les degrés de "
             "liberté.\n\nL'ordre de la numérotation est responsable de la largeur de bande de "
             "la matrice globale.",
             "L'ordinateur numérote les noeuds et degrés de \nliberté automatiquement. "
             "Sélectionnez \"Examiner\" pour\nsuivre l'étape ou \"Terminer\" pour compléter "
             "cette tâche.",
             "Afin d'effectuer la numérotation des noeuds, il faut sélectionner tous les noeuds "
             "dans l'ordre souhaité. Les degrés de liberté seront automatiquement numérotés.\n\n"
             "Sélectionnez \"Examiner\" ou \"Terminer\" pour effectuer la tâche "
             "automatiquement.",
             "", ""},
            {TutorStage::Stiffness, "417", "110", 101,
             "2- Calcul et assemblage de la matrice de rigidité\n    de chaque barre.",
             "--> Calculer la matrice de rigidité K' de chaque barre\n     en coord. locales.\n"
             "--> Transformer les matrices de rigidité locales K' en\n     coord. globales: "
             "K = Tt  K'  T\n--> Assembler les matrices globales dans la matrice de \n     la "
             "structure K.",
             "Sélectionnez  \"Examiner\" afin d'assembler la matrice de rigidité globale de la "
             "barre choisie dans la matrice de rigidité de la structure ou \"Terminer\" pour "
             "effectuer cette tâche automatiquement.",
             "Assemblez la matrice de la barre dans la matrice de rigidité de la structure en "
             "cliquant d'abord sur une sous-matrice de K globale et ensuite sur la position "
             "correcte dans la matrice du système.",
             "En sélectionnant une barre, le programme calcule sa matrice de rigidité "
             "automatiquement.",
             ""},
            {TutorStage::Loads, "404", "111", 103,
             "3- Calcul et assemblage du vecteur des forces\n    de chaque barre.",
             "--> Calculer le vecteur charges pour chaque\n      charge distribuée en coordonées "
             "locales.\n--> Transformer le vecteur charges local R' \n      en coordonées "
             "globales: R = Tt  R' \n",
             "Sélectionnez  \"Examiner\" pour assembler le vecteur charges global de la charge "
             "distribuée, ou le vecteur de la charge nodale, dans le vecteur charges de la "
             "structure.\n \nSélectionnez \"Terminer\" pour effectuer cette tâche\n"
             "automatiquement.",
             "Sélectionnez les coefficients du vecteur et placez-les dans le vecteur charges de "
             "la structure. Sélectionnez \"Examiner\" ou \"Terminer\" pour compléter cette tâche "
             "automatiquement.",
             "En choisissant une charge, l'ordinateur calcule son vecteur charges "
             "automatiquement.",
             "--> Assembler les vecteurs globaux au Vecteur de la \n      structure F. Ajouter "
             "les charges nodales directement."},
            {TutorStage::Supports, "408", "112", 105,
             "4- Imposition des conditions aux limites sur les\n    noeuds avec contrainte",
             "--> Imposer toutes les conditions aux limites aux noeuds\n     de la structure: \n"
             "      --> Appuis fixes\n      --> Appuis élastiques (ressorts)\n      --> "
             "Descentes d'appuis",
             "Sélectionnez \"Examiner\" pour imposer toutes les conditions aux limites dans "
             "système d'équations de la structure pas à pas ou bien \"Terminer\" pour compléter "
             "cette tâche automatiquement.",
             "Afin d'imposer les conditions aux limites, il faut sélectionner tous les noeuds "
             "avec appui(s). Les degrés de liberté correspondants seront éliminés "
             "automatiquement par le programme. \n\nSélectionnez \"Examiner\" ou \"Terminer\" "
             "pour achever cette tâche.",
             "", ""},
            {TutorStage::Solution, "420", "113", 106, "5- Résolution du système linéaire",
             "--> Résolution du système d'équations linéaires.",
             "L'ordinateur résoud automatiquement le système d'équations par un méthode de "
             "Cholesky.",
             "L'ordinateur résoud automatiquement le système d'équations par un méthode de "
             "Cholesky.",
             "", ""},
            {TutorStage::Results, "416", "114", 107,
             "6- Calcul des déformations et forces pour chaque barre. Réactions aux noeuds. ",
             "--> Calculer le vecteur déplacements de chaque barre.\n--> Calculer les réactions "
             "des noeuds avec appui.\n--> Calculer et afficher le diagramme de forces de "
             "chaque\n     barre.",
             "L'ordinateur calculera tous les résultats automatiquement. Ceux-ci s'affichent en "
             "sélectionnant le bouton correspondant.",
             "L'ordinateur calculera les déplacements et réactions automatiquement. Pour "
             "afficher les diagrammes de force, sélectionnez une barre et suivez les "
             "instructions apparaissant à l'écran.",
             "", ""},
        };
        int problemType = 0;
        for (const Row& row : rows) {
            for (bool exercise : {false, true}) {
                problemType = problemType % 4 + 1; // every type comes round
                QTest::addRow("%s %s", row.id, exercise ? "exercise" : "example")
                    << row.step << exercise << problemType << QString::fromLatin1(row.id)
                    << QString::fromLatin1(row.helpId)
                    << 0x70000 + 0x1000 * problemType + row.offset << Utf8(row.heading)
                    << Utf8(row.task) << Utf8(exercise ? row.exercise : row.example)
                    << Utf8(row.note187) << Utf8(row.task245);
            }
        }
    }
    void stepDialog()
    {
        QFETCH(TutorStage, step);
        QFETCH(bool, exercise);
        QFETCH(int, problemType);
        QFETCH(QString, id);
        QFETCH(QString, helpId);
        QFETCH(int, helpContext);
        QFETCH(QString, heading);
        QFETCH(QString, task);
        QFETCH(QString, howTo);
        QFETCH(QString, note187);
        QFETCH(QString, task245);

        StepDialog dialog(step, exercise, problemType);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.objectName(), id);
        QCOMPARE(dialog.windowTitle(), Utf8("Résolution pas à pas"));
        QCOMPARE(Control<QLabel>(&dialog, "heading")->text(), heading);
        QCOMPARE(Control<QLabel>(&dialog, "244")->text(), task);

        auto* shown = Control<QLabel>(&dialog, exercise ? "176" : "175");
        auto* hidden = Control<QLabel>(&dialog, exercise ? "175" : "176");
        QVERIFY(shown && hidden);
        QVERIFY(shown->isVisible());
        QVERIFY(!hidden->isVisible());
        QCOMPARE(shown->text(), howTo);

        auto* note = Control<QLabel>(&dialog, "187");
        QCOMPARE(note != nullptr, !note187.isEmpty());
        if (note) {
            QVERIFY(note->isVisible());
            QCOMPARE(note->text(), note187);
        }
        auto* second = Control<QLabel>(&dialog, "245");
        QCOMPARE(second != nullptr, !task245.isEmpty());
        if (second) {
            QVERIFY(second->isVisible());
            QCOMPARE(second->text(), task245);
        }
        for (const char* button : {"1", "250"})
            QVERIFY(Control<QAbstractButton>(&dialog, button)->isVisible());
        QCOMPARE(Control<QAbstractButton>(&dialog, "250")->text(), QStringLiteral("SEG"));
        CheckNoTextIsCut(&dialog);

        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        Click(&dialog, qPrintable(helpId));
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(helpContext));
        QVERIFY(dialog.isVisible());

        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_%1_step_%2")
                                   .arg(id, exercise ? QStringLiteral("exercise")
                                                     : QStringLiteral("example"))));
    }

    void lawsShareTheResultsDialog()
    {
        StepDialog dialog(TutorStage::Laws, true, 3);
        QCOMPARE(dialog.objectName(), QStringLiteral("416"));
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        dialog.show();
        Click(&dialog, "114");
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(0x70000 + 0x3000 + 107));
    }

    void stepWithoutDialogIsNotShown()
    {
        // A dialog shown by mistake is closed, so that the test fails instead of hanging; the
        // timer ends with the test.
        bool seen = false;
        QTimer closer;
        closer.setInterval(10);
        connect(&closer, &QTimer::timeout, [&seen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = true;
                modal->close();
            }
        });
        closer.start();
        QCOMPARE(StepDialog::Run(TutorStage::None, false, 1), int(QDialog::Rejected));
        QVERIFY(!seen);
    }

    // Every dialog of the step-by-step solution ends the same way; step 0 is the flow chart.
    void howTheDialogsEnd_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("dialogId");
        QTest::addColumn<QString>("ending"); // ok, escape, skip-yes, skip-no-then-ok
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("questions");
        const struct
        {
            int step;
            const char* id;
        } dialogs[] = {{1, "413"}, {2, "417"}, {3, "404"}, {4, "408"},
                       {5, "420"}, {7, "416"}, {0, "410"}};
        for (const auto& d : dialogs) {
            const QString id = QString::fromLatin1(d.id);
            QTest::addRow("%s ok", d.id)
                << d.step << id << QStringLiteral("ok") << int(QDialog::Accepted) << 0;
            QTest::addRow("%s escape", d.id)
                << d.step << id << QStringLiteral("escape") << int(QDialog::Rejected) << 0;
            QTest::addRow("%s skip yes", d.id)
                << d.step << id << QStringLiteral("skip-yes") << 250 << 1;
            QTest::addRow("%s skip no", d.id)
                << d.step << id << QStringLiteral("skip-no-then-ok") << int(QDialog::Accepted) << 1;
        }
    }
    void howTheDialogsEnd()
    {
        QFETCH(int, step);
        QFETCH(QString, dialogId);
        QFETCH(QString, ending);
        QFETCH(int, result);
        QFETCH(int, questions);

        AnsweringMessages messages;
        bool openAfterNo = false;
        QString opened;
        WhenModal<QDialog>([&](QDialog* d) {
            opened = d->objectName();
            if (ending == QLatin1String("ok")) {
                Click(d, "1");
            } else if (ending == QLatin1String("escape")) {
                QTest::keyClick(d, Qt::Key_Escape);
            } else if (ending == QLatin1String("skip-yes")) {
                messages.answer = MessageAnswer::Yes;
                Click(d, "250");
            } else {
                messages.answer = MessageAnswer::No;
                Click(d, "250");
                openAfterNo = d->isVisible();
                Click(d, "1");
            }
        });
        QCOMPARE(RunDialog(step), result);
        QCOMPARE(opened, dialogId);
        QCOMPARE(int(messages.texts.size()), questions);
        if (questions) {
            QCOMPARE(QString::fromStdString(messages.texts[0]), Utf8(kSkipQuestion));
            QVERIFY(messages.buttons[0] == MessageButtons::YesNoDefaultNo);
            QVERIFY(messages.icons[0] == MessageIcon::Question);
        }
        if (ending == QLatin1String("skip-no-then-ok")) QVERIFY(openAfterNo);
    }

    void skipAnsweredNoKeepsTheDialog_data()
    {
        QTest::addColumn<int>("step");
        for (int step : {0, 1, 2, 3, 4, 5, 7})
            QTest::addRow("%d", step) << step;
    }
    void skipAnsweredNoKeepsTheDialog()
    {
        QFETCH(int, step);
        AnsweringMessages messages;
        std::unique_ptr<QDialog> dialog = Open(step);
        dialog->show();
        Click(dialog.get(), "250");
        Click(dialog.get(), "250");
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->result(), 0);
        QCOMPARE(int(messages.texts.size()), 2);
        messages.answer = MessageAnswer::Yes;
        Click(dialog.get(), "250");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), kSkipStepResult);
    }

    void flowChartFramesTheNextStep_data()
    {
        QTest::addColumn<TutorStage>("target");
        QTest::addColumn<QString>("frame"); // empty: none
        QTest::addColumn<int>("helpContext");
        QTest::newRow("no target") << TutorStage::None << QString() << 0x20000 + 410;
        QTest::newRow("numbering")
            << TutorStage::Numbering << QStringLiteral("178") << 0x70000 + 100;
        QTest::newRow("stiffness")
            << TutorStage::Stiffness << QStringLiteral("179") << 0x70000 + 101;
        QTest::newRow("loads") << TutorStage::Loads << QStringLiteral("180") << 0x70000 + 103;
        QTest::newRow("supports") << TutorStage::Supports << QStringLiteral("181") << 0x70000 + 105;
        QTest::newRow("solution") << TutorStage::Solution << QStringLiteral("182") << 0x70000 + 106;
        QTest::newRow("laws") << TutorStage::Laws << QStringLiteral("183") << 0x70000 + 107;
        QTest::newRow("results") << TutorStage::Results << QStringLiteral("183") << 0x70000 + 107;
    }
    void flowChartFramesTheNextStep()
    {
        QFETCH(TutorStage, target);
        QFETCH(QString, frame);
        QFETCH(int, helpContext);

        FlowDialog dialog(target, QString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.objectName(), QStringLiteral("410"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Diagramme de calcul"));
        for (int id = 178; id <= 183; ++id) {
            auto* box = Control<QGroupBox>(&dialog, qPrintable(QString::number(id)));
            QVERIFY(box);
            QCOMPARE(box->isVisible(), QString::number(id) == frame);
        }
        // The frame stays behind its row: every picture and text is shown whatever is framed.
        for (int id : {129, 131, 127, 128, 132, 130}) {
            auto* picture = Control<QLabel>(&dialog, qPrintable(QString::number(id)));
            QVERIFY(picture && picture->isVisible());
            QVERIFY(!picture->pixmap().isNull());
        }
        CheckNoTextIsCut(&dialog);

        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        Click(&dialog, "106");
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).value<quint32>(), quint32(helpContext));
        if (target == TutorStage::Loads)
            QVERIFY(Shoot(&dialog, QStringLiteral("dialog_410_flow_chart")));
    }

    void flowChartTexts()
    {
        FlowDialog dialog(TutorStage::Numbering, QString());
        const char* const texts[6] = {
            "1- Numérotation des noeuds et des degrés\n    de liberté.",
            "2- Calcul et assemblage de la matrice de\n    rigidité de chaque barre.",
            "3- Calcul et assemblage du vecteur charges\n    de chaque barre.",
            "4- Imposition des conditions aux limites sur\n    les noeuds au mouvement "
            "restreint.",
            "5- Résolution du système linéaire.",
            "6- Calcul des déformations et efforts de\n    chaque barre. Réactions aux noeuds.",
        };
        for (int i = 0; i < 6; ++i)
            QCOMPARE(
                Control<QLabel>(&dialog, qPrintable(QStringLiteral("step%1").arg(i + 1)))->text(),
                Utf8(texts[i]));
    }

    void flowChartHeading_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("shown");
        QTest::newRow("none given") << QString() << Utf8("Le diagramme de calcul est le suivant:");
        QTest::newRow("the view's blank") << QStringLiteral(" ") << QStringLiteral(" ");
        QTest::newRow("a text") << QStringLiteral("Etape suivante")
                                << QStringLiteral("Etape suivante");
    }
    void flowChartHeading()
    {
        QFETCH(QString, given);
        QFETCH(QString, shown);
        FlowDialog dialog(TutorStage::Stiffness, given);
        QCOMPARE(Control<QLabel>(&dialog, "heading")->text(), shown);
    }

    // The six pieces are six different pictures, and only ids of the chart have one.
    void flowChartPictures()
    {
        const int ids[6] = {129, 131, 127, 128, 132, 130};
        QList<QImage> images;
        for (int id : ids) {
            const QPixmap picture = FlowDialog::Picture(id, 2.0);
            QVERIFY(!picture.isNull());
            QCOMPARE(picture.devicePixelRatio(), 2.0);
            images.append(picture.toImage());
        }
        for (int i = 0; i < 6; ++i)
            for (int j = i + 1; j < 6; ++j)
                QVERIFY(images[i] != images[j]);
        QVERIFY(FlowDialog::Picture(126).isNull());
        QVERIFY(FlowDialog::Picture(133).isNull());
    }
};

QTEST_MAIN(TestStepDialogs)
#include "tst_stepdialogs.moc"
