#include "Input.h"

#include "Output.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iterator>
#include <new>

#include <poll.h>
#include <unistd.h>

namespace cli {
namespace {

    // Larger than any matrix needs: input without end stops here instead of filling memory.
    constexpr std::size_t InputLimit = 64 << 20;

    // Enough lines to keep a worker busy for a while, few enough that a handful stay in memory.
    constexpr std::size_t BlockSize = 64 << 10;

    // The length of the whole lines that a text begins with: up to its last line end.
    std::size_t wholeLines(std::string_view text)
    {
        const auto last = text.find_last_of("\r\n");
        return last == std::string_view::npos ? 0 : last + 1;
    }

} // namespace

long LineSplitter::count(std::string_view text)
{
    // Each LF ends a line, and so does each CR that no LF follows.
    long lines = 0;
    for (auto at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1))
        ++lines;
    for (auto at = text.find('\r'); at != std::string_view::npos; at = text.find('\r', at + 1)) {
        if (!text.substr(at + 1).starts_with('\n'))
            ++lines;
    }
    // A last line without a line end.
    if (!text.empty() && !text.ends_with('\n') && !text.ends_with('\r'))
        ++lines;
    return lines;
}

BlockReader::~BlockReader()
{
    if (m_owned)
        close(m_file);
}

bool BlockReader::next(TextBlock &block, const std::function<bool()> &beforeWaiting)
{
    // Reads until whole lines fill a block, or until nothing more follows them at once; where no
    // whole line is at hand, it waits for one.
    for (;;) {
        m_caughtUp = m_ended || !arrived();
        if (m_wholeLines > 0 && (m_caughtUp || m_text.size() >= BlockSize))
            break;
        if (m_ended)
            return false;
        if (m_caughtUp && !beforeWaiting())
            return false;
        readMore();
    }

    // The whole lines go, and what follows them stays for the next block: the beginning of a line.
    block.text.swap(m_text);
    m_text.assign(block.text.begin() + static_cast<std::ptrdiff_t>(m_wholeLines), block.text.end());
    block.text.resize(m_wholeLines);
    const auto beyond = std::ranges::partition_point(
        m_flaws, [this](const DecodingFlaw &flaw) { return flaw.offset < m_wholeLines; });
    block.flaws.assign(std::make_move_iterator(m_flaws.begin()), std::make_move_iterator(beyond));
    m_flaws.erase(m_flaws.begin(), beyond);
    for (auto &flaw : m_flaws)
        flaw.offset -= m_wholeLines;
    m_wholeLines = 0;
    m_skipLineFeed = m_text.empty() && block.text.back() == '\r';

    block.firstLine = m_nextLine;
    m_nextLine += LineSplitter::count(view(block.text));
    return true;
}

// Whether a read would return at once, with input, its end or an error. A file on disk always
// would; a pipe or a terminal not before something is written to it.
bool BlockReader::arrived() const
{
    pollfd input { m_file, POLLIN, 0 };
    return poll(&input, 1, 0) != 0;
}

// Reads what has arrived, or waits for it, and appends it to m_text as UTF-8; at the end of the
// input, or where it cannot be read, the reading ends.
void BlockReader::readMore()
{
    auto old = m_text.size(); // where what this read adds begins
    try {
        auto &bytes = m_decoder ? m_bytes : m_text;
        const auto start = bytes.size();
        bytes.resize(start + BlockSize);
        const auto got = read(m_file, bytes.data() + start, BlockSize);
        if (got < 0) {
            bytes.resize(start);
            return stop(errno);
        }
        bytes.resize(start + static_cast<std::size_t>(got));

        // The first bytes say how the rest is encoded: they wait in m_text until they can tell.
        if (!m_encodingKnown) {
            const auto mark = byteOrderMark(view(m_text), got == 0);
            if (!mark)
                return;
            m_encodingKnown = true;
            m_text.erase(
                m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(mark->length));
            old = 0;
            if (mark->encoding != Encoding::Utf8) {
                m_decoder.emplace(mark->encoding == Encoding::Utf16BigEndian);
                m_bytes.swap(m_text);
            }
        }
        if (m_decoder) {
            // Decoded on its own, the text and the flaws in it move to the end of m_text.
            std::string decoded;
            const auto firstFlaw = m_flaws.size();
            m_decoder->decode(view(m_bytes), decoded, m_flaws);
            m_bytes.clear();
            if (got == 0)
                m_decoder->finish(decoded, m_flaws);
            for (auto flaw = m_flaws.begin() + static_cast<std::ptrdiff_t>(firstFlaw);
                 flaw != m_flaws.end(); ++flaw)
                flaw->offset += m_text.size();
            m_text.insert(m_text.end(), decoded.begin(), decoded.end());
        }

        if (m_skipLineFeed && m_text.size() > old) {
            m_skipLineFeed = false;
            if (m_text[old] == '\n') {
                m_text.erase(m_text.begin() + static_cast<std::ptrdiff_t>(old));
                for (auto &flaw : m_flaws) {
                    if (flaw.offset > old)
                        --flaw.offset;
                }
            }
        }
        if (got == 0) {
            m_ended = true;
            m_wholeLines = m_text.size(); // the last line, without a line end
            return;
        }
        if (const auto end = wholeLines(view(m_text).substr(old)))
            m_wholeLines = old + end;
    } catch (const std::bad_alloc &) {
        // A line longer than the memory can hold: the lines before it are calculated, and the
        // reading stops there with a message, rather than taking it for the end of the input.
        stop(ENOMEM);
        if (m_text.empty())
            m_text.shrink_to_fit();
    }
}

// The input cannot be read on: what has arrived of a line that it did not end is dropped, never
// calculated as if it were the whole line.
void BlockReader::stop(int error)
{
    m_error = error;
    m_ended = true;
    m_text.resize(m_wholeLines);
    std::erase_if(
        m_flaws, [this](const DecodingFlaw &flaw) { return flaw.offset >= m_wholeLines; });
}

std::variant<std::string, int> readStandardInput()
{
    std::string text;
    std::size_t length = 0;
    do {
        text.resize(length + (1 << 16));
        length += std::fread(text.data() + length, 1, text.size() - length, stdin);
        if (length > InputLimit)
            return fail("standard input holds more than 64 MiB, far more than a matrix; "
                        "quorvex-cli angles -l reads one line at a time");
    } while (length == text.size());
    if (std::ferror(stdin))
        return fail("cannot read standard input: " + reasonOf(errno));
    text.resize(length);
    if (const auto problem = decodeToUtf8(text))
        return fail("standard input: " + *problem);
    return text;
}

} // namespace cli
