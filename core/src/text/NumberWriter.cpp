#include "text/NumberWriter.h"

#include "text/NumberScanner.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <charconv> // std::to_chars: locale-independent and correctly rounded
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quorvex::detail {
namespace {

    // Wide enough for the fixed notation of the largest double with six decimals.
    using Buffer = std::array<char, 400>;

    // Appends the text from `begin` to `end`. std::string's append of two pointers goes through
    // its general replace; given the length it copies at once (callgrind: matrix -l, 52
    // instructions a line less).
    void appendText(std::string &out, const char *begin, const char *end)
    {
        out.append(begin, static_cast<std::size_t>(end - begin));
    }

    constexpr std::uint64_t Powers[] = { 1, 10, 100, 1000, 10000, 100000, 1000000 };

    // Whether writeSmall's integer arithmetic holds x with that many decimals.
    bool isSmall(double x, int decimals)
    {
        return std::fabs(x) < 0x1p33 && decimals >= 0 && decimals <= 6;
    }

    // x ≥ 0 rounded to the nearest whole number, ties to even, as std::nearbyint rounds it, but
    // without a call into the C library (callgrind: angles -l, 12 instructions a line less). Below
    // 2^52 the sum's last place is a unit, so that adding rounds x and subtracting is exact; from
    // 2^52 on every double is whole.
    double nearestWhole(double x)
    {
        return x < 0x1p52 ? (x + 0x1p52) - 0x1p52 : x;
    }

    // |x| · 10^decimals rounded half to even, for a small x whose product is 2^52 or more. Below
    // 2^33, x is m · 2^-shift exactly with a shift of at least 20, so m · 10^decimals fits 73 bits
    // and the result is that product shifted right, rounded. Apart, so that the common case
    // inlines small (writeSmall).
    [[gnu::noinline]] std::uint64_t largeScaledAndRounded(double x, int decimals)
    {
        __extension__ using Wide = unsigned __int128; // GCC's and Clang's
        // The bits of a double: its integer mantissa and the power of two it is divided by.
        const auto bits = std::bit_cast<std::uint64_t>(x);
        const auto biased = static_cast<int>(bits >> 52 & 0x7FF);
        const std::uint64_t m = (bits & ((1ULL << 52) - 1)) | (biased ? 1ULL << 52 : 0);
        const int shift = 1075 - std::max(biased, 1);
        const auto scaled = static_cast<Wide>(m) * Powers[decimals];
        auto q = static_cast<std::uint64_t>(scaled >> shift);
        const auto rest = scaled - (static_cast<Wide>(q) << shift);
        const auto half = static_cast<Wide>(1) << (shift - 1);
        return q + (rest > half || (rest == half && q % 2 == 1));
    }

    // |x| · 10^decimals rounded half to even, for a small x.
    [[gnu::always_inline]] inline std::uint64_t scaledAndRounded(double x, int decimals)
    {
        // Most products stay below 2^52, where a double's rounding to a whole number is exact:
        // the product rounded to a double lies within half a unit of its last place of the exact
        // one, which only a tie can tell apart, and for a tie the fused multiply-add gives the
        // exact remainder.
        const double magnitude = std::fabs(x), power = static_cast<double>(Powers[decimals]);
        const double product = magnitude * power;
        if (product < 0x1p52) {
            const double whole = nearestWhole(product);
            const double rest = product - whole;
            auto q = static_cast<std::uint64_t>(whole);
            if (std::fabs(rest) == 0.5) {
                const double error = std::fma(magnitude, power, -product);
                if (error != 0 && (error > 0) == (rest > 0))
                    q = rest > 0 ? q + 1 : q - 1;
            }
            return q;
        }
        return largeScaledAndRounded(x, decimals);
    }

    constexpr char Pairs[] = "00010203040506070809101112131415161718192021222324"
                             "25262728293031323334353637383940414243444546474849"
                             "50515253545556575859606162636465666768697071727374"
                             "75767778798081828384858687888990919293949596979899";

    // Writes the last `count` decimal digits of `digits`, two at a time.
    char *writeDigits(char *out, std::uint64_t digits, int count)
    {
        if (count == 6) { // a parameter's decimals, most often
            const auto high = digits / 10000, low = digits - high * 10000, middle = low / 100;
            std::memcpy(out, Pairs + 2 * high, 2);
            std::memcpy(out + 2, Pairs + 2 * middle, 2);
            std::memcpy(out + 4, Pairs + 2 * (low - middle * 100), 2);
            return out + 6;
        }
        for (int i = count; i >= 2; i -= 2, digits /= 100)
            std::memcpy(out + i - 2, Pairs + 2 * (digits % 100), 2);
        if (count % 2 == 1)
            out[0] = static_cast<char>('0' + digits % 10);
        return out + count;
    }

    // Writes a whole number. Those below a thousand, as nearly all angles have before their
    // decimal point, are written at once (callgrind: angles -l, 96 instructions a line less than
    // with to_chars; matrix -l, whose parameters are mostly below one, 18 more).
    [[gnu::always_inline]] inline char *writeWhole(char *out, std::uint64_t n)
    {
        if (n < 10) {
            *out = static_cast<char>('0' + n);
            return out + 1;
        }
        if (n < 100) {
            std::memcpy(out, Pairs + 2 * n, 2);
            return out + 2;
        }
        if (n < 1000) {
            *out = static_cast<char>('0' + n / 100);
            std::memcpy(out + 1, Pairs + 2 * (n % 100), 2);
            return out + 3;
        }
        return std::to_chars(out, out + 20, n).ptr;
    }

    // The most a small number takes in fixed notation: sign, ten digits, point, six decimals.
    constexpr std::size_t SmallText = 20;

    // Writes a small x (isSmall) in fixed notation with up to `decimals` decimals; `trimmed` drops
    // the trailing zeros of the fraction but its first digit: "2.0", "0.5", "0.866025". A zero of
    // either sign is written "0"; any other value keeps the sign it had before rounding, so
    // -3.2e-15 gives "-0": the line still shows which side of zero it was. Returns the end.
    // Inline in each caller, with scaledAndRounded, so that the caller's decimals fold in
    // (callgrind: matrix -l, 340 instructions a line less; angles -l, 200).
    [[gnu::always_inline]] inline char *writeSmall(char *out, double x, int decimals, bool trimmed)
    {
        if (x == 0 && decimals == 0) {
            *out = '0';
            return out + 1;
        }
        const auto q = scaledAndRounded(x, decimals);
        if (std::signbit(x))
            *out++ = '-';
        // Most parameters are below one: their whole part needs no division.
        if (q < Powers[decimals])
            *out++ = '0';
        else
            out = writeWhole(out, q / Powers[decimals]);
        if (decimals == 0)
            return out;
        *out++ = '.';
        char *end = writeDigits(out, q % Powers[decimals], decimals);
        while (trimmed && end - out > 1 && end[-1] == '0')
            --end;
        return end;
    }

    // "1.23457e-07" from the formatter becomes "1.23457e-7": the exponent keeps its sign but loses
    // its leading zeros.
    void appendScientific(std::string &out, double x)
    {
        Buffer buffer;
        const auto end
            = std::to_chars(buffer.begin(), buffer.end(), x, std::chars_format::scientific, 5).ptr;
        std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
        const auto e = text.find('e');
        auto mantissa = text.substr(0, e);
        while (mantissa.ends_with('0') && !mantissa.ends_with(".0"))
            mantissa.remove_suffix(1);
        const auto exponent = text.substr(e + 2);
        out.append(mantissa).append(text.substr(e, 2));
        out.append(exponent.substr(std::min(exponent.find_first_not_of('0'), exponent.size() - 1)));
    }

    // How a parameter is written: whole, with up to six decimals, or in scientific notation.
    enum class Notation { Whole, Decimals, Scientific };

    Notation notationOf(double x)
    {
        assert(std::isfinite(x));
        const double magnitude = std::fabs(x);
        // Products of sines and cosines land a few ulps beside the whole numbers and zero they
        // stand for; these thresholds print them as the 1, -1 and 0 the user meant.
        if (std::fabs(magnitude - 1) < 1e-6 || magnitude < 1e-8)
            return Notation::Whole;
        return magnitude >= 1e-6 ? Notation::Decimals : Notation::Scientific;
    }

    // How many decimals an angle of that many degrees is written with: none for exactly ±1 and
    // below a hundredth, two otherwise.
    int decimalsOfAngle(double degrees)
    {
        const double magnitude = std::fabs(degrees);
        return magnitude == 1 || magnitude < 0.01 ? 0 : 2;
    }

    // Writes an angle given in radians as degrees, with its blank, where writeSmall can, and
    // returns the end; nullptr where it cannot.
    [[gnu::always_inline]] inline char *writeAngle(char *out, double radians)
    {
        const double degrees = toDegrees(radians);
        assert(std::isfinite(degrees));
        const int decimals = decimalsOfAngle(degrees);
        if (!isSmall(degrees, decimals))
            return nullptr;
        out = writeSmall(out, degrees, decimals, true);
        *out++ = ' ';
        return out;
    }

} // namespace

void appendFixed(std::string &out, double x, int decimals, bool trimmed)
{
    Buffer buffer;
    char *end = nullptr;
    if (isSmall(x, decimals)) {
        end = writeSmall(buffer.data(), x, decimals, trimmed);
    } else {
        end = std::to_chars(buffer.begin(), buffer.end(), x, std::chars_format::fixed, decimals)
                  .ptr;
        while (trimmed && end[-1] == '0' && end[-2] != '.')
            --end;
    }
    appendText(out, buffer.data(), end);
}

void appendParameter(std::string &out, double x)
{
    switch (notationOf(x)) {
    case Notation::Whole:
        appendFixed(out, x, 0, false);
        break;
    case Notation::Decimals:
        appendFixed(out, x, 6, true);
        break;
    case Notation::Scientific:
        appendScientific(out, x);
        break;
    }
    out.push_back(' ');
}

std::string formatParameter(double x)
{
    std::string text;
    appendParameter(text, x);
    return text;
}

void appendParameterLine(std::string &out, const Parameters &parameters)
{
    // Most lines hold small numbers in fixed notation: they are written into one buffer at once.
    std::array<char, 9 * (SmallText + 1) + 4> line;
    char *end = line.data();
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const auto notation = notationOf(parameters[i]);
        if (notation == Notation::Scientific || !isSmall(parameters[i], 6)) {
            end = nullptr;
            break;
        }
        if (i == 3 || i == 6) {
            *end++ = ' ';
            *end++ = ' ';
        }
        // Each with its number of decimals as a constant, which writeSmall folds in (callgrind:
        // matrix -l, 18 instructions a line less).
        end = notation == Notation::Whole ? writeSmall(end, parameters[i], 0, true)
                                          : writeSmall(end, parameters[i], 6, true);
        *end++ = ' ';
    }
    if (end) {
        appendText(out, line.data(), end);
        return;
    }
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (i == 3 || i == 6)
            out.append("  ");
        appendParameter(out, parameters[i]);
    }
}

void appendAngle(std::string &out, double radians)
{
    std::array<char, SmallText + 1> text;
    if (char *end = writeAngle(text.data(), radians)) {
        appendText(out, text.data(), end);
        return;
    }
    const double degrees = toDegrees(radians);
    appendFixed(out, degrees, decimalsOfAngle(degrees), true);
    out.push_back(' ');
}

void appendAngles(std::string &out, const std::array<double, 3> &radians)
{
    // Usual angles are written into one buffer and appended at once: a batch writes three for
    // each line (callgrind: angles -l, 140 instructions a line less than one at a time). The
    // test of the fast paths holds it to appendAngle.
    std::array<char, 3 * (SmallText + 1)> text;
    char *end = text.data();
    for (const double angle : radians) {
        if (!(end = writeAngle(end, angle))) {
            for (const double each : radians)
                appendAngle(out, each);
            return;
        }
    }
    appendText(out, text.data(), end);
}

std::string formatAngle(double radians)
{
    std::string text;
    appendAngle(text, radians);
    return text;
}

ScaleFactor scaleFactorOf(double length, double uncertainty)
{
    // A length within half a unit of the last place it is rounded to; from 2^53 on every double
    // is whole, so the search ends at once for large lengths.
    constexpr int MostDecimals = 17;
    int decimals = 0;
    double power = 1, value = nearestWhole(length);
    while (std::fabs(value - length) > uncertainty && decimals < MostDecimals) {
        ++decimals;
        power *= 10;
        value = nearestWhole(length * power) / power;
    }
    // Beyond the decimals a field shows at a glance: the length itself.
    if (std::fabs(value - length) > uncertainty || value >= 1e16)
        return { length, -1 };
    return { value, decimals };
}

void appendScale(std::string &out, ScaleFactor scale, const NumberFormat &format)
{
    const auto start = out.size();
    if (scale.decimals < 0) {
        Buffer buffer;
        appendText(
            out, buffer.data(), std::to_chars(buffer.begin(), buffer.end(), scale.value).ptr);
    } else if (scale.decimals == 0) {
        std::array<char, SmallText> text;
        char *end = text.data();
        if (std::signbit(scale.value))
            *end++ = '-';
        end = std::to_chars(end, text.end(), static_cast<std::uint64_t>(std::fabs(scale.value)))
                  .ptr;
        appendText(out, text.data(), end);
    } else {
        appendFixed(out, scale.value, scale.decimals, false);
    }
    const std::string_view text = std::string_view(out).substr(start);
    if (format.groupSeparator == "." && looksGrouped(text, '.'))
        out.replace(start + text.find('.'), 1, format.decimalPoint);
}

} // namespace quorvex::detail
