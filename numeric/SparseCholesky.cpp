#include "SparseCholesky.h"

#include <suitesparse/cholmod.h>

#include <sys/mman.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <limits>

namespace velmor {
namespace {

// The factor of a large structure takes gigabytes: its blocks are asked for in huge pages,
// which spares hundreds of thousands of page faults when they are first written.
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kLargeBlock = size_t(16) << 20;

void* largeMalloc(size_t size)
{
    if (size < kLargeBlock)
        return std::malloc(size);
    const size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (p)
        madvise(p, rounded, MADV_HUGEPAGE);
    return p;
}

void* largeCalloc(size_t count, size_t size)
{
    if (size != 0 && count > std::numeric_limits<size_t>::max() / size)
        return nullptr;
    const size_t bytes = count * size;
    if (bytes < kLargeBlock)
        return std::calloc(count, size);
    void* p = largeMalloc(bytes);
    if (p)
        std::memset(p, 0, bytes);
    return p;
}

} // namespace

struct SparseCholesky::Impl
{
    Impl()
    {
        SuiteSparse_config.malloc_func = largeMalloc;
        SuiteSparse_config.calloc_func = largeCalloc;
        started = cholmod_l_start(&common) != 0;
        common.print = 0;           // silent: the caller reports
        common.error_handler = nullptr;
        common.supernodal = CHOLMOD_SUPERNODAL;
        common.final_ll = 1;
    }
    ~Impl()
    {
        FreeFactor();
        if (started)
            cholmod_l_finish(&common);
    }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    void FreeFactor()
    {
        if (factor)
            cholmod_l_free_factor(&factor, &common);
        factor = nullptr;
    }
    Result StatusResult() const
    {
        if (common.status == CHOLMOD_OUT_OF_MEMORY)
            return Result::OutOfMemory;
        if (common.status == CHOLMOD_NOT_POSDEF)
            return Result::NotPositiveDefinite;
        return common.status < CHOLMOD_OK ? Result::Failed : Result::Ok;
    }

    cholmod_common common{};
    bool started = false;
    cholmod_factor* factor = nullptr;
    long n = 0;
};

SparseCholesky::SparseCholesky() : m_impl(std::make_unique<Impl>()) {}
SparseCholesky::~SparseCholesky() = default;

namespace {

SparseOrdering orderingOf(int cholmodOrdering)
{
    switch (cholmodOrdering) {
    case CHOLMOD_AMD: return SparseOrdering::MinimumDegree;
    case CHOLMOD_METIS: return SparseOrdering::GraphPartition;
    case CHOLMOD_NESDIS: return SparseOrdering::NestedDissection;
    default: return SparseOrdering::Automatic;
    }
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

namespace {

// The ordering of the equations found on the graph of their blocks of `bs` (the upper triangle
// (colStart, rows) of n = nb * bs equations): each block's equations together, in order. Empty
// when the library cannot give that ordering.
std::vector<std::int64_t> blockOrdering(long n, long bs, const std::int64_t* colStart,
                                        const std::int64_t* rows, SparseOrdering ordering,
                                        cholmod_common& c)
{
    const long nb = n / bs;
    // The pattern of the blocks' upper triangle, each block column once per block row.
    std::vector<std::int64_t> bp(size_t(nb) + 1, 0), bi, mark(size_t(nb), -1);
    bi.reserve(size_t(colStart[n]) / size_t(bs * bs) + size_t(nb));
    for (long J = 0; J < nb; ++J) {
        for (long j = J * bs; j < (J + 1) * bs; ++j)
            for (std::int64_t k = colStart[j]; k < colStart[j + 1]; ++k) {
                const std::int64_t I = rows[k] / bs;
                if (I <= J && mark[size_t(I)] != J) {
                    mark[size_t(I)] = J;
                    bi.push_back(I);
                }
            }
        std::sort(bi.begin() + bp[size_t(J)], bi.end());
        bp[size_t(J) + 1] = std::int64_t(bi.size());
    }
    cholmod_sparse B{};
    B.nrow = B.ncol = size_t(nb);
    B.nzmax = bi.size();
    B.p = bp.data();
    B.i = bi.data();
    B.stype = 1;
    B.itype = CHOLMOD_LONG;
    B.xtype = CHOLMOD_PATTERN;
    B.dtype = CHOLMOD_DOUBLE;
    B.sorted = 1;
    B.packed = 1;
    std::vector<std::int64_t> perm(static_cast<size_t>(nb));
    c.current = 0;
    bool ok = false;
    if (ordering == SparseOrdering::NestedDissection) {
        std::vector<std::int64_t> parent(static_cast<size_t>(nb)), member(static_cast<size_t>(nb));
        ok = cholmod_l_nested_dissection(&B, nullptr, 0, perm.data(), parent.data(), member.data(),
                                         &c) > 0;
    } else if (ordering == SparseOrdering::GraphPartition) {
        ok = cholmod_l_metis(&B, nullptr, 0, 0, perm.data(), &c) != 0;
    }
    if (!ok) {
        c.status = CHOLMOD_OK;
        ok = cholmod_l_amd(&B, nullptr, 0, perm.data(), &c) != 0;
    }
    if (!ok) {
        c.status = CHOLMOD_OK;
        return {};
    }
    std::vector<std::int64_t> order(static_cast<size_t>(n));
    for (long k = 0; k < nb; ++k)
        for (long t = 0; t < bs; ++t)
            order[size_t(k * bs + t)] = perm[size_t(k)] * bs + t;
    return order;
}

} // namespace

SparseCholesky::Result SparseCholesky::Factor(long n, const std::vector<std::int64_t>& colStart,
                                              const std::vector<std::int64_t>& rows,
                                              const std::vector<double>& values,
                                              SparseOrdering ordering, double relativePivot,
                                              double absolutePivot, long blockSize)
{
    Impl& m = *m_impl;
    m.FreeFactor();
    m.n = 0;
    m_minPivotRatio = 0.0;
    m_rcond = 0.0;
    m_factorEntries = 0.0;
    m_flops = 0.0;
    m_orderingUsed = SparseOrdering::Automatic;
    m_orderingSeconds = 0.0;
    const auto start = std::chrono::steady_clock::now();
    if (!m.started)
        return Result::Failed;
    if (n <= 0 || colStart.size() != size_t(n) + 1 || rows.size() < size_t(colStart.back()) ||
        values.size() < size_t(colStart.back()))
        return Result::Failed;

    // The caller's arrays, seen as the library's matrix (nothing is copied).
    cholmod_sparse A{};
    A.nrow = size_t(n);
    A.ncol = size_t(n);
    A.nzmax = size_t(colStart.back());
    A.p = const_cast<std::int64_t*>(colStart.data());
    A.i = const_cast<std::int64_t*>(rows.data());
    A.x = const_cast<double*>(values.data());
    A.stype = 1; // upper triangle stored
    A.itype = CHOLMOD_LONG;
    A.xtype = CHOLMOD_REAL;
    A.dtype = CHOLMOD_DOUBLE;
    A.sorted = 1;
    A.packed = 1;

    cholmod_common& c = m.common;
    switch (ordering) {
    case SparseOrdering::Automatic:
        c.nmethods = 0;
        break;
    case SparseOrdering::MinimumDegree:
        c.nmethods = 1;
        c.method[0].ordering = CHOLMOD_AMD;
        break;
    case SparseOrdering::GraphPartition:
        c.nmethods = 1;
        c.method[0].ordering = CHOLMOD_METIS;
        break;
    case SparseOrdering::NestedDissection:
        c.nmethods = 1;
        c.method[0].ordering = CHOLMOD_NESDIS;
        break;
    }
    c.postorder = 1;
    c.status = CHOLMOD_OK;

    std::vector<std::int64_t> given;
    if (blockSize > 1 && n % blockSize == 0 && n / blockSize > 1 &&
        ordering != SparseOrdering::Automatic)
        given = blockOrdering(n, blockSize, colStart.data(), rows.data(), ordering, c);
    if (!given.empty()) {
        c.nmethods = 1;
        c.method[0].ordering = CHOLMOD_GIVEN;
        m.factor = cholmod_l_analyze_p(&A, given.data(), nullptr, 0, &c);
        if (m.factor && c.status >= CHOLMOD_OK) {
            m_orderingUsed = ordering;
            m_orderingSeconds = secondsSince(start);
            return Finish(A, colStart, rows, values, relativePivot, absolutePivot);
        }
        m.FreeFactor();
        c.status = CHOLMOD_OK;
        c.method[0].ordering = CHOLMOD_AMD;
    }
    m.factor = cholmod_l_analyze(&A, &c);
    if (!m.factor && c.status == CHOLMOD_NOT_INSTALLED) {
        c.nmethods = 1;
        c.method[0].ordering = CHOLMOD_AMD;
        c.status = CHOLMOD_OK;
        m.factor = cholmod_l_analyze(&A, &c);
    }
    if (!m.factor || c.status < CHOLMOD_OK) {
        const Result r = m.StatusResult();
        m.FreeFactor();
        return r == Result::Ok ? Result::Failed : r;
    }
    m_orderingUsed = orderingOf(m.factor->ordering);
    m_orderingSeconds = secondsSince(start);
    return Finish(A, colStart, rows, values, relativePivot, absolutePivot);
}

SparseCholesky::Result SparseCholesky::Finish(cholmod_sparse& A,
                                              const std::vector<std::int64_t>& colStart,
                                              const std::vector<std::int64_t>& rows,
                                              const std::vector<double>& values,
                                              double relativePivot, double absolutePivot)
{
    Impl& m = *m_impl;
    cholmod_common& c = m.common;
    const long n = long(A.nrow);
    m_flops = c.fl;
    cholmod_l_factorize(&A, m.factor, &c);
    if (c.status < CHOLMOD_OK) {
        const Result r = m.StatusResult();
        m.FreeFactor();
        return r == Result::Ok ? Result::Failed : r;
    }
    cholmod_factor* L = m.factor;
    if (c.status == CHOLMOD_NOT_POSDEF || L->minor < size_t(n) || !L->is_super) {
        m.FreeFactor();
        return Result::NotPositiveDefinite;
    }

    // The pivots: the diagonal of each supernode's dense block, against the matrix's diagonal
    // entry of the same equation.
    const auto* super = static_cast<const std::int64_t*>(L->super);
    const auto* pi = static_cast<const std::int64_t*>(L->pi);
    const auto* px = static_cast<const std::int64_t*>(L->px);
    const auto* Lx = static_cast<const double*>(L->x);
    const auto* perm = static_cast<const std::int64_t*>(L->Perm);
    const auto* Ap = colStart.data();
    const auto* Ai = rows.data();
    double minRatio = std::numeric_limits<double>::infinity();
    double minPivot = std::numeric_limits<double>::infinity(), maxPivot = 0.0;
    bool small = false;
    for (size_t s = 0; s < L->nsuper; ++s) {
        const std::int64_t k1 = super[s], k2 = super[s + 1];
        const std::int64_t nsrow = pi[s + 1] - pi[s];
        for (std::int64_t k = k1; k < k2; ++k) {
            const double l = Lx[px[s] + (k - k1) + (k - k1) * nsrow];
            const double pivot = l * l;
            const std::int64_t j = perm ? perm[k] : k;
            // The diagonal entry is the last of its upper-triangle column.
            const std::int64_t last = Ap[j + 1] - 1;
            const double a = (last >= Ap[j] && Ai[last] == j) ? values[size_t(last)] : 0.0;
            const double ratio = a > 0.0 ? pivot / a : 0.0;
            minRatio = std::min(minRatio, ratio);
            minPivot = std::min(minPivot, std::fabs(l));
            maxPivot = std::max(maxPivot, std::fabs(l));
            if (!(pivot > absolutePivot) || (relativePivot > 0.0 && pivot < relativePivot * a))
                small = true;
        }
    }
    m_minPivotRatio = minRatio;
    m_rcond = maxPivot > 0.0 ? (minPivot / maxPivot) * (minPivot / maxPivot) : 0.0;
    m_factorEntries = double(L->xsize);
    if (small) {
        m.FreeFactor();
        return Result::SmallPivot;
    }
    m.n = n;
    return Result::Ok;
}

SparseCholesky::Result SparseCholesky::Solve(const double* b, double* x)
{
    Impl& m = *m_impl;
    if (!m.factor || m.n <= 0)
        return Result::NotFactored;
    cholmod_dense B{};
    B.nrow = size_t(m.n);
    B.ncol = 1;
    B.nzmax = size_t(m.n);
    B.d = size_t(m.n);
    B.x = const_cast<double*>(b);
    B.xtype = CHOLMOD_REAL;
    B.dtype = CHOLMOD_DOUBLE;
    m.common.status = CHOLMOD_OK;
    cholmod_dense* X = cholmod_l_solve(CHOLMOD_A, m.factor, &B, &m.common);
    if (!X)
        return m.StatusResult() == Result::Ok ? Result::Failed : m.StatusResult();
    const auto* xs = static_cast<const double*>(X->x);
    std::copy(xs, xs + m.n, x);
    cholmod_l_free_dense(&X, &m.common);
    return Result::Ok;
}

} // namespace velmor
