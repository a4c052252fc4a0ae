#include "Calculations.h"

#include "Module1.h"
#include "NumberText.h"

#include <cmath>

namespace quorvex {
namespace {

    using Module1::ArcTan2;
    using Module1::Pi;

    // Dividing before multiplying, and by the fifteen-digit π, as every line users hold was made.
    double toRadians(double degrees)
    {
        return degrees / 180 * Pi;
    }

    // "1.500" where "." groups thousands: one to three digits, the first not 0, then "." and
    // exactly three digits that end the number.
    bool looksGrouped(std::string_view number)
    {
        number.remove_prefix(std::min(number.find_first_of("0123456789"), number.size()));
        const auto point = number.find('.');
        return point >= 1 && point <= 3 && number[0] != '0' && number.size() == point + 4
            && number.find_first_not_of("0123456789", point + 1) == std::string_view::npos;
    }

} // namespace

std::variant<double, Error> readField(
    Field field, std::string_view text, const NumberFormat &format)
{
    const auto number = trimmed(text);
    // The program writes angles with ".", so "." reads as a decimal point in every locale.
    for (const std::string_view separator :
        { std::string_view("."), std::string_view(format.decimalPoint) }) {
        const auto scan = scanNumber(number, separator);
        if (scan.length == 0 || scan.length != number.size())
            continue;
        if (format.groupSeparator == "." && looksGrouped(number))
            return Error::groupedOrDecimal(field, text, format);
        if (!scan.value)
            return Error::tooLarge(field, text);
        return *scan.value;
    }
    return Error::notANumber(field, text, format);
}

std::variant<std::string, Error> calculateMatrix(
    const InputTexts &inputs, const NumberFormat &format)
{
    std::array<double, 6> values {};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        auto value = readField(static_cast<Field>(i), inputs[i], format);
        if (auto *error = std::get_if<Error>(&value))
            return std::move(*error);
        values[i] = std::get<double>(value);
    }
    const auto [x, y, z, kX, kY, kZ] = values;
    const double sX = std::sin(toRadians(x)), cX = std::cos(toRadians(x));
    const double sY = std::sin(toRadians(y)), cY = std::cos(toRadians(y));
    const double sZ = std::sin(toRadians(z)), cZ = std::cos(toRadians(z));

    // diag(kX, kY, kZ) · Rx · Ry · Rz row by row, each product grouped as it always has been, so
    // that the last printed digit of every parameter stays what users' files already hold.
    const Parameters e {
        (kX * cY) * cZ,
        ((-kX) * cY) * sZ,
        kX * sY,
        kY * (cX * sZ + sY * sX * cZ),
        kY * (cX * cZ - sY * sX * sZ),
        ((-kY) * sX) * cY,
        (sZ * sX - sY * cX * cZ) * kZ,
        (sY * cX * sZ + cZ * sX) * kZ,
        (cX * kZ) * cY,
    };

    static constexpr std::array<std::string_view, 9> names { "r11", "r12", "r13", "r21", "r22",
        "r23", "r31", "r32", "r33" };
    for (std::size_t i = 0; i < e.size(); ++i) {
        // Sines and cosines stay within ±1, so only a huge scale factor can overflow its row.
        if (!std::isfinite(e[i])) {
            const auto scale = static_cast<Field>(static_cast<std::size_t>(Field::ScaleX) + i / 3);
            return Error::parameterTooLarge(
                scale, inputs[static_cast<std::size_t>(scale)], names[i]);
        }
    }
    using Module1::FormatParam;
    return joinLine({ FormatParam(e[0]), FormatParam(e[1]), FormatParam(e[2]), FormatParam(e[3]),
        FormatParam(e[4]), FormatParam(e[5]), FormatParam(e[6]), FormatParam(e[7]),
        FormatParam(e[8]) });
}

std::variant<Angles, Error> calculateAngles(std::string_view clipboardText)
{
    Angles angles;
    angles.matrix = clipboardText.empty() ? IdentityText : clipboardText;
    const auto parsed = parseLine(angles.matrix);
    if (const auto *error = std::get_if<Error>(&parsed))
        return *error;
    const auto &p = std::get<Parameters>(parsed);

    const double z = ArcTan2(-p[1], p[0]);
    // hypot cannot overflow where the plain sum of squares would.
    const double y = ArcTan2(p[2], std::hypot(p[5], p[8]));
    double x = ArcTan2(-p[5], p[8]);
    if (p[5] == 0 && p[8] == 0) {
        // Gimbal lock, Y = ±90°: r23 and r33 vanish and X and Z turn about the same axis. Z reads
        // 0 here, so X takes the whole turn, which r21 and r22 hold as X + Z (or X - Z for -90°).
        const double s = (p[2] > 0) - (p[2] < 0);
        x = ArcTan2(s * p[3], p[4]);
    }
    angles.rotX = Module1::FormatAngle(x);
    angles.rotY = Module1::FormatAngle(y);
    angles.rotZ = Module1::FormatAngle(z);
    return angles;
}

} // namespace quorvex
