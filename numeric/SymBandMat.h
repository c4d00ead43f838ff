// Symmetric band matrix with its Cholesky solver.
//
// Storage is diagonal by diagonal: the n entries of the main diagonal, then the n-1 of the
// first super-diagonal, and so on up to diagonal b-1; (i, j) and (j, i) are one stored value,
// entry min(i,j) + d*(2n - d + 1)/2 - 1 with d = |i - j| < b. Pairs outside the band read 0 and
// writes to them are lost, silently.
//
// Factor and Solve work in O(n*b^2) time and O(n*b) memory and give, bit for bit, what the
// plain loops over every k = q-1 .. 1 give on a full-band factor: the terms they skip are
// products with a zero outside the band, which leave a non-zero sum as it is (the sign of an
// exact zero is carried over as the full loops would leave it).
#pragma once

#include "MatBase.h"

namespace velmor {

class SymBandMat : public MatBase
{
public:
    // 1 x 1 with one stored value 0.
    SymBandMat();
    // n x n with b stored diagonals (b of 0 means a full band), zero-filled.
    SymBandMat(unsigned n, unsigned b);
    // n = m's row count, b = m's BandWidth, then every element of m copied.
    SymBandMat(const MatBase& m);
    // Same shape as m, storage copied.
    SymBandMat(const SymBandMat& m);
    SymBandMat& operator=(const MatBase& m);
    SymBandMat& operator=(const SymBandMat& m);

    // 1 after a successful factorisation, 0 after a failed one.
    int m_bFactorOk = 0;
    // When above 0: a pivot below this fraction of its diagonal entry before the
    // factorisation also makes the matrix singular (a mechanism whose pivots are round-off).
    double m_dRelativePivot = 0.0;

    // The n x n symmetric matrix whose entries are a[(i-1) n + (j-1)], with the band BandWidth
    // finds in it: the same shape and values as assigning SymBandMat(m) for a Mat m of those
    // entries (a pair (i, j) and (j, i) keeps the value of the lower one, i > j), without the
    // intermediate copies. m_bFactorOk becomes 0.
    void AssignDense(unsigned n, const double* a);
    // Every entry (i, j) into a[(i-1) n + (j-1)], n = Rows(): both triangles, zeros outside the
    // band.
    void ToDense(double* a) const;
    // Stores a general square product such as T*K*Tt: plain Assign when it is symmetric
    // (keeping its full band), otherwise after padding it with zeros to a square.
    void AssignGeneral(const MatBase& m);
    // this(min(ra,rb)+i, max(ra,rb)+j) += m(i0+i, j0+j) for i < nr, j < nc where the column is
    // not below the row; nr or nc of 0 mean m's row or column count.
    void AddUpper(long ra, long rb, const MatBase& m, long i0 = 1, long j0 = 1, unsigned nr = 0,
                  unsigned nc = 0);
    // Adds an element matrix of 2c x 2c (c degrees of freedom per node) between nodes na and
    // nb, upper triangle only; any other size does nothing.
    void AssembleElement(long na, long nb, const MatBase& k, long c);
    // Clears row and column a, then puts 1 on the diagonal.
    void ImposeFixed(long a);

    // Cholesky factor L (lower triangle meaningful) with A = L*Lt, returned with L's actual band.
    // A pivot that is not > 0, or not above g_dTolerance in magnitude, makes the matrix singular:
    // m_bFactorOk = 0 and the result is the zero matrix.
    SymBandMat Factor();
    // y(i) = sum over j of this(i, j) * x(j), each sum accumulated from 0 in increasing j over
    // the stored band (the terms outside it are zero). x and y hold n values (index 0 = row 1).
    void MultiplyInto(const double* x, double* y) const;
    // Solution of this*x = b (factorises again at every call); a zero vector with
    // m_bFactorOk = 0 when the matrix is singular.
    Vector Solve(const MatBase& b);

protected:
    long Index(long i, long j) const override;
    size_t MappedSize(unsigned rows, unsigned cols, unsigned band) const override;
    void CopyElements(const MatBase& m) override;
    unsigned SquareBandWidth() const override;

private:
    struct RowFactor;
    bool FactorRows(RowFactor& f);
};

} // namespace velmor
