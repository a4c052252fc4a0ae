#pragma once

#include "Rotation.h"
#include "RotationCheck.h"
#include "quorvex/Error.h"

#include <string_view>
#include <variant>

namespace quorvex::detail {

// The nine values r11 … r33 of a pasted matrix, how far each may be off from what its writer
// meant (half a unit of the last digit written, or more), and the lengths of its rows.
struct PastedMatrix
{
    Parameters values;
    Parameters uncertainties;
    RowLengths rows;
};

// Reads a matrix the way people paste it, or refuses it: a *.him line, rows copied from a
// spreadsheet in either locale, the print of an array by a numerical console or a script, a
// list, a CSV file, a table in a document.
//
// - A value is a number from its first character to its last; white space, brackets, "|", "&",
//   ";", "\", quotes and (as the text shows) commas separate values. Words without a digit before
//   the first number of a line are a label, and a line without any number a heading: both are
//   skipped. Any other text among the values is an error that names it; after the last value that
//   is needed, the rest of its line is ignored (a translation, a remark).
// - The lines are rows and must agree: three rows of three; three or four rows of four (a
//   transform: the left three columns of the first three rows, and a fourth row of 0 0 0 1); nine
//   rows of one; or a first line of nine or more values (a *.him line), of which the first nine
//   count and the other lines none. One line of sixteen values is a flattened 4×4, read by rows
//   or by columns, whichever ends in 0 0 0 1. ";" and "\\" end rows too, in a line that they cut
//   into rows of equal length ([0.81 -0.47 0.34; 0.54 …]).
// - Commas are decimal commas ("0,866025") or separators ("0.81, -0.47"), as the whole text uses
//   them; where both readings make sense, the one that gives a rotation wins.
// - The values must be a rotation with scales, within what their digits allow (RotationCheck).
//
// Every refusal is an Error of the "Matrix" field that says what is wrong.
std::variant<PastedMatrix, Error> readMatrix(std::string_view text);

} // namespace quorvex::detail
