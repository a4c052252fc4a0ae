#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quorvex::detail {

struct NumberScan
{
    std::size_t length = 0; // bytes of the text that form the number; 0 when there is none
    std::optional<double> value = 0.0; // empty when the number is beyond the range of a double
};

// Reads the number at the start of a UTF-8 text, the same way for the input fields and the
// parameter line: an optional sign ("+", "-", or the typographic minus "−" that documents and some
// spreadsheets write), digits with at most one decimal separator (the one given), an optional
// exponent ("e" or "E", optional sign, digits). Stops at the first character that cannot continue
// the number. Hexadecimal, "inf" and "nan" are not numbers here; a number too small for a double
// reads as zero of its sign.
NumberScan scanNumber(std::string_view text, std::string_view decimalSeparator);

} // namespace quorvex::detail
