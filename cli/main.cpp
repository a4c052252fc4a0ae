// quorvex-cli: Quorvex's two calculations from a shell, for scripts and batch work.

#include "Commands.h"
#include "Options.h"
#include "Output.h"

#ifndef QUORVEX_VERSION
#error "QUORVEX_VERSION must be defined by the build"
#endif

int main(int argc, char *argv[])
{
    using namespace cli;
    // A program started without even its own name (argc 0) has no arguments either.
    const auto options = parseOptions(argc > 1
            ? std::span<char *const>(argv + 1, static_cast<std::size_t>(argc - 1))
            : std::span<char *const>());
    Output output;
    if (options.help) {
        writeUsage(output);
        return output.finish(ExitStatus::Success);
    }
    if (options.version) {
        output.write("quorvex-cli " QUORVEX_VERSION "\n");
        return output.finish(ExitStatus::Success);
    }
    if (!options.problem.empty())
        return usageError(options.problem);
    if (options.words.empty())
        return usageError("a command is needed");
    const auto command = options.words.front();
    const auto operands = std::span(options.words).subspan(1);
    if (command == "matrix")
        return output.finish(matrix(operands, options, output));
    if (command == "angles")
        return output.finish(angles(operands, options, output));
    return usageError("unknown command " + std::string(command));
}
