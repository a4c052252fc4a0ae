#pragma once

#include "quorvex/NumberFormat.h"
#include "rotation/Rotation.h"

#include <array>
#include <string>

// The number texts the user sees and pastes. Both kinds are written with "." whatever the locale,
// and end in one blank.
namespace quorvex::detail {

// One matrix parameter for the parameter line: "1 " within a millionth of ±1, "0 " below 1e-8,
// "0.866025 " (up to six decimals) from 1e-6 on, "3.5e-7 " in between. Precondition: x is finite.
// The append… forms add the text to `out`, which a batch of a million lines writes into without
// making a string for each number.
std::string formatParameter(double x);
void appendParameter(std::string &out, double x);

// The parameter line: the nine parameters with two more blanks between the groups of three,
// "1 0 0   0 1 0   0 0 1 ". Precondition: every parameter is finite.
void appendParameterLine(std::string &out, const Parameters &parameters);

// An angle given in radians, as degrees for an angle field: "1 " or "-1 " for exactly ±1°,
// "0 " below 0.01°, otherwise one or two decimals ("30.0 ", "7.53 "). Precondition: the angle in
// degrees is finite.
std::string formatAngle(double radians);
void appendAngle(std::string &out, double radians);
// Three angles, one after another ("10.0 20.0 30.0 ").
void appendAngles(std::string &out, const std::array<double, 3> &radians);

// A scale factor as its row's digits tell it: the value and how it is written.
struct ScaleFactor
{
    double value;
    int decimals; // -1: as the shortest text that reads back as the value ("1e-20", "1e+300")
};
// The scale factor measured as `length`, which may be off by up to `uncertainty`: the shortest
// decimal within that distance ("2", "0.5", "1.2346"), so that it carries no more digits than the
// values it was measured from (Uncertainty.h, 9).
ScaleFactor scaleFactorOf(double length, double uncertainty);
// Appends a scale factor, with "." but where the user's locale groups thousands with "." and
// would read it as thousands ("1.234"); there it takes the locale's decimal separator.
void appendScale(std::string &out, ScaleFactor scale, const NumberFormat &format);

// Appends x in fixed notation with the given number of decimals, as std::to_chars(…,
// std::chars_format::fixed, decimals) writes it (rounding half to even), only faster for the values
// that parameters and angles take. `trimmed` drops the trailing zeros of the fraction but its first
// digit ("2.0", "0.5"); a zero of either sign with no decimals is "0". Precondition: x is finite.
void appendFixed(std::string &out, double x, int decimals, bool trimmed);

} // namespace quorvex::detail
