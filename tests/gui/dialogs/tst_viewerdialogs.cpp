// The matrix and vector viewers: where the window starts on the matrix, when the scroll bars
// are enabled and how far they reach, what the cells show, scrolling by line, page and to the
// ends, the dialog chosen by the degrees of freedom per node, and the vector viewer's title.
#include "DialogTestSupport.h"
#include "dialogs/MatrixCellGrid.h"
#include "dialogs/MatrixViewerDialog.h"
#include "dialogs/VectorViewerDialog.h"
#include "numeric/MatBase.h"

#include <QScrollBar>

using namespace velmor;
using namespace velmor::test;

namespace {

// n x n with a(i, j) = i + j / 100, so each cell tells where it sits.
Mat Indexed(unsigned n)
{
    Mat m(n, n);
    for (unsigned i = 1; i <= n; ++i) {
        for (unsigned j = 1; j <= n; ++j)
            m(i, j) = i + j / 100.0;
    }
    return m;
}

Vector Indexed(unsigned n, double scale)
{
    Vector v(n);
    for (unsigned i = 1; i <= n; ++i)
        v(i) = i * scale;
    return v;
}

} // namespace

class TestViewerDialogs : public QObject
{
    Q_OBJECT
private slots:

    void placement_data()
    {
        QTest::addColumn<int>("firstNode");
        QTest::addColumn<int>("nodeCount");
        QTest::addColumn<int>("dof");
        QTest::addColumn<int>("fullSize");
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("size");
        QTest::newRow("beam matrix fits exactly") << 1 << 2 << 3 << 6 << 6 << 1 << 6;
        QTest::newRow("whole matrix from node 3") << 3 << 0 << 3 << 30 << 6 << 7 << 30;
        QTest::newRow("last node runs past the end") << 10 << 0 << 3 << 30 << 6 << 25 << 30;
        QTest::newRow("beam-type window past its size") << 3 << 2 << 3 << 30 << 6 << 1 << 6;
        QTest::newRow("smaller than the window") << 1 << 1 << 3 << 30 << 6 << 1 << 3;
        QTest::newRow("continuous beam") << 4 << 0 << 2 << 10 << 4 << 7 << 10;
        QTest::newRow("space frame second node") << 2 << 0 << 6 << 24 << 6 << 7 << 24;
        QTest::newRow("node 0 starts at 1") << 0 << 0 << 3 << 12 << 6 << 1 << 12;
        QTest::newRow("more nodes than the matrix") << 1 << 4 << 3 << 6 << 6 << 1 << 6;
        QTest::newRow("empty matrix") << 1 << 0 << 3 << 0 << 6 << 1 << 0;
    }
    void placement()
    {
        QFETCH(int, firstNode);
        QFETCH(int, nodeCount);
        QFETCH(int, dof);
        QFETCH(int, fullSize);
        QFETCH(int, window);
        QFETCH(int, first);
        QFETCH(int, size);
        const ViewerAxis axis = PlaceViewerAxis(firstNode, nodeCount, dof, fullSize, window);
        QCOMPARE(axis.first, long(first));
        QCOMPARE(axis.size, long(size));
    }

    void entriesAreShownWithThreeDigits_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << QStringLiteral("      0");
        QTest::newRow("half") << 0.5 << QStringLiteral("    0.5");
        QTest::newRow("negative") << -12.5 << QStringLiteral("  -12.5");
        QTest::newRow("rounded") << 1.23456 << QStringLiteral("   1.23");
        QTest::newRow("large") << 210000000.0 << QStringLiteral("2.1E+08");
        QTest::newRow("small") << -0.000123 << QStringLiteral("-0.000123");
    }
    void entriesAreShownWithThreeDigits()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(MatrixCellGrid::FormatEntry(value), text);
    }

    void beamMatrixOfAPlaneFrameFitsDialog424()
    {
        const Mat k = Indexed(6);
        MatrixViewerDialog dialog(k, 1, 1, 2, 3);
        dialog.show();
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_424_matrix")));
        QCOMPARE(dialog.objectName(), QStringLiteral("424"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Matrice de la barre"));
        QCOMPARE(dialog.WindowSize(), 6);
        QCOMPARE(dialog.FirstRow(), 1L);
        QCOMPARE(dialog.FirstCol(), 1L);
        auto* h = Control<QScrollBar>(&dialog, "212");
        auto* v = Control<QScrollBar>(&dialog, "213");
        QVERIFY(h && v);
        QCOMPARE(h->orientation(), Qt::Horizontal);
        QCOMPARE(v->orientation(), Qt::Vertical);
        QVERIFY(!h->isEnabled());
        QVERIFY(!v->isEnabled());
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 6; ++c)
                QCOMPARE(dialog.Grid().CellText(r, c), MatrixCellGrid::FormatEntry(k(r + 1, c + 1)));
        }
    }

    void continuousBeamUsesDialog423()
    {
        const Mat k = Indexed(10);
        MatrixViewerDialog dialog(k, 5, 2, 0, 2);
        dialog.show();
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_423_matrix")));
        QCOMPARE(dialog.objectName(), QStringLiteral("423"));
        QCOMPARE(dialog.WindowSize(), 4);
        QCOMPARE(dialog.FirstRow(), 7L); // 9 would run past row 10
        QCOMPARE(dialog.FirstCol(), 3L);
        auto* h = Control<QScrollBar>(&dialog, "212");
        auto* v = Control<QScrollBar>(&dialog, "213");
        QVERIFY(h->isEnabled() && v->isEnabled());
        QCOMPARE(v->maximum(), 6);
        QCOMPARE(v->value(), 6);
        QCOMPARE(h->value(), 2);
        QCOMPARE(dialog.Grid().CellText(3, 3), MatrixCellGrid::FormatEntry(k(10, 6)));
    }

    void cellsPastTheEndStayEmpty()
    {
        const Mat k = Indexed(3);
        MatrixViewerDialog dialog(k, 1, 1, 0, 3);
        QCOMPARE(dialog.Grid().CellText(2, 2), MatrixCellGrid::FormatEntry(k(3, 3)));
        QCOMPARE(dialog.Grid().CellText(3, 0), QString());
        QCOMPARE(dialog.Grid().CellText(0, 5), QString());
    }

    void scrollingByLinePageAndEnds()
    {
        const Mat k = Indexed(30);
        MatrixViewerDialog dialog(k, 1, 1, 0, 3);
        dialog.show();
        auto* v = Control<QScrollBar>(&dialog, "213");
        auto* h = Control<QScrollBar>(&dialog, "212");
        QCOMPARE(v->maximum(), 24);

        struct Step
        {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            long row;
            long col;
        };
        const Step steps[] = {
            {Qt::Key_Down, {}, 2, 1},         {Qt::Key_PageDown, {}, 8, 1},
            {Qt::Key_Right, {}, 8, 2},        {Qt::Key_End, {}, 25, 2},
            {Qt::Key_PageDown, {}, 25, 2},    {Qt::Key_End, Qt::ControlModifier, 25, 25},
            {Qt::Key_Up, {}, 24, 25},         {Qt::Key_Home, {}, 1, 25},
            {Qt::Key_PageUp, Qt::ControlModifier, 1, 19}, {Qt::Key_Left, {}, 1, 18},
        };
        for (const Step& s : steps) {
            QTest::keyClick(&dialog, s.key, s.modifiers);
            QCOMPARE(dialog.FirstRow(), s.row);
            QCOMPARE(dialog.FirstCol(), s.col);
        }
        QCOMPARE(dialog.Grid().CellText(0, 0), MatrixCellGrid::FormatEntry(k(1, 18)));

        v->setValue(10);
        h->setValue(3);
        QCOMPARE(dialog.FirstRow(), 11L);
        QCOMPARE(dialog.FirstCol(), 4L);
    }

    void vectorAtItsLastNodeEndsAtItsLastEntry()
    {
        const Vector loads = Indexed(30, 1000.0); // 10 nodes of a plane frame
        VectorViewerDialog dialog(loads, 10, 0, 3, false);
        dialog.show();
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_425_vector")));
        QCOMPARE(dialog.objectName(), QStringLiteral("425"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Vecteur charges"));
        QCOMPARE(dialog.WindowSize(), 6);
        QCOMPARE(dialog.FirstRow(), 25L);
        QCOMPARE(dialog.Grid().CellText(5, 0), MatrixCellGrid::FormatEntry(loads(30)));
        auto* v = Control<QScrollBar>(&dialog, "213");
        QVERIFY(v->isEnabled());
        QCOMPARE(v->maximum(), 24);
        QCOMPARE(v->value(), 24);
        QVERIFY(!Control<QScrollBar>(&dialog, "212"));

        QTest::keyClick(&dialog, Qt::Key_Home);
        QCOMPARE(dialog.FirstRow(), 1L);
        QTest::keyClick(&dialog, Qt::Key_PageDown);
        QCOMPARE(dialog.FirstRow(), 7L);
    }

    void displacementVectorOfAContinuousBeam()
    {
        const Vector d = Indexed(4, 0.001);
        VectorViewerDialog dialog(d, 1, 0, 2, true);
        dialog.show();
        QVERIFY(Shoot(&dialog, QStringLiteral("dialog_426_vector")));
        QCOMPARE(dialog.objectName(), QStringLiteral("426"));
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Vecteur déplacements"));
        QCOMPARE(dialog.WindowSize(), 4);
        QCOMPARE(dialog.FirstRow(), 1L);
        QVERIFY(!Control<QScrollBar>(&dialog, "213")->isEnabled());
        QCOMPARE(dialog.Grid().CellText(3, 0), MatrixCellGrid::FormatEntry(0.004));
    }
};

QTEST_MAIN(TestViewerDialogs)
#include "tst_viewerdialogs.moc"
