#pragma once

#include "quorvex/Error.h"

#include <span>
#include <string>
#include <string_view>

namespace quorvex::detail {

struct NumberScan;

// The beginning of every message: the field's label and the text that failed, quoted so that it
// fits on one line of a message box or a terminal: Rot Y: "abc". A long text (a pasted file, a
// megabyte of digits) is cut short at a whole character, and characters that show nothing are
// written as escapes (\n, \u00A0, \xFF for a byte that is no character), so that a no-break space
// does not pass for a blank.
std::string about(Field field, std::string_view text);

// An Error of the field that quotes its text and says what is wrong with it: about() + what.
inline Error errorAbout(Field field, std::string_view text, std::string_view what)
{
    return { field, about(field, text).append(what) };
}

// Why a number that was read has no value: " is too large" for a double, or it has more digits
// than can be counted.
std::string_view withoutValue(const NumberScan &number);

// Numbers as a sentence lists them: "2", "1 and 3", "3, 4, 4 and 4".
std::string listed(std::span<const std::size_t> numbers);

// What a text that is not a number lacks, where it looks like a number with thousands
// separators, three digits between its first "." or "," and the next ("1,000.5", "1.000.000"):
// " (write it without thousands separators)". Empty for any other text.
std::string_view thousandsHint(std::string_view text);

// Why a number that looksGrouped() cannot be read: " could be 1500 or 1,5; write it as one of
// those", its decimal written with `decimalPoint`.
std::string groupedOrDecimal(std::string_view number, std::string_view decimalPoint);

} // namespace quorvex::detail
