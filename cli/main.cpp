// quorvex-cli: Quorvex's two calculations from a shell, for scripts and batch work.

#include "Commands.h"
#include "Options.h"
#include "Output.h"

#include <exception>
#include <new>

#ifndef QUORVEX_VERSION
#error "QUORVEX_VERSION must be defined by the build"
#endif

namespace {

int run(std::span<char *const> arguments, cli::Output &output)
{
    using namespace cli;
    const auto options = parseOptions(arguments);
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

} // namespace

int main(int argc, char *argv[])
{
    using namespace cli;
    Output output;
    // What could not be done ends the run with its reason, after the answers written so far.
    try {
        // A program started without even its own name (argc 0) has no arguments either.
        return run(argc > 1 ? std::span<char *const>(argv + 1, static_cast<std::size_t>(argc - 1))
                            : std::span<char *const>(),
            output);
    } catch (const std::bad_alloc &) {
        return output.finish(fail("out of memory"));
    } catch (const std::exception &error) {
        return output.finish(fail(error.what()));
    }
}
