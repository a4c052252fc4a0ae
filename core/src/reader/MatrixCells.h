#pragma once

#include "text/NumberScanner.h"

#include <optional>
#include <string_view>

// The first job of the matrix reader: where values start and end. A text is cut into cells, runs
// of text between separators, and a cell is a value where it is a number from its first character
// to its last.
namespace quorvex::detail {

// How a reading takes the commas of a text: as decimal commas ("0,866025"), or as separators
// between values ("0.81, -0.47").
enum class Commas { Decimal, Separating };

// How a reading takes a "-" that stands apart before the first value of a line, as in "- 1 0 0":
// as that value's sign, or as a list's bullet.
enum class Dashes { Signs, Bullets };

// A run of text between separators, and what stood between it and the run before.
struct Cell
{
    std::string_view text;
    // A sign that stood apart before the number ("− 1", "- 1"), or nothing.
    std::string_view sign;
    int commasBefore = 0; // where commas separate; 2 for two or more
    bool newLine = false;
    bool rowEndBefore = false; // ";", "\" or a new group: "), ("
    bool firstOnLine = false;
    bool parenthesized = false; // "(1.00)", a spreadsheet's negative
    bool sizeTag = false; // "4x4", "3×3": the size in a matrix's header

    // The cell with the sign that stood apart before it, as a message quotes it.
    std::string_view whole() const
    {
        return sign.empty() ? text
                            : std::string_view(sign.data(),
                                static_cast<std::size_t>(text.data() + text.size() - sign.data()));
    }
    // An ASCII "-" apart before the first value of a line, which a list could write as its bullet.
    bool mayBeBullet() const { return firstOnLine && sign == "-"; }
};

// The cells of a text, one at a time. Besides white space, brackets, quotes, "|", "&" and "`"
// separate cells, and so do commas where the reading takes them for separators; a quoted cell
// ("1,000" in a CSV file) keeps its commas. Subscripts and sizes after a name ("R[9]",
// "R[3][3]", "std::array<double, 9>") and R's row and column labels ("[1,]", "[,1]") are no
// cells at all. A "+" apart at the start of a line (R's continuation prompt, a bullet) is
// passed over: it changes no value.
class Cells
{
public:
    Cells(std::string_view text, Commas commas)
        : m_text(text)
        , m_commas(commas)
    { }

    bool next(Cell &cell);

    // Whether a comma stood anywhere in the text read so far.
    bool sawComma() const { return m_sawComma; }

private:
    enum class Kind : unsigned char { Text, Comma, Separator, RowEnd, LineBreak, Open, Close };
    Kind kindHere(std::size_t &length);
    std::size_t runEnd(std::size_t begin);
    std::size_t subscriptEnd(std::size_t open) const;
    std::size_t quotedEnd(std::size_t quote) const;
    bool takeNumberAfterSign(Cell &cell);

    std::string_view m_text;
    Commas m_commas;
    std::size_t m_pos = 0;
    bool m_sawComma = false;
    bool m_lineHasCells = false;
    bool m_lineHasDashesOnly = false; // its cells so far are bullets' dashes: "- - 1"
};

bool hasDigit(std::string_view text);

// A number as a reading takes it.
struct Value
{
    std::string_view text;
    NumberScan number;
    int commasBefore = 0;
    // Bits, which a batch's nine values a line set with one store each, as they set one bool.
    bool decimalComma : 1 = false;
    bool minus : 1 = false; // written with a minus sign: "-1", "−1", "- 1"
    bool accounting : 1 = false; // written in parentheses: "(1)"
};

// The number that a cell is from its first character to its last, if it is one. A cell holds a
// comma only where commas are read as decimal commas, or in quotes, and then between two digits.
// A sign apart is the number's, but for a bullet where the reading takes one; a number alone in
// parentheses is negative.
std::optional<Value> numberIn(const Cell &cell, Dashes dashes);

// Whether a cell that is no number holds a comma that is no decimal comma: "0.5,", ",5".
bool hasStrayComma(std::string_view text);

} // namespace quorvex::detail
