// Homogeneous 3D point: arithmetic and document form.
#include "Mfx3dPoint.h"

#include "platform/core/Archive.h"

#include <cmath>

namespace velmor {

namespace {
// Bytes of one point in the binary form: four doubles.
constexpr size_t kBinaryPointSize = 4 * sizeof(double);
} // namespace

Mfx3dPoint& Mfx3dPoint::operator+=(const Mfx3dPoint& q)
{
    x += q.x;
    y += q.y;
    z += q.z;
    return *this;
}

Mfx3dPoint& Mfx3dPoint::operator-=(const Mfx3dPoint& q)
{
    x -= q.x;
    y -= q.y;
    z -= q.z;
    return *this;
}

Mfx3dPoint& Mfx3dPoint::operator*=(double s)
{
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

Mfx3dPoint& Mfx3dPoint::operator/=(double s)
{
    x /= s;
    y /= s;
    z /= s;
    return *this;
}

double Mfx3dPoint::length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

void Mfx3dPoint::normalize()
{
    const double l = length();
    if (l != 0.0)
        *this /= l;
}

void Mfx3dPoint::Serialize(Archive& ar, bool text)
{
    if (text) {
        if (ar.IsStoring()) {
            ar.WriteText(Archive::FormatTuple({x, y, z}));
        } else {
            const std::string line = ar.ReadLineOrThrow();
            if (!Archive::ScanExact(line, "(%lf, %lf, %lf)", &x, &y, &z))
                ar.BadLine("valeurs illisibles « " + line + " »");
        }
        return;
    }
    if (ar.IsStoring()) {
        ar.WriteDouble(x);
        ar.WriteDouble(y);
        ar.WriteDouble(z);
        ar.WriteDouble(w);
    } else {
        ar.Require(kBinaryPointSize);
        x = ar.ReadDouble();
        y = ar.ReadDouble();
        z = ar.ReadDouble();
        w = ar.ReadDouble();
    }
}

Mfx3dPoint operator-(const Mfx3dPoint& p)
{
    return {-p.x, -p.y, -p.z};
}

Mfx3dPoint operator+(const Mfx3dPoint& p, const Mfx3dPoint& q)
{
    return {p.x + q.x, p.y + q.y, p.z + q.z};
}

Mfx3dPoint operator-(const Mfx3dPoint& p, const Mfx3dPoint& q)
{
    return {p.x - q.x, p.y - q.y, p.z - q.z};
}

Mfx3dPoint operator*(const Mfx3dPoint& p, double s)
{
    return {p.x * s, p.y * s, p.z * s};
}

Mfx3dPoint operator*(double s, const Mfx3dPoint& p)
{
    return p * s;
}

Mfx3dPoint operator/(const Mfx3dPoint& p, double s)
{
    return {p.x / s, p.y / s, p.z / s};
}

double dot(const Mfx3dPoint& p, const Mfx3dPoint& q)
{
    return p.x * q.x + p.y * q.y + p.z * q.z;
}

Mfx3dPoint cross(const Mfx3dPoint& p, const Mfx3dPoint& q)
{
    return {p.y * q.z - p.z * q.y, p.z * q.x - p.x * q.z, p.x * q.y - p.y * q.x};
}

bool operator==(const Mfx3dPoint& p, const Mfx3dPoint& q)
{
    return p.x == q.x && p.y == q.y && p.z == q.z;
}

bool operator!=(const Mfx3dPoint& p, const Mfx3dPoint& q)
{
    return !(p == q);
}

bool operator<=(const Mfx3dPoint& p, const Mfx3dPoint& q)
{
    return p.x <= q.x && p.y <= q.y && p.z <= q.z;
}

bool operator<(const Mfx3dPoint& p, const Mfx3dPoint& q)
{
    return p.x < q.x && p.y < q.y && p.z < q.z;
}

} // namespace velmor
