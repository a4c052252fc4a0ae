#pragma once

#include <string>

// The number texts the user sees and pastes, and the quadrant arctangent.
namespace quorvex::Module1 {

// π as fifteen significant digits, not the nearest double. Lines that users already keep in their
// *.him files were made with this constant; using it in both directions keeps every old line and
// every old angle reproducible to the last printed digit (Rot Z = 90 gives r11 = 1.6e-15, "0").
inline constexpr double Pi = 3.14159265358979;

// One matrix parameter for the parameter line, always with "." and one trailing blank:
// "1 " within a millionth of ±1, "0 " below 1e-8, "0.866025 " (up to six decimals) from 1e-6 on,
// "3.5e-7 " in between. Precondition: x is finite.
std::string FormatParam(double x);

// An angle given in radians, as degrees for an angle field: "1 " or "-1 " for exactly ±1°,
// "0 " below 0.01°, otherwise one or two decimals ("30.0 ", "7.53 "). Precondition: r is finite.
std::string FormatAngle(double r);

// The angle of the point (x, y) in [-π, π], built from the one-argument arctangent.
// On the negative x axis it is +π: a half turn reads as 180 degrees.
double ArcTan2(double y, double x);

} // namespace quorvex::Module1
