#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quorvex {

// The fields of the main window that a calculation reads; an error names one of them.
enum class Field { RotX, RotY, RotZ, ScaleX, ScaleY, ScaleZ, Matrix };

// The label beside the field in the main window: "Rot X" … "Scale Z", "Matrix".
constexpr std::string_view label(Field field)
{
    constexpr std::array<std::string_view, 7> labels { "Rot X", "Rot Y", "Rot Z", "Scale X",
        "Scale Y", "Scale Z", "Matrix" };
    return labels.at(static_cast<std::size_t>(field));
}

} // namespace quorvex
