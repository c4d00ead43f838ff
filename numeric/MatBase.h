// Dense 1-based double matrices: the general base `MatBase`, the full matrix `Mat` and the
// column vector `Vector`. Every operation reaches elements through the virtual `At`, so the
// same code serves every class (the symmetric band matrix is in SymBandMat.h).
//
// Contract: no operation throws; faults are reported to MfxReportError and the operation goes
// on with its fallback (out-of-range reads give 0 and writes are lost; see each operation).
// Storage is row by row for `MatBase` and `Mat`, entry i-1 for `Vector`.
#pragma once

#include "BigAllocator.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmor {

class MfxTMatrix;

class MatBase
{
public:
    // 1 x 1 with one stored value 0 (band 1).
    MatBase();
    // Shape from the arguments (band 0 on a square shape becomes rows), storage zero-filled.
    MatBase(unsigned rows, unsigned cols, unsigned band, size_t size);
    // Same shape as `m`, then an element-by-element copy through At.
    MatBase(const MatBase& m);
    MatBase(MatBase&& m) noexcept;
    MatBase& operator=(const MatBase& m) { return Assign(m); }
    MatBase& operator=(MatBase&& m) noexcept;
    virtual ~MatBase() = default;

    // Reference to the stored value of (i, j), or to the dummy element (reset to 0 at every
    // access) when the pair has no stored value.
    double& At(long i, long j = 1);
    // Value of (i, j): 0 where At would give the dummy (with the same range message).
    double At(long i, long j = 1) const;
    double& operator()(long i, long j = 1) { return At(i, j); }
    double operator()(long i, long j = 1) const { return At(i, j); }

    unsigned Rows() const { return m_nRows; }
    unsigned Cols() const { return m_nCols; }
    unsigned Band() const { return m_nBand; }
    size_t Size() const { return m_pData.size(); }
    // Stored values in storage order (read-only).
    const double* Data() const { return m_pData.data(); }
    // The same values, writable (Size() of them); the caller keeps to the class's mapping.
    double* MutableData() { return m_pData.data(); }

    // New shape; the old values are dropped and the storage zero-filled. Storage is never made
    // smaller than the class's own mapping of that shape needs.
    void Reshape(unsigned rows, unsigned cols, unsigned band, size_t size);
    // Reshape to m's shape, then At(i, j) = m.At(i, j) for every i <= rows, j <= cols.
    MatBase& Assign(const MatBase& m);
    void Zero();

    // Every stored value scaled in place; /= by exactly 0 reports and leaves the matrix as is.
    MatBase& operator*=(double x);
    MatBase& operator/=(double x);

    class Mat Transpose() const;
    void TransposeInPlace();
    // Square, and (dense storage) no i < j with |a(i,j) - a(j,i)| > g_dTolerance.
    bool IsSymmetric() const;
    // 0 if not square; else the width of the widest upper diagonal holding a non-zero, at least 1.
    unsigned BandWidth() const;
    // a(r+i-1, c+j-1) += m(i, j) for every element of m.
    void AddBlock(long r, long c, const MatBase& m);

protected:
    // Position in storage of (i, j), or -1 when the pair has no stored value.
    virtual long Index(long i, long j) const;
    // Message for a pair without stored value (none for the silent classes).
    virtual const char* RangeMessage() const { return nullptr; }
    // Storage that this class's mapping needs for a shape.
    virtual size_t MappedSize(unsigned rows, unsigned cols, unsigned band) const;
    // At(i, j) = m.At(i, j) for every i <= rows, j <= cols, in row order.
    virtual void CopyElements(const MatBase& m);
    // The band width as BandWidth defines it, for a square matrix.
    virtual unsigned SquareBandWidth() const;
    void SetShape(unsigned rows, unsigned cols, unsigned band);

    std::vector<double, BigAllocator<double>> m_pData;
    unsigned m_nRows = 1;
    unsigned m_nCols = 1;
    unsigned m_nBand = 1;
    mutable double m_dummy = 0.0;

    friend class SymBandMat;
};

// Full rectangular matrix; out-of-range access reports "Mat : Range failed".
class Mat : public MatBase
{
public:
    Mat() = default;
    Mat(unsigned rows, unsigned cols);
    Mat(const MatBase& m);
    Mat(const Mat& m) : Mat(static_cast<const MatBase&>(m)) {}
    // The 3 x 3 rotation block of a 4 x 4 transform.
    explicit Mat(const MfxTMatrix& t);
    Mat& operator=(const MatBase& m) { Assign(m); return *this; }
    Mat& operator=(const Mat& m) { Assign(m); return *this; }

protected:
    const char* RangeMessage() const override { return "Mat : Range failed"; }
};

// Column vector of n entries; the column index of At is ignored. Out-of-range access reports
// "Vector : Range failed".
class Vector : public MatBase
{
public:
    Vector() = default;
    explicit Vector(unsigned n);
    Vector(const MatBase& m);
    Vector(const Vector& m) : Vector(static_cast<const MatBase&>(m)) {}
    Vector& operator=(const MatBase& m) { Assign(m); return *this; }
    Vector& operator=(const Vector& m) { Assign(m); return *this; }

    // this(a+i) += v(b+i) for i = 0..count-1; count 0 means v's row count.
    void AddAt(long a, const MatBase& v, long b, unsigned count = 0);
    // count entries starting at a.
    Vector Slice(long a, unsigned count) const;
    void ClearAt(long a) { At(a) = 0.0; }
    // Node-level blocks of c entries (the degrees of freedom per node): node n's block starts
    // at (n - 1) c + 1; v of the wrong length is ignored.
    void AddNode(long node, const MatBase& v, long c);
    void AddElement(long na, long nb, const MatBase& v, long c);
    Vector GatherElement(long na, long nb, long c) const;
    // Converts blocks of `from` components to blocks of `to` components with a mask of `count`
    // entries (1 = component kept). See the .cpp for the walk.
    Vector SelectByMask(const int* mask, unsigned count, unsigned from, unsigned to) const;

protected:
    long Index(long i, long j) const override;
    const char* RangeMessage() const override { return "Vector : Range failed"; }
    size_t MappedSize(unsigned rows, unsigned cols, unsigned band) const override;
};

// Arithmetic; results are new dense matrices that callers assign to the class they need.
MatBase operator+(const MatBase& a, const MatBase& b);
MatBase operator-(const MatBase& a, const MatBase& b);
MatBase operator*(const MatBase& a, double x);
MatBase operator*(const MatBase& a, const MatBase& b);
MatBase operator/(const MatBase& a, double x);

} // namespace velmor
