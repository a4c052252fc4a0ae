#pragma once

#include "rotation/Rotation.h"

#include <array>
#include <optional>
#include <string>

namespace quorvex::detail {

// The lengths of the rows of nine values, and how far each may be off: the length of the row of
// their uncertainties.
struct RowLengths
{
    std::array<double, 3> lengths;
    std::array<double, 3> uncertainties;
};
RowLengths rowLengths(const Parameters &values, const Parameters &uncertainties);

// Whether nine values, each known only to within its uncertainty, can be a matrix that Calculate
// Matrix writes: diag(kX, kY, kZ) · Rx · Ry · Rz, whose rows are perpendicular and as long as the
// scales. Returns what is wrong ("row 3 is zero", "rows 1 and 2 stand at 62.4°, not 90°"), or
// nothing.
std::optional<std::string> rotationProblem(
    const Parameters &values, const Parameters &uncertainties, const RowLengths &rows);

} // namespace quorvex::detail
