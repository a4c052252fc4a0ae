#include "reader/Tokens.h"

#include "text/TextDecoding.h"

namespace quorvex::detail {
namespace {

    struct Classified
    {
        CharacterClass kind;
        std::size_t length;
        char32_t code;
    };

    Classified classAt(std::string_view text, std::size_t pos)
    {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) // most text is ASCII, which needs no decoding
            return { classOf(byte), 1, byte };
        const auto c = characterAt(text, pos);
        return { classOf(c.code), c.length, c.code };
    }

    bool isDigitAt(std::string_view text, std::size_t pos)
    {
        return pos < text.size() && isDigit(text[pos]);
    }

} // namespace

std::size_t Tokens::wordEnd(std::size_t pos) const
{
    for (Classified c; pos < m_text.size(); pos += c.length) {
        c = classAt(m_text, pos);
        if (c.kind != CharacterClass::Letter && c.kind != CharacterClass::Digit)
            break;
    }
    return pos;
}

std::size_t Tokens::numberEnd(std::size_t pos) const
{
    for (Classified c; pos < m_text.size(); pos += c.length) {
        c = classAt(m_text, pos);
        if (c.kind == CharacterClass::Digit || c.kind == CharacterClass::Point)
            continue;
        // An exponent belongs to its number where a digit follows it: "3e-7", "2e−3".
        if (m_text[pos] != 'e' && m_text[pos] != 'E')
            break;
        auto digit = pos + 1;
        if (m_text.substr(digit).starts_with(TypographicMinus))
            digit += TypographicMinus.size();
        else if (digit < m_text.size() && (m_text[digit] == '-' || m_text[digit] == '+'))
            ++digit;
        if (!isDigitAt(m_text, digit))
            break;
        c.length = digit - pos;
    }
    return pos;
}

// Whether the "<" at `pos`, right after a name, opens template arguments: names, numbers, commas,
// blanks, "::" and further "<" up to a ">", within a few words ("Matrix<double, 3, 3>",
// "array<array<double, 3>, 3>"). Each "<" looks no further than such arguments go, so no text is
// read more than a bounded number of times.
bool Tokens::opensTemplate(std::size_t pos) const
{
    for (const char c : m_text.substr(pos + 1, 64)) {
        if (c == '>')
            return true;
        if (!isNameCharacter(c) && c != ':' && c != ',' && c != ' ' && c != '<')
            return false;
    }
    return false;
}

// A mark or a space that is no blank, between a digit and a group of three: "1'000", "0.866 025".
void Tokens::noteGrouping(std::size_t mark, std::size_t length)
{
    const auto after = mark + length;
    if (m_groupingMark == std::string_view::npos && mark > 0 && isDigit(m_text[mark - 1])
        && isDigitAt(m_text, after) && isDigitAt(m_text, after + 1) && isDigitAt(m_text, after + 2)
        && !isDigitAt(m_text, after + 3))
        m_groupingMark = mark;
}

bool Tokens::next(Token &token)
{
    using enum CharacterClass;
    bool glued = true;
    Classified c {};
    for (; m_pos < m_text.size(); m_pos += c.length, glued = false) {
        c = classAt(m_text, m_pos);
        if (c.kind != Blank)
            break;
        if (c.code == 0xA0 || c.code == 0x2007 || c.code == 0x2009 || c.code == 0x202F)
            noteGrouping(m_pos, c.length);
    }
    if (m_pos >= m_text.size() || m_tooDeep)
        return false;

    const auto begin = m_pos;
    token.glued = glued && !m_lineStart;
    token.lineStart = m_lineStart;
    token.bracket = 0;
    token.depth = m_depth;
    m_lineStart = false;
    auto end = begin + c.length;
    TokenKind kind = TokenKind::Mark;
    switch (c.kind) {
    case Digit:
        kind = TokenKind::Number;
        end = numberEnd(begin);
        break;
    case Point:
        kind = isDigitAt(m_text, end) ? TokenKind::Number : TokenKind::Point;
        end = kind == TokenKind::Number ? numberEnd(begin) : end;
        break;
    case Letter:
        kind = TokenKind::Word;
        end = wordEnd(begin);
        break;
    case Sign:
        kind = TokenKind::Sign;
        break;
    case Comma:
        kind = TokenKind::Comma;
        break;
    case RowEnd:
        kind = TokenKind::RowEnd;
        break;
    case Colon:
        kind = TokenKind::Colon;
        break;
    case Equals:
        kind = TokenKind::Equals;
        break;
    case Quote:
        kind = TokenKind::Quote;
        if (c.code == '\'')
            noteGrouping(begin, 1);
        break;
    case LineBreak:
        kind = TokenKind::LineBreak;
        end += m_text.substr(begin, 2) == "\r\n" ? 1U : 0U;
        m_lineStart = true;
        break;
    case Angle:
        kind = TokenKind::Rule;
        if (c.code == '<' && token.glued && m_last == TokenKind::Word && opensTemplate(begin))
            kind = TokenKind::Open;
        else if (c.code == '>' && m_depth > 0 && m_open[m_depth - 1] == '<')
            kind = TokenKind::Close;
        break;
    case Open:
        kind = TokenKind::Open;
        break;
    case Close:
        kind = TokenKind::Close;
        break;
    case Rule:
        kind = TokenKind::Rule;
        break;
    case Mark:
    case Blank:
        break;
    }

    if (kind == TokenKind::Open) {
        if (m_depth == MostDepth) {
            m_tooDeep = true;
            return false;
        }
        token.bracket = m_text[begin];
        m_open[m_depth++] = token.bracket;
    } else if (kind == TokenKind::Close) {
        const char closer = m_text[begin];
        token.bracket = closer == ')' ? '(' : closer == ']' ? '[' : closer == '}' ? '{' : '<';
        // The nearest bracket of its kind closes, with any left open inside it; a close that
        // matches none (the rest of a text copied in part) stands alone.
        for (auto k = m_depth; k > 0; --k) {
            if (m_open[k - 1] == token.bracket) {
                m_depth = token.depth = k - 1;
                break;
            }
        }
    }
    token.kind = m_last = kind;
    token.text = m_text.substr(begin, end - begin);
    m_pos = end;
    return true;
}

} // namespace quorvex::detail
