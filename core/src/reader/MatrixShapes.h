#pragma once

#include "quorvex/Error.h"
#include "reader/MatrixCells.h"

#include <array>
#include <string_view>
#include <variant>

// The second job of the matrix reader: which values make which row. The lines of a text are its
// rows (or its columns, where it lists them so), and their lengths must make a matrix.
namespace quorvex::detail {

// How far a reading got before it failed; of two failed readings, the one that got further has
// the more telling message. An unclear reading found more than one matrix in the text, or values
// that could be read two ways ("1,000"): it prevails over any other.
enum class Stage { NoNumbers, Commas, Shape, Values, Rotation, Unclear };
struct Failure
{
    Stage stage;
    Error error;
};
Failure failure(Stage stage, std::string_view text, std::string_view what);

// The failure that text among the values gives: "12.5mm" is not a number. In a reading of
// decimal commas, a cell with a comma that is none ("0.5,") says that the commas do not fit the
// reading, which has then got no further than one that found no numbers.
Failure notANumber(Stage stage, std::string_view cell, Commas commas);

// The rows of numbers of a text, as far as reading it needs them.
struct Table
{
    struct Row
    {
        std::size_t first = 0; // its first value in `values`
        std::size_t count = 0; // its values, counted up to MostInRow
        std::string_view cut; // the text that ended its values, if any
        bool numbersAfterCut = false; // whether its line goes on with numbers after the cut
        std::string_view label; // text with a digit before its first value, if any
    };
    // No shape takes more than sixteen values, nine rows or seventeen values in a row (the most
    // that tells a flattened 4×4 from a *.him line); beyond, values are only counted.
    static constexpr std::size_t MostValues = 16, MostRows = 9, MostInRow = 17;

    std::array<Value, MostValues> values;
    std::size_t stored = 0;
    std::array<Row, MostRows + 1> rows; // a tenth says that there are too many
    std::size_t rowCount = 0;
    // For the message about a text without numbers: its first cell with a digit of any script,
    // or that stands for no finite number ("nan").
    std::string_view firstWithDigit;
    // Lines with values, and those of them that begin with a "-" apart ("- 1 0 0"); whether one
    // such "-" is no sign ("- 0", "- -0.5").
    std::size_t valueLines = 0, dashLines = 0;
    bool dashIsBullet = false;
    bool sawComma = false;

    const Value &at(std::size_t row, std::size_t column) const
    {
        return values[rows[row].first + column];
    }
};

// The table of a text as a reading takes it. Where `oneList`, its line breaks end no rows: it is
// the list of values that a call or a file format declares.
Table tableOf(std::string_view text, Commas commas, Dashes dashes, bool oneList);

// In which order the values are listed: as the text or the user says, or, where neither does, by
// rows (and a flattened 4×4 by whichever order ends in its bottom row).
enum class Order { Undeclared, Rows, Columns };

// A shape that a text declares for its list of values ("rows: 3", "cols: 4"); 0 where none.
struct DeclaredShape
{
    std::size_t rows = 0, columns = 0;
};

// Where the nine values stand in the table: of `rows` rows, `columns` values of each are read,
// and the nine are picked from them.
struct Layout
{
    std::size_t rows = 3, columns = 3;
    std::array<std::size_t, 9> at {}; // index into Table::values
    bool parameterLine = false; // a single line of nine values or more, as a *.him file holds
};

// Which values make the matrix, by the shape of the rows and the order of the values.
std::variant<Layout, Failure> layoutOf(
    const Table &table, std::string_view text, Order order, DeclaredShape declared, Commas commas);

} // namespace quorvex::detail
