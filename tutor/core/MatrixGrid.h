// The geometry of the matrix view without a window: where each cell of the system of equations
// and of an element pop-up lies, which cell or block a click falls in, the cells a scroll
// position shows, the band's staircase, the constrained rows, and the placing of an element's
// blocks into the system by clicks in the exercises.
//
// Units are the view's logical units (one per pixel on screen), measured from the top left of
// the whole drawing (not of the window). Rows, columns and node numbers are 1-based.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velmor {

// Side of one cell of the system of equations.
inline constexpr int kMatrixCell = 20;

struct GridRect
{
    int x = 0, y = 0, width = 0, height = 0;

    bool Contains(int px, int py) const
    {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

struct GridSegment
{
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const GridSegment&, const GridSegment&) = default;
};

// The layout of a system of `equations` equations with `dofPerNode` equations per node and
// cells of side `cell`. Row r lies from (r + 1) cell to (r + 2) cell down, column c from c cell
// to (c + 1) cell across; column 0 holds the row numbers and row 1 the column numbers; the
// displacement column starts at (N + 2) cell, the force column at (N + 4) cell.
struct SystemGrid
{
    int equations = 0;
    int dofPerNode = 1;
    int cell = kMatrixCell;

    // The whole drawing: cell (N + 6) wide and cell (N + 4) high.
    int Width() const { return cell * (equations + 6); }
    int Height() const { return cell * (equations + 4); }
    GridRect MatrixCell(int row, int col) const;
    GridRect RowLabel(int row) const { return MatrixCell(row, 0); }
    GridRect ColumnLabel(int col) const { return {col * cell, cell, cell, cell}; }
    GridRect DisplacementCell(int row) const;
    GridRect ForceCell(int row) const;
    // The g x g cells of node block (blockRow, blockCol) of the matrix.
    GridRect MatrixBlock(int blockRow, int blockCol) const;
    // The g force cells of a node.
    GridRect ForceBlock(int node) const;
    // Node of an equation: (equation - 1) / g + 1.
    int NodeOf(int equation) const { return (equation - 1) / dofPerNode + 1; }
};

// What a point of the drawing falls on.
enum class GridArea
{
    None,
    Matrix,
    Displacements,
    Forces
};
struct GridHit
{
    GridArea area = GridArea::None;
    int row = 0; // equation
    int col = 0; // equation, for the matrix only
    friend bool operator==(const GridHit&, const GridHit&) = default;
};
GridHit HitTest(const SystemGrid& grid, int x, int y);

// The rows and columns of the matrix that a window of `width` x `height` shows with its top
// left at (x, y) of the drawing, every partly shown one included. Empty (first > last) when
// the window shows none.
struct CellRange
{
    int firstRow = 1, lastRow = 0, firstCol = 1, lastCol = 0;
    bool IsEmpty() const { return firstRow > lastRow || firstCol > lastCol; }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};
CellRange VisibleCells(const SystemGrid& grid, int x, int y, int width, int height);

// Stored half-bandwidth of a step-by-step system: as wide as the farthest pair of node
// numbers a beam joins (|a - b| + 1 nodes), in equations, at most `equations`; 1 when no
// beam joins two numbered nodes. Pairs with a node outside 1 .. equations / g are skipped.
int HalfBandWidth(int equations, int dofPerNode, const std::vector<std::pair<int, int>>& beams);

// The two red staircases at `band` cells from the diagonal: above it, for each row r from 1 to
// N - band, a vertical step on the left edge of cell (r, r + band) and a horizontal one along
// its bottom; below it the mirror image. Only the steps of cells inside `range` are returned
// (the view passes the cells it shows). Nothing when band >= N.
std::vector<GridSegment> BandStaircase(const SystemGrid& grid, int band, const CellRange& range);

// Per equation (index 0 unused): 0 free, 1 fixed, 2 elastic or prescribed. `fixed` holds a
// DofState per equation (index 0 unused: 1 fixed, 2 prescribed); `springs` (same indexing,
// may be shorter) is non-zero where an imposed spring holds the equation.
std::vector<int> ConstraintMarks(const std::vector<int>& fixed, const std::vector<char>& springs);

// ---- the element pop-ups

// What an element pop-up shows (the kinds of its label and title).
enum class PopupKind : int
{
    LocalStiffness = 0,
    Transformation = 1,
    GlobalStiffness = 2,
    LocalLoad = 3,
    NodalLoad = 4,
    GlobalLoad = 5,
};
inline bool IsMatrixKind(PopupKind kind)
{
    return kind == PopupKind::LocalStiffness || kind == PopupKind::Transformation ||
           kind == PopupKind::GlobalStiffness;
}
// Blocks the user places in the exercises: 4 for a beam's global matrix, 1 for a nodal load,
// 2 for a beam's global load vector, 0 for the other kinds.
int BlocksToPlace(PopupKind kind);

// The window title of a pop-up: "Matrice de rigidité" (kinds 0 and 2), "T " (1), "Vecteur
// charge" (3 to 5).
std::string PopupTitle(PopupKind kind);
// Its label: what it shows, then the beam's node numbers " i - j" (the node's " n" for a nodal
// load): "Matrice de rigidité Locale 1 - 2", "T 1 - 2", "Matrice de rigidité Globale 1 - 2",
// "Vecteur charge distribuée 1 - 2", "Vecteur charge ponctuelle au noeud # 2",
// "Vecteur charge Globale 1 - 2".
std::string PopupLabel(PopupKind kind, int na, int nb, int node);

// The picture of a pop-up in a box of `boxWidth` x `boxHeight`: cell c = H / (2g + 2). A matrix
// is 2g x 2g cells from (c, c); a vector one column of g (nodal load) or 2g cells, centred.
struct PopupGrid
{
    PopupKind kind = PopupKind::LocalStiffness;
    int dofPerNode = 1;
    int cell = 1;
    int x0 = 0, y0 = 0;
    int rows = 0, cols = 0;

    GridRect Cell(int row, int col) const; // 1-based
    // Number of blocks: the four g x g quadrants of a matrix, the halves of a 2g vector, the
    // one block of a nodal load.
    int BlockCount() const;
    // Block k (0-based) of a matrix: quadrant (row half k % 2, column half k / 2), that is
    // (node 1, node 1), (node 2, node 1), (node 1, node 2), (node 2, node 2); of a vector: half k.
    GridRect Block(int k) const;
    // First row and column (1-based) of block k.
    std::pair<int, int> BlockOrigin(int k) const;
    // The block a point falls in, or -1.
    int BlockAt(int x, int y) const;
    // The block holding cell (row, col), or -1.
    int BlockOfCell(int row, int col) const;
};
PopupGrid MakePopupGrid(PopupKind kind, int dofPerNode, int boxWidth, int boxHeight);

// Where block k of an element goes in the system, as node blocks: for a beam's matrix quadrant
// (i, j) the rows of node i and the columns of node j (na at end 1, nb at end 2); for a load
// vector the force rows of its node (col 0).
struct BlockTarget
{
    int nodeRow = 0, nodeCol = 0;
    friend bool operator==(const BlockTarget&, const BlockTarget&) = default;
};
BlockTarget TargetOfBlock(PopupKind kind, int block, int na, int nb, int node);
// The rectangle of the drawing where a block must be put: a matrix block, or force cells.
GridRect TargetRect(const SystemGrid& grid, PopupKind kind, const BlockTarget& target);

// The placing of one element's blocks by clicks: choose a block, then click its target.
class BlockPlacing
{
public:
    enum class Choice
    {
        Chosen,
        AlreadyPlaced,
        NotABlock
    };

    BlockPlacing() = default;
    // Placing the blocks of an element of that kind between nodes na and nb (or at node for a
    // nodal load); nothing to place for a kind without blocks.
    BlockPlacing(PopupKind kind, int na, int nb, int node);

    bool Active() const { return m_count > 0; }
    PopupKind Kind() const { return m_kind; }
    int Count() const { return m_count; }
    int PlacedCount() const { return m_placed; }
    bool IsPlaced(int block) const;
    bool AllPlaced() const { return Active() && m_placed == m_count; }
    // The chosen block, -1 for none.
    int Chosen() const { return m_chosen; }
    BlockTarget Target(int block) const;

    // A click on block k of the pop-up.
    Choice Choose(int block);
    // A click at (x, y) of the drawing: places the chosen block when the point is inside its
    // target rectangle; false (nothing changes) otherwise.
    bool Place(const SystemGrid& grid, int x, int y);

private:
    PopupKind m_kind = PopupKind::LocalStiffness;
    int m_na = 0, m_nb = 0, m_node = 0;
    int m_count = 0;
    int m_placed = 0;
    int m_chosen = -1;
    std::vector<bool> m_done;
};

} // namespace velmor
