#pragma once

#include <cstddef>
#include <string_view>

// The bottom of the core: what the characters of a UTF-8 text are. Readers ask here where a value
// ends, messages ask here what a character would look like.
namespace quorvex::detail {

// One character of UTF-8 text: its code point (Invalid for a byte that begins none) and its
// length in bytes.
struct Character
{
    static constexpr char32_t Invalid = 0x110000;
    char32_t code;
    std::size_t length;
};
Character characterAt(std::string_view text, std::size_t pos);

// White space as Unicode counts it: blanks, tabs, line breaks, no-break, thin and other spaces.
bool isWhiteSpace(char32_t c);
// The white space that ends a line: line feed, carriage return, vertical tab, form feed and the
// Unicode line and paragraph separators.
bool isLineBreak(char32_t c);
// Characters that show nothing, or nothing that tells them from a blank: control characters,
// spaces other than the blank, the soft hyphen, zero-width characters, the controls of
// bidirectional text and the byte-order mark.
bool isInvisible(char32_t c);

// Whether a text holds a decimal digit of another script than ASCII's, as Arabic-Indic, Persian,
// Devanagari, Bengali and full-width text write them: "٠٫٥", "０．５".
bool hasOtherDigit(std::string_view text);

// The minus sign of typesetting, which documents, PDFs and some spreadsheets write for "-".
inline constexpr std::string_view TypographicMinus = "\u2212";

// What a character is to the readers of numbers and matrices. Each class is defined here, once.
enum class CharacterClass : unsigned char {
    Mark, // a sign of its own: "#", "%", "*", "/", "^", "°", "×", "ᵀ", "⁻"
    Letter, // begins or continues a word: a letter of any script, or "_"
    Digit, // a decimal digit of any script; numbers are written with 0 to 9 only
    Point, // "."
    Sign, // "+", "-" and the typographic minus
    Blank, // white space within a line, and what shows nothing: zero-width characters, the
           // byte-order mark, the controls of bidirectional text
    LineBreak,
    Comma,
    RowEnd, // ";" and "\", which end rows in MATLAB and LaTeX
    Colon,
    Equals,
    Quote, // '"', "'", "`" and the typographic quotes
    Open, // "(", "[", "{"
    Close, // ")", "]", "}"
    Angle, // "<" and ">", around template arguments and tags
    Rule, // "|", "&" and the pieces of the big brackets and boxes that pretty prints draw: ⎡ ⎢ ⎣
          // ⎤ ⎥ ⎦ ⎛ ⎞ │ ┌ ─
};
CharacterClass classOf(char32_t c);

// An ASCII letter in lower case; any other byte as it is.
inline char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
// A character of a name in source code: an ASCII letter or digit, or "_".
inline bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '_';
}

// The length in bytes of the white space character at pos of a text, 0 where there is none.
inline std::size_t whiteSpaceAt(std::string_view text, std::size_t pos)
{
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) // most text is ASCII, which needs no decoding
        return byte == ' ' || (byte >= '\t' && byte <= '\r') ? 1 : 0;
    const auto c = characterAt(text, pos);
    return isWhiteSpace(c.code) ? c.length : 0;
}

// The text without the white space around it.
std::string_view trimmedOfAnyWhiteSpace(std::string_view text);
inline std::string_view trimmed(std::string_view text)
{
    // Most texts begin and end in ASCII that is no white space: nothing to trim.
    const auto plain = [](char c) { return c > ' ' && c < 0x7F; };
    if (!text.empty() && plain(text.front()) && plain(text.back()))
        return text;
    return trimmedOfAnyWhiteSpace(text);
}

} // namespace quorvex::detail
