#include "quorvex/Calculations.h"

#include "reader/MatrixReader.h"
#include "rotation/Rotation.h"
#include "text/FieldReader.h"
#include "text/Message.h"
#include "text/NumberScanner.h"
#include "text/NumberWriter.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace quorvex {
namespace {

    // The three angles in degrees and the three scale factors, in the order of the fields.
    using Values = std::array<double, 6>;

    detail::Parameters parameters(const Values &values)
    {
        const auto [x, y, z, kX, kY, kZ] = values;
        using detail::toRadians;
        const double sX = std::sin(toRadians(x)), cX = std::cos(toRadians(x));
        const double sY = std::sin(toRadians(y)), cY = std::cos(toRadians(y));
        const double sZ = std::sin(toRadians(z)), cZ = std::cos(toRadians(z));
        // diag(kX, kY, kZ) · Rx · Ry · Rz row by row, each product grouped as it always has
        // been, so that the last printed digit of every parameter stays what users' files
        // already hold.
        return {
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
    }

    // Below this size a scale's row may lose so many digits to the line's six decimals that
    // Calculate Angles can no longer read the line: all of them (1e-9 writes 0 0 0), or enough
    // that the row's direction is lost (two scales of 1e-5). Lines of 200,000 random angles and
    // scales between 1e-9 and 1 failed to read back only where a scale was below 4e-5; this
    // bound, 25 times that, spares every other line the reading back. The property test of
    // small scales holds it.
    constexpr double SmallScale = 1e-3;

    // Whether Calculate Angles reads the line of these values. A scale of exactly 0 is the
    // user's wish, whose row of zeros no reader can turn back into angles: the other rows must
    // read as they would beside a unit row there.
    bool readsBack(Values values)
    {
        for (std::size_t i = 3; i < 6; ++i)
            values[i] = values[i] == 0 ? 1 : values[i];
        std::string line;
        detail::appendParameterLine(line, parameters(values));
        return std::holds_alternative<detail::Readings>(detail::readMatrix(line));
    }

    // The scales a message proposes, two digits each: 1.0, 1.1, … 9.9 times a power of ten,
    // numbered in increasing order, 1.0 being number 0.
    struct Proposal
    {
        int digits; // 10 … 99
        int power;
        double value() const { return digits * detail::powerOfTen(power - 1); }
        // As it is typed: "1.3e-8", "1e-8".
        std::string text(bool negative) const
        {
            // Appended piece by piece: GCC 12 warns of a memcpy overlap (-Wrestrict, a false
            // alarm) where "-" + std::string is inlined at -O3.
            std::string typed = negative ? "-" : "";
            typed += static_cast<char>('0' + digits / 10);
            if (digits % 10 != 0) {
                typed += '.';
                typed += static_cast<char>('0' + digits % 10);
            }
            typed += 'e';
            typed += std::to_string(power);
            return typed;
        }
    };
    Proposal proposal(int n)
    {
        const int power = n >= 0 ? n / 90 : -((89 - n) / 90);
        return { 10 + (n - 90 * power), power };
    }

    // The smallest proposal above `scale` for which `keeps` holds, by bisection between the scale
    // and 1, which holds: a larger scale keeps more digits of its row. Nothing where 1 fails.
    template<typename Keeps> std::optional<int> smallestProposal(double scale, Keeps keeps)
    {
        int low = static_cast<int>(std::floor(std::log10(scale))) * 90 - 1, high = 0;
        if (!keeps(proposal(high).value()))
            return std::nullopt;
        while (high - low > 1) {
            const int middle = low + (high - low) / 2;
            const double tried = proposal(middle).value();
            (tried > scale && keeps(tried) ? high : low) = middle;
        }
        return high;
    }

    // A nonzero scale so small that the line would not keep its row, named with the smallest
    // scale of two digits that would, the other fields as they are; the smallest of the small
    // scales first, since it loses the most. Where small rows fail only together (two scales of
    // 1e-5 leave two rows of one digit each), it names the others too, and the smallest scale
    // that keeps them all.
    std::optional<Error> tooSmallScale(const Values &values, const InputTexts &inputs)
    {
        std::vector<std::size_t> small;
        for (std::size_t i = 3; i < 6; ++i) {
            if (values[i] != 0 && std::fabs(values[i]) < SmallScale)
                small.push_back(i);
        }
        if (small.empty() || readsBack(values))
            return std::nullopt;
        std::ranges::sort(small, {}, [&](std::size_t i) { return std::fabs(values[i]); });
        const std::size_t worst = small.front();
        const double scale = std::fabs(values[worst]);
        const auto raised = [&](std::span<const std::size_t> fields, double to) {
            Values tried = values;
            for (const auto i : fields)
                tried[i] = std::copysign(std::max(to, std::fabs(values[i])), values[i]);
            return readsBack(tried);
        };
        const auto text = [&](int n) { return proposal(n).text(std::signbit(values[worst])); };
        // A larger proposal than 1 is never needed: rows of unit scales read.
        const auto alone = smallestProposal(
            scale, [&](double to) { return raised(std::span(small).first(1), to); });
        if (alone || small.size() == 1) {
            return detail::errorAbout(static_cast<Field>(worst), inputs[worst],
                " is too small for the line's six decimals to keep its row; the smallest scale "
                "they keep is "
                    + text(alone.value_or(0)));
        }
        std::string others;
        for (std::size_t k = 1; k < small.size(); ++k)
            others += (k == 1 ? "" : " and ") + std::string(label(static_cast<Field>(small[k])));
        const auto together = smallestProposal(scale, [&](double to) { return raised(small, to); });
        return detail::errorAbout(static_cast<Field>(worst), inputs[worst],
            " is too small, with " + others
                + ", for the line's six decimals to keep their rows; the smallest scale that "
                  "keeps them is "
                + text(together.value_or(0)));
    }

} // namespace

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
    Values values {};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        auto value = detail::readField(static_cast<Field>(i), inputs[i], format);
        if (auto *error = std::get_if<Error>(&value))
            return std::move(*error);
        values[i] = std::get<double>(value);
    }
    const auto e = parameters(values);
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
    if (auto error = tooSmallScale(values, inputs))
        return std::move(*error);
    return e;
}

} // namespace quorvex
