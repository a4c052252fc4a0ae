#include "OrientationGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace quorvex {
namespace {

    constexpr std::array<Vector, 3> Unit { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } };

    // Each arc circles its axis short of the axis' tip, wide enough to read at a glance; the gap of
    // a quarter turn shows where it starts. Lengths are those of unturned axes AxisLength long.
    constexpr double ArcCentre = 1.45, ArcRadius = 0.24, ArcSpan = 1.5 * std::numbers::pi;
    constexpr double HeadTurn = 0.75, HeadHalfWidth = 0.1;

    // The screen's right, up and toward-the-viewer directions in the object's space.
    struct Eye
    {
        Vector right, up, toward;

        explicit Eye(View view)
        {
            const double az = view.azimuth * std::numbers::pi / 180;
            const double el = view.elevation * std::numbers::pi / 180;
            right = { std::cos(az), std::sin(az), 0 };
            toward = { std::sin(az) * std::cos(el), -std::cos(az) * std::cos(el), std::sin(el) };
            up = cross(toward, right);
        }
        ViewPoint operator()(Vector v) const
        {
            return { dot(v, right), dot(v, up), dot(v, toward) };
        }
    };

    // A positive angle about an axis turns the next axis away from the one after it: Rot X = 30
    // carries Y to (0, 0.866025, -0.5), Rot Z = 90 carries X to (0, -1, 0). That is clockwise as
    // seen from the axis' tip looking toward the origin, the "CW" of the window's heading. The arc
    // passes its nearest point to the viewer, where it crosses the screen in front of its axis,
    // and its arrow head follows a little after: seen side on, and clear of the axis.
    // `grown` is the unturned axes' length against AxisLength.
    Arc arcAbout(std::size_t axis, const Eye &eye, double grown)
    {
        const Vector centre = grown * ArcCentre * Unit[axis];
        const Vector from = Unit[(axis + 1) % 3], away = Unit[(axis + 2) % 3];
        const auto at = [&](double turn, double radius = ArcRadius) {
            return centre + grown * radius * (std::cos(turn) * from - std::sin(turn) * away);
        };
        const double nearest = std::atan2(-dot(away, eye.toward), dot(from, eye.toward));
        const double end = nearest + 0.7 * HeadTurn;
        Arc arc;
        for (std::size_t i = 0; i < ArcPoints; ++i)
            arc.line[i]
                = eye(at(end - ArcSpan * static_cast<double>(ArcPoints - 1 - i) / (ArcPoints - 1)));
        arc.head = { eye(at(end + HeadTurn)), eye(at(end, ArcRadius + HeadHalfWidth)),
            eye(at(end, ArcRadius - HeadHalfWidth)) };
        return arc;
    }

} // namespace

OrientationPicture orientationPicture(const Parameters &m, View view)
{
    const Eye eye(view);
    const std::array<Vector, 3> images { { { m[0], m[1], m[2] }, { m[3], m[4], m[5] },
        { m[6], m[7], m[8] } } };
    double reach = AxisLength;
    for (const auto &image : images)
        reach = std::max(reach, AxisLength * length(image));
    const double grown = reach / AxisLength;

    // What is drawn, in the object's space, whatever the view: the origin, the axes' tips, the
    // cube's corners, and each arc's whole circle (a centre and a radius).
    std::vector<Vector> points { {} };
    std::array<Vector, 3> arcCentres;
    const double arcReach = grown * (ArcRadius + HeadHalfWidth);
    OrientationPicture picture;
    for (std::size_t i = 0; i < 3; ++i) {
        picture.axes[i] = eye(AxisLength * images[i]);
        picture.unturnedAxes[i] = eye(reach * Unit[i]);
        picture.arcs[i] = arcAbout(i, eye, grown);
        points.push_back(AxisLength * images[i]);
        points.push_back(reach * Unit[i]);
        arcCentres[i] = grown * ArcCentre * Unit[i];
        for (const double side : { -arcReach, arcReach }) {
            points.push_back(arcCentres[i] + side * Unit[(i + 1) % 3]);
            points.push_back(arcCentres[i] + side * Unit[(i + 2) % 3]);
        }
    }
    for (std::size_t i = 0; i < picture.cube.size(); ++i) {
        const Vector corner = static_cast<double>(i & 1) * images[0]
            + static_cast<double>(i >> 1 & 1) * images[1]
            + static_cast<double>(i >> 2 & 1) * images[2];
        picture.cube[i] = eye(corner);
        points.push_back(corner);
    }
    Vector low = points.front(), high = points.front();
    for (const auto &point : points) {
        low = { std::min(low.x, point.x), std::min(low.y, point.y), std::min(low.z, point.z) };
        high = { std::max(high.x, point.x), std::max(high.y, point.y), std::max(high.z, point.z) };
    }
    const Vector centre = 0.5 * (low + high);
    picture.centre = eye(centre);
    picture.radius = 0;
    for (const auto &point : points)
        picture.radius = std::max(picture.radius, length(point - centre));
    for (const auto &arc : arcCentres)
        picture.radius = std::max(picture.radius, length(arc - centre) + arcReach);

    // A solid box seen along parallel lines hides the three edges that meet at its farthest corner.
    // A flat box (a scale of 0) hides nothing.
    const double volume = std::abs(dot(cross(images[0], images[1]), images[2]));
    picture.hiddenEdges.fill(false);
    if (volume > 1e-9 * length(images[0]) * length(images[1]) * length(images[2])) {
        const auto farthest = static_cast<std::size_t>(
            std::min_element(picture.cube.begin(), picture.cube.end(),
                [](const ViewPoint &a, const ViewPoint &b) { return a.z < b.z; })
            - picture.cube.begin());
        for (std::size_t i = 0; i < CubeEdges.size(); ++i)
            picture.hiddenEdges[i]
                = CubeEdges[i].first == farthest || CubeEdges[i].second == farthest;
    }
    return picture;
}

} // namespace quorvex
