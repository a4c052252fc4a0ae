#include "reader/MatrixCells.h"

#include "text/TextDecoding.h"

#include <algorithm>
#include <array>

namespace quorvex::detail {
namespace {

    constexpr std::string_view Minus = "\u2212";

    // "3x3", "4x4", "3×4": the size that a matrix's header states ("<Matrix 4x4 (", "3×3
    // Matrix{Float64}:"), part of the header and no value.
    bool isSizeTag(std::string_view text)
    {
        const auto isSize = [](char c) { return c == '3' || c == '4'; };
        return (text.size() == 3 && isSize(text[0]) && text[1] == 'x' && isSize(text[2]))
            || (text.size() == 4 && isSize(text[0]) && text.substr(1, 2) == "\u00d7"
                && isSize(text[3]));
    }

} // namespace

bool hasDigit(std::string_view text)
{
    return std::ranges::any_of(text, isDigit);
}

Cells::Kind Cells::kindHere(std::size_t &length)
{
    // Most text is ASCII: a table answers for its bytes without decoding.
    static constexpr auto ascii = [] {
        std::array<Kind, 128> kinds {};
        for (const char c : std::string_view(" \t<>|&\"'`"))
            kinds[static_cast<std::size_t>(c)] = Kind::Separator;
        for (const char c : std::string_view("([{"))
            kinds[static_cast<std::size_t>(c)] = Kind::Open;
        for (const char c : std::string_view(")]}"))
            kinds[static_cast<std::size_t>(c)] = Kind::Close;
        for (const char c : std::string_view(";\\"))
            kinds[static_cast<std::size_t>(c)] = Kind::RowEnd;
        for (const char c : std::string_view("\n\v\f\r"))
            kinds[static_cast<std::size_t>(c)] = Kind::LineBreak;
        kinds[','] = Kind::Comma;
        return kinds;
    }();
    const auto byte = static_cast<unsigned char>(m_text[m_pos]);
    Kind kind = Kind::Text;
    if (byte < 0x80) {
        length = 1;
        kind = ascii[byte];
    } else {
        const auto c = characterAt(m_text, m_pos);
        length = c.length;
        // Zero-width characters, and the byte-order mark of a file copied whole, show nothing.
        if (isLineBreak(c.code))
            kind = Kind::LineBreak;
        else if (isWhiteSpace(c.code) || c.code == 0x200B || c.code == 0x2060 || c.code == 0xFEFF)
            kind = Kind::Separator;
    }
    if (kind != Kind::Comma)
        return kind;
    m_sawComma = true;
    return m_commas == Commas::Separating ? Kind::Comma : Kind::Text;
}

// Where the run of text that begins at `begin` ends.
std::size_t Cells::runEnd(std::size_t begin)
{
    std::size_t length = 0;
    for (m_pos = begin; m_pos < m_text.size() && kindHere(length) == Kind::Text;)
        m_pos += length;
    return m_pos;
}

// Where a subscript or size that opens at `open` ends, or 0 where none does: "[9]" and "<double,
// 9>" after a name, "[3]" after another subscript, and R's labels "[1,]" and "[,1]".
std::size_t Cells::subscriptEnd(std::size_t open) const
{
    const char bracket = m_text[open];
    const char before = open > 0 ? m_text[open - 1] : ' ';
    const bool afterName = isNameCharacter(before);
    // Each looks no further than such a short text goes: no text is read twice over.
    if (bracket == '<' && afterName) {
        // Template arguments: names, numbers, commas, blanks and "::".
        const auto window = m_text.substr(open + 1, 40);
        const auto close = window.find('>');
        const bool plain = close != std::string_view::npos
            && std::ranges::all_of(window.substr(0, close),
                [](char c) { return isNameCharacter(c) || c == ',' || c == ' ' || c == ':'; });
        return plain ? open + close + 2 : 0;
    }
    if (bracket != '[')
        return 0;
    const auto close = m_text.substr(0, open + 12).find(']', open);
    if (close == std::string_view::npos)
        return 0;
    auto inside = m_text.substr(open + 1, close - open - 1);
    const bool rLabel = inside.size() > 1 && (inside.front() == ',' || inside.back() == ',');
    if (rLabel)
        inside = inside.front() == ',' ? inside.substr(1) : inside.substr(0, inside.size() - 1);
    const bool digits = !inside.empty() && std::ranges::all_of(inside, isDigit);
    return digits && (rLabel || afterName || before == ']') ? close + 1 : 0;
}

// Where a quoted cell that keeps its commas ends ("1,000" in a CSV file whose commas separate
// its cells), or 0 where the quote opens none.
std::size_t Cells::quotedEnd(std::size_t quote) const
{
    const auto close = m_text.substr(0, quote + 40).find('"', quote + 1);
    if (close == std::string_view::npos || close == quote + 1)
        return 0;
    const auto inside = m_text.substr(quote + 1, close - quote - 1);
    const bool number = inside.find(',') != std::string_view::npos
        && std::ranges::all_of(inside,
            [](char c) { return isDigit(c) || c == ',' || c == '.' || c == '-' || c == '+'; });
    return number ? close : 0;
}

// A sign that stands apart ("− 1", or "−" on a line of its own above its number) is the number's:
// the cell becomes the number, with the sign beside it. False where no unsigned number follows.
bool Cells::takeNumberAfterSign(Cell &cell)
{
    std::size_t pos = m_pos;
    const auto lineBreakAt
        = [&](std::size_t at) { return isLineBreak(characterAt(m_text, at).code); };
    const auto skipBlanks = [&] {
        for (std::size_t length;
             pos < m_text.size() && (length = whiteSpaceAt(m_text, pos)) > 0 && !lineBreakAt(pos);)
            pos += length;
    };
    skipBlanks();
    bool crossedLine = false;
    if (cell.firstOnLine && pos < m_text.size() && lineBreakAt(pos)) {
        // Alone on its line: the next line begins with the number.
        pos += m_text.substr(pos, 2) == "\r\n" ? 2 : characterAt(m_text, pos).length;
        skipBlanks();
        crossedLine = true;
    }
    const auto startsNumber = [&](std::size_t at) {
        return at < m_text.size()
            && (isDigit(m_text[at])
                || (m_text[at] == '.' && at + 1 < m_text.size() && isDigit(m_text[at + 1])));
    };
    if (pos == m_pos || !startsNumber(pos))
        return false;
    cell.sign = cell.text;
    cell.text = m_text.substr(pos, runEnd(pos) - pos);
    cell.newLine |= crossedLine;
    return true;
}

bool Cells::next(Cell &cell)
{
    cell = {};
    bool closed = false; // a group closed since the last cell
    for (std::size_t length = 0; m_pos < m_text.size(); m_pos += length) {
        switch (kindHere(length)) {
        case Kind::Comma:
            // None, one or more is all a reading asks: a line of commas cannot overflow it.
            cell.commasBefore = std::min(cell.commasBefore + 1, 2);
            break;
        case Kind::LineBreak:
            cell.newLine = true;
            m_lineHasCells = false;
            break;
        case Kind::RowEnd:
            cell.rowEndBefore = true;
            break;
        case Kind::Close:
            closed = true;
            break;
        case Kind::Open:
            // "((1, 0, 0), (0, 1, 0), …)": each group a row.
            cell.rowEndBefore |= closed;
            if (const auto end = subscriptEnd(m_pos))
                length = end - m_pos;
            break;
        case Kind::Separator:
            if (m_text[m_pos] == '<') {
                if (const auto end = subscriptEnd(m_pos))
                    length = end - m_pos;
            } else if (m_text[m_pos] == '"' && m_commas == Commas::Separating) {
                if (const auto end = quotedEnd(m_pos)) {
                    cell.text = m_text.substr(m_pos + 1, end - m_pos - 1);
                    cell.firstOnLine = !m_lineHasCells;
                    m_lineHasCells = true;
                    m_lineHasDashesOnly = false;
                    m_pos = end + 1;
                    return true;
                }
            }
            break;
        case Kind::Text: {
            const auto begin = m_pos;
            const auto end = runEnd(begin);
            cell.text = m_text.substr(begin, end - begin);
            // YAML writes a list of rows as "- - 1", each "-" a bullet: a "-" after nothing but
            // such dashes is as much the line's first as they are.
            cell.firstOnLine = !m_lineHasCells || m_lineHasDashesOnly;
            m_lineHasDashesOnly = false;
            if (cell.text == "+" && cell.firstOnLine) {
                cell.text = {};
                length = 0;
                break;
            }
            m_lineHasCells = true;
            if ((cell.text == "-" || cell.text == Minus) && takeNumberAfterSign(cell))
                return true;
            m_lineHasDashesOnly = cell.text == "-" && cell.firstOnLine;
            cell.sizeTag = isSizeTag(cell.text);
            // Parentheses right after a name hold a call's argument, "SOneTo(3)", not a negative.
            cell.parenthesized = begin > 0 && m_text[begin - 1] == '(' && end < m_text.size()
                && m_text[end] == ')' && !(begin > 1 && isNameCharacter(m_text[begin - 2]));
            return true;
        }
        }
    }
    return false;
}

std::optional<Value> numberIn(const Cell &cell, Dashes dashes)
{
    const auto text = cell.text;
    const auto comma = text.find(',');
    const bool decimalComma = comma != std::string_view::npos;
    if (decimalComma
        && (comma == 0 || comma + 1 == text.size() || !isDigit(text[comma - 1])
            || !isDigit(text[comma + 1])))
        return std::nullopt;
    Value value { text, scanNumber(text, decimalComma ? "," : "."), cell.commasBefore,
        decimalComma };
    if (value.number.length == 0 || value.number.length != text.size())
        return std::nullopt;
    value.minus = text.starts_with('-') || text.starts_with(Minus);
    const bool signed_ = value.minus || text.starts_with('+');
    const bool sign = !cell.sign.empty() && !(dashes == Dashes::Bullets && cell.mayBeBullet());
    value.accounting = cell.parenthesized && !signed_;
    if ((sign || value.accounting) && value.number.value) {
        value.number.value = -*value.number.value;
        value.minus |= sign;
    }
    return value;
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
