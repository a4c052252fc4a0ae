#include "Module1.h"

#include "TableTest.h"

#include <cmath>
#include <limits>

using namespace quorvex::Module1;

namespace {

struct Rendering
{
    const char *tag;
    double value;
    const char *text;
};

std::ostream &operator<<(std::ostream &out, const Rendering &row)
{
    return out << row.tag;
}

class FormatParamTest : public testing::TestWithParam<Rendering>
{
};

TEST_P(FormatParamTest, rendersThePatternOfItsRange)
{
    EXPECT_EQ(FormatParam(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Thresholds, FormatParamTest,
    testing::Values(Rendering { "zero", 0.0, "0 " }, Rendering { "negativeZero", -0.0, "0 " },
        Rendering { "tinyNegativeKeepsSign", -3.2e-15, "-0 " }, Rendering { "tiny", 3e-9, "0 " },
        Rendering { "justBelowTiny", 9.99e-9, "0 " }, Rendering { "nearOneBelow", 0.9999995, "1 " },
        Rendering { "nearOneAbove", 1.0000009, "1 " },
        Rendering { "nearMinusOne", -1.0000004, "-1 " },
        Rendering { "storedMillionthAboveOneIsNearOne", 1.000001, "1 " },
        Rendering { "justBeyondNearOne", 1.0000011, "1.000001 " },
        Rendering { "tinyBoundIsScientific", 1e-8, "1.0e-8 " },
        Rendering { "fixedBoundIsFixed", 1e-6, "0.000001 " },
        Rendering { "fixedRoundsToSixDecimals", 0.00000125, "0.000001 " }),
    TagName {});

INSTANTIATE_TEST_SUITE_P(Patterns, FormatParamTest,
    testing::Values(Rendering { "wholeKeepsOneDecimal", 2, "2.0 " },
        Rendering { "half", 0.5, "0.5 " },
        Rendering { "trailingZerosDropped", 0.342020143, "0.34202 " },
        Rendering { "negativeSixDecimals", -0.8660254, "-0.866025 " },
        Rendering { "twoDecimals", 12.25, "12.25 " },
        Rendering { "large", 1e20, "100000000000000000000.0 " },
        Rendering { "scientific", 3.5e-7, "3.5e-7 " },
        Rendering { "scientificOneDecimal", 5e-7, "5.0e-7 " },
        Rendering { "scientificRounded", 1.234567e-7, "1.23457e-7 " },
        Rendering { "scientificNegative", -3.5e-7, "-3.5e-7 " },
        Rendering { "scientificRoundsIntoNextDecade", 9.999996e-7, "1.0e-6 " }),
    TagName {});

TEST(FormatParam, writesTheLargestDoubleInFull)
{
    const auto text = FormatParam(std::numeric_limits<double>::max());
    EXPECT_EQ(text.size(), 309 + 3);
    EXPECT_TRUE(text.starts_with("17976931348623157"));
    EXPECT_TRUE(text.ends_with(".0 "));
}

// The radian value whose conversion to degrees gives exactly the wanted d, so that each row tests
// the rendering of d itself and not the rounding of the conversion.
double radiansOf(double degrees)
{
    double r = degrees / 180 * Pi;
    for (int step = 0; step < 8 && r * 180 / Pi != degrees; ++step)
        r = std::nextafter(r, r * 180 / Pi < degrees ? HUGE_VAL : -HUGE_VAL);
    return r;
}

class FormatAngleTest : public testing::TestWithParam<Rendering>
{
};

TEST_P(FormatAngleTest, rendersDegrees)
{
    const double r = radiansOf(GetParam().value);
    ASSERT_EQ(r * 180 / Pi, GetParam().value) << "no radian value converts to exactly this";
    EXPECT_EQ(FormatAngle(r), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Degrees, FormatAngleTest,
    testing::Values(Rendering { "zero", 0.0, "0 " }, Rendering { "exactlyOne", 1, "1 " },
        Rendering { "exactlyMinusOne", -1, "-1 " },
        Rendering { "almostOneIsNotWhole", 1.0000001, "1.0 " },
        Rendering { "hundredthIsShown", 0.01, "0.01 " },
        Rendering { "belowHundredthIsZero", 0.0099, "0 " },
        Rendering { "smallNegativeKeepsSign", -0.004, "-0 " }, Rendering { "whole", 30, "30.0 " },
        Rendering { "negativeWhole", -90, "-90.0 " },
        Rendering { "roundedToTwoDecimals", 7.5347, "7.53 " },
        Rendering { "twoDecimals", 10.38, "10.38 " }, Rendering { "oneDecimal", 1.5, "1.5 " }),
    TagName {});

struct Quadrant
{
    const char *tag;
    double y;
    double x;
    double angle;
};

std::ostream &operator<<(std::ostream &out, const Quadrant &row)
{
    return out << row.tag;
}

class ArcTan2Test : public testing::TestWithParam<Quadrant>
{
};

TEST_P(ArcTan2Test, givesTheAngleOfThePoint)
{
    EXPECT_DOUBLE_EQ(ArcTan2(GetParam().y, GetParam().x), GetParam().angle);
}

INSTANTIATE_TEST_SUITE_P(Branches, ArcTan2Test,
    testing::Values(Quadrant { "positiveX", 1, 1, std::atan(1.0) },
        Quadrant { "positiveXBelowAxis", -1, 2, std::atan(-0.5) }, Quadrant { "origin", 0, 0, 0 },
        Quadrant { "originNegativeZeros", -0.0, -0.0, 0 }, Quadrant { "upOnYAxis", 2, 0, Pi / 2 },
        Quadrant { "downOnYAxisNegativeZeroX", -2, -0.0, -Pi / 2 },
        Quadrant { "secondQuadrant", 1, -1, Pi - std::atan(1.0) },
        Quadrant { "thirdQuadrant", -1, -1, -(Pi - std::atan(1.0)) },
        Quadrant { "negativeXAxisIsHalfTurn", 0, -1, Pi },
        Quadrant { "negativeXAxisNegativeZeroY", -0.0, -1, Pi },
        Quadrant { "quotientOverflowRight", 1e300, 1e-300, std::atan(HUGE_VAL) },
        Quadrant { "quotientOverflowLeft", -1e300, -1e-300, -(Pi - std::atan(HUGE_VAL)) },
        Quadrant { "quotientUnderflow", 1e-300, -1e300, Pi }),
    TagName {});

} // namespace
