#include "text/FieldReader.h"

#include "rotation/Rotation.h"
#include "text/Message.h"
#include "text/NumberScanner.h"
#include "text/TextDecoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace quorvex::detail {
namespace {

    bool isAngle(Field field)
    {
        return field == Field::RotX || field == Field::RotY || field == Field::RotZ;
    }

    // The units an angle may be typed with: each says what it is, in any case ("30 DEG"), so
    // none is a guess. Radians are turned into the degrees the fields hold.
    struct Unit
    {
        std::string_view name;
        bool radians;
    };
    constexpr std::array<Unit, 7> Units { { { "\u00b0", false }, { "deg", false },
        { "degree", false }, { "degrees", false }, { "rad", true }, { "radian", true },
        { "radians", true } } };

    // Characters that look like the degree sign and are something else: the ordinal indicator
    // of Spanish and Italian keyboards, the ring above, the superscript zero and the ring
    // operator. Taking one for "°" would be a guess; the message names the sign to type.
    constexpr std::array<std::string_view, 4> NearDegreeSigns { "\u00ba", "\u02da", "\u2070",
        "\u2218" };

    bool endsWithIgnoringCase(std::string_view text, std::string_view end)
    {
        return text.size() >= end.size()
            && std::ranges::equal(text.substr(text.size() - end.size()), end,
                [](char a, char b) { return asciiLower(a) == b; });
    }

    // The unit at the end of a field's text, or nothing; the longest name that fits wins, so
    // that "degrees" is not read as "deg" followed by "rees".
    const Unit *unitAtEnd(std::string_view text)
    {
        const Unit *found = nullptr;
        for (const auto &unit : Units) {
            if (endsWithIgnoringCase(text, unit.name)
                && (!found || unit.name.size() > found->name.size()))
                found = &unit;
        }
        return found;
    }

    // The most degrees an angle may have. Before its sine is taken an angle is rounded three
    // times (the decimal text to a double, the division by 180, the multiplication by π), each
    // time by at most half a unit in the last place, 2^-53 of its value: in radians it may be off
    // by 1.5 · 2^-53 of itself. The line writes six decimals; for them to be the angle's own,
    // that error must stay below half a unit of the sixth, 5e-7, which holds up to 3.0e9 radians,
    // 1.7e11 degrees. A hundredth of a degree, as the fields show angles, is still far above
    // a double's spacing there (2^-15 of a degree). Beyond that bound the line would be an
    // arbitrary rotation.
    constexpr double MostDegrees = 1e11;
    static_assert(5e-7 / (1.5 * 0x1p-53) * 180 / Pi > MostDegrees);

    Error notANumber(Field field, std::string_view text, const NumberFormat &format)
    {
        // The most common slips: a thousands separator, or the other decimal separator.
        std::string what = " is not a number";
        if (const auto hint = thousandsHint(text); !hint.empty())
            what += hint;
        else if (format.decimalPoint != "," && text.find(',') != std::string_view::npos)
            what += " (the decimal separator is \"."
                + (format.decimalPoint == "." ? "" : "\" or \"" + format.decimalPoint) + "\")";
        else if (isAngle(field))
            what += "; type degrees, like 30 or 30\u00b0";
        return errorAbout(field, text, what);
    }

    // The number of a text, with "." or the user's decimal separator, or no value where the whole
    // text is no number.
    std::optional<NumberScan> scanWhole(std::string_view number, const NumberFormat &format)
    {
        // The program writes angles with ".", so "." reads as a decimal point in every locale;
        // the user's own separator, where it is another, as well.
        auto scan = scanNumber(number, ".");
        if ((scan.length == 0 || scan.length != number.size()) && format.decimalPoint != ".")
            scan = scanNumber(number, format.decimalPoint);
        if (scan.length == 0 || scan.length != number.size())
            return std::nullopt;
        return scan;
    }

    // Why a number followed by something else is no value of the field, where the something
    // else is nearly a unit; nothing where it is not.
    std::optional<Error> unitProblem(
        Field field, std::string_view text, std::string_view number, const NumberFormat &format)
    {
        const auto unit = unitAtEnd(number);
        if (unit && !isAngle(field)) {
            const auto value = trimmed(number.substr(0, number.size() - unit->name.size()));
            if (scanWhole(value, format))
                return errorAbout(field, text, " is not a number; a scale factor takes no unit");
        }
        for (const auto sign : NearDegreeSigns) {
            if (!isAngle(field) || !number.ends_with(sign))
                continue;
            const auto value = trimmed(number.substr(0, number.size() - sign.size()));
            if (scanWhole(value, format)) {
                return errorAbout(field, text,
                    " is not a number; " + std::string(sign) + " is not the degree sign: type "
                        + std::string(value) + "\u00b0 or " + std::string(value) + " deg");
            }
        }
        return std::nullopt;
    }

    // Why the number of a field, without white space and unit, read whole, is no value of the
    // field: "1.500" could be fifteen hundred with a thousands separator, or one and a half with
    // "." as the decimal point that Quorvex writes; or the number is too large for a double, or
    // else for an angle.
    Error refusal(Field field, std::string_view text, std::string_view number,
        const NumberScan &scan, const NumberFormat &format)
    {
        if (format.groupSeparator == "." && looksGrouped(number, '.'))
            return errorAbout(field, text, groupedOrDecimal(number, format.decimalPoint));
        if (!scan.value)
            return errorAbout(field, text, withoutValue(scan));
        return errorAbout(
            field, text, " is too large for an angle; type one between -1e11 and 1e11 degrees");
    }

    // The value of a field whose number, without white space and unit, has been read whole, or
    // its refusal. Inline, it costs a value no frame of its own (callgrind: matrix -l, 135
    // instructions a line less).
    [[gnu::always_inline]] inline std::variant<double, Error> valueOf(Field field,
        std::string_view text, std::string_view number, const NumberScan &scan, const Unit *unit,
        const NumberFormat &format)
    {
        const double value = !scan.value ? 0
            : unit && unit->radians      ? toDegrees(*scan.value)
                                         : *scan.value;
        if ((format.groupSeparator == "." && looksGrouped(number, '.')) || !scan.value
            || (isAngle(field) && !(std::fabs(value) <= MostDegrees)))
            return refusal(field, text, number, scan, format);
        return value;
    }

} // namespace

std::variant<double, Error> readAnyField(
    Field field, std::string_view text, const NumberFormat &format)
{
    auto number = trimmed(text);
    auto scan = scanWhole(number, format);
    const Unit *unit = nullptr;
    if (!scan && isAngle(field) && (unit = unitAtEnd(number))) {
        // "30°", "30 deg", "1.57rad": the number before the unit, with or without white space.
        number = trimmed(number.substr(0, number.size() - unit->name.size()));
        scan = scanWhole(number, format);
    }
    if (!scan) {
        if (auto problem = unitProblem(field, text, trimmed(text), format))
            return std::move(*problem);
        return notANumber(field, text, format);
    }
    return valueOf(field, text, number, *scan, unit, format);
}

std::variant<double, Error> readField(
    Field field, std::string_view text, const NumberFormat &format)
{
    // A single digit, such as the "1" of every scale left out of a batch's lines and the "0" the
    // window starts with, needs no scanning.
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9')
        return static_cast<double>(text[0] - '0');
    // A plain number with "." from its first character to its last ("-12.5"), as a batch's lines
    // hold them, reads as readAnyField reads it, only without white space to trim, another
    // separator to try or a unit to look for: matrix -l spends 240 instructions a line less
    // (callgrind). The test of the fast paths holds it to readAnyField.
    if (NumberScan scan; scanPlainNumber(text, '.', scan) && scan.length == text.size())
        return valueOf(field, text, text, scan, nullptr, format);
    return readAnyField(field, text, format);
}

} // namespace quorvex::detail
