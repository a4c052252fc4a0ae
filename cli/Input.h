#pragma once

#include "Encoding.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace cli {

// The lines of a text, one at a time. LF, CR LF and CR alone each end a line: classic Mac files,
// such as a spreadsheet's "CSV (Macintosh)", end their lines in CR alone.
class LineSplitter
{
public:
    explicit LineSplitter(std::string_view text)
        : m_text(text)
        , m_lineFeed(find(text, '\n', 0))
        , m_carriageReturn(find(text, '\r', 0))
    { }

    // The next line, without its line end; false after the last.
    bool next(std::string_view &line)
    {
        if (m_begin == m_text.size())
            return false;
        // Where each kind of line end comes next is kept, so that every byte is searched once for
        // each (with memchr), even in a file that has only one kind.
        if (m_lineFeed < m_begin)
            m_lineFeed = find(m_text, '\n', m_begin);
        if (m_carriageReturn < m_begin)
            m_carriageReturn = find(m_text, '\r', m_begin);
        const auto end = std::min(m_lineFeed, m_carriageReturn);
        line = std::string_view(m_text.data() + m_begin, end - m_begin);
        const bool crLf = end + 1 == m_lineFeed; // so end is a CR
        m_begin = std::min(end + (crLf ? 2 : 1), m_text.size());
        return true;
    }

    // Where the line after the last one given begins.
    std::size_t position() const { return m_begin; }

    // How many lines a text holds, the same as next() gives, but faster: for most lines one
    // search for LF, which finds the next line end (next() spent 30 instructions more on a line).
    static long count(std::string_view text);

private:
    // Where c comes first in text at or after `from`; the end of the text where it does not.
    static std::size_t find(std::string_view text, char c, std::size_t from)
    {
        return std::min(text.find(c, from), text.size());
    }

    std::string_view m_text;
    std::size_t m_begin = 0;
    std::size_t m_lineFeed; // the next '\n' at or after m_begin, or the end; before it, a stale one
    std::size_t m_carriageReturn; // the same for '\r'
};

// Bytes that grow without being set to zero first: the reader grows them for read(2) to fill, where
// a string spent as many instructions setting the bytes to zero as the lines cost to split
// (callgrind: 90 instructions of a line of angles -l, 20 of matrix -l).
template<typename T> struct UninitializedAllocator : std::allocator<T>
{
    template<typename U> void construct(U *at) noexcept { ::new (static_cast<void *>(at)) U; }
    template<typename U, typename... Args> void construct(U *at, Args &&...args)
    {
        ::new (static_cast<void *>(at)) U(std::forward<Args>(args)...);
    }
};
using Bytes = std::vector<char, UninitializedAllocator<char>>;

inline std::string_view view(const Bytes &bytes)
{
    return { bytes.data(), bytes.size() };
}

// Whole lines of an input, to be calculated on their own.
struct TextBlock
{
    Bytes text; // UTF-8; only the input's last line may lack a line end
    long firstLine = 0; // the number of its first line in the input
    std::vector<DecodingFlaw> flaws; // in order, their offsets in text
};

// The whole lines of an input, a block at a time, as they arrive: a block ends at a line end, or at
// the end of the input, and holds at least one line however long. It fills up to a size that
// keeps a worker busy for a while, but no longer than the input keeps flowing: what has arrived
// when more would have to be waited for makes a block of its own, so that a line typed, or written
// by a program that waits for its answer, is answered at once. UTF-16 with its byte-order mark is
// decoded into UTF-8 on the way, and the byte-order mark of UTF-8 dropped. The file is closed at
// the end when it is owned.
class BlockReader
{
public:
    BlockReader(int file, bool owned)
        : m_file(file)
        , m_owned(owned)
    { }
    ~BlockReader();
    BlockReader(const BlockReader &) = delete;
    BlockReader &operator=(const BlockReader &) = delete;

    // Reads the next block into `block`, in place of what it held; false at the end of the input,
    // and where it cannot be read (error() then says why). Before it waits for the input with no
    // whole line at hand, it calls beforeWaiting, which writes what has been calculated; where
    // that returns false, next() does too, without waiting.
    bool next(TextBlock &block, const std::function<bool()> &beforeWaiting);
    // Whether nothing more was at hand when the last block was cut: the input had ended, or would
    // have kept the reader waiting.
    bool caughtUp() const { return m_caughtUp; }
    // The error number that stopped the reading, 0 at the end of the input; ENOMEM for a line
    // longer than the memory can hold, which is line().
    int error() const { return m_error; }
    long line() const { return m_nextLine; }

private:
    bool arrived() const;
    void readMore();
    void stop(int error);

    int m_file;
    bool m_owned;
    Bytes m_text; // UTF-8 read and not yet handed on
    std::size_t m_wholeLines = 0; // the length of the whole lines that m_text begins with
    std::vector<DecodingFlaw> m_flaws; // in m_text
    bool m_encodingKnown = false; // until then, m_text holds the beginning of a byte-order mark
    std::optional<Utf16Decoder> m_decoder; // for UTF-16
    Bytes m_bytes; // UTF-16 read and not yet decoded
    bool m_skipLineFeed = false; // the last block ended in CR: a LF that follows belongs to it
    long m_nextLine = 1;
    int m_error = 0;
    bool m_ended = false;
    bool m_caughtUp = false;
};

// All of standard input, up to a limit far beyond any matrix, decoded from UTF-16 where it begins
// with its byte-order mark; an exit status where it cannot be read (the reason said).
std::variant<std::string, int> readStandardInput();

} // namespace cli
