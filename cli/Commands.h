#pragma once

#include "Output.h"

#include <span>
#include <string_view>

namespace cli {

// quorvex-cli matrix: the parameter line of three angles and, optionally, three scale factors,
// from the operands, or for each line of the files they name (eachLine). Returns the exit status.
int matrix(std::span<const std::string_view> operands, bool eachLine, Output &output);

// quorvex-cli angles: the angles of the matrix that the operands hold, or that standard input
// holds, or of each line of the files they name (eachLine); with the scale factors after them
// (scales). Returns the exit status.
int angles(std::span<const std::string_view> operands, bool eachLine, bool scales, Output &output);

} // namespace cli
