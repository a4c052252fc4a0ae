#pragma once

// Quorvex's two calculations, as functions from texts to texts.
//
// Calculate Matrix: the six field texts (three angles in degrees, three scale factors) are read as
// numbers (FieldReader), the angles turned into radians, and the nine products of sines, cosines
// and scales formed (MatrixCalculation); each is written as text and the nine are joined into one
// parameter line (NumberWriter), which the window shows in its Matrix field and puts on the
// clipboard. Calculate Angles goes the other way: the clipboard's text is read as a matrix, which
// must be a rotation with scales (MatrixReader), the scales measured and the three angles derived
// from it (AngleCalculation), and all six written for the input fields (NumberWriter). Either
// calculation returns an Error instead when a text cannot be read; the caller then writes nothing.
//
// Everything here is plain C++: no toolkit, no locale of the process. Numbers are written with "."
// always; the input fields are read with "." and the user's decimal separator, which the caller
// passes in (userNumberFormat() gives it).

#include "quorvex/Error.h"
#include "quorvex/NumberFormat.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace quorvex {

// The texts of the six input fields, in the order of Field: Rot X … Scale Z.
using InputTexts = std::array<std::string_view, 6>;

// The parameter line of three angles in degrees and three scale factors.
std::variant<std::string, Error> calculateMatrix(
    const InputTexts &inputs, const NumberFormat &format);
// The same for a batch of many lines: appends the line to `out`, so that no line needs a string of
// its own, or returns the error and leaves `out` as it was.
std::optional<Error> calculateMatrix(
    const InputTexts &inputs, const NumberFormat &format, std::string &out);

// The nine parameters r11 r12 r13  r21 r22 r23  r31 r32 r33 of the line, row by row: where the
// matrix carries X, Y and Z, since v' = M × v with (r11, r12, r13) the first column of M.
using Parameters = std::array<double, 9>;

// What the line of calculateMatrix holds, as numbers, for a caller that needs no line: the same
// values and the same errors.
std::variant<Parameters, Error> calculateParameters(
    const InputTexts &inputs, const NumberFormat &format);

// What Calculate Angles writes into the six input fields: the angles in degrees, with "." as
// Calculate Matrix always wrote them ("30.0 "), and the scale factors ("1", "2.5"). A mirror image
// reads with a negative Scale X: the matrix that those six rebuild is the one that was read.
struct AnglesAndScales
{
    std::string rotX;
    std::string rotY;
    std::string rotZ;
    std::string scaleX;
    std::string scaleY;
    std::string scaleZ;
};

// What stands for a clipboard without text (nothing at all, or only a picture): the identity. The
// Matrix field shows it where the clipboard had no text to show.
inline constexpr std::string_view IdentityText = "1 0 0   0 1 0   0 0 1";

// The order of a matrix's values where its text does not declare one: row by row, as Quorvex
// writes them and most tools print them, or column by column (quorvex-cli angles --columns), as
// Fortran writes an array. A text that declares its own order ("column-major", R's matrix())
// is read in that order, but one that declares rows where Columns is asked for is refused.
enum class ValueOrder { Rows, Columns };

// The three rotation angles and the three scale factors of the matrix on the clipboard (as
// MatrixReader.h tells), the scales written as the user's locale reads them back; an empty
// clipboardText stands for a clipboard without text and reads as IdentityText.
std::variant<AnglesAndScales, Error> calculateAngles(std::string_view clipboardText,
    const NumberFormat &format, ValueOrder order = ValueOrder::Rows);
// Whether a matrix turns space inside out, as a negative scale does: a rotation with scales, or
// a mirror image, which reads with a negative Scale X.
enum class Handedness { Rotation, MirrorImage };

// The same for a batch of many lines, as a line rather than six fields: appends to `out` the angles
// as the angle fields show them, each with its blank ("10.0 20.0 30.0 "), and with `withScales`
// the scale factors after them, each with a blank too ("-1 1 1 "); or returns the error and leaves
// `out` as it was. Without its scales a mirror image is described wrongly: the caller learns
// which it was.
std::variant<Handedness, Error> calculateAngles(std::string_view clipboardText,
    const NumberFormat &format, bool withScales, std::string &out,
    ValueOrder order = ValueOrder::Rows);

// The values of a line typed as a person separates them, by white space of any kind ("30 0 0",
// a spreadsheet row "10\t20\t30"), such as the lines of a file of angles. Fills `words` with the
// first of them and returns how many it filled: a count of words.size() means "that many or more".
std::size_t splitWords(std::string_view line, std::span<std::string_view> words);

} // namespace quorvex
