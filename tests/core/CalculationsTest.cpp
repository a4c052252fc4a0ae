#include "Calculations.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

using namespace quorvex;

namespace {

const NumberFormat C, German { ",", "." };

constexpr const char *Line102030 = "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   "
                                   "-0.204874 0.318796 0.925417 ";

// The line, or the label of the field in error and its message.
std::string outcome(const std::variant<std::string, Error> &result)
{
    if (const auto *error = std::get_if<Error>(&result))
        return std::string(label(error->field)) + " | " + error->message;
    return std::get<std::string>(result);
}

TEST(CalculateMatrix, writesTheLineOrNamesTheField)
{
    const struct
    {
        InputTexts inputs;
        const NumberFormat &format;
        const char *expected;
    } rows[] = { { { "0", "0", "0", "1", "1", "1" }, C, "1 0 0   0 1 0   0 0 1 " },
        { { "30", "0", "0", "1", "1", "1" }, C, "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 " },
        { { "10", "20", "30", "1", "1", "1" }, C, Line102030 },
        { { "10", "20", "30", "2", "3", "4" }, C,
            "1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 "
            "3.701666 " },
        { { "0", "0", "0", "2", "1", "1" }, C, "2.0 0 0   0 1 0   0 0 1 " },
        { { "0", "0", "90", "1", "1", "1" }, C, "0 -1 0   1 0 0   0 0 1 " },
        { { "0", "0", "180", "1", "1", "1" }, C, "-1 -0 0   0 -1 0   0 0 1 " },
        { { "25", "90", "40", "1", "1", "1" }, C,
            "0 -0 1   0.906308 0.422618 -0   -0.422618 0.906308 0 " },
        { { " 45 ", "0", "0", "1", "1", "1" }, C,
            "1 0 0   0 0.707107 -0.707107   0 0.707107 0.707107 " },
        { { "30,0", "0", "0", "1", "1", "1,0e0" }, German,
            "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 " },
        { { "0", "", "0", "1", "1", "1" }, C, R"(Rot Y | Rot Y: "" is not a number)" },
        { { "0", "0", "x", "1", "y", "1" }, C, R"(Rot Z | Rot Z: "x" is not a number)" },
        { { "0", "0", "0", "1", "y", "1" }, C, R"(Scale Y | Scale Y: "y" is not a number)" },
        { { "0", "0", "0", "1", "1", "1e999" }, C, R"(Scale Z | Scale Z: "1e999" is too large)" },
        { { "1e999", "0", "0", "1", "1", "1" }, C, R"(Rot X | Rot X: "1e999" is too large)" },
        { { "-97", "90", "7", "1", "1.7976931348623157e308", "1" }, C,
            R"(Scale Y | Scale Y: "1.7976931348623157e308" makes r21 too large)" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.inputs));
        EXPECT_EQ(outcome(calculateMatrix(row.inputs, row.format)), row.expected);
    }
}

TEST(CalculateAngles, derivesTheAnglesOrNamesTheMatrix)
{
    const struct
    {
        const char *clipboard;
        const char *expected; // the angles X Y Z, or the error
    } rows[] = { { "", "0 0 0 " }, { "hello", R"(Matrix: "hello" holds no parameter line)" }, { Line102030, "10.0 20.0 30.0 " },
        { "1 0 0   0 0.866025 -0.5   0 0.5 0.866025\r\n", "30.0 0 0 " },
        { "1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 3.701666 ",
            "7.53 10.38 30.0 " },
        // Each branch of the quadrant arctangent, through the Z angle.
        { "0 -1 0   1 0 0   0 0 1 ", "0 0 90.0 " }, { "0 1 0   -1 0 0   0 0 1 ", "0 0 -90.0 " },
        { "-0.707107 -0.707107 0   0.707107 -0.707107 0   0 0 1 ", "0 0 135.0 " },
        { "-0.707107 0.707107 0   -0.707107 -0.707107 0   0 0 1 ", "0 0 -135.0 " },
        { "1e-300 -1e300 0   0 1 0   0 0 1", "0 0 90.0 " },
        { "-1e-300 1e300 0   0 1 0   0 0 1", "0 0 -90.0 " },
        { "-1e300 -1e-300 0   0 1 0   0 0 1", "0 0 180.0 " },
        { "0 0 1   0 1 0   -1 0 0 ", "0 90.0 0 " },
        // A half turn reads 180, not 0.
        { "-1 -0 0   0 -1 0   0 0 1 ", "0 0 180.0 " },
        { "1 0 0   0 -1 -0   0 0 -1 ", "180.0 0 0 " },
        // Gimbal lock: Z reads 0 and X takes the whole turn, so the angles rebuild the matrix.
        { "0 -0 1   0.906308 0.422618 -0   -0.422618 0.906308 0 ", "65.0 90.0 0 " },
        { "0 0 -1   0.34202 0.939693 0   0.939693 -0.34202 0 ", "-20.0 -90.0 0 " },
        { "0 0 1e308   0 1 1e308   0 0 1e308", "-45.0 35.26 0 " },
        { "1 0 0 0 1 0 0 0 1e400", R"(Matrix: "1e400" is too large)" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.clipboard);
        const auto result = calculateAngles(row.clipboard);
        if (const auto *error = std::get_if<Error>(&result)) {
            EXPECT_EQ(error->field, Field::Matrix);
            EXPECT_EQ(error->message, row.expected);
            continue;
        }
        const auto &angles = std::get<Angles>(result);
        EXPECT_EQ(angles.matrix, *row.clipboard ? row.clipboard : "1 0 0   0 1 0   0 0 1");
        EXPECT_EQ(angles.rotX + angles.rotY + angles.rotZ, row.expected);
    }
}

// An angle as a user types it: whole, or with one or two decimals. Below 0.05° six-decimal
// parameters no longer tell the angle from zero to within the hundredth the angle fields show.
std::string angleText(std::mt19937 &random, double lowest, double highest)
{
    std::uniform_real_distribution<double> value(lowest, highest);
    const int decimals = std::uniform_int_distribution<int>(0, 2)(random);
    double angle;
    do
        angle = value(random);
    while (angle <= lowest || (angle != 0 && std::fabs(angle) < 0.05));
    std::array<char, 32> buffer;
    const auto end
        = std::to_chars(buffer.begin(), buffer.end(), angle, std::chars_format::fixed, decimals)
              .ptr;
    return { buffer.begin(), end };
}

// Angles read back from a line and typed in again, in a German user's fields, rebuild the same nine
// values (zeros may change sign). Near Y = ±90° six decimals cannot carry X and Z to a hundredth of a degree, so Y stays
// within ±85° but for every tenth triple, which takes the lock itself, Y = ±90° exactly.
TEST(RoundTrip, anglesReadBackRebuildTheLine)
{
    std::mt19937 random(20261206);
    const auto lineOf = [](std::string_view x, std::string_view y, std::string_view z) {
        return std::get<std::string>(calculateMatrix({ x, y, z, "1", "1", "1" }, German));
    };
    for (int i = 0; i < 5000; ++i) {
        const auto x = angleText(random, -180, 180);
        const auto y = i % 10 ? angleText(random, -85, 85) : i % 20 ? "-90" : "90";
        const auto z = angleText(random, -180, 180);
        const auto line = lineOf(x, y, z);
        const auto angles = std::get<Angles>(calculateAngles(line));
        const auto again = lineOf(angles.rotX, angles.rotY, angles.rotZ);
        ASSERT_EQ(std::get<Parameters>(parseLine(again)), std::get<Parameters>(parseLine(line)))
            << x << ", " << y << ", " << z << " read back as " << angles.rotX << angles.rotY
            << angles.rotZ;
    }
}

} // namespace
