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

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (isBeyondLargest(integer, fraction, exponentDigits, negativeExponent))
            return { pos, std::nullopt };
        value = 0;
    }
    return { pos, negative ? -value : value };
}

} // namespace quorvex::detail
