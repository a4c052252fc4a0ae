#include "reader/MatrixReader.h"

#include "reader/Declarations.h"
#include "reader/Layout.h"
#include "text/Message.h"
#include "text/NumberScanner.h"
#include "text/TextDecoding.h"

#include <algorithm>
#include <optional>
#include <span>

namespace quorvex::detail {
namespace {

    Failure notARotation(std::string_view problem)
    {
        return { Stage::Rotation,
            { Field::Matrix, std::string(label(Field::Matrix)) + ": " + std::string(problem) } };
    }

    // The ways a reading takes what may be read two ways, as bits of Readings::ways.
    constexpr unsigned SeparatingCommas = 1, Groups = 2, Bullets = 4, RowNumbers = 8,
                       LayoutShift = 4;

    unsigned wayOf(const Reading &reading, Layout::Kind layout)
    {
        return (reading.separatingCommas ? SeparatingCommas : 0) | (reading.groups ? Groups : 0)
            | (reading.bullets ? Bullets : 0) | (reading.rowNumbers ? RowNumbers : 0)
            | static_cast<unsigned>(layout) << LayoutShift;
    }

    // What the readings of a text have found: the matrices, or the failure that says most.
    struct Outcome
    {
        Readings readings;
        std::optional<Failure> failed;

        void add(const PastedMatrix &matrix, unsigned way)
        {
            auto &r = readings;
            const auto same = [&](const PastedMatrix &m) { return m.values == matrix.values; };
            if (r.count == Readings::Most
                || std::ranges::any_of(std::span(r.matrices).first(r.count), same))
                return;
            r.matrices[r.count] = matrix;
            r.ways[r.count++] = way;
        }
        // Of two failures, an unclear one prevails; otherwise the one that got further, or of
        // two that found no numbers, the later (separating commas quotes a word without its comma).
        void add(Failure failure)
        {
            if (!failed || failure.stage > failed->stage
                || (failure.stage == failed->stage && failure.stage == Stage::NoNumbers))
                failed = std::move(failure);
        }
    };

    // The matrix of nine values, if they are a rotation with scales.
    std::variant<PastedMatrix, Failure> matrixOf(const std::array<const Value *, 9> &values)
    {
        WrittenValues nine;
        for (std::size_t i = 0; i < 9; ++i) {
            const auto &number = values[i]->number;
            if (!number.value)
                return failure(Stage::Values, values[i]->text, withoutValue(number));
            nine.values[i] = *number.value;
            nine.decimals[i] = number.decimals;
            nine.exponents[i] = number.exponent;
        }
        PastedMatrix matrix;
        if (const auto problem = checkRotation(nine, matrix))
            return notARotation(*problem);
        return matrix;
    }

    // The readings of a text's table as one way of reading it takes it: each layout's matrix.
    void readTable(const Table &table, std::string_view text, const Declaration &declaration,
        const Reading &reading, Outcome &outcome)
    {
        if (table.rowCount == 0 && table.placed == 0) {
            if (!table.firstWithDigit.empty())
                return outcome.add(
                    notANumber(Stage::NoNumbers, table.firstWithDigit, reading.separatingCommas));
            return outcome.add(failure(Stage::NoNumbers, text, " holds no parameter line"));
        }
        const auto layouts
            = layoutOf(table, text, declaration.order, declaration.shape, reading.separatingCommas);
        if (const auto *failed = std::get_if<Failure>(&layouts))
            return outcome.add(*failed);
        for (const auto &layout :
            std::span(std::get<Layouts>(layouts).each).first(std::get<Layouts>(layouts).count)) {
            // Every value up to the last one needed must be a number, written as the reading
            // says.
            bool decimalComma = false, decimalPoint = false, irregular = false;
            std::optional<Failure> failed;
            for (std::size_t r = 0; r < (layout.kind == Layout::Kind::Named ? 0 : layout.rows);
                 ++r) {
                const auto &row = table.rows[r];
                if (!row.label.empty())
                    failed = notANumber(Stage::Values, row.label, reading.separatingCommas);
                else if (r + 1 < layout.rows && !row.cut.empty())
                    failed = notANumber(Stage::Values, row.cut, reading.separatingCommas);
                irregular = irregular || row.irregular;
                for (std::size_t c = 0; c < layout.columns && !failed; ++c) {
                    decimalComma |= table.at(r, c).decimalComma;
                    decimalPoint |= table.at(r, c).text.find('.') != std::string_view::npos;
                }
                if (failed)
                    break;
            }
            if (failed) {
                outcome.add(*failed);
                continue;
            }
            if (reading.separatingCommas && irregular) {
                outcome.add(failure(Stage::Commas, text,
                    " has commas that are neither decimal commas nor separators between values"));
                continue;
            }
            if (decimalComma && decimalPoint && !reading.groups) {
                outcome.add(
                    failure(Stage::Commas, text, " mixes decimal commas and decimal points"));
                continue;
            }
            // A parameter line's decimal point is "." as Quorvex writes it: no mark of thousands.
            if (reading.groups == '.' && layout.parameterLine)
                continue;
            const auto values = std::span(table.values).first(table.stored);
            if (std::ranges::any_of(values, [](const Value &v) { return v.accounting; })
                && std::ranges::any_of(values, [](const Value &v) { return v.minus; })) {
                outcome.add(failure(Stage::Unclear, text,
                    " is unclear: it writes negative numbers both with a minus sign and in "
                    "parentheses, as (1) for -1; write them all one way"));
                continue;
            }
            auto matrix = matrixOf(layout.at);
            if (auto *read = std::get_if<PastedMatrix>(&matrix))
                outcome.add(*read, wayOf(reading, layout.kind));
            else
                outcome.add(std::get<Failure>(matrix));
        }
    }

    // The readings of a plain line's numbers, made where the caller of readMatrix gets them.
    std::variant<Readings, Error> plainMatrixOf(std::string_view text, const WrittenValues &nine)
    {
        std::variant<Readings, Error> read;
        auto &readings = std::get<Readings>(read);
        readings.text = text;
        readings.count = 1;
        if (const auto problem = checkRotation(nine, readings.matrices[0]))
            read = notARotation(*problem).error;
        return read;
    }

} // namespace

// The common line of a batch: plain numbers between blanks or tabs, nine or more of them (but
// not twelve or sixteen), and nothing after them. It reads as the general reading reads it
// (its first nine values, by rows or by columns), only at once; any other text is for the
// general reading. A plain number always has a value, and none needs its text to be named.
bool isPlainLine(std::string_view text, ValueOrder order, WrittenValues &nine)
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
        }
    }
    return count >= 9 && count != 12 && count != 16
        && std::all_of(p, end, [&](char c) { return isBlank(c) || isEnd(c); });
}

Error Readings::unclear(std::size_t a, std::size_t b) const
{
    const auto differ = ways[a] ^ ways[b];
    const auto unclearText = [&](std::string_view what) {
        return errorAbout(Field::Matrix, text, " is unclear: " + std::string(what));
    };
    if (differ & Groups)
        return errorAbout(Field::Matrix, grouped, groupedOrDecimal(grouped, "."));
    if (differ & SeparatingCommas)
        return unclearText("its commas could be decimal commas or separators");
    if (differ & RowNumbers)
        return unclearText("the whole number that begins each line could be the line's number "
                           "or a value");
    if (differ & Bullets)
        return unclearText(
            "a \"-\" apart before the first number of a line could be a list's "
            "bullet or a minus sign; write a minus sign next to its number (\"-1\")");
    const auto layout = static_cast<Layout::Kind>(ways[a] >> LayoutShift);
    if (layout == Layout::Kind::ByRows || layout == Layout::Kind::ByColumns)
        return errorAbout(Field::Matrix, text,
            " holds sixteen numbers that read as a 4×4 transform by rows and by columns, with "
            "different matrices");
    return unclearText("its twelve numbers could be a *.him line (nine, then a translation) or "
                       "three rows of four; write the matrix's rows on lines of their own");
}

std::variant<Readings, Error> readAnyMatrix(std::string_view text, ValueOrder order)
{
    auto declared = declarationOf(text, order);
    if (auto *error = std::get_if<Error>(&declared))
        return std::move(*error);
    const auto &declaration = std::get<Declaration>(declared);
    const auto source = declaration.list.empty() ? text : declaration.list;
    const bool oneList = !declaration.list.empty();

    // The first reading takes commas as decimal commas, a dash apart as a sign and no digits as
    // grouped; what its table holds tells which other readings the text calls for.
    Outcome outcome;
    auto &readings = outcome.readings;
    readings.text = source;
    const auto first = tableOf(source, {}, oneList);
    if (first.groupMark != 0) {
        const auto values = std::span(first.values).first(first.stored);
        const auto grouped = std::ranges::find_if(
            values, [&](const Value &value) { return looksGrouped(value.text, first.groupMark); });
        readings.grouped = grouped != values.end() ? grouped->text : std::string_view();
    }
    for (const bool separating : { false, true }) {
        for (const char groups : { '\0', first.groupMark }) {
            if (separating && !first.sawComma)
                continue;
            const Reading signs { separating, groups, false };
            const auto table = separating || groups != 0 ? tableOf(source, signs, oneList) : first;
            // A "-" apart before the first value of a line ("- 1 0 0") is a sign, unless the
            // text writes lists: where every line of values begins with one and one of them is
            // no sign ("- 0", "- -0.5"), they are bullets. Elsewhere both readings are made.
            const bool onlyBullets
                = table.dashLines > 0 && table.dashLines == table.valueLines && table.dashIsBullet;
            if (!onlyBullets)
                readTable(table, source, declaration, signs, outcome);
            if (table.dashLines > 0) {
                const Reading bullets { separating, groups, true };
                readTable(tableOf(source, bullets, oneList), source, declaration, bullets, outcome);
            }
            if (first.groupMark == 0)
                break; // no digits that may be grouped: no second reading of them
        }
    }
    if (first.numberedRows) {
        // Where taking the first number of each line for the line's number fails, why the text
        // fails is what the readings without it say.
        const Reading numbered { false, '\0', false, true };
        auto failed = outcome.failed;
        readTable(tableOf(source, numbered, oneList), source, declaration, numbered, outcome);
        if (!outcome.failed || outcome.failed->stage != Stage::Unclear)
            outcome.failed = std::move(failed);
    }
    // A reading that finds the text unclear makes it so, whatever the others find.
    if (outcome.failed && outcome.failed->stage == Stage::Unclear)
        return outcome.failed->error;
    if (readings.count > 0)
        return readings;
    return outcome.failed->error;
}

std::variant<Readings, Error> readMatrix(std::string_view text, ValueOrder order)
{
    if (WrittenValues nine; isPlainLine(text, order, nine))
        return plainMatrixOf(text, nine);
    return readAnyMatrix(text, order);
}

} // namespace quorvex::detail
