#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The encodings an input may come in. The calculations read UTF-8; a text that begins with the
// byte-order mark of UTF-16, as Windows' shell writes files by default, is decoded into UTF-8 on
// the way in, and the byte-order mark of UTF-8, which Windows' editors write, is dropped.
namespace cli {

enum class Encoding { Utf8, Utf16LittleEndian, Utf16BigEndian };

// What the first bytes of a text declare: UTF-16 in either byte order, or else UTF-8; and the
// length of the byte-order mark that says so (0 for UTF-8 without one).
struct ByteOrderMark
{
    Encoding encoding;
    std::size_t length;
};
// Nothing while `start`, not `whole` and shorter than a mark, may still grow into one.
std::optional<ByteOrderMark> byteOrderMark(std::string_view start, bool whole);

// A place where a UTF-16 text holds no character: the offset in the UTF-8 written, where U+FFFD
// stands for it, and the reason, such as "an unpaired UTF-16 surrogate, U+D800, is no character".
// The line that holds it is refused by that reason, never read.
struct DecodingFlaw
{
    std::size_t offset;
    std::string reason;
};

// Decodes UTF-16 into UTF-8 a piece at a time, as it arrives: a code unit or a surrogate pair that
// two pieces split is joined.
class Utf16Decoder
{
public:
    explicit Utf16Decoder(bool bigEndian)
        : m_bigEndian(bigEndian)
    { }

    // Appends the UTF-8 of the next piece to `out`, and a flaw for each unit that is no character.
    void decode(std::string_view bytes, std::string &out, std::vector<DecodingFlaw> &flaws);
    // The end of the text: a surrogate still waiting for its pair, or half a unit, is a flaw.
    void finish(std::string &out, std::vector<DecodingFlaw> &flaws);

private:
    void addUnpaired(char16_t unit, std::string &out, std::vector<DecodingFlaw> &flaws);

    bool m_bigEndian;
    std::optional<unsigned char> m_halfUnit; // the first byte of a unit that the piece ended in
    char16_t m_highSurrogate = 0; // waiting for the low surrogate that completes it
    bool m_lineFlawed = false; // the line decoded holds a flaw told already
};

// A whole text decoded into UTF-8 in place, where its byte-order mark says it is UTF-16 (a UTF-8
// one is dropped); why it cannot be, where it holds no UTF-16.
std::optional<std::string> decodeToUtf8(std::string &text);

} // namespace cli
