#include "SymBandMat.h"

#include "NumericGlobals.h"

#include <algorithm>
#include <cmath>

namespace velmor {
namespace {

size_t bandSize(size_t n, size_t b)
{
    return (2 * n * b - b * (b - 1)) / 2;
}

// Start of diagonal d in the diagonal-by-diagonal storage of an n x n matrix.
size_t diagonalStart(size_t n, size_t d)
{
    return d * (2 * n - d + 1) / 2;
}

} // namespace

// The factor held row by row while it is computed: w[r*bw + t] = L(r+1, r+1-t), 0-based row r,
// t = 0 .. bw-1. Both operands of the inner products are then read in sequence.
struct SymBandMat::RowFactor
{
    size_t n = 0;
    size_t bw = 0;      // width of the rows while factoring (the matrix's band)
    size_t lband = 1;   // L's actual band: widest diagonal holding a non-zero
    std::vector<double, BigAllocator<double>> w;
    double at(size_t r, size_t t) const { return w[r * bw + t]; }
};

SymBandMat::SymBandMat() = default;

SymBandMat::SymBandMat(unsigned n, unsigned b)
{
    Reshape(n, n, b == 0 ? n : b, 0);
}

SymBandMat::SymBandMat(const MatBase& m)
{
    Reshape(m.Rows(), m.Rows(), m.BandWidth(), 0);
    CopyElements(m);
}

SymBandMat::SymBandMat(const SymBandMat& m) : MatBase()
{
    Assign(m);
}

void SymBandMat::AssignDense(unsigned n, const double* a)
{
    // The widest upper diagonal holding a non-zero, as SquareBandWidth finds it.
    unsigned band = 1;
    for (long d = long(n) - 1; d >= 1 && band == 1; --d)
        for (long k = 0; k + d < long(n); ++k)
            if (a[size_t(k) * n + size_t(k + d)] != 0.0) {
                band = unsigned(d) + 1;
                break;
            }
    Reshape(n, n, band, 0);
    // Row order, as CopyElements writes: the lower entry of each pair is written last.
    for (unsigned d = 0; d < band; ++d) {
        double* out = m_pData.data() + diagonalStart(n, d);
        for (unsigned k = 0; k + d < n; ++k)
            out[k] = a[size_t(k + d) * n + k];
    }
    m_bFactorOk = 0;
}

void SymBandMat::ToDense(double* a) const
{
    const size_t n = m_nRows;
    std::fill(a, a + n * n, 0.0);
    const size_t band = std::min<size_t>(m_nBand, n);
    for (size_t d = 0; d < band; ++d) {
        const double* in = m_pData.data() + diagonalStart(n, d);
        for (size_t k = 0; k + d < n; ++k)
            a[k * n + k + d] = a[(k + d) * n + k] = in[k];
    }
}

SymBandMat& SymBandMat::operator=(const MatBase& m)
{
    if (const auto* s = dynamic_cast<const SymBandMat*>(&m); s && s != this) {
        // Same class: the storage is the same mapping, copied as it is.
        SetShape(s->m_nRows, s->m_nCols, s->m_nBand);
        m_pData = s->m_pData;
        m_dummy = 0.0;
        m_bFactorOk = s->m_bFactorOk;
        return *this;
    }
    Assign(m);
    if (const auto* s = dynamic_cast<const SymBandMat*>(&m))
        m_bFactorOk = s->m_bFactorOk;
    return *this;
}

SymBandMat& SymBandMat::operator=(const SymBandMat& m)
{
    return *this = static_cast<const MatBase&>(m);
}

size_t SymBandMat::MappedSize(unsigned rows, unsigned, unsigned band) const
{
    size_t b = std::min<size_t>(band, rows);
    return bandSize(rows, b);
}

// Pairs outside the band would only write into the dummy, so they are skipped; the row order of
// the writes is kept (for a source that is not symmetric the pair below the diagonal wins).
void SymBandMat::CopyElements(const MatBase& m)
{
    const long n = m_nRows;
    const long reach = long(std::min<size_t>(m_nBand, size_t(n))) - 1;
    if (const auto* s = dynamic_cast<const SymBandMat*>(&m); s && s->m_nRows == m_nRows) {
        // Same storage scheme: copy the diagonals both hold.
        const long common = std::min(reach, long(std::min(s->m_nBand, s->m_nRows)) - 1);
        std::fill(m_pData.begin(), m_pData.end(), 0.0);
        for (long d = 0; d <= common; ++d) {
            const size_t start = diagonalStart(size_t(n), size_t(d));
            std::copy_n(s->m_pData.begin() + long(start), n - d, m_pData.begin() + long(start));
        }
        return;
    }
    for (long i = 1; i <= n; ++i)
        for (long j = std::max(1L, i - reach); j <= std::min(n, i + reach); ++j)
            At(i, j) = m.At(i, j);
}

unsigned SymBandMat::SquareBandWidth() const
{
    const size_t n = m_nRows;
    const size_t b = std::min<size_t>(m_nBand, n);
    for (size_t d = b; d-- > 1;) {
        const double* diag = m_pData.data() + diagonalStart(n, d);
        for (size_t i = 0; i + d < n; ++i)
            if (diag[i] != 0.0)
                return static_cast<unsigned>(d + 1);
    }
    return 1;
}

long SymBandMat::Index(long i, long j) const
{
    const long n = m_nRows;
    if (i < 1 || j < 1 || i > n || j > n)
        return -1;
    const long d = i > j ? i - j : j - i;
    if (d >= long(m_nBand))
        return -1;
    const long k = std::min(i, j) + long(diagonalStart(size_t(n), size_t(d))) - 1;
    return k < long(m_pData.size()) ? k : -1;
}

void SymBandMat::AssignGeneral(const MatBase& m)
{
    if (m.IsSymmetric()) {
        Assign(m);
        return;
    }
    const unsigned side = std::max(m.Rows(), m.Cols());
    Assign(m + Mat(side, side));
}

void SymBandMat::AddUpper(long ra, long rb, const MatBase& m, long i0, long j0, unsigned nr,
                          unsigned nc)
{
    if (nr == 0)
        nr = m.Rows();
    if (nc == 0)
        nc = m.Cols();
    for (long i = 0; i < long(nr); ++i)
        for (long j = 0; j < long(nc); ++j) {
            const long row = std::min(ra, rb) + i;
            const long col = std::max(ra, rb) + j;
            if (col >= row)
                At(row, col) += m.At(i0 + i, j0 + j);
        }
}

void SymBandMat::AssembleElement(long na, long nb, const MatBase& k, long c)
{
    if (long(k.Rows()) != 2 * c)
        return;
    const long a = (na - 1) * c + 1;
    const long b = (nb - 1) * c + 1;
    AddUpper(a, a, k, 1, 1, unsigned(c), unsigned(c));
    if (a < b)
        AddUpper(a, b, k, 1, c + 1, unsigned(c), unsigned(c));
    else
        AddUpper(a, b, k, c + 1, 1, unsigned(c), unsigned(c));
    AddUpper(b, b, k, c + 1, c + 1, unsigned(c), unsigned(c));
}

void SymBandMat::ImposeFixed(long a)
{
    // Only pairs inside the band hold values; the others are zero already.
    const long n = m_nRows;
    const long reach = long(m_nBand) - 1;
    for (long i = std::max(1L, a - reach); i <= std::min(n, a + reach); ++i)
        At(i, a) = 0.0;
    At(a, a) = 1.0;
}

// Cholesky by columns: for q = 1..n, r = q..n: s = A(q,r) - L(q,k)*L(r,k) for k = q-1 down to 1.
// Only k with r-k < bw can give a non-zero product, and L(r,q) is zero for r-q >= bw, so the
// loops stop there. The skipped terms are all exact zeros coming after the kept ones: they
// change s only when s is -0 and one of them is -0 (L(q,k) negative), which turns it into +0.
bool SymBandMat::FactorRows(RowFactor& f)
{
    const size_t n = m_nRows;
    const size_t bw = std::max<size_t>(1, std::min<size_t>(m_nBand, n));
    f.n = n;
    f.bw = bw;
    f.w.assign(n * bw, 0.0);
    const double* a = m_pData.data();
    double* w = f.w.data();

    for (size_t q = 0; q < n; ++q) {
        double* wq = w + q * bw;
        // Diagonal: k from q-1 down to max(0, q-bw+1), that is t = q-k = 1 .. q-kmin.
        {
            double s = a[q];
            const size_t m = q - (q + 1 > bw ? q + 1 - bw : 0);
            for (size_t t = 1; t <= m; ++t)
                s -= wq[t] * wq[t];
            if (!(s > 0.0) || std::fabs(s) <= g_dTolerance)
                return false;
            if (m_dRelativePivot > 0.0 && s < m_dRelativePivot * a[q])
                return false;
            wq[0] = std::sqrt(s);
        }
        const double pivot = wq[0];
        const size_t rmax = std::min(n - 1, q + bw - 1);
        // Number of kept terms for row r: k from q-1 down to max(0, r-bw+1).
        auto kept = [&](size_t r) { return q - std::min(q, r + 1 > bw ? r + 1 - bw : 0); };
        auto finish = [&](size_t r, double s) {
            if (s == 0.0 && std::signbit(s)) {
                // Skipped k in [max(0, q-bw+1), r-bw]: products L(q,k) * (+0).
                const size_t klo = q + 1 > bw ? q + 1 - bw : 0;
                const size_t khi_excl = q - kept(r);
                for (size_t k = klo; k < khi_excl; ++k)
                    if (std::signbit(wq[q - k])) {
                        s = 0.0;
                        break;
                    }
            }
            w[r * bw + (r - q)] = s / pivot;
        };
        size_t r = q + 1;
        // Four rows at a time: independent sums, each still accumulated in its own order.
        for (; r + 3 <= rmax; r += 4) {
            const double* w0 = w + r * bw + (r - q);
            const double* w1 = w + (r + 1) * bw + (r + 1 - q);
            const double* w2 = w + (r + 2) * bw + (r + 2 - q);
            const double* w3 = w + (r + 3) * bw + (r + 3 - q);
            double s0 = a[diagonalStart(n, r - q) + q];
            double s1 = a[diagonalStart(n, r + 1 - q) + q];
            double s2 = a[diagonalStart(n, r + 2 - q) + q];
            double s3 = a[diagonalStart(n, r + 3 - q) + q];
            const size_t m0 = kept(r), m1 = kept(r + 1), m2 = kept(r + 2), m3 = kept(r + 3);
            size_t t = 1;
            for (; t <= m3; ++t) {
                const double l = wq[t];
                s0 -= l * w0[t];
                s1 -= l * w1[t];
                s2 -= l * w2[t];
                s3 -= l * w3[t];
            }
            for (size_t u = t; u <= m2; ++u)
                s2 -= wq[u] * w2[u];
            for (size_t u = t; u <= m1; ++u)
                s1 -= wq[u] * w1[u];
            for (size_t u = t; u <= m0; ++u)
                s0 -= wq[u] * w0[u];
            finish(r, s0);
            finish(r + 1, s1);
            finish(r + 2, s2);
            finish(r + 3, s3);
        }
        for (; r <= rmax; ++r) {
            const double* wr = w + r * bw + (r - q);
            double s = a[diagonalStart(n, r - q) + q];
            const size_t m = kept(r);
            for (size_t t = 1; t <= m; ++t)
                s -= wq[t] * wr[t];
            finish(r, s);
        }
    }
    // L's actual band: the widest diagonal holding a value other than zero.
    f.lband = 1;
    for (size_t d = bw - 1; d >= 1 && f.lband == 1; --d)
        for (size_t r = d; r < n; ++r)
            if (w[r * bw + d] != 0.0) {
                f.lband = d + 1;
                break;
            }
    return true;
}

void SymBandMat::MultiplyInto(const double* x, double* y) const
{
    const size_t n = m_nRows;
    const size_t bw = std::min<size_t>(m_nBand, n);
    const double* a = m_pData.data();
    for (size_t i = 0; i < n; ++i) {
        double s = 0.0;
        const size_t jlo = i + 1 > bw ? i + 1 - bw : 0;
        const size_t jhi = std::min(n - 1, i + bw - 1);
        for (size_t j = jlo; j <= jhi; ++j) {
            const size_t d = i > j ? i - j : j - i;
            s += a[diagonalStart(n, d) + std::min(i, j)] * x[j];
        }
        y[i] = s;
    }
}

SymBandMat SymBandMat::Factor()
{
    m_bFactorOk = 1;
    RowFactor f;
    if (!FactorRows(f)) {
        m_bFactorOk = 0;
        // The zero matrix; one stored diagonal is enough for it to read as zero everywhere.
        return SymBandMat(m_nRows, 1);
    }
    SymBandMat l(m_nRows, static_cast<unsigned>(f.lband));
    const size_t n = f.n;
    for (size_t d = 0; d < f.lband; ++d) {
        double* diag = l.m_pData.data() + diagonalStart(n, d);
        for (size_t i = 0; i + d < n; ++i)
            diag[i] = f.at(i + d, d);
    }
    return l;
}

// Forward: y(q) = b(q) - L(q,k)*y(k) for k = q-1 down to 1, then / L(q,q).
// Back: x(q) = y(q) - L(i,q)*x(i) for i = q+1 .. n, then / L(q,q).
// Terms outside L's band are products of +0 with y(k) or x(i), all after the kept ones.
Vector SymBandMat::Solve(const MatBase& b)
{
    m_bFactorOk = 1;
    RowFactor f;
    if (!FactorRows(f)) {
        m_bFactorOk = 0;
        return Vector(b.Rows());
    }
    const size_t n = f.n;
    const size_t lb = f.lband;
    std::vector<double> y(n), x(n);
    size_t firstNegative = n; // smallest k with the sign bit set in y(k)
    for (size_t q = 0; q < n; ++q) {
        double s = b.At(long(q + 1));
        const size_t kmin = q + 1 > lb ? q + 1 - lb : 0;
        for (size_t k = q; k-- > kmin;)
            s -= f.at(q, q - k) * y[k];
        if (s == 0.0 && std::signbit(s) && firstNegative < kmin)
            s = 0.0;
        y[q] = s / f.at(q, 0);
        if (std::signbit(y[q]) && firstNegative == n)
            firstNegative = q;
    }
    size_t lastNegative = n; // largest i with the sign bit set in x(i); n for none
    for (size_t q = n; q-- > 0;) {
        double s = y[q];
        const size_t imax = std::min(n - 1, q + lb - 1);
        for (size_t i = q + 1; i <= imax; ++i)
            s -= f.at(i, i - q) * x[i];
        if (s == 0.0 && std::signbit(s) && lastNegative != n && lastNegative > imax)
            s = 0.0;
        x[q] = s / f.at(q, 0);
        if (std::signbit(x[q]) && lastNegative == n)
            lastNegative = q;
    }
    Vector out(static_cast<unsigned>(n));
    for (size_t q = 0; q < n; ++q)
        out.At(long(q + 1)) = x[q];
    return out;
}

} // namespace velmor
