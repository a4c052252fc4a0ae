#include "NumberScanner.h"

#include <algorithm>
#include <charconv> // std::from_chars: locale-independent, correctly rounded
#include <string>

namespace quorvex::detail {
namespace {

    constexpr std::string_view Minus = "\u2212";

    // The length of the sign at the start of text, 0 when there is none.
    std::size_t signAt(std::string_view text, bool &negative)
    {
        negative = text.starts_with('-') || text.starts_with(Minus);
        if (text.starts_with(Minus))
            return Minus.size();
        return negative || text.starts_with('+') ? 1 : 0;
    }

    std::string_view digitsAt(std::string_view text, std::size_t pos)
    {
        const auto rest = text.substr(std::min(pos, text.size()));
        const auto end
            = std::find_if(rest.begin(), rest.end(), [](char c) { return c < '0' || c > '9'; });
        return rest.substr(0, static_cast<std::size_t>(end - rest.begin()));
    }

    // from_chars reports the overflow of 1e999 and the underflow of 1e-999 alike; the decimal
    // exponent of the leading digit tells them apart.
    bool isBeyondLargest(std::string_view integer, std::string_view fraction,
        std::string_view exponentDigits, bool negativeExponent)
    {
        long long exponent = 0;
        // Saturate: an exponent this large decides the question whatever the digits before it.
        for (const char c : exponentDigits)
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000'000LL);
        if (negativeExponent)
            exponent = -exponent;
        const auto firstInteger = integer.find_first_not_of('0');
        const auto magnitude = firstInteger != std::string_view::npos
            ? static_cast<long long>(integer.size() - firstInteger)
            : -static_cast<long long>(fraction.find_first_not_of('0'));
        return magnitude + exponent > 0;
    }

} // namespace

NumberScan scanNumber(std::string_view text, std::string_view decimalSeparator)
{
    bool negative = false;
    std::size_t pos = signAt(text, negative);
    const auto start = pos;
    const auto integer = digitsAt(text, pos);
    pos += integer.size();
    std::string_view fraction;
    if (text.substr(pos).starts_with(decimalSeparator)) {
        fraction = digitsAt(text, pos + decimalSeparator.size());
        if (!integer.empty() || !fraction.empty())
            pos += decimalSeparator.size() + fraction.size();
    }
    if (integer.empty() && fraction.empty())
        return {};

    // The exponent counts only with at least one digit: "2e" is the number 2 followed by "e".
    std::string_view exponentDigits;
    bool negativeExponent = false;
    std::size_t exponentSign = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        exponentSign = signAt(text.substr(pos + 1), negativeExponent);
        const std::size_t at = pos + 1 + exponentSign;
        exponentDigits = digitsAt(text, at);
        if (!exponentDigits.empty())
            pos = at + exponentDigits.size();
    }

    // from_chars wants "." as the separator and an ASCII exponent sign, as most numbers have them
    // already; the others are rewritten in that form.
    std::string_view number = text.substr(start, pos - start);
    std::string rewritten;
    if (decimalSeparator != "." || exponentSign == Minus.size()) {
        rewritten.append(integer).append(".").append(fraction);
        if (!exponentDigits.empty())
            rewritten.append(negativeExponent ? "e-" : "e").append(exponentDigits);
        number = rewritten;
    }

    NumberScan scan { pos };
    scan.decimals = static_cast<int>(fraction.size());
    const auto leading = integer.find_first_not_of('0');
    scan.significantDigits = static_cast<int>(leading != std::string_view::npos
            ? integer.size() - leading + fraction.size()
            : fraction.size() - std::min(fraction.find_first_not_of('0'), fraction.size()));
    for (const char c : exponentDigits) // saturated: beyond it, every value is 0 or too large
        scan.exponent = std::min(scan.exponent * 10 + (c - '0'), 100'000);
    if (negativeExponent)
        scan.exponent = -scan.exponent;

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the largest double there is no value; below the smallest, zero.
        scan.value = isBeyondLargest(integer, fraction, exponentDigits, negativeExponent)
            ? std::nullopt
            : std::optional(negative ? -0.0 : 0.0);
        return scan;
    }
    scan.value = negative ? -value : value;
    return scan;
}

bool looksGrouped(std::string_view number)
{
    number.remove_prefix(std::min(number.find_first_of("0123456789"), number.size()));
    const auto point = number.find('.');
    return point >= 1 && point <= 3 && number[0] != '0' && number.size() == point + 4
        && number.find_first_not_of("0123456789", point + 1) == std::string_view::npos;
}

} // namespace quorvex::detail
