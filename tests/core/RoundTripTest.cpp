#include "Calculations.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

using namespace quorvex;

namespace {

// An angle as a user types it: whole, or with one or two decimals.
std::string angleText(std::mt19937 &random, double lowest, double highest)
{
    std::uniform_real_distribution<double> value(lowest, highest);
    const int decimals = std::uniform_int_distribution<int>(0, 2)(random);
    std::array<char, 32> buffer;
    for (;;) {
        const double angle = value(random);
        // Below 0.05° six-decimal parameters no longer tell the angle from zero to within the
        // hundredth that the angle fields show.
        if (angle <= lowest || (angle != 0 && std::fabs(angle) < 0.05))
            continue;
        const auto end = std::to_chars(
            buffer.data(), buffer.data() + buffer.size(), angle, std::chars_format::fixed, decimals)
                             .ptr;
        return { buffer.data(), end };
    }
}

Parameters valuesOf(const std::string &line)
{
    return std::get<Parameters>(parseLine(line));
}

std::string lineOf(std::string_view x, std::string_view y, std::string_view z)
{
    const auto line = calculateMatrix({ x, y, z, "1", "1", "1" }, ".");
    if (const auto *error = std::get_if<Error>(&line))
        ADD_FAILURE() << error->message;
    return std::get<std::string>(line);
}

// Angles read back from a line and typed in again rebuild the same nine parameters. Zeros may
// change sign ("-0" for "0"), which changes no value. Near Y = ±90° six decimals of r23 and r33
// cannot carry X and Z to a hundredth of a degree, so Y stays within ±85° there, and the lock
// itself, Y = ±90° exactly, is tried separately.
TEST(RoundTrip, anglesReadBackRebuildTheLine)
{
    std::mt19937 random(20261206);
    for (int i = 0; i < 5000; ++i) {
        const auto x = angleText(random, -180, 180);
        const auto y
            = i % 10 == 0 ? std::string(i % 20 == 0 ? "90" : "-90") : angleText(random, -85, 85);
        const auto z = angleText(random, -180, 180);
        const auto line = lineOf(x, y, z);
        const auto angles = std::get<Angles>(calculateAngles(line));
        EXPECT_EQ(valuesOf(lineOf(angles.rotX, angles.rotY, angles.rotZ)), valuesOf(line))
            << "angles " << x << ", " << y << ", " << z << " gave the line " << line
            << " read back as " << angles.rotX << angles.rotY << angles.rotZ;
    }
}

} // namespace
