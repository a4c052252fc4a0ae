#include "Module1.h"

#include "NumberText.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv> // std::to_chars: locale-independent and correctly rounded
#include <cmath>
#include <string_view>

namespace quorvex::Module1 {
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

std::string FormatParam(double x)
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

std::string FormatAngle(double r)
{
    const double degrees = r * 180 / Pi;
    assert(std::isfinite(degrees));
    const double magnitude = std::fabs(degrees);
    if (magnitude == 1 || magnitude < 0.01)
        return whole(degrees);
    return decimals(degrees, 2);
}

double ArcTan2(double y, double x)
{
    const auto sign = [](double v) { return static_cast<double>((v > 0) - (v < 0)); };
    if (x > 0)
        return std::atan(y / x);
    if (x == 0)
        return y == 0 ? 0 : sign(y) * Pi / 2;
    // A quotient too large for a double becomes infinity, whose arctangent is exactly the right
    // angle it stands for; no fault is raised.
    if (y == 0)
        return Pi;
    return sign(y) * (Pi - std::atan(std::fabs(y / x)));
}

} // namespace quorvex::Module1
