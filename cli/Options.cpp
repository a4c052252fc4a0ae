#include "Options.h"

#include <charconv>
#include <cstdio>

namespace cli {
namespace {

    constexpr std::string_view Synopsis
        = R"(Usage: quorvex-cli matrix ROT_X ROT_Y ROT_Z [SCALE_X SCALE_Y SCALE_Z]
       quorvex-cli angles [--scales] [--columns] [VALUE... | -]
       quorvex-cli matrix|angles -l [-j JOBS] [FILE...]
       quorvex-cli --help | --version
)";

    constexpr std::string_view Details = R"(
  matrix   Prints the nine rotation-and-scale parameters r11 ... r33 for three
           rotation angles in degrees and three scale factors (default 1), as
           the line to paste into a *.him file.
  angles   Prints the rotation angles X Y Z in degrees of a matrix, given as
           values or, without any or with -, on standard input: a parameter
           line, or rows as a console, spreadsheet or document shows them.
  --scales
           Prints the scale factors X Y Z after the angles, so that the six
           rebuild the matrix; a mirror image (a negative scale) needs them.
  --columns
           Reads the matrix's values column by column (r11 r21 r31 r12 ...),
           as Fortran writes an array: a line of nine, twelve or sixteen
           values, or lines that are columns. A text that says it lists its
           values by rows is refused.
  -l, --each-line
           One result for each line of standard input, or of the files named
           (- is standard input), as soon as the line has arrived: for matrix,
           lines of three angles and maybe three scale factors; for angles,
           parameter lines. A blank line, or one that cannot be read, gives a
           blank line; the reason goes to standard error, and the exit status
           is 1. Lines end in LF, CR LF or CR.
  -j, --jobs JOBS
           With -l, calculates on JOBS threads (default: every core this
           process may use); the output is the same for any number.
  --       Ends the options, so that a value after it may begin with -.

Angles and scales are read with "." or your locale's decimal separator (30.5,
or 30,5 in a German locale), a sign or an exponent (1e-3), and no thousands
separators. An angle may carry its unit, joined to it or quoted: 30°, 30deg,
"30 deg" (degrees, as 30 is) or 1.57rad (radians); a scale takes none. A
matrix may separate its values with blanks, tabs, brackets, ";", "|", "&" or
commas, in rows of three (or four, with a translation) or on one
line: a *.him line, spreadsheet cells (0,866025<TAB>-0,5... in a comma locale)
and a printed array ([[0.81, -0.47, ...], ...]) all read. It must be a
rotation with scale factors; anything else is refused, never guessed. Output
uses ".", and so do scales unless your locale would read them as thousands.
Input is UTF-8, or UTF-16 that begins with its byte-order mark.

A parameter line is a matrix M read column by column: r11 r12 r13 is where X
goes, r21 r22 r23 where Y goes, r31 r32 r33 where Z goes, and a point v goes to
v' = M × v. M scales the object along its own axes first, then turns it about
the fixed axes X, Y and Z in turn; a positive angle turns clockwise as seen
from the tip of its axis toward the origin, against the right-hand rule.

  $ printf '30 0 0\n10 20 30 2 3 4\n0 0 90\n' | quorvex-cli matrix -l
  1 0 0   0 0.866025 -0.5   0 0.5 0.866025
  1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 3.701666
  0 -1 0   1 0 0   0 0 1

Exit status: 0 on success, 1 when an input cannot be read or the output cannot
be written, 2 for a wrong command line.
)";

    // The most threads -l starts: far more than any machine it runs on has cores.
    constexpr unsigned MostJobs = 1024;

    // The number of jobs that a -j names, or 0 where it names none.
    unsigned jobsIn(std::string_view text)
    {
        unsigned jobs = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
        return error == std::errc() && end == text.data() + text.size() && jobs <= MostJobs ? jobs
                                                                                            : 0;
    }

} // namespace

Options parseOptions(std::span<char *const> arguments)
{
    Options options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view arg = arguments[i];
        // A value may begin with "-" ("-30", "-.5", "−30", "-" for standard input); an option
        // begins with "-" and a letter.
        const bool option
            = arg.size() > 1 && arg[0] == '-' && ((arg[1] | 0x20) >= 'a' && (arg[1] | 0x20) <= 'z');
        if (!optionsEnded
            && (arg.starts_with("-j") || arg == "--jobs" || arg.starts_with("--jobs="))) {
            // "-j 8", "-j8", "--jobs 8", "--jobs=8"
            const std::string_view count = arg.starts_with("--jobs=") ? arg.substr(7)
                : arg.size() > 2 && arg[1] == 'j'                     ? arg.substr(2)
                : i + 1 < arguments.size() ? std::string_view(arguments[++i])
                                           : "";
            options.jobs = jobsIn(count);
            if (options.jobs == 0 && options.problem.empty())
                options.problem = std::string(arg.substr(0, arg[1] == 'j' ? 2 : arg.find('=')))
                    + " takes a number of threads from 1 to " + std::to_string(MostJobs)
                    + ", not \"" + std::string(count) + "\"";
        } else if (optionsEnded)
            options.words.push_back(arg);
        else if (arg == "--")
            optionsEnded = true;
        else if (arg == "--help" || arg == "-h")
            options.help = true;
        else if (arg == "--version")
            options.version = true;
        else if (arg == "--each-line" || arg == "-l")
            options.eachLine = true;
        else if (arg == "--scales")
            options.scales = true;
        else if (arg == "--columns")
            options.columns = true;
        else if ((arg.starts_with("--") || option) && options.problem.empty())
            options.problem = "unknown option " + std::string(arg);
        else if (arg.starts_with("--") || option)
            continue;
        else
            options.words.push_back(arg);
    }
    return options;
}

void writeUsage(Output &output)
{
    output.write(Synopsis);
    output.write(Details);
}

int usageError(const std::string &problem)
{
    std::fprintf(stderr, "quorvex-cli: %s\n%.*sTry quorvex-cli --help for more.\n", problem.c_str(),
        static_cast<int>(Synopsis.size()), Synopsis.data());
    return ExitStatus::UsageError;
}

} // namespace cli
