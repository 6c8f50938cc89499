#include "bsptwomap/Geometry.h"

namespace btm {

Winding baseWinding(const Plane& plane, double extent)
{
    const Vec3& n = plane.normal;
    // Pick the axis least aligned with the normal as the "up" reference.
    Vec3 up{0, 0, 1};
    if (std::fabs(n.z) >= std::fabs(n.x) && std::fabs(n.z) >= std::fabs(n.y))
        up = {1, 0, 0};
    Vec3 u = cross(up, n);
    u = u * (1.0 / length(u));
    Vec3 v = cross(n, u);
    const Vec3 org = n * plane.dist;
    u = u * extent;
    v = v * extent;
    return {org - u + v, org + u + v, org + u - v, org - u - v};
}

Winding clipBack(const Winding& w, const Plane& plane, double epsilon)
{
    const size_t count = w.size();
    if (count == 0)
        return {};
    std::vector<double> dists(count);
    bool anyFront = false;
    bool anyBack = false;
    for (size_t i = 0; i < count; ++i) {
        dists[i] = plane.distanceTo(w[i]);
        if (dists[i] > epsilon)
            anyFront = true;
        else if (dists[i] < -epsilon)
            anyBack = true;
    }
    if (!anyFront)
        return w;
    if (!anyBack)
        return {};
    Winding out;
    out.reserve(count + 1);
    for (size_t i = 0; i < count; ++i) {
        const Vec3& p = w[i];
        const double d = dists[i];
        if (d <= epsilon)
            out.push_back(p);
        const size_t j = (i + 1) % count;
        const double dn = dists[j];
        if ((d > epsilon && dn < -epsilon) || (d < -epsilon && dn > epsilon)) {
            const double t = d / (d - dn);
            Vec3 mid = p + (w[j] - p) * t;
            // Keep exact coordinates on axial planes so integer geometry stays integer.
            const Vec3& n = plane.normal;
            if (n.x == 1)
                mid.x = plane.dist;
            else if (n.x == -1)
                mid.x = -plane.dist;
            if (n.y == 1)
                mid.y = plane.dist;
            else if (n.y == -1)
                mid.y = -plane.dist;
            if (n.z == 1)
                mid.z = plane.dist;
            else if (n.z == -1)
                mid.z = -plane.dist;
            out.push_back(mid);
        }
    }
    if (out.size() < 3)
        return {};
    return out;
}

void clipBackInPlace(Winding& w, const Plane& plane, double epsilon)
{
    for (const Vec3& p : w)
        if (plane.distanceTo(p) > epsilon) {
            w = clipBack(w, plane, epsilon);
            return;
        }
}

double windingArea(const Winding& w)
{
    Vec3 total;
    for (size_t i = 2; i < w.size(); ++i)
        total = total + cross(w[i - 1] - w[0], w[i] - w[0]);
    return 0.5 * length(total);
}

Vec3 windingCentre(const Winding& w)
{
    Vec3 c;
    for (const Vec3& p : w)
        c = c + p;
    return w.empty() ? c : c * (1.0 / static_cast<double>(w.size()));
}

} // namespace btm
