// The calculation frame driven as a student drives it, offscreen: an example opened in
// "Exemples", solved step by step with the tutor bar, the toolbars following the progress, the
// result bars filled for the problem's degrees of freedom only, and the exercises' end.
#include "TestHooks.h"
#include "gui/AppTestSupport.h"
#include "gui/dialogs/DialogTestSupport.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/VelmorApp.h"
#include "app/VelmorDoc.h"
#include "platform/qt/shell/MessageHub.h"
#include "model/DocumentFile.h"
#include "model/StructureBuilder.h"
#include "platform/qt/shell/Settings.h"
#include "tutor/ResultBars.h"
#include "tutor/VelmorSplitterFrame.h"
#include "tutor/core/VelmorTutor.h"
#include "views/VelmorView3dEjemplo.h"

#include <QDialog>
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

using namespace velmor;

class TestSplitterFrame : public QObject
{
    Q_OBJECT

    std::unique_ptr<VelmorApp> m_app;
    test::RecordMessages* m_messages = nullptr;
    std::vector<TutorStage> m_stepDialogs, m_flowDialogs;

    VelmorSplitterFrame* open(Mode mode, const char* name)
    {
        m_app->SetMode(mode);
        m_app->Main()->resize(1280, 860);
        VelmorDoc* doc = m_app->OpenDocument(QString(VELMOR_EXAMPLES) + "/" + name);
        if (!doc)
            return nullptr;
        auto* frame = qobject_cast<VelmorSplitterFrame*>(m_app->ActiveFrame());
        if (!frame)
            return nullptr;
        // The student reads each dialog and presses OK.
        SolutionDialogs& d = static_cast<VelmorView3dEjemplo*>(frame->View())->Dialogs();
        d.step = [this](TutorStage s, bool, int) {
            m_stepDialogs.push_back(s);
            return int(QDialog::Accepted);
        };
        d.flow = [this](TutorStage s) {
            m_flowDialogs.push_back(s);
            return int(QDialog::Accepted);
        };
        return frame;
    }

    void click(VelmorSplitterFrame* frame, int id)
    {
        auto* button = frame->TutorBar()->findChild<QPushButton*>(QString::number(id));
        QVERIFY(button);
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Settings::OpenStore().clear();
    }

    void init()
    {
        test::StartApp(m_app, m_messages);
        m_stepDialogs.clear();
        m_flowDialogs.clear();
    }

    void cleanup()
    {
        test::StopApp(m_app, m_messages);
    }

    void exampleSolvedStepByStepWithTheTutorBar()
    {
        VelmorSplitterFrame* frame = open(Mode::Examples, "portique-simple.vlm");
        QVERIFY(frame);
        auto* splitter = frame->Inner()->findChild<QSplitter*>("splitter");
        QVERIFY(splitter);
        QCOMPARE(splitter->count(), 2);
        QCOMPARE(frame->ToolbarResource(), 7);
        QVERIFY(!frame->TutorBar()->isVisible());
        QVERIFY(!m_app->IsEnabled(32811)); // no solution yet
        QVERIFY(m_app->IsEnabled(32808));
        for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_EXPORT_REPORT_PDF})
            QVERIFY(!m_app->IsEnabled(id));

        QVERIFY(m_app->OnCommand(32808)); // "Pas à Pas"
        VelmorTutor& tutor = frame->Tutor();
        QVERIFY(!m_app->IsEnabled(ID_FILE_PRINT));
        QVERIFY(tutor.IsActive());
        QVERIFY(frame->TutorBar()->isVisible());
        QVERIFY(m_app->OnCommand(32811)); // "Numérotation des Noeuds"
        QCOMPARE(m_stepDialogs, std::vector<TutorStage>{TutorStage::Numbering});
        QCOMPARE(tutor.Target(), TutorStage::Numbering);
        auto* task = frame->TutorBar()->findChild<QLineEdit*>("32887");
        auto* next = frame->TutorBar()->findChild<QLineEdit*>("32886");
        QVERIFY(!task->text().isEmpty());
        QVERIFY(!next->text().isEmpty());

        // "Examiner" numbers one node at a time, "Terminer" completes a step: the flow chart
        // comes between the steps and leads on to the next step's dialog.
        auto* finish = frame->TutorBar()->findChild<QPushButton*>("32884");
        QVERIFY(finish->isEnabled());
        click(frame, 32883);
        QCOMPARE(tutor.NodeDone().front(), 1);
        for (int guard = 0; guard < 40 && tutor.Done() != TutorStage::Stiffness; ++guard)
            click(frame, finish->isEnabled() ? 32884 : 32883);
        QCOMPARE(tutor.Done(), TutorStage::Stiffness);
        QVERIFY(test::Shoot(frame->Inner(), "calculation-frame-mid-solution"));
        for (int guard = 0; guard < 40 && tutor.Done() != TutorStage::Results; ++guard)
            click(frame, finish->isEnabled() ? 32884 : 32883);
        QCOMPARE(tutor.Done(), TutorStage::Results);
        for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_EXPORT_REPORT_PDF})
            QVERIFY(m_app->IsEnabled(id));
        QVERIFY(test::Shoot(frame->Inner(), "calculation-frame-results"));
        QCOMPARE(m_flowDialogs.front(), TutorStage::Stiffness);
        QCOMPARE(m_stepDialogs.back(), TutorStage::Results);
        QCOMPARE(frame->ToolbarResource(), 6);
        QVERIFY(frame->Inner()->findChild<QToolBar*>("toolbar6"));

        // The result bars: a plane frame fills x, y and the rotation about z only.
        const VelmorObject* node = frame->Document().Problem().List(KIND_NODE).FindNumber(2);
        frame->ShowResults(ResultBar::Displacements, node, true);
        ResultBar* bar = frame->Bar(ResultBar::Displacements);
        QVERIFY(bar->isVisible());
        const auto analysis = tutor.CurrentAnalysis();
        const long k = node->GetNumber(0);
        const int c = analysis->DofPerNode();
        QCOMPARE(bar->Box(351)->text(), QString::asprintf("%8.3g", analysis->Displacements().At((k - 1) * c + 1)));
        QCOMPARE(bar->Box(352)->text(), QString::asprintf("%8.3g", analysis->Displacements().At((k - 1) * c + 2)));
        QCOMPARE(bar->Box(356)->text(), QString::asprintf("%8.3g", analysis->Displacements().At((k - 1) * c + 3)));
        for (int id : {353, 354, 355})
            QVERIFY(bar->Box(id)->text().isEmpty());
        const VelmorObject* beam = frame->Document().Problem().List(KIND_BEAM).FindNumber(1);
        frame->ShowResults(ResultBar::Efforts, beam, true);
        QCOMPARE(frame->Bar(ResultBar::Efforts)->Box(365)->text(), QString("1"));
        QVERIFY(!frame->Bar(ResultBar::Efforts)->Box(357)->text().isEmpty());
        QVERIFY(frame->Bar(ResultBar::Efforts)->Box(359)->text().isEmpty());
        QVERIFY(test::Shoot(bar, "result-bar-displacements"));
        QVERIFY(test::Shoot(frame->Bar(ResultBar::Efforts), "result-bar-efforts"));
    }

    void finalSolutionAndCancel()
    {
        VelmorSplitterFrame* frame = open(Mode::Examples, "poutre-deux-travees.vlm");
        QVERIFY(frame);
        QVERIFY(m_app->OnCommand(32809)); // "Solution Finale"
        QCOMPARE(frame->Tutor().Done(), TutorStage::Results);
        QCOMPARE(frame->ToolbarResource(), 6);
        QVERIFY(!m_messages->messages.empty());
        QVERIFY(m_app->OnCommand(32808));
        QVERIFY(frame->TutorBar()->isVisible());
        click(frame, 32882); // "Annuler Solution"
        QVERIFY(!frame->Tutor().IsActive());
        // No solution, no results to show.
        for (int id : {32826, 32837, 32838, 32839, 32844})
            QVERIFY(!m_app->IsEnabled(id));
        QVERIFY(!frame->TutorBar()->isVisible());
        QCOMPARE(frame->ToolbarResource(), 7);
    }

    void stepByStepTooLargeSuggestsTheFinalSolution()
    {
        // A long chain whose ends are joined, numbered in list order: the joining beam makes
        // the band as wide as the whole system.
        VelmorProblem chain;
        {
            StructureBuilder b(chain, PROBLEM_PLANE_FRAME, true);
            VelmorSeccionData s;
            s.m_nShape = SHAPE_RECTANGULAR;
            s.m_E = 2e11;
            s.m_A = 0.01;
            s.m_Iz = 1e-4;
            VelmorObject* section = b.Section(s);
            std::vector<VelmorObject*> nodes;
            for (int i = 0; i < 6000; ++i)
                nodes.push_back(b.Node(i * 1.0, 0, 0));
            for (size_t i = 1; i < nodes.size(); ++i)
                b.Beam(section, nodes[i - 1], nodes[i]);
            b.Beam(section, nodes.front(), nodes.back());
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("chaine.vlm");
        std::string error;
        QVERIFY(SaveProblemFile(chain, path.toStdString(), true, error));
        m_app->SetMode(Mode::Examples);
        QVERIFY(m_app->OpenDocument(path));
        auto* frame = qobject_cast<VelmorSplitterFrame*>(m_app->ActiveFrame());
        QVERIFY(frame);
        m_messages->messages.clear();
        QVERIFY(m_app->OnCommand(32808));
        QVERIFY(!frame->Tutor().IsActive());
        QCOMPARE(int(m_messages->messages.size()), 1);
        QVERIFY(QString::fromStdString(m_messages->messages[0]).contains("Solution Finale"));
    }

    void helpOverTheStructureOpensTheElementsOrTheModesPage()
    {
        VelmorSplitterFrame* frame = open(Mode::Examples, "portique-simple.vlm");
        QVERIFY(frame);
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        VelmorBaseView* view = frame->View();
        const auto clickInHelpMode = [&](QPoint at) {
            QVERIFY(m_app->OnCommand(ID_CONTEXT_HELP));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        };
        Mfx3dPoint p;
        frame->Document().Problem().List(KIND_NODE).FindNumber(1)->GetPosition(p, 0, 0);
        const MfxPoint d = view->Camera().Project(p);
        clickInHelpMode(QPoint(int(d.x), int(d.y)));
        QCOMPARE(help.takeLast().at(0).toUInt(), quint32(98313));
        clickInHelpMode(QPoint(view->viewport()->width() - 3, view->viewport()->height() - 3));
        QCOMPARE(help.takeLast().at(0).toUInt(), quint32(131076));
    }

    void noDiagramToDrawBeforeTheResults()
    {
        VelmorSplitterFrame* frame = open(Mode::Exercises, "portique-simple.vlm");
        QVERIFY(frame);
        QVERIFY(m_app->OnCommand(32808));
        QVERIFY(m_app->OnCommand(32811));
        VelmorTutor& tutor = frame->Tutor();
        auto* finish = frame->TutorBar()->findChild<QPushButton*>("32884");
        auto* examine = frame->TutorBar()->findChild<QPushButton*>("32883");
        for (int guard = 0; guard < 60 && tutor.Done() != TutorStage::Solution; ++guard)
            QTest::mouseClick(finish->isEnabled() ? finish : examine, Qt::LeftButton);
        QCOMPARE(tutor.Done(), TutorStage::Solution);
        // Solved, and the results step announced, but the laws are not computed yet: "Moment
        // z" of the Diagramme menu waits for them.
        QTest::mouseClick(examine, Qt::LeftButton);
        QCOMPARE(tutor.Target(), TutorStage::Results);
        QVERIFY(!tutor.ResultsComputed());
        QVERIFY(!m_app->IsEnabled(32860));
        for (int guard = 0; guard < 10 && !tutor.ResultsComputed(); ++guard)
            QTest::mouseClick(examine, Qt::LeftButton);
        QVERIFY(tutor.ResultsComputed());
        QVERIFY(m_app->IsEnabled(32860));
    }

    void exercisesStopBeforeTheLaws()
    {
        VelmorSplitterFrame* frame = open(Mode::Exercises, "portique-simple.vlm");
        QVERIFY(frame);
        QVERIFY(m_app->OnCommand(32809));
        QCOMPARE(frame->Tutor().Done(), TutorStage::Solution);
        QCOMPARE(frame->Tutor().Target(), TutorStage::Laws);
        QCOMPARE(frame->ToolbarResource(), 1017);
    }
};

QTEST_MAIN(TestSplitterFrame)
#include "tst_splitterframe.moc"
