#pragma once

#include <string>

namespace quorvex {

// How the user's locale writes numbers, as far as reading them goes.
struct NumberFormat
{
    std::string decimalPoint = ".";
    std::string groupSeparator; // empty where the locale does not group digits
};

// The number format of the locale the environment names (LC_ALL, LC_NUMERIC, LANG), as the C
// library knows it: "." and no grouping where that locale is not installed. The window and
// quorvex-cli both ask here, so that they read the same text the same way.
NumberFormat userNumberFormat();

} // namespace quorvex
