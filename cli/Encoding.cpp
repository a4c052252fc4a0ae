#include "Encoding.h"

#include <array>
#include <cstdio>
#include <utility>

namespace cli {
namespace {

    constexpr char32_t ReplacementCharacter = 0xFFFD;

    bool isHighSurrogate(char16_t unit)
    {
        return unit >= 0xD800 && unit <= 0xDBFF;
    }

    bool isLowSurrogate(char16_t unit)
    {
        return unit >= 0xDC00 && unit <= 0xDFFF;
    }

    void appendUtf8(char32_t code, std::string &out)
    {
        const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
        if (code < 0x80) {
            out += byte(code);
        } else if (code < 0x800) {
            out += byte(0xC0 | code >> 6);
            out += byte(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += byte(0xE0 | code >> 12);
            out += byte(0x80 | (code >> 6 & 0x3F));
            out += byte(0x80 | (code & 0x3F));
        } else {
            out += byte(0xF0 | code >> 18);
            out += byte(0x80 | (code >> 12 & 0x3F));
            out += byte(0x80 | (code >> 6 & 0x3F));
            out += byte(0x80 | (code & 0x3F));
        }
    }

} // namespace

// Where a surrogate stands without its pair. One flaw is enough to refuse a line: a line of many
// is told of its first alone, so that they cost no more than the text they stand for (each was
// a message of its own, and a text of lone surrogates took 53 times its size).
void Utf16Decoder::addUnpaired(char16_t unit, std::string &out, std::vector<DecodingFlaw> &flaws)
{
    if (!std::exchange(m_lineFlawed, true)) {
        std::array<char, 80> reason;
        std::snprintf(reason.data(), reason.size(),
            "an unpaired UTF-16 surrogate, U+%04X, is no character", static_cast<unsigned>(unit));
        flaws.push_back({ out.size(), reason.data() });
    }
    appendUtf8(ReplacementCharacter, out);
}

std::optional<ByteOrderMark> byteOrderMark(std::string_view start, bool whole)
{
    constexpr std::array<std::pair<std::string_view, Encoding>, 3> marks { {
        { "\xEF\xBB\xBF", Encoding::Utf8 },
        { "\xFF\xFE", Encoding::Utf16LittleEndian },
        { "\xFE\xFF", Encoding::Utf16BigEndian },
    } };
    for (const auto &[mark, encoding] : marks) {
        if (start.starts_with(mark))
            return ByteOrderMark { encoding, mark.size() };
        if (!whole && mark.starts_with(start))
            return std::nullopt;
    }
    return ByteOrderMark { Encoding::Utf8, 0 };
}

void Utf16Decoder::decode(
    std::string_view bytes, std::string &out, std::vector<DecodingFlaw> &flaws)
{
    const auto unit = [this](unsigned char first, unsigned char second) {
        return static_cast<char16_t>(m_bigEndian ? first << 8 | second : second << 8 | first);
    };
    const auto take = [&](char16_t next) {
        if (m_highSurrogate != 0) {
            const auto high = std::exchange(m_highSurrogate, 0);
            if (isLowSurrogate(next)) {
                appendUtf8(
                    0x10000 + (char32_t(high - 0xD800) << 10) + char32_t(next - 0xDC00), out);
                return;
            }
            addUnpaired(high, out, flaws);
        }
        if (isHighSurrogate(next))
            m_highSurrogate = next;
        else if (isLowSurrogate(next))
            addUnpaired(next, out, flaws);
        else
            appendUtf8(next, out);
        m_lineFlawed = m_lineFlawed && next != '\n' && next != '\r';
    };
    std::size_t i = 0;
    if (m_halfUnit && !bytes.empty()) {
        take(unit(*m_halfUnit, static_cast<unsigned char>(bytes[0])));
        m_halfUnit.reset();
        i = 1;
    }
    for (; i + 1 < bytes.size(); i += 2)
        take(unit(static_cast<unsigned char>(bytes[i]), static_cast<unsigned char>(bytes[i + 1])));
    if (i < bytes.size())
        m_halfUnit = static_cast<unsigned char>(bytes[i]);
}

void Utf16Decoder::finish(std::string &out, std::vector<DecodingFlaw> &flaws)
{
    if (m_highSurrogate != 0)
        addUnpaired(std::exchange(m_highSurrogate, 0), out, flaws);
    if (m_halfUnit) {
        m_halfUnit.reset();
        flaws.push_back({ out.size(),
            "the UTF-16 text ends in half a character (it holds an odd number of bytes)" });
        appendUtf8(ReplacementCharacter, out);
    }
}

std::optional<std::string> decodeToUtf8(std::string &text)
{
    const auto mark = *byteOrderMark(text, true);
    if (mark.encoding == Encoding::Utf8) {
        text.erase(0, mark.length);
        return std::nullopt;
    }
    Utf16Decoder decoder(mark.encoding == Encoding::Utf16BigEndian);
    std::string decoded;
    std::vector<DecodingFlaw> flaws;
    decoder.decode(std::string_view(text).substr(mark.length), decoded, flaws);
    decoder.finish(decoded, flaws);
    if (!flaws.empty())
        return flaws.front().reason;
    text = std::move(decoded);
    return std::nullopt;
}

} // namespace cli
