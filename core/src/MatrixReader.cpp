#include "MatrixReader.h"

#include "Message.h"
#include "NumberScanner.h"
#include "TextDecoding.h"

#include <algorithm>
#include <array>
#include <charconv> // std::to_chars: the values read, in a message, with "." in every locale
#include <cmath>
#include <optional>

namespace quorvex::detail {
namespace {

    enum class Kind : unsigned char { Text, Comma, Separator, RowEnd, LineBreak };

    // What the character at pos is, and its length in bytes.
    Kind kindAt(std::string_view text, std::size_t pos, std::size_t &length)
    {
        // Most text is ASCII: a table answers for its bytes without decoding.
        static constexpr auto ascii = [] {
            std::array<Kind, 128> kinds {};
            for (const char c : std::string_view(" \t[](){}<>|&\"'"))
                kinds[static_cast<std::size_t>(c)] = Kind::Separator;
            for (const char c : std::string_view(";\\"))
                kinds[static_cast<std::size_t>(c)] = Kind::RowEnd;
            for (const char c : std::string_view("\n\v\f\r"))
                kinds[static_cast<std::size_t>(c)] = Kind::LineBreak;
            kinds[','] = Kind::Comma;
            return kinds;
        }();
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            length = 1;
            return ascii[byte];
        }
        const auto c = characterAt(text, pos);
        length = c.length;
        if (isLineBreak(c.code))
            return Kind::LineBreak;
        // Zero-width characters, and the byte-order mark of a file copied whole, show nothing.
        if (isWhiteSpace(c.code) || c.code == 0x200B || c.code == 0x2060 || c.code == 0xFEFF)
            return Kind::Separator;
        return Kind::Text;
    }

    // How a reading takes the commas of a text.
    enum class Commas { Decimal, Separating };

    // A run of text between separators, and what stood between it and the run before.
    struct Cell
    {
        std::string_view text;
        int commasBefore = 0; // where commas separate
        bool newLine = false;
        bool rowEndBefore = false; // ";" or "\"
    };

    // The cells of a text, one at a time.
    class Cells
    {
    public:
        Cells(std::string_view text, Commas commas)
            : m_text(text)
            , m_commas(commas)
        { }

        bool next(Cell &cell)
        {
            cell = {};
            for (std::size_t length = 0; m_pos < m_text.size(); m_pos += length) {
                switch (kindHere(length)) {
                case Kind::Comma:
                    ++cell.commasBefore;
                    break;
                case Kind::LineBreak:
                    cell.newLine = true;
                    break;
                case Kind::RowEnd:
                    cell.rowEndBefore = true;
                    break;
                case Kind::Separator:
                    break;
                case Kind::Text: {
                    const auto begin = m_pos;
                    for (m_pos += length; m_pos < m_text.size() && kindHere(length) == Kind::Text;)
                        m_pos += length;
                    cell.text = m_text.substr(begin, m_pos - begin);
                    return true;
                }
                }
            }
            return false;
        }

        // Whether a comma stood anywhere in the text read so far.
        bool sawComma() const { return m_sawComma; }

    private:
        Kind kindHere(std::size_t &length)
        {
            const auto kind = kindAt(m_text, m_pos, length);
            if (kind != Kind::Comma)
                return kind;
            m_sawComma = true;
            return m_commas == Commas::Separating ? Kind::Comma : Kind::Text;
        }

        std::string_view m_text;
        Commas m_commas;
        std::size_t m_pos = 0;
        bool m_sawComma = false;
    };

    bool hasDigit(std::string_view text)
    {
        return std::ranges::any_of(text, [](char c) { return c >= '0' && c <= '9'; });
    }

    struct Value
    {
        std::string_view text;
        NumberScan number;
        int commasBefore = 0;
        bool decimalComma = false;
    };

    // The number that a cell is from its first character to its last, if it is one. A cell holds
    // a comma only where commas are read as decimal commas, and then between two digits.
    std::optional<Value> numberIn(const Cell &cell)
    {
        const auto text = cell.text;
        const auto comma = text.find(',');
        const bool decimalComma = comma != std::string_view::npos;
        const auto isDigit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
        if (decimalComma
            && (comma == 0 || comma + 1 == text.size() || !isDigit(comma - 1)
                || !isDigit(comma + 1)))
            return std::nullopt;
        const auto number = scanNumber(text, decimalComma ? "," : ".");
        if (number.length == 0 || number.length != text.size())
            return std::nullopt;
        return Value { text, number, cell.commasBefore, decimalComma };
    }

    // The rows of numbers of a text, as far as reading it needs them.
    struct Table
    {
        struct Row
        {
            std::size_t first = 0; // its first value in `values`
            std::size_t count = 0; // its values, counted up to MostInRow
            std::string_view cut; // the text that ended its values, if any
            std::string_view label; // text with a digit before its first value, if any
        };
        // No shape takes more than sixteen values, nine rows or seventeen values in a row (the
        // most that tells a flattened 4×4 from a *.him line); beyond, values are only counted.
        static constexpr std::size_t MostValues = 16, MostRows = 9, MostInRow = 17;

        std::array<Value, MostValues> values;
        std::size_t stored = 0;
        std::array<Row, MostRows + 1> rows; // a tenth says that there are too many
        std::size_t rowCount = 0;
        std::string_view firstWithDigit; // for the message about a text without numbers

        const Value &at(std::size_t row, std::size_t column) const
        {
            return values[rows[row].first + column];
        }
    };

    // One line of cells: a label, a run of values, and the cut that ends them; ";" or "\" may cut
    // the run into rows.
    class Line
    {
    public:
        // Takes the next cell of the line; once a cut has ended its values, or it holds as many as
        // count, the rest of the line is passed over.
        void take(const Cell &cell, Table &table)
        {
            if (!m_cut.empty() || m_count == Table::MostInRow)
                return;
            if (auto value = numberIn(cell)) {
                if (m_count == 0)
                    m_first = table.stored;
                else if (cell.rowEndBefore)
                    m_segments[std::min(++m_segment, m_segments.size() - 1)] = 0;
                ++m_segments[std::min(m_segment, m_segments.size() - 1)];
                if (table.stored < table.values.size())
                    table.values[table.stored++] = *value;
                ++m_count;
            } else if (m_count > 0) {
                m_cut = cell.text;
            } else if (m_label.empty() && hasDigit(cell.text)) {
                m_label = cell.text;
            }
        }

        // Ends the line: its values become one row, or one row for each part that ";" or "\"
        // cut off, where those parts are rows of equal length. A line without values is skipped.
        void end(Table &table)
        {
            if (m_count == 0) {
                *this = {};
                return;
            }
            const std::size_t parts = m_segment + 1;
            const bool cutIntoRows = parts > 1 && parts <= m_segments.size()
                && std::all_of(m_segments.begin(), m_segments.begin() + parts,
                    [&](std::size_t n) { return n == m_segments[0] && n >= 3; });
            const std::size_t rows = cutIntoRows ? parts : 1;
            for (std::size_t i = 0; i < rows && table.rowCount < table.rows.size(); ++i) {
                auto &row = table.rows[table.rowCount++];
                row.count = cutIntoRows ? m_segments[0] : m_count;
                row.first = m_first + i * row.count;
                row.label = i == 0 ? m_label : std::string_view();
                row.cut = i + 1 == rows ? m_cut : std::string_view();
            }
            *this = {};
        }

    private:
        std::size_t m_first = 0, m_count = 0;
        std::array<std::size_t, 5> m_segments {};
        std::size_t m_segment = 0;
        std::string_view m_cut, m_label;
    };

    Table tableOf(std::string_view text, Commas commas, bool &sawComma)
    {
        Table table;
        Cells cells(text, commas);
        Line line;
        Cell cell;
        // A first row of nine values or more decides the shape, and so do too many rows.
        const auto decided = [&] {
            return (table.rowCount > 0 && table.rows[0].count >= 9)
                || table.rowCount > Table::MostRows;
        };
        while (!decided() && cells.next(cell)) {
            if (cell.newLine)
                line.end(table);
            if (decided())
                break;
            if (table.firstWithDigit.empty() && hasDigit(cell.text))
                table.firstWithDigit = cell.text;
            line.take(cell, table);
        }
        if (!decided())
            line.end(table);
        sawComma = cells.sawComma();
        return table;
    }

    // How far a reading got before it failed; of two failed readings, the one that got further
    // has the more telling message.
    enum class Stage { NoNumbers, Commas, Shape, Values, Rotation };
    struct Failure
    {
        Stage stage;
        Error error;
    };

    Failure failure(Stage stage, std::string_view text, std::string_view what)
    {
        return { stage, errorAbout(Field::Matrix, text, what) };
    }

    // Where the nine values stand in the table: row by row, `columns` values of each of `rows`
    // rows, of which the matrix takes the first three (or, for one line, all nine or sixteen).
    struct Layout
    {
        std::size_t rows = 3, columns = 3;
        std::array<std::size_t, 9> at {}; // index into Table::values
    };

    Layout rowsOf(const Table &table, std::size_t rows, std::size_t columns)
    {
        Layout layout { rows, columns };
        for (std::size_t i = 0; i < 9; ++i)
            layout.at[i] = columns == 1 ? table.rows[i].first : table.rows[i / 3].first + i % 3;
        return layout;
    }

    std::optional<double> valueAt(const Table &table, std::size_t index)
    {
        return table.values[index].number.value;
    }

    bool isBottomRow(const Table &table, std::array<std::size_t, 4> indices)
    {
        constexpr std::array<double, 4> bottom { 0, 0, 0, 1 };
        for (std::size_t i = 0; i < 4; ++i) {
            if (valueAt(table, indices[i]) != bottom[i])
                return false;
        }
        return true;
    }

    // Sixteen values in one line: a 4×4 transform by rows or by columns, whichever ends in the
    // bottom row 0 0 0 1. Both do for a rotation without translation; its two readings are the
    // matrix and its transpose, and only where these agree is it clear what was meant.
    std::variant<Layout, Failure> flattened(const Table &table, std::string_view text)
    {
        const auto first = table.rows[0].first;
        Layout byRows { 1, 16 }, byColumns { 1, 16 };
        for (std::size_t i = 0; i < 9; ++i) {
            byRows.at[i] = first + 4 * (i / 3) + i % 3;
            byColumns.at[i] = first + i / 3 + 4 * (i % 3);
        }
        const bool rows = isBottomRow(table, { first + 12, first + 13, first + 14, first + 15 });
        const bool columns = isBottomRow(table, { first + 3, first + 7, first + 11, first + 15 });
        const auto same = [&] {
            return std::ranges::all_of(std::array { 0, 1, 2, 3, 4, 5, 6, 7, 8 }, [&](int i) {
                const auto k = static_cast<std::size_t>(i);
                return valueAt(table, byRows.at[k]) == valueAt(table, byColumns.at[k]);
            });
        };
        if (rows && (!columns || same()))
            return byRows;
        if (columns && !rows)
            return byColumns;
        if (rows)
            return failure(Stage::Shape, text,
                " holds sixteen numbers that read as a 4×4 transform by rows and by columns, "
                "with different matrices");
        return failure(Stage::Shape, text,
            " holds sixteen numbers, but neither its last four nor every fourth is 0 0 0 1");
    }

    std::string counted(std::size_t count, std::string_view what)
    {
        return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
    }

    // Which values make the matrix, by the shape of the rows.
    std::variant<Layout, Failure> layoutOf(const Table &table, std::string_view text)
    {
        const auto &rows = table.rows;
        const std::size_t n = table.rowCount;
        const std::size_t columns = rows[0].count;
        if (columns >= 9)
            return columns == 16 ? flattened(table, text)
                                 : Layout { 1, 9, { 0, 1, 2, 3, 4, 5, 6, 7, 8 } };
        const bool equal = std::all_of(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(n),
            [&](const Table::Row &row) { return row.count == columns; });
        if (equal && n == 3 && (columns == 3 || columns == 4))
            return rowsOf(table, 3, columns);
        if (equal && n == 9 && columns == 1)
            return rowsOf(table, 9, 1);
        if (equal && n == 4 && columns == 4) {
            if (!isBottomRow(table,
                    { rows[3].first, rows[3].first + 1, rows[3].first + 2, rows[3].first + 3 }))
                return failure(Stage::Shape, text, " has a fourth row that is not 0 0 0 1");
            return rowsOf(table, 4, 4);
        }

        // No shape: a number gone wrong ("12.5mm", "1,5,6") or a word among the values ("NaN" in
        // the middle row) says most, and otherwise the rows.
        for (std::size_t i = 0; i < n; ++i) {
            if (hasDigit(rows[i].label))
                return failure(Stage::Shape, rows[i].label, " is not a number");
            if (!rows[i].cut.empty() && (hasDigit(rows[i].cut) || i + 1 < n))
                return failure(Stage::Shape, rows[i].cut, " is not a number");
        }
        std::size_t total = 0;
        for (std::size_t i = 0; i < n; ++i)
            total += rows[i].count;
        if (total < 9)
            return failure(Stage::Shape, text,
                " holds only " + counted(total, "number") + "; a matrix takes nine");
        if (n > Table::MostRows)
            return failure(Stage::Shape, text, " has more than nine rows of numbers");
        if (!equal) {
            std::array<std::size_t, Table::MostRows> lengths {};
            for (std::size_t i = 0; i < n; ++i)
                lengths[i] = rows[i].count;
            return failure(Stage::Shape, text,
                " has rows of unequal length: " + listed(std::span(lengths).first(n)) + " numbers");
        }
        return failure(Stage::Shape, text,
            " has " + counted(n, "row") + " of " + counted(columns, "number")
                + "; a matrix takes three rows of three, three or four of four, or nine of one");
    }

    // How far each value may be off. A value written to its last digit is off by up to half a
    // unit of it; but writers drop trailing zeros, so a shorter value ("0", "1", "0.5", "0.4823",
    // a row label "2") beside six-decimal ones stands for a value as exact as theirs. Only where
    // that gives no rotation may a cell have lost digits to a narrow column of a spreadsheet
    // ("-0.46985" beside "0.813798"): then (`narrowCells`) values of four or more significant
    // digits are taken at their own last digit. A value in scientific notation ("6.12E-17") always
    // is: its digits say how exact it is. No value is trusted beyond single precision: a float
    // printed with eight digits is off by a few units of its last bit.
    Parameters uncertaintiesOf(const std::array<const NumberScan *, 9> &numbers, bool narrowCells)
    {
        std::array<double, 9> lastDigit {};
        double finest = HUGE_VAL, finestScientific = HUGE_VAL;
        for (std::size_t i = 0; i < 9; ++i) {
            const auto &n = *numbers[i];
            lastDigit[i] = 0.5 * powerOfTen(n.exponent - n.decimals);
            if (n.exponent != 0)
                finestScientific = std::min(finestScientific, lastDigit[i]);
            else if (n.decimals > 0)
                finest = std::min(finest, lastDigit[i]);
        }
        if (finest == HUGE_VAL)
            finest = finestScientific == HUGE_VAL ? 0 : finestScientific;

        Parameters uncertainties {};
        for (std::size_t i = 0; i < 9; ++i) {
            const auto &n = *numbers[i];
            const bool own
                = n.exponent != 0 || (narrowCells && n.decimals > 0 && n.significantDigits >= 4);
            uncertainties[i] = std::max(own ? lastDigit[i] : finest, std::fabs(*n.value) * 0x1p-22);
        }
        return uncertainties;
    }

    // "0.813798 -0.469846 0.34202  0.543838 …": the values as the program took them, so that a
    // misread shows itself.
    std::string valuesText(const Parameters &values)
    {
        std::string text;
        for (std::size_t i = 0; i < values.size(); ++i) {
            std::array<char, 32> number {};
            const auto end = std::to_chars(
                number.begin(), number.end(), values[i], std::chars_format::general, 6)
                                 .ptr;
            text.append(i == 0 ? "" : i % 3 == 0 ? "  " : " ").append(number.begin(), end);
        }
        return text;
    }

    // The nine values, if they are a rotation with scales.
    std::variant<PastedMatrix, Failure> matrixOf(const std::array<const Value *, 9> &nine)
    {
        PastedMatrix matrix {};
        std::array<const NumberScan *, 9> numbers {};
        for (std::size_t i = 0; i < 9; ++i) {
            if (!nine[i]->number.value)
                return failure(Stage::Values, nine[i]->text, " is too large");
            matrix.values[i] = *nine[i]->number.value;
            numbers[i] = &nine[i]->number;
        }
        const auto read = [&](bool narrowCells) {
            matrix.uncertainties = uncertaintiesOf(numbers, narrowCells);
            matrix.rows = rowLengths(matrix.values, matrix.uncertainties);
            return rotationProblem(matrix.values, matrix.uncertainties, matrix.rows);
        };
        if (const auto problem = read(false); problem && read(true)) {
            return Failure { Stage::Rotation,
                { Field::Matrix,
                    std::string(label(Field::Matrix)) + ": read as " + valuesText(matrix.values)
                        + ", which is not a rotation with scales: " + *problem } };
        }
        return matrix;
    }

    std::variant<PastedMatrix, Failure> readAs(std::string_view text, Commas commas, bool &sawComma)
    {
        const auto table = tableOf(text, commas, sawComma);
        if (table.rowCount == 0) {
            if (!table.firstWithDigit.empty())
                return failure(Stage::NoNumbers, table.firstWithDigit, " is not a number");
            return failure(Stage::NoNumbers, text, " holds no parameter line");
        }
        const auto shape = layoutOf(table, text);
        if (const auto *failed = std::get_if<Failure>(&shape))
            return *failed;
        const auto &layout = std::get<Layout>(shape);

        // Every value up to the last one needed must be a number, written as the reading says.
        bool decimalComma = false, decimalPoint = false;
        for (std::size_t r = 0; r < layout.rows; ++r) {
            const auto &row = table.rows[r];
            if (!row.label.empty())
                return failure(Stage::Values, row.label, " is not a number");
            if (r + 1 < layout.rows && !row.cut.empty())
                return failure(Stage::Values, row.cut, " is not a number");
            for (std::size_t c = 0; c < layout.columns; ++c) {
                const auto &value = table.at(r, c);
                if (commas == Commas::Separating && c > 0 && value.commasBefore != 1)
                    return failure(Stage::Commas, text,
                        " has commas that are neither decimal commas nor separators between "
                        "values");
                decimalComma |= value.decimalComma;
                decimalPoint |= value.text.find('.') != std::string_view::npos;
            }
        }
        if (decimalComma && decimalPoint)
            return failure(Stage::Commas, text, " mixes decimal commas and decimal points");

        std::array<const Value *, 9> nine {};
        for (std::size_t i = 0; i < 9; ++i)
            nine[i] = &table.values[layout.at[i]];
        return matrixOf(nine);
    }

    // The common line of a batch: plain numbers between blanks or tabs, nine or more of them (but
    // not sixteen), and nothing after them. It reads as the general reading reads it (its first
    // nine values), only at once; any other text is for the general reading.
    bool isPlainLine(std::string_view text, std::array<Value, 9> &nine)
    {
        // What may stand between the numbers, and what ends the line.
        const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
        const auto isEnd = [](char c) { return c == '\n' || c == '\r'; };
        std::size_t count = 0, pos = 0;
        for (; count < Table::MostInRow; ++count) {
            while (pos < text.size() && isBlank(text[pos]))
                ++pos;
            if (pos == text.size() || isEnd(text[pos]))
                break;
            // Beyond the first nine only the count matters.
            NumberScan rest;
            auto &scan = count < nine.size() ? nine[count].number : rest;
            if (!scanPlainNumber(text.substr(pos), '.', scan))
                return false;
            const auto end = pos + scan.length;
            if (end < text.size() && !isBlank(text[end]) && !isEnd(text[end]))
                return false;
            if (count < nine.size())
                nine[count].text = text.substr(pos, scan.length);
            pos = end;
        }
        return count >= 9 && count != 16
            && (count == Table::MostInRow
                || text.find_first_not_of(" \t\r\n", pos) == std::string_view::npos);
    }

} // namespace

std::variant<PastedMatrix, Error> readMatrix(std::string_view text)
{
    if (std::array<Value, 9> nine; isPlainLine(text, nine)) {
        const std::array<const Value *, 9> values { &nine[0], &nine[1], &nine[2], &nine[3],
            &nine[4], &nine[5], &nine[6], &nine[7], &nine[8] };
        auto read = matrixOf(values);
        if (auto *failed = std::get_if<Failure>(&read))
            return std::move(failed->error);
        return std::get<PastedMatrix>(read);
    }
    bool sawComma = false, unused = false;
    auto decimal = readAs(text, Commas::Decimal, sawComma);
    // Without a comma, the decimal reading is the only one.
    auto separating = sawComma ? readAs(text, Commas::Separating, unused) : decimal;
    const auto *a = std::get_if<PastedMatrix>(&decimal);
    const auto *b = std::get_if<PastedMatrix>(&separating);
    if (a && b && a->values != b->values)
        return errorAbout(
            Field::Matrix, text, " is unclear: its commas could be decimal commas or separators");
    if (a || b)
        return a ? *a : *b;
    // Of two failures the one that got further says most; where neither found a number, the
    // separating reading quotes a word without the comma that follows it.
    const auto &x = std::get<Failure>(decimal), &y = std::get<Failure>(separating);
    return y.stage > x.stage || (y.stage == x.stage && x.stage == Stage::NoNumbers) ? y.error
                                                                                    : x.error;
}

} // namespace quorvex::detail
