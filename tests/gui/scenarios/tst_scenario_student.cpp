// The teacher's two-span beam worked by a student in "Exercices", offscreen: the nodes numbered
// in the student's own order, beams and supports clicked, every diagram of both beams drawn, and
// the numbers the program ends with compared node by node with velmor-cli solve on the file.
#include "TestHooks.h"
#include "gui/AppTestSupport.h"
#include "gui/ExerciseDriving.h"
#include "analysis/Analysis.h"
#include "analysis/ResultReport.h"
#include "app/MainFrame.h"
#include "app/VelmorApp.h"
#include "app/VelmorDoc.h"
#include "gui/dialogs/DialogTestSupport.h"
#include "model/DocumentFile.h"
#include "model/StructureBuilder.h"
#include "model/VelmorNudo.h"
#include "platform/qt/shell/Settings.h"
#include "tutor/VelmorSplitterFrame.h"
#include "tutor/core/VelmorTutor.h"
#include "views/VelmorView3dEjemplo.h"
#include "views/core/DialogRules.h"

#include <QDialog>
#include <QDockWidget>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace velmor;

namespace {

QStringList words(const QString& text)
{
    return text.simplified().split(' ', Qt::SkipEmptyParts);
}

QString cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(VELMOR_CLI), args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One report read back: its lines per section, and the displacement and reaction columns of
// each node keyed by the node's coordinates. Every section labels a node with its analysis
// number (the student's numbering in an exercise).
struct ReadReport
{
    QMap<QString, QStringList> lines; // section title -> its non-empty lines
    QMap<QString, QStringList> displacement, reaction;
};

ReadReport readReport(const QStringList& text)
{
    ReadReport r;
    QString section;
    QMap<QString, QString> byNumber; // analysis number -> coordinates
    for (const QString& line : text) {
        QStringList w = words(line);
        if (w.isEmpty()) continue;
        if (w.last().endsWith(':')) {
            section = w.join(' ');
            continue;
        }
        r.lines[section] << w.join(' ');
        bool number = false;
        w.first().toInt(&number);
        if (!number) continue; // the column titles
        const QString label = w.takeFirst();
        if (section == QStringLiteral("Coordonnées:")) {
            byNumber[label] = w.join(' ');
        } else if (section == QStringLiteral("Déplacements:")) {
            r.displacement[byNumber.value(label, "?" + label)] = w;
        } else if (section == QStringLiteral("Réactions:")) {
            r.reaction[byNumber.value(label, "?" + label)] = w;
        }
    }
    return r;
}

} // namespace

class TestScenarioStudent : public QObject
{
    Q_OBJECT

    std::unique_ptr<VelmorApp> m_app;
    test::RecordMessages* m_messages = nullptr;
    QTemporaryDir m_dir;

    // The teacher's structure as the editor builds it: two spans of 5 m on three pinned
    // supports, 10 kN/m downwards on both, a 30 x 50 cm concrete section whose values are those
    // the section dialog computes from b, h and E typed in its units.
    QString teachersBeam()
    {
        SectionValues typed;
        typed.shape = SHAPE_RECTANGULAR;
        typed.b = 30;
        typed.h = 50;
        typed.E = 3000000;
        if (!ComputeSection(typed, PROBLEM_CONTINUOUS_BEAM)) return {};
        VelmorSeccionData section;
        SectionFromDialogUnits(typed, SectionValues{}, section);

        VelmorProblem problem;
        {
            StructureBuilder b(problem, PROBLEM_CONTINUOUS_BEAM);
            VelmorObject* s = b.Section(section);
            VelmorObject* n1 = b.Node(0, 0, 0);
            VelmorObject* n2 = b.Node(5, 0, 0);
            VelmorObject* n3 = b.Node(10, 0, 0);
            VelmorObject* left = b.Beam(s, n1, n2);
            VelmorObject* right = b.Beam(s, n2, n3);
            for (VelmorObject* n : {n1, n2, n3})
                b.Support(n, 2, {1, 1, 1, 0, 0, 0});
            for (VelmorObject* beam : {left, right})
                b.BeamLoad(beam, LOAD_CONSTANT_GLOBAL, {0, -10000, 0});
        }
        const QString path = m_dir.filePath("deux-travees.vlm");
        std::string error;
        return SaveProblemFile(problem, path.toStdString(), true, error) ? path : QString();
    }

    VelmorSplitterFrame* open(const QString& path) { return test::OpenExercise(*m_app, path); }

    // A picture of the main window once the toolbars changed meanwhile are laid out.
    bool shoot(const QString& name)
    {
        QCoreApplication::processEvents();
        return test::Shoot(m_app->Main(), "scenario-student-" + name);
    }

    // Steps 1 to 5 by clicks: the nodes left, right, middle; then the beams and supports on the
    // structure and "Examiner" wherever the tutor waits. Leaves the tutor at the laws.
    void solveByClicks(VelmorSplitterFrame* frame, VelmorView3dEjemplo* view)
    {
        VelmorTutor& tutor = frame->Tutor();
        VelmorProblem& problem = frame->Document().Problem();
        QVERIFY(view->OnCommand(32808)); // "Pas à Pas"
        QVERIFY(view->OnCommand(32811)); // "Numérotation des Noeuds"
        QCOMPARE(tutor.Target(), TutorStage::Numbering);
        const auto& nodes = problem.List(KIND_NODE);
        QCOMPARE(nodes.size(), size_t(3));
        Mfx3dPoint p;
        for (int i : {0, 2, 1})
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              test::OnScreen(*view, nodes.at(size_t(i))->GetPosition(p, 0, 0)));
        // The numbers are those of the clicks, not of the list.
        QCOMPARE(nodes.at(0)->GetNumber(0), 1);
        QCOMPARE(nodes.at(2)->GetNumber(0), 2);
        QCOMPARE(nodes.at(1)->GetNumber(0), 3);
        QVERIFY(tutor.Target() > TutorStage::Numbering);
        QVERIFY(shoot("numbered"));

        test::AssembleAndSolveByClicks(frame, view);
        if (QTest::currentTestFailed()) return;
        // The analysis kept the student's numbering.
        for (auto [i, n] : {std::pair{0, 1}, {1, 3}, {2, 2}})
            QCOMPARE(static_cast<const VelmorNudo&>(*nodes.at(size_t(i))).Data().m_nAnalysisNumber,
                     n);
    }

    // Step 6: both laws of a continuous beam on each beam; the first beam's choices through
    // the menu commands, the second's through the drawing toolbar; the second beam's shear by
    // "Automatique"; "Constant" refused once for a curve.
    void drawEveryDiagram(VelmorSplitterFrame* frame, VelmorView3dEjemplo* view)
    {
        VelmorTutor& tutor = frame->Tutor();
        const DiagramChecker& checker = view->Checker();
        const auto analysis = tutor.CurrentAnalysis();
        const auto& beams = frame->Document().Problem().List(KIND_BEAM);
        QCOMPARE(frame->ToolbarResource(), 1017);
        // A continuous beam carries neither axial force nor anything out of its plane.
        for (int command :
             {CMD_LAW_AXIAL, CMD_LAW_SHEAR_Z, CMD_LAW_MOMENT_Y, CMD_LAW_TORSION, CMD_DIAGRAM_QUIT})
            QVERIFY2(!view->IsEnabled(command), qPrintable(QString::number(command)));

        bool wrongChoiceSeen = false, automaticUsed = false, pictureTaken = false;
        for (size_t b = 0; b < beams.size(); ++b) {
            VelmorObject* beam = beams.at(b);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, test::AlongBeam(*view, *beam, 0.5));
            QCOMPARE(view->CurrentBeam(), beam);
            for (int command : {CMD_LAW_MOMENT_Z, CMD_LAW_SHEAR_Y}) {
                const int law = DiagramLawOfCommand(command);
                // Under a load all along, neither law is zero on a span.
                QVERIFY(!analysis->LawDoneFlag(*beam, law));
                QVERIFY(view->IsEnabled(command));
                QVERIFY(view->OnCommand(command));
                QVERIFY(view->LawDrawingRuns());
                QVERIFY(view->IsChecked(command));
                QCOMPARE(checker.Law(), law);
                QCOMPARE(frame->ToolbarResource(), 1018);
                QVERIFY(view->IsEnabled(CMD_DIAGRAM_AUTOMATIC));
                m_messages->messages.clear();

                if (b == 1 && law == CODE_VY) {
                    for (int guard = 0; guard < 20 && !checker.Finished(); ++guard)
                        QVERIFY(view->OnCommand(CMD_DIAGRAM_AUTOMATIC));
                    automaticUsed = true;
                } else {
                    test::LawDrawing how;
                    how.onToolbar = b == 1; // the second beam's choices on the drawing toolbar
                    how.wrongChoiceSeen = &wrongChoiceSeen;
                    how.halfDrawn = [&] {
                        if (!pictureTaken)
                            pictureTaken = shoot("half-drawn");
                    };
                    test::DrawRunningLaw(frame, view, *beam, *m_messages, how);
                }
                QVERIFY(checker.Finished());
                QCOMPARE(m_messages->messages, std::vector<std::string>{"Algorithme terminé."});
                QVERIFY(analysis->LawDoneFlag(*beam, law));
                QVERIFY(!view->IsEnabled(command));
            }
            m_messages->messages.clear();
            QVERIFY(view->OnCommand(CMD_DIAGRAM_QUIT)); // "Quitter"
            QVERIFY(!view->LawDrawingRuns());
            if (b + 1 < beams.size()) {
                QVERIFY(m_messages->messages.empty());
                QCOMPARE(tutor.Target(), TutorStage::Laws);
            }
        }
        QVERIFY(wrongChoiceSeen);
        QVERIFY(automaticUsed);
        QVERIFY(pictureTaken);
        QVERIFY(analysis->DiagramsDone());
        QCOMPARE(m_messages->messages,
                 std::vector<std::string>{"Tous les diagrammes sont terminés."});
        QCOMPARE(tutor.Done(), TutorStage::Results);
        QVERIFY(shoot("all-drawn"));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Settings::OpenStore().clear();
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        test::StartApp(m_app, m_messages);
    }

    void cleanup()
    {
        test::StopApp(m_app, m_messages);
    }

    void studentWorksTheTeachersBeam()
    {
        const QString path = teachersBeam();
        QVERIFY(!path.isEmpty());
        VelmorSplitterFrame* frame = open(path);
        QVERIFY(frame);
        m_app->Main()->show();
        m_app->Main()->resize(1280, 860);
        QCoreApplication::processEvents();
        auto* view = static_cast<VelmorView3dEjemplo*>(frame->View());
        solveByClicks(frame, view);
        if (QTest::currentTestFailed()) return;
        drawEveryDiagram(frame, view);
        if (QTest::currentTestFailed()) return;

        // The teacher's reactions: q L (3/8, 10/8, 3/8) upwards at x = 0, 5, 10.
        const Analysis& a = *frame->Tutor().CurrentAnalysis();
        const long c = a.DofPerNode();
        QVERIFY(a.DofMask()[1]);
        const long ty = a.DofMask()[0] ? 2 : 1; // the place of Fy in a node's part
        const auto& nodes = frame->Document().Problem().List(KIND_NODE);
        for (auto [i, expected] : {std::pair{0, 18750.0}, {1, 62500.0}, {2, 18750.0}}) {
            const long k =
                static_cast<const VelmorNudo&>(*nodes.at(size_t(i))).Data().m_nAnalysisNumber;
            const double r = a.Reactions().At((k - 1) * c + ty);
            QVERIFY2(std::abs(r - expected) < 1e-6 * expected, qPrintable(QString::number(r)));
        }

        // What the program shows against velmor-cli solve on the same file.
        QStringList shown;
        for (const std::string& s : ResultReportLines(a))
            shown << QString::fromStdString(s);
        const QString solvedText = cli({"solve", path});
        QVERIFY(solvedText.contains(QString::fromUtf8("Réactions:")));
        const ReadReport program = readReport(shown), solved = readReport(solvedText.split('\n'));
        const QString moved = QString::fromUtf8("Déplacements:");
        const QString reactions = QString::fromUtf8("Réactions:");
        // Each numbers the reactions as its coordinates: the lines differ by their labels only.
        QCOMPARE(program.lines.value(reactions).size(), solved.lines.value(reactions).size());
        QCOMPARE(solved.lines.value(reactions).size(), 4); // the titles and three supports
        // The displacements are in the numbering of each: the titles and the first node, which
        // the student numbered as the list does, read alike; every node compares by its place.
        QCOMPARE(program.lines.value(moved).size(), solved.lines.value(moved).size());
        QCOMPARE(program.lines.value(moved).first(), solved.lines.value(moved).first());
        QVERIFY(program.lines.value(moved).contains(solved.lines.value(moved).at(1)));
        QCOMPARE(solved.displacement.size(), 3);
        QCOMPARE(program.displacement, solved.displacement);
        QCOMPARE(solved.reaction.size(), 3);
        QCOMPARE(program.reaction, solved.reaction);
        // The numbering shows: the middle node is the student's third.
        QVERIFY(shown.join('\n').contains(QRegularExpression("\\n\\s+3\\s+5\\.000\\s")));
        QVERIFY(solvedText.contains(QRegularExpression("\\n\\s+2\\s+5\\.000\\s")));
    }
};

QTEST_MAIN(TestScenarioStudent)
#include "tst_scenario_student.moc"
