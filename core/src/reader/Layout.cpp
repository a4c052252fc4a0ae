#include "reader/Layout.h"

#include "text/Message.h"
#include "text/TextDecoding.h"

#include <algorithm>
#include <optional>
#include <string>

namespace quorvex::detail {
namespace {

    std::string counted(std::size_t count, std::string_view what)
    {
        return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
    }

    Layouts one(const Layout &layout)
    {
        Layouts layouts;
        layouts.each[0] = layout;
        return layouts;
    }

    bool isBottomRow(const std::array<const Value *, 4> &row)
    {
        for (std::size_t i = 0; i < 4; ++i) {
            if (row[i]->number.value != (i == 3 ? 1.0 : 0.0))
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

    // The layout that reads element (i, j) of a matrix of `height` rows at `at(i, j)`. A 4×4
    // ends in 0 0 0 1, as its fourth row, or as its fourth column where its translation is its
    // fourth row (for vectors that multiply it from the left).
    template<typename At>
    std::variant<Layouts, Failure> transform(
        std::string_view text, Layout layout, std::size_t height, At at)
    {
        for (std::size_t i = 0; i < 9; ++i)
            layout.at[i] = at(i / 3, i % 3);
        if (height == 4 && !isBottomRow({ at(3, 0), at(3, 1), at(3, 2), at(3, 3) })
            && !isBottomRow({ at(0, 3), at(1, 3), at(2, 3), at(3, 3) }))
            return failure(
                Stage::Shape, text, " has neither a fourth row nor a fourth column of 0 0 0 1");
        return one(layout);
    }

    // One line of sixteen values, or twelve, in no order that the text declares: a 4×4 by rows
    // or by columns, whichever ends in the bottom row 0 0 0 1; a *.him line (nine, then a
    // translation) or three rows of four ([R|t], as calibration files write it). Where both
    // readings are possible, both are made.
    std::variant<Layouts, Failure> eitherWay(const Table &table, std::string_view text)
    {
        const auto first = table.rows[0].first;
        const auto value = [&](std::size_t i) { return &table.values[first + i]; };
        Layouts both { {}, 2 };
        auto &[a, b] = both.each;
        const bool sixteen = table.rows[0].count == 16;
        a = { sixteen ? Layout::Kind::ByRows : Layout::Kind::HimLine, 1, sixteen ? 16u : 9u };
        b = { sixteen ? Layout::Kind::ByColumns : Layout::Kind::RowsOfFour, 1,
            sixteen ? 16u : 12u };
        for (std::size_t i = 0; i < 9; ++i) {
            a.at[i] = value(sixteen ? 4 * (i / 3) + i % 3 : i);
            b.at[i] = value(sixteen ? i / 3 + 4 * (i % 3) : 4 * (i / 3) + i % 3);
        }
        a.parameterLine = !sixteen;
        if (!sixteen)
            return both;
        const bool rows = isBottomRow({ value(12), value(13), value(14), value(15) });
        const bool columns = isBottomRow({ value(3), value(7), value(11), value(15) });
        if (rows != columns)
            return one(rows ? a : b);
        if (rows)
            return both;
        return failure(Stage::Shape, text,
            " holds sixteen numbers, but neither its last four nor every fourth is 0 0 0 1");
    }

    // Values placed by their names or subscripts, numbered from 0 or from 1 as the whole set
    // shows: every one of the nine must be there, once.
    std::variant<Layouts, Failure> named(const Table &table, std::string_view text)
    {
        if (!table.misplaced.empty())
            return failure(Stage::Shape, table.misplaced,
                " is a second value for its place, or one beyond a 4×4; copy one matrix alone");
        const bool fromZero = std::ranges::any_of(table.places[0], [](auto n) { return n != 0; })
            || std::ranges::any_of(table.places, [](const auto &row) { return row[0] != 0; });
        const std::size_t base = fromZero ? 0 : 1;
        Layout layout { Layout::Kind::Named };
        for (std::size_t i = 0; i < 9; ++i) {
            const auto n = table.places[base + i / 3][base + i % 3];
            if (n == 0)
                return failure(Stage::Shape, text,
                    " gives its values' places by name, but none for row "
                        + std::to_string(i / 3 + 1) + ", column " + std::to_string(i % 3 + 1));
            layout.at[i] = &table.placedValues[n - 1u];
        }
        return one(layout);
    }

    // Where the rows make no matrix, a number gone wrong ("12.5mm", "1,5,6") or a word among the
    // values ("NaN" in the middle row) says most; in a `wholeList`, any word after its values.
    std::optional<Failure> textAmongValues(
        const Table &table, bool separatingCommas, bool wholeList = false)
    {
        const auto &rows = table.rows;
        const std::size_t n = table.rowCount;
        for (std::size_t i = 0; i < n; ++i) {
            if (hasDigit(rows[i].label) || isNonFinite(rows[i].label))
                return notANumber(Stage::Shape, rows[i].label, separatingCommas);
            if (!rows[i].cut.empty()
                && (wholeList || hasDigit(rows[i].cut) || i + 1 < n || rows[i].numbersAfterCut))
                return notANumber(Stage::Shape, rows[i].cut, separatingCommas);
        }
        return std::nullopt;
    }

    // What rows a matrix may have, as a message about rows says.
    constexpr char RowShapes[]
        = "; a matrix takes three rows of three, three or four of four, or nine of one";

    // Why the rows make no matrix.
    Failure shapeless(const Table &table, std::string_view text, Order order, bool separatingCommas)
    {
        if (auto failed = textAmongValues(table, separatingCommas))
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
            " has " + counted(n, "row") + " of " + counted(columns, "number") + RowShapes);
    }

} // namespace

Failure failure(Stage stage, std::string_view text, std::string_view what)
{
    return { stage, errorAbout(Field::Matrix, text, what) };
}

Failure notANumber(Stage stage, std::string_view cell, bool separatingCommas)
{
    // Such a reading has read nothing: any other says more.
    if (!separatingCommas && hasStrayComma(cell))
        return failure(Stage::NoNumbers, cell,
            " holds a comma that is neither a decimal comma nor a separator between values");
    if (hasOtherDigit(cell))
        return failure(stage, cell, " is not a number; write its digits as 0 to 9");
    return failure(stage, cell, " is not a number" + std::string(thousandsHint(cell)));
}

std::variant<Layouts, Failure> layoutOf(const Table &table, std::string_view text, Order order,
    DeclaredShape declared, bool separatingCommas)
{
    if (table.placed > 0)
        return named(table, text);
    if (const auto [whole, length] = table.rowsBeyond; whole != 0)
        return failure(Stage::Shape, text,
            " has more than " + counted(whole, "row") + " of " + counted(length, "number")
                + RowShapes);
    const auto &rows = table.rows;
    const std::size_t n = table.rowCount, count = rows[0].count, first = rows[0].first;
    const bool byColumns = order == Order::Columns;
    const bool equal = std::all_of(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(n),
        [&](const Table::Row &row) { return row.count == count; });
    const auto value = [&](std::size_t i) { return &table.values[i]; };

    // One list of values: the declared shape, a flattened 4×4, or a *.him line of nine or more.
    if (n == 1 && (declared.rows != 0 || declared.columns != 0)) {
        // R's matrix(c(…), nrow = 3) leaves the other side to the number of values, rounded up.
        const auto side = [&](std::size_t other) { return (count + other - 1) / other; };
        const auto height = declared.rows != 0 ? declared.rows : side(declared.columns);
        const auto width = declared.columns != 0 ? declared.columns : side(declared.rows);
        if (count < 9)
            return shapeless(table, text, order, separatingCommas);
        // A list whose rows and columns are declared holds nothing but its values: "c(…, x1)",
        // "data: [ …, NA ]".
        if (auto failed = textAmongValues(table, separatingCommas, true))
            return *failed;
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
        return transform(
            text, { Layout::Kind::Grid, 1, count }, height, [&](std::size_t i, std::size_t j) {
                return value(byColumns ? first + i + height * j : first + width * i + j);
            });
    }
    if (count >= 9) {
        if (table.valuesAfter)
            return failure(Stage::Shape, text, " holds more than one matrix; copy one alone");
        if ((count == 16 && order == Order::Undeclared) || (count == 12 && !byColumns))
            return eitherWay(table, text);
        const std::size_t width = count == 16 ? 4 : 3;
        Layout layout { Layout::Kind::Grid, 1,
            count == 16 ? std::size_t { 16 } : std::size_t { 9 } };
        layout.parameterLine = count != 16;
        return transform(text, layout, width, [&](std::size_t i, std::size_t j) {
            return value(byColumns ? first + i + width * j : first + width * i + j);
        });
    }

    // Rows of cells, or columns where the text lists them so.
    if (equal && n == 9 && count == 1) {
        return transform(text, { Layout::Kind::Grid, 9, 1 }, 3, [&](std::size_t i, std::size_t j) {
            return value(rows[byColumns ? i + 3 * j : 3 * i + j].first);
        });
    }
    const auto height = byColumns ? count : n, width = byColumns ? n : count;
    if (equal && isTransform(height, width)) {
        return transform(
            text, { Layout::Kind::Grid, n, count }, height, [&](std::size_t i, std::size_t j) {
                return value(byColumns ? rows[j].first + i : rows[i].first + j);
            });
    }
    return shapeless(table, text, order, separatingCommas);
}

} // namespace quorvex::detail
