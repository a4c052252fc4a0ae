#pragma once

#include "Field.h"

#include <string>
#include <string_view>

namespace quorvex {

// Why a calculation wrote nothing: the field the user should look at, and a sentence that names it
// and quotes the text that failed, e.g. Rot Y: "abc" is not a number.
struct Error
{
    Field field;
    std::string message;

    static Error notANumber(Field field, std::string_view text, std::string_view decimalSeparator);
    static Error tooLarge(Field field, std::string_view text);
    static Error parameterTooLarge(Field field, std::string_view text, std::string_view parameter);
};

} // namespace quorvex
