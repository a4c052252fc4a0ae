#include "quorvex/Calculations.h"

#include "FieldReader.h"
#include "Message.h"
#include "NumberWriter.h"
#include "Rotation.h"

#include <cmath>

namespace quorvex {

std::variant<std::string, Error> calculateMatrix(
    const InputTexts &inputs, const NumberFormat &format)
{
    std::string line;
    if (auto error = calculateMatrix(inputs, format, line))
        return std::move(*error);
    return line;
}

std::optional<Error> calculateMatrix(
    const InputTexts &inputs, const NumberFormat &format, std::string &out)
{
    auto parameters = calculateParameters(inputs, format);
    if (auto *error = std::get_if<Error>(&parameters))
        return std::move(*error);
    detail::appendParameterLine(out, std::get<Parameters>(parameters));
    return std::nullopt;
}

std::variant<Parameters, Error> calculateParameters(
    const InputTexts &inputs, const NumberFormat &format)
{
    std::array<double, 6> values {};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        auto value = detail::readField(static_cast<Field>(i), inputs[i], format);
        if (auto *error = std::get_if<Error>(&value))
            return std::move(*error);
        values[i] = std::get<double>(value);
    }
    const auto [x, y, z, kX, kY, kZ] = values;
    using detail::toRadians;
    const double sX = std::sin(toRadians(x)), cX = std::cos(toRadians(x));
    const double sY = std::sin(toRadians(y)), cY = std::cos(toRadians(y));
    const double sZ = std::sin(toRadians(z)), cZ = std::cos(toRadians(z));

    // diag(kX, kY, kZ) · Rx · Ry · Rz row by row, each product grouped as it always has been, so
    // that the last printed digit of every parameter stays what users' files already hold.
    const detail::Parameters e {
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
            return detail::errorAbout(scale, inputs[static_cast<std::size_t>(scale)],
                " makes " + std::string(names[i]) + " too large");
        }
    }
    return e;
}

} // namespace quorvex
