#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace btm {

struct Vec3 {
    double x = 0, y = 0, z = 0;

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    double operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
};

inline double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3& a) { return std::sqrt(dot(a, a)); }

// Points p with dot(normal, p) > dist are in front.
struct Plane {
    Vec3 normal;
    double dist = 0;
    double distanceTo(const Vec3& p) const { return dot(normal, p) - dist; }
};

using Winding = std::vector<Vec3>;

// How far points reach behind a plane (lowest, never above 0) and in front of it (highest, never below 0).
struct PlaneReach {
    double lowest = 0;
    double highest = 0;
    void add(const Plane& plane, const Winding& points)
    {
        for (const Vec3& p : points) {
            const double d = plane.distanceTo(p);
            lowest = std::min(lowest, d);
            highest = std::max(highest, d);
        }
    }
};

// Tolerance for deciding which side of a plane a point lies on.
inline constexpr double kOnEpsilon = 1e-4;

// A square of half-size `extent` on the plane, centred at the point of the plane closest to the origin.
Winding baseWinding(const Plane& plane, double extent);

// Keeps the part of `w` behind the plane (dot <= dist).
Winding clipBack(const Winding& w, const Plane& plane, double epsilon = kOnEpsilon);
// The same in place: a winding wholly behind the plane is left as it is, without a copy.
void clipBackInPlace(Winding& w, const Plane& plane, double epsilon = kOnEpsilon);

double windingArea(const Winding& w);
Vec3 windingCentre(const Winding& w);

} // namespace btm
