// The whole program used as in a lesson, offscreen, through its menus, its mouse clicks and its
// real dialogs: a teacher builds a two-span continuous beam, saves it, solves it step by step in
// "Exemples" and prints the report to PDF; then edits the structure while a solution runs and
// comes back to "La structure a changé.". Each ends with what its user keeps (the file, the PDF)
// and compares the numbers shown with velmor-cli solve on the saved file.
#include "TestHooks.h"
#include "gui/AppTestSupport.h"
#include "gui/dialogs/DialogTestSupport.h"
#include "analysis/ResultReport.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/VelmorApp.h"
#include "app/VelmorDoc.h"
#include "dialogs/BeamLoadDialog.h"
#include "dialogs/ProblemTypeDialog.h"
#include "dialogs/SectionDialog.h"
#include "dialogs/SupportDialog.h"
#include "dialogs/WorkBoxDialog.h"
#include "platform/qt/shell/Settings.h"
#include "resources/StringTable.h"
#include "tutor/ResultBars.h"
#include "tutor/ResultReportPrinter.h"
#include "tutor/VelmorSplitterFrame.h"
#include "tutor/core/VelmorTutor.h"
#include "views/VelmorView3dEdit.h"
#include "views/core/ProgramOptions.h"
#include "views/VelmorView3dEjemplo.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDockWidget>
#include <QLineEdit>
#include <QMdiArea>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace velmor;
using test::Control;

namespace {

void type(QDialog* d, const char* id, const QString& text)
{
    auto* edit = Control<QLineEdit>(d, id);
    QVERIFY2(edit, id);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// The words of a text, so that columns compare whatever their spacing.
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

} // namespace

class TestScenarios : public QObject
{
    Q_OBJECT

    std::unique_ptr<VelmorApp> m_app;
    test::RecordMessages* m_messages = nullptr;
    QTemporaryDir m_dir;

    VelmorView3dEdit* editor() { return qobject_cast<VelmorView3dEdit*>(m_app->ActiveFrame()->View()); }

    QPoint at(VelmorBaseView* view, const Mfx3dPoint& p)
    {
        const MfxPoint d = view->Camera().Project(p);
        return QPoint(int(std::lround(d.x)) - view->horizontalScrollBar()->value(),
                      int(std::lround(d.y)) - view->verticalScrollBar()->value());
    }
    void click(VelmorBaseView* view, QPoint p)
    {
        QTest::mouseMove(view->viewport(), p);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, p);
    }
    // A toolbar button of the active frame, pressed with the mouse.
    void press(int id)
    {
        QAction* a = m_app->ActiveFrame()->Inner()->findChild<QAction*>(QString::number(id));
        QVERIFY2(a, qPrintable(QString::number(id)));
        QVERIFY2(a->isEnabled(), qPrintable(QString::number(id)));
        a->trigger();
    }

    // The teacher's structure: two spans of 5 m on three pinned supports, 10 kN/m on both.
    QString buildTwoSpanBeam()
    {
        // "Créer...": the type, then the work box and its grid.
        test::WhenModal<ProblemTypeDialog>([](ProblemTypeDialog* d) {
            Control<QRadioButton>(d, "254")->click();
            test::WhenModal<WorkBoxDialog>([](WorkBoxDialog* w) {
                type(w, "120", "0");
                type(w, "119", "10");
                type(w, "116", "0.5");
                test::Click(w, "1");
            });
            test::Click(d, "1");
        });
        m_app->OnCommand(ID_MODE_CREATE);
        if (!m_app->ActiveFrame())
            return {};
        VelmorView3dEdit* view = editor();
        QCoreApplication::processEvents();

        press(ID_ELEMENT_NEW);
        press(ID_TOOL_NODE);
        for (double x : {0.0, 5.0, 10.0})
            click(view, at(view, Mfx3dPoint(x, 0, 0)));
        // The section: 30 x 50 cm, concrete.
        test::WhenModal<SectionDialog>([](SectionDialog* d) {
            type(d, "228", "30");
            type(d, "220", "50");
            type(d, "218", "3000000");
            test::Click(d, "1");
        });
        press(ID_TOOL_SECTION);
        for (auto [a, b] : {std::pair{0.0, 5.0}, {5.0, 10.0}}) {
            click(view, at(view, Mfx3dPoint(a, 0, 0)));
            click(view, at(view, Mfx3dPoint(b, 0, 0)));
        }
        press(ID_TOOL_SUPPORT);
        for (double x : {0.0, 5.0, 10.0}) {
            test::WhenModal<SupportDialog>([](SupportDialog* d) {
                Control<QAbstractButton>(d, "145")->click();
                test::Click(d, "1");
            });
            click(view, at(view, Mfx3dPoint(x, 0, 0)));
        }
        press(ID_TOOL_LOAD);
        for (double x : {2.0, 7.0}) {
            test::WhenModal<BeamLoadDialog>([](BeamLoadDialog* d) {
                type(d, "157", "-10000");
                test::Click(d, "1");
            });
            click(view, at(view, Mfx3dPoint(x, 0, 0)));
        }
        test::Shoot(m_app->Main(), "scenario-teacher-editor");
        const QString path = m_dir.filePath("deux-travees.vlm");
        if (!m_app->ActiveDocument()->OnSaveDocument(path))
            return {};
        return path;
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
        m_app->Main()->resize(1280, 860);
        m_app->Main()->show();
        QCoreApplication::processEvents();
    }

    void cleanup()
    {
        test::StopApp(m_app, m_messages);
    }

    void teacherBuildsSolvesStepByStepAndPrints()
    {
        const QString path = buildTwoSpanBeam();
        QVERIFY(!path.isEmpty());
        VelmorProblem& built = m_app->ActiveDocument()->Problem();
        QCOMPARE(built.Count(KIND_NODE), size_t(3));
        QCOMPARE(built.Count(KIND_BEAM), size_t(2));
        QCOMPARE(built.Count(KIND_SUPPORT), size_t(3));
        QCOMPARE(built.Count(KIND_BEAM_LOAD), size_t(2));
        QVERIFY(!m_app->ActiveDocument()->IsModified());

        // "Basculer vers Exemples", then "Pas à Pas" and the tutor bar to the end.
        QVERIFY(m_app->OnCommand(ID_SWITCH_EXAMPLES));
        auto* calc = qobject_cast<VelmorSplitterFrame*>(m_app->ActiveFrame());
        QVERIFY(calc);
        SolutionDialogs& d = static_cast<VelmorView3dEjemplo*>(calc->View())->Dialogs();
        d.step = [](TutorStage, bool, int) { return int(QDialog::Accepted); };
        d.flow = [](TutorStage) { return int(QDialog::Accepted); };
        QVERIFY(m_app->OnCommand(32808));
        QVERIFY(m_app->OnCommand(32811));
        VelmorTutor& tutor = calc->Tutor();
        auto* finish = calc->TutorBar()->findChild<QPushButton*>("32884");
        auto* examine = calc->TutorBar()->findChild<QPushButton*>("32883");
        for (int guard = 0; guard < 60 && tutor.Done() != TutorStage::Results; ++guard) {
            QTest::mouseClick(finish->isEnabled() ? finish : examine, Qt::LeftButton);
            if (tutor.Done() == TutorStage::Stiffness && tutor.Target() == TutorStage::Loads)
                test::Shoot(m_app->Main(), "scenario-teacher-step-by-step");
        }
        QCOMPARE(tutor.Done(), TutorStage::Results);
        QVERIFY(m_app->IsEnabled(ID_FILE_PRINT));
        // The middle support's rotation is zero by symmetry: the bar says 0 as the report does,
        // not the round-off the step-by-step solution leaves in it.
        const VelmorObject* middle = built.List(KIND_NODE).FindNumber(2);
        calc->ShowResults(ResultBar::Displacements, middle, true);
        QCOMPARE(calc->Bar(ResultBar::Displacements)->Box(356)->text(), QString::asprintf("%8.3g", 0.0));

        // The report as a PDF, with the numbers velmor-cli solve gives for the saved file.
        const QString pdf = m_dir.filePath("rapport.pdf");
        QVERIFY(ResultReportPrinter(*tutor.CurrentAnalysis(), calc->Document().Title()).ExportPdf(pdf));
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QStringList printed = words(QString::fromUtf8(text.readAllStandardOutput()));
        const QString solved = cli({"solve", path});
        QVERIFY(solved.contains(QString::fromUtf8("Déplacements:")));
        QFile::copy(pdf, QString(VELMOR_ARTEFACTS) + "/scenario-teacher-report.pdf");
        for (const QString& line : solved.split('\n')) {
            const QStringList w = words(line);
            if (w.isEmpty())
                continue;
            const QString joined = w.join(' ');
            QVERIFY2(printed.join(' ').contains(joined), qPrintable(joined));
        }
        // Middle support of two equal spans under q: R = 10 q L / 8 = 62.5 kN.
        QVERIFY(printed.join(' ').contains("6.25e+04"));
        QFile::copy(pdf, QString(VELMOR_ARTEFACTS) + "/scenario-teacher-report.pdf");
    }

    void anEditAfterTheSolutionLeavesNoStaleDiagram()
    {
        const QString path = buildTwoSpanBeam();
        QVERIFY(!path.isEmpty());
        QVERIFY(m_app->OnCommand(ID_SWITCH_EXAMPLES));
        auto* calc = qobject_cast<VelmorSplitterFrame*>(m_app->ActiveFrame());
        QVERIFY(calc);
        QVERIFY(m_app->OnCommand(32809)); // "Solution Finale"
        QVERIFY(m_app->OnCommand(32844)); // "Moment z"
        VelmorBaseView* view = calc->View();
        const Palette palette;
        const PaletteColour c = palette.Entry(PAL_MOMENT_LAW);
        const QRgb moment = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
        const auto momentPixels = [&] {
            view->viewport()->repaint();
            const QImage image = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    if (std::abs(qRed(p) - qRed(moment)) + std::abs(qGreen(p) - qGreen(moment)) +
                            std::abs(qBlue(p) - qBlue(moment)) < 30)
                        ++n;
                }
            return n;
        };
        QVERIFY(momentPixels() > 100);
        test::Shoot(m_app->Main(), "scenario-teacher-moments");

        // The teacher lifts the middle support's load in the editor and comes back.
        QVERIFY(m_app->OnCommand(ID_SWITCH_LIBRARY));
        VelmorView3dEdit* editor3d = editor();
        press(ID_ELEMENT_DELETE);
        press(ID_TOOL_LOAD);
        m_messages->answers = {MessageAnswer::Yes};
        click(editor3d, at(editor3d, Mfx3dPoint(2.0, 0, 0)));
        QCOMPARE(m_app->ActiveDocument()->Problem().Count(KIND_BEAM_LOAD), size_t(1));
        QVERIFY(m_app->OnCommand(ID_SWITCH_EXAMPLES));
        QCOMPARE(m_app->ActiveFrame(), calc);
        // The moments on screen were those of the old structure: none is drawn any more.
        QCOMPARE(momentPixels(), 0);
        // Solved again, the new structure's moments come.
        QVERIFY(m_app->OnCommand(32809));
        QVERIFY(momentPixels() > 100);
    }

    void teacherEditsWhileTheSolutionRuns()
    {
        const QString path = buildTwoSpanBeam();
        QVERIFY(!path.isEmpty());
        QVERIFY(m_app->OnCommand(ID_SWITCH_EXAMPLES));
        auto* calc = qobject_cast<VelmorSplitterFrame*>(m_app->ActiveFrame());
        QVERIFY(calc);
        SolutionDialogs& d = static_cast<VelmorView3dEjemplo*>(calc->View())->Dialogs();
        d.step = [](TutorStage, bool, int) { return int(QDialog::Accepted); };
        d.flow = [](TutorStage) { return int(QDialog::Accepted); };
        QVERIFY(m_app->OnCommand(32808));
        QVERIFY(m_app->OnCommand(32811));
        auto* examine = calc->TutorBar()->findChild<QPushButton*>("32883");
        QTest::mouseClick(examine, Qt::LeftButton);
        QVERIFY(calc->Tutor().IsActive());

        // Back to the editor (the question answered OK) to move the last support's node.
        m_messages->answers = {MessageAnswer::Ok};
        QVERIFY(m_app->OnCommand(ID_SWITCH_LIBRARY));
        QCOMPARE(m_messages->messages.back(), std::string(LoadString(61340)));
        VelmorView3dEdit* view = editor();
        QVERIFY(view);
        press(ID_ELEMENT_MODIFY);
        press(ID_TOOL_NODE);
        click(view, at(view, Mfx3dPoint(10, 0, 0)));
        QVERIFY(view->DraggedNode());
        QTest::mouseMove(view->viewport(), at(view, Mfx3dPoint(11, 0, 0)));
        click(view, at(view, Mfx3dPoint(12, 0, 0)));
        QVERIFY(!view->DraggedNode());
        QVERIFY(m_app->ActiveDocument()->OnSaveDocument(path));

        // Back to the examples: the running solution belongs to the old structure.
        m_messages->messages.clear();
        QVERIFY(m_app->OnCommand(ID_SWITCH_EXAMPLES));
        QCOMPARE(m_messages->messages, std::vector<std::string>{LoadString(61343)});
        QVERIFY(!calc->Tutor().IsActive());
        test::Shoot(m_app->Main(), "scenario-teacher-structure-changed");

        // Solved again at once, it is the new structure's solution.
        QVERIFY(m_app->OnCommand(32809));
        const Analysis& a = *calc->Tutor().CurrentAnalysis();
        QVERIFY(a.IsCurrent());
        const QString solved = cli({"solve", path, "--json"});
        const QStringList reportLines = [&] {
            QStringList l;
            for (const std::string& s : ResultReportLines(a))
                l << QString::fromStdString(s);
            return l;
        }();
        const QString human = cli({"solve", path});
        for (const QString& line : human.split('\n'))
            if (!words(line).isEmpty())
                QVERIFY2(words(reportLines.join(' ')).join(' ').contains(words(line).join(' ')), qPrintable(line));
        QVERIFY(solved.contains("displacements"));
    }
};

QTEST_MAIN(TestScenarios)
#include "tst_scenarios.moc"
