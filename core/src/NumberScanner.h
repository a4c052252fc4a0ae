#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quorvex::detail {

struct NumberScan
{
    std::size_t length = 0; // bytes of the text that form the number; 0 when there is none
    std::optional<double> value = 0.0; // empty when the number is beyond the range of a double
    // How finely the text writes the number: its value is a whole multiple of
    // 10^(exponent - decimals), given with that many significant digits.
    int decimals = 0; // digits after the decimal separator
    int exponent = 0; // the exponent written after "e", 0 without one
    int significantDigits = 0;
};

// Reads the number at the start of a UTF-8 text, the same way for the input fields and the
// parameter line: an optional sign ("+", "-", or the typographic minus "−" that documents and some
// spreadsheets write), digits with at most one decimal separator (the one given), an optional
// exponent ("e" or "E", optional sign, digits). Stops at the first character that cannot continue
// the number. Hexadecimal, "inf" and "nan" are not numbers here; a number too small for a double
// reads as zero of its sign.
NumberScan scanNumber(std::string_view text, std::string_view decimalSeparator);

// Whether a number written with "." could be read as thousands by a locale that groups digits
// with ".": one to three digits, the first not 0, then "." and exactly three digits ("1.500").
bool looksGrouped(std::string_view number);

} // namespace quorvex::detail
