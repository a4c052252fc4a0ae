#include "Output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace cli {

int fail(const std::string &reason)
{
    std::fprintf(stderr, "quorvex-cli: %s\n", reason.c_str());
    return ExitStatus::BadInput;
}

std::string reasonOf(int error)
{
    return std::strerror(error);
}

bool Output::write(std::string_view text)
{
    constexpr std::size_t Block = 1 << 16;
    if (text.size() >= Block) // a block of its own, written without a copy
        return writeBuffer() && put(text);
    m_buffer += text;
    return m_buffer.size() < Block || writeBuffer();
}

bool Output::flush()
{
    if (writeBuffer() && std::fflush(stdout) != 0)
        failed();
    return !m_failed;
}

int Output::finish(int status)
{
    return flush() ? status : ExitStatus::BadInput;
}

bool Output::writeBuffer()
{
    put(m_buffer);
    m_buffer.clear();
    return !m_failed;
}

bool Output::put(std::string_view text)
{
    if (!m_failed && std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        failed();
    return !m_failed;
}

int Output::failed()
{
    if (!std::exchange(m_failed, true))
        fail("cannot write standard output: " + reasonOf(errno));
    return ExitStatus::BadInput;
}

} // namespace cli
