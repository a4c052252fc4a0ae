// Feeds arbitrary clipboard text to Calculate Angles and checks what the parameter-line reader
// promises: it fails only with an error that names the Matrix field; every value it passes on is
// finite; and the angles it gives are numbers that the angle fields read back.

#include "FieldReader.h"
#include "FuzzTarget.h"
#include "LineReader.h"
#include "quorvex/Calculations.h"

#include <cmath>

using namespace quorvex;
using namespace quorvex::detail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto text = textOf(data, size);
    const auto parsed = parseLine(text);
    const auto result = calculateAngles(text);
    if (const auto *error = std::get_if<Error>(&parsed)) {
        check(error->field == Field::Matrix && error->message.starts_with("Matrix: \""));
        check(std::holds_alternative<Error>(result) || text.empty());
        return 0;
    }
    for (const double p : std::get<Parameters>(parsed))
        check(std::isfinite(p));
    const auto &angles = std::get<Angles>(result);
    for (const auto &angle : { angles.rotX, angles.rotY, angles.rotZ }) {
        const auto degrees = readField(Field::RotX, angle, NumberFormat { ",", "." });
        check(
            std::holds_alternative<double>(degrees) && std::fabs(std::get<double>(degrees)) <= 180);
    }
    return 0;
}
