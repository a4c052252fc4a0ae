#include "text/NumberScanner.h"

#include "text/TextDecoding.h"

#include <algorithm>
#include <array>
#include <charconv> // std::from_chars: locale-independent, correctly rounded
#include <cmath>
#include <string>

namespace quorvex::detail {
namespace {

    // The length of the sign at the start of text, 0 when there is none.
    std::size_t signAt(std::string_view text, bool &negative)
    {
        negative = false;
        if (text.empty())
            return 0;
        if (text[0] == '-' || text[0] == '+') {
            negative = text[0] == '-';
            return 1;
        }
        negative = text.starts_with(TypographicMinus);
        return negative ? TypographicMinus.size() : 0;
    }

    std::string_view digitsAt(std::string_view text, std::size_t pos)
    {
        if (pos > text.size())
            return {};
        std::size_t end = pos;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        return text.substr(pos, end - pos);
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

NumberScan scanAnyNumber(std::string_view text, std::string_view decimalSeparator)
{
    bool negative = false;
    std::size_t pos = signAt(text, negative);
    const auto start = pos;
    // The digits go into a whole number as they are read: most numbers have few enough for it.
    std::uint64_t digits = 0;
    const auto digitsFrom = [&](std::size_t at) {
        const char *const first = text.data() + at, *const last = text.data() + text.size();
        const char *c = first;
        for (unsigned digit; c != last && (digit = static_cast<unsigned char>(*c - '0')) < 10; ++c)
            digits = digits * 10 + digit;
        return std::string_view(first, static_cast<std::size_t>(c - first));
    };
    const auto integer = digitsFrom(pos);
    pos += integer.size();
    std::string_view fraction;
    const bool point = decimalSeparator.size() == 1
        ? pos < text.size() && text[pos] == decimalSeparator[0]
        : text.substr(pos).starts_with(decimalSeparator);
    if (point) {
        fraction = digitsFrom(pos + decimalSeparator.size());
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

    NumberScan scan { pos };
    const auto leading = integer.find_first_not_of('0');
    if (!keepDigitCounts(scan, fraction.size(),
            leading != std::string_view::npos
                ? integer.size() - leading + fraction.size()
                : fraction.size() - std::min(fraction.find_first_not_of('0'), fraction.size())))
        return scan;
    for (const char c : exponentDigits) // saturated: beyond it, every value is 0 or too large
        scan.exponent = std::min(scan.exponent * 10 + (c - '0'), 100'000);
    if (negativeExponent)
        scan.exponent = -scan.exponent;

    // A whole number of up to fifteen digits is below 2^53, which a double holds exactly, as it
    // does a power of ten up to 10^22, and one division or multiplication of the two rounds
    // correctly: the value from_chars gives, in a fraction of its time.
    const int power = scan.exponent - scan.decimals;
    if (integer.size() + fraction.size() <= 15 && power >= -22 && power <= 22) {
        const auto whole = static_cast<double>(digits);
        const double value = power < 0 ? whole / ExactPowers[static_cast<std::size_t>(-power)]
                                       : whole * ExactPowers[static_cast<std::size_t>(power)];
        scan.value = negative ? -value : value;
        return scan;
    }

    // from_chars wants "." as the separator and an ASCII exponent sign, as most numbers have them
    // already; the others are rewritten in that form.
    std::string_view number = text.substr(start, pos - start);
    std::string rewritten;
    if (decimalSeparator != "." || exponentSign == TypographicMinus.size()) {
        rewritten.append(integer).append(".").append(fraction);
        if (!exponentDigits.empty())
            rewritten.append(negativeExponent ? "e-" : "e").append(exponentDigits);
        number = rewritten;
    }

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

bool keepDigitCounts(NumberScan &scan, std::size_t decimals, std::size_t significantDigits)
{
    if (decimals > MostDigits || significantDigits > MostDigits) {
        scan.value = std::nullopt;
        scan.tooManyDigits = true;
        return false;
    }
    scan.decimals = static_cast<int>(decimals);
    return true;
}

bool looksGrouped(std::string_view number, char separator)
{
    number.remove_prefix(std::min(number.find_first_of("0123456789"), number.size()));
    const auto point = number.find(separator);
    return point >= 1 && point <= 3 && number[0] != '0' && number.size() == point + 4
        && number.find_first_not_of("0123456789", point + 1) == std::string_view::npos;
}

} // namespace quorvex::detail
