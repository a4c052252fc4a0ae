#include "Input.h"

#include "Encoding.h"
#include "Output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace cli {
namespace {

    // Larger than any matrix needs: input without end stops here instead of filling memory.
    constexpr std::size_t InputLimit = 64 << 20;

    // Enough lines to keep a worker busy for a while, few enough that a handful stay in memory.
    constexpr std::size_t BlockSize = 64 << 10;

} // namespace

BlockReader::~BlockReader()
{
    if (m_file != stdin)
        std::fclose(m_file);
}

bool BlockReader::next(std::string &text, long &firstLine)
{
    if (m_ended)
        return false;
    text.swap(m_carried);
    m_carried.clear();
    try {
        for (;;) {
            const auto old = text.size();
            text.resize(old + BlockSize);
            const auto got = std::fread(text.data() + old, 1, BlockSize, m_file);
            text.resize(old + got);
            if (got < BlockSize) {
                m_ended = true;
                if (std::ferror(m_file))
                    m_error = errno;
                break;
            }
            // The block ends with its last line end; what follows begins the next block.
            const auto last = std::string_view(text).substr(old).rfind('\n');
            if (last != std::string_view::npos) {
                m_carried.assign(text, old + last + 1);
                text.resize(old + last + 1);
                break;
            }
        }
    } catch (const std::bad_alloc &) {
        // A line longer than the memory can hold: the lines before it are calculated, and the
        // reading stops there with a message, rather than taking it for the end of the input.
        text.clear();
        text.shrink_to_fit();
        m_error = ENOMEM;
        m_ended = true;
        return false;
    }
    if (text.empty())
        return false;
    firstLine = m_nextLine;
    const char *const end = text.data() + text.size();
    for (const char *c = text.data();
         (c = static_cast<const char *>(std::memchr(c, '\n', static_cast<std::size_t>(end - c))));
         ++c)
        ++m_nextLine;
    return true;
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
