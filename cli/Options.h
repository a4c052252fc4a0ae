#pragma once

#include "Output.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// What the command line asks for.
struct Options
{
    bool help = false;
    bool version = false;
    bool eachLine = false; // -l: one result for each line of the input
    bool scales = false; // angles --scales: the scale factors after the angles
    bool columns = false; // angles --columns: the values are listed column by column
    unsigned jobs = 0; // -j: the threads of -l; 0 for every core the process may use
    std::vector<std::string_view> words; // the command and its operands
    std::string problem; // what is wrong with the command line, if anything
};

// Reads the arguments that follow the program's name. "-30" is a value, not an option, and "--"
// ends the options.
Options parseOptions(std::span<char *const> arguments);

// Writes the whole usage, for --help.
void writeUsage(Output &output);

// Says what is wrong with the command line, with the synopsis, on standard error; returns
// UsageError.
int usageError(const std::string &problem);

} // namespace cli
