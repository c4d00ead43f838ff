// Cells, blocks, the band's staircase and the placing of blocks of the matrix view.
#include "MatrixGrid.h"

#include "resources/StringTable.h"

#include <algorithm>
#include <cstdlib>

namespace velmor {
namespace {

// The strings of the pop-ups' labels: a qualifier and what is shown.
constexpr int kStiffness = 61253, kLocal = 61254, kGlobal = 61255, kT = 61256, kDistributed = 61257,
              kPoint = 61258, kLoadVector = 61283;

std::string trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

GridRect SystemGrid::MatrixCell(int row, int col) const
{
    return {col * cell, (row + 1) * cell, cell, cell};
}

GridRect SystemGrid::DisplacementCell(int row) const
{
    return {(equations + 2) * cell, (row + 1) * cell, cell, cell};
}

GridRect SystemGrid::ForceCell(int row) const
{
    return {(equations + 4) * cell, (row + 1) * cell, cell, cell};
}

GridRect SystemGrid::MatrixBlock(int blockRow, int blockCol) const
{
    const GridRect first =
        MatrixCell((blockRow - 1) * dofPerNode + 1, (blockCol - 1) * dofPerNode + 1);
    return {first.x, first.y, dofPerNode * cell, dofPerNode * cell};
}

GridRect SystemGrid::ForceBlock(int node) const
{
    const GridRect first = ForceCell((node - 1) * dofPerNode + 1);
    return {first.x, first.y, cell, dofPerNode * cell};
}

GridHit HitTest(const SystemGrid& grid, int x, int y)
{
    const int s = grid.cell, N = grid.equations;
    if (s <= 0 || x < 0 || y < 2 * s || y >= (N + 2) * s) return {};
    const int row = y / s - 1;
    const int column = x / s;
    if (column >= 1 && column <= N) return {GridArea::Matrix, row, column};
    if (column == N + 2) return {GridArea::Displacements, row, 0};
    if (column == N + 4) return {GridArea::Forces, row, 0};
    return {};
}

CellRange VisibleCells(const SystemGrid& grid, int x, int y, int width, int height)
{
    const int s = grid.cell, N = grid.equations;
    CellRange range;
    if (s <= 0 || width <= 0 || height <= 0 || N < 1) return range;
    range.firstCol = std::max(1, x / s);
    range.lastCol = std::min(N, (x + width - 1) / s);
    range.firstRow = std::max(1, y / s - 1);
    range.lastRow = std::min(N, (y + height - 1) / s - 1);
    if (range.IsEmpty()) return CellRange();
    return range;
}

int HalfBandWidth(int equations, int dofPerNode, const std::vector<std::pair<int, int>>& beams)
{
    if (dofPerNode <= 0 || equations <= 0) return 1;
    const int nodes = equations / dofPerNode;
    int width = 0;
    for (const auto& [a, b] : beams)
        if (a >= 1 && a <= nodes && b >= 1 && b <= nodes)
            width = std::max(width, std::abs(a - b) + 1);
    if (width == 0) return 1;
    return std::min(equations, width * dofPerNode);
}

std::vector<GridSegment> BandStaircase(const SystemGrid& grid, int band, const CellRange& range)
{
    std::vector<GridSegment> steps;
    const int s = grid.cell, N = grid.equations;
    if (band < 1 || band >= N || range.IsEmpty()) return steps;
    auto within = [&](int row, int col) {
        return row >= range.firstRow && row <= range.lastRow && col >= range.firstCol &&
               col <= range.lastCol;
    };
    for (int r = 1; r + band <= N; ++r) {
        const int c = r + band; // first column outside the band on row r
        if (within(r, c)) {
            const GridRect cell = grid.MatrixCell(r, c);
            steps.push_back({cell.x, cell.y, cell.x, cell.y + s});
            steps.push_back({cell.x, cell.y + s, cell.x + s, cell.y + s});
        }
        if (within(c, r)) { // its mirror: first row outside the band in column r
            const GridRect cell = grid.MatrixCell(c, r);
            steps.push_back({cell.x, cell.y, cell.x + s, cell.y});
            steps.push_back({cell.x + s, cell.y, cell.x + s, cell.y + s});
        }
    }
    return steps;
}

std::vector<int> ConstraintMarks(const std::vector<int>& fixed, const std::vector<char>& springs)
{
    std::vector<int> marks(fixed.size(), 0);
    for (size_t i = 1; i < fixed.size(); ++i) {
        if (fixed[i] == 1)
            marks[i] = 1;
        else if (fixed[i] == 2 || (i < springs.size() && springs[i]))
            marks[i] = 2;
    }
    return marks;
}

int BlocksToPlace(PopupKind kind)
{
    switch (kind) {
    case PopupKind::GlobalStiffness:
        return 4;
    case PopupKind::NodalLoad:
        return 1;
    case PopupKind::GlobalLoad:
        return 2;
    default:
        return 0;
    }
}

std::string PopupTitle(PopupKind kind)
{
    switch (kind) {
    case PopupKind::LocalStiffness:
    case PopupKind::GlobalStiffness:
        return LoadString(kStiffness);
    case PopupKind::Transformation:
        return LoadString(kT);
    default:
        return LoadString(kLoadVector);
    }
}

std::string PopupLabel(PopupKind kind, int na, int nb, int node)
{
    // What is shown comes first and its qualifier after it, as the words are read; the
    // transformation's name is said once.
    int qualifier = 0;
    switch (kind) {
    case PopupKind::LocalStiffness:
        qualifier = kLocal;
        break;
    case PopupKind::GlobalStiffness:
    case PopupKind::GlobalLoad:
        qualifier = kGlobal;
        break;
    case PopupKind::LocalLoad:
        qualifier = kDistributed;
        break;
    case PopupKind::NodalLoad:
        qualifier = kPoint;
        break;
    case PopupKind::Transformation:
        break;
    }
    std::string text = trimmed(PopupTitle(kind));
    if (qualifier) text += ' ' + trimmed(LoadString(qualifier));
    if (kind == PopupKind::NodalLoad) return text + ' ' + std::to_string(node);
    return text + ' ' + std::to_string(na) + " - " + std::to_string(nb);
}

PopupGrid MakePopupGrid(PopupKind kind, int dofPerNode, int boxWidth, int boxHeight)
{
    PopupGrid p;
    p.kind = kind;
    p.dofPerNode = std::max(1, dofPerNode);
    const int g = p.dofPerNode;
    p.cell = std::max(1, boxHeight / (2 * g + 2));
    if (IsMatrixKind(kind)) {
        p.rows = p.cols = 2 * g;
        p.x0 = p.y0 = p.cell;
    } else {
        p.rows = kind == PopupKind::NodalLoad ? g : 2 * g;
        p.cols = 1;
        p.x0 = (boxWidth - p.cell) / 2;
        p.y0 = (boxHeight - p.rows * p.cell) / 2;
    }
    return p;
}

GridRect PopupGrid::Cell(int row, int col) const
{
    return {x0 + (col - 1) * cell, y0 + (row - 1) * cell, cell, cell};
}

int PopupGrid::BlockCount() const
{
    if (IsMatrixKind(kind)) return 4;
    return rows / dofPerNode;
}

std::pair<int, int> PopupGrid::BlockOrigin(int k) const
{
    const int g = dofPerNode;
    if (IsMatrixKind(kind)) return {(k % 2) * g + 1, (k / 2) * g + 1};
    return {k * g + 1, 1};
}

GridRect PopupGrid::Block(int k) const
{
    if (k < 0 || k >= BlockCount()) return {};
    const auto [row, col] = BlockOrigin(k);
    const GridRect first = Cell(row, col);
    const int g = dofPerNode;
    return {first.x, first.y, (IsMatrixKind(kind) ? g : 1) * cell, g * cell};
}

int PopupGrid::BlockOfCell(int row, int col) const
{
    if (row < 1 || row > rows || col < 1 || col > cols) return -1;
    const int g = dofPerNode;
    if (IsMatrixKind(kind)) return (row - 1) / g + 2 * ((col - 1) / g);
    return (row - 1) / g;
}

int PopupGrid::BlockAt(int x, int y) const
{
    if (cell <= 0 || x < x0 || y < y0) return -1;
    return BlockOfCell((y - y0) / cell + 1, (x - x0) / cell + 1);
}

BlockTarget TargetOfBlock(PopupKind kind, int block, int na, int nb, int node)
{
    if (kind == PopupKind::NodalLoad) return {node, 0};
    if (IsMatrixKind(kind)) return {block % 2 == 0 ? na : nb, block / 2 == 0 ? na : nb};
    return {block == 0 ? na : nb, 0};
}

GridRect TargetRect(const SystemGrid& grid, PopupKind kind, const BlockTarget& target)
{
    if (IsMatrixKind(kind)) return grid.MatrixBlock(target.nodeRow, target.nodeCol);
    return grid.ForceBlock(target.nodeRow);
}

BlockPlacing::BlockPlacing(PopupKind kind, int na, int nb, int node)
    : m_kind(kind), m_na(na), m_nb(nb), m_node(node), m_count(BlocksToPlace(kind)),
      m_done(size_t(BlocksToPlace(kind)), false)
{
}

bool BlockPlacing::IsPlaced(int block) const
{
    return block >= 0 && block < m_count && m_done[size_t(block)];
}

BlockTarget BlockPlacing::Target(int block) const
{
    return TargetOfBlock(m_kind, block, m_na, m_nb, m_node);
}

BlockPlacing::Choice BlockPlacing::Choose(int block)
{
    if (block < 0 || block >= m_count) return Choice::NotABlock;
    if (m_done[size_t(block)]) return Choice::AlreadyPlaced;
    m_chosen = block;
    return Choice::Chosen;
}

bool BlockPlacing::Place(const SystemGrid& grid, int x, int y)
{
    if (m_chosen < 0 || !TargetRect(grid, m_kind, Target(m_chosen)).Contains(x, y)) return false;
    m_done[size_t(m_chosen)] = true;
    ++m_placed;
    m_chosen = -1;
    return true;
}

} // namespace velmor
