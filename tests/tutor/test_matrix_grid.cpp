// The matrix view's geometry without a window: cells and hits of the system, the cells a
// scroll position shows, the band's staircase, the constrained rows, the pop-ups' blocks and
// the placing of an element's blocks by clicks.
#include "tutor/core/MatrixGrid.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace velmor;

namespace {

const SystemGrid kPortal{9, 3, kMatrixCell}; // 3 nodes of a plane frame

GridRect centreOf(const GridRect& r)
{
    return {r.x + r.width / 2, r.y + r.height / 2, 0, 0};
}

} // namespace

TEST(MatrixGrid, EveryCellIsFoundAgainAtItsCentreAndItsCorners)
{
    const SystemGrid& g = kPortal;
    EXPECT_EQ(g.Width(), 20 * 15);
    EXPECT_EQ(g.Height(), 20 * 13);
    EXPECT_EQ(g.MatrixCell(1, 1), (GridRect{20, 40, 20, 20}));
    EXPECT_EQ(g.RowLabel(9), (GridRect{0, 200, 20, 20}));
    EXPECT_EQ(g.ColumnLabel(9), (GridRect{180, 20, 20, 20}));
    EXPECT_EQ(g.DisplacementCell(1), (GridRect{220, 40, 20, 20}));
    EXPECT_EQ(g.ForceCell(9), (GridRect{260, 200, 20, 20}));
    for (int r = 1; r <= g.equations; ++r) {
        for (int c = 1; c <= g.equations; ++c) {
            const GridRect cell = g.MatrixCell(r, c);
            const GridHit hit{GridArea::Matrix, r, c};
            EXPECT_EQ(HitTest(g, cell.x, cell.y), hit);
            EXPECT_EQ(HitTest(g, cell.x + cell.width - 1, cell.y + cell.height - 1), hit);
        }
        const GridRect d = centreOf(g.DisplacementCell(r)), f = centreOf(g.ForceCell(r));
        EXPECT_EQ(HitTest(g, d.x, d.y), (GridHit{GridArea::Displacements, r, 0}));
        EXPECT_EQ(HitTest(g, f.x, f.y), (GridHit{GridArea::Forces, r, 0}));
    }
}

TEST(MatrixGrid, LabelsGapsAndOutsideHitNothing)
{
    const SystemGrid& g = kPortal;
    const int points[][2] = {
        {10, 50},  // row numbers
        {50, 30},  // column numbers
        {30, 5},   // title
        {210, 50}, // gap between the matrix and the displacements
        {250, 50}, // gap between the displacements and the forces
        {290, 50}, // right of the forces
        {50, 225}, // below the last row
        {-1, 50},
    };
    for (const auto& p : points)
        EXPECT_EQ(HitTest(g, p[0], p[1]).area, GridArea::None) << p[0] << ", " << p[1];
}

TEST(MatrixGrid, NodeBlocksCoverTheirEquations)
{
    const SystemGrid& g = kPortal;
    EXPECT_EQ(g.MatrixBlock(2, 3), (GridRect{140, 100, 60, 60}));
    EXPECT_EQ(g.ForceBlock(2), (GridRect{260, 100, 20, 60}));
    for (int e = 1; e <= g.equations; ++e) {
        const int node = g.NodeOf(e);
        EXPECT_EQ(node, (e - 1) / 3 + 1);
        const GridRect row = g.MatrixCell(e, e);
        EXPECT_TRUE(g.MatrixBlock(node, node).Contains(row.x, row.y));
        const GridRect f = g.ForceCell(e);
        EXPECT_TRUE(g.ForceBlock(node).Contains(f.x, f.y));
    }
}

TEST(MatrixGrid, VisibleCellsAreThoseAWindowTouches)
{
    const SystemGrid big{600, 3, kMatrixCell};
    struct Case
    {
        int x, y, w, h;
        CellRange expected;
    };
    const Case cases[] = {
        {0, 0, 200, 100, {1, 3, 1, 9}}, // the top left: labels, then rows 1..3
        {20, 40, 20, 20, {1, 1, 1, 1}}, // exactly one cell
        {25, 45, 20, 20, {1, 2, 1, 2}}, // straddling four cells
        {4000, 6000, 400, 300, {299, 313, 200, 219}},
        {11900, 11900, 400, 400, {594, 600, 595, 600}}, // clipped at the last row and column
        {0, 0, 20, 40, {}},                             // the corner only: no cell
        {12200, 0, 100, 100, {}},                       // right of the matrix
    };
    for (const Case& c : cases) {
        const CellRange r = VisibleCells(big, c.x, c.y, c.w, c.h);
        if (c.expected.IsEmpty())
            EXPECT_TRUE(r.IsEmpty()) << c.x << ", " << c.y;
        else
            EXPECT_EQ(r, c.expected) << c.x << ", " << c.y;
    }
    // Whatever the position, the cells drawn are few: a screen of cells, not the system.
    const CellRange r = VisibleCells(big, 3000, 3000, 1000, 800);
    EXPECT_LE((r.lastRow - r.firstRow + 1) * (r.lastCol - r.firstCol + 1), 51 * 41);
}

TEST(MatrixGrid, HalfBandWidthFollowsTheFarthestNodesABeamJoins)
{
    using Beams = std::vector<std::pair<int, int>>;
    struct Case
    {
        int equations, dof;
        Beams beams;
        int band;
    };
    const Case cases[] = {
        {9, 3, {{1, 2}, {2, 3}}, 6},  {9, 3, {{3, 1}}, 9},
        {12, 3, {{1, 2}, {4, 2}}, 9}, {8, 2, {}, 1}, // no beam yet
        {8, 2, {{1, 0}, {2, 7}}, 1},                 // an unnumbered end, a node outside the system
        {6, 6, {{1, 1}}, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HalfBandWidth(c.equations, c.dof, c.beams), c.band) << c.equations;
}

TEST(MatrixGrid, StaircaseSeparatesTheBandFromTheRest)
{
    const SystemGrid& g = kPortal;
    const int band = 6;
    const CellRange all{1, 9, 1, 9};
    const std::vector<GridSegment> steps = BandStaircase(g, band, all);
    ASSERT_EQ(steps.size(), size_t(4 * (9 - band)));
    // The upper staircase starts on the top edge left of cell (1, 7) and ends on the right
    // edge of the matrix under row 3.
    EXPECT_EQ(steps[0], (GridSegment{140, 40, 140, 60}));
    EXPECT_EQ(steps[1], (GridSegment{140, 60, 160, 60}));
    const GridSegment last = steps[size_t(4 * (9 - band) - 3)];
    EXPECT_EQ(last, (GridSegment{180, 100, 200, 100}));
    // Every vertical step has band cells on its inside and outside cells beyond it: walking
    // along each row, the cells left of the upper step are inside |r - c| < band.
    for (const GridSegment& s : steps) {
        if (s.x1 != s.x2) continue;
        const GridHit right = HitTest(g, s.x1 + 1, s.y1 + 1);
        const GridHit left = HitTest(g, s.x1 - 1, s.y1 + 1);
        ASSERT_EQ(right.area, GridArea::Matrix);
        const bool upper = right.col > right.row;
        if (upper) {
            EXPECT_EQ(right.col - right.row, band);
            EXPECT_EQ(left.col - left.row, band - 1);
        } else {
            EXPECT_EQ(left.row - left.col, band);
            EXPECT_EQ(right.row - right.col, band - 1);
        }
    }
    // The segments drawn for a part of the matrix are the ones lying in that part.
    const CellRange part{1, 2, 7, 9};
    const std::vector<GridSegment> some = BandStaircase(g, band, part);
    EXPECT_EQ(some.size(), 4u);
    for (const GridSegment& s : some)
        EXPECT_NE(std::find(steps.begin(), steps.end(), s), steps.end());
    EXPECT_TRUE(BandStaircase(g, 9, all).empty()) << "a full band has no staircase";
    EXPECT_TRUE(BandStaircase(g, band, CellRange()).empty());
}

TEST(MatrixGrid, ConstrainedRowsAreFixedOrElastic)
{
    // index 0 unused; equations 1..6
    const std::vector<int> fixed = {0, 1, 1, 0, 2, 0, 0};
    const std::vector<char> springs = {0, 0, 0, 0, 0, 1};
    EXPECT_EQ(ConstraintMarks(fixed, springs), (std::vector<int>{0, 1, 1, 0, 2, 2, 0}));
    EXPECT_EQ(ConstraintMarks(fixed, {}), (std::vector<int>{0, 1, 1, 0, 2, 0, 0}));
}

TEST(MatrixGrid, PopupBlocksAreQuadrantsOrHalves)
{
    // A box of 160 x 160 for a plane frame: cells of 160 / 8 = 20.
    const PopupGrid m = MakePopupGrid(PopupKind::GlobalStiffness, 3, 200, 160);
    EXPECT_EQ(m.cell, 20);
    EXPECT_EQ(m.rows, 6);
    EXPECT_EQ(m.Cell(1, 1), (GridRect{20, 20, 20, 20}));
    EXPECT_EQ(m.BlockCount(), 4);
    // Block k: (node 1, node 1), (node 2, node 1), (node 1, node 2), (node 2, node 2).
    EXPECT_EQ(m.Block(0), (GridRect{20, 20, 60, 60}));
    EXPECT_EQ(m.Block(1), (GridRect{20, 80, 60, 60}));
    EXPECT_EQ(m.Block(2), (GridRect{80, 20, 60, 60}));
    EXPECT_EQ(m.Block(3), (GridRect{80, 80, 60, 60}));
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c) {
            const GridRect cell = m.Cell(r, c);
            EXPECT_EQ(m.BlockAt(cell.x + 1, cell.y + 1), m.BlockOfCell(r, c));
            EXPECT_TRUE(m.Block(m.BlockOfCell(r, c)).Contains(cell.x, cell.y));
        }
    EXPECT_EQ(m.BlockAt(5, 5), -1);
    EXPECT_EQ(m.BlockAt(141, 30), -1);

    const PopupGrid v = MakePopupGrid(PopupKind::GlobalLoad, 3, 200, 160);
    EXPECT_EQ(v.cols, 1);
    EXPECT_EQ(v.rows, 6);
    EXPECT_EQ(v.Cell(1, 1), (GridRect{90, 20, 20, 20})) << "a vector is centred";
    EXPECT_EQ(v.BlockCount(), 2);
    EXPECT_EQ(v.Block(1), (GridRect{90, 80, 20, 60}));
    EXPECT_EQ(v.BlockAt(95, 85), 1);
    const PopupGrid nodal = MakePopupGrid(PopupKind::NodalLoad, 3, 200, 160);
    EXPECT_EQ(nodal.BlockCount(), 1);
    EXPECT_EQ(nodal.Cell(1, 1), (GridRect{90, 50, 20, 20}));
    EXPECT_EQ(MakePopupGrid(PopupKind::Transformation, 6, 200, 160).cell, 11);
}

TEST(MatrixGrid, BlocksGoToTheRowsAndColumnsOfTheirNodes)
{
    struct Case
    {
        PopupKind kind;
        int block;
        BlockTarget target;
    };
    // A beam from node 3 (end 1) to node 1 (end 2); a nodal load at node 2.
    const Case cases[] = {
        {PopupKind::GlobalStiffness, 0, {3, 3}}, {PopupKind::GlobalStiffness, 1, {1, 3}},
        {PopupKind::GlobalStiffness, 2, {3, 1}}, {PopupKind::GlobalStiffness, 3, {1, 1}},
        {PopupKind::GlobalLoad, 0, {3, 0}},      {PopupKind::GlobalLoad, 1, {1, 0}},
        {PopupKind::NodalLoad, 0, {2, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TargetOfBlock(c.kind, c.block, 3, 1, 2), c.target) << c.block;
    EXPECT_EQ(TargetRect(kPortal, PopupKind::GlobalStiffness, {1, 3}), kPortal.MatrixBlock(1, 3));
    EXPECT_EQ(TargetRect(kPortal, PopupKind::GlobalLoad, {3, 0}), kPortal.ForceBlock(3));
    EXPECT_EQ(BlocksToPlace(PopupKind::GlobalStiffness), 4);
    EXPECT_EQ(BlocksToPlace(PopupKind::NodalLoad), 1);
    EXPECT_EQ(BlocksToPlace(PopupKind::GlobalLoad), 2);
    for (PopupKind k : {PopupKind::LocalStiffness, PopupKind::Transformation, PopupKind::LocalLoad})
        EXPECT_EQ(BlocksToPlace(k), 0);
}

TEST(MatrixGrid, BlockClickedIntoTheWrongPositionIsNotPlaced)
{
    const SystemGrid& g = kPortal;
    BlockPlacing placing(PopupKind::GlobalStiffness, 3, 1, 0);
    ASSERT_TRUE(placing.Active());
    EXPECT_FALSE(placing.Place(g, 30, 50)) << "no block chosen yet";
    EXPECT_EQ(placing.Choose(1), BlockPlacing::Choice::Chosen); // (node 2 of the beam, node 1)
    // Every node block but (1, 3) refuses it, and so do the vectors.
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            if (i == 1 && j == 3) continue;
            const GridRect r = centreOf(g.MatrixBlock(i, j));
            EXPECT_FALSE(placing.Place(g, r.x, r.y)) << i << ", " << j;
        }
    const GridRect f = centreOf(g.ForceBlock(1));
    EXPECT_FALSE(placing.Place(g, f.x, f.y));
    EXPECT_EQ(placing.PlacedCount(), 0);
    EXPECT_EQ(placing.Chosen(), 1);
    const GridRect right = g.MatrixBlock(1, 3);
    EXPECT_TRUE(placing.Place(g, right.x, right.y + right.height - 1));
    EXPECT_TRUE(placing.IsPlaced(1));
    EXPECT_EQ(placing.Chosen(), -1);
    EXPECT_EQ(placing.Choose(1), BlockPlacing::Choice::AlreadyPlaced);
    EXPECT_EQ(placing.Choose(4), BlockPlacing::Choice::NotABlock);
    EXPECT_FALSE(placing.Place(g, right.x, right.y)) << "nothing chosen after a placing";

    for (int k : {0, 2, 3}) {
        ASSERT_EQ(placing.Choose(k), BlockPlacing::Choice::Chosen);
        const BlockTarget t = placing.Target(k);
        const GridRect r = centreOf(g.MatrixBlock(t.nodeRow, t.nodeCol));
        EXPECT_FALSE(placing.AllPlaced());
        EXPECT_TRUE(placing.Place(g, r.x, r.y));
    }
    EXPECT_TRUE(placing.AllPlaced());
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(placing.Choose(k), BlockPlacing::Choice::AlreadyPlaced);
}

TEST(MatrixGrid, LoadBlocksArePlacedInTheForceColumn)
{
    const SystemGrid& g = kPortal;
    BlockPlacing nodal(PopupKind::NodalLoad, 0, 0, 2);
    ASSERT_EQ(nodal.Count(), 1);
    ASSERT_EQ(nodal.Choose(0), BlockPlacing::Choice::Chosen);
    const GridRect inMatrix = centreOf(g.MatrixBlock(2, 2));
    EXPECT_FALSE(nodal.Place(g, inMatrix.x, inMatrix.y));
    const GridRect d = centreOf(g.DisplacementCell(4));
    EXPECT_FALSE(nodal.Place(g, d.x, d.y)) << "the displacement column is not the forces";
    const GridRect other = centreOf(g.ForceBlock(3));
    EXPECT_FALSE(nodal.Place(g, other.x, other.y));
    const GridRect f = centreOf(g.ForceCell(6));
    EXPECT_TRUE(nodal.Place(g, f.x, f.y));
    EXPECT_TRUE(nodal.AllPlaced());

    EXPECT_FALSE(BlockPlacing(PopupKind::LocalLoad, 1, 2, 0).Active());
    EXPECT_FALSE(BlockPlacing().Active());
}

TEST(MatrixGrid, PopupsSayWhatTheyShowAndBetweenWhichNodes)
{
    struct Case
    {
        PopupKind kind;
        const char* title;
        const char* label;
    };
    const Case cases[] = {
        {PopupKind::LocalStiffness, "Matrice de rigidité", "Matrice de rigidité Locale 3 - 1"},
        {PopupKind::Transformation, "T ", "T 3 - 1"},
        {PopupKind::GlobalStiffness, "Matrice de rigidité", "Matrice de rigidité Globale 3 - 1"},
        {PopupKind::LocalLoad, "Vecteur charge", "Vecteur charge distribuée 3 - 1"},
        {PopupKind::NodalLoad, "Vecteur charge", "Vecteur charge ponctuelle au noeud # 2"},
        {PopupKind::GlobalLoad, "Vecteur charge", "Vecteur charge Globale 3 - 1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PopupTitle(c.kind), c.title);
        EXPECT_EQ(PopupLabel(c.kind, 3, 1, 2), c.label);
    }
}
