#include "Input.h"

#include "quorvex/Calculations.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace cli {
namespace {

    // Larger than any parameter line needs: input without end stops here instead of filling memory.
    constexpr std::size_t InputLimit = 64 << 20;

    // The lines of an open file, one at a time, in a buffer as long as the longest of them; the
    // file is closed at the end, unless it is standard input.
    class Lines
    {
    public:
        explicit Lines(std::FILE *file)
            : m_file(file)
        { }
        ~Lines()
        {
            std::free(m_data);
            if (m_file != stdin)
                std::fclose(m_file);
        }
        Lines(const Lines &) = delete;
        Lines &operator=(const Lines &) = delete;

        // The next line without its end (LF or CR LF); false at the end of the file, and where
        // the next line cannot be read (error() then says why).
        bool next(std::string_view &line)
        {
            const auto length = getline(&m_data, &m_capacity, m_file);
            if (length < 0) {
                // A read error, or a line longer than the memory can hold: not the end.
                if (!std::feof(m_file))
                    m_error = errno;
                return false;
            }
            line = { m_data, static_cast<std::size_t>(length) };
            if (line.ends_with('\n'))
                line.remove_suffix(1);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            return true;
        }
        // The error number that stopped the reading, 0 at the end of the file.
        int error() const { return m_error; }

    private:
        std::FILE *m_file;
        char *m_data = nullptr;
        std::size_t m_capacity = 0;
        int m_error = 0;
    };

    bool isBlank(std::string_view line)
    {
        std::string_view word[1];
        return quorvex::splitWords(line, word) == 0;
    }

} // namespace

int eachLine(
    std::span<const std::string_view> files, Output &output, const LineCalculation &calculate)
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
        Lines lines(file);
        std::string_view line;
        long number = 1;
        for (; lines.next(line); ++number) {
            if (!isBlank(line)) {
                const auto result = calculate(line);
                if (const auto *error = std::get_if<quorvex::Error>(&result))
                    status = fail(where + "line " + std::to_string(number) + ": " + error->message);
                else if (!output.write(std::get<std::string>(result)))
                    return ExitStatus::BadInput;
            }
            if (!output.write("\n"))
                return ExitStatus::BadInput;
        }
        if (lines.error() == ENOMEM)
            status = fail(where + "line " + std::to_string(number)
                + ": the line is longer than the memory can hold");
        else if (lines.error())
            status = fail("cannot read " + shown + ": " + reasonOf(lines.error()));
    }
    return status;
}

std::variant<std::string, int> readStandardInput()
{
    std::string text;
    std::size_t length = 0;
    do {
        text.resize(length + (1 << 16));
        length += std::fread(text.data() + length, 1, text.size() - length, stdin);
        if (length > InputLimit)
            return fail("standard input holds more than 64 MiB, far more than a parameter line; "
                        "quorvex-cli angles -l reads one line at a time");
    } while (length == text.size());
    if (std::ferror(stdin))
        return fail("cannot read standard input: " + reasonOf(errno));
    text.resize(length);
    return text;
}

} // namespace cli
