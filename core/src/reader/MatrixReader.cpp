#include "reader/MatrixReader.h"

#include "reader/MatrixDeclarations.h"
#include "reader/MatrixShapes.h"
#include "rotation/Uncertainty.h"
#include "text/Message.h"
#include "text/NumberScanner.h"
#include "text/TextDecoding.h"

#include <algorithm>
#include <array>
#include <charconv> // std::to_chars: the values read, in a message, with "." in every locale
#include <cmath>
#include <utility>

namespace quorvex::detail {
namespace {

    // Nine values, and how each is written: its last digit is worth 10^(exponent - decimals).
    struct NineNumbers
    {
        Parameters values;
        std::array<int, 9> decimals, exponents, significantDigits;
    };

    // How far each value may be off (Uncertainty.h, 1 to 3): half a unit of its last digit, or of
    // the finest digit of the values in fixed notation where it is shorter than they are; with
    // `narrowCells`, a value of NarrowCellDigits or more at its own last digit; and never less
    // than SinglePrecision of its size.
    Parameters uncertaintiesOf(const NineNumbers &nine, bool narrowCells)
    {
        std::array<double, 9> lastDigit {};
        double finest = HUGE_VAL, finestScientific = HUGE_VAL;
        for (std::size_t i = 0; i < 9; ++i) {
            lastDigit[i] = 0.5 * powerOfTen(nine.exponents[i] - nine.decimals[i]);
            if (nine.exponents[i] != 0)
                finestScientific = std::min(finestScientific, lastDigit[i]);
            else if (nine.decimals[i] > 0)
                finest = std::min(finest, lastDigit[i]);
        }
        if (finest == HUGE_VAL)
            finest = finestScientific == HUGE_VAL ? 0 : finestScientific;

        Parameters uncertainties {};
        for (std::size_t i = 0; i < 9; ++i) {
            const bool own = nine.exponents[i] != 0
                || (narrowCells && nine.decimals[i] > 0
                    && nine.significantDigits[i] >= NarrowCellDigits);
            uncertainties[i] = std::max(
                own ? lastDigit[i] : finest, std::fabs(nine.values[i]) * SinglePrecision);
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

    // Whether nine numbers are a rotation with scales, within their digits: fills `matrix` and
    // says nothing, or says what is wrong.
    std::optional<std::string> readRotation(const NineNumbers &nine, PastedMatrix &matrix)
    {
        matrix.values = nine.values;
        const auto read = [&](bool narrowCells) {
            matrix.uncertainties = uncertaintiesOf(nine, narrowCells);
            matrix.rows = rowLengths(matrix.values, matrix.uncertainties);
            return rotationProblem(matrix.values, matrix.uncertainties, matrix.rows);
        };
        auto problem = read(false);
        if (problem && !read(true))
            problem.reset();
        return problem;
    }

    Error notARotation(const Parameters &values, std::string_view problem)
    {
        return { Field::Matrix,
            std::string(label(Field::Matrix)) + ": read as " + valuesText(values)
                + ", which is not a rotation with scales: " + std::string(problem) };
    }

    // The nine values, if they are a rotation with scales.
    std::variant<PastedMatrix, Failure> matrixOf(const std::array<const Value *, 9> &values)
    {
        NineNumbers nine;
        for (std::size_t i = 0; i < 9; ++i) {
            const auto &number = values[i]->number;
            if (!number.value)
                return failure(Stage::Values, values[i]->text, withoutValue(number));
            nine.values[i] = *number.value;
            nine.decimals[i] = number.decimals;
            nine.exponents[i] = number.exponent;
            nine.significantDigits[i] = number.significantDigits;
        }
        PastedMatrix matrix;
        if (const auto problem = readRotation(nine, matrix))
            return Failure { Stage::Rotation, notARotation(matrix.values, *problem) };
        return matrix;
    }

    // The text to read, as its declarations have it.
    struct Source
    {
        std::string_view text;
        bool oneList = false; // the values of a call or a file format, line breaks or not
        Order order = Order::Undeclared;
        DeclaredShape shape;
    };

    // The decimal separator that a value is written with, or 0 for a whole number.
    char separatorOf(const Value &value)
    {
        return value.decimalComma ? ',' : value.text.find('.') != std::string_view::npos ? '.' : 0;
    }

    // "1,000" or "1.000": a thousand where its separator groups digits, one where it is a decimal
    // separator. It is read as a decimal where the text shows the separator to be one, in another
    // value ("0,866", "0.5", "1.2500"), or in a parameter line, whose decimal point is "." as
    // Quorvex writes it ("1.125 0 0   0 1 0   0 0 1 "); elsewhere it is refused.
    const Value *groupedValue(
        const Table &table, const Layout &layout, const std::array<const Value *, 9> &nine)
    {
        const auto values = std::span(table.values).first(table.stored);
        for (const auto *value : nine) {
            const char separator = separatorOf(*value);
            if (separator == 0 || !looksGrouped(value->text, separator)
                || (separator == '.' && layout.parameterLine))
                continue;
            const bool settled = std::ranges::any_of(values, [&](const Value &other) {
                return separatorOf(other) == separator && !looksGrouped(other.text, separator);
            });
            if (!settled)
                return value;
        }
        return nullptr;
    }

    // The matrix that a table gives, as one reading of its text takes it.
    std::variant<PastedMatrix, Failure> readTable(
        const Table &table, const Source &source, Commas commas)
    {
        const auto text = source.text;
        if (table.rowCount == 0) {
            if (!table.firstWithDigit.empty())
                return notANumber(Stage::NoNumbers, table.firstWithDigit, commas);
            return failure(Stage::NoNumbers, text, " holds no parameter line");
        }
        const auto shape = layoutOf(table, text, source.order, source.shape, commas);
        if (const auto *failed = std::get_if<Failure>(&shape))
            return *failed;
        const auto &layout = std::get<Layout>(shape);

        // Every value up to the last one needed must be a number, written as the reading says:
        // where commas separate, one stands between each two values of a row, or none does (the
        // rows of "%.8e " printed with a comma at the end of each).
        bool decimalComma = false, decimalPoint = false;
        std::array<std::size_t, 3> commasBefore {}; // none, one, more
        for (std::size_t r = 0; r < layout.rows; ++r) {
            const auto &row = table.rows[r];
            if (!row.label.empty())
                return notANumber(Stage::Values, row.label, commas);
            if (r + 1 < layout.rows && !row.cut.empty())
                return notANumber(Stage::Values, row.cut, commas);
            for (std::size_t c = 0; c < layout.columns; ++c) {
                const auto &value = table.at(r, c);
                if (c > 0)
                    ++commasBefore[static_cast<std::size_t>(value.commasBefore)];
                decimalComma |= value.decimalComma;
                decimalPoint |= value.text.find('.') != std::string_view::npos;
            }
        }
        if (commas == Commas::Separating
            && (commasBefore[2] > 0 || (commasBefore[0] > 0 && commasBefore[1] > 0)))
            return failure(Stage::Commas, text,
                " has commas that are neither decimal commas nor separators between values");
        if (decimalComma && decimalPoint)
            return failure(Stage::Commas, text, " mixes decimal commas and decimal points");

        const auto values = std::span(table.values).first(table.stored);
        if (std::ranges::any_of(values, [](const Value &v) { return v.accounting; })
            && std::ranges::any_of(values, [](const Value &v) { return v.minus; }))
            return failure(Stage::Unclear, text,
                " is unclear: it writes negative numbers both with a minus sign and in "
                "parentheses, as (1) for -1; write them all one way");

        std::array<const Value *, 9> nine {};
        for (std::size_t i = 0; i < 9; ++i)
            nine[i] = &table.values[layout.at[i]];
        if (const auto *grouped = groupedValue(table, layout, nine))
            return failure(Stage::Unclear, grouped->text,
                groupedOrDecimal(grouped->text, std::string(1, separatorOf(*grouped))));
        return matrixOf(nine);
    }

    // The matrix of a text as its commas are taken. A "-" apart before the first value of a line
    // ("- 1 0 0") is a sign, unless the text writes lists: where every line of values begins
    // with one and one of them is no sign ("- 0", "- -0.5"), they are bullets. Elsewhere both
    // readings are tried, and where both give a matrix, but not the same, the text is unclear.
    std::variant<PastedMatrix, Failure> readWith(
        const Source &source, Commas commas, bool &sawComma)
    {
        const auto table = tableOf(source.text, commas, Dashes::Signs, source.oneList);
        sawComma = table.sawComma;
        if (table.dashLines == 0)
            return readTable(table, source, commas);
        const auto bullets = readTable(
            tableOf(source.text, commas, Dashes::Bullets, source.oneList), source, commas);
        if (table.dashLines == table.valueLines && table.dashIsBullet)
            return bullets;
        const auto signs = readTable(table, source, commas);
        const auto *a = std::get_if<PastedMatrix>(&signs);
        const auto *b = std::get_if<PastedMatrix>(&bullets);
        if (a && b && a->values != b->values)
            return failure(Stage::Unclear, source.text,
                " is unclear: a \"-\" apart before the first number of a line could be a "
                "list's bullet or a minus sign; write a minus sign next to its number (\"-1\")");
        if (a || !b)
            return signs;
        return bullets;
    }

    // The common line of a batch: plain numbers between blanks or tabs, nine or more of them (but
    // not sixteen), and nothing after them. It reads as the general reading reads it (its first
    // nine values, by rows or by columns), only at once; any other text is for the general
    // reading. A plain number always has a value, and none needs its text to be named.
    bool isPlainLine(std::string_view text, ValueOrder order, NineNumbers &nine)
    {
        // What may stand between the numbers, and what ends the line.
        const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
        const auto isEnd = [](char c) { return c == '\n' || c == '\r'; };
        const char *p = text.data(), *const end = p + text.size();
        // Every number is read, not only seventeen: the general reading reads a line of more as
        // one of seventeen, but the text after them may declare another reading ("column-major"),
        // which the general reading must then make. A line of more than a thousand is left to it
        // too: with a bound to count on, angles -l spends 45 instructions a line less.
        constexpr std::size_t MostNumbers = 1000;
        std::size_t count = 0;
        for (NumberScan scan; count < MostNumbers; ++count) {
            while (p != end && isBlank(*p))
                ++p;
            // A number begins with a sign, a digit or the separator, none of which is a line end:
            // the end is looked for only where no number begins (angles -l: 53 instructions a
            // line less than before each number).
            if (p == end || !scanPlainNumber({ p, end }, '.', scan)) {
                if (p == end || isEnd(*p))
                    break;
                return false;
            }
            p += scan.length;
            if (p != end && !isBlank(*p) && !isEnd(*p))
                return false;
            // Beyond the first nine only the count matters.
            if (count < 9) {
                // By columns, the line's values are the matrix's columns one after another.
                const auto at = order == ValueOrder::Rows ? count : count % 3 * 3 + count / 3;
                nine.values[at] = *scan.value;
                nine.decimals[at] = scan.decimals;
                nine.exponents[at] = 0;
                nine.significantDigits[at] = scan.significantDigits;
            }
        }
        return count >= 9 && count != 16
            && std::all_of(p, end, [&](char c) { return isBlank(c) || isEnd(c); });
    }

    // A number whose digits a mark or a space that is no blank groups, as spreadsheets and
    // typesetting write thousands ("1'000", "1 000,00" with a no-break space, "0.866 025" with a
    // thin space): the reading would take it for two values. The number as written, or an empty
    // view.
    std::string_view groupedByMark(std::string_view text)
    {
        const auto isPart = [](char c) { return isDigit(c) || c == '.' || c == ','; };
        // Each mark begins with "'" or with the first byte of U+00A0 or of U+2007 … U+202F: a
        // text without them is passed over by the library's search.
        if (text.find('\'') == std::string_view::npos && text.find('\xC2') == std::string_view::npos
            && text.find('\xE2') == std::string_view::npos)
            return {};
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (!isDigit(text[i - 1]))
                continue;
            const auto c = characterAt(text, i);
            const bool mark = c.code == '\'' || c.code == 0x00A0 || c.code == 0x2007
                || c.code == 0x2009 || c.code == 0x202F;
            const auto after = text.substr(i + c.length, 4);
            if (!mark || after.size() < 3 || !std::all_of(after.begin(), after.begin() + 3, isDigit)
                || (after.size() == 4 && isDigit(after[3])))
                continue;
            auto begin = i - 1, end = i + c.length + 3;
            while (begin > 0 && isPart(text[begin - 1]))
                --begin;
            while (end < text.size() && isPart(text[end]))
                ++end;
            return text.substr(begin, end - begin);
        }
        return {};
    }

    // The matrix of a plain line's numbers, made where the caller of readMatrix gets it.
    std::variant<PastedMatrix, Error> plainMatrixOf(const NineNumbers &nine)
    {
        std::variant<PastedMatrix, Error> read;
        auto &matrix = std::get<PastedMatrix>(read);
        if (const auto problem = readRotation(nine, matrix))
            read = notARotation(matrix.values, *problem);
        return read;
    }

} // namespace

// What a text declares, and its readings. A batch reads plain lines far more often: marked cold,
// this leaves the registers to the plain line's reading (callgrind, angles -l of parameter lines:
// 5,240 instructions a line without the mark, 5,209 with it; a line of comma-separated values
// takes 3% more).
[[gnu::cold]] std::variant<PastedMatrix, Error> readAnyMatrix(
    std::string_view text, ValueOrder order)
{
    if (const auto grouped = groupedByMark(text); !grouped.empty())
        return errorAbout(Field::Matrix, grouped,
            " is unclear: it could be one number whose digits are grouped, or two numbers; write "
            "the number without the mark or space between its digits");
    auto declared = declarationOf(text);
    if (auto *error = std::get_if<Error>(&declared))
        return std::move(*error);
    const auto &declaration = std::get<Declaration>(declared);
    Source source { text, false,
        !declaration.byColumns.empty()    ? Order::Columns
            : !declaration.byRows.empty() ? Order::Rows
                                          : Order::Undeclared,
        declaration.shape };
    if (order == ValueOrder::Columns) {
        if (source.order == Order::Rows)
            return errorAbout(Field::Matrix, text,
                " lists its values by rows (\"" + std::string(declaration.byRows)
                    + "\"), not by columns as asked");
        source.order = Order::Columns;
    }
    if (!declaration.list.empty()) {
        source.text = declaration.list;
        source.oneList = true;
    }

    bool sawComma = false, unused = false;
    auto decimal = readWith(source, Commas::Decimal, sawComma);
    // Without a comma, the decimal reading is the only one.
    auto separating = sawComma ? readWith(source, Commas::Separating, unused) : decimal;
    const auto *a = std::get_if<PastedMatrix>(&decimal);
    const auto *b = std::get_if<PastedMatrix>(&separating);
    if (a && b && a->values != b->values)
        return errorAbout(Field::Matrix, source.text,
            " is unclear: its commas could be decimal commas or separators");
    // A reading that finds the text unclear makes it so, whatever the other finds.
    for (const auto *reading : { &decimal, &separating }) {
        if (const auto *failed = std::get_if<Failure>(reading);
            failed && failed->stage == Stage::Unclear)
            return failed->error;
    }
    if (a || b)
        return a ? *a : *b;
    // Of two failures the one that got further says most; where neither found a number, the
    // separating reading quotes a word without the comma that follows it.
    const auto &x = std::get<Failure>(decimal), &y = std::get<Failure>(separating);
    return y.stage > x.stage || (y.stage == x.stage && x.stage == Stage::NoNumbers) ? y.error
                                                                                    : x.error;
}

std::variant<PastedMatrix, Error> readMatrix(std::string_view text, ValueOrder order)
{
    if (NineNumbers nine; isPlainLine(text, order, nine))
        return plainMatrixOf(nine);
    return readAnyMatrix(text, order);
}

} // namespace quorvex::detail
