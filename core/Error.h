#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// The fields of the main window that a calculation reads; an error names one of them.
enum class Field { RotX, RotY, RotZ, ScaleX, ScaleY, ScaleZ, Matrix };

// The label beside the field in the main window: "Rot X" … "Scale Z", "Matrix".
std::string_view label(Field field);

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
