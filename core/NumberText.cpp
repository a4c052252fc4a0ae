#include "NumberText.h"

#include <algorithm>
#include <bit>
#include <charconv> // std::from_chars, std::to_chars: locale-independent, correctly rounded
#include <cmath>
#include <cstdint>
#include <langinfo.h> // nl_langinfo_l: a locale's separators, without changing the process's locale
#include <locale.h>
#include <string>

namespace quorvex {
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

NumberFormat userNumberFormat()
{
    const locale_t locale = newlocale(LC_NUMERIC_MASK, "", nullptr);
    if (!locale)
        return {};
    NumberFormat format { nl_langinfo_l(RADIXCHAR, locale), nl_langinfo_l(THOUSEP, locale) };
    freelocale(locale);
    return format.decimalPoint.empty() ? NumberFormat {} : format;
}

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

Character characterAt(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return { lead, 1 };
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || pos + length > text.size())
        return { Character::Invalid, 1 };
    char32_t code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return { Character::Invalid, 1 };
        code = code << 6 | (byte(i) & 0x3Fu);
    }
    // Overlong forms, UTF-16 surrogates and code points beyond Unicode are no characters.
    constexpr char32_t smallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return { Character::Invalid, 1 };
    return { code, length };
}

bool isLineBreak(char32_t c)
{
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isWhiteSpace(char32_t c)
{
    return c == ' ' || c == '\t' || isLineBreak(c) || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::string_view trimmed(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size()) {
        const auto length = whiteSpaceAt(text, begin);
        if (length == 0)
            break;
        begin += length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        // The last character begins at most three continuation bytes before the end.
        std::size_t start = end - 1;
        while (start > begin && end - start < 4 && (text[start] & 0xC0) == 0x80)
            --start;
        if (start + whiteSpaceAt(text, start) != end)
            break;
        end = start;
    }
    return text.substr(begin, end - begin);
}

} // namespace quorvex
