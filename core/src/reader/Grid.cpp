#include "reader/Grid.h"

#include "reader/Tokens.h"
#include "text/TextDecoding.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace quorvex::detail {
namespace {

    // A row and a column, from 0; None where a name or a subscript gives none.
    using Place = std::pair<std::size_t, std::size_t>;
    constexpr std::size_t None = 9;
    constexpr Place NoPlace { None, None };

    // A run of tokens between separators, and what stood between it and the run before.
    struct Cell
    {
        std::string_view text;
        std::string_view sign; // a sign that stood apart before the number: "− 1", "- 1"
        int commasBefore = 0; // where commas separate; 2 for two or more
        bool newLine = false;
        bool rowEndBefore = false; // ";", "\" or a new group: "), ("
        bool firstOnLine = false;
        bool parenthesized = false; // "(1.00)", a spreadsheet's negative
        bool name = false; // a word alone: a label, or a cell's name
        std::optional<Place> place; // "r12", "R[0][1]"

        // The cell with the sign that stood apart before it, as a message quotes it.
        std::string_view whole() const
        {
            return sign.empty()
                ? text
                : std::string_view(
                    sign.data(), static_cast<std::size_t>(text.data() + text.size() - sign.data()));
        }
        bool mayBeBullet() const { return firstOnLine && sign == "-"; }
    };

    // The row and the column that a cell's name writes: up to two letters, maybe "_", and two
    // digits or two of x, y and z, as "r12", "m01", "R_00", "_11" and "Rxy" do.
    std::optional<Place> placeNamed(std::string_view word)
    {
        if (word.size() < 3 || word.size() > 5)
            return std::nullopt;
        const auto index = [&](char c) -> std::size_t {
            return c >= '0' && c <= '4' ? static_cast<std::size_t>(c - '0')
                : c >= 'x' && c <= 'z'  ? static_cast<std::size_t>(c - 'x')
                                        : None;
        };
        const auto row = index(word[word.size() - 2]), column = index(word[word.size() - 1]);
        auto prefix = word.substr(0, word.size() - 2);
        if (prefix.ends_with('_'))
            prefix.remove_suffix(1);
        const bool letters = prefix.size() <= 2 && std::ranges::all_of(prefix, [](char c) {
            return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
        });
        // Letters for indices follow a capital: "Rxy", "Ixx", not "xyz".
        const bool digits = isDigit(word.back());
        if (!letters || row == None || column == None || isDigit(word[word.size() - 2]) != digits
            || (!digits && (prefix.empty() || prefix[0] < 'A' || prefix[0] > 'Z'))
            || (prefix.empty() && word.size() != 3))
            return std::nullopt;
        return std::pair(row, column);
    }

    // The cells of a text, one at a time, from its tokens. Brackets, quotes, rules, ";" and "\"
    // separate cells, and so do commas where the reading takes them for separators, but not in
    // quotes ("1,000" in a CSV file). Template arguments ("std::array<double, 9>"), subscripts
    // after a name ("R[3][3]") and R's row and column labels ("[1,]", "[,1]") are no cells; a
    // name's subscripts place the value after it ("R[0][1] = -0.47"). A "+" apart at the start
    // of a line (R's continuation prompt, a bullet) changes no value and is passed over.
    class Cells
    {
    public:
        Cells(std::string_view text, const Reading &reading)
            : m_tokens(text)
            , m_reading(reading)
        { }

        bool next(Cell &cell);
        bool sawComma() const { return m_sawComma; }

    private:
        bool take(Token &t)
        {
            if (m_ahead > 0) {
                t = m_buffer[--m_ahead];
                return true;
            }
            if (!m_tokens.next(t))
                return false;
            m_sawComma = m_sawComma || t.kind == TokenKind::Comma;
            return true;
        }
        void putBack(const Token &t) { m_buffer[m_ahead++] = t; }
        // Whether a ":" is the first of "::".
        bool startsScope(const Token &colon)
        {
            Token next;
            if (colon.kind != TokenKind::Colon || !take(next))
                return false;
            putBack(next);
            return next.kind == TokenKind::Colon && next.glued;
        }
        bool separates(const Token &t) const;
        std::optional<Place> subscript(const Token &open, bool afterName);
        void takeNumberAfterSign(Cell &cell);

        Tokens m_tokens;
        const Reading &m_reading;
        std::array<Token, 6> m_buffer;
        std::size_t m_ahead = 0;
        Token m_last;
        bool m_openAfterName = false; // the last "(" follows a name: it holds a call's arguments
        std::string_view m_subscriptEnd; // the ")" of the last place given by indices
        bool m_sawComma = false, m_inQuotes = false, m_lineHasCells = false;
        bool m_lineHasDashesOnly = false; // its cells so far are bullets' dashes: "- - 1"
    };

    bool Cells::separates(const Token &t) const
    {
        switch (t.kind) {
        case TokenKind::Comma:
            return m_reading.separatingCommas && !m_inQuotes;
        case TokenKind::Number:
        case TokenKind::Word:
        case TokenKind::Sign:
        case TokenKind::Point:
        case TokenKind::Mark:
        case TokenKind::Colon:
        case TokenKind::Equals:
            return false;
        default:
            return true;
        }
    }

    // What a "[" or "(" opens, where it opens no list of values: R's row or column label ("[1,]",
    // "[,1]"), or after a name a subscript or a size ("R[9]", "double R[3][3]") or the place
    // of the value that follows ("R[0][1] = -0.47", "R(1, 2) = -0.47"); the place, None for none.
    // Anything else is put back to be read.
    std::optional<Place> Cells::subscript(const Token &open, bool afterName)
    {
        std::array<Token, 5> seen;
        std::size_t count = 0;
        for (Token t; count < seen.size() && take(t);) {
            seen[count++] = t;
            if (t.kind == TokenKind::Close || t.kind == TokenKind::LineBreak)
                break;
        }
        using enum TokenKind;
        const auto is = [&](std::initializer_list<TokenKind> expected) {
            return count == expected.size() && seen[count - 1].bracket == open.bracket
                && std::ranges::equal(std::span(seen).first(count), expected, {},
                    [](const Token &t) { return t.kind; });
        };
        const auto index = [&](std::size_t i) {
            return seen[i].text.size() == 1 ? static_cast<std::size_t>(seen[i].text[0] - '0')
                                            : None;
        };
        if (open.bracket == '[' && (is({ Comma, Number, Close }) || is({ Number, Comma, Close })))
            return NoPlace;
        if (afterName && is({ Number, Comma, Number, Close })) {
            m_subscriptEnd = seen[3].text;
            return std::pair(index(0), index(2));
        }
        // A prompt's number: "In [3]:", "Out[3]:".
        if (open.bracket == '[' && is({ Number, Close })) {
            Token next;
            const bool prompt = take(next) && next.kind == Colon && next.glued;
            putBack(next);
            if (prompt)
                return NoPlace;
        }
        if (afterName && open.bracket == '[' && is({ Number, Close })) {
            // "[0][1]": a second subscript gives the column.
            Token next;
            if (take(next)) {
                if (next.kind == Open && next.glued && next.bracket == '[') {
                    if (const auto column = subscript(next, true); column && column->second == None)
                        return std::pair(index(0), column->first);
                    return NoPlace;
                }
                putBack(next);
            }
            return Place(index(0), None);
        }
        while (count > 0)
            putBack(seen[--count]);
        return std::nullopt;
    }

    // A sign that stands apart ("− 1", or "−" on a line of its own above its number) is the
    // number's: the cell becomes the number, with the sign beside it, where an unsigned number
    // follows.
    void Cells::takeNumberAfterSign(Cell &cell)
    {
        Token next, after;
        if (!take(next))
            return;
        bool crossedLine = false;
        if (next.kind == TokenKind::LineBreak && cell.firstOnLine) {
            // Alone on its line: the next line begins with the number.
            if (!take(after)) {
                putBack(next);
                return;
            }
            if (after.kind == TokenKind::Number) {
                crossedLine = true;
                std::swap(next, after);
            } else {
                putBack(after);
            }
        }
        if (next.kind != TokenKind::Number || (next.glued && !crossedLine)) {
            putBack(next);
            if (crossedLine)
                putBack(after);
            return;
        }
        cell.sign = cell.text;
        cell.text = next.text;
        for (Token t; take(t);) {
            if (!t.glued || separates(t)) {
                putBack(t);
                break;
            }
            cell.text = spanning(cell.text, t.text);
        }
        cell.newLine |= crossedLine;
    }

    bool Cells::next(Cell &cell)
    {
        cell = {};
        bool closed = false; // a group closed since the last cell
        std::optional<Place> place;
        for (Token t; take(t);) {
            switch (t.kind) {
            case TokenKind::Comma:
                if (separates(t))
                    cell.commasBefore = std::min(cell.commasBefore + 1, 2);
                else
                    break;
                m_last = t;
                continue;
            case TokenKind::LineBreak:
                cell.newLine = true;
                m_lineHasCells = m_inQuotes = false;
                place.reset();
                m_last = t;
                continue;
            case TokenKind::RowEnd:
                cell.rowEndBefore = true;
                m_last = t;
                continue;
            case TokenKind::Close:
                closed = true;
                m_last = t;
                continue;
            case TokenKind::Open:
                if (t.bracket == '<') {
                    // Template arguments: "Matrix<double, 3, 3>".
                    for (Token inner; take(inner)
                         && !(inner.kind == TokenKind::Close && inner.bracket == '<'
                             && inner.depth == t.depth);)
                        ;
                    continue;
                }
                // "((1, 0, 0), (0, 1, 0), …)": each group a row.
                cell.rowEndBefore |= closed;
                m_openAfterName = t.glued && m_last.kind == TokenKind::Word;
                if (const auto at = subscript(t,
                        t.glued
                            && (m_last.kind == TokenKind::Word
                                || (m_last.kind == TokenKind::Close && m_last.bracket == '[')))) {
                    place = at->second != None ? at : std::nullopt;
                    m_last = t;
                    m_last.kind = TokenKind::Close; // a second subscript may follow: "[3][3]"
                    continue;
                }
                place.reset();
                m_last = t;
                continue;
            case TokenKind::Quote:
                m_inQuotes = t.text == "\"" ? !m_inQuotes : m_inQuotes;
                m_last = t;
                continue;
            case TokenKind::Rule:
                m_last = t;
                continue;
            case TokenKind::Colon:
            case TokenKind::Equals:
                // After a name, ":" and "=" give it a value: "r11 = 0.81", "R_00: 0.81".
                if (m_last.kind == TokenKind::Word || (m_last.kind == TokenKind::Close && place)
                    || m_last.kind == TokenKind::Quote) {
                    m_last = t;
                    continue;
                }
                break;
            default:
                break;
            }
            // A cell: tokens glued together that separate nothing.
            const bool parenthesis
                = m_last.kind == TokenKind::Open && m_last.bracket == '(' && t.glued;
            const bool afterName = parenthesis && m_openAfterName;
            cell.text = t.text;
            Token last = t, next;
            for (; take(next); last = next) {
                // After a name, ":" and "=" give it a value; "::" joins names ("glm::vec3").
                if (!next.glued || separates(next)
                    || ((next.kind == TokenKind::Colon || next.kind == TokenKind::Equals)
                        && last.kind == TokenKind::Word && !startsScope(next))) {
                    putBack(next);
                    break;
                }
                cell.text = spanning(cell.text, next.text);
            }
            m_last = last;
            // A name with its place, "R(2,1)", names a cell as a header does; before ":" or "="
            // it places the value after them.
            std::optional<Place> named;
            if (last.kind == TokenKind::Word && take(next)) {
                const bool opens = next.glued && next.kind == TokenKind::Open;
                std::optional<Place> at;
                if (opens && next.bracket == '(' && (at = subscript(next, true))) {
                    Token after;
                    const bool assigned = take(after)
                        && (putBack(after),
                            after.kind == TokenKind::Colon || after.kind == TokenKind::Equals);
                    m_last = next;
                    m_last.kind = TokenKind::Close;
                    cell.rowEndBefore |= closed;
                    if (assigned || at->second == None) {
                        place = at->second != None ? at : std::nullopt;
                        continue;
                    }
                    named = at;
                    cell.text = spanning(cell.text, m_subscriptEnd);
                } else {
                    putBack(next);
                    // The name of a call or a constructor before its values is no cell:
                    // "Matrix3(", "c(", "np.float64(", "vec3{", and a type's before its
                    // arguments: "vec3<f32>(".
                    if (opens
                        && (next.bracket == '(' || next.bracket == '{' || next.bracket == '<'))
                        continue;
                }
            }
            cell.place = named ? named : place;
            // A name, maybe a member's ("m.m01", "glm::mat3"): a label, or a cell's place.
            cell.name = named
                || (last.kind == TokenKind::Word && std::ranges::all_of(cell.text, [](char c) {
                       return isNameCharacter(c) || c == '.' || c == ':' || (c & 0x80) != 0;
                   }));
            if (cell.name && !cell.place)
                cell.place = placeNamed(last.text);
            // YAML writes a list of rows as "- - 1", each "-" a bullet: a "-" after nothing but
            // such dashes is as much the line's first as they are.
            cell.firstOnLine = !m_lineHasCells || m_lineHasDashesOnly;
            m_lineHasDashesOnly = false;
            if (cell.text == "+" && cell.firstOnLine) {
                cell.text = {};
                continue;
            }
            m_lineHasCells = true;
            if (cell.text == "-" || cell.text == TypographicMinus)
                takeNumberAfterSign(cell);
            m_lineHasDashesOnly = cell.text == "-" && cell.firstOnLine;
            if (take(next)) {
                // Parentheses right after a name hold a call's argument, "SOneTo(3)", not a
                // negative.
                cell.parenthesized = parenthesis && !afterName && next.kind == TokenKind::Close
                    && next.bracket == '(' && next.glued;
                putBack(next);
            }
            return true;
        }
        return false;
    }

    // The number that a cell is from its first character to its last, if it is one. A cell holds
    // a comma only where commas are read as decimal commas or grouping marks, or in quotes, and
    // then between two digits. A sign apart is the number's, but for a bullet where the reading
    // takes one; a number alone in parentheses is negative.
    std::optional<Value> numberIn(const Cell &cell, const Reading &reading)
    {
        const auto text = cell.text;
        Value value;
        value.text = text;
        if (reading.groups != 0 && looksGrouped(text, reading.groups)) {
            // "1,000", "-2.000": a thousand, two thousand.
            std::string digits(text);
            std::erase(digits, reading.groups);
            value.number = scanNumber(digits, ".");
            value.number.length = value.number.length == digits.size() ? text.size() : 0;
            value.grouped = true;
        } else {
            const auto comma = text.find(',');
            value.decimalComma = comma != std::string_view::npos;
            // A reading that groups digits with a mark reads no number that holds it otherwise.
            if ((value.decimalComma
                    && (reading.groups == ',' || comma == 0 || comma + 1 == text.size()
                        || !isDigit(text[comma - 1]) || !isDigit(text[comma + 1])))
                || (reading.groups == '.' && text.find('.') != std::string_view::npos))
                return std::nullopt;
            value.number = scanNumber(text, value.decimalComma ? "," : ".");
        }
        if (value.number.length == 0 || value.number.length != text.size())
            return std::nullopt;
        value.minus = text.starts_with('-') || text.starts_with(TypographicMinus);
        const bool signed_ = value.minus || text.starts_with('+');
        const bool sign = !cell.sign.empty() && !(reading.bullets && cell.mayBeBullet());
        value.accounting = cell.parenthesized && !signed_;
        if ((sign || value.accounting) && value.number.value) {
            value.number.value = -*value.number.value;
            value.minus |= sign;
        }
        return value;
    }

    // One line of cells: a label, a run of values, and the cut that ends them; ";", "\", a new
    // group or commas between blank-separated runs may cut the run into rows.
    class Line
    {
    public:
        // Takes the next cell of the line; once a cut has ended its values, or it holds as many as
        // count, the rest of the line is passed over.
        void take(const Cell &cell, const Reading &reading, Table &table)
        {
            if (m_cells++ == 0 && cell.firstOnLine && (cell.text == "-" || cell.mayBeBullet()))
                m_dash = cell.sign.empty() ? Dash::Bullet : Dash::Either;
            auto value = numberIn(cell, reading);
            // A cell's name, or the subscripts before it, place the value after it.
            auto place = cell.name ? std::nullopt : cell.place ? cell.place : m_place;
            m_place = cell.name ? cell.place : std::nullopt;
            if (cell.name && m_count == 0 && m_header.size() < Table::MostInRow) {
                m_header.push_back(cell.place.value_or(NoPlace));
                m_names += cell.place ? 1U : 0U;
            }
            if (value && !place && m_count < m_headerAbove.size()
                && m_headerAbove[m_count].first != None)
                place = m_headerAbove[m_count];
            if (value && place) {
                const auto [row, column] = *place;
                if (row > 4 || column > 4 || table.places[row][column] != 0)
                    table.misplaced = table.misplaced.empty() ? cell.text : table.misplaced;
                else
                    table.placedValues[table.placed] = *value,
                    table.places[row][column] = static_cast<unsigned char>(++table.placed);
            }
            // "Row 1:": a name's number is part of the label.
            const bool afterName = std::exchange(m_afterName, cell.name);
            if (!m_cut.empty() || m_count == Table::MostInRow) {
                m_numbersAfterCut = m_numbersAfterCut || hasDigit(cell.text);
                return;
            }
            const bool whole = value && value->number.decimals == 0 && value->number.exponent == 0
                && !value->minus;
            if (value) {
                m_named += afterName && whole ? 1U : 0U;
                m_wholeNumbers = m_wholeNumbers && whole;
                m_numbered = m_count == 0 && !m_numberSkipped ? whole : m_numbered;
            }
            if (value && reading.rowNumbers && m_count == 0 && whole && !m_numberSkipped) {
                m_numberSkipped = true;
                return;
            }
            if (value) {
                if (m_dash == Dash::Either && m_count == 0 && value->number.value == 0.0)
                    m_dash = Dash::Bullet; // "- 0": nobody writes a zero's sign apart
                if (m_count == 0) {
                    m_first = table.stored;
                } else {
                    const auto gap = cell.rowEndBefore ? 2 : cell.commasBefore > 0 ? 1 : 0;
                    m_gaps[std::min(m_count - 1, m_gaps.size() - 1)] = gap;
                    m_doubleComma = m_doubleComma || cell.commasBefore > 1;
                    m_strongest = std::max(m_strongest, gap);
                    m_weakest = std::min(m_weakest, gap);
                }
                if (table.stored < table.values.size())
                    table.values[table.stored++] = *value;
                ++m_count;
                if (table.groupMark == 0)
                    table.groupMark = looksGrouped(cell.text, ',') ? ','
                        : looksGrouped(cell.text, '.')             ? '.'
                                                                   : 0;
            } else if (m_count > 0) {
                m_cut = cell.whole();
            } else if (m_label.empty() && !(afterName && cell.text.ends_with(':'))
                && (isNonFinite(cell.text) || (!cell.name && hasDigit(cell.text))
                    || cell.text == TypographicMinus)) {
                // A typographic minus is a sign, never a bullet: it may not be passed over.
                m_label = cell.whole();
            }
        }

        // Ends the line: its values become one row, or one row for each part that the strongest
        // separator between them cuts off (";", "\" or a new group; or commas between runs set
        // apart by blanks, "1 0 0, 0 1 0, 0 0 1"), where those parts are rows of equal length. A
        // line of names alone is a header for the values of the next line ("r11,r21,…"); a line
        // without values is skipped.
        void end(Table &table, const Reading &reading)
        {
            if (m_count == 0) {
                auto header = m_names >= 3 && m_label.empty() ? m_header : std::vector<Place>();
                *this = {};
                m_headerAbove = std::move(header);
                return;
            }
            // A line of names' numbers heads what follows ("RECORD 1", "Column 1 | Column 2"),
            // and so does a first one of whole numbers alone where rows are numbered ("0 1 2").
            if (m_named == m_count
                || (reading.rowNumbers && m_wholeNumbers && table.valueLines == 0
                    && !std::exchange(table.numbersHead, true))) {
                table.stored = std::min(table.stored, m_first);
                auto header = std::move(m_headerAbove);
                *this = {};
                m_headerAbove = std::move(header);
                return;
            }
            table.numberedLines += m_numbered || m_numberSkipped ? 1U : 0U;
            ++table.valueLines;
            table.dashLines += m_dash != Dash::Absent ? 1 : 0;
            table.dashIsBullet = table.dashIsBullet || m_dash == Dash::Bullet;
            const bool overflowed
                = m_count == Table::MostInRow && m_cut.empty() && m_numbersAfterCut;
            // The parts between the strongest separators: how many, the first one's length,
            // whether every later one has it.
            std::size_t cuts = 0, length = 0, firstLength = 0;
            bool equal = true;
            bool irregular = false; // commas between some values of a part and not others
            bool commas = false, blanks = false; // between values of the part so far
            for (std::size_t i = 1; i <= m_count; ++i) {
                const int gap = i < m_count ? m_gaps[std::min(i - 1, m_gaps.size() - 1)] : 2;
                const bool cut = i == m_count || gap == m_strongest;
                commas = commas || (gap == 1 && !cut);
                blanks = blanks || (gap == 0 && !cut);
                ++length;
                if (cut) {
                    irregular = irregular || (commas && blanks);
                    commas = blanks = false;
                    firstLength = cuts == 0 ? length : firstLength;
                    // Values beyond those a line counts end its last part early.
                    equal = equal && (length == firstLength || (i == m_count && overflowed));
                    cuts += i < m_count ? 1 : 0;
                    length = 0;
                }
            }
            // Commas between four groups of three set apart a *.him line's groups, with its
            // translation.
            const bool himLine = m_strongest == 1 && cuts == 3 && firstLength == 3;
            const bool cutIntoRows = cuts > 0 && !himLine && equal && firstLength >= 3;
            // Rows that go on beyond the values a line counts: more than a matrix has.
            if (cutIntoRows && overflowed && table.rowsBeyond.first == 0)
                table.rowsBeyond = { cuts, firstLength };
            const std::size_t rows = cutIntoRows ? cuts + 1 : 1;
            for (std::size_t i = 0; i < rows && table.rowCount < table.rows.size(); ++i) {
                auto &row = table.rows[table.rowCount++];
                row.count = m_count / rows;
                row.first = m_first + i * row.count;
                row.label = i == 0 ? m_label : std::string_view();
                row.cut = i + 1 == rows ? m_cut : std::string_view();
                row.numbersAfterCut = i + 1 == rows && m_numbersAfterCut;
                // Where the commas still stand between some of its values and not others, they
                // are neither decimal commas nor separators.
                row.irregular = m_doubleComma
                    || (cutIntoRows || himLine ? irregular : m_strongest == 1 && m_weakest == 0);
            }
            // A header names the values of every line below it: a second line of values is a
            // second matrix's.
            auto header = std::move(m_headerAbove);
            *this = {};
            m_headerAbove = std::move(header);
        }

    private:
        enum class Dash { Absent, Either, Bullet }; // a "-" apart before its first value
        std::size_t m_first = 0, m_count = 0, m_cells = 0;
        std::array<int, Table::MostInRow> m_gaps {}; // 0 blank, 1 comma, 2 a row's end
        int m_strongest = 0, m_weakest = 2;
        std::string_view m_cut, m_label;
        bool m_numbersAfterCut = false, m_doubleComma = false, m_afterName = false;
        bool m_numbered = false, m_numberSkipped = false, m_wholeNumbers = true;
        std::size_t m_named = 0; // values that are whole numbers after a name: "Column 1"
        Dash m_dash = Dash::Absent;
        std::optional<Place> m_place;
        std::size_t m_names = 0; // cells' names in a line without values
        std::vector<Place> m_header, m_headerAbove;
    };

} // namespace

Table tableOf(std::string_view text, const Reading &reading, bool oneList)
{
    Table table;
    Cells cells(text, reading);
    Line line;
    Cell cell;
    // A first row of nine values or more decides the shape, and so do too many rows, unless
    // values are placed by their names.
    const auto decided = [&] {
        return table.placed == 0
            && ((table.rowCount > 0 && table.rows[0].count >= 9)
                || table.rowCount > Table::MostRows);
    };
    while (!decided() && cells.next(cell)) {
        if (cell.newLine && !oneList)
            line.end(table, reading);
        if (decided()) {
            // After a line of nine values or more, a value on a later line is another matrix's;
            // a remark's are not ("# from run 2", "// frame 3").
            for (bool remark = false; table.rows[0].count >= 9 && !table.valuesAfter;) {
                remark = (remark && !cell.newLine)
                    || (cell.firstOnLine
                        && (cell.text.starts_with('#') || cell.text.starts_with("//")
                            || cell.text.starts_with('%')));
                table.valuesAfter = !remark && numberIn(cell, reading).has_value();
                if (!cells.next(cell))
                    break;
            }
            break;
        }
        if (table.firstWithDigit.empty()
            && (hasDigit(cell.text) || hasOtherDigit(cell.text) || isNonFinite(cell.text)))
            table.firstWithDigit = cell.whole();
        line.take(cell, reading, table);
    }
    if (!decided())
        line.end(table, reading);
    table.sawComma = cells.sawComma();
    table.numberedRows = table.valueLines >= 3 && table.numberedLines >= table.valueLines - 1;
    return table;
}

bool isNonFinite(std::string_view text)
{
    if (text.starts_with('-') || text.starts_with('+'))
        text.remove_prefix(1);
    std::string folded;
    for (const char c : text)
        folded += asciiLower(c);
    return folded == "inf" || folded == "infinity" || folded == "nan";
}

bool hasDigit(std::string_view text)
{
    return std::ranges::any_of(text, isDigit);
}

bool hasStrayComma(std::string_view text)
{
    for (auto comma = text.find(','); comma != std::string_view::npos;
         comma = text.find(',', comma + 1)) {
        if (comma == 0 || comma + 1 == text.size() || !isDigit(text[comma - 1])
            || !isDigit(text[comma + 1]))
            return true;
    }
    return false;
}

} // namespace quorvex::detail
