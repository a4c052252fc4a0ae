#pragma once

#include "quorvex/Calculations.h"
#include "quorvex/Error.h"
#include "rotation/Rotation.h"
#include "rotation/RotationCheck.h"

#include <array>
#include <string_view>
#include <variant>

namespace quorvex::detail {

// The matrices that a text may be read as: one where it is clear, more where it may be read in
// several ways (its commas as decimal commas or as separators, a dash as a sign or as a bullet,
// "1,000" as one or a thousand, twelve values as a *.him line or as three rows of four), each
// a rotation with scales. Calculate Angles answers only where all of them give the same answer
// to what was asked; otherwise unclear() says what could be read two ways.
struct Readings
{
    // Made without zeros but where said: zeroing the matrices cost a line of angles -l 206
    // instructions (callgrind).
    Readings() { }

    static constexpr std::size_t Most = 8;
    std::array<PastedMatrix, Most> matrices;
    std::size_t count = 0;
    // What the reading of each took that another may not: the mark of grouped digits, whether
    // commas separate, whether a dash is a bullet, and the layout of a line of twelve or sixteen.
    std::array<unsigned, Most> ways {};
    std::string_view text, grouped;

    // Why the text is unclear, where the readings a and b give different answers.
    Error unclear(std::size_t a, std::size_t b) const;
};

// Reads a matrix the way people paste it, or refuses it: a *.him line, rows copied from a
// spreadsheet in either locale, the print of an array by a numerical console, a script, a 3D
// program or a C compiler's source, a list, a CSV file, a table in a document, a chat. Its text
// goes through the reader's steps:
// - Tokens: numbers, words, brackets matched once, separators and marks, in one pass.
// - Declarations: what the text says about its values, looked up in one table of what tools
//   write: "column-major", R's matrix(c(…), nrow = 3), a file format's data, a transpose.
// - Grid: the cells as values in rows, as each reading takes them; a value may carry its place
//   ("r12 = -0.47", "R[0][1] = -0.47", a CSV header of such names).
// - Layout: which values make the matrix, by the shape of the rows or the places named.
// - Readings (here): each plausible way of reading the text, run through one loop; the values
//   must be a rotation with scales, within what their digits allow (RotationCheck).
// Every refusal is an Error of the "Matrix" field that says what is wrong.
std::variant<Readings, Error> readMatrix(
    std::string_view text, ValueOrder order = ValueOrder::Rows);

// Whether a text is the common line of a batch, and its first nine values if it is; the fast
// path of readMatrix, which the tests hold to the general reading.
bool isPlainLine(std::string_view text, ValueOrder order, WrittenValues &nine);

// The same without the fast path for the common line of a batch, nine or more plain numbers
// between blanks: what readMatrix gives for any text, which the tests hold its fast path to.
std::variant<Readings, Error> readAnyMatrix(std::string_view text, ValueOrder order);

} // namespace quorvex::detail
