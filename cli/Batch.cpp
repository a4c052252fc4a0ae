#include "Batch.h"

#include "Input.h"
#include "OrderedPool.h"
#include "quorvex/Calculations.h"

#include <cerrno>
#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <sched.h> // sched_getaffinity: the cores this process may use, not all the machine has
#include <unistd.h>

namespace cli {
namespace {

    // Lines and what they give. Its strings keep their memory from block to block: a block that
    // has been written is read into and calculated again (with a fresh string for each block,
    // grown to its size, matrix -l spent 3% more instructions).
    struct Block
    {
        TextBlock lines;
        std::string output; // one line for each line of text
        std::string messages; // one line for each line that cannot be read
    };

    // A line of white space alone, of any kind (a form feed, a no-break space), is blank.
    bool isBlank(std::string_view line)
    {
        // Most lines begin with ASCII that is no white space: nothing to decode.
        if (!line.empty() && line[0] > ' ' && line[0] < 0x7F)
            return false;
        std::string_view word[1];
        return quorvex::splitWords(line, word) == 0;
    }

    // One line of output for each line of the block: its answer, or nothing where the line is
    // blank or cannot be read, which then gets its message with its number.
    void calculateBlock(Block &block, const LineCalculation &calculate, std::string_view where)
    {
        block.output.clear();
        block.messages.clear();
        const auto refuse = [&](long number, std::string_view reason) {
            block.messages.append("quorvex-cli: ")
                .append(where)
                .append("line " + std::to_string(number) + ": ")
                .append(reason)
                .push_back('\n');
        };
        const auto &flaws = block.lines.flaws;
        auto flaw = flaws.begin();
        LineSplitter lines(view(block.lines.text));
        std::string_view line;
        for (long number = block.lines.firstLine; lines.next(line); ++number) {
            if (flaw != flaws.end() && flaw->offset < lines.position()) {
                // Text that could not be decoded is no number of any kind.
                refuse(number, flaw->reason);
                while (flaw != flaws.end() && flaw->offset < lines.position())
                    ++flaw;
            } else if (!isBlank(line)) {
                const auto size = block.output.size();
                if (const auto error = calculate(line, block.output)) {
                    block.output.resize(size);
                    refuse(number, error->message);
                }
            }
            block.output.push_back('\n');
        }
    }

    // Writes what a block gives; false where standard output cannot be written.
    bool write(const Block &block, Output &output, int &status)
    {
        if (!block.messages.empty()) {
            std::fputs(block.messages.c_str(), stderr);
            status = ExitStatus::BadInput;
        }
        return output.write(block.output);
    }

    // The blocks of one file, read and written by this thread. Those that follow each other at
    // once are calculated by `jobs` threads meanwhile, at most two blocks for each at a time, so
    // that memory stays bounded however long the input. A block that nothing follows at once is
    // calculated here, but only when all of the threads' blocks are written: a short file, or one
    // that arrives a line at a time, needs no threads. So the blocks are written in the order they
    // were read, the threads' in the order the pool gives them back.
    int calculateFile(BlockReader &reader, Output &output, const LineCalculation &calculate,
        std::string_view where, unsigned jobs)
    {
        int status = ExitStatus::Success;
        std::optional<OrderedPool<Block>> pool;
        Block block; // read into here
        Block written; // the last block that the threads calculated, once written
        const auto writeOldest = [&] {
            written = pool->takeOldest();
            return write(written, output, status);
        };
        // Before the input is waited for, all that it gave so far is answered and sent on.
        const auto writeAll = [&] {
            while (pool && !pool->empty()) {
                if (!writeOldest())
                    return false;
            }
            return output.flush();
        };
        while (reader.next(block.lines, writeAll)) {
            if (jobs <= 1 || ((!pool || pool->empty()) && reader.caughtUp())) {
                calculateBlock(block, calculate, where);
                if (!write(block, output, status))
                    return ExitStatus::BadInput;
                continue;
            }
            if (!pool)
                pool.emplace(jobs, 2 * jobs);
            if (pool->full() && !writeOldest())
                return ExitStatus::BadInput;
            pool->submit([&calculate, where, block = std::move(block)]() mutable {
                calculateBlock(block, calculate, where);
                return std::move(block);
            });
            block = std::move(written);
        }
        return writeAll() ? status : ExitStatus::BadInput;
    }

} // namespace

unsigned availableCores()
{
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) != 0)
        return 1;
    return static_cast<unsigned>(std::max(CPU_COUNT(&cores), 1));
}

int eachLine(std::span<const std::string_view> files, Output &output,
    const LineCalculation &calculate, unsigned jobs)
{
    int status = ExitStatus::Success;
    const std::string_view standardInput[] = { "-" };
    for (const auto name : files.empty() ? std::span(standardInput) : files) {
        const std::string shown = name == "-" ? "standard input" : std::string(name);
        const std::string where = files.empty() ? "" : shown + ": ";
        const int file
            = name == "-" ? STDIN_FILENO : open(std::string(name).c_str(), O_RDONLY | O_CLOEXEC);
        if (file < 0) {
            status = fail(shown + ": " + reasonOf(errno));
            continue;
        }
        BlockReader reader(file, name != "-");
        status = std::max(status, calculateFile(reader, output, calculate, where, jobs));
        if (!output.ok())
            return ExitStatus::BadInput;
        if (reader.error() == ENOMEM)
            status = fail(where + "line " + std::to_string(reader.line())
                + ": the line is longer than the memory can hold");
        else if (reader.error())
            status = fail("cannot read " + shown + ": " + reasonOf(reader.error()));
    }
    return status;
}

} // namespace cli
