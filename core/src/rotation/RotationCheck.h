#pragma once

#include "rotation/Rotation.h"

#include <array>
#include <optional>
#include <string>

namespace quorvex::detail {

// Nine values r11 … r33 as a text writes them: the last digit of each is worth
// 10^(exponent - decimals).
struct WrittenValues
{
    Parameters values;
    std::array<int, 9> decimals, exponents;
};

// The lengths of the rows of nine values, and how far each may be off: the length of the row of
// their uncertainties.
struct RowLengths
{
    std::array<double, 3> lengths;
    std::array<double, 3> uncertainties;
};

// The nine values of a pasted matrix, how far each may be off from what its writer meant (half a
// unit of the last digit written, or more: Uncertainty.h), and the lengths of its rows.
struct PastedMatrix
{
    // Made without zeros, since a check fills every value: zeroing them cost a line of angles -l
    // 28 instructions (callgrind).
    PastedMatrix() { }

    Parameters values;
    Parameters uncertainties;
    RowLengths rows;
};

// Whether written values, each known only to within its digits, can be a matrix that Calculate
// Matrix writes: diag(kX, kY, kZ) · Rx · Ry · Rz, whose rows are perpendicular and as long as the
// scales. Fills `matrix`, and says what is wrong where they cannot: "read as 1 2 3  4 5 6  7 8 9,
// which is not a rotation with scales: rows 1 and 2 stand at 12.9°, not 90°".
std::optional<std::string> checkRotation(const WrittenValues &written, PastedMatrix &matrix);

} // namespace quorvex::detail
