#include "NumberText.h"

#include <algorithm>
#include <charconv> // std::from_chars: locale-independent and correctly rounded
#include <string>

namespace quorvex {
namespace {

    std::string_view digitsAt(std::string_view text, std::size_t pos)
    {
        const auto rest = text.substr(std::min(pos, text.size()));
        return rest.substr(0, std::min(rest.find_first_not_of("0123456789"), rest.size()));
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
    std::size_t pos = 0;
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        ++pos;
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
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t at = pos + 1;
        negativeExponent = text.substr(at).starts_with('-');
        if (negativeExponent || text.substr(at).starts_with('+'))
            ++at;
        exponentDigits = digitsAt(text, at);
        if (!exponentDigits.empty())
            pos = at + exponentDigits.size();
    }

    // from_chars wants "." as the separator and no "+": give it the number in that form.
    std::string number;
    number.reserve(pos + 2);
    number.append(integer).append(".").append(fraction);
    if (!exponentDigits.empty())
        number.append(negativeExponent ? "e-" : "e").append(exponentDigits);

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (isBeyondLargest(integer, fraction, exponentDigits, negativeExponent))
            return { pos, std::nullopt };
        value = 0;
    }
    return { pos, negative ? -value : value };
}

} // namespace quorvex
