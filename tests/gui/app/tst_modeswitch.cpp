// Switching one document between the editor and its calculation frame, offscreen: the question
// before leaving a running solution, frames created or found, minimised and maximised, the
// solution ended when the structure changed meanwhile, the enabling of the switch commands, and
// a mode that activating a frame does not change.
#include "TestHooks.h"
#include "gui/AppTestSupport.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/VelmorApp.h"
#include "app/VelmorDoc.h"
#include "platform/qt/shell/Settings.h"
#include "resources/StringTable.h"
#include "tutor/VelmorSplitterFrame.h"
#include "tutor/core/VelmorTutor.h"
#include "views/VelmorView3dEjemplo.h"

#include <QDialog>
#include <QDockWidget>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTest>

using namespace velmor;

class TestModeSwitch : public QObject
{
    Q_OBJECT

    std::unique_ptr<VelmorApp> m_app;
    test::RecordMessages* m_messages = nullptr;

    // An example open in the examples with its step-by-step solution started.
    VelmorSplitterFrame* solving(const char* name, Mode mode = Mode::Examples)
    {
        m_app->SetMode(mode);
        if (!m_app->OpenDocument(QString(VELMOR_EXAMPLES) + "/" + name))
            return nullptr;
        auto* frame = qobject_cast<VelmorSplitterFrame*>(m_app->ActiveFrame());
        if (!frame)
            return nullptr;
        SolutionDialogs& d = static_cast<VelmorView3dEjemplo*>(frame->View())->Dialogs();
        d.step = [](TutorStage, bool, int) { return int(QDialog::Accepted); };
        d.flow = [](TutorStage) { return int(QDialog::Accepted); };
        m_app->OnCommand(32808);
        return frame;
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
    }

    void cleanup()
    {
        test::StopApp(m_app, m_messages);
    }

    void leavingARunningSolutionAsksFirst()
    {
        VelmorSplitterFrame* calc = solving("portique-simple.vlm");
        QVERIFY(calc);
        VelmorDoc& doc = calc->Document();
        QVERIFY(doc.Tutor().IsActive());

        // Cancel: nothing changes.
        m_messages->answers = {MessageAnswer::Cancel};
        QVERIFY(m_app->OnCommand(ID_SWITCH_LIBRARY));
        QCOMPARE(m_messages->messages.back(), std::string(LoadString(61340)));
        QCOMPARE(m_app->ActiveFrame(), calc);
        QVERIFY(m_app->CurrentMode() == Mode::Examples);
        QCOMPARE(int(m_app->FramesOf(doc).size()), 1);

        // OK: an editor frame next to the calculation, which is minimised.
        m_messages->answers = {MessageAnswer::Ok};
        QVERIFY(m_app->OnCommand(ID_SWITCH_LIBRARY));
        ChildFrame* editor = m_app->ActiveFrame();
        QVERIFY(editor && editor != calc);
        QVERIFY(editor->FrameMode() == Mode::Library);
        QVERIFY(editor->isMaximized());
        QVERIFY(calc->isMinimized());
        QVERIFY(m_app->CurrentMode() == Mode::Library);
        QVERIFY(!doc.Changed());

        // Back to the examples unchanged: the solution goes on in the frame it had.
        QVERIFY(m_app->IsEnabled(ID_SWITCH_EXAMPLES));
        QVERIFY(!m_app->IsEnabled(ID_SWITCH_EXERCISES)); // the examples show this document
        QVERIFY(m_app->OnCommand(ID_SWITCH_EXAMPLES));
        QCOMPARE(m_app->ActiveFrame(), calc);
        QVERIFY(calc->isMaximized());
        QVERIFY(editor->isMinimized());
        QVERIFY(doc.Tutor().IsActive());
        QVERIFY(m_app->CurrentMode() == Mode::Examples);
        QCOMPARE(int(m_app->FramesOf(doc).size()), 2);
    }

    void anEditEndsTheSolutionOnTheWayBack()
    {
        VelmorSplitterFrame* calc = solving("portique-simple.vlm");
        QVERIFY(calc);
        VelmorDoc& doc = calc->Document();
        m_messages->answers = {MessageAnswer::Ok};
        QVERIFY(m_app->Switch(Mode::Library));
        // The teacher moves the work box (any change of the structure will do).
        doc.editWorkBox = [](Mfx3dBox& box, Mfx3dPoint& step) {
            box = Mfx3dBox(Mfx3dPoint(-1, -1, 0), Mfx3dPoint(12, 9, 0));
            step = Mfx3dPoint(0.5, 0.5, 0);
            return true;
        };
        doc.OnLimits();
        QVERIFY(doc.Changed());
        m_messages->messages.clear();
        QVERIFY(m_app->Switch(Mode::Examples));
        QCOMPARE(m_messages->messages, std::vector<std::string>{LoadString(61343)});
        QVERIFY(!doc.Tutor().IsActive());
        QVERIFY(!calc->TutorBar()->isVisible());
        QCOMPARE(m_app->ActiveFrame(), calc);
    }

    void switchingToTheExercisesMakesTheirFrame()
    {
        m_app->SetMode(Mode::Library);
        QVERIFY(m_app->OpenDocument(QString(VELMOR_EXAMPLES) + "/poutre-deux-travees.vlm"));
        ChildFrame* editor = m_app->ActiveFrame();
        VelmorDoc& doc = editor->Document();
        QVERIFY(m_app->Switch(Mode::Exercises));
        auto* calc = qobject_cast<VelmorSplitterFrame*>(m_app->ActiveFrame());
        QVERIFY(calc);
        QVERIFY(calc->FrameMode() == Mode::Exercises);
        QVERIFY(editor->isMinimized());
        QVERIFY(doc.Problem().CurrentMode() == Mode::Exercises);
        // One calculation frame a document: no examples while its exercise is shown.
        m_app->Main()->Mdi()->setActiveSubWindow(editor);
        QVERIFY(!m_app->IsEnabled(ID_SWITCH_EXAMPLES));
        QVERIFY(m_app->IsEnabled(ID_SWITCH_EXERCISES));
        // Activating a frame changes the structure's frame, not the application's mode.
        QVERIFY(m_app->CurrentMode() == Mode::Exercises);
        QVERIFY(doc.Problem().CurrentMode() == Mode::Library);
    }
};

QTEST_MAIN(TestModeSwitch)
#include "tst_modeswitch.moc"
