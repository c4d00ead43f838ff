// The matrix view offscreen, driven by a real tutor on small structures: the element pop-ups
// after each stiffness and load, the cells of the system coloured where the system holds
// something, the constrained equations, the viewers of a right click, the placing of a beam's
// blocks in the exercises, and the hiding of the pop-ups when the calculation modes are left.
#include "app/VelmorDoc.h"
#include "dialogs/MatrixViewerDialog.h"
#include "dialogs/SupportPictureWindow.h"
#include "dialogs/VectorViewerDialog.h"
#include "gui/dialogs/DialogTestSupport.h"
#include "model/StructureBuilder.h"
#include "tutor/ElementPopup.h"
#include "tutor/VelmorMatrixView.h"
#include "tutor/core/VelmorTutor.h"
#include "views/core/ProgramOptions.h"

#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace velmor;
using namespace velmor::test;

namespace {

ProgramOptions& testOptions()
{
    static ProgramOptions options;
    return options;
}

// Hands the tutor's updates to the document's views, as the frame does.
class Forward : public TutorListener
{
public:
    explicit Forward(VelmorDoc& doc) : m_doc(doc) {}
    void Update(const VelmorTutor&, const ChangeEvent& change) override
    {
        m_doc.UpdateAllViews(change);
    }

private:
    VelmorDoc& m_doc;
};

// The structures the tests walk through.
enum class Shape
{
    Portal, // plane portal: fixed foot, pinned foot, a nodal load and a distributed load
    Props,  // a plane beam on a fixed end, a spring and a settlement
    Chain,  // 200 nodes in a row: 600 equations
};

void build(VelmorProblem& p, Shape shape)
{
    StructureBuilder b(p, PROBLEM_PLANE_FRAME, shape == Shape::Chain);
    VelmorObject* s = b.Rectangle(0.2, 0.3, 2.1e11, 0.3);
    if (shape == Shape::Portal) {
        VelmorObject* n1 = b.Node(0, 0, 0);
        VelmorObject* n2 = b.Node(0, 3, 0);
        VelmorObject* n3 = b.Node(4, 3, 0);
        b.Beam(s, n1, n2);
        VelmorObject* top = b.Beam(s, n2, n3);
        b.Support(n1, 1, {1, 1, 0, 0, 0, 1});
        b.Support(n3, 2, {1, 1, 0, 0, 0, 0});
        b.NodalLoad(n2, {10000, 0, 0});
        b.BeamLoad(top, LOAD_CONSTANT_GLOBAL, {0, -5000, 0});
    } else if (shape == Shape::Props) {
        VelmorObject* n[4];
        for (int i = 0; i < 4; ++i)
            n[i] = b.Node(4.0 * i, 0, 0);
        for (int i = 0; i < 3; ++i)
            b.Beam(s, n[i], n[i + 1]);
        b.Support(n[0], 1, {1, 1, 0, 0, 0, 1});
        b.Spring(n[2], {0, 2.0e6, 0});
        b.Settlement(n[3], {1, 1, 0, 0, 0, 0}, {0, -0.01, 0});
        b.NodalLoad(n[1], {0, -20000, 0});
    } else {
        VelmorObject* last = b.Node(0, 0, 0);
        b.Support(last, 1, {1, 1, 0, 0, 0, 1});
        for (int i = 1; i < 200; ++i) {
            VelmorObject* next = b.Node(i, 0.5 * (i % 2), 0);
            b.Beam(s, last, next);
            last = next;
        }
        b.NodalLoad(last, {0, -1000, 0});
    }
}

// A document with one structure, its tutor and a matrix view shown at a fixed size.
struct Session
{
    explicit Session(Shape shape, Mode mode = Mode::Examples, QSize size = {420, 340})
        : forward(doc)
    {
        doc.SetOptions(testOptions());
        build(doc.Problem(), shape);
        doc.Problem().SyncMode(mode);
        tutor = std::make_unique<VelmorTutor>(doc.Problem());
        tutor->SetListener(&forward);
        view = std::make_unique<VelmorMatrixView>(doc, *tutor);
        view->resize(size);
        view->show();
    }
    ~Session()
    {
        view.reset();
        tutor->SetListener(nullptr);
    }
    const Analysis& analysis() const { return *tutor->CurrentAnalysis(); }
    // Examine until the tutor stands at the step with `done`, and `half` when asked.
    bool examineUntil(TutorStage target, TutorStage done, bool half = false, int limit = 400)
    {
        for (int i = 0; i < limit; ++i) {
            if (tutor->Target() == target && tutor->Done() == done && tutor->IsHalf() == half)
                return true;
            tutor->Examine();
        }
        return false;
    }
    // The view's window as it is painted now.
    QImage picture() const { return view->viewport()->grab().toImage(); }
    // A point of the drawing in the window.
    QPoint inWindow(int x, int y) const { return QPoint(x, y) - view->ScrollOffset(); }
    QColor pixelOfCell(const QImage& image, const GridRect& cell) const
    {
        return image.pixelColor(inWindow(cell.x + cell.width / 2, cell.y + 3));
    }

    VelmorDoc doc;
    Forward forward;
    std::unique_ptr<VelmorTutor> tutor;
    std::unique_ptr<VelmorMatrixView> view;
};

const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kViolet(128, 0, 255);
const QColor kMagenta(255, 0, 255);
const QColor kRed(255, 0, 0);

bool sameMatrix(const MatBase& a, const MatBase& b)
{
    if (a.Rows() != b.Rows() || a.Cols() != b.Cols()) return false;
    for (long i = 1; i <= long(a.Rows()); ++i)
        for (long j = 1; j <= long(a.Cols()); ++j)
            if (a.At(i, j) != b.At(i, j)) return false;
    return true;
}

// The colour of every cell of a pop-up's picture matches its entry: green where it is not 0,
// magenta in the chosen block, white elsewhere.
void checkPopupCells(ElementPopup& popup)
{
    const QImage image = popup.Picture()->grab().toImage();
    const PopupGrid grid = popup.Layout();
    const MatBase& m = popup.Contents();
    for (int r = 1; r <= grid.rows; ++r)
        for (int c = 1; c <= grid.cols; ++c) {
            const GridRect cell = grid.Cell(r, c);
            const QColor seen = image.pixelColor(cell.x + cell.width / 2, cell.y + cell.height / 2);
            QColor expected = Qt::white;
            if (m.At(r, c) != 0.0)
                expected = grid.BlockOfCell(r, c) == popup.ChosenBlock() ? kMagenta : kGreen;
            QVERIFY2(seen == expected,
                     qPrintable(
                         QStringLiteral("cell %1, %2 of %3").arg(r).arg(c).arg(popup.LabelText())));
        }
}

// A mouse click on block k of pop-up 3 and on a point of the view's drawing.
void clickBlock(ElementPopup& popup, int block, Qt::MouseButton button = Qt::LeftButton)
{
    const GridRect b = popup.Layout().Block(block);
    QTest::mouseClick(popup.Picture(), button, {}, QPoint(b.x + b.width / 2, b.y + b.height / 2));
}

} // namespace

class TestMatrixView : public QObject
{
    Q_OBJECT

private slots:
    void backgroundOnlyWithoutASolution()
    {
        Session s(Shape::Portal);
        QVERIFY(!s.view->ShowsSystem());
        const QImage image = s.picture();
        QCOMPARE(image.pixelColor(50, 50), QColor(Qt::white));
        QCOMPARE(s.view->horizontalScrollBar()->maximum(), 0);
        s.doc.UpdateAllViews({UpdateHint::ItemDone, nullptr});
        QVERIFY(!s.view->ShowsSystem());
    }

    void popupsShowTheBeamsMatrices_data()
    {
        QTest::addColumn<int>("beam");
        QTest::addColumn<QString>("local");
        QTest::newRow("column 1-2") << 1 << "Matrice de rigidité Locale 1 - 2";
        QTest::newRow("girder 2-3") << 2 << "Matrice de rigidité Locale 2 - 3";
    }
    void popupsShowTheBeamsMatrices()
    {
        QFETCH(int, beam);
        QFETCH(QString, local);
        Session s(Shape::Portal);
        QVERIFY(s.tutor->BeginStepByStep());
        for (int b = 1; b < beam; ++b) {
            QVERIFY(s.examineUntil(TutorStage::Stiffness, TutorStage::Numbering, true));
            s.tutor->Examine();
        }
        QVERIFY(s.examineUntil(TutorStage::Stiffness, TutorStage::Numbering, true));
        QVERIFY(s.view->ShowsSystem());
        const StepWorkspace& w = s.analysis().Work();
        const PopupKind kinds[3] = {PopupKind::LocalStiffness, PopupKind::Transformation,
                                    PopupKind::GlobalStiffness};
        const MatBase* expected[3] = {&w.kLocal, &w.T, &w.kGlobal};
        for (int i = 0; i < 3; ++i) {
            ElementPopup* popup = s.view->Popup(i);
            QVERIFY(popup && popup->isVisible());
            QCOMPARE(popup->Kind(), kinds[i]);
            QCOMPARE(popup->Contents().Rows(), 6u);
            QVERIFY2(sameMatrix(popup->Contents(), *expected[i]), qPrintable(popup->LabelText()));
            checkPopupCells(*popup);
        }
        QCOMPARE(s.view->Popup(0)->LabelText(), local);
        QCOMPARE(s.view->Popup(0)->windowTitle(), QStringLiteral("Matrice de rigidité"));
        QCOMPARE(s.view->Popup(1)->windowTitle(), QStringLiteral("T"));
        QVERIFY(s.view->Popup(2)->LabelText().startsWith("Matrice de rigidité Globale"));
        QVERIFY2(!s.view->Placing().Active(), "nothing is placed in the examples");
        Shoot(s.view->Popup(2), QStringLiteral("matrixview-popup-global-%1").arg(beam));
        // Assembling the beam hides them.
        s.tutor->Examine();
        for (int i = 0; i < 3; ++i)
            QVERIFY(!s.view->Popup(i)->isVisible());
    }

    void loadPopupsShowTheLoadVectors()
    {
        Session s(Shape::Portal);
        QVERIFY(s.tutor->BeginStepByStep());
        QVERIFY(s.examineUntil(TutorStage::Loads, TutorStage::Stiffness, true));
        // The nodal load first: only the third pop-up, the node's vector.
        const StepWorkspace& w = s.analysis().Work();
        QVERIFY(!s.view->Popup(0)->isVisible());
        ElementPopup& nodal = *s.view->Popup(2);
        QVERIFY(nodal.isVisible());
        QCOMPARE(nodal.Kind(), PopupKind::NodalLoad);
        QVERIFY(sameMatrix(nodal.Contents(), w.fGlobal));
        QCOMPARE(nodal.LabelText(), QStringLiteral("Vecteur charge ponctuelle au noeud # 2"));
        checkPopupCells(nodal);
        s.tutor->Examine();
        QVERIFY(s.examineUntil(TutorStage::Loads, TutorStage::Stiffness, true));
        QCOMPARE(s.view->Popup(0)->Kind(), PopupKind::LocalLoad);
        QVERIFY(sameMatrix(s.view->Popup(0)->Contents(), w.fLocal));
        QCOMPARE(s.view->Popup(1)->Kind(), PopupKind::Transformation);
        QVERIFY(sameMatrix(s.view->Popup(1)->Contents(), w.T));
        QCOMPARE(s.view->Popup(2)->Kind(), PopupKind::GlobalLoad);
        QVERIFY(sameMatrix(s.view->Popup(2)->Contents(), w.fGlobal));
        QCOMPARE(s.view->Popup(2)->LabelText(), QStringLiteral("Vecteur charge Globale 2 - 3"));
        for (int i = 0; i < 3; ++i)
            checkPopupCells(*s.view->Popup(i));
        Shoot(s.view->Popup(0), "matrixview-popup-local-load");
    }

    void cellsAreGreenExactlyWhereTheSystemIsNotZero_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QPoint>("scroll");
        QTest::newRow("portal") << int(Shape::Portal) << QPoint(0, 0);
        QTest::newRow("600 equations, top left") << int(Shape::Chain) << QPoint(0, 0);
        QTest::newRow("600 equations, middle") << int(Shape::Chain) << QPoint(6010, 5990);
        QTest::newRow("600 equations, far end") << int(Shape::Chain) << QPoint(100000, 100000);
    }
    void cellsAreGreenExactlyWhereTheSystemIsNotZero()
    {
        QFETCH(int, shape);
        QFETCH(QPoint, scroll);
        Session s{Shape(shape)};
        QVERIFY(s.tutor->BeginStepByStep());
        s.tutor->Examine(); // announces the numbering
        s.tutor->Advance(); // numbers every node
        s.tutor->Examine(); // announces the stiffness
        s.tutor->Advance(); // every beam assembled
        QCOMPARE(s.tutor->Done(), TutorStage::Stiffness);
        QVERIFY(s.view->ShowsSystem());
        const SystemGrid& g = s.view->Grid();
        const int N = shape == int(Shape::Chain) ? 600 : 9;
        QCOMPARE(g.equations, N);
        QCOMPARE(s.view->Band(), 6);
        // The drawing's size and the scroll steps.
        QScrollBar* h = s.view->horizontalScrollBar();
        QCOMPARE(h->maximum(), std::max(0, 20 * (N + 6) - s.view->viewport()->width()));
        QCOMPARE(s.view->verticalScrollBar()->maximum(),
                 std::max(0, 20 * (N + 4) - s.view->viewport()->height()));
        QCOMPARE(h->pageStep(), 60);
        QCOMPARE(h->singleStep(), 20);
        h->setValue(scroll.x());
        s.view->verticalScrollBar()->setValue(scroll.y());

        const QImage image = s.picture();
        const QPoint at = s.view->ScrollOffset();
        const QSize size = s.view->viewport()->size();
        const CellRange cells = VisibleCells(g, at.x(), at.y(), size.width(), size.height());
        QVERIFY(!cells.IsEmpty());
        int greens = 0;
        for (int r = cells.firstRow; r <= cells.lastRow; ++r)
            for (int c = cells.firstCol; c <= cells.lastCol; ++c) {
                const GridRect cell = g.MatrixCell(r, c);
                const QPoint p = s.inWindow(cell.x + 10, cell.y + 10);
                if (!image.rect().contains(p)) continue;
                const bool nonZero = s.analysis().SystemMatrixAt(r, c) != 0.0;
                const QColor seen = image.pixelColor(p);
                QVERIFY2((seen == kGreen) == nonZero,
                         qPrintable(QStringLiteral("cell %1, %2").arg(r).arg(c)));
                greens += nonZero;
            }
        QVERIFY(greens > 0);
        // The staircase of the band is red where it crosses the window.
        int reds = 0;
        for (const GridSegment& seg : BandStaircase(g, s.view->Band(), cells)) {
            const QPoint p = s.inWindow((seg.x1 + seg.x2) / 2, (seg.y1 + seg.y2) / 2);
            if (image.rect().contains(p)) {
                QCOMPARE(image.pixelColor(p), kRed);
                ++reds;
            }
        }
        QVERIFY(reds > 0);
        Shoot(s.view.get(), QStringLiteral("matrixview-stiffness-%1")
                                .arg(QString::fromLatin1(QTest::currentDataTag())
                                         .replace(QRegularExpression("[^a-z0-9]+"), "-")));
    }

    void constrainedEquationsAreBlueOrViolet()
    {
        Session s(Shape::Props);
        QVERIFY(s.tutor->BeginStepByStep());
        QVERIFY(s.examineUntil(TutorStage::Supports, TutorStage::Loads));
        // One support at a time: after the fixed end only its three equations are marked.
        QVERIFY(s.examineUntil(TutorStage::Supports, TutorStage::Loads, true));
        QVERIFY(s.view->SupportPopup() && s.view->SupportPopup()->isVisible());
        QCOMPARE(s.view->SupportPopup()->windowTitle(), QStringLiteral("Appui en un noeud 1"));
        s.tutor->Examine();
        QCOMPARE(s.view->SupportNode(), 1);
        QVERIFY(!s.view->SupportPopup()->isVisible());
        QCOMPARE(s.view->Constraints(), (std::vector<int>{0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        QVERIFY(s.examineUntil(TutorStage::Supports, TutorStage::Supports));
        // Node 3 on a spring in y (equation 8), node 4 fixed in x and settled in y (10, 11).
        const std::vector<int> marks = {0, 1, 1, 1, 0, 0, 0, 0, 2, 0, 1, 2, 0};
        QCOMPARE(s.view->Constraints(), marks);

        const SystemGrid& g = s.view->Grid();
        const QImage image = s.picture();
        for (int e = 1; e <= g.equations; ++e) {
            const QColor colour = marks[size_t(e)] == 1 ? kBlue : kViolet;
            if (!marks[size_t(e)]) continue;
            // Its row and column across the whole matrix, and its two vector cells.
            for (int k = 1; k <= g.equations; ++k) {
                if (marks[size_t(k)] && marks[size_t(k)] != marks[size_t(e)])
                    continue; // a crossing with an equation of the other colour
                QCOMPARE(s.pixelOfCell(image, g.MatrixCell(e, k)), colour);
                QCOMPARE(s.pixelOfCell(image, g.MatrixCell(k, e)), colour);
            }
            QCOMPARE(s.pixelOfCell(image, g.DisplacementCell(e)), colour);
            QCOMPARE(s.pixelOfCell(image, g.ForceCell(e)), colour);
        }
        // A free equation keeps its green diagonal.
        QCOMPARE(s.pixelOfCell(image, g.MatrixCell(4, 4)), kGreen);
        Shoot(s.view.get(), "matrixview-supports");
    }

    void rightClicksOpenTheViewersAtTheClickedNode()
    {
        Session s(Shape::Portal);
        QVERIFY(s.tutor->BeginStepByStep());
        QVERIFY(s.examineUntil(TutorStage::Loads, TutorStage::Loads));
        const SystemGrid& g = s.view->Grid();
        const Analysis& a = s.analysis();

        // In the matrix, at node block (2, 3): the window of six starts at row 4 and, as it
        // would run past the ninth column, at column 4.
        bool seen = false;
        WhenModal<MatrixViewerDialog>(
            [&](MatrixViewerDialog* viewer) {
                QCOMPARE(viewer->FirstRow(), 4L);
                QCOMPARE(viewer->FirstCol(), 4L);
                for (int r = 0; r < 6; ++r)
                    for (int c = 0; c < 6; ++c)
                        QCOMPARE(viewer->Grid().CellText(r, c),
                                 MatrixCellGrid::FormatEntry(a.SystemMatrixAt(4 + r, 4 + c)));
                viewer->accept();
            },
            &seen);
        const GridRect cell = g.MatrixCell(5, 8);
        QTest::mouseClick(s.view->viewport(), Qt::RightButton, {},
                          s.inWindow(cell.x + 5, cell.y + 5));
        QVERIFY(seen);

        struct Column
        {
            GridRect cell;
            const MatBase* vector;
            const char* title;
        };
        const Column columns[] = {
            {g.ForceCell(5), &a.TotalLoads(), "Vecteur charges"},
            {g.DisplacementCell(5), &a.Displacements(), "Vecteur déplacements"},
        };
        for (const Column& column : columns) {
            seen = false;
            WhenModal<VectorViewerDialog>(
                [&](VectorViewerDialog* viewer) {
                    QCOMPARE(viewer->windowTitle(), QString::fromUtf8(column.title));
                    QCOMPARE(viewer->FirstRow(), 4L);
                    QCOMPARE(viewer->Grid().CellText(0, 0),
                             MatrixCellGrid::FormatEntry(column.vector->At(4)));
                    viewer->accept();
                },
                &seen);
            QTest::mouseClick(s.view->viewport(), Qt::RightButton, {},
                              s.inWindow(column.cell.x + 5, column.cell.y + 5));
            QVERIFY2(seen, column.title);
        }
    }

    void rightClickInAPopupOpensTheViewerOnItsContents()
    {
        Session s(Shape::Portal);
        QVERIFY(s.tutor->BeginStepByStep());
        QVERIFY(s.examineUntil(TutorStage::Stiffness, TutorStage::Numbering, true));
        ElementPopup& local = *s.view->Popup(0);
        bool seen = false;
        WhenModal<MatrixViewerDialog>(
            [&](MatrixViewerDialog* viewer) {
                QCOMPARE(viewer->FirstRow(), 1L);
                for (int r = 0; r < 6; ++r)
                    QCOMPARE(viewer->Grid().CellText(r, r),
                             MatrixCellGrid::FormatEntry(local.Contents().At(r + 1, r + 1)));
                viewer->accept();
            },
            &seen);
        clickBlock(local, 3, Qt::RightButton);
        QVERIFY(seen);
        QVERIFY(s.examineUntil(TutorStage::Loads, TutorStage::Stiffness, true));
        seen = false;
        WhenModal<VectorViewerDialog>(
            [&](VectorViewerDialog* viewer) {
                QCOMPARE(viewer->windowTitle(), QStringLiteral("Vecteur charges"));
                viewer->accept();
            },
            &seen);
        clickBlock(*s.view->Popup(2), 0, Qt::RightButton);
        QVERIFY(seen);
    }

    void exercisePlacingAssemblesTheBeamOnlyAtTheRightPlaces()
    {
        RecordingMessages messages;
        Session s(Shape::Portal, Mode::Exercises, {420, 340});
        QVERIFY(s.tutor->BeginStepByStep());
        s.tutor->Examine(); // the numbering
        const VelmorObjectList& nodes = s.doc.Problem().List(KIND_NODE);
        for (int i : {2, 0, 1}) { // the student numbers 3, 1, 2 as 1, 2, 3
            QVERIFY(s.tutor->Pick(nodes.at(size_t(i))));
            s.tutor->Examine();
        }
        s.tutor->Examine(); // the stiffness
        QCOMPARE(s.tutor->Target(), TutorStage::Stiffness);
        // The column joins the first two nodes of the list: 2 and 3 in the student's numbers.
        QVERIFY(s.tutor->Pick(s.doc.Problem().List(KIND_BEAM).at(0)));
        s.tutor->Examine();
        QVERIFY(s.tutor->IsHalf());
        const BlockPlacing& placing = s.view->Placing();
        QVERIFY(placing.Active());
        QCOMPARE(placing.Count(), 4);
        ElementPopup& global = *s.view->Popup(2);
        const int na = s.analysis().Work().na, nb = s.analysis().Work().nb;
        QCOMPARE(QString("%1 - %2").arg(na).arg(nb), global.LabelText().section(' ', -3));
        const SystemGrid& g = s.view->Grid();
        auto clickAt = [&](const GridRect& r) {
            QTest::mouseClick(s.view->viewport(), Qt::LeftButton, {},
                              s.inWindow(r.x + r.width / 2, r.y + r.height / 2));
        };

        // Nothing chosen: a click in the system places nothing.
        clickAt(g.MatrixBlock(na, na));
        QCOMPARE(placing.PlacedCount(), 0);
        for (int block = 0; block < 4; ++block) {
            clickBlock(global, block);
            QCOMPARE(placing.Chosen(), block);
            QCOMPARE(global.ChosenBlock(), block);
            checkPopupCells(global);
            // Quadrant k of the beam's matrix goes to the rows of its end k % 2 and the
            // columns of its end k / 2: (1, 1), (2, 1), (1, 2), (2, 2).
            const int ends[2] = {na, nb};
            const BlockTarget t{ends[block % 2], ends[block / 2]};
            // Every other node block of the matrix and the vectors leave it where it is.
            for (int i = 1; i <= 3; ++i)
                for (int j = 1; j <= 3; ++j)
                    if (i != t.nodeRow || j != t.nodeCol) clickAt(g.MatrixBlock(i, j));
            clickAt(g.ForceBlock(t.nodeRow));
            clickAt(g.DisplacementCell((t.nodeRow - 1) * 3 + 1));
            QCOMPARE(placing.PlacedCount(), block);
            QCOMPARE(s.tutor->BeamDone()[0], 0);
            if (block == 2) {
                // Mid-placing: the blocks placed are magenta in the system.
                const GridRect r = g.MatrixBlock(na, na);
                QCOMPARE(s.picture().pixelColor(s.inWindow(r.x + 30, r.y + 30)), kMagenta);
                Shoot(s.view.get(), "matrixview-placing");
                Shoot(&global, "matrixview-placing-popup");
                // A block placed already says so and is not chosen again.
                clickBlock(global, 0);
                QCOMPARE(messages.texts.size(), size_t(1));
                QCOMPARE(QString::fromStdString(messages.texts.back()),
                         QStringLiteral("La barre a été assemblée"));
                QCOMPARE(placing.Chosen(), block);
            }
            clickAt(TargetRect(g, PopupKind::GlobalStiffness, t));
            if (block < 3) QCOMPARE(placing.PlacedCount(), block + 1);
        }
        // The four blocks placed: the tutor assembled the beam.
        QCOMPARE(s.tutor->BeamDone()[0], 1);
        QVERIFY(!s.tutor->IsHalf());
        QVERIFY(!s.view->Placing().Active());
        QVERIFY(!global.isVisible());
        const Analysis& a = s.analysis();
        QVERIFY(a.SystemMatrixAt((na - 1) * 3 + 1, (na - 1) * 3 + 1) != 0.0);
    }

    void exerciseLoadIsPlacedInTheForceColumn()
    {
        RecordingMessages messages;
        Session s(Shape::Portal, Mode::Exercises);
        QVERIFY(s.tutor->BeginStepByStep());
        s.tutor->Examine();
        s.tutor->Advance(); // numbered in list order
        s.tutor->Examine();
        s.tutor->Advance(); // the beams
        s.tutor->Examine(); // the loads
        QCOMPARE(s.tutor->Target(), TutorStage::Loads);
        QVERIFY(s.tutor->Pick(s.doc.Problem().List(KIND_NODAL_LOAD).at(0)));
        s.tutor->Examine();
        const BlockPlacing& placing = s.view->Placing();
        QCOMPARE(placing.Count(), 1);
        const SystemGrid& g = s.view->Grid();
        clickBlock(*s.view->Popup(2), 0);
        const GridRect wrong = g.ForceBlock(1), right = g.ForceBlock(2);
        QTest::mouseClick(s.view->viewport(), Qt::LeftButton, {},
                          s.inWindow(wrong.x + 5, wrong.y + 5));
        QCOMPARE(s.tutor->NodalLoadDone()[0], 0);
        QTest::mouseClick(s.view->viewport(), Qt::LeftButton, {},
                          s.inWindow(right.x + 5, right.y + 5));
        QCOMPARE(s.tutor->NodalLoadDone()[0], 1);
        QVERIFY(messages.texts.empty());
    }

    void popupsHideOnLeavingAndComeBack()
    {
        Session s(Shape::Portal);
        QVERIFY(s.tutor->BeginStepByStep());
        QVERIFY(s.examineUntil(TutorStage::Stiffness, TutorStage::Numbering, true));
        s.view->HideForLeaving();
        for (int i = 0; i < 3; ++i)
            QVERIFY(!s.view->Popup(i)->isVisible());
        s.view->ShowAgain();
        for (int i = 0; i < 3; ++i)
            QVERIFY(s.view->Popup(i)->isVisible());
        // A general update hides them for good: coming back shows nothing.
        s.doc.UpdateAllViews({UpdateHint::ItemDone, nullptr});
        s.view->HideForLeaving();
        s.view->ShowAgain();
        for (int i = 0; i < 3; ++i)
            QVERIFY(!s.view->Popup(i)->isVisible());
    }

    void resultUpdatesAskForTheResultBars_data()
    {
        QTest::addColumn<int>("hint");
        QTest::addColumn<QList<int>>("kinds");
        QTest::newRow("general") << 0 << QList<int>{0};
        QTest::newRow("node numbered") << 2 << QList<int>{};
        QTest::newRow("leaving") << 7 << QList<int>{};
        QTest::newRow("node values") << 15 << QList<int>{0, 15};
        QTest::newRow("element values") << 16 << QList<int>{0, 16};
    }
    void resultUpdatesAskForTheResultBars()
    {
        QFETCH(int, hint);
        QFETCH(QList<int>, kinds);
        Session s(Shape::Portal);
        QSignalSpy spy(s.view.get(), &VelmorMatrixView::ResultsRequested);
        s.doc.UpdateAllViews({UpdateHint(hint), nullptr});
        QList<int> seen;
        for (const QList<QVariant>& args : spy)
            seen.push_back(args.at(0).toInt());
        QCOMPARE(seen, kinds);
    }
};

QTEST_MAIN(TestMatrixView)
#include "tst_matrixview.moc"
