#pragma once

#include "quorvex/Error.h"
#include "quorvex/NumberFormat.h"

#include <string_view>
#include <variant>

namespace quorvex::detail {

// Reads one input field: white space around the number (a pasted cell brings a line break), a
// sign and an exponent are accepted; the decimal separator is "." or the user's, and thousands
// separators are not read. An angle may end in a unit, with or without white space before it:
// "°" or "deg" (degrees, as without one) or "rad" (radians, returned as degrees); a scale takes
// none. A text that is not a number, whose value is beyond the range of a double or, for an
// angle, beyond what the line can still turn exactly, or that could be either a grouped or a
// decimal number ("1.500" where "." groups thousands) is an Error naming the field; a message
// about an angle says what to type.
std::variant<double, Error> readField(
    Field field, std::string_view text, const NumberFormat &format);

// The same without the fast path for a plain number: what readField gives for any text, which the
// tests hold its fast path to.
std::variant<double, Error> readAnyField(
    Field field, std::string_view text, const NumberFormat &format);

} // namespace quorvex::detail
