#include "text/TextDecoding.h"

#include "quorvex/Calculations.h"

#include <algorithm>
#include <array>

namespace quorvex::detail {

Character characterAt(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return { lead, 1 };
    // A continuation byte, or a byte from F5 on, begins no character: F5 to F7 would go beyond
    // U+10FFFF, and F8 to FF began the five- and six-byte forms that UTF-8 no longer has, or
    // nothing ever.
    if (lead < 0xC0 || lead > 0xF4)
        return { Character::Invalid, 1 };
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (pos + length > text.size())
        return { Character::Invalid, 1 };
    char32_t code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return { Character::Invalid, 1 };
        code = code << 6 | (byte(i) & 0x3Fu);
    }
    // Overlong forms, UTF-16 surrogates and code points beyond Unicode are no characters.
    constexpr char32_t smallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return { Character::Invalid, 1 };
    return { code, length };
}

bool isLineBreak(char32_t c)
{
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isWhiteSpace(char32_t c)
{
    return c == ' ' || c == '\t' || isLineBreak(c) || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool isInvisible(char32_t c)
{
    // The controls of bidirectional text: the marks (U+061C, U+200E, U+200F), embeddings and
    // overrides (U+202A to U+202E) and isolates (U+2066 to U+2069). Shown as they are, an
    // override would turn the rest of a message around.
    const bool bidirectional = c == 0x061C || c == 0x200E || c == 0x200F
        || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c != ' ' && isWhiteSpace(c)) || c == 0xAD
        || (c >= 0x200B && c <= 0x200D) || c == 0x2060 || c == 0xFEFF || bidirectional;
}

bool hasOtherDigit(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = characterAt(text, pos);
        pos += c.length;
        if (c.code >= 0x80 && classOf(c.code) == CharacterClass::Digit)
            return true;
    }
    return false;
}

CharacterClass classOf(char32_t c)
{
    using enum CharacterClass;
    static constexpr auto ascii = [] {
        std::array<CharacterClass, 128> classes {};
        const auto set = [&](std::string_view characters, CharacterClass kind) {
            for (const char character : characters)
                classes[static_cast<std::size_t>(character)] = kind;
        };
        set("ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz", Letter);
        set("0123456789", Digit), set(".", Point), set("+-", Sign);
        set(" \t", Blank), set("\n\v\f\r", LineBreak), set(",", Comma), set(";\\", RowEnd);
        set(":", Colon), set("=", Equals), set("\"'`", Quote), set("([{", Open), set(")]}", Close);
        set("<>", Angle), set("|&", Rule);
        return classes;
    }();
    // Control characters and bytes that begin no character are marks: a value they stand in is
    // none, where taking them for blanks would make two values of it.
    if (c < 0x80)
        return ascii[c];
    if (c == Character::Invalid || c <= 0x9F)
        return c == 0x85 ? LineBreak : Mark;
    const auto in = [&](char32_t first, char32_t last) { return c >= first && c <= last; };
    // Arabic-Indic, Persian, Devanagari, Bengali and full-width digits.
    static constexpr char32_t zeros[] { 0x0660, 0x06F0, 0x0966, 0x09E6, 0xFF10 };
    if (std::ranges::any_of(zeros, [&](char32_t zero) { return in(zero, zero + 9); }))
        return Digit;
    if (isLineBreak(c))
        return LineBreak;
    if (c == 0x2212)
        return Sign;
    // A soft hyphen shows only where a line breaks, but a copy from a PDF may give it for a minus:
    // no blank, since a value it stands before may be negative.
    if (isInvisible(c) && c != 0xAD)
        return Blank;
    if (isWhiteSpace(c))
        return Blank;
    if (in(0x2018, 0x201F))
        return Quote;
    // Big brackets and their pieces (U+2308 to U+230B, U+239B to U+23B1), box drawing, and the
    // bars and angle brackets of mathematics.
    if (in(0x2308, 0x230B) || in(0x239B, 0x23B1) || in(0x2500, 0x257F) || c == 0x2016 || c == 0x2223
        || c == 0x2225 || in(0x27E8, 0x27EB))
        return Rule;
    // Superscripts and the modifier letters that write them (ᵀ), the degree, multiplication and
    // middle dot signs, daggers, the operators, arrows and other symbols.
    if (in(0x00A1, 0x00BF) || c == 0x00D7 || c == 0x00F7 || in(0x02B0, 0x02FF) || in(0x1D2C, 0x1D6A)
        || in(0x2010, 0x2017) || in(0x2020, 0x2BFF))
        return Mark;
    return Letter;
}

std::string_view trimmedOfAnyWhiteSpace(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size()) {
        const auto length = whiteSpaceAt(text, begin);
        if (length == 0)
            break;
        begin += length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        // The last character begins at most three continuation bytes before the end.
        std::size_t start = end - 1;
        while (start > begin && end - start < 4 && (text[start] & 0xC0) == 0x80)
            --start;
        if (start + whiteSpaceAt(text, start) != end)
            break;
        end = start;
    }
    return text.substr(begin, end - begin);
}

} // namespace quorvex::detail

namespace quorvex {

std::size_t splitWords(std::string_view line, std::span<std::string_view> words)
{
    // ASCII that is no white space, which most words are made of, needs no decoding.
    const auto plain = [](char c) { return c > ' ' && c < 0x7F; };
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < line.size() && count < words.size();) {
        if (const auto blank = detail::whiteSpaceAt(line, pos)) {
            pos += blank;
            continue;
        }
        const auto begin = pos;
        do {
            while (pos < line.size() && plain(line[pos]))
                ++pos;
            if (pos < line.size() && !detail::whiteSpaceAt(line, pos))
                pos += detail::characterAt(line, pos).length;
        } while (pos < line.size() && !detail::whiteSpaceAt(line, pos));
        words[count++] = line.substr(begin, pos - begin);
    }
    return count;
}

} // namespace quorvex
