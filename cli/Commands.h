#pragma once

#include "Options.h"
#include "Output.h"

#include <span>
#include <string_view>

namespace cli {

// quorvex-cli matrix: the parameter line of three angles and, optionally, three scale factors,
// from the operands, or for each line of the files they name (-l). Returns the exit status.
int matrix(std::span<const std::string_view> operands, const Options &options, Output &output);

// quorvex-cli angles: the angles of the matrix that the operands hold, or that standard input
// holds, or of each line of the files they name (-l); with the scale factors after them
// (--scales). Returns the exit status.
int angles(std::span<const std::string_view> operands, const Options &options, Output &output);

} // namespace cli
