// Two-dimensional point: arithmetic and document form.
#include "MfxPoint.h"

#include "Mfx3dPoint.h"
#include "platform/core/Archive.h"

#include <cmath>

namespace velmor {

MfxPoint::MfxPoint(const Mfx3dPoint& p) : x(p.x), y(p.y) {}

MfxPoint& MfxPoint::operator+=(const MfxPoint& q)
{
    x += q.x;
    y += q.y;
    return *this;
}

MfxPoint& MfxPoint::operator-=(const MfxPoint& q)
{
    x -= q.x;
    y -= q.y;
    return *this;
}

MfxPoint& MfxPoint::operator*=(double s)
{
    x *= s;
    y *= s;
    return *this;
}

MfxPoint& MfxPoint::operator/=(double s)
{
    x /= s;
    y /= s;
    return *this;
}

double MfxPoint::Length() const
{
    return std::sqrt(x * x + y * y);
}

void MfxPoint::Normalize()
{
    const double l = Length();
    if (l != 0.0)
        *this /= l;
}

MfxPoint MfxPoint::Normalized() const
{
    MfxPoint p = *this;
    p.Normalize();
    return p;
}

void MfxPoint::Store(Archive& ar, bool text)
{
    if (text) {
        if (ar.IsStoring()) {
            ar.WriteText(Archive::FormatTuple({x, y}));
        } else {
            const std::string line = ar.ReadLineOrThrow();
            if (!Archive::ScanExact(line, "(%lf, %lf)", &x, &y))
                ar.BadLine("valeurs illisibles « " + line + " »");
        }
        return;
    }
    if (ar.IsStoring()) {
        ar.WriteDouble(x);
        ar.WriteDouble(y);
    } else {
        ar.Require(2 * sizeof(double));
        x = ar.ReadDouble();
        y = ar.ReadDouble();
    }
}

MfxPoint operator-(const MfxPoint& p)
{
    return {-p.x, -p.y};
}

MfxPoint operator+(const MfxPoint& p, const MfxPoint& q)
{
    return {p.x + q.x, p.y + q.y};
}

MfxPoint operator-(const MfxPoint& p, const MfxPoint& q)
{
    return {p.x - q.x, p.y - q.y};
}

MfxPoint operator*(const MfxPoint& p, double s)
{
    return {p.x * s, p.y * s};
}

MfxPoint operator/(const MfxPoint& p, double s)
{
    return {p.x / s, p.y / s};
}

double dot(const MfxPoint& p, const MfxPoint& q)
{
    return p.x * q.x + p.y * q.y;
}

bool operator==(const MfxPoint& p, const MfxPoint& q)
{
    return p.x == q.x && p.y == q.y;
}

bool operator!=(const MfxPoint& p, const MfxPoint& q)
{
    return !(p == q);
}

bool operator<=(const MfxPoint& p, const MfxPoint& q)
{
    return p.x <= q.x && p.y <= q.y;
}

bool operator<(const MfxPoint& p, const MfxPoint& q)
{
    return p.x < q.x && p.y < q.y;
}

} // namespace velmor
