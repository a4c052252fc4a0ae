#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex {

// The fields of the main window that a calculation reads. The six inputs come first, in the order
// a calculation reads them and the user finds them (and quorvex-cli takes them); an error names
// one.
enum class Field { RotX, RotY, RotZ, ScaleX, ScaleY, ScaleZ, Matrix };

// The label beside the field in the main window: "Rot X" … "Scale Z", "Matrix".
constexpr std::string_view label(Field field)
{
    constexpr std::array<std::string_view, 7> labels { "Rot X", "Rot Y", "Rot Z", "Scale X",
        "Scale Y", "Scale Z", "Matrix" };
    return labels.at(static_cast<std::size_t>(field));
}

// Why a calculation wrote nothing: the field the user should look at, and a sentence that names it
// and quotes the text that failed, e.g. Rot Y: "abc" is not a number.
struct Error
{
    Field field;
    std::string message;
};

} // namespace quorvex
