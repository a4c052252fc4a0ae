#include "ParameterLine.h"

#include "TableTest.h"

#include <cmath>

using namespace quorvex;

namespace {

struct Reading
{
    const char *tag;
    const char *line;
    Parameters parameters;
};

std::ostream &operator<<(std::ostream &out, const Reading &row)
{
    return out << row.tag;
}

constexpr Parameters Identity { 1, 0, 0, 0, 1, 0, 0, 0, 1 };

class ParseLineTest : public testing::TestWithParam<Reading>
{
};

TEST_P(ParseLineTest, readsNineValues)
{
    const auto parsed = parseLine(GetParam().line);
    ASSERT_TRUE(std::holds_alternative<Parameters>(parsed)) << std::get<Error>(parsed).message;
    EXPECT_EQ(std::get<Parameters>(parsed), GetParam().parameters);
}

INSTANTIATE_TEST_SUITE_P(IdentityTexts, ParseLineTest,
    testing::Values(Reading { "writtenForm", "1 0 0   0 1 0   0 0 1 ", Identity },
        Reading { "initialMatrixField", "1 0 0  0 1 0  0 0 1", Identity },
        Reading { "noTextIdentity", "1 0 0   0 1 0   0 0 1", Identity },
        Reading { "leadingBlanks", "   1 0 0   0 1 0   0 0 1", Identity }),
    TagName {});

INSTANTIATE_TEST_SUITE_P(Separators, ParseLineTest,
    testing::Values(Reading { "translationIgnored", "1 0 0  0 1 0  0 0 1  5 6 7", Identity },
        Reading { "spreadsheetTabs", "1\t0\t0\t0\t1\t0\t0\t0\t1", Identity },
        Reading { "threeLines", "1 0 0\r\n0 1 0\r\n0 0 1\r\n", Identity },
        Reading { "trailingLineBreak", "1 0 0   0 1 0   0 0 1\n", Identity },
        Reading { "blanksAroundWholeText", " \t\r\n1 0 0 0 1 0 0 0 1 \t\r\n", Identity }),
    TagName {});

INSTANTIATE_TEST_SUITE_P(ShortAndOddLines, ParseLineTest,
    testing::Values(Reading { "empty", "", {} }, Reading { "blanksOnly", " \t\n ", {} },
        Reading { "noNumbers", "hello", {} },
        Reading { "lastValueGoesToR33", "1 2 3", { 1, 2, 0, 0, 0, 0, 0, 0, 3 } },
        Reading { "trailingBlankChangesNothing", "1 2 3 ", { 1, 2, 0, 0, 0, 0, 0, 0, 3 } },
        Reading { "singleValue", "7", { 0, 0, 0, 0, 0, 0, 0, 0, 7 } },
        Reading { "leadingNumberOfEachValue", "0.5x 1,5 abc -0.5 3.5e-7 +2 .5 1e 9",
            { 0.5, 1, 0, -0.5, 3.5e-7, 2, 0.5, 1, 9 } }),
    TagName {});

TEST(ParseLine, valueBeyondTheLargestDoubleIsAnErrorOfTheMatrixField)
{
    const auto parsed = parseLine("1 0 0  0 1e999 0  0 0 1");
    ASSERT_TRUE(std::holds_alternative<Error>(parsed));
    EXPECT_EQ(std::get<Error>(parsed).field, Field::Matrix);
    EXPECT_EQ(std::get<Error>(parsed).message, R"(Matrix: "1e999" is too large)");
}

TEST(ParseLine, valuesAfterTheNinthAreNotChecked)
{
    EXPECT_TRUE(std::holds_alternative<Parameters>(parseLine("1 0 0 0 1 0 0 0 1 1e999")));
}

TEST(JoinLine, groupsThreesWithTwoMoreBlanks)
{
    ParameterTexts zeros;
    zeros.fill("0 ");
    EXPECT_EQ(joinLine(zeros), "0 0 0   0 0 0   0 0 0 ");
}

} // namespace
