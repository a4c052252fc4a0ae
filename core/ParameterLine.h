#pragma once

#include "Error.h"

#include <array>
#include <string>
#include <string_view>
#include <variant>

// The parameter line: the nine rotation-and-scale parameters r11 r12 r13  r21 r22 r23  r31 r32 r33
// as one line of text, the only data format Quorvex shares with the user's *.him files.
namespace quorvex {

using Parameters = std::array<double, 9>;
using ParameterTexts = std::array<std::string, 9>;

// What the matrix field holds when the clipboard has no text: the identity.
inline constexpr std::string_view IdentityText = "1 0 0   0 1 0   0 0 1";

// Joins nine texts that each end in a blank, with two more blanks between the groups of three:
// "1 0 0   0 1 0   0 0 1 ".
std::string joinLine(const ParameterTexts &texts);

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

} // namespace quorvex
