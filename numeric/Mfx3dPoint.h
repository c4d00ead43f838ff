// Homogeneous 3D point and direction vector of doubles: node coordinates, load directions,
// support orientations and camera vectors, with their document form.
#pragma once

namespace velmor {

class Archive;

// x, y, z are the coordinates; w is the homogeneous weight, 1.0 for every point the library
// creates. The arithmetic works on x, y, z only: a result that is a new point has w = 1, an
// in-place operation keeps the point's own w. Division by zero is not guarded.
class Mfx3dPoint
{
public:
    constexpr Mfx3dPoint() = default;
    constexpr Mfx3dPoint(double px, double py, double pz, double pw = 1.0)
        : x(px), y(py), z(pz), w(pw)
    {
    }

    Mfx3dPoint& operator+=(const Mfx3dPoint& q);
    Mfx3dPoint& operator-=(const Mfx3dPoint& q);
    Mfx3dPoint& operator*=(double s);
    Mfx3dPoint& operator/=(double s);

    // sqrt(x² + y² + z²).
    double length() const;
    // Divides x, y, z by the length unless the length is exactly 0: a zero vector is left
    // unchanged and no error is raised. w is kept.
    void normalize();

    // Binary form: x, y, z, w as four little-endian doubles (32 bytes); a truncated record
    // throws from the archive and leaves the point unchanged.
    // Text form: one line "(x, y, z) " with six decimals; w is neither written nor read.
    // Reading takes the whole line, whatever its length; components that do not match the
    // pattern keep their value.
    void Serialize(Archive& ar, bool text);

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;
};

// (-x, -y, -z, 1).
Mfx3dPoint operator-(const Mfx3dPoint& p);
Mfx3dPoint operator+(const Mfx3dPoint& p, const Mfx3dPoint& q);
Mfx3dPoint operator-(const Mfx3dPoint& p, const Mfx3dPoint& q);
Mfx3dPoint operator*(const Mfx3dPoint& p, double s);
Mfx3dPoint operator*(double s, const Mfx3dPoint& p);
Mfx3dPoint operator/(const Mfx3dPoint& p, double s);

double dot(const Mfx3dPoint& p, const Mfx3dPoint& q);
// (p.y q.z - p.z q.y, p.z q.x - p.x q.z, p.x q.y - p.y q.x, 1).
Mfx3dPoint cross(const Mfx3dPoint& p, const Mfx3dPoint& q);

// Exact comparison of x, y and z; w is ignored.
bool operator==(const Mfx3dPoint& p, const Mfx3dPoint& q);
bool operator!=(const Mfx3dPoint& p, const Mfx3dPoint& q);
// Component-wise orders (not total): every one of x, y, z is <= (or <) its counterpart.
bool operator<=(const Mfx3dPoint& p, const Mfx3dPoint& q);
bool operator<(const Mfx3dPoint& p, const Mfx3dPoint& q);

} // namespace velmor
