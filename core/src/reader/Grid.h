#pragma once

#include "reader/Declarations.h"
#include "text/NumberScanner.h"

#include <array>
#include <string_view>
#include <utility>

// The third step of reading a matrix: its tokens as cells, the cells as values in rows, as one
// reading takes what may be read two ways (commas, a dash before a line, grouped digits).
namespace quorvex::detail {

// One way of taking what may be read two ways.
struct Reading
{
    bool separatingCommas = false; // "0.81, -0.47": commas between values, not in them ("0,866")
    char groups = 0; // "1,000" (or "1.000") is a thousand, its mark grouping digits; 0: none does
    bool bullets = false; // a "-" apart before the first value of a line is a list's bullet
    // A whole number before a line's values is its number, as data frames print them, and a
    // line of such numbers alone their header: "   0  1  2" over "0  0.81 -0.47 0.34".
    bool rowNumbers = false;
};

// A number as a reading takes it.
struct Value
{
    std::string_view text;
    NumberScan number;
    int commasBefore = 0; // where commas separate: none, one, or 2 for more
    bool decimalComma : 1 = false;
    bool minus : 1 = false; // written with a minus sign: "-1", "−1", "- 1"
    bool accounting : 1 = false; // written in parentheses: "(1)"
    bool grouped : 1 = false; // read as thousands: "1,000"
};

// The values of a text in rows, as far as reading it needs them.
struct Table
{
    struct Row
    {
        std::size_t first = 0; // its first value in `values`
        std::size_t count = 0; // its values, counted up to MostInRow
        std::string_view cut; // the text that ended its values, if any
        bool numbersAfterCut = false; // whether its line goes on with numbers after the cut
        std::string_view label; // text with a digit before its first value, if any
        bool irregular = false; // commas between some of its values and not others
    };
    // No shape takes more than sixteen values, nine rows or seventeen values in a row (the most
    // that tells a flattened 4×4 from a *.him line); beyond, values are only counted.
    static constexpr std::size_t MostValues = 16, MostRows = 9, MostInRow = 17;

    std::array<Value, MostValues> values;
    std::size_t stored = 0;
    std::array<Row, MostRows + 1> rows; // a tenth says that there are too many
    std::size_t rowCount = 0;
    // A line cut into rows that goes on beyond the values it counts: its whole rows, their length.
    std::pair<std::size_t, std::size_t> rowsBeyond {};
    // For the message about a text without numbers: its first cell with a digit of any script,
    // or that stands for no finite number ("nan").
    std::string_view firstWithDigit;
    // Lines with values, and those of them that begin with a "-" apart ("- 1 0 0"); whether one
    // such "-" is no sign ("- 0", "- -0.5").
    std::size_t valueLines = 0, dashLines = 0, numberedLines = 0;
    bool dashIsBullet = false;
    bool sawComma = false;
    bool valuesAfter = false; // values on a line after a first line of nine or more
    bool numberedRows = false; // every line of values begins with a whole number
    bool numbersHead = false; // a first line of whole numbers heads the table: "0 1 2"
    char groupMark = 0; // the mark of the first value that may group thousands: "1,000"
    // Values placed by the name or the subscripts before them ("r12 = -0.47", "R[0][1] = -0.47",
    // a CSV header "r11,r21,…"), by row and column as written, from 0 or 1: places holds the
    // number of the value in placedValues, from 1, or 0.
    std::array<std::array<unsigned char, 5>, 5> places {};
    std::array<Value, 25> placedValues;
    std::size_t placed = 0;
    std::string_view misplaced; // a name given twice, or beyond a 4×4

    const Value &at(std::size_t row, std::size_t column) const
    {
        return values[rows[row].first + column];
    }
};

// The table of a text as a reading takes it. Where `oneList`, its line breaks end no rows: it is
// the list of values that a call or a file format declares.
Table tableOf(std::string_view text, const Reading &reading, bool oneList);

// Whether a text that is no number holds a comma that is neither a decimal comma nor a separator:
// "0.5,", ",5".
bool hasStrayComma(std::string_view text);
bool hasDigit(std::string_view text);
// What tools print for a value that is no finite number ("inf", "-Inf", "NaN").
bool isNonFinite(std::string_view text);

} // namespace quorvex::detail
