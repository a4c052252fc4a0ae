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

// Reads nine parameters from a line. Values are separated by any run of blanks, tabs, carriage
// returns and line feeds, so a line from a spreadsheet or one broken over three lines reads the
// same. Each value is the number its text begins with ("0.5x" reads 0.5, "abc" reads 0); missing
// values read 0 and the last value present goes to r33; values after the ninth (a translation)
// are ignored. Fails only on a value beyond the range of a double, naming the "Matrix" field.
std::variant<Parameters, Error> parseLine(std::string_view line);

} // namespace quorvex
