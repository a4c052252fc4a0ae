// Feeds arbitrary text to the input-field reader and checks its promises: the plain number scan
// reads what the general scan reads; a value it accepts is finite and reads the same written with
// another decimal separator; a text it rejects gives an error that names the field; Calculate
// Matrix on accepted values writes nine finite numbers or says which field it cannot take.

#include "FuzzTarget.h"
#include "quorvex/Calculations.h"
#include "text/FieldReader.h"
#include "text/NumberScanner.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <span>

using namespace quorvex;
using namespace quorvex::detail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto text = textOf(data, size);
    for (const char separator : { '.', ',' }) {
        NumberScan plain;
        if (scanPlainNumber(text, separator, plain)) {
            const auto any = scanAnyNumber(text, std::string_view(&separator, 1));
            check(plain.length == any.length && plain.decimals == any.decimals
                && plain.exponent == any.exponent && any.value
                && std::bit_cast<std::uint64_t>(*plain.value)
                    == std::bit_cast<std::uint64_t>(*any.value));
        }
    }
    const NumberFormat point, comma { ",", "." };
    const auto value = readField(Field::ScaleY, text, point);
    if (const auto *error = std::get_if<Error>(&value)) {
        check(error->field == Field::ScaleY && error->message.starts_with("Scale Y: \""));
        return 0;
    }
    check(std::isfinite(std::get<double>(value)));
    // A German user's comma reads as the point does.
    if (std::ranges::count(text, '.') == 1 && std::ranges::count(text, ',') == 0) {
        std::string commas(text);
        std::ranges::replace(commas, '.', ',');
        const auto other = readField(Field::ScaleY, commas, comma);
        check(std::get<double>(other) == std::get<double>(value));
    }
    const auto line = calculateMatrix({ text, text, text, "1", text, "1" }, point);
    if (const auto *error = std::get_if<Error>(&line)) {
        // A number too large for an angle; or a product that overflows, or a row too small for
        // the line to keep, both through a scale factor.
        const auto &message = error->message;
        check(error->field == Field::RotX
                ? message.find(" is too large for an angle; ") != std::string::npos
                : error->field == Field::ScaleY
                    && (message.ends_with(" too large")
                        || message.find(" is too small") != std::string::npos));
        return 0;
    }
    // Nine finite numbers, each ending in a blank, three groups set apart by two more.
    std::array<std::string_view, 10> parameters;
    check(splitWords(std::get<std::string>(line), parameters) == 9);
    for (const auto parameter : std::span(parameters).first(9)) {
        const auto number = readField(Field::ScaleX, parameter, point);
        check(std::holds_alternative<double>(number) && std::isfinite(std::get<double>(number)));
    }
    return 0;
}
