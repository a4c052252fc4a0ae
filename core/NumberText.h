#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Reading decimal numbers from text, the same way for the input fields and the parameter line:
// an optional sign, digits with at most one decimal separator, an optional exponent
// ("e" or "E", optional sign, digits). Hexadecimal, "inf" and "nan" are not numbers here.
namespace quorvex {

struct NumberScan
{
    std::size_t length = 0; // characters of the text that form the number; 0 when there is none
    std::optional<double> value = 0.0; // empty when the number is beyond the range of a double
};

// Reads the number at the start of text, with the given decimal separator, and stops at the first
// character that cannot continue it. A number too small for a double reads as zero of its sign.
NumberScan scanNumber(std::string_view text, std::string_view decimalSeparator);

} // namespace quorvex
