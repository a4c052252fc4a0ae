#include "FieldReader.h"

#include "Message.h"
#include "NumberScanner.h"
#include "TextDecoding.h"

#include <string>

namespace quorvex::detail {
namespace {

    Error notANumber(Field field, std::string_view text, const NumberFormat &format)
    {
        // The most common slips: a thousands separator, or the other decimal separator.
        std::string what = " is not a number";
        if (const auto hint = thousandsHint(text); !hint.empty())
            what += hint;
        else if (format.decimalPoint != "," && text.find(',') != std::string_view::npos)
            what += " (the decimal separator is \"."
                + (format.decimalPoint == "." ? "" : "\" or \"" + format.decimalPoint) + "\")";
        return errorAbout(field, text, what);
    }

} // namespace

std::variant<double, Error> readField(
    Field field, std::string_view text, const NumberFormat &format)
{
    // A single digit, such as the "1" of every scale left out of a batch's lines and the "0" the
    // window starts with, needs no scanning.
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9')
        return static_cast<double>(text[0] - '0');
    const auto number = trimmed(text);
    // The program writes angles with ".", so "." reads as a decimal point in every locale; the
    // user's own separator, where it is another, as well.
    auto scan = scanNumber(number, ".");
    if ((scan.length == 0 || scan.length != number.size()) && format.decimalPoint != ".")
        scan = scanNumber(number, format.decimalPoint);
    if (scan.length == 0 || scan.length != number.size())
        return notANumber(field, text, format);
    // "1.500": fifteen hundred with a thousands separator, or one and a half with "." as the
    // decimal point that Quorvex writes.
    if (format.groupSeparator == "." && looksGrouped(number, '.'))
        return errorAbout(field, text, groupedOrDecimal(number, format.decimalPoint));
    if (!scan.value)
        return errorAbout(field, text, " is too large");
    return *scan.value;
}

} // namespace quorvex::detail
