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

int Output::finish(int status)
{
    return flush() && std::fflush(stdout) == 0 ? status : failed();
}

bool Output::flush()
{
    if (!m_failed && std::fwrite(m_buffer.data(), 1, m_buffer.size(), stdout) != m_buffer.size())
        failed();
    m_buffer.clear();
    return !m_failed;
}

int Output::failed()
{
    if (!std::exchange(m_failed, true))
        fail("cannot write standard output: " + reasonOf(errno));
    return ExitStatus::BadInput;
}

} // namespace cli
