// Feeds arbitrary text to the input-field reader under three decimal separators and checks its
// promises: a value it accepts is finite and the same whichever separator wrote it; a text it
// rejects gives an error that names the field; and Calculate Matrix on accepted values writes a
// line of nine finite values.

#include "Calculations.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string replaced(std::string_view text, char from, std::string_view to)
{
    std::string result;
    for (const char c : text)
        c == from ? result.append(to) : result.append(1, c);
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace quorvex;
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    const auto value = readField(Field::ScaleY, text, ".");
    if (const auto *error = std::get_if<Error>(&value)) {
        check(error->field == Field::ScaleY && error->message.starts_with("Scale Y: \""));
        return 0;
    }
    const double number = std::get<double>(value);
    check(std::isfinite(number));

    // The same number written with another separator reads the same.
    for (const std::string_view separator : { std::string_view(","), std::string_view("\u066b") }) {
        const auto other = readField(Field::ScaleY, replaced(text, '.', separator), separator);
        check(std::holds_alternative<double>(other));
        const double otherNumber = std::get<double>(other);
        check(otherNumber == number && std::signbit(otherNumber) == std::signbit(number));
    }

    const auto line = calculateMatrix({ text, text, text, "1", text, "1" }, ".");
    if (const auto *error = std::get_if<Error>(&line)) {
        // Only a product can overflow now, and only through a scale factor.
        check(error->field == Field::ScaleY
            && error->message.find(" too large") != std::string::npos);
        return 0;
    }
    const auto parameters = parseLine(std::get<std::string>(line));
    check(std::holds_alternative<Parameters>(parameters));
    for (const double p : std::get<Parameters>(parameters))
        check(std::isfinite(p));
    return 0;
}
