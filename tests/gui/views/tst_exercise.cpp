// A whole exercise as a student works it, offscreen: a two-span beam opened in "Exercices", its
// nodes numbered, its beams and supports clicked, then every diagram of every beam drawn with the
// "&Diagramme" commands, one wrong choice refused, one law drawn by "Automatique", and "Quitter"
// once all are drawn leading to the results.
#include "TestHooks.h"
#include "gui/AppTestSupport.h"
#include "gui/ExerciseDriving.h"
#include "app/MainFrame.h"
#include "app/VelmorApp.h"
#include "app/VelmorDoc.h"
#include "model/DocumentFile.h"
#include "model/StructureBuilder.h"
#include "platform/qt/shell/Settings.h"
#include "tutor/VelmorSplitterFrame.h"
#include "tutor/core/VelmorTutor.h"
#include "views/VelmorView3dEjemplo.h"

#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace velmor;

namespace {

void saveArtefact(QWidget* widget, const QString& name)
{
    QDir().mkpath(VELMOR_ARTEFACTS);
    widget->grab().save(QString(VELMOR_ARTEFACTS) + "/" + name);
}

// The pictures of a toolbar's buttons side by side at 48 x 48.
void saveToolbarIcons(const QToolBar& bar, const QString& name)
{
    const QList<QAction*> actions = bar.actions();
    QImage sheet(int(actions.size()) * 56, 56, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int x = 4;
    for (QAction* a : actions) {
        if (!a->icon().isNull()) painter.drawPixmap(x, 4, a->icon().pixmap(QSize(48, 48)));
        x += 56;
    }
    painter.end();
    QDir().mkpath(VELMOR_ARTEFACTS);
    sheet.save(QString(VELMOR_ARTEFACTS) + "/" + name);
}

} // namespace

class TestExercise : public QObject
{
    Q_OBJECT

    std::unique_ptr<VelmorApp> m_app;
    test::RecordMessages* m_messages = nullptr;
    QTemporaryDir m_dir;

    // Two spans of 4 m and 3 m, pinned at the left and on rollers elsewhere, under a uniform
    // load on the first span and a point load in the middle of the second.
    QString twoSpanBeam()
    {
        VelmorProblem problem;
        {
            StructureBuilder b(problem, PROBLEM_PLANE_FRAME);
            VelmorObject* s = b.Rectangle(0.2, 0.4, 2.1e11, 0.3);
            VelmorObject* n1 = b.Node(0, 0, 0);
            VelmorObject* n2 = b.Node(4, 0, 0);
            VelmorObject* n3 = b.Node(7, 0, 0);
            VelmorObject* left = b.Beam(s, n1, n2);
            b.Beam(s, n2, n3);
            b.Support(n1, 9, {1, 1, 0, 0, 0, 0});
            b.Support(n2, 9, {0, 1, 0, 0, 0, 0});
            b.Support(n3, 9, {0, 1, 0, 0, 0, 0});
            b.BeamLoad(left, LOAD_CONSTANT_LOCAL, {0, -3000, 0});
        }
        const QString path = m_dir.filePath("deux-travees.vlm");
        std::string error;
        return SaveProblemFile(problem, path.toStdString(), true, error) ? path : QString();
    }

    VelmorSplitterFrame* open(const QString& path) { return test::OpenExercise(*m_app, path); }

    // Steps 1 to 5 by the student's clicks (the nodes, beams and supports on the structure,
    // "Examiner" for what a click half did, for the loads, the solution and the results): the
    // tutor stands at the laws.
    static void solveByClicks(VelmorSplitterFrame* frame, VelmorView3dEjemplo* view)
    {
        VelmorTutor& tutor = frame->Tutor();
        VelmorProblem& problem = frame->Document().Problem();
        QVERIFY(view->OnCommand(32808)); // "Pas à Pas"
        QVERIFY(view->OnCommand(32811)); // "Numérotation des Noeuds"
        QCOMPARE(tutor.Target(), TutorStage::Numbering);
        // Right to left: the student's own order.
        const auto& nodes = problem.List(KIND_NODE);
        const int count = int(nodes.size());
        Mfx3dPoint p;
        for (int i = count - 1; i >= 0; --i)
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              test::OnScreen(*view, nodes.at(size_t(i))->GetPosition(p, 0, 0)));
        for (int i = 0; i < count; ++i)
            QCOMPARE(nodes.at(size_t(i))->GetNumber(0), count - i);
        QVERIFY(tutor.Target() > TutorStage::Numbering);
        test::AssembleAndSolveByClicks(frame, view);
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

    void everyDiagramOfEveryBeamDrawn()
    {
        const QString path = twoSpanBeam();
        QVERIFY(!path.isEmpty());
        VelmorSplitterFrame* frame = open(path);
        QVERIFY(frame);
        auto* view = static_cast<VelmorView3dEjemplo*>(frame->View());
        VelmorTutor& tutor = frame->Tutor();
        solveByClicks(frame, view);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(frame->ToolbarResource(), 1017);
        const DiagramChecker& checker = view->Checker();
        const auto analysis = tutor.CurrentAnalysis();
        const auto& beams = frame->Document().Problem().List(KIND_BEAM);
        QVERIFY(!view->IsEnabled(CMD_LAW_MOMENT_Y)); // a plane problem
        QVERIFY(!view->IsEnabled(CMD_LAW_TORSION));
        QVERIFY(!view->IsEnabled(CMD_DIAGRAM_QUIT));

        bool wrongChoiceSeen = false, automaticUsed = false, pictureTaken = false;
        for (size_t b = 0; b < beams.size(); ++b) {
            VelmorObject* beam = beams.at(b);
            for (int command : {CMD_LAW_MOMENT_Z, CMD_LAW_SHEAR_Y, CMD_LAW_AXIAL}) {
                const int law = DiagramLawOfCommand(command);
                if (command != CMD_LAW_MOMENT_Z && analysis->LawDoneFlag(*beam, law)) {
                    // A law that is zero all along is done from the start: it cannot be chosen.
                    QVERIFY(!view->IsEnabled(command));
                    continue;
                }
                // The first law of a beam: the beam first, then the law; the second: the law
                // is chosen while the first one is still shown.
                if (command == CMD_LAW_MOMENT_Z) {
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                      test::AlongBeam(*view, *beam, 0.5));
                    QCOMPARE(view->CurrentBeam(), beam);
                    QVERIFY(!view->LawDrawingRuns());
                }
                QVERIFY(view->IsEnabled(command));
                QVERIFY(view->OnCommand(command));
                QVERIFY(view->LawDrawingRuns());
                QVERIFY(view->IsChecked(command));
                QCOMPARE(checker.Law(), law);
                QCOMPARE(frame->ToolbarResource(), 1018);
                QVERIFY(view->IsEnabled(CMD_DIAGRAM_QUIT));
                QVERIFY(view->IsEnabled(CMD_DIAGRAM_AUTOMATIC));
                QCOMPARE(checker.Progress(), -1.0);
                // The help drawings: the loads always, the moment beside the shear once the
                // moment is drawn on this beam, never the shear beside the shear.
                QVERIFY(!view->ShowLoad());
                QVERIFY(view->OnCommand(CMD_SHOW_LOAD));
                QVERIFY(view->IsChecked(CMD_SHOW_LOAD));
                QVERIFY(view->ShowLoad());
                QVERIFY(view->OnCommand(CMD_SHOW_LOAD));
                QVERIFY(!view->ShowLoad());
                QVERIFY(!view->IsEnabled(CMD_SHOW_SHEAR));
                QCOMPARE(view->IsEnabled(CMD_SHOW_MOMENT), law == CODE_VY);
                if (law == CODE_VY) {
                    QVERIFY(view->OnCommand(CMD_SHOW_MOMENT));
                    QVERIFY(view->ShowMoment());
                    QVERIFY(view->IsChecked(CMD_SHOW_MOMENT));
                }
                m_messages->messages.clear();

                if (!automaticUsed && b == 1 && law == CODE_VY) {
                    // "Automatique" draws the whole law whatever is expected.
                    for (int guard = 0; guard < 20 && !checker.Finished(); ++guard)
                        QVERIFY(view->OnCommand(CMD_DIAGRAM_AUTOMATIC));
                    automaticUsed = true;
                } else {
                    test::LawDrawing how;
                    how.onToolbar = b == 1; // the second beam's choices on the drawing toolbar
                    how.wrongChoiceSeen = &wrongChoiceSeen;
                    how.halfDrawn = [&] {
                        if (pictureTaken)
                            return;
                        saveArtefact(frame->Inner(), "exercise-drawing-half.png");
                        if (auto* bar = frame->Inner()->findChild<QToolBar*>("toolbar1018"))
                            saveToolbarIcons(*bar, "exercise-drawing-toolbar.png");
                        pictureTaken = true;
                    };
                    test::DrawRunningLaw(frame, view, *beam, *m_messages, how);
                }
                QVERIFY(checker.Finished());
                QCOMPARE(m_messages->messages, std::vector<std::string>{"Algorithme terminé."});
                QVERIFY(analysis->LawDoneFlag(*beam, law));
                QVERIFY(!view->IsEnabled(command)); // done for this beam
                saveArtefact(frame->Inner(),
                             QString("exercise-beam%1-law%2-done.png").arg(b + 1).arg(law));
            }
            // Every diagram of this beam drawn; the last beam's "Quitter" ends the exercise.
            m_messages->messages.clear();
            QVERIFY(view->OnCommand(CMD_DIAGRAM_QUIT));
            QVERIFY(!view->LawDrawingRuns());
            QCOMPARE(checker.Law(), 0);
            if (b + 1 < beams.size()) {
                QVERIFY(m_messages->messages.empty());
                QCOMPARE(tutor.Target(), TutorStage::Laws);
                QCOMPARE(frame->ToolbarResource(), 1017);
            }
        }
        QVERIFY(wrongChoiceSeen);
        QVERIFY(automaticUsed);
        QVERIFY(analysis->DiagramsDone());
        QCOMPARE(m_messages->messages,
                 std::vector<std::string>{"Tous les diagrammes sont terminés."});
        QCOMPARE(tutor.Done(), TutorStage::Results);
        QCOMPARE(tutor.Target(), TutorStage::Results);
        QCOMPARE(frame->ToolbarResource(), 6);
        QVERIFY(!view->IsEnabled(CMD_LAW_MOMENT_Z));
        saveArtefact(frame->Inner(), "exercise-all-drawn.png");
    }
};

QTEST_MAIN(TestExercise)
#include "tst_exercise.moc"
