#include "SparseSymMat.h"

#include <algorithm>

namespace velmor {

SparseSymMat::SparseSymMat(int nodes, int c, const std::vector<std::pair<int, int>>& links)
    : m_nodes(std::max(0, nodes)), m_c(std::max(0, c))
{
    const size_t N = size_t(m_nodes);
    // Node lists: count, place, then sort and drop repeats.
    std::vector<std::int64_t> upCount(N + 1, 0), lowCount(N + 1, 0);
    auto valid = [&](int a, int b) { return a >= 1 && b >= 1 && a <= m_nodes && b <= m_nodes && a != b; };
    for (const auto& [a, b] : links)
        if (valid(a, b)) {
            ++upCount[size_t(std::max(a, b))];
            ++lowCount[size_t(std::min(a, b))];
        }
    for (size_t j = 1; j <= N; ++j)
        ++upCount[j]; // the node itself
    std::vector<std::int64_t> upStart(N + 1, 0), lowStart(N + 1, 0);
    for (size_t j = 1; j <= N; ++j) {
        upStart[j] = upStart[j - 1] + upCount[j];
        lowStart[j] = lowStart[j - 1] + lowCount[j];
    }
    std::vector<int> up(static_cast<size_t>(upStart[N])), low(static_cast<size_t>(lowStart[N]));
    std::vector<std::int64_t> upFill(upStart.begin(), upStart.end() - 1),
        lowFill(lowStart.begin(), lowStart.end() - 1);
    for (size_t j = 1; j <= N; ++j)
        up[size_t(upFill[j - 1]++)] = int(j);
    for (const auto& [a, b] : links)
        if (valid(a, b)) {
            const int lo = std::min(a, b), hi = std::max(a, b);
            up[size_t(upFill[size_t(hi - 1)]++)] = lo;
            low[size_t(lowFill[size_t(lo - 1)]++)] = hi;
        }
    m_upperStart.assign(N + 1, 0);
    m_lowerStart.assign(N + 1, 0);
    m_upper.reserve(up.size());
    m_lower.reserve(low.size());
    for (size_t j = 0; j < N; ++j) {
        auto b = up.begin() + upStart[j], e = up.begin() + upStart[j + 1];
        std::sort(b, e);
        m_upper.insert(m_upper.end(), b, std::unique(b, e));
        m_upperStart[j + 1] = std::int64_t(m_upper.size());
        auto lb = low.begin() + lowStart[j], le = low.begin() + lowStart[j + 1];
        std::sort(lb, le);
        m_lower.insert(m_lower.end(), lb, std::unique(lb, le));
        m_lowerStart[j + 1] = std::int64_t(m_lower.size());
    }
    // Columns: node j's column q holds c rows per lower-numbered coupled node, then q+1 of j.
    const size_t n = N * size_t(m_c);
    m_colStart.assign(n + 1, 0);
    for (size_t j = 0; j < N; ++j) {
        const std::int64_t blocks = m_upperStart[j + 1] - m_upperStart[j];
        for (int q = 0; q < m_c; ++q) {
            const size_t col = j * size_t(m_c) + size_t(q);
            m_colStart[col + 1] = m_colStart[col] + (blocks - 1) * m_c + q + 1;
        }
    }
    m_rows.resize(size_t(m_colStart[n]));
    for (size_t j = 0; j < N; ++j)
        for (int q = 0; q < m_c; ++q) {
            std::int64_t at = m_colStart[j * size_t(m_c) + size_t(q)];
            for (std::int64_t t = m_upperStart[j]; t < m_upperStart[j + 1]; ++t) {
                const int i = m_upper[size_t(t)];
                const int rows = size_t(i) == j + 1 ? q + 1 : m_c;
                for (int r = 0; r < rows; ++r)
                    m_rows[size_t(at++)] = std::int64_t(i - 1) * m_c + r;
            }
        }
    m_values.assign(m_rows.size(), 0.0);
}

long SparseSymMat::BlockIndex(int i, int j) const
{
    if (i < 1 || j < 1 || i > m_nodes || j > m_nodes || i > j)
        return -1;
    const auto b = m_upper.begin() + m_upperStart[size_t(j - 1)];
    const auto e = m_upper.begin() + m_upperStart[size_t(j)];
    const auto it = std::lower_bound(b, e, i);
    return it != e && *it == i ? long(it - b) : -1;
}

double* SparseSymMat::Find(long i, long j)
{
    if (i > j)
        std::swap(i, j);
    if (i < 1 || j > Size())
        return nullptr;
    const int I = int((i - 1) / m_c) + 1, r = int((i - 1) % m_c);
    const int J = int((j - 1) / m_c) + 1, q = int((j - 1) % m_c);
    const long b = BlockIndex(I, J);
    if (b < 0)
        return nullptr;
    return &m_values[Position(J, b, q, r)];
}

double SparseSymMat::At(long i, long j) const
{
    const double* v = const_cast<SparseSymMat*>(this)->Find(i, j);
    return v ? *v : 0.0;
}

void SparseSymMat::AssembleElement(long na, long nb, const MatBase& k)
{
    const long c = m_c;
    if (k.Rows() != unsigned(2 * c) || k.Cols() != unsigned(2 * c))
        return;
    std::vector<double> rows(size_t(4 * c * c));
    for (long i = 0; i < 2 * c; ++i)
        for (long j = 0; j < 2 * c; ++j)
            rows[size_t(i * 2 * c + j)] = k.At(i + 1, j + 1);
    AssembleElement(na, nb, rows.data());
}

void SparseSymMat::AssembleElement(long na, long nb, const double* k)
{
    const long c = m_c, w = 2 * c;
    const long ends[2] = {na, nb};
    for (int e = 0; e < 2; ++e) {
        const int A = int(ends[e]);
        const long b = BlockIndex(A, A);
        if (b < 0)
            continue;
        const long o = e * c;
        for (int q = 0; q < c; ++q)
            for (int r = 0; r <= q; ++r)
                m_values[Position(A, b, q, r)] += k[(o + r) * w + o + q];
    }
    if (na == nb)
        return;
    // The coupling block: k(p, c+q) couples component p of na with component q of nb (read
    // above the diagonal when na < nb, below it otherwise, as the band matrix reads it).
    const int lo = int(std::min(na, nb)), hi = int(std::max(na, nb));
    const long b = BlockIndex(lo, hi);
    if (b < 0)
        return;
    const bool aFirst = na < nb;
    for (int q = 0; q < c; ++q)     // column component, node hi
        for (int r = 0; r < c; ++r) // row component, node lo
            m_values[Position(hi, b, q, r)] += aFirst ? k[r * w + c + q] : k[(c + r) * w + q];
}

void SparseSymMat::ImposeFixed(long a)
{
    ForEachInRow(a, [](long, double& v) { v = 0.0; });
    if (double* d = Find(a, a))
        *d = 1.0;
}

} // namespace velmor
