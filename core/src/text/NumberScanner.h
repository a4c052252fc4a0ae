#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace quorvex::detail {

struct NumberScan
{
    std::size_t length = 0; // bytes of the text that form the number; 0 when there is none
    // Empty when the number is beyond the range of a double, or has too many digits to count.
    std::optional<double> value = 0.0;
    // How finely the text writes the number: its value is a whole multiple of
    // 10^(exponent - decimals).
    int decimals = 0; // digits after the decimal separator
    int exponent = 0; // the exponent written after "e", 0 without one; it stops at ±100,000
    bool tooManyDigits = false; // more than MostDigits decimals or significant digits
};

// The most decimals, or significant digits, that a number may have. They are counted in ints, and
// so is the exponent of the last digit, exponent - decimals; a longer number, as a line of a batch
// may hold, is refused rather than miscounted.
inline constexpr std::size_t MostDigits = 1'000'000'000;

// Keeps the counts of a number's digits in `scan`; where there are more than MostDigits, it marks
// the scan tooManyDigits, without a value, and returns false.
bool keepDigitCounts(NumberScan &scan, std::size_t decimals, std::size_t significantDigits);

// Reads the number at the start of a UTF-8 text, the same way for the input fields and the
// parameter line: an optional sign ("+", "-", or the typographic minus "−" that documents and some
// spreadsheets write), digits with at most one decimal separator (the one given), an optional
// exponent ("e" or "E", optional sign, digits). Stops at the first character that cannot continue
// the number. Hexadecimal, "inf" and "nan" are not numbers here; a number too small for a double
// reads as zero of its sign.
inline NumberScan scanNumber(std::string_view text, std::string_view decimalSeparator);

// The same for any number; scanNumber reads the common one itself.
NumberScan scanAnyNumber(std::string_view text, std::string_view decimalSeparator);

// Whether a number written with a separator ("." or ",") could be read as thousands by a locale
// that groups digits with it: one to three digits, the first not 0, then the separator and
// exactly three digits ("1.500", "-1,000").
bool looksGrouped(std::string_view number, char separator);

// The powers of ten that a double holds exactly: 10^0 to 10^22.
inline constexpr std::array<double, 23> ExactPowers { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
    1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };

// 10^n, the double nearest to it.
inline double powerOfTen(int n)
{
    // 10^-22 to 10^22, each the nearest double: the exact ones and their correctly rounded
    // reciprocals.
    static constexpr auto powers = [] {
        std::array<double, 45> all {};
        for (std::size_t i = 0; i < ExactPowers.size(); ++i) {
            all[22 + i] = ExactPowers[i];
            all[22 - i] = 1 / ExactPowers[i];
        }
        return all;
    }();
    return n >= -22 && n <= 22 ? powers[static_cast<std::size_t>(n + 22)] : std::pow(10.0, n);
}

// The digits that eight bytes of text begin with, the first byte the lowest: their value, and how
// many there are (0 to 8).
inline int leadingDigits(std::uint64_t bytes, std::uint64_t &value)
{
    constexpr std::uint64_t Ones = 0x0101010101010101;
    // A byte is a digit where neither adding 0x46 nor taking 0x30 sets its top bit. A carry or a
    // borrow runs only from a byte that is no digit into those after it, so the first byte that
    // is none is told right; countr_zero of nothing is 64, eight bytes.
    const std::uint64_t nonDigits = ((bytes + 0x46 * Ones) | (bytes - 0x30 * Ones)) & 0x80 * Ones;
    const int count = std::countr_zero(nonDigits) / 8;
    // The digits' values, moved up so that zeros lead them, then joined in pairs, fours and
    // eights: each join multiplies the earlier of two by 10, 100 or 10,000 and adds the later.
    std::uint64_t d = count == 0 ? 0 : (bytes & 0x0F * Ones) << (64 - 8 * count);
    d = (d * (10 * 256 + 1)) >> 8 & 0x00FF00FF00FF00FF;
    d = (d * (100 * 65536 + 1)) >> 16 & 0x0000FFFF0000FFFF;
    value = (d * (10000ULL << 32 | 1)) >> 32;
    return count;
}

// The common number, read in one pass: an ASCII sign, up to fifteen digits with one decimal
// separator among them, and no exponent; false where the number is another kind. It is read here,
// inline, because a batch reads nine of them for each of a million lines.
inline bool scanPlainNumber(std::string_view text, char decimalSeparator, NumberScan &scan)
{
    const char *c = text.data(), *const end = c + text.size();
    const bool negative = c != end && *c == '-';
    if (c != end && (*c == '-' || *c == '+'))
        ++c;
    std::uint64_t digits = 0;
    const auto readDigits = [&] {
        for (unsigned digit; c != end && (digit = static_cast<unsigned char>(*c - '0')) < 10; ++c)
            digits = digits * 10 + digit;
    };
    const char *const first = c;
    readDigits();
    const auto integer = static_cast<std::size_t>(c - first);
    std::size_t fraction = 0;
    if (c != end && *c == decimalSeparator) {
        const char *const point = ++c;
        // The decimals eight bytes at a time where the text has them, as a parameter's six are
        // most often: 30 instructions less for each (callgrind: angles -l, 236 instructions a
        // line less; matrix -l, whose angles have two decimals, 18 more). The tests of the plain
        // scan against the general one, and the fuzz target's, hold it.
        bool wide = false;
        if constexpr (std::endian::native == std::endian::little)
            wide = end - c >= 8;
        if (wide) {
            static constexpr std::uint64_t Powers[]
                = { 1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000 };
            std::uint64_t bytes = 0, value = 0;
            std::memcpy(&bytes, c, 8);
            const int count = leadingDigits(bytes, value);
            digits = digits * Powers[count] + value;
            c += count;
            if (count == 8)
                readDigits();
        } else {
            readDigits();
        }
        fraction = static_cast<std::size_t>(c - point);
    }
    if (integer + fraction == 0 || integer + fraction > 15
        || (c != end && (*c == 'e' || *c == 'E')))
        return false;
    scan.length = static_cast<std::size_t>(c - text.data());
    scan.decimals = static_cast<int>(fraction);
    scan.exponent = 0;
    // A whole number below 2^53 and a power of ten up to 10^22 are exact doubles, and one
    // division of the two rounds correctly: the value that from_chars gives. Fifteen digits fit a
    // signed integer, whose conversion is one instruction (angles -l: 18 instructions a line
    // less than an unsigned one's).
    const double value
        = static_cast<double>(static_cast<std::int64_t>(digits)) / ExactPowers[fraction];
    scan.value = negative ? -value : value;
    return true;
}

inline NumberScan scanNumber(std::string_view text, std::string_view decimalSeparator)
{
    NumberScan scan;
    if (decimalSeparator.size() == 1 && scanPlainNumber(text, decimalSeparator[0], scan))
        return scan;
    return scanAnyNumber(text, decimalSeparator);
}

} // namespace quorvex::detail
