#pragma once

#include "Field.h"

#include <string>
#include <string_view>

namespace quorvex {

struct NumberFormat;

// Why a calculation wrote nothing: the field the user should look at, and a sentence that names it
// and quotes the text that failed, e.g. Rot Y: "abc" is not a number.
struct Error
{
    Field field;
    std::string message;

    // Errors of an input field.
    static Error notANumber(Field field, std::string_view text, const NumberFormat &format);
    static Error groupedOrDecimal(Field field, std::string_view text, const NumberFormat &format);
    static Error tooLarge(Field field, std::string_view text);
    static Error parameterTooLarge(Field field, std::string_view text, std::string_view parameter);

    // Errors of a parameter line, which name the Matrix field.
    static Error noParameterLine(std::string_view line);
    static Error mixedDecimalMarks(std::string_view line);
    static Error unclearCommas(std::string_view line);
    static Error strayCommas(std::string_view line);
};

} // namespace quorvex
