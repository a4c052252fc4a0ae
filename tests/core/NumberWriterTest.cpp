#include "text/NumberWriter.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

using namespace quorvex::detail;

namespace {

TEST(FormatParameter, rendersThePatternOfItsRange)
{
    const struct
    {
        double value;
        const char *text;
    } rows[] = { // Zero of either sign prints bare; anything below zero keeps its sign.
        { 0.0, "0 " }, { -0.0, "0 " }, { -3.2e-15, "-0 " }, { 3e-9, "0 " }, { 9.99e-9, "0 " },
        // Within a millionth of ±1, judged on the stored double: 1.000001 lies just below.
        { 0.9999995, "1 " }, { 1.0000009, "1 " }, { -1.0000004, "-1 " }, { 1.000001, "1 " },
        { 1.0000011, "1.000001 " }, { 0.9999989, "0.999999 " },
        // The fixed pattern from 1e-6 on, up to six decimals, one at least.
        { 1e-6, "0.000001 " }, { 0.00000125, "0.000001 " }, { 2, "2.0 " }, { 0.5, "0.5 " },
        { 0.342020143, "0.34202 " }, { -0.8660254, "-0.866025 " }, { 12.25, "12.25 " },
        { 1e20, "100000000000000000000.0 " }, { 12345678912.5, "12345678912.5 " },
        // Scientific between 1e-8 and 1e-6, exponent without leading zeros.
        { 1e-8, "1.0e-8 " }, { 3.5e-7, "3.5e-7 " }, { 5e-7, "5.0e-7 " }, { -3.5e-7, "-3.5e-7 " },
        { 1.234567e-7, "1.23457e-7 " }, { 9.999996e-7, "1.0e-6 " }
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(formatParameter(row.value), row.text);
    }
    const auto largest = formatParameter(std::numeric_limits<double>::max());
    EXPECT_EQ(largest.size(), 309 + 3);
    EXPECT_TRUE(largest.starts_with("17976931348623157") && largest.ends_with(".0 ")) << largest;
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

TEST(FormatAngle, rendersDegrees)
{
    const struct
    {
        double degrees;
        const char *text;
    } rows[] = { { 0, "0 " }, { 1, "1 " }, { -1, "-1 " }, { 1.0000001, "1.0 " }, { 0.01, "0.01 " },
        { 0.0099, "0 " }, { -0.004, "-0 " }, { 30, "30.0 " }, { -90, "-90.0 " },
        { 7.5347, "7.53 " }, { 10.38, "10.38 " }, { 1.5, "1.5 " } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.degrees);
        const double r = radiansOf(row.degrees);
        ASSERT_EQ(r * 180 / Pi, row.degrees) << "no radian value converts to exactly this";
        EXPECT_EQ(formatAngle(r), row.text);
    }
}

// The fast fixed notation writes what the standard library writes: for values of every size, and
// for values halfway between two texts, which round to the even one.
TEST(AppendFixed, writesWhatToCharsWrites)
{
    const auto both = [](double x, int decimals) {
        std::string ours;
        appendFixed(ours, x, decimals, false);
        std::array<char, 400> text;
        const auto end
            = std::to_chars(text.begin(), text.end(), x, std::chars_format::fixed, decimals).ptr;
        return std::pair(ours, std::string(text.begin(), end));
    };
    std::mt19937_64 random(20261206);
    for (int i = 0; i < 300000; ++i) {
        const auto mantissa = static_cast<double>(random() % (i % 2 ? 2'000'001 : 1ULL << 53));
        const double x = std::ldexp(
            mantissa - (i % 2 ? 1'000'000 : 0x1p52), 8 - static_cast<int>(random() % 80));
        for (const int decimals : { 0, 1, 2, 3, 4, 5, 6 }) {
            const auto [ours, theirs] = both(x, decimals);
            ASSERT_EQ(ours, theirs) << x;
        }
    }
    // Above 2^52 millionths the ties are exact too: odd multiples of 2^-7 lie halfway at six
    // decimals, and half of them round up to the even digit, half down.
    for (std::uint64_t j = 4'500'000'001ULL * 128; j < 8'500'000'000ULL * 128; j += 2'000'000'002) {
        const double x = std::ldexp(static_cast<double>(j | 1), -7);
        const auto [ours, theirs] = both(x, 6);
        ASSERT_EQ(ours, theirs) << x;
    }
}

} // namespace
