#pragma once

#include <string>
#include <string_view>

namespace cli {

namespace ExitStatus {
    constexpr int Success = 0;
    constexpr int BadInput = 1; // an input that cannot be read, or output that cannot be written
    constexpr int UsageError = 2;
} // namespace ExitStatus

// Says on standard error what could not be done, as "quorvex-cli: REASON"; returns BadInput.
int fail(const std::string &reason);

// The text of a C library error number, such as "No such file or directory".
std::string reasonOf(int error);

// Standard output, written in blocks; the first failure to write ends the run with its reason.
class Output
{
public:
    bool write(std::string_view text);
    // Sends everything so far on, for a reader that waits for it; false where it cannot.
    bool flush();
    // Whether everything so far could be written.
    bool ok() const { return !m_failed; }
    // Writes what is left and returns status, or BadInput if anything could not be written.
    int finish(int status);

private:
    bool writeBuffer();
    bool put(std::string_view text); // straight to standard output
    int failed();

    std::string m_buffer;
    bool m_failed = false;
};

} // namespace cli
