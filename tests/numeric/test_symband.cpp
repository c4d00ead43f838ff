// Symmetric band matrix: storage mapping, assembly, and the Cholesky solver checked against
// the plain full-band loops (bit for bit), against L*Lt = A and against A*x = b.
#include "TestHooks.h"
#include "numeric/SymBandMat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace velmor;
using velmor::test::RecordErrors;

namespace {

// The factorisation and solution written as plain loops over every k on full n x n arrays,
// reading zero outside the band: the reference the band solver must reproduce bit for bit.
struct ReferenceCholesky
{
    size_t n;
    std::vector<double> l;  // lower triangle, l[r*n + c] for c <= r
    size_t band = 1;
    bool ok = true;

    double L(size_t i, size_t j) const { return i >= j ? l[i * n + j] : l[j * n + i]; }
    double Lb(size_t i, size_t j) const
    {
        const size_t d = i > j ? i - j : j - i;
        return d < band ? L(i, j) : 0.0;
    }

    explicit ReferenceCholesky(const SymBandMat& a) : n(a.Rows()), l(n * n, 0.0)
    {
        for (size_t q = 0; q < n && ok; ++q)
            for (size_t r = q; r < n; ++r) {
                double s = a.At(long(q + 1), long(r + 1));
                for (size_t k = q; k-- > 0;)
                    s -= L(q, k) * L(r, k);
                if (r == q) {
                    if (!(s > 0.0) || std::fabs(s) <= 1e-15) {
                        ok = false;
                        break;
                    }
                    l[q * n + q] = std::sqrt(s);
                } else {
                    l[r * n + q] = s / L(q, q);
                }
            }
        for (size_t d = n; d-- > 1 && band == 1;)
            for (size_t k = 0; k + d < n; ++k)
                if (L(k + d, k) != 0.0) {
                    band = d + 1;
                    break;
                }
    }

    std::vector<double> Solve(const std::vector<double>& b) const
    {
        std::vector<double> y(n), x(n);
        for (size_t q = 0; q < n; ++q) {
            double s = b[q];
            for (size_t k = q; k-- > 0;)
                s -= Lb(q, k) * y[k];
            y[q] = s / Lb(q, q);
        }
        for (size_t q = n; q-- > 0;) {
            double s = y[q];
            for (size_t i = q + 1; i < n; ++i)
                s -= Lb(i, q) * x[i];
            x[q] = s / Lb(q, q);
        }
        return x;
    }
};

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A positive definite band matrix with random couplings, many of them exactly +0 or -0, so
// that zero sums of either sign occur along the way.
SymBandMat randomSystem(std::mt19937& rng, unsigned n, unsigned b)
{
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::uniform_int_distribution<int> pick(0, 5);
    SymBandMat a(n, b);
    for (long i = 1; i <= long(n); ++i) {
        a.At(i, i) = 2.0 * b + value(rng);
        for (long d = 1; d < long(b) && i + d <= long(n); ++d) {
            const int p = pick(rng);
            a.At(i, i + d) = p == 0 ? 0.0 : p == 1 ? -0.0 : value(rng);
        }
    }
    return a;
}

} // namespace

TEST(SymBandMat, StorageMapsDiagonalByDiagonal)
{
    RecordErrors errors;
    SymBandMat a(4, 2);
    EXPECT_EQ(a.Size(), 7u);
    a.At(1, 2) = 12.0;
    a.At(4, 4) = 44.0;
    EXPECT_EQ(a.At(2, 1), 12.0);
    EXPECT_EQ(a.Data()[4], 12.0) << "the first super-diagonal follows the 4 diagonal entries";
    EXPECT_EQ(a.Data()[3], 44.0);
    a.At(1, 3) = 5.0;
    EXPECT_EQ(a.At(1, 3), 0.0);
    EXPECT_EQ(a.At(3, 1), 0.0);
    EXPECT_EQ(a.At(5, 5), 0.0);
    EXPECT_TRUE(errors.messages.empty()) << "band matrices are silent out of range";

    SymBandMat full(5, 0);
    EXPECT_EQ(full.Band(), 5u);
    EXPECT_EQ(full.Size(), 15u);
    EXPECT_TRUE(full.IsSymmetric());
}

TEST(SymBandMat, AssembleElementPlacesBlocksInTheUpperTriangle)
{
    Mat k(4, 4);
    for (long i = 1; i <= 4; ++i)
        for (long j = 1; j <= 4; ++j)
            k.At(i, j) = double(10 * i + j);
    SymBandMat a(6, 6);
    a.AssembleElement(3, 1, k, 2);
    // Node 3 is DOFs 5-6, node 1 DOFs 1-2; the coupling comes from k's lower-left block.
    EXPECT_EQ(a.At(5, 5), 11.0);
    EXPECT_EQ(a.At(5, 6), 12.0);
    EXPECT_EQ(a.At(6, 6), 22.0);
    EXPECT_EQ(a.At(1, 1), 33.0);
    EXPECT_EQ(a.At(1, 2), 34.0);
    EXPECT_EQ(a.At(1, 5), 31.0);
    EXPECT_EQ(a.At(2, 6), 42.0);
    EXPECT_EQ(a.At(1, 6), 32.0);

    SymBandMat before = a;
    a.AssembleElement(1, 2, k, 3); // a 4 x 4 element with 3 DOFs per node does nothing
    for (size_t i = 0; i < a.Size(); ++i)
        EXPECT_EQ(a.Data()[i], before.Data()[i]);
}

TEST(SymBandMat, ImposeFixedClearsRowAndColumn)
{
    SymBandMat a(4, 3);
    for (long i = 1; i <= 4; ++i)
        for (long j = i; j <= 4; ++j)
            a.At(i, j) = double(i + j);
    a.ImposeFixed(2);
    for (long i = 1; i <= 4; ++i)
        if (i != 2) {
            EXPECT_EQ(a.At(i, 2), 0.0);
            EXPECT_EQ(a.At(2, i), 0.0);
        }
    EXPECT_EQ(a.At(2, 2), 1.0);
    EXPECT_EQ(a.At(3, 4), 7.0);
}

TEST(SymBandMat, AssignGeneralPadsUnsymmetricProducts)
{
    Mat sym(2, 2);
    sym.At(1, 1) = 1;
    sym.At(1, 2) = sym.At(2, 1) = 2;
    SymBandMat s;
    s.AssignGeneral(sym);
    EXPECT_EQ(s.Rows(), 2u);
    EXPECT_EQ(s.At(2, 1), 2.0);

    Mat wide(2, 3);
    wide.At(1, 3) = 7;
    wide.At(2, 1) = 4;
    s.AssignGeneral(wide);
    EXPECT_EQ(s.Rows(), 3u);
    EXPECT_EQ(s.Cols(), 3u);
    // (1, 3) and (3, 1) are one value; the pair below the diagonal is written last.
    EXPECT_EQ(s.At(1, 3), 0.0);
    EXPECT_EQ(s.At(1, 2), 4.0);
}

TEST(Cholesky, SmallCasesSucceedAndFail)
{
    SymBandMat a(2, 2);
    a.At(1, 1) = 4;
    a.At(1, 2) = 2;
    a.At(2, 2) = 3;
    Vector b(2);
    b.At(1) = 2;
    b.At(2) = 1;
    Vector x = a.Solve(b);
    EXPECT_EQ(a.m_bFactorOk, 1);
    EXPECT_DOUBLE_EQ(x.At(1), 0.5);
    EXPECT_DOUBLE_EQ(x.At(2), 0.0);

    SymBandMat singular(2, 2);
    singular.At(1, 1) = singular.At(1, 2) = singular.At(2, 2) = 1.0;
    Vector z = singular.Solve(b);
    EXPECT_EQ(singular.m_bFactorOk, 0);
    ASSERT_EQ(z.Rows(), 2u);
    EXPECT_EQ(z.At(1), 0.0);
    EXPECT_EQ(z.At(2), 0.0);
    SymBandMat l = singular.Factor();
    EXPECT_EQ(singular.m_bFactorOk, 0);
    EXPECT_EQ(l.Rows(), 2u);
    EXPECT_EQ(l.At(1, 1), 0.0);

    // Not positive definite: a negative pivot.
    SymBandMat negative(1, 1);
    negative.At(1, 1) = -2.0;
    negative.Factor();
    EXPECT_EQ(negative.m_bFactorOk, 0);
    // A pivot of round-off size counts as zero.
    SymBandMat tiny(1, 1);
    tiny.At(1, 1) = 1e-16;
    tiny.Factor();
    EXPECT_EQ(tiny.m_bFactorOk, 0);
}

TEST(Cholesky, FactorReproducesMatrixAndSolvesDenseCheck)
{
    std::mt19937 rng(7);
    const unsigned n = 40, b = 6;
    SymBandMat a = randomSystem(rng, n, b);
    SymBandMat l = a.Factor();
    ASSERT_EQ(a.m_bFactorOk, 1);
    EXPECT_LE(l.Band(), b);
    for (long i = 1; i <= long(n); ++i)
        for (long j = 1; j <= long(n); ++j) {
            double s = 0.0;
            for (long k = 1; k <= std::min(i, j); ++k)
                s += l.At(std::max(i, k), std::min(i, k)) * l.At(std::max(j, k), std::min(j, k));
            EXPECT_NEAR(s, a.At(i, j), 1e-12) << i << "," << j;
        }
    Vector rhs(n);
    for (long i = 1; i <= long(n); ++i)
        rhs.At(i) = std::sin(double(i));
    Vector x = a.Solve(rhs);
    for (long i = 1; i <= long(n); ++i) {
        double s = 0.0;
        for (long j = 1; j <= long(n); ++j)
            s += a.At(i, j) * x.At(j);
        EXPECT_NEAR(s, rhs.At(i), 1e-12);
    }
}

// Random band systems of several shapes, with exact zeros of both signs in the matrix and the
// right-hand side: the band solver gives the same bits as the full loops, signs of zeros too.
TEST(Cholesky, BandSolverMatchesFullLoopsBitForBit)
{
    std::mt19937 rng(2024);
    const unsigned shapes[][2] = {{1, 1}, {2, 1}, {5, 2}, {17, 4}, {33, 5}, {40, 40}, {60, 9},
                                  {64, 17}, {90, 3}};
    for (const auto& shape : shapes) {
        for (int trial = 0; trial < 6; ++trial) {
            const unsigned n = shape[0], b = shape[1];
            SymBandMat a = randomSystem(rng, n, b);
            ReferenceCholesky ref(a);
            ASSERT_TRUE(ref.ok);

            SymBandMat l = a.Factor();
            ASSERT_EQ(a.m_bFactorOk, 1);
            ASSERT_EQ(l.Band(), ref.band) << "n=" << n << " b=" << b;
            for (size_t i = 0; i < n; ++i)
                for (size_t j = 0; j <= i; ++j)
                    ASSERT_TRUE(sameBits(l.At(long(i + 1), long(j + 1)), ref.Lb(i, j)))
                        << "L(" << i + 1 << "," << j + 1 << ") n=" << n << " b=" << b;

            std::vector<double> rhs(n);
            std::uniform_int_distribution<int> pick(0, 3);
            for (double& v : rhs) {
                const int p = pick(rng);
                v = p == 0 ? 0.0 : p == 1 ? -0.0 : std::ldexp(double(pick(rng)) - 1.5, pick(rng));
            }
            Vector bv(n);
            for (size_t i = 0; i < n; ++i)
                bv.At(long(i + 1)) = rhs[i];
            Vector x = a.Solve(bv);
            std::vector<double> xr = ref.Solve(rhs);
            for (size_t i = 0; i < n; ++i)
                ASSERT_TRUE(sameBits(x.At(long(i + 1)), xr[i]))
                    << "x(" << i + 1 << ") n=" << n << " b=" << b << ": " << x.At(long(i + 1))
                    << " vs " << xr[i];
        }
    }
}

// Decoupled blocks with negative couplings produce sums of exactly -0 whose skipped terms
// decide the sign: the band solver must carry it as the full loops do.
TEST(Cholesky, SignOfZeroFollowsTheFullLoops)
{
    const unsigned n = 8, b = 2;
    SymBandMat a(n, b);
    for (long i = 1; i <= long(n); ++i)
        a.At(i, i) = 2.0;
    a.At(1, 2) = -1.0;
    a.At(3, 4) = -0.0;
    a.At(5, 6) = -1.0;
    a.At(7, 8) = -0.0;
    Vector rhs(n);
    const double values[8] = {-1.0, -0.0, -0.0, 0.0, -0.0, -0.0, -0.0, -0.0};
    for (long i = 1; i <= long(n); ++i)
        rhs.At(i) = values[i - 1];
    ReferenceCholesky ref(a);
    std::vector<double> xr = ref.Solve(std::vector<double>(values, values + 8));
    Vector x = a.Solve(rhs);
    for (size_t i = 0; i < n; ++i)
        EXPECT_TRUE(sameBits(x.At(long(i + 1)), xr[i])) << i + 1;
}
