// Two-dimensional point and vector of doubles: projected positions, window corners, scroll
// origins and distances on the screen, with its document form.
#pragma once

#include <concepts>

namespace velmor {

class Archive;
class Mfx3dPoint;

// An integer point of the drawing toolkit: any type whose x() and y() give integers.
template <class P>
concept IntegerPoint = requires(const P& p) {
    { p.x() } -> std::integral;
    { p.y() } -> std::integral;
};

// All operations work component-wise on (x, y); division by zero is not guarded.
class MfxPoint
{
public:
    constexpr MfxPoint() = default;
    constexpr MfxPoint(double px, double py) : x(px), y(py) {}
    // The x and y of a 3D point; z and w are dropped.
    explicit MfxPoint(const Mfx3dPoint& p);
    // Each integer converted to double.
    template <IntegerPoint P>
    explicit MfxPoint(const P& p) : x(static_cast<double>(p.x())), y(static_cast<double>(p.y()))
    {
    }
    template <IntegerPoint P>
    MfxPoint& operator=(const P& p)
    {
        x = static_cast<double>(p.x());
        y = static_cast<double>(p.y());
        return *this;
    }

    MfxPoint& operator+=(const MfxPoint& q);
    MfxPoint& operator-=(const MfxPoint& q);
    MfxPoint& operator*=(double s);
    MfxPoint& operator/=(double s);

    // sqrt(x² + y²).
    double Length() const;
    // Divides by the length unless it is exactly 0; a zero point is left unchanged.
    void Normalize();
    // A normalised copy.
    MfxPoint Normalized() const;

    // Binary form: x then y as little-endian doubles (16 bytes); a truncated record throws from
    // the archive and leaves the point unchanged.
    // Text form: one line "(x, y) " with six decimals; reading takes the whole line, whatever its
    // length, and components that do not match the pattern keep their value.
    void Store(Archive& ar, bool text);

    double x = 0.0;
    double y = 0.0;
};

MfxPoint operator-(const MfxPoint& p);
MfxPoint operator+(const MfxPoint& p, const MfxPoint& q);
MfxPoint operator-(const MfxPoint& p, const MfxPoint& q);
MfxPoint operator*(const MfxPoint& p, double s);
MfxPoint operator/(const MfxPoint& p, double s);

// p.x q.x + p.y q.y.
double dot(const MfxPoint& p, const MfxPoint& q);

// Exact comparison of both components.
bool operator==(const MfxPoint& p, const MfxPoint& q);
bool operator!=(const MfxPoint& p, const MfxPoint& q);
// Component-wise orders (not total): both components <= (or <) their counterparts.
bool operator<=(const MfxPoint& p, const MfxPoint& q);
bool operator<(const MfxPoint& p, const MfxPoint& q);

} // namespace velmor
