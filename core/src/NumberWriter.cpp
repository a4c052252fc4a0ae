#include "NumberWriter.h"

#include "NumberScanner.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <charconv> // std::to_chars: locale-independent and correctly rounded
#include <cmath>
#include <cstdint>
#include <string_view>

namespace quorvex::detail {
namespace {

    // Wide enough for the fixed notation of the largest double with six decimals.
    using Buffer = std::array<char, 400>;

    std::string_view digits(Buffer &buffer, double x, std::chars_format format, int precision)
    {
        char *const first = buffer.data(), *const last = first + buffer.size();
        const auto end = format == std::chars_format::fixed
            ? writeFixed(first, last, x, precision)
            : std::to_chars(first, last, x, format, precision).ptr;
        return { buffer.data(), static_cast<std::size_t>(end - buffer.data()) };
    }

    // Drops trailing zeros of a decimal fraction but keeps the first decimal: "2.000000" → "2.0".
    std::string_view trimZeros(std::string_view text)
    {
        while (text.ends_with('0') && !text.ends_with(".0"))
            text.remove_suffix(1);
        return text;
    }

    // Zero prints without a sign whichever its sign bit; any other value keeps the sign it had
    // before rounding, so -3.2e-15 prints "-0": the line still shows which side of zero it was.
    std::string whole(double x)
    {
        if (x == 0)
            return "0 ";
        Buffer buffer;
        std::string text(digits(buffer, x, std::chars_format::fixed, 0));
        text += ' ';
        return text;
    }

    std::string decimals(double x, int maxDecimals)
    {
        Buffer buffer;
        std::string text(trimZeros(digits(buffer, x, std::chars_format::fixed, maxDecimals)));
        text += ' ';
        return text;
    }

    // "1.23457e-07" from the formatter becomes "1.23457e-7": the exponent keeps its sign but loses
    // its leading zeros.
    std::string scientific(double x)
    {
        Buffer buffer;
        const auto text = digits(buffer, x, std::chars_format::scientific, 5);
        const auto e = text.find('e');
        const auto exponent = text.substr(e + 2);
        std::string result(trimZeros(text.substr(0, e)));
        result += text.substr(e, 2);
        result += exponent.substr(std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        return result + ' ';
    }

} // namespace

std::string formatParameter(double x)
{
    assert(std::isfinite(x));
    const double magnitude = std::fabs(x);
    // Products of sines and cosines land a few ulps beside the whole numbers and zero they stand
    // for; these thresholds print them as the 1, -1 and 0 the user meant.
    if (std::fabs(magnitude - 1) < 1e-6 || magnitude < 1e-8)
        return whole(x);
    if (magnitude >= 1e-6)
        return decimals(x, 6);
    return scientific(x);
}

std::string parameterLine(const Parameters &parameters)
{
    std::string line;
    line.reserve(parameters.size() * 10 + 4);
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (i == 3 || i == 6)
            line += "  ";
        line += formatParameter(parameters[i]);
    }
    return line;
}

std::string formatAngle(double radians)
{
    const double degrees = toDegrees(radians);
    assert(std::isfinite(degrees));
    const double magnitude = std::fabs(degrees);
    if (magnitude == 1 || magnitude < 0.01)
        return whole(degrees);
    return decimals(degrees, 2);
}

Scale formatScale(double length, double uncertainty, const NumberFormat &format)
{
    // A length within half a unit of the last place it is rounded to; from 2^53 on every double
    // is whole, so the search ends at once for large lengths.
    constexpr int MostDecimals = 17;
    int decimals = 0;
    double power = 1, value = std::nearbyint(length);
    while (std::fabs(value - length) > uncertainty && decimals < MostDecimals) {
        ++decimals;
        power *= 10;
        value = std::nearbyint(length * power) / power;
    }
    Buffer buffer;
    Scale scale;
    if (std::fabs(value - length) > uncertainty || value >= 1e16) {
        // Beyond the decimals a field shows at a glance: the shortest text that reads back as the
        // length ("1e-20", "1e+300").
        const auto end = std::to_chars(buffer.begin(), buffer.end(), length).ptr;
        scale = { std::string(buffer.begin(), end), length };
    } else {
        scale = { std::string(digits(buffer, value, std::chars_format::fixed, decimals)), value };
    }
    if (format.groupSeparator == "." && looksGrouped(scale.text))
        scale.text.replace(scale.text.find('.'), 1, format.decimalPoint);
    return scale;
}

char *writeFixed(char *first, char *last, double x, int decimals)
{
    // Below 2^33, x is m · 2^-shift exactly with a shift of at least 20, so m · 10^decimals fits
    // 73 bits and the text's digits are that product shifted right, rounded half to even; the
    // general formatter takes several times as long, which a batch of a million parameter lines
    // would spend most of its time in.
    if (!(std::fabs(x) < 0x1p33) || decimals < 0 || decimals > 6 || last - first < 32)
        return std::to_chars(first, last, x, std::chars_format::fixed, decimals).ptr;
    constexpr std::uint64_t powers[] = { 1, 10, 100, 1000, 10000, 100000, 1000000 };
    __extension__ using Wide = unsigned __int128; // GCC's and Clang's
    // The bits of a double: its integer mantissa and the power of two it is divided by.
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const auto biased = static_cast<int>(bits >> 52 & 0x7FF);
    const std::uint64_t m = (bits & ((1ULL << 52) - 1)) | (biased ? 1ULL << 52 : 0);
    const int shift = 1075 - std::max(biased, 1);
    const auto scaled = static_cast<Wide>(m) * powers[decimals];
    std::uint64_t q = 0; // what lies below 2^-47 rounds to zero
    if (shift < 100) {
        q = static_cast<std::uint64_t>(scaled >> shift);
        const auto rest = scaled - (static_cast<Wide>(q) << shift);
        const auto half = static_cast<Wide>(1) << (shift - 1);
        q += rest > half || (rest == half && q % 2 == 1);
    }
    if (std::signbit(x))
        *first++ = '-';
    const auto integer = q / powers[decimals];
    first = std::to_chars(first, last, integer).ptr;
    if (decimals > 0) {
        *first++ = '.';
        auto rest = q - integer * powers[decimals];
        for (int i = decimals; i > 0; --i, rest /= 10)
            first[i - 1] = static_cast<char>('0' + rest % 10);
        first += decimals;
    }
    return first;
}

} // namespace quorvex::detail
