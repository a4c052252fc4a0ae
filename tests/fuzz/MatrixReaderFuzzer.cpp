// Feeds arbitrary clipboard text to Calculate Angles and checks what the matrix reader promises,
// with the values taken by rows and by columns alike: it reads what its general reading reads (its
// fast path for plain lines included); it fails only with an error that names the Matrix field;
// readings of a text that Calculate Angles refuses are more than one; and every text it answers
// gives angles and scales that rebuild the nine values read, within the digits of both.

#include "FuzzTarget.h"
#include "quorvex/Calculations.h"
#include "reader/MatrixReader.h"
#include "text/FieldReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>

using namespace quorvex;
using namespace quorvex::detail;

namespace {

// Whether two readings are the same, to the last bit.
bool same(const std::variant<Readings, Error> &a, const std::variant<Readings, Error> &b)
{
    const auto *x = std::get_if<Readings>(&a), *y = std::get_if<Readings>(&b);
    if (!x || !y)
        return !x && !y && std::get<Error>(a).message == std::get<Error>(b).message;
    return x->count == y->count && x->ways == y->ways
        && std::memcmp(x->matrices.data(), y->matrices.data(), x->count * sizeof(PastedMatrix))
        == 0;
}

// The promises for one order of the values.
void checkReading(std::string_view text, ValueOrder order)
{
    const NumberFormat point;
    const auto read = readMatrix(text, order);
    check(same(read, readAnyMatrix(text, order)));
    const auto result = calculateAngles(text, point, order);
    if (const auto *error = std::get_if<Error>(&read)) {
        check(error->field == Field::Matrix && error->message.starts_with("Matrix: "));
        check(std::holds_alternative<Error>(result) || text.empty());
        return;
    }
    // Readings that give different answers are refused, as unclear.
    const auto &readings = std::get<Readings>(read);
    if (const auto *error = std::get_if<Error>(&result)) {
        check(readings.count > 1 && error->field == Field::Matrix);
        return;
    }
    const auto &[values, uncertainties, rows] = readings.matrices[0];
    const auto &a = std::get<AnglesAndScales>(result);
    const std::string fields[] { a.rotX, a.rotY, a.rotZ, a.scaleX, a.scaleY, a.scaleZ };
    // Each reads back in its own field: the angles as angles, the scales as scales.
    for (std::size_t i = 0; i < std::size(fields); ++i)
        check(std::holds_alternative<double>(readField(static_cast<Field>(i), fields[i], point)));
    const auto line = calculateMatrix(
        { fields[0], fields[1], fields[2], fields[3], fields[4], fields[5] }, point);
    // A scale so large that a product overflows, or so small that the line's six decimals lose
    // its row: Calculate Matrix says so, naming the scale's field.
    if (const auto *error = std::get_if<Error>(&line)) {
        check(error->field >= Field::ScaleX && error->field <= Field::ScaleZ
            && (error->message.find(" makes r") != std::string::npos
                || error->message.find(" is too small") != std::string::npos));
        return;
    }
    // Each rebuilt value is off by what the angles' two decimals allow (half a hundredth of a
    // degree each, rounded, and as much again from the digits read), and the scales' and the
    // values' own digits and the line's six decimals. The angles come from the two rows known
    // best, so the vaguest row's digits count only in its own values.
    const auto &length = rows.lengths, &vagueness = rows.uncertainties;
    std::array<double, 3> relative { vagueness[0] / length[0], vagueness[1] / length[1],
        vagueness[2] / length[2] };
    std::ranges::sort(relative);
    const double angle = 0.01 * std::numbers::pi / 180 + 12 * relative[1];
    const auto &rebuilt = std::get<std::string>(line);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < 9; ++i) {
        pos = rebuilt.find_first_not_of(' ', pos);
        double value = 0;
        pos = static_cast<std::size_t>(
            std::from_chars(rebuilt.data() + pos, rebuilt.data() + rebuilt.size(), value).ptr
            - rebuilt.data());
        const double allowed
            = 3 * length[i / 3] * angle + 3 * vagueness[i / 3] + 1e-6 * (1 + std::fabs(values[i]));
        check(std::fabs(value - values[i]) <= allowed);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto text = textOf(data, size);
    checkReading(text, ValueOrder::Rows);
    checkReading(text, ValueOrder::Columns);
    return 0;
}
