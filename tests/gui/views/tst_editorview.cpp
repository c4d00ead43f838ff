// The structure editor driven with the mouse on a real view, offscreen: the node cursor and its
// grid, a portal frame built click by click and saved, delete with its refusals and its
// question, dragging a node, hinges, and undo/redo through the whole history with the modified
// flag.
#include "gui/dialogs/DialogTestSupport.h"
#include "app/VelmorDoc.h"
#include "model/DocumentFile.h"
#include "model/VelmorNudo.h"
#include "views/VelmorView3dEdit.h"
#include "views/core/ProgramOptions.h"
#include "resources/StringTable.h"

#include <QFile>
#include <cmath>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace velmor;

namespace {

ProgramOptions& testOptions()
{
    static ProgramOptions options;
    return options;
}

// Answers every question with `answer` and records the texts.
class ScriptedMessages : public MessageService
{
public:
    explicit ScriptedMessages(MessageAnswer answer) : m_answer(answer) { m_previous = SetMessageService(this); }
    ~ScriptedMessages() override { SetMessageService(m_previous); }
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;
    MessageAnswer Show(std::string_view text, MessageButtons buttons, MessageIcon) override
    {
        texts.emplace_back(text);
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : m_answer;
    }
    void Beep() override {}
    std::vector<std::string> texts;

private:
    MessageAnswer m_answer;
    MessageService* m_previous = nullptr;
};

// A new plane-frame document with the work box (0, 0)-(10, 8) and a grid of 0.5 m.
std::unique_ptr<VelmorDoc> newPlaneFrame(int type = PROBLEM_PLANE_FRAME)
{
    auto doc = std::make_unique<VelmorDoc>();
    doc->SetOptions(testOptions());
    doc->chooseProblemType = [type](int) { return type; };
    doc->editWorkBox = [type](Mfx3dBox& box, Mfx3dPoint& step) {
        box = Mfx3dBox(Mfx3dPoint(0, 0, 0), Mfx3dPoint(10, 8, type >= PROBLEM_SPACE_FRAME ? 6 : 0));
        step = Mfx3dPoint(0.5, 0.5, type >= PROBLEM_SPACE_FRAME ? 0.5 : 0.0);
        return true;
    };
    if (!doc->OnNewDocument())
        return nullptr;
    doc->Problem().SyncMode(Mode::Library);
    return doc;
}

struct Editor
{
    std::unique_ptr<VelmorDoc> doc;
    std::unique_ptr<VelmorView3dEdit> view;

    explicit Editor(int type = PROBLEM_PLANE_FRAME) : doc(newPlaneFrame(type))
    {
        view = std::make_unique<VelmorView3dEdit>(*doc);
        view->resize(640, 480);
        view->show();
        view->Setup();
        EditorDialogs& d = view->Dialogs();
        // A 30 x 50 cm concrete section, a fixed or pinned support by the node, 10 kN
        // sideways at a node and 5 kN/m down a beam.
        d.section = [](VelmorSeccionData& s, int) {
            s.m_nShape = SHAPE_RECTANGULAR;
            s.m_b = 0.3;
            s.m_h = 0.5;
            s.m_A = 0.15;
            s.m_Iz = 0.3 * 0.125 / 12;
            s.m_Iy = 0.027 * 0.5 / 12;
            s.m_J = s.m_Iy + s.m_Iz;
            s.m_E = 3e10;
            return true;
        };
        d.support = [this](VelmorApoyoData& a, int problemType) {
            a.m_nType = nextSupport;
            for (int i = 0; i < 6; ++i)
                a.m_restraint[i] = nextSupport == 1 ? 1 : (i < 3 ? 1 : 0);
            VelmorApoyoData::OrientationFor(a.m_nType, problemType, a.m_orientation);
            return true;
        };
        d.nodalLoad = [this](VelmorCargaData& l, int) {
            l.m_point[0] = nextNodal;
            return true;
        };
        d.beamLoad = [](VelmorCargaData& l, int, int, int, int, double) {
            l.m_nType = LOAD_CONSTANT_GLOBAL;
            l.m_point[0] = l.m_point[2] = Mfx3dPoint(0, -5000, 0);
            return true;
        };
    }

    QPoint At(const Mfx3dPoint& p) const
    {
        const MfxPoint d = view->Camera().Project(p);
        return QPoint(int(d.x) - view->horizontalScrollBar()->value(),
                      int(d.y) - view->verticalScrollBar()->value());
    }
    QPoint NodeAt(int number) const
    {
        Mfx3dPoint p;
        doc->Problem().List(KIND_NODE).FindNumber(number)->GetPosition(p, 0, 0);
        return At(p);
    }
    void Click(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseMove(view->viewport(), p);
        QTest::mousePress(view->viewport(), button, {}, p);
        QTest::mouseRelease(view->viewport(), button, {}, p);
    }
    void PlaceNode(double x, double y)
    {
        Click(At(Mfx3dPoint(x, y, 0)));
    }
    std::string Bytes() { return StoreProblem(doc->Problem(), true); }

    int nextSupport = 1;
    Mfx3dPoint nextNodal{10000, 0, 0};
};

// Node 1 (0, 0) fixed, 2 (0, 4) loaded sideways, 3 (6, 4), 4 (6, 0) pinned; beam 2 carries
// the distributed load.
void buildPortal(Editor& e)
{
    e.view->OnCommand(ID_ELEMENT_NEW);
    e.view->OnCommand(ID_TOOL_NODE);
    for (auto [x, y] : {std::pair{0.0, 0.0}, {0.0, 4.0}, {6.0, 4.0}, {6.0, 0.0}})
        e.PlaceNode(x, y);
    e.view->OnCommand(ID_TOOL_SECTION);
    for (auto [a, b] : {std::pair{1, 2}, {2, 3}, {3, 4}}) {
        e.Click(e.NodeAt(a));
        e.Click(e.NodeAt(b));
    }
    e.view->OnCommand(ID_TOOL_SUPPORT);
    e.nextSupport = 1;
    e.Click(e.NodeAt(1));
    e.nextSupport = 2;
    e.Click(e.NodeAt(4));
    e.view->OnCommand(ID_TOOL_LOAD);
    e.Click(e.NodeAt(2));
    Mfx3dPoint mid(3, 4, 0);
    e.Click(e.At(mid));
}

} // namespace

class TestEditorView : public QObject
{
    Q_OBJECT

private slots:
    void cursorSnapsToTheGridOfBothSigns()
    {
        Editor e;
        e.view->OnCommand(ID_ELEMENT_NEW);
        e.view->OnCommand(ID_TOOL_NODE);
        QCOMPARE(e.view->Action(), int(ACTION_ADD));
        QCOMPARE(e.view->Tool(), int(TOOL_NODE));
        // A device point a little beside each model point: the grid takes the cursor back.
        struct Case { double x, y, ex, ey; } cases[] = {
            {1.35, 2.0, 1.5, 2.0}, {3.2, 4.9, 3.0, 5.0}, {-1.35, 1.0, -1.0, 1.0}, {2.0, -1.35, 2.0, -1.0}};
        for (const Case& c : cases) {
            QTest::mouseMove(e.view->viewport(), e.At(Mfx3dPoint(c.x, c.y, 0)));
            QVERIFY(e.view->CursorShown());
            QCOMPARE(e.view->CursorPoint().x, c.ex);
            QCOMPARE(e.view->CursorPoint().y, c.ey);
        }
        // Points outside the work box enlarged it.
        QCOMPARE(e.doc->Problem().m_box.MinCorner().x, -1.0);
        QCOMPARE(e.doc->Problem().m_box.MinCorner().y, -1.0);
        QVERIFY(e.doc->IsModified());
    }

    void nodeCursorNeverLeavesATrace()
    {
        Editor e;
        const QImage before = e.view->viewport()->grab().toImage();
        e.view->OnCommand(ID_ELEMENT_NEW);
        e.view->OnCommand(ID_TOOL_NODE);
        QTest::mouseMove(e.view->viewport(), e.At(Mfx3dPoint(5, 4, 0)));
        const QImage with = e.view->viewport()->grab().toImage();
        QVERIFY(with != before);
        e.view->OnCommand(ID_ELEMENT_DELETE); // another action hides the cursor
        QVERIFY(!e.view->CursorShown());
        QCOMPARE(e.view->viewport()->grab().toImage(), before);
    }

    void rightClickTakesTheCursorToTheZStageAndBack()
    {
        Editor e(PROBLEM_SPACE_FRAME);
        e.view->OnCommand(ID_ELEMENT_NEW);
        e.view->OnCommand(ID_TOOL_NODE);
        QVERIFY(e.view->XyStage());
        e.Click(e.At(Mfx3dPoint(2, 2, 0)), Qt::RightButton);
        QVERIFY(!e.view->XyStage());
        e.Click(e.At(Mfx3dPoint(2, 2, 0)), Qt::RightButton);
        QVERIFY(e.view->XyStage());
        QCOMPARE(e.doc->Problem().Count(KIND_NODE), size_t(0));

        // x and y fixed at (2, 2), the mouse going up the screen lifts the node.
        QTest::mouseMove(e.view->viewport(), e.At(Mfx3dPoint(2, 2, 0)));
        e.Click(e.At(Mfx3dPoint(2, 2, 0)), Qt::RightButton);
        const QPoint up = e.At(Mfx3dPoint(2, 2, 3));
        QTest::mouseMove(e.view->viewport(), up);
        QCOMPARE(e.view->CursorPoint().x, 2.0);
        QCOMPARE(e.view->CursorPoint().y, 2.0);
        QVERIFY(e.view->CursorPoint().z > 1.0);
        QCOMPARE(std::fmod(e.view->CursorPoint().z, 0.5), 0.0);
        QTest::mousePress(e.view->viewport(), Qt::LeftButton, {}, up);
        QCOMPARE(e.doc->Problem().Count(KIND_NODE), size_t(1));
        Mfx3dPoint p;
        e.doc->Problem().List(KIND_NODE).FindNumber(1)->GetPosition(p, 0, 0);
        QCOMPARE(p.z, e.view->CursorPoint().z);
        QVERIFY(e.view->XyStage()); // ready for the next node
    }

    void portalFrameBuiltWithTheMouseAndUndoneStepByStep()
    {
        test::RecordingMessages messages;
        Editor e;
        const std::string empty = e.Bytes();
        buildPortal(e);
        VelmorProblem& p = e.doc->Problem();
        QCOMPARE(p.Count(KIND_NODE), size_t(4));
        QCOMPARE(p.Count(KIND_SECTION), size_t(1));
        QCOMPARE(p.Count(KIND_BEAM), size_t(3));
        QCOMPARE(p.Count(KIND_SUPPORT), size_t(2));
        QCOMPARE(p.Count(KIND_NODAL_LOAD), size_t(1));
        QCOMPARE(p.Count(KIND_BEAM_LOAD), size_t(1));
        QVERIFY2(messages.texts.empty(), messages.texts.empty() ? "" : messages.texts[0].c_str());
        QVERIFY(test::Shoot(e.view.get(), "editor-portal"));
        // The distributed load is on the top beam (2 -> 3).
        const VelmorObject* loaded = p.List(KIND_BEAM_LOAD).FindNumber(1)->GetParent(0);
        QCOMPARE(loaded->GetParent(1)->Number(), 2);
        QCOMPARE(loaded->GetParent(2)->Number(), 3);

        // The saved file is the golden portal.
        QTemporaryDir dir;
        const QString path = dir.filePath("portique.vlm");
        QVERIFY(e.doc->OnSaveDocument(path));
        QVERIFY(!e.doc->IsModified());
        QFile saved(path), golden(QStringLiteral(VELMOR_TEST_DATA "/editor-portal.vlm"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        if (!golden.open(QIODevice::ReadOnly))
            QFAIL(qPrintable("no golden file; this build wrote:\n" + QString::fromUtf8(bytes)));
        QCOMPARE(bytes, golden.readAll());
        const std::string full = e.Bytes();

        // Undo back to empty, then redo to the same bytes; the modified flag follows the
        // saved state.
        QUndoStack& undo = e.doc->UndoStack();
        const int steps = undo.index();
        QCOMPARE(steps, 4 + 1 + 3 + 2 + 2);
        QVERIFY(e.view->OnCommand(ID_EDIT_UNDO));
        QVERIFY(e.doc->IsModified());
        QVERIFY(e.doc->Changed());
        QVERIFY(e.view->OnCommand(ID_EDIT_REDO));
        QVERIFY(!e.doc->IsModified());
        while (e.view->IsEnabled(ID_EDIT_UNDO))
            e.view->OnCommand(ID_EDIT_UNDO);
        QCOMPARE(e.Bytes(), empty);
        QVERIFY(e.doc->IsModified());
        QCOMPARE(e.view->Display().size(), size_t(0));
        while (e.view->IsEnabled(ID_EDIT_REDO))
            e.view->OnCommand(ID_EDIT_REDO);
        QCOMPARE(e.Bytes(), full);
        QVERIFY(!e.doc->IsModified());
        // Every element is shown again, and the editor goes on building on them.
        QCOMPARE(e.view->Display().size(), size_t(4 + 1 + 3 + 2 + 2));
        e.view->OnCommand(ID_ELEMENT_NEW);
        e.view->OnCommand(ID_TOOL_NODE);
        e.PlaceNode(9, 2);
        QCOMPARE(p.Count(KIND_NODE), size_t(5));
        QVERIFY(e.doc->IsModified());
        QVERIFY(!e.view->IsEnabled(ID_EDIT_REDO));
    }

    void deleteRefusalsAndTheCascadeQuestion()
    {
        Editor e;
        buildPortal(e);
        VelmorProblem& p = e.doc->Problem();
        {
            ScriptedMessages no(MessageAnswer::No);
            e.view->OnCommand(ID_ELEMENT_DELETE);
            e.view->OnCommand(ID_TOOL_SECTION);
            VelmorObject* section = p.List(KIND_SECTION).FindNumber(1);
            const PixelRect r = e.view->Display().EntryOf(*section)->Rect();
            e.Click(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
            QCOMPARE(no.texts.size(), size_t(1));
            QCOMPARE(no.texts[0], std::string(LoadString(61226)));
            QCOMPARE(p.Count(KIND_SECTION), size_t(1));
            // A node with beams is kept when the question is answered No.
            e.view->OnCommand(ID_TOOL_NODE);
            e.Click(e.NodeAt(2));
            QCOMPARE(no.texts.back(), std::string(LoadString(61281)));
            QCOMPARE(p.Count(KIND_NODE), size_t(4));
        }
        ScriptedMessages yes(MessageAnswer::Yes);
        const int before = e.doc->UndoStack().index();
        e.Click(e.NodeAt(2));
        // Node 2 goes with its two beams, its load and the top beam's load.
        QCOMPARE(p.Count(KIND_NODE), size_t(3));
        QCOMPARE(p.Count(KIND_BEAM), size_t(1));
        QCOMPARE(p.Count(KIND_NODAL_LOAD), size_t(0));
        QCOMPARE(p.Count(KIND_BEAM_LOAD), size_t(0));
        QCOMPARE(int(p.List(KIND_NODE).size()), 3);
        QCOMPARE(e.doc->UndoStack().index(), before + 1);
        e.view->OnCommand(ID_EDIT_UNDO);
        QCOMPARE(p.Count(KIND_BEAM), size_t(3));
        QCOMPARE(p.Count(KIND_BEAM_LOAD), size_t(1));
        // A beam without the active section: delete the beams, the section is still refused
        // while it is the active one.
        e.view->OnCommand(ID_TOOL_BEAM);
        for (const QPoint& at : {e.At(Mfx3dPoint(0, 2, 0)), e.At(Mfx3dPoint(3, 4, 0)), e.At(Mfx3dPoint(6, 2, 0))})
            e.Click(at);
        QCOMPARE(p.Count(KIND_BEAM), size_t(0));
        yes.texts.clear();
        e.view->OnCommand(ID_TOOL_SECTION);
        const PixelRect r = e.view->Display().EntryOf(*p.List(KIND_SECTION).FindNumber(1))->Rect();
        e.Click(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        QCOMPARE(yes.texts, std::vector<std::string>{LoadString(61226)});
    }

    void beamWithoutSectionAndNodeTooClose()
    {
        test::RecordingMessages messages;
        Editor e;
        e.view->OnCommand(ID_ELEMENT_NEW);
        e.view->OnCommand(ID_TOOL_NODE);
        e.PlaceNode(2, 2);
        e.PlaceNode(2.1, 2.1); // the same grid point
        QCOMPARE(e.doc->Problem().Count(KIND_NODE), size_t(1));
        QCOMPARE(messages.texts.size(), size_t(1));
        QVERIFY(QString::fromStdString(messages.texts[0]).contains("trop proche"));
        e.view->OnCommand(ID_TOOL_BEAM);
        e.Click(e.NodeAt(1));
        QCOMPARE(messages.texts.back(), std::string(LoadString(61265)));
        QCOMPARE(e.view->EndsPicked(), 0);
    }

    void dragANodeIsOneStep()
    {
        Editor e;
        buildPortal(e);
        const int steps = e.doc->UndoStack().index();
        e.view->OnCommand(ID_ELEMENT_MODIFY);
        e.view->OnCommand(ID_TOOL_NODE);
        e.Click(e.NodeAt(3));
        QVERIFY(e.view->DraggedNode());
        for (double x = 6.0; x <= 8.0; x += 0.5)
            QTest::mouseMove(e.view->viewport(), e.At(Mfx3dPoint(x, 5, 0)));
        e.Click(e.At(Mfx3dPoint(8, 5, 0)));
        QVERIFY(!e.view->DraggedNode());
        Mfx3dPoint p;
        e.doc->Problem().List(KIND_NODE).FindNumber(3)->GetPosition(p, 0, 0);
        QCOMPARE(p.x, 8.0);
        QCOMPARE(p.y, 5.0);
        QCOMPARE(e.doc->UndoStack().index(), steps + 1);
        e.view->OnCommand(ID_EDIT_UNDO);
        e.doc->Problem().List(KIND_NODE).FindNumber(3)->GetPosition(p, 0, 0);
        QCOMPARE(p.x, 6.0);
        QCOMPARE(p.y, 4.0);
    }

    void hingeToggleAndNewHingedNode()
    {
        Editor e;
        buildPortal(e);
        QVERIFY(!e.view->IsEnabled(ID_TOOL_HINGE)); // load tool
        e.view->OnCommand(ID_ELEMENT_MODIFY);
        e.view->OnCommand(ID_TOOL_NODE);
        QVERIFY(e.view->IsEnabled(ID_TOOL_HINGE));
        e.view->OnCommand(ID_TOOL_HINGE);
        QVERIFY(e.view->IsChecked(ID_TOOL_HINGE));
        e.Click(e.NodeAt(3));
        const auto joint = [&](int n) {
            return static_cast<const VelmorNudoData&>(*e.doc->Problem().List(KIND_NODE).FindNumber(n)->m_pData).m_nJoint;
        };
        QCOMPARE(joint(3), 1);
        e.Click(e.NodeAt(3));
        QCOMPARE(joint(3), 0);
        e.view->OnCommand(ID_ELEMENT_NEW);
        e.view->OnCommand(ID_TOOL_NODE);
        e.PlaceNode(9, 7);
        QCOMPARE(joint(5), 1);
        // One step: undoing the node undoes its hinge with it.
        e.view->OnCommand(ID_EDIT_UNDO);
        QCOMPARE(e.doc->Problem().Count(KIND_NODE), size_t(4));
    }

    void modifyLoadToZeroDeletesIt()
    {
        Editor e;
        buildPortal(e);
        e.view->OnCommand(ID_ELEMENT_MODIFY);
        e.view->OnCommand(ID_TOOL_LOAD);
        e.nextNodal = Mfx3dPoint(0, 0, 0);
        e.view->Dialogs().nodalLoad = [](VelmorCargaData& l, int) {
            for (Mfx3dPoint& q : l.m_point)
                q = Mfx3dPoint(0, 0, 0);
            return true;
        };
        const VelmorObject* load = e.doc->Problem().List(KIND_NODAL_LOAD).FindNumber(1);
        const PixelRect r = e.view->Display().EntryOf(*load)->Rect();
        e.Click(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        QCOMPARE(e.doc->Problem().Count(KIND_NODAL_LOAD), size_t(0));
    }

    void workBoxTypeAndClearAllAreUndoable()
    {
        Editor e;
        buildPortal(e);
        const std::string built = e.Bytes();
        ScriptedMessages yes(MessageAnswer::Yes);
        e.doc->OnClearAll();
        QCOMPARE(e.doc->Problem().Count(KIND_NODE), size_t(0));
        e.doc->editWorkBox = [](Mfx3dBox& box, Mfx3dPoint& step) {
            box = Mfx3dBox(Mfx3dPoint(-5, -5, 0), Mfx3dPoint(20, 20, 0));
            step = Mfx3dPoint(1, 1, 0);
            return true;
        };
        e.doc->OnLimits();
        QCOMPARE(e.doc->Problem().m_gridStep.x, 1.0);
        e.view->OnCommand(ID_EDIT_UNDO);
        QCOMPARE(e.doc->Problem().m_gridStep.x, 0.5);
        e.view->OnCommand(ID_EDIT_UNDO);
        QCOMPARE(e.Bytes(), built);
    }

    void repairedDocumentStartsModifiedAndStaysSo()
    {
        test::RecordingMessages messages;
        VelmorDoc doc;
        doc.SetOptions(testOptions());
        QVERIFY(doc.OnOpenDocument(QStringLiteral(VELMOR_TEST_DATA "/fuzz/text/missing-node.vlm")));
        QVERIFY(doc.IsModified()); // what it lost is not in the file any more
        QVERIFY(!doc.Changed());
        doc.Problem().SyncMode(Mode::Library);
        VelmorView3dEdit view(doc);
        view.resize(640, 480);
        view.show();
        view.Setup();
        view.OnCommand(ID_ELEMENT_NEW);
        view.OnCommand(ID_TOOL_NODE);
        QTest::mouseMove(view.viewport(), QPoint(300, 200));
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(300, 200));
        QVERIFY(doc.Changed());
        QVERIFY(view.OnCommand(ID_EDIT_UNDO));
        QVERIFY(doc.IsModified());
        QVERIFY(doc.Changed()); // undoing is a change the solution must learn of
        QTemporaryDir dir;
        QVERIFY(doc.OnSaveDocument(dir.filePath("repaired.vlm")));
        QVERIFY(!doc.IsModified());
        QVERIFY(doc.Changed()); // saving leaves it
        QVERIFY(view.OnCommand(ID_EDIT_REDO));
        QVERIFY(doc.IsModified());
        QVERIFY(view.OnCommand(ID_EDIT_UNDO));
        QVERIFY(!doc.IsModified());
    }

    void historyStaysBounded()
    {
        Editor e;
        e.view->OnCommand(ID_ELEMENT_NEW);
        e.view->OnCommand(ID_TOOL_NODE);
        e.PlaceNode(1, 1);
        QTemporaryDir dir;
        QVERIFY(e.doc->OnSaveDocument(dir.filePath("a.vlm")));
        // Steps whose snapshots carry a long title fill the history past its limit.
        const std::string big(VelmorDoc::kHistoryLimit / 20, 'x');
        for (int i = 0; i < 30; ++i)
            e.doc->Edit("Titre", [&] {
                e.doc->Problem().m_name = big + std::to_string(i);
                return true;
            });
        QVERIFY(e.doc->HistoryBytes() <= VelmorDoc::kHistoryLimit);
        QVERIFY(e.doc->UndoStack().count() < 31);
        QVERIFY(e.doc->IsModified());
        // The saved state was dropped with the oldest steps: undoing never clears the flag.
        while (e.doc->UndoStack().canUndo()) {
            e.doc->UndoStack().undo();
            QVERIFY(e.doc->IsModified());
        }
    }
};

QTEST_MAIN(TestEditorView)
#include "tst_editorview.moc"
