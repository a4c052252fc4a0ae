#pragma once

#include "quorvex/Error.h"
#include "quorvex/NumberFormat.h"

#include <string_view>
#include <variant>

namespace quorvex::detail {

// Reads one input field: white space around the number (a pasted cell brings a line break), a
// sign and an exponent are accepted; the decimal separator is "." or the user's, and thousands
// separators are not read. A text that is not a number, whose value is beyond the range of a
// double, or that could be either a grouped or a decimal number ("1.500" where "." groups
// thousands) is an Error naming the field.
std::variant<double, Error> readField(
    Field field, std::string_view text, const NumberFormat &format);

} // namespace quorvex::detail
