#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The first step of reading a matrix: its text as tokens, made in one pass, each character taken
// by its class (TextDecoding.h) and each bracket matched once, by one stack. Whatever reads the
// text after this step asks a token what it is; none looks at the characters again.
namespace quorvex::detail {

enum class TokenKind : unsigned char {
    Number, // digits from a digit or a point on, with their point and exponent: "0.81", "3e-7"
    Word, // from a letter on, digits and "_" included: "R", "r11", "R_00", "float64", "Matrix3"
    Sign, // "+", "-" or "−", alone: a value's sign is the token before it
    Point, // a "." that begins no number: ".T"
    Comma,
    RowEnd, // ";", "\"
    Colon,
    Equals,
    Quote,
    Open,
    Close,
    Rule, // "|", "&", "<" and ">" outside template arguments, the pieces of big brackets
    Mark, // any other sign: "#", "%", "*", "/", "^", "°", "×", "ᵀ"
    LineBreak // LF, CR, CR LF and the other ends of a line, once each
};

struct Token
{
    TokenKind kind = TokenKind::LineBreak;
    std::string_view text;
    bool glued = false; // nothing stands between it and the token before it on its line
    bool lineStart = true; // the first token of its line
    // For an Open or a Close, its bracket as it opens: "(", "[", "{", or "<" around the template
    // arguments after a name ("Matrix<double, 3, 3>").
    char bracket = 0;
    // The brackets open around the token. An Open and the Close that matches it have the depth of
    // the tokens around them; those between them have one more.
    std::size_t depth = 0;
};

// The text from the start of one view of it to the end of another: the tokens of a phrase.
inline std::string_view spanning(std::string_view first, std::string_view last)
{
    return { first.data(), static_cast<std::size_t>(last.data() + last.size() - first.data()) };
}

class Tokens
{
public:
    // No matrix nests its brackets more than a few deep: a deeper text is refused, which bounds
    // the stack that matches them whatever the text holds.
    static constexpr std::size_t MostDepth = 32;

    explicit Tokens(std::string_view text)
        : m_text(text)
    { }

    // The next token, or false at the end of the text or where it nests brackets too deep.
    bool next(Token &token);

    bool tooDeep() const { return m_tooDeep; }
    // Whether a token begins a remark to the end of its line: "//".
    bool startsRemark(const Token &t) const
    {
        return t.text == "/" && std::string_view(t.text.data(), 2) == "//";
    }
    // Where digits are grouped by a mark or a space that is no blank ("1'000", "0.866 025" with a
    // thin space), which could be one number or two: the offset of the mark, or npos.
    std::size_t groupingMark() const { return m_groupingMark; }

private:
    std::size_t wordEnd(std::size_t pos) const;
    std::size_t numberEnd(std::size_t pos) const;
    bool opensTemplate(std::size_t pos) const;
    void noteGrouping(std::size_t mark, std::size_t length);

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::array<char, MostDepth> m_open {};
    std::size_t m_depth = 0;
    TokenKind m_last = TokenKind::LineBreak;
    bool m_lineStart = true;
    bool m_tooDeep = false;
    std::size_t m_groupingMark = std::string_view::npos;
};

} // namespace quorvex::detail
