#pragma once

#include "quorvex/Error.h"
#include "reader/Grid.h"

#include <array>
#include <string_view>
#include <variant>

// The fourth step of reading a matrix: which values make it, by the shape of the rows, the order
// of the values, or the places that their names give.
namespace quorvex::detail {

// How far a reading got before it failed; of two failed readings, the one that got further has
// the more telling message. An unclear reading found values that it cannot read one way only
// ("(1)" beside "-1"): it prevails over any other.
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
Failure notANumber(Stage stage, std::string_view cell, bool separatingCommas);

// Where the nine values stand in the table: of `rows` rows, `columns` values of each are read,
// and the nine are picked from them.
struct Layout
{
    // The ways of reading one line that may be read two ways: twelve values as a *.him line or as
    // three rows of four, sixteen as a 4×4 by rows or by columns.
    enum class Kind : unsigned char { Grid, HimLine, RowsOfFour, ByRows, ByColumns, Named };
    Kind kind = Kind::Grid;
    std::size_t rows = 3, columns = 3;
    std::array<const Value *, 9> at {};
    bool parameterLine = false; // a single line of nine values or more, as a *.him file holds
};

// One layout, or the two of a line that may be read two ways.
struct Layouts
{
    std::array<Layout, 2> each;
    std::size_t count = 1;
};

// Which values make the matrix, by the shape of the rows, the order of the values and the places
// that names give them.
std::variant<Layouts, Failure> layoutOf(const Table &table, std::string_view text, Order order,
    DeclaredShape declared, bool separatingCommas);

} // namespace quorvex::detail
