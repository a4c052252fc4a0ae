#include "NumberText.h"

#include "TableTest.h"

#include <cmath>
#include <string>
#include <vector>

using quorvex::scanNumber;

namespace {

struct Scan
{
    const char *tag;
    std::string text;
    const char *separator;
    std::size_t length;
    double value;
};

std::ostream &operator<<(std::ostream &out, const Scan &row)
{
    return out << row.tag;
}

class ScanNumberTest : public testing::TestWithParam<Scan>
{
};

TEST_P(ScanNumberTest, readsTheLeadingNumber)
{
    const auto &row = GetParam();
    const auto scan = scanNumber(row.text, row.separator);
    EXPECT_EQ(scan.length, row.length);
    ASSERT_TRUE(scan.value.has_value());
    EXPECT_EQ(*scan.value, row.value);
    EXPECT_EQ(std::signbit(*scan.value), std::signbit(row.value));
}

INSTANTIATE_TEST_SUITE_P(Syntax, ScanNumberTest,
    testing::Values(Scan { "integer", "42", ".", 2, 42 }, Scan { "fraction", "-0.5", ".", 4, -0.5 },
        Scan { "plusSign", "+2", ".", 2, 2 }, Scan { "negativeZero", "-0", ".", 2, -0.0 },
        Scan { "noIntegerDigits", ".5", ".", 2, 0.5 }, Scan { "noFractionDigits", "5.", ".", 2, 5 },
        Scan { "exponent", "3.5e-7", ".", 6, 3.5e-7 },
        Scan { "capitalExponent", "2E+3", ".", 4, 2000 },
        Scan { "exponentWithoutDigitsIsNotTaken", "1e", ".", 1, 1 },
        Scan { "exponentSignWithoutDigitsIsNotTaken", "1e+x", ".", 1, 1 },
        Scan { "trailingText", "0.5x", ".", 3, 0.5 },
        Scan { "secondPointEnds", "1.2.3", ".", 3, 1.2 },
        Scan { "commaEndsWithPoint", "1,5", ".", 1, 1 },
        Scan { "commaSeparator", "1,5", ",", 3, 1.5 },
        Scan { "pointEndsWithComma", "1.500", ",", 1, 1 },
        Scan { "multiByteSeparator", "1\u066b5", "\u066b", 4, 1.5 },
        Scan { "correctlyRounded", "0.1", ".", 3, 0.1 },
        Scan { "underflowIsZero", "1e-400", ".", 6, 0.0 },
        Scan { "negativeUnderflowIsNegativeZero", "-1e-400", ".", 7, -0.0 },
        Scan { "manyLeadingZerosUnderflow", "0." + std::string(400, '0') + "1", ".", 403, 0.0 },
        Scan { "manyDigitsBelowLargest", "1" + std::string(300, '0'), ".", 301, 1e300 },
        Scan { "largeMantissaSmallExponent", "1000e-3", ".", 7, 1 }),
    TagName {});

INSTANTIATE_TEST_SUITE_P(NoNumber, ScanNumberTest,
    testing::Values(Scan { "empty", "", ".", 0, 0 }, Scan { "word", "abc", ".", 0, 0 },
        Scan { "signAlone", "-", ".", 0, 0 }, Scan { "doubleSign", "--1", ".", 0, 0 },
        Scan { "separatorAlone", ".", ".", 0, 0 }, Scan { "infinityIsNoNumber", "inf", ".", 0, 0 },
        Scan { "nanIsNoNumber", "nan", ".", 0, 0 }, Scan { "leadingBlank", " 1", ".", 0, 0 }),
    TagName {});

TEST(ScanNumber, valuesBeyondTheLargestDoubleHaveNoValue)
{
    for (const std::string &text : std::vector<std::string> { "1e999", "-1e309",
             "1" + std::string(400, '0'), "0.001e312", "1e99999999999999999999999" }) {
        const auto scan = scanNumber(text, ".");
        EXPECT_EQ(scan.length, text.size()) << text;
        EXPECT_FALSE(scan.value.has_value()) << text;
    }
}

TEST(ScanNumber, aMegabyteOfDigitsIsReadWhole)
{
    const std::string digits(1 << 20, '7');
    const auto scan = scanNumber(digits, ".");
    EXPECT_EQ(scan.length, digits.size());
    EXPECT_FALSE(scan.value.has_value());
    const auto fraction = scanNumber("0." + digits, ".");
    ASSERT_TRUE(fraction.value.has_value());
    EXPECT_DOUBLE_EQ(*fraction.value, 7.0 / 9);
}

} // namespace
