#pragma once

#include "Output.h"
#include "quorvex/Error.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cli {

// What one line of input gives: its result appended to `out` (without a line end), or why it
// cannot be read. It is called from several threads at once.
using LineCalculation
    = std::function<std::optional<quorvex::Error>(std::string_view line, std::string &out)>;

// The number of cores this process may run on, for `jobs`.
unsigned availableCores();

// Calculates each line of the files named (standard input for none, or for "-"), on `jobs`
// threads, and writes its answer once the input would keep it waiting, if not before: output line
// N belongs to input line N, blank for a blank line or one that cannot be read, whose reason goes
// to standard error with its line number; output and messages are the same for any number of
// jobs. Returns the exit status.
int eachLine(std::span<const std::string_view> files, Output &output,
    const LineCalculation &calculate, unsigned jobs);

} // namespace cli
