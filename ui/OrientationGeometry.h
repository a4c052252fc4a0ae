#pragma once

// What the picture of a matrix shows, as points seen from a point of view: the axes that the matrix
// turns, the unturned axes, the unit cube it carries and the arcs that show which way a positive
// angle turns. Plain arithmetic in doubles, with no toolkit and no painting, so that a test can
// read where every point lands; the view paints it (OrientationView).

#include "quorvex/Calculations.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

namespace quorvex {

// Where the viewer stands, in degrees: turned about the upright Z axis toward +X by `azimuth`, and
// raised above the XY plane by `elevation` (from -90, below, to 90, above). At 0 and 0 the viewer
// stands in front, on -Y, and sees Z up, X to the right and Y going into the screen.
struct View
{
    double azimuth = 0;
    double elevation = 0;
};

// The view the picture starts with and a double click returns to: Z up, X to the right and Y to
// the left, both going away from the viewer, who stands between -X and -Y, a little above. Of the
// views around the object, this one keeps the three axes far apart on the screen for the
// orientations people try first (none, 10 20 30, 30 or 90 about one axis, gimbal lock): nearer to
// the X axis (the viewer of the angles 30, 20 stood there) X and Y of 10 20 30 fall on one line.
// The cube's hidden corner is never the origin, so its dashed edges never hide under the axes.
inline constexpr View StandardView { -55, 20 };

// A point or a direction in space, in unit lengths.
struct Vector
{
    double x = 0;
    double y = 0;
    double z = 0;

    friend Vector operator+(const Vector &a, const Vector &b)
    {
        return { a.x + b.x, a.y + b.y, a.z + b.z };
    }
    friend Vector operator-(const Vector &a, const Vector &b)
    {
        return { a.x - b.x, a.y - b.y, a.z - b.z };
    }
    friend Vector operator*(double k, const Vector &a) { return { k * a.x, k * a.y, k * a.z }; }
    friend double dot(const Vector &a, const Vector &b)
    {
        return a.x * b.x + a.y * b.y + a.z * b.z;
    }
    friend Vector cross(const Vector &a, const Vector &b)
    {
        return { a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x };
    }
    friend double length(const Vector &a) { return std::sqrt(dot(a, a)); }
};

// A point as the viewer sees it: x to the right, y up and z toward the viewer, its depth (negative
// behind the plane of the screen through the origin).
using ViewPoint = Vector;

// How far the axes reach, in unit lengths: beyond the cube, so that their arrow heads and labels
// stand clear of its corners.
inline constexpr double AxisLength = 1.8;

// The cube's edges, as pairs of its corners: corner i is (i & 1, i >> 1 & 1, i >> 2 & 1), so the
// two corners of an edge differ in one bit.
inline constexpr std::array<std::pair<std::size_t, std::size_t>, 12> CubeEdges { {
    { 0, 1 }, { 2, 3 }, { 4, 5 }, { 6, 7 }, // along X
    { 0, 2 }, { 1, 3 }, { 4, 6 }, { 5, 7 }, // along Y
    { 0, 4 }, { 1, 5 }, { 2, 6 }, { 3, 7 }, // along Z
} };

inline constexpr std::size_t ArcPoints = 25;

// A circle's arc around an unturned axis, in the way a positive angle about it turns, and the arrow
// head at its end (head[0] its point, head[1] and head[2] its barbs).
struct Arc
{
    std::array<ViewPoint, ArcPoints> line;
    std::array<ViewPoint, 3> head;
};

struct OrientationPicture
{
    // Where the matrix carries X, Y and Z, AxisLength long before the scales.
    std::array<ViewPoint, 3> axes;
    // The unturned axes, as long as the longest turned one (AxisLength at least), so that they and
    // their arcs keep their share of the picture however large the scales make it.
    std::array<ViewPoint, 3> unturnedAxes;
    std::array<ViewPoint, 8> cube; // the unit cube's corners, carried by the matrix
    // Which edges (of CubeEdges) the cube hides behind its faces, were they solid.
    std::array<bool, 12> hiddenEdges;
    std::array<Arc, 3> arcs; // about X, Y and Z
    // The middle of everything drawn, and how far from it the farthest point lies, from any view:
    // a picture fitted to them uses its whole square, and keeps its size while the view turns.
    ViewPoint centre;
    double radius = AxisLength;
};

// The picture of v' = M × v, where M carries X to (r11, r12, r13), Y to (r21, r22, r23) and Z to
// (r31, r32, r33), seen from `view`.
OrientationPicture orientationPicture(const Parameters &m, View view = StandardView);

} // namespace quorvex
