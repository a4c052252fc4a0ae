#include "quorvex/Calculations.h"

#include "LineReader.h"
#include "NumberWriter.h"
#include "Rotation.h"

#include <cmath>

namespace quorvex {
namespace {

    using detail::Pi;

    double sign(double v)
    {
        return static_cast<double>((v > 0) - (v < 0));
    }

    // The angle of the point (x, y) in [-π, π], built from the one-argument arctangent with the
    // fifteen-digit π. On the negative x axis it is +π: a half turn reads as 180 degrees.
    double arcTan2(double y, double x)
    {
        if (x > 0)
            return std::atan(y / x);
        if (x == 0)
            return y == 0 ? 0 : sign(y) * Pi / 2;
        // A quotient too large for a double becomes infinity, whose arctangent is exactly the
        // right angle it stands for; no fault is raised.
        if (y == 0)
            return Pi;
        return sign(y) * (Pi - std::atan(std::fabs(y / x)));
    }

} // namespace

std::variant<Angles, Error> calculateAngles(std::string_view clipboardText)
{
    const auto parsed = detail::parseLine(clipboardText.empty() ? IdentityText : clipboardText);
    if (const auto *error = std::get_if<Error>(&parsed))
        return *error;
    const auto &p = std::get<detail::Parameters>(parsed);

    const double z = arcTan2(-p[1], p[0]);
    // hypot cannot overflow where the plain sum of squares would.
    const double y = arcTan2(p[2], std::hypot(p[5], p[8]));
    double x = arcTan2(-p[5], p[8]);
    if (p[5] == 0 && p[8] == 0) {
        // Gimbal lock, Y = ±90°: r23 and r33 vanish and X and Z turn about the same axis. Z reads
        // 0 here, so X takes the whole turn, which r21 and r22 hold as X + Z (or X - Z for -90°).
        x = arcTan2(sign(p[2]) * p[3], p[4]);
    }
    return Angles { detail::formatAngle(x), detail::formatAngle(y), detail::formatAngle(z) };
}

} // namespace quorvex
