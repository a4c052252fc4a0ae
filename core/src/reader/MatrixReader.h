#pragma once

#include "quorvex/Calculations.h"
#include "quorvex/Error.h"
#include "rotation/Rotation.h"
#include "rotation/RotationCheck.h"

#include <string_view>
#include <variant>

namespace quorvex::detail {

// The nine values r11 … r33 of a pasted matrix, how far each may be off from what its writer
// meant (half a unit of the last digit written, or more), and the lengths of its rows.
struct PastedMatrix
{
    // Made without zeros, since a reading fills every value: zeroing them cost a line of angles
    // -l 28 instructions (callgrind).
    PastedMatrix() { }

    Parameters values;
    Parameters uncertainties;
    RowLengths rows;
};

// Reads a matrix the way people paste it, or refuses it: a *.him line, rows copied from a
// spreadsheet in either locale, the print of an array by a numerical console, a script, a 3D
// program or a C compiler's source, a list, a CSV file, a table in a document, a chat.
//
// - Cells (MatrixCells): a value is a number from its first character to its last; white space,
//   brackets, quotes, "|", "&", ";", "\", "`" and (as the text shows) commas separate values. A
//   sign apart is its number's ("− 1"); a number alone in parentheses a negative ("(1.00)").
//   Words without a digit before the first number of a line, and a matrix's size in its header
//   ("4x4"), are a label, and a line without any number a heading: both are skipped. Any other
//   text among the values is an error that names it; after the last value that is needed, the
//   rest of its line is ignored (a translation, a remark).
// - Shapes (MatrixShapes): the lines are rows and must agree: three rows of three; three or four
//   rows of four (a transform: the left three columns of the first three rows, and a fourth row
//   of 0 0 0 1); nine rows of one; or a first line of nine or more values (a *.him line), of
//   which the first nine count and the other lines none. One line of sixteen values is a
//   flattened 4×4, read by rows or by columns, whichever ends in 0 0 0 1. ";", "\\" and the
//   groups of a nested list ("((…), (…), (…))") end rows too, in a line that they cut into rows
//   of equal length.
// - Declarations (MatrixDeclarations): where the text says that it lists its values by columns
//   ("column-major", R's matrix(c(…), nrow = 3)), or where `order` asks for it, its lines are
//   the matrix's columns and a list of values fills it column by column; a call or a file format
//   that marks its list of values (OpenCV's data) is read for that list alone, in the shape it
//   declares.
// - Readings (here): commas are decimal commas ("0,866025") or separators ("0.81, -0.47"), as
//   the whole text uses them, and a "-" apart at the start of each line a sign or a list's bullet;
//   where both readings make sense, the text is unclear unless they give the same matrix. A text
//   that writes negatives both as "-1" and as "(1)", or whose "1,000" or "1.000" could be a
//   thousand, is unclear too.
// - The values must be a rotation with scales, within what their digits allow (RotationCheck).
//
// Every refusal is an Error of the "Matrix" field that says what is wrong.
std::variant<PastedMatrix, Error> readMatrix(
    std::string_view text, ValueOrder order = ValueOrder::Rows);

// The same without the fast path for the common line of a batch, nine or more plain numbers
// between blanks: what readMatrix gives for any text, which the tests hold its fast path to.
std::variant<PastedMatrix, Error> readAnyMatrix(std::string_view text, ValueOrder order);

} // namespace quorvex::detail
