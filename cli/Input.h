#pragma once

#include "Output.h"
#include "quorvex/Error.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace cli {

// What one line of input gives: the text to print for it, or why it cannot be read.
using LineResult = std::variant<std::string, quorvex::Error>;
using LineCalculation = std::function<LineResult(std::string_view line)>;

// Calculates each line of the files named (standard input for none, or for "-"): output line N
// belongs to input line N, blank for a blank line or one that cannot be read, whose reason goes to
// standard error with its line number. Returns the exit status.
int eachLine(
    std::span<const std::string_view> files, Output &output, const LineCalculation &calculate);

// All of standard input, up to a limit far beyond any parameter line; an exit status where it
// cannot be read (the reason said).
std::variant<std::string, int> readStandardInput();

} // namespace cli
