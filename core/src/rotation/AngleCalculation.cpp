#include "quorvex/Calculations.h"

#include "reader/MatrixReader.h"
#include "rotation/Rotation.h"
#include "rotation/Uncertainty.h"
#include "text/NumberWriter.h"

#include <algorithm>
#include <cmath>

namespace quorvex {
namespace {

    using detail::length;
    using detail::Parameters;
    using detail::Pi;
    using detail::ShownAngle;
    using detail::VagueRowRatio;

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

    // An angle nearer a hundredth of a degree than 0, where the digits of the values it comes
    // from allow it to be a hundredth, is one: 0.01° written in a line of six decimals reads
    // back as 0.0099988°, which would be written 0; 0.0099° stays 0. The arctangent of y / x
    // is off by at most (|x| dy + |y| dx) / (x² + y²).
    // The uncertainties are asked for only then: angles -l spends 40 instructions a line less.
    template<typename Off>
    [[gnu::always_inline]] inline double shown(double angle, double y, double x, Off uncertainties)
    {
        constexpr double hundredth = detail::toRadians(0.01);
        const double magnitude = std::fabs(angle);
        if (magnitude < hundredth / 2 || magnitude >= hundredth)
            return angle;
        const auto [dy, dx] = uncertainties();
        const double off = (std::fabs(x) * dy + std::fabs(y) * dx) / (x * x + y * y);
        return magnitude + off >= hundredth ? std::copysign(hundredth, angle) : angle;
    }

    // Whether the rows, each divided by its length, turn space inside out.
    bool isMirrorImage(const Parameters &m, const std::array<double, 3> &lengths)
    {
        const auto at = [&](std::size_t i, std::size_t k) { return m[3 * i + k] / lengths[i]; };
        const double determinant = at(0, 0) * (at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1))
            - at(0, 1) * (at(1, 0) * at(2, 2) - at(1, 2) * at(2, 0))
            + at(0, 2) * (at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0));
        return determinant < 0;
    }

    // A row known far less finely than the other two (a short row of few digits) tells the angles
    // little and may hide a tilt that its digits allow: the rotation's row is then the cross
    // product of the other two, which the digits do pin down (Uncertainty.h, 7).
    void takeVagueRowFromTheOthers(Parameters &p, Parameters &off)
    {
        std::array<double, 3> vagueness {};
        for (std::size_t i = 0; i < 3; ++i)
            vagueness[i] = length(off[3 * i], off[3 * i + 1], off[3 * i + 2]);
        const auto worst = static_cast<std::size_t>(
            std::max_element(vagueness.begin(), vagueness.end()) - vagueness.begin());
        const std::size_t a = (worst + 1) % 3, b = (worst + 2) % 3;
        if (vagueness[worst] <= ShownAngle
            || vagueness[worst] <= VagueRowRatio * std::max(vagueness[a], vagueness[b]))
            return;
        const auto at = [&](std::size_t row, std::size_t k) { return p[3 * row + k]; };
        const std::array<double, 3> cross { at(a, 1) * at(b, 2) - at(a, 2) * at(b, 1),
            at(a, 2) * at(b, 0) - at(a, 0) * at(b, 2), at(a, 0) * at(b, 1) - at(a, 1) * at(b, 0) };
        const double size = length(cross[0], cross[1], cross[2]);
        for (std::size_t k = 0; k < 3; ++k) {
            p[3 * worst + k] = cross[k] / size;
            off[3 * worst + k] = vagueness[a] + vagueness[b];
        }
    }

    // What Calculate Angles derives from a matrix, before anything is written.
    struct Orientation
    {
        std::array<double, 3> angles; // X, Y and Z, in radians
        std::array<detail::ScaleFactor, 3> scales; // Scale X below zero for a mirror image
    };

    void orientationOf(const detail::PastedMatrix &matrix, Orientation &out)
    {
        const auto &[m, uncertainties, rows] = matrix;
        // Each row is a scale times a row of a rotation: the scale is the row's length, shown with
        // no more digits than its values carry. A mirror image has its Scale X below zero.
        auto &scales = out.scales;
        for (std::size_t i = 0; i < 3; ++i)
            scales[i] = detail::scaleFactorOf(rows.lengths[i], rows.uncertainties[i]);
        if (isMirrorImage(m, rows.lengths))
            scales[0].value = -scales[0].value;
        // The rotation, each row divided by the scale as it is shown: a line of unit scales gives
        // the very angles it always has.
        Parameters p, off;
        for (std::size_t i = 0; i < p.size(); ++i) {
            p[i] = m[i] / scales[i / 3].value;
            // No finer than the rotation check takes them: a value below the rounding of its row is
            // noise, whatever digits it was written with (Uncertainty.h, 4).
            off[i] = std::max(uncertainties[i] / std::fabs(scales[i / 3].value), detail::Rounding);
        }
        takeVagueRowFromTheOthers(p, off);

        // hypot cannot overflow where the plain sum of squares would, and gives the angles that
        // lines always gave.
        const double cosY = std::hypot(p[5], p[8]);
        const double y = shown(arcTan2(p[2], cosY), p[2], cosY,
            [&] { return std::pair(off[2], length(off[5], off[8])); });
        double x
            = shown(arcTan2(-p[5], p[8]), p[5], p[8], [&] { return std::pair(off[5], off[8]); });
        double z
            = shown(arcTan2(-p[1], p[0]), p[1], p[0], [&] { return std::pair(off[1], off[0]); });
        if (cosY < std::fabs(p[2])
            && cosY * ShownAngle <= length(off[0], off[1], length(off[5], off[8]))) {
            // Near gimbal lock, Y = ±90°, X and Z turn about nearly the same axis, and what is left
            // of r11, r12, r23 and r33 tells them apart no better than the fields show them; in the
            // lock itself it is noise, and Z reads 0 (Uncertainty.h, 8). X is the rest of the turn,
            // which r21 and r22 hold as X + Z (or X - Z for -90°), so that the angles rebuild the
            // matrix.
            if (cosY <= length(off[5], off[8]))
                z = 0;
            x = arcTan2((std::cos(z) * p[3] - std::sin(z) * p[4]) / p[2],
                std::sin(z) * p[3] + std::cos(z) * p[4]);
        }
        out.angles = { x, y, z };
    }

    // The orientation of the matrix on the clipboard. Where its text may be read in several ways,
    // every reading must give the same answer to what was asked (the angles, or the angles and
    // the scales): "1,000" as a scale changes no angle.
    std::optional<Error> orientationOf(std::string_view clipboardText, ValueOrder order,
        bool withScales, const NumberFormat &format, Orientation &out)
    {
        auto read = detail::readMatrix(clipboardText.empty() ? IdentityText : clipboardText, order);
        if (auto *error = std::get_if<Error>(&read))
            return std::move(*error);
        const auto &readings = std::get<detail::Readings>(read);
        orientationOf(readings.matrices[0], out);
        if (readings.count == 1)
            return std::nullopt;
        // The answer as it is written; without the scales, whether it is a mirror image.
        const auto answer = [&](const Orientation &orientation) {
            std::string text;
            detail::appendAngles(text, orientation.angles);
            for (const auto scale : orientation.scales) {
                if (withScales)
                    detail::appendScale(text, scale, format);
                text += std::signbit(scale.value) ? "-" : "+";
            }
            return text;
        };
        const auto first = answer(out);
        for (std::size_t i = 1; i < readings.count; ++i) {
            Orientation other;
            orientationOf(readings.matrices[i], other);
            if (answer(other) != first)
                return readings.unclear(0, i);
        }
        return std::nullopt;
    }

} // namespace

std::variant<AnglesAndScales, Error> calculateAngles(
    std::string_view clipboardText, const NumberFormat &format, ValueOrder order)
{
    Orientation orientation;
    if (auto error = orientationOf(clipboardText, order, true, format, orientation))
        return std::move(*error);
    AnglesAndScales fields;
    const auto &[angles, scales] = orientation;
    for (const auto &[text, angle] : { std::pair(&fields.rotX, angles[0]),
             std::pair(&fields.rotY, angles[1]), std::pair(&fields.rotZ, angles[2]) })
        detail::appendAngle(*text, angle);
    for (const auto &[text, scale] : { std::pair(&fields.scaleX, scales[0]),
             std::pair(&fields.scaleY, scales[1]), std::pair(&fields.scaleZ, scales[2]) })
        detail::appendScale(*text, scale, format);
    return fields;
}

std::variant<Handedness, Error> calculateAngles(std::string_view clipboardText,
    const NumberFormat &format, bool withScales, std::string &out, ValueOrder order)
{
    Orientation orientation;
    if (auto error = orientationOf(clipboardText, order, withScales, format, orientation))
        return std::move(*error);
    detail::appendAngles(out, orientation.angles);
    if (withScales) {
        for (const auto scale : orientation.scales) {
            detail::appendScale(out, scale, format);
            out.push_back(' ');
        }
    }
    return std::signbit(orientation.scales[0].value) ? Handedness::MirrorImage
                                                     : Handedness::Rotation;
}

} // namespace quorvex
