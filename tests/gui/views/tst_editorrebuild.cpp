// Every shipped example built again from nothing in the editor, click by click, as a teacher
// would with the dialogs (typed coordinates, the section, support and load dialogs answered
// with the example's values): the saved structure solves to the example's displacements and
// reactions, node for node matched by coordinates, and undoing the whole history empties it.
#include "gui/dialogs/DialogTestSupport.h"
#include "analysis/Analysis.h"
#include "app/VelmorDoc.h"
#include "model/DocumentFile.h"
#include "model/VelmorNudo.h"
#include "model/VelmorViga.h"
#include "views/VelmorView3dEdit.h"
#include "views/core/ProgramOptions.h"

#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <deque>

using namespace velmor;

namespace {

ProgramOptions& testOptions()
{
    static ProgramOptions options;
    return options;
}

Mfx3dPoint position(const VelmorObject& node)
{
    Mfx3dPoint p;
    node.GetPosition(p, 0, 0);
    return p;
}

// The node of `problem` at the position, or null.
const VelmorObject* nodeAt(const VelmorProblem& problem, const Mfx3dPoint& p)
{
    for (const auto& n : problem.List(KIND_NODE)) {
        const Mfx3dPoint q = position(*n);
        if (q.x == p.x && q.y == p.y && q.z == p.z)
            return n.get();
    }
    return nullptr;
}

} // namespace

class TestEditorRebuild : public QObject
{
    Q_OBJECT

private slots:
    void everyExampleBuiltAgainWithTheMouse_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString& f : QDir(VELMOR_EXAMPLES).entryList({"*.vlm"}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(f)) << f;
    }

    void everyExampleBuiltAgainWithTheMouse()
    {
        QFETCH(QString, file);
        test::RecordingMessages messages;
        VelmorDoc example;
        example.SetOptions(testOptions());
        QVERIFY(example.OnOpenDocument(QString(VELMOR_EXAMPLES "/") + file));
        const VelmorProblem& source = example.Problem();

        ProgramOptions& options = testOptions();
        options.Set(OPT_COORDINATE_ENTRY, true);
        // A space frame's beams are each given their orientation.
        options.Set(OPT_BEAM_WITH_ORIENTATION, source.m_nType == PROBLEM_SPACE_FRAME);
        VelmorDoc doc;
        doc.SetOptions(options);
        doc.chooseProblemType = [&](int) { return source.m_nType; };
        doc.editWorkBox = [&](Mfx3dBox& box, Mfx3dPoint& step) {
            box = source.m_box;
            step = source.m_gridStep;
            return true;
        };
        QVERIFY(doc.OnNewDocument());
        doc.Problem().SyncMode(Mode::Library);
        VelmorView3dEdit view(doc);
        view.resize(900, 700);
        view.show();
        view.Setup();

        // What the dialogs answer, in the order the editor asks.
        std::deque<Mfx3dPoint> points;
        std::deque<const VelmorObjectData*> records;
        EditorDialogs& d = view.Dialogs();
        d.coordinates = [&](Mfx3dPoint& p, int) {
            if (points.empty())
                return false;
            p = points.front();
            points.pop_front();
            return true;
        };
        const auto answer = [&](VelmorObjectData& record) {
            if (records.empty())
                return false;
            const int number = record.m_number;
            record.Assign(*records.front());
            record.m_number = number;
            records.pop_front();
            return true;
        };
        d.section = [&](VelmorSeccionData& r, int) { return answer(r); };
        d.support = [&](VelmorApoyoData& r, int) { return answer(r); };
        d.nodalLoad = [&](VelmorCargaData& r, int) { return answer(r); };
        d.beamLoad = [&](VelmorCargaData& r, int, int, int, int, double) { return answer(r); };

        const auto at = [&](const Mfx3dPoint& p) {
            const MfxPoint dev = view.Camera().Project(p);
            return QPoint(int(std::lround(dev.x)) - view.horizontalScrollBar()->value(),
                          int(std::lround(dev.y)) - view.verticalScrollBar()->value());
        };
        const auto click = [&](QPoint p) {
            QTest::mouseMove(view.viewport(), p);
            QTest::mousePress(view.viewport(), Qt::LeftButton, {}, p);
            QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, p);
        };
        const auto centre = [&](const VelmorObject& e) {
            const PixelRect r = view.Display().EntryOf(e)->Rect();
            return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        };
        VelmorProblem& built = doc.Problem();

        // Nodes typed in the coordinates dialog, then the hinges clicked in.
        view.OnCommand(ID_ELEMENT_NEW);
        for (const auto& n : source.List(KIND_NODE)) {
            points.push_back(position(*n));
            view.OnCommand(ID_TOOL_NODE);
        }
        QCOMPARE(built.Count(KIND_NODE), source.Count(KIND_NODE));
        options.Set(OPT_COORDINATE_ENTRY, false);
        view.OnCommand(ID_ELEMENT_MODIFY);
        view.OnCommand(ID_TOOL_NODE);
        view.OnCommand(ID_TOOL_HINGE);
        for (const auto& n : source.List(KIND_NODE))
            if (static_cast<const VelmorNudoData&>(*n->m_pData).m_nJoint)
                click(at(position(*n)));
        view.OnCommand(ID_TOOL_HINGE);

        // Sections, each then picked for its beams; a space frame's beams are given their
        // orientation when the editor asks.
        view.OnCommand(ID_ELEMENT_NEW);
        for (const auto& s : source.List(KIND_SECTION)) {
            records.push_back(s->m_pData.get());
            view.OnCommand(ID_TOOL_SECTION);
        }
        QCOMPARE(built.Count(KIND_SECTION), source.Count(KIND_SECTION));
        view.OnCommand(ID_TOOL_BEAM);
        for (const auto& b : source.List(KIND_BEAM)) {
            const VelmorObject* section = built.List(KIND_SECTION).FindNumber(b->GetParent(0)->Number());
            click(centre(*section));
            QCOMPARE(view.ActiveSection(), section);
            // The teacher types a vector that gives the beam its local axes: the local z axis
            // does, whatever the file's orientation (one along the beam leaves the program to
            // choose the axes).
            if (source.m_nType == PROBLEM_SPACE_FRAME) {
                const MfxTMatrix axes = static_cast<const VelmorViga&>(*b).LocalAxes();
                points.push_back(Mfx3dPoint(axes(1, 3), axes(2, 3), axes(3, 3)));
            }
            click(at(position(*b->GetParent(1))));
            click(at(position(*b->GetParent(2))));
        }
        QCOMPARE(built.Count(KIND_BEAM), source.Count(KIND_BEAM));

        // Supports and loads through their dialogs.
        view.OnCommand(ID_TOOL_SUPPORT);
        for (const auto& s : source.List(KIND_SUPPORT)) {
            records.push_back(s->m_pData.get());
            click(at(position(*s->GetParent(0))));
        }
        QCOMPARE(built.Count(KIND_SUPPORT), source.Count(KIND_SUPPORT));
        view.OnCommand(ID_TOOL_LOAD);
        for (const auto& l : source.List(KIND_NODAL_LOAD)) {
            records.push_back(l->m_pData.get());
            click(at(position(*l->GetParent(0))));
        }
        for (const auto& l : source.List(KIND_BEAM_LOAD)) {
            records.push_back(l->m_pData.get());
            // A point of the beam away from its ends and from where diagonals cross.
            const VelmorObject& beam = *l->GetParent(0);
            const Mfx3dPoint a = position(*beam.GetParent(1)), b = position(*beam.GetParent(2));
            click(at(a + (b - a) * 0.37));
        }
        QCOMPARE(built.Count(KIND_NODAL_LOAD), source.Count(KIND_NODAL_LOAD));
        QCOMPARE(built.Count(KIND_BEAM_LOAD), source.Count(KIND_BEAM_LOAD));
        QVERIFY(points.empty());
        QVERIFY(records.empty());
        QVERIFY2(messages.texts.empty(), messages.texts.empty() ? "" : messages.texts[0].c_str());
        QVERIFY(test::Shoot(&view, "editor-rebuilt-" + QFileInfo(file).baseName()));

        // Saved, read back and solved: the same results as the shipped example, node by node.
        QTemporaryDir dir;
        QVERIFY(doc.OnSaveDocument(dir.filePath(file)));
        VelmorProblem reread, shipped;
        QCOMPARE(int(LoadProblemFile(reread, dir.filePath(file).toStdString(), FileForm::Text).status),
                 int(LoadStatus::Ok));
        QCOMPARE(int(LoadProblemFile(shipped, (QString(VELMOR_EXAMPLES "/") + file).toStdString(),
                                     FileForm::Text).status),
                 int(LoadStatus::Ok));
        QVERIFY(SolveAtOnce(reread).Ok());
        QVERIFY(SolveAtOnce(shipped).Ok());
        const Analysis& mine = *reread.CurrentAnalysis();
        const Analysis& theirs = *shipped.CurrentAnalysis();
        double scale = 0;
        for (long i = 1; i <= long(theirs.Displacements().Rows()); ++i)
            scale = std::max(scale, std::fabs(theirs.Displacements().At(i)));
        const long c = theirs.DofPerNode();
        for (const auto& n : shipped.List(KIND_NODE)) {
            const VelmorObject* m = nodeAt(reread, position(*n));
            QVERIFY(m);
            const long kt = n->GetNumber(0), km = m->GetNumber(0);
            for (long j = 1; j <= c; ++j)
                QVERIFY(std::fabs(theirs.Displacements().At((kt - 1) * c + j) -
                                  mine.Displacements().At((km - 1) * c + j)) <= 1e-9 * scale);
        }

        // The whole history undone leaves the new document as it was.
        while (doc.UndoStack().canUndo())
            doc.UndoStack().undo();
        QCOMPARE(built.Count(KIND_NODE), size_t(0));
        options.Set(OPT_BEAM_WITH_ORIENTATION, false);
    }
};

QTEST_MAIN(TestEditorRebuild)
#include "tst_editorrebuild.moc"
