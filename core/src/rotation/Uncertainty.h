#pragma once

#include "rotation/Rotation.h"

// How exact a pasted matrix is, and what that allows Calculate Angles to say about it. The rules
// are applied where their job is (the matrix reader gives each value its uncertainty, the rotation
// check asks whether the values can be a rotation with scales within them, the angle calculation
// derives the angles within them, the writer writes each scale with the digits they allow); their
// constants, and why they are what they are, are here.
//
// 1. A value is off by up to half a unit of its last digit: "0.813798" stands for anything within
//    5e-7 of it, "6.12E-17" within 5e-20. Writers drop trailing zeros, so a value in fixed
//    notation shorter than the others ("0", "1", "0.5", "0.4823" beside "0.813798") is taken to be
//    as exact as the finest of them; a value in scientific notation says how exact it is. A
//    whole number with a decimal of 0 ("2.0", "-100000000.0") says no more than without it: such
//    writers keep one decimal however many zeros they drop.
// 2. Only where that gives no rotation, a spreadsheet's column may have been too narrow for its
//    cells and cut their digits ("-0.46985" beside "0.813798"): the reading is tried once more with
//    each value of NarrowCellDigits significant digits or more taken at its own last digit. A
//    shorter value ("0.5", "0.342") is far more often exact than cut.
// 3. No value is finer than SinglePrecision of its size: a float has a 24-bit mantissa, so it is
//    off by up to 2^-24 of its size from what it stood for however many digits print it, and the
//    arithmetic that made it adds a few such units; 2^-22 leaves room for four.
// 4. Nor finer than Rounding: a double holds a value of a unit row to about 1.1e-16 (2^-53 of 1),
//    and forming a unit row (squares, their sum, a root, a division) rounds a few times, so that
//    nothing finer than about ten such units is the value's own.
// 5. A row's length is its scale, and the length of the row of its values' uncertainties is how
//    far that may be off. A row whose uncertainty is more than VagueRow of its length hardly says
//    which way it points: a unit row written with two decimals is off by up to √3 · 0.005 ≈ 0.009
//    of its length (half a degree), with one decimal by 0.09 (five degrees), and 0.02 (a degree)
//    lies between. The angles can do without one such row (it is the cross product of the other
//    two), not without two, unless the rows are perpendicular as written.
// 6. Two rows, divided by their lengths into unit rows u and v, are perpendicular when their dot
//    product, the cosine of the angle between them, is zero within what their uncertainties du and
//    dv allow: to first order Σ |u_k| dv_k + |v_k| du_k, to second order Σ du_k dv_k, which counts
//    SecondOrderMargin times to cover the lengths that divided the rows being uncertain too (they
//    move a cosine near zero by a product of two uncertainties). The dot product of three terms,
//    each off by Rounding, is itself off by up to DotProductRounding: rows whose cosine is within
//    it are perpendicular as written.
// 7. The fields show angles to a hundredth of a degree, so an angle is known as finely as it is
//    shown within ShownAngle, half a hundredth. A row vaguer than that, and more than
//    VagueRowRatio times vaguer than both others, is taken as their cross product: that is off by
//    about the sum of their uncertainties, at most twice the larger, so the row then becomes at
//    least twice as exact.
// 8. Near gimbal lock (Y near ±90°) r23 and r33, r11 and r12 are cos Y times the sine and cosine
//    of X and Z, so their uncertainty du moves X and Z by du / cos Y. Where that reaches
//    ShownAngle, the values tell X and Z apart no better than the fields show them, and X takes
//    the whole turn that r21 and r22 hold; where cos Y itself is within the uncertainty of r23 and
//    r33, it is the lock, and Z reads 0.
// 9. A scale is written as the shortest decimal within its row's uncertainty of the row's length
//    ("2", "0.5", "1.2346"), so that it carries no more digits than the values it was measured
//    from; the rotation is the rows divided by the scales as written, so that a line of unit
//    scales gives the very angles it always gave.
namespace quorvex::detail {

inline constexpr int NarrowCellDigits = 4;
inline constexpr double SinglePrecision = 0x1p-22;
inline constexpr double Rounding = 1e-15;
inline constexpr double VagueRow = 0.02;
inline constexpr double SecondOrderMargin = 3;
inline constexpr double DotProductRounding = 3 * Rounding;
inline constexpr double ShownAngle = 0.005 * Pi / 180;
inline constexpr double VagueRowRatio = 4;

} // namespace quorvex::detail
