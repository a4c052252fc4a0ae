// quorvex-cli: Quorvex's two calculations from a shell, for scripts and batch work.

#include "Calculations.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#ifndef QUORVEX_VERSION
#error "QUORVEX_VERSION must be defined by the build"
#endif

namespace {

constexpr std::string_view Synopsis
    = R"(Usage: quorvex-cli matrix ROT_X ROT_Y ROT_Z [SCALE_X SCALE_Y SCALE_Z]
       quorvex-cli angles [VALUE... | -]
       quorvex-cli matrix|angles -l [FILE...]
       quorvex-cli --help | --version
)";

constexpr std::string_view Details = R"(
  matrix   Prints the nine rotation-and-scale parameters r11 ... r33 for three
           rotation angles in degrees and three scale factors (default 1), as
           the line to paste into a *.him file.
  angles   Prints the rotation angles X Y Z in degrees of a parameter line,
           given as values or, without any or with -, on standard input.
  -l, --each-line
           One result for each line of standard input, or of the files named
           (- is standard input): for matrix, lines of three angles and maybe
           three scale factors; for angles, parameter lines. A blank line, or
           one that cannot be read, gives a blank line; the reason goes to
           standard error, and the exit status is 1.
  --       Ends the options, so that a value after it may begin with -.

Angles and scales are read with "." or your locale's decimal separator (30.5,
or 30,5 in a German locale), a sign or an exponent (1e-3), and no thousands
separators. A parameter line may separate its values with blanks, tabs, line
breaks, brackets or ";": a *.him line, a spreadsheet row (0,866025<TAB>-0,5...
in a comma locale) and a printed list ([0.81, -0.47, ...]) all read. Output
always uses ".".

  $ printf '30 0 0\n10 20 30 2 3 4\n0 0 90\n' | quorvex-cli matrix -l
  1 0 0   0 0.866025 -0.5   0 0.5 0.866025
  1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 3.701666
  0 -1 0   1 0 0   0 0 1

Exit status: 0 on success, 1 when an input cannot be read or the output cannot
be written, 2 for a wrong command line.
)";

namespace ExitStatus {
    constexpr int Success = 0;
    constexpr int BadInput = 1; // an input that cannot be read, or output that cannot be written
    constexpr int UsageError = 2;
} // namespace ExitStatus

// Larger than any parameter line needs: input without end stops here instead of filling memory.
constexpr std::size_t InputLimit = 64 << 20;

int fail(const std::string &reason)
{
    std::fprintf(stderr, "quorvex-cli: %s\n", reason.c_str());
    return ExitStatus::BadInput;
}

int usageError(const std::string &problem)
{
    std::fprintf(stderr, "quorvex-cli: %s\n%.*sTry quorvex-cli --help for more.\n", problem.c_str(),
        static_cast<int>(Synopsis.size()), Synopsis.data());
    return ExitStatus::UsageError;
}

std::string reasonOf(int error)
{
    return std::strerror(error);
}

// Standard output, written in blocks; the first failure to write ends the run with its reason.
class Output
{
public:
    bool write(std::string_view text)
    {
        m_buffer += text;
        return m_buffer.size() < (1 << 16) || flush();
    }
    bool write(const quorvex::Angles &angles)
    {
        return write(angles.rotX) && write(angles.rotY) && write(angles.rotZ);
    }
    int finish(int status) { return flush() && std::fflush(stdout) == 0 ? status : failed(); }

private:
    bool flush()
    {
        if (!m_failed
            && std::fwrite(m_buffer.data(), 1, m_buffer.size(), stdout) != m_buffer.size())
            failed();
        m_buffer.clear();
        return !m_failed;
    }
    int failed()
    {
        if (!std::exchange(m_failed, true))
            fail("cannot write standard output: " + reasonOf(errno));
        return ExitStatus::BadInput;
    }

    std::string m_buffer;
    bool m_failed = false;
};

// The values of a line of the matrix command, as the fields would hold them; one more than a line
// may have at most.
struct Values
{
    std::array<std::string_view, 7> texts;
    std::size_t count = 0;
};

Values valuesOf(std::string_view line)
{
    Values values;
    for (std::size_t pos = 0; pos < line.size() && values.count < values.texts.size();) {
        if (const auto blank = quorvex::whiteSpaceAt(line, pos)) {
            pos += blank;
            continue;
        }
        const auto begin = pos;
        while (pos < line.size() && !quorvex::whiteSpaceAt(line, pos))
            pos += static_cast<unsigned char>(line[pos]) < 0x80
                ? 1
                : quorvex::characterAt(line, pos).length;
        values.texts[values.count++] = line.substr(begin, pos - begin);
    }
    return values;
}

std::variant<std::string, quorvex::Error> matrixOf(
    std::span<const std::string_view> values, const quorvex::NumberFormat &format)
{
    // Scale factors left out are "1" in any locale.
    quorvex::InputTexts inputs { "", "", "", "1", "1", "1" };
    std::copy(values.begin(), values.end(), inputs.begin());
    return quorvex::calculateMatrix(inputs, format);
}

bool isMatrixCount(std::size_t count)
{
    return count == 3 || count == 6;
}

constexpr std::string_view MatrixValues
    = "matrix takes three angles and, optionally, three scale factors";

// The lines of an open file, one at a time, in a buffer as long as the longest of them; the file
// is closed at the end, unless it is standard input.
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

    // The next line without its end (LF or CR LF); false at the end of the file, or on an error.
    bool next(std::string_view &line)
    {
        const auto length = getline(&m_data, &m_capacity, m_file);
        if (length < 0)
            return false;
        line = { m_data, static_cast<std::size_t>(length) };
        if (line.ends_with('\n'))
            line.remove_suffix(1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        return true;
    }
    bool failed() const { return std::ferror(m_file); }

private:
    std::FILE *m_file;
    char *m_data = nullptr;
    std::size_t m_capacity = 0;
};

// Calculates each line of the inputs: output line N belongs to input line N, blank for a blank
// line or one that cannot be read, whose reason goes to standard error.
template<typename Calculate>
int eachLine(std::span<const std::string_view> files, Output &output, Calculate &&calculate)
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
        for (long number = 1; lines.next(line); ++number) {
            if (!quorvex::trimmed(line).empty()) {
                const auto result = calculate(line);
                if (const auto *error = std::get_if<quorvex::Error>(&result))
                    status = fail(where + "line " + std::to_string(number) + ": " + error->message);
                else if (!output.write(std::get<0>(result)))
                    return ExitStatus::BadInput;
            }
            if (!output.write("\n"))
                return ExitStatus::BadInput;
        }
        if (lines.failed())
            status = fail("cannot read " + shown + ": " + reasonOf(errno));
    }
    return status;
}

// All of standard input, up to InputLimit.
std::variant<std::string, int> readAll()
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

template<typename T> int print(const std::variant<T, quorvex::Error> &result, Output &output)
{
    if (const auto *error = std::get_if<quorvex::Error>(&result))
        return fail(error->message);
    output.write(std::get<T>(result));
    output.write("\n");
    return ExitStatus::Success;
}

int matrix(std::span<const std::string_view> operands, bool eachLineMode, Output &output)
{
    const auto format = quorvex::userNumberFormat();
    if (eachLineMode) {
        return eachLine(operands, output,
            [&](std::string_view line) -> std::variant<std::string, quorvex::Error> {
                const auto values = valuesOf(line);
                // Only the message reaches the user; no field is to blame.
                if (!isMatrixCount(values.count))
                    return quorvex::Error { quorvex::Field::RotX,
                        "it holds " + std::string(values.count < 7 ? "" : "more than ")
                            + std::to_string(std::min<std::size_t>(values.count, 6)) + " values; "
                            + std::string(MatrixValues) };
                return matrixOf(std::span(values.texts).first(values.count), format);
            });
    }
    if (!isMatrixCount(operands.size()))
        return usageError(std::string(MatrixValues));
    return print(matrixOf(operands, format), output);
}

int angles(std::span<const std::string_view> operands, bool eachLineMode, Output &output)
{
    if (eachLineMode)
        return eachLine(operands, output, &quorvex::calculateAngles);
    std::string line;
    if (operands.empty() || (operands.size() == 1 && operands[0] == "-")) {
        auto input = readAll();
        if (const auto *status = std::get_if<int>(&input))
            return *status;
        line = std::move(std::get<std::string>(input));
    } else {
        for (const auto value : operands) {
            if (!line.empty())
                line += ' ';
            line += value;
        }
    }
    return print(quorvex::calculateAngles(line), output);
}

} // namespace

int main(int argc, char *argv[])
{
    bool help = false, version = false, eachLineMode = false, options = true;
    std::string problem;
    std::vector<std::string_view> words; // the command and its operands
    for (const std::string_view arg :
        std::span<char *const>(argv + 1, static_cast<std::size_t>(argc - 1))) {
        if (options && arg == "--")
            options = false;
        else if (options && (arg == "--help" || arg == "-h"))
            help = true;
        else if (options && arg == "--version")
            version = true;
        else if (options && (arg == "--each-line" || arg == "-l"))
            eachLineMode = true;
        // "-30" is a value; anything else that looks like an option is a mistake.
        else if (options && arg.starts_with("--") && problem.empty())
            problem = "unknown option " + std::string(arg);
        else
            words.push_back(arg);
    }
    Output output;
    if (help) {
        output.write(Synopsis);
        output.write(Details);
        return output.finish(ExitStatus::Success);
    }
    if (version) {
        output.write("quorvex-cli " QUORVEX_VERSION "\n");
        return output.finish(ExitStatus::Success);
    }
    if (!problem.empty())
        return usageError(problem);
    if (words.empty())
        return usageError("a command is needed");
    const auto operands = std::span(words).subspan(1);
    if (words.front() == "matrix")
        return output.finish(matrix(operands, eachLineMode, output));
    if (words.front() == "angles")
        return output.finish(angles(operands, eachLineMode, output));
    return usageError("unknown command " + std::string(words.front()));
}
