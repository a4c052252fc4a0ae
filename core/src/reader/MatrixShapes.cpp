#include "reader/MatrixShapes.h"

#include "text/Message.h"
#include "text/NumberScanner.h"
#include "text/TextDecoding.h"

#include <algorithm>
#include <optional>
#include <string>

namespace quorvex::detail {
namespace {

    // What tools print for a value that is no finite number ("inf", "-Inf", "NaN"): no label
    // before a row's values, but a value that cannot be read.
    bool isNonFinite(std::string_view text)
    {
        if (text.starts_with('-') || text.starts_with('+'))
            text.remove_prefix(1);
        std::string folded;
        for (const char c : text)
            folded += asciiLower(c);
        return folded == "inf" || folded == "infinity" || folded == "nan";
    }

    // One line of cells: a label, a run of values, and the cut that ends them; ";", "\" or a new
    // group may cut the run into rows.
    class Line
    {
    public:
        // Takes the next cell of the line; once a cut has ended its values, or it holds as many as
        // count, the rest of the line is passed over.
        void take(const Cell &cell, Dashes dashes, Table &table)
        {
            if (m_cells++ == 0 && cell.firstOnLine && (cell.text == "-" || cell.mayBeBullet()))
                m_dash = cell.sign.empty() ? Dash::Bullet : Dash::Either;
            if (!m_cut.empty() || m_count == Table::MostInRow) {
                m_numbersAfterCut = m_numbersAfterCut || hasDigit(cell.text);
                return;
            }
            if (auto value = numberIn(cell, dashes)) {
                if (m_dash == Dash::Either && m_count == 0 && value->number.value == 0.0)
                    m_dash = Dash::Bullet; // "- 0": nobody writes a zero's sign apart
                if (m_count == 0)
                    m_first = table.stored;
                else if (cell.rowEndBefore)
                    m_segments[std::min(++m_segment, m_segments.size() - 1)] = 0;
                ++m_segments[std::min(m_segment, m_segments.size() - 1)];
                if (table.stored < table.values.size())
                    table.values[table.stored++] = *value;
                ++m_count;
            } else if (m_count > 0) {
                m_cut = cell.whole();
            } else if (m_label.empty() && !cell.sizeTag
                && (hasDigit(cell.text) || cell.text == "\u2212" || isNonFinite(cell.text))) {
                // A typographic minus is a sign, never a bullet: it may not be passed over.
                m_label = cell.whole();
            }
        }

        // Ends the line: its values become one row, or one row for each part that ";", "\" or a
        // new group cut off, where those parts are rows of equal length. A line without values is
        // skipped.
        void end(Table &table)
        {
            if (m_count == 0) {
                *this = {};
                return;
            }
            ++table.valueLines;
            table.dashLines += m_dash != Dash::None ? 1 : 0;
            table.dashIsBullet = table.dashIsBullet || m_dash == Dash::Bullet;
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
                row.numbersAfterCut = i + 1 == rows && m_numbersAfterCut;
            }
            *this = {};
        }

    private:
        enum class Dash { None, Either, Bullet }; // a "-" apart before its first value
        std::size_t m_first = 0, m_count = 0, m_cells = 0;
        std::array<std::size_t, 5> m_segments {};
        std::size_t m_segment = 0;
        std::string_view m_cut, m_label;
        bool m_numbersAfterCut = false;
        Dash m_dash = Dash::None;
    };

    std::string counted(std::size_t count, std::string_view what)
    {
        return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
    }

    bool isBottomRow(const Table &table, std::array<std::size_t, 4> indices)
    {
        for (std::size_t i = 0; i < 4; ++i) {
            if (table.values[indices[i]].number.value != (i == 3 ? 1.0 : 0.0))
                return false;
        }
        return true;
    }

    // The shapes of a transform: three rows of three, or of four with a translation, and four
    // rows of four whose fourth is 0 0 0 1.
    bool isTransform(std::size_t rows, std::size_t columns)
    {
        return (rows == 3 && (columns == 3 || columns == 4)) || (rows == 4 && columns == 4);
    }

    // The layout that reads element (i, j) of a matrix of `height` rows at `at(i, j)`.
    template<typename At>
    std::variant<Layout, Failure> transform(
        const Table &table, std::string_view text, Layout layout, std::size_t height, At at)
    {
        for (std::size_t i = 0; i < 9; ++i)
            layout.at[i] = at(i / 3, i % 3);
        if (height == 4 && !isBottomRow(table, { at(3, 0), at(3, 1), at(3, 2), at(3, 3) }))
            return failure(Stage::Shape, text, " has a fourth row that is not 0 0 0 1");
        return layout;
    }

    // Sixteen values in one line, in no order that the text declares: a 4×4 transform by rows or
    // by columns, whichever ends in the bottom row 0 0 0 1. Both do for a rotation without
    // translation; its two readings are the matrix and its transpose, and only where these agree
    // is it clear what was meant.
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
                return table.values[byRows.at[k]].number.value
                    == table.values[byColumns.at[k]].number.value;
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

    // Where the rows make no matrix, a number gone wrong ("12.5mm", "1,5,6") or a word among the
    // values ("NaN" in the middle row) says most.
    std::optional<Failure> textAmongValues(const Table &table, Commas commas)
    {
        const auto &rows = table.rows;
        const std::size_t n = table.rowCount;
        for (std::size_t i = 0; i < n; ++i) {
            if (hasDigit(rows[i].label) || isNonFinite(rows[i].label))
                return notANumber(Stage::Shape, rows[i].label, commas);
            if (!rows[i].cut.empty()
                && (hasDigit(rows[i].cut) || i + 1 < n || rows[i].numbersAfterCut))
                return notANumber(Stage::Shape, rows[i].cut, commas);
        }
        return std::nullopt;
    }

    // Why the rows make no matrix.
    Failure shapeless(const Table &table, std::string_view text, Order order, Commas commas)
    {
        if (auto failed = textAmongValues(table, commas))
            return *failed;
        const auto &rows = table.rows;
        const std::size_t n = table.rowCount;
        std::size_t total = 0;
        for (std::size_t i = 0; i < n; ++i)
            total += rows[i].count;
        if (total < 9)
            return failure(Stage::Shape, text,
                " holds only " + counted(total, "number") + "; a matrix takes nine");
        if (n > Table::MostRows)
            return failure(Stage::Shape, text, " has more than nine rows of numbers");
        const std::size_t columns = rows[0].count;
        if (std::any_of(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(n),
                [&](const Table::Row &row) { return row.count != columns; })) {
            std::array<std::size_t, Table::MostRows> lengths {};
            for (std::size_t i = 0; i < n; ++i)
                lengths[i] = rows[i].count;
            return failure(Stage::Shape, text,
                " has rows of unequal length: " + listed(std::span(lengths).first(n)) + " numbers");
        }
        if (order == Order::Columns)
            return failure(Stage::Shape, text,
                " has " + counted(n, "column") + " of " + counted(columns, "number")
                    + "; by columns a matrix takes three columns of three, four of three or four "
                      "of four, or nine of one");
        return failure(Stage::Shape, text,
            " has " + counted(n, "row") + " of " + counted(columns, "number")
                + "; a matrix takes three rows of three, three or four of four, or nine of one");
    }

} // namespace

Failure failure(Stage stage, std::string_view text, std::string_view what)
{
    return { stage, errorAbout(Field::Matrix, text, what) };
}

Failure notANumber(Stage stage, std::string_view cell, Commas commas)
{
    // Such a reading has read nothing: any other says more.
    if (commas == Commas::Decimal && hasStrayComma(cell))
        return failure(Stage::NoNumbers, cell,
            " holds a comma that is neither a decimal comma nor a separator between values");
    if (hasOtherDigit(cell))
        return failure(stage, cell, " is not a number; write its digits as 0 to 9");
    return failure(stage, cell, " is not a number" + std::string(thousandsHint(cell)));
}

Table tableOf(std::string_view text, Commas commas, Dashes dashes, bool oneList)
{
    Table table;
    Cells cells(text, commas);
    Line line;
    Cell cell;
    // A first row of nine values or more decides the shape, and so do too many rows.
    const auto decided = [&] {
        return (table.rowCount > 0 && table.rows[0].count >= 9) || table.rowCount > Table::MostRows;
    };
    while (!decided() && cells.next(cell)) {
        if (cell.newLine && !oneList)
            line.end(table);
        if (decided())
            break;
        if (table.firstWithDigit.empty()
            && (hasDigit(cell.text) || hasOtherDigit(cell.text) || isNonFinite(cell.text)))
            table.firstWithDigit = cell.whole();
        line.take(cell, dashes, table);
    }
    if (!decided())
        line.end(table);
    table.sawComma = cells.sawComma();
    return table;
}

std::variant<Layout, Failure> layoutOf(
    const Table &table, std::string_view text, Order order, DeclaredShape declared, Commas commas)
{
    const auto &rows = table.rows;
    const std::size_t n = table.rowCount, count = rows[0].count, first = rows[0].first;
    const bool byColumns = order == Order::Columns;
    const bool equal = std::all_of(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(n),
        [&](const Table::Row &row) { return row.count == count; });

    // One list of values: the declared shape, a flattened 4×4, or a *.him line of nine or more.
    if (n == 1 && (declared.rows != 0 || declared.columns != 0)) {
        // R's matrix(c(…), nrow = 3) leaves the other side to the number of values.
        const auto height = declared.rows != 0 ? declared.rows : count / declared.columns;
        const auto width = declared.columns != 0 ? declared.columns : count / declared.rows;
        if (count < height * width || height * width == 0)
            return shapeless(table, text, order, commas);
        if (count != height * width || !isTransform(height, width)) {
            if (auto failed = textAmongValues(table, commas))
                return *failed;
        }
        if (count != height * width)
            return failure(Stage::Shape, text,
                " holds "
                    + (count < Table::MostInRow ? counted(count, "number") : "more than 16 numbers")
                    + ", but declares " + counted(height, "row") + " of "
                    + counted(width, "number"));
        if (!isTransform(height, width))
            return failure(Stage::Shape, text,
                " declares " + counted(height, "row") + " of " + counted(width, "number")
                    + "; a matrix takes three rows of three, or three or four of four");
        return transform(table, text, { 1, count }, height, [&](std::size_t i, std::size_t j) {
            return byColumns ? first + i + height * j : first + width * i + j;
        });
    }
    if (count >= 9) {
        if (count == 16 && order == Order::Undeclared)
            return flattened(table, text);
        const std::size_t width = count == 16 ? 4 : 3;
        Layout layout { 1, count == 16 ? std::size_t { 16 } : std::size_t { 9 } };
        layout.parameterLine = count != 16;
        return transform(table, text, layout, width, [&](std::size_t i, std::size_t j) {
            return byColumns ? first + i + width * j : first + width * i + j;
        });
    }

    // Rows of cells, or columns where the text lists them so.
    if (equal && n == 9 && count == 1) {
        return transform(table, text, { 9, 1 }, 3, [&](std::size_t i, std::size_t j) {
            return rows[byColumns ? i + 3 * j : 3 * i + j].first;
        });
    }
    const auto height = byColumns ? count : n, width = byColumns ? n : count;
    if (equal && isTransform(height, width)) {
        return transform(table, text, { n, count }, height, [&](std::size_t i, std::size_t j) {
            return byColumns ? rows[j].first + i : rows[i].first + j;
        });
    }
    return shapeless(table, text, order, commas);
}

} // namespace quorvex::detail
