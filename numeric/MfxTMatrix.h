// 4x4 transformation matrix of doubles acting on homogeneous points (p' = M p): support
// orientations, camera mappings and their document form.
#pragma once

#include "Mfx3dPoint.h"

namespace velmor {

class Archive;

// Sixteen doubles m(i, j), row i and column j both 1..4, stored row by row. A translation sits
// in column 4; row 4 is (0, 0, 0, 1) for every matrix the program builds, and the product
// with a point does not evaluate it. The default matrix is the identity. No operation reports
// an error: an element index outside 1..4 reads 0 and a write to it is lost, and division by
// zero is not guarded.
class MfxTMatrix
{
public:
    // The identity.
    MfxTMatrix();
    // Columns 1, 2, 3 of the upper 3x3 block are (p0.x, p0.y, p0.z), (p1...), (p2...);
    // column 4 above the diagonal is 0 and row 4 is (0, 0, 0, 1).
    MfxTMatrix(const Mfx3dPoint& p0, const Mfx3dPoint& p1, const Mfx3dPoint& p2);

    // Identity with (t.x, t.y, t.z) in column 4.
    static MfxTMatrix Translation(const Mfx3dPoint& t);
    // Identity with s.x, s.y, s.z on the diagonal, or their reciprocals when `invert` is set.
    static MfxTMatrix Scaling(const Mfx3dPoint& s, bool invert = false);

    // Element (i, j), 1-based. Outside 1..4 the reference is to a dummy that is zeroed on every
    // such access, so reads give 0 and writes are lost; no memory outside the matrix is touched.
    double& operator()(int i, int j);
    double operator()(int i, int j) const;

    void SetIdentity();

    // Row k or column k as the point (x, y, z, w) of its four elements; (0, 0, 0, 1) for any
    // k outside 1..4.
    Mfx3dPoint Row(int k) const;
    Mfx3dPoint Column(int k) const;

    MfxTMatrix Transpose() const;

    MfxTMatrix& operator+=(const MfxTMatrix& n);
    MfxTMatrix& operator-=(const MfxTMatrix& n);
    MfxTMatrix& operator*=(double s);
    MfxTMatrix& operator/=(double s);

    // Binary form: the sixteen elements as little-endian doubles, row by row, m(1,1) first; a
    // truncated record throws from the archive and leaves the matrix unchanged.
    // Text form: four lines "(a, b, c, d) ", one per row, six decimals. Each line is read
    // whole, whatever its length; elements that do not match the pattern keep their value.
    void Serialize(Archive& ar, bool text);

private:
    static constexpr int kOrder = 4;
    double m_d[kOrder * kOrder] = {};
    double m_dummy = 0.0;
};

// (m(1,1)x + m(1,2)y + m(1,3)z + m(1,4)w, likewise rows 2 and 3, 1): row 4 is not evaluated
// and nothing is divided by a weight. A direction with w = 0 is therefore not translated.
Mfx3dPoint operator*(const MfxTMatrix& m, const Mfx3dPoint& p);
// Ordinary product; each element accumulates k = 1..4 in order from 0.
MfxTMatrix operator*(const MfxTMatrix& m, const MfxTMatrix& n);
MfxTMatrix operator+(const MfxTMatrix& m, const MfxTMatrix& n);
MfxTMatrix operator-(const MfxTMatrix& m, const MfxTMatrix& n);

} // namespace velmor
