// Symmetric matrix of a structure whose equations come c to a node, stored sparse: only the
// node blocks that an element couples (and each node's own block) are kept, upper triangle, in
// compressed columns (0-based, rows sorted), the form the sparse factorisation reads.
//
// Equations are numbered 1..n (n = nodes * c), node k holding equations (k-1)*c + 1 .. k*c.
// Pairs outside the pattern read 0 and writes to them are lost, as outside a band.
#pragma once

#include "MatBase.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace velmor {

class SparseSymMat
{
public:
    SparseSymMat() = default;
    // The zero matrix of `nodes` nodes of c equations each, coupling the node pairs of
    // `links` (1-based node numbers; pairs out of range are ignored).
    SparseSymMat(int nodes, int c, const std::vector<std::pair<int, int>>& links);

    long Size() const { return long(m_nodes) * m_c; }
    bool Empty() const { return m_nodes == 0; }
    // The stored entry (i, j), 1-based, either triangle; nullptr outside the pattern.
    double* Find(long i, long j);
    double At(long i, long j) const;
    // Adds an element matrix of 2c x 2c between nodes na and nb (its upper triangle is read:
    // rows 1..c are node na, c+1..2c node nb).
    void AssembleElement(long na, long nb, const MatBase& k);
    // The same from a 2c x 2c matrix in rows (k[i * 2c + j], 0-based).
    void AssembleElement(long na, long nb, const double* k);
    // Calls f(j, entry) for each stored entry (i, j) of row i, j != i, in increasing j.
    template <class F> void ForEachInRow(long i, F&& f);
    // Clears row and column a, then puts 1 on the diagonal.
    void ImposeFixed(long a);

    const std::vector<std::int64_t>& ColumnStarts() const { return m_colStart; }
    const std::vector<std::int64_t>& RowIndices() const { return m_rows; }
    const std::vector<double>& Values() const { return m_values; }
    long NonZeros() const { return long(m_values.size()); }

private:
    // Position within node j's list of coupled lower-numbered nodes (j itself last), or -1.
    long BlockIndex(int i, int j) const;
    // Index in m_values of row (node i, component r) of column (node j, component q), i <= j,
    // node i being entry `block` of node j's list; r, q 0-based.
    size_t Position(int j, long block, int q, int r) const
    {
        return size_t(m_colStart[size_t((j - 1) * m_c + q)] + block * m_c + r);
    }

    int m_nodes = 0;
    int m_c = 0;
    // Per node j: the nodes i <= j it is coupled to (sorted, ending with j), in m_upper from
    // m_upperStart[j-1]; and the nodes i > j, in m_lower from m_lowerStart[j-1].
    std::vector<std::int64_t> m_upperStart, m_lowerStart;
    std::vector<int> m_upper, m_lower;
    std::vector<std::int64_t> m_colStart, m_rows;
    std::vector<double> m_values;
};

template <class F> void SparseSymMat::ForEachInRow(long i, F&& f)
{
    if (i < 1 || i > Size())
        return;
    const int I = int((i - 1) / m_c) + 1, r = int((i - 1) % m_c);
    // (i, j) for j < i: column i itself, above its diagonal.
    const long own = m_upperStart[size_t(I)] - m_upperStart[size_t(I - 1)];
    for (long b = 0; b < own; ++b) {
        const int J = m_upper[size_t(m_upperStart[size_t(I - 1)] + b)];
        const int last = J == I ? r : m_c;
        for (int q = 0; q < last; ++q)
            f(long(J - 1) * m_c + q + 1, m_values[Position(I, b, r, q)]);
    }
    // (i, j) for j > i in node I's own block, then in the later nodes' columns.
    for (int q = r + 1; q < m_c; ++q)
        f(long(I - 1) * m_c + q + 1, m_values[Position(I, own - 1, q, r)]);
    for (std::int64_t t = m_lowerStart[size_t(I - 1)]; t < m_lowerStart[size_t(I)]; ++t) {
        const int J = m_lower[size_t(t)];
        const long b = BlockIndex(I, J);
        for (int q = 0; q < m_c; ++q)
            f(long(J - 1) * m_c + q + 1, m_values[Position(J, b, q, r)]);
    }
}

} // namespace velmor
