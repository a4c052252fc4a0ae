#include "Batch.h"

#include "Input.h"
#include "quorvex/Calculations.h"

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include <sched.h> // sched_getaffinity: the cores this process may use, not all the machine has

namespace cli {
namespace {

    // A block of whole lines and what they give.
    struct Block
    {
        std::string text;
        long firstLine = 0;
        std::string output; // one line for each line of text
        std::string messages; // one line for each line that cannot be read
    };

    bool isBlank(std::string_view line)
    {
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos)
            return true;
        if (static_cast<unsigned char>(line[first]) < 0x80)
            return false;
        std::string_view word[1]; // other white space, such as a no-break space
        return quorvex::splitWords(line, word) == 0;
    }

    void calculateBlock(Block &block, const LineCalculation &calculate, std::string_view where)
    {
        block.output.clear();
        block.messages.clear();
        std::string_view text = block.text;
        for (long number = block.firstLine; !text.empty(); ++number) {
            const auto end = std::min(text.find('\n'), text.size());
            auto line = text.substr(0, end);
            text.remove_prefix(std::min(end + 1, text.size()));
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            const auto size = block.output.size();
            if (!isBlank(line)) {
                if (const auto error = calculate(line, block.output)) {
                    block.output.resize(size);
                    block.messages.append("quorvex-cli: ")
                        .append(where)
                        .append("line " + std::to_string(number) + ": ")
                        .append(error->message)
                        .push_back('\n');
                }
            }
            block.output.push_back('\n');
        }
    }

    // Writes a calculated block; false where standard output cannot be written.
    bool write(const Block &block, Output &output, int &status)
    {
        if (!block.messages.empty()) {
            std::fputs(block.messages.c_str(), stderr);
            status = ExitStatus::BadInput;
        }
        return output.write(block.output);
    }

    // The blocks of one file: read and written in order by this thread, calculated by `jobs`
    // workers meanwhile. At most two blocks for each worker are held at a time, so that memory
    // stays bounded however long the input. A file of one block is calculated here, without
    // starting a thread.
    int calculateFile(BlockReader &reader, Output &output, const LineCalculation &calculate,
        std::string_view where, unsigned jobs)
    {
        int status = ExitStatus::Success;
        Block first;
        if (!reader.next(first.text, first.firstLine))
            return status;
        Block second;
        if (jobs <= 1 || !reader.next(second.text, second.firstLine)) {
            // One worker, or one block: calculated here, one after the other.
            do {
                calculateBlock(first, calculate, where);
                if (!write(first, output, status))
                    return ExitStatus::BadInput;
            } while (jobs <= 1 && reader.next(first.text, first.firstLine));
            return status;
        }

        std::vector<Block> ring(2 * jobs);
        std::vector<char> done(ring.size()); // by slot: calculated, ready to write
        std::deque<std::size_t> waiting; // slots to calculate, in order
        std::mutex mutex;
        std::condition_variable changed;
        bool stopping = false;
        std::vector<std::jthread> workers;
        for (unsigned i = 0; i < jobs; ++i) {
            workers.emplace_back([&] {
                std::unique_lock lock(mutex);
                for (;;) {
                    changed.wait(lock, [&] { return stopping || !waiting.empty(); });
                    if (waiting.empty())
                        return;
                    const auto slot = waiting.front();
                    waiting.pop_front();
                    lock.unlock();
                    calculateBlock(ring[slot], calculate, where);
                    lock.lock();
                    done[slot] = 1;
                    changed.notify_all();
                }
            });
        }
        const auto stop = [&] {
            const std::lock_guard lock(mutex);
            stopping = true;
            changed.notify_all();
        };

        std::swap(ring[0], first);
        std::swap(ring[1], second);
        std::size_t read = 2, written = 0;
        bool ended = false;
        {
            const std::lock_guard lock(mutex);
            waiting = { 0, 1 };
        }
        changed.notify_all();
        while (written < read) {
            while (!ended && read - written < ring.size()) {
                auto &block = ring[read % ring.size()];
                if (!reader.next(block.text, block.firstLine)) {
                    ended = true;
                    break;
                }
                const std::lock_guard lock(mutex);
                waiting.push_back(read++ % ring.size());
                changed.notify_all();
            }
            const auto slot = written % ring.size();
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return done[slot] != 0; });
                done[slot] = 0;
            }
            if (!write(ring[slot], output, status)) {
                stop();
                return ExitStatus::BadInput;
            }
            ++written;
        }
        stop();
        return status;
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
        std::FILE *file = name == "-" ? stdin : std::fopen(std::string(name).c_str(), "r");
        if (!file) {
            status = fail(shown + ": " + reasonOf(errno));
            continue;
        }
        BlockReader reader(file);
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
