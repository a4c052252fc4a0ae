#pragma once

#include <array>
#include <cmath>

// What both calculations share: the matrix as nine numbers, and the turning of degrees into
// radians and back.
namespace quorvex::detail {

// The rotation-and-scale parameters r11 r12 r13  r21 r22 r23  r31 r32 r33, row by row.
using Parameters = std::array<double, 9>;

// π as fifteen significant digits, not the nearest double. Lines that users already keep in their
// *.him files were made with this constant; using it in both directions keeps every old line and
// every old angle reproducible to the last printed digit (Rot Z = 90 gives r11 = 1.6e-15, "0").
inline constexpr double Pi = 3.14159265358979;

// Dividing before multiplying, and the other way round, as every line and angle users hold was
// made.
constexpr double toRadians(double degrees)
{
    return degrees / 180 * Pi;
}
constexpr double toDegrees(double radians)
{
    return radians * 180 / Pi;
}

// The length of the vector (a, b, c): the plain square root where the squares neither overflow
// nor vanish, and std::hypot, several times slower, where they might (a row of 1e200).
inline double length(double a, double b, double c = 0)
{
    const double squares = a * a + b * b + c * c;
    if (squares > 0x1p-1000 && squares < 0x1p1000)
        return std::sqrt(squares);
    return std::hypot(a, b, c);
}

} // namespace quorvex::detail
