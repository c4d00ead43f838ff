#include "MatBase.h"

#include "MfxTMatrix.h"
#include "NumericGlobals.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>
#include <utility>

namespace velmor {

// ---------------------------------------------------------------- MatBase

MatBase::MatBase() : m_pData(1, 0.0) {}

MatBase::MatBase(unsigned rows, unsigned cols, unsigned band, size_t size)
{
    SetShape(rows, cols, band);
    m_pData.assign(std::max(size, MatBase::MappedSize(rows, cols, band)), 0.0);
}

MatBase::MatBase(const MatBase& m)
{
    SetShape(m.m_nRows, m.m_nCols, m.m_nBand);
    m_pData.assign(std::max(m.Size(), MatBase::MappedSize(m_nRows, m_nCols, m_nBand)), 0.0);
    CopyElements(m);
}

MatBase::MatBase(MatBase&& m) noexcept
{
    // Storage is taken over only from a plain MatBase: another class maps pairs differently.
    if (typeid(m) == typeid(MatBase)) {
        SetShape(m.m_nRows, m.m_nCols, m.m_nBand);
        m_pData = std::move(m.m_pData);
        m.m_pData.assign(1, 0.0);
        m.m_nRows = m.m_nCols = m.m_nBand = 1;
    } else {
        SetShape(m.m_nRows, m.m_nCols, m.m_nBand);
        m_pData.assign(std::max(m.Size(), MatBase::MappedSize(m_nRows, m_nCols, m_nBand)), 0.0);
        CopyElements(m);
    }
}

MatBase& MatBase::operator=(MatBase&& m) noexcept
{
    return Assign(m);
}

void MatBase::SetShape(unsigned rows, unsigned cols, unsigned band)
{
    m_nRows = rows;
    m_nCols = cols;
    m_nBand = (band == 0 && rows == cols) ? rows : band;
}

size_t MatBase::MappedSize(unsigned rows, unsigned cols, unsigned) const
{
    return static_cast<size_t>(rows) * cols;
}

void MatBase::Reshape(unsigned rows, unsigned cols, unsigned band, size_t size)
{
    SetShape(rows, cols, band);
    m_pData.assign(std::max(size, MappedSize(rows, cols, m_nBand)), 0.0);
    m_dummy = 0.0;
}

long MatBase::Index(long i, long j) const
{
    if (i < 1 || j < 1 || i > long(m_nRows) || j > long(m_nCols))
        return -1;
    long k = (i - 1) * long(m_nCols) + (j - 1);
    return k < long(m_pData.size()) ? k : -1;
}

double& MatBase::At(long i, long j)
{
    m_dummy = 0.0;
    long k = Index(i, j);
    if (k < 0) {
        if (const char* message = RangeMessage())
            MfxReportError(message);
        return m_dummy;
    }
    return m_pData[static_cast<size_t>(k)];
}

double MatBase::At(long i, long j) const
{
    long k = Index(i, j);
    if (k < 0) {
        if (const char* message = RangeMessage())
            MfxReportError(message);
        return 0.0;
    }
    return m_pData[static_cast<size_t>(k)];
}

void MatBase::CopyElements(const MatBase& m)
{
    for (long i = 1; i <= long(m_nRows); ++i)
        for (long j = 1; j <= long(m_nCols); ++j)
            At(i, j) = m.At(i, j);
}

MatBase& MatBase::Assign(const MatBase& m)
{
    if (this == &m)
        return *this;
    Reshape(m.m_nRows, m.m_nCols, m.m_nBand, m.Size());
    CopyElements(m);
    return *this;
}

void MatBase::Zero()
{
    std::fill(m_pData.begin(), m_pData.end(), 0.0);
}

MatBase& MatBase::operator*=(double x)
{
    for (double& v : m_pData)
        v *= x;
    return *this;
}

MatBase& MatBase::operator/=(double x)
{
    if (x == 0.0) {
        MfxReportError(" /= Division by zero intented, not divided ");
        return *this;
    }
    for (double& v : m_pData)
        v /= x;
    return *this;
}

Mat MatBase::Transpose() const
{
    Mat t(m_nCols, m_nRows);
    for (long i = 1; i <= long(m_nCols); ++i)
        for (long j = 1; j <= long(m_nRows); ++j)
            t.At(i, j) = At(j, i);
    return t;
}

void MatBase::TransposeInPlace()
{
    Mat t = Transpose();
    Assign(t);
}

bool MatBase::IsSymmetric() const
{
    if (m_nRows != m_nCols)
        return false;
    if (Size() != static_cast<size_t>(m_nRows) * m_nCols)
        return true;
    for (long i = 1; i <= long(m_nRows); ++i)
        for (long j = i + 1; j <= long(m_nCols); ++j)
            if (std::fabs(At(i, j) - At(j, i)) > g_dTolerance)
                return false;
    return true;
}

unsigned MatBase::BandWidth() const
{
    if (m_nRows != m_nCols)
        return 0;
    return SquareBandWidth();
}

// For n from the side down to 2, the first non-zero of the upper diagonal (k, k+n-1) gives n.
unsigned MatBase::SquareBandWidth() const
{
    for (long n = m_nRows; n >= 2; --n)
        for (long k = 1; k + n - 1 <= long(m_nRows); ++k)
            if (At(k, k + n - 1) != 0.0)
                return static_cast<unsigned>(n);
    return 1;
}

void MatBase::AddBlock(long r, long c, const MatBase& m)
{
    for (long i = 1; i <= long(m.m_nRows); ++i)
        for (long j = 1; j <= long(m.m_nCols); ++j)
            At(r + i - 1, c + j - 1) += m.At(i, j);
}

// ---------------------------------------------------------------- Mat

Mat::Mat(unsigned rows, unsigned cols) : MatBase(rows, cols, 0, static_cast<size_t>(rows) * cols) {}

Mat::Mat(const MatBase& m)
{
    Assign(m);
}

Mat::Mat(const MfxTMatrix& t) : Mat(3, 3)
{
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            At(i, j) = t(i, j);
}

// ---------------------------------------------------------------- Vector

Vector::Vector(unsigned n) : MatBase(n, 1, 0, n) {}

Vector::Vector(const MatBase& m)
{
    Assign(m);
}

long Vector::Index(long i, long) const
{
    return (i >= 1 && i <= long(m_pData.size())) ? i - 1 : -1;
}

size_t Vector::MappedSize(unsigned rows, unsigned, unsigned) const
{
    return rows;
}

void Vector::AddAt(long a, const MatBase& v, long b, unsigned count)
{
    if (count == 0)
        count = v.Rows();
    for (long i = 0; i < long(count); ++i)
        At(a + i) += v.At(b + i);
}

Vector Vector::Slice(long a, unsigned count) const
{
    Vector s(count);
    for (long i = 0; i < long(count); ++i)
        s.At(i + 1) = At(a + i);
    return s;
}

void Vector::AddNode(long node, const MatBase& v, long c)
{
    if (long(v.Rows()) != c)
        return;
    AddAt((node - 1) * c + 1, v, 1, static_cast<unsigned>(c));
}

void Vector::AddElement(long na, long nb, const MatBase& v, long c)
{
    if (long(v.Rows()) != 2 * c)
        return;
    AddAt((na - 1) * c + 1, v, 1, static_cast<unsigned>(c));
    AddAt((nb - 1) * c + 1, v, c + 1, static_cast<unsigned>(c));
}

Vector Vector::GatherElement(long na, long nb, long c) const
{
    Vector g(static_cast<unsigned>(2 * c));
    for (long i = 1; i <= c; ++i) {
        g.At(i) = At((na - 1) * c + i);
        g.At(c + i) = At((nb - 1) * c + i);
    }
    return g;
}

// For each block k: walk the mask; a kept component copies source entry from*k + s to result
// entry to*k + t and advances both; a dropped one advances s only when the mask is as long as
// the source block, t only when it is as long as the result block.
Vector Vector::SelectByMask(const int* mask, unsigned count, unsigned from, unsigned to) const
{
    if (from == 0)
        return Vector(0);
    const unsigned blocks = m_nRows / from;
    Vector out(to * blocks);
    for (unsigned k = 0; k < blocks; ++k) {
        long s = 1, t = 1;
        for (unsigned j = 0; j < count; ++j) {
            if (mask[j] == 1) {
                out.At(long(to * k) + t) = At(long(from * k) + s);
                ++s;
                ++t;
            } else {
                if (count == from)
                    ++s;
                if (count == to)
                    ++t;
            }
        }
    }
    return out;
}

// ---------------------------------------------------------------- arithmetic

namespace {

MatBase addOrSubtract(const MatBase& a, const MatBase& b, double sign, const char* message)
{
    if (a.Rows() != b.Rows() || a.Cols() != b.Cols())
        MfxReportError(message);
    const unsigned rows = std::max(a.Rows(), b.Rows());
    const unsigned cols = std::max(a.Cols(), b.Cols());
    MatBase r(rows, cols, 0, static_cast<size_t>(rows) * cols);
    for (long i = 1; i <= long(rows); ++i)
        for (long j = 1; j <= long(cols); ++j)
            r.At(i, j) = sign > 0 ? a.At(i, j) + b.At(i, j) : a.At(i, j) - b.At(i, j);
    return r;
}

} // namespace

MatBase operator+(const MatBase& a, const MatBase& b)
{
    return addOrSubtract(a, b, 1.0, " op + : no compatible matrices, range changed ");
}

MatBase operator-(const MatBase& a, const MatBase& b)
{
    return addOrSubtract(a, b, -1.0, " op - : no compatible matrices, range changed ");
}

MatBase operator*(const MatBase& a, double x)
{
    MatBase r(a.Rows(), a.Cols(), 0, static_cast<size_t>(a.Rows()) * a.Cols());
    for (long i = 1; i <= long(a.Rows()); ++i)
        for (long j = 1; j <= long(a.Cols()); ++j)
            r.At(i, j) = a.At(i, j) * x;
    return r;
}

MatBase operator*(const MatBase& a, const MatBase& b)
{
    if (a.Cols() != b.Rows()) {
        MfxReportError("Error in matrix product, *this returned");
        return MatBase(a);
    }
    MatBase r(a.Rows(), b.Cols(), 0, static_cast<size_t>(a.Rows()) * b.Cols());
    for (long i = 1; i <= long(a.Rows()); ++i)
        for (long j = 1; j <= long(b.Cols()); ++j) {
            double s = 0.0;
            for (long k = 1; k <= long(a.Cols()); ++k)
                s += a.At(i, k) * b.At(k, j);
            r.At(i, j) = s;
        }
    return r;
}

MatBase operator/(const MatBase& a, double x)
{
    if (x == 0.0) {
        MfxReportError(" / Division by zero intented, *this returned");
        return MatBase(a);
    }
    MatBase r(a.Rows(), a.Cols(), 0, static_cast<size_t>(a.Rows()) * a.Cols());
    for (long i = 1; i <= long(a.Rows()); ++i)
        for (long j = 1; j <= long(a.Cols()); ++j)
            r.At(i, j) = a.At(i, j) / x;
    return r;
}

} // namespace velmor
