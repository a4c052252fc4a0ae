#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Writing decimal numbers, and reading them from UTF-8 text the same way for the input fields and
// the parameter line: an optional sign ("+", "-", or the typographic minus "−" that documents and
// some spreadsheets write), digits with at most one decimal separator, an optional exponent ("e" or
// "E", optional sign, digits). Hexadecimal, "inf" and "nan" are not numbers here.
namespace quorvex {

// How the user's locale writes numbers, as far as reading them goes.
struct NumberFormat
{
    std::string decimalPoint = ".";
    std::string groupSeparator; // empty where the locale does not group digits
};

// The number format of the locale the environment names (LC_ALL, LC_NUMERIC, LANG), as the C
// library knows it: "." and no grouping where that locale is not installed. The window and
// quorvex-cli both ask here, so that they read the same text the same way.
NumberFormat userNumberFormat();

struct NumberScan
{
    std::size_t length = 0; // bytes of the text that form the number; 0 when there is none
    std::optional<double> value = 0.0; // empty when the number is beyond the range of a double
};

// Reads the number at the start of text, with the given decimal separator, and stops at the first
// character that cannot continue it. A number too small for a double reads as zero of its sign.
NumberScan scanNumber(std::string_view text, std::string_view decimalSeparator);

// Writes x in fixed notation with the given number of decimals, as std::to_chars(first, last, x,
// std::chars_format::fixed, decimals) does (rounding half to even), only faster for the values
// that parameters and angles take; returns the end of the text.
char *writeFixed(char *first, char *last, double x, int decimals);

// One character of UTF-8 text: its code point (Invalid for a byte that begins none) and its
// length in bytes.
struct Character
{
    static constexpr char32_t Invalid = 0x110000;
    char32_t code;
    std::size_t length;
};
Character characterAt(std::string_view text, std::size_t pos);

// White space as Unicode counts it: blanks, tabs, line breaks, no-break, thin and other spaces.
bool isWhiteSpace(char32_t c);
// The white space that ends a line: line feed, carriage return, vertical tab, form feed and the
// Unicode line and paragraph separators.
bool isLineBreak(char32_t c);

// The length in bytes of the white space character at pos of a text, 0 where there is none.
inline std::size_t whiteSpaceAt(std::string_view text, std::size_t pos)
{
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) // most text is ASCII, which needs no decoding
        return byte == ' ' || (byte >= '\t' && byte <= '\r') ? 1 : 0;
    const auto c = characterAt(text, pos);
    return isWhiteSpace(c.code) ? c.length : 0;
}

// The text without the white space around it.
std::string_view trimmed(std::string_view text);

} // namespace quorvex
