#pragma once

#include "Rotation.h"

#include <optional>
#include <string>

namespace quorvex::detail {

// Whether nine values, each known only to within its uncertainty, can be a matrix that Calculate
// Matrix writes: diag(kX, kY, kZ) · Rx · Ry · Rz, whose rows are perpendicular and as long as the
// scales. Returns what is wrong ("row 3 is zero", "rows 1 and 2 stand at 62.4°, not 90°"), or
// nothing.
std::optional<std::string> rotationProblem(
    const Parameters &values, const Parameters &uncertainties);

} // namespace quorvex::detail
