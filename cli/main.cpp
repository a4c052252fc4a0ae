// quorvex-cli: Quorvex's two calculations from a shell, for scripts and batch work.

#include "Calculations.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#ifndef QUORVEX_VERSION
#error "QUORVEX_VERSION must be defined by the build"
#endif

namespace {

constexpr std::string_view Usage
    = R"(Usage: quorvex-cli matrix ROT_X ROT_Y ROT_Z [SCALE_X SCALE_Y SCALE_Z]
       quorvex-cli angles [VALUE...]
       quorvex-cli --help | --version

  matrix   Prints the nine rotation-and-scale parameters r11 ... r33 for three
           rotation angles in degrees and three scale factors (default 1), as
           the line to paste into a *.him file.
  angles   Prints the rotation angles X Y Z in degrees of a parameter line,
           given as arguments or, without arguments, on standard input.

Numbers in arguments are read with "." or the decimal separator of your locale;
all output uses ".".
)";

// What the exit status tells a script.
namespace ExitStatus {
    constexpr int Success = 0;
    constexpr int BadInput = 1; // an input that cannot be read, or output that cannot be written
    constexpr int UsageError = 2;
} // namespace ExitStatus

int usageError(std::string_view problem)
{
    std::cerr << "quorvex-cli: " << problem << '\n' << Usage;
    return ExitStatus::UsageError;
}

template<typename T> int print(const std::variant<T, quorvex::Error> &result, auto &&write)
{
    if (const auto *error = std::get_if<quorvex::Error>(&result)) {
        std::cerr << "quorvex-cli: " << error->message << '\n';
        return ExitStatus::BadInput;
    }
    write(std::get<T>(result));
    std::cout << '\n';
    return std::cout.flush() ? ExitStatus::Success : ExitStatus::BadInput;
}

int matrix(std::span<char *const> values)
{
    if (values.size() != 3 && values.size() != 6)
        return usageError("matrix takes three angles and, optionally, three scale factors");
    quorvex::InputTexts inputs { "", "", "", "1", "1", "1" };
    for (std::size_t i = 0; i < values.size(); ++i)
        inputs[i] = values[i];
    // Scale factors left out are "1" in any locale.
    return print(quorvex::calculateMatrix(inputs, quorvex::userNumberFormat()),
        [](const std::string &line) { std::cout << line; });
}

int angles(std::span<char *const> values)
{
    std::string line;
    if (values.empty()) {
        line.assign(std::istreambuf_iterator<char>(std::cin), {});
    } else {
        for (const char *value : values) {
            if (!line.empty())
                line += ' ';
            line += value;
        }
    }
    return print(quorvex::calculateAngles(line), [](const quorvex::Angles &angles) {
        std::cout << angles.rotX << angles.rotY << angles.rotZ;
    });
}

} // namespace

int main(int argc, char *argv[])
{
    const std::span<char *const> args(argv + 1, static_cast<std::size_t>(argc - 1));
    for (const std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << Usage;
            return ExitStatus::Success;
        }
        if (arg == "--version") {
            std::cout << "quorvex-cli " QUORVEX_VERSION "\n";
            return ExitStatus::Success;
        }
        // Anything else that looks like an option is a mistake; "-30" is a number, not an option.
        if (arg.starts_with("--"))
            return usageError("unknown option " + std::string(arg));
    }
    if (args.empty())
        return usageError("a command is needed");
    const std::string_view command = args.front();
    if (command == "matrix")
        return matrix(args.subspan(1));
    if (command == "angles")
        return angles(args.subspan(1));
    return usageError("unknown command " + std::string(command));
}
