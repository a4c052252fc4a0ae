#pragma once

#include "Rotation.h"
#include "quorvex/Error.h"

#include <string_view>
#include <variant>

namespace quorvex::detail {

// Reads nine parameters from a line. Values are separated by any run of white space, brackets and
// ";", so a *.him line, a row from a spreadsheet, a line broken in three and a printed array read
// the same. Each value is the number its text begins with ("0.5x" reads 0.5, "abc" reads 0);
// missing values read 0 and the last value present goes to r33; values after the ninth (a
// translation) are ignored. Where commas stand among the first nine values, they are either
// decimal commas ("0,866025\t-0,5\t…") or separators ("0.81,-0.47,…", "[0.81, -0.47, …]"),
// whichever the whole line supports. Fails, naming the "Matrix" field, on a text without a digit,
// on commas that fit neither reading or both with different values, and on a value beyond the
// range of a double.
std::variant<Parameters, Error> parseLine(std::string_view line);

} // namespace quorvex::detail
