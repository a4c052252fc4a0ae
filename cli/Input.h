#pragma once

#include <cstdio>
#include <string>
#include <variant>

namespace cli {

// The whole lines of a file, a block at a time: a block ends at a line end, or at the end of the
// file, so that each can be calculated on its own, and holds at least one line however long. The
// file is closed at the end, unless it is standard input.
class BlockReader
{
public:
    explicit BlockReader(std::FILE *file)
        : m_file(file)
    { }
    ~BlockReader();
    BlockReader(const BlockReader &) = delete;
    BlockReader &operator=(const BlockReader &) = delete;

    // Reads the next block into `text`, in place of what it held, with the number of its first
    // line; false at the end of the file, and where it cannot be read (error() then says why).
    bool next(std::string &text, long &firstLine);
    // The error number that stopped the reading, 0 at the end of the file; ENOMEM for a line
    // longer than the memory can hold, which is line().
    int error() const { return m_error; }
    long line() const { return m_nextLine; }

private:
    std::FILE *m_file;
    std::string m_carried; // the beginning of a line that the last block did not end
    long m_nextLine = 1;
    int m_error = 0;
    bool m_ended = false;
};

// All of standard input, up to a limit far beyond any matrix, decoded from UTF-16 where it begins
// with its byte-order mark; an exit status where it cannot be read (the reason said).
std::variant<std::string, int> readStandardInput();

} // namespace cli
