// 4x4 transformation matrix: construction, element access, arithmetic and document form.
#include "MfxTMatrix.h"

#include "platform/core/Archive.h"

namespace velmor {

namespace {
bool inRange(int k)
{
    return k >= 1 && k <= 4;
}
} // namespace

MfxTMatrix::MfxTMatrix()
{
    SetIdentity();
}

MfxTMatrix::MfxTMatrix(const Mfx3dPoint& p0, const Mfx3dPoint& p1, const Mfx3dPoint& p2)
{
    SetIdentity();
    const Mfx3dPoint* columns[3] = {&p0, &p1, &p2};
    for (int j = 1; j <= 3; ++j) {
        (*this)(1, j) = columns[j - 1]->x;
        (*this)(2, j) = columns[j - 1]->y;
        (*this)(3, j) = columns[j - 1]->z;
    }
}

MfxTMatrix MfxTMatrix::Translation(const Mfx3dPoint& t)
{
    MfxTMatrix m;
    m(1, 4) = t.x;
    m(2, 4) = t.y;
    m(3, 4) = t.z;
    return m;
}

MfxTMatrix MfxTMatrix::Scaling(const Mfx3dPoint& s, bool invert)
{
    MfxTMatrix m;
    m(1, 1) = invert ? 1.0 / s.x : s.x;
    m(2, 2) = invert ? 1.0 / s.y : s.y;
    m(3, 3) = invert ? 1.0 / s.z : s.z;
    return m;
}

double& MfxTMatrix::operator()(int i, int j)
{
    if (!inRange(i) || !inRange(j)) {
        m_dummy = 0.0;
        return m_dummy;
    }
    return m_d[(i - 1) * kOrder + (j - 1)];
}

double MfxTMatrix::operator()(int i, int j) const
{
    if (!inRange(i) || !inRange(j))
        return 0.0;
    return m_d[(i - 1) * kOrder + (j - 1)];
}

void MfxTMatrix::SetIdentity()
{
    for (int i = 1; i <= kOrder; ++i)
        for (int j = 1; j <= kOrder; ++j)
            (*this)(i, j) = i == j ? 1.0 : 0.0;
}

Mfx3dPoint MfxTMatrix::Row(int k) const
{
    if (!inRange(k))
        return {};
    const MfxTMatrix& m = *this;
    return {m(k, 1), m(k, 2), m(k, 3), m(k, 4)};
}

Mfx3dPoint MfxTMatrix::Column(int k) const
{
    if (!inRange(k))
        return {};
    const MfxTMatrix& m = *this;
    return {m(1, k), m(2, k), m(3, k), m(4, k)};
}

MfxTMatrix MfxTMatrix::Transpose() const
{
    MfxTMatrix t;
    for (int i = 1; i <= kOrder; ++i)
        for (int j = 1; j <= kOrder; ++j)
            t(i, j) = (*this)(j, i);
    return t;
}

MfxTMatrix& MfxTMatrix::operator+=(const MfxTMatrix& n)
{
    for (int k = 0; k < kOrder * kOrder; ++k)
        m_d[k] += n.m_d[k];
    return *this;
}

MfxTMatrix& MfxTMatrix::operator-=(const MfxTMatrix& n)
{
    for (int k = 0; k < kOrder * kOrder; ++k)
        m_d[k] -= n.m_d[k];
    return *this;
}

MfxTMatrix& MfxTMatrix::operator*=(double s)
{
    for (double& v : m_d)
        v *= s;
    return *this;
}

MfxTMatrix& MfxTMatrix::operator/=(double s)
{
    for (double& v : m_d)
        v /= s;
    return *this;
}

void MfxTMatrix::Serialize(Archive& ar, bool text)
{
    if (text) {
        for (int i = 1; i <= kOrder; ++i) {
            double* row = &m_d[(i - 1) * kOrder];
            if (ar.IsStoring()) {
                ar.WriteText(Archive::FormatTuple({row[0], row[1], row[2], row[3]}));
            } else {
                const std::string line = ar.ReadLineOrThrow();
                if (!Archive::ScanExact(line, "(%lf, %lf, %lf, %lf)", &row[0], &row[1], &row[2],
                                        &row[3]))
                    ar.BadLine("valeurs illisibles « " + line + " »");
            }
        }
        return;
    }
    if (ar.IsStoring()) {
        for (double v : m_d)
            ar.WriteDouble(v);
    } else {
        ar.Require(sizeof m_d);
        for (double& v : m_d)
            v = ar.ReadDouble();
    }
}

Mfx3dPoint operator*(const MfxTMatrix& m, const Mfx3dPoint& p)
{
    double r[3];
    for (int i = 1; i <= 3; ++i)
        r[i - 1] = m(i, 1) * p.x + m(i, 2) * p.y + m(i, 3) * p.z + m(i, 4) * p.w;
    return {r[0], r[1], r[2], 1.0};
}

MfxTMatrix operator*(const MfxTMatrix& m, const MfxTMatrix& n)
{
    MfxTMatrix r;
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) {
            double s = 0.0;
            for (int k = 1; k <= 4; ++k)
                s += m(i, k) * n(k, j);
            r(i, j) = s;
        }
    }
    return r;
}

MfxTMatrix operator+(const MfxTMatrix& m, const MfxTMatrix& n)
{
    MfxTMatrix r = m;
    r += n;
    return r;
}

MfxTMatrix operator-(const MfxTMatrix& m, const MfxTMatrix& n)
{
    MfxTMatrix r = m;
    r -= n;
    return r;
}

} // namespace velmor
