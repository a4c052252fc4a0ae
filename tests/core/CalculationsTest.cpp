#include "Calculations.h"

#include "TableTest.h"

using namespace quorvex;

namespace {

struct MatrixCase
{
    const char *tag;
    InputTexts inputs;
    const char *separator;
    const char *line;
};

std::ostream &operator<<(std::ostream &out, const MatrixCase &row)
{
    return out << row.tag;
}

class CalculateMatrixTest : public testing::TestWithParam<MatrixCase>
{
};

TEST_P(CalculateMatrixTest, writesTheParameterLine)
{
    const auto result = calculateMatrix(GetParam().inputs, GetParam().separator);
    ASSERT_TRUE(std::holds_alternative<std::string>(result)) << std::get<Error>(result).message;
    EXPECT_EQ(std::get<std::string>(result), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Examples, CalculateMatrixTest,
    testing::Values(MatrixCase { "initialFields", { "0", "0", "0", "1", "1", "1" }, ".",
                        "1 0 0   0 1 0   0 0 1 " },
        MatrixCase { "rotX30", { "30", "0", "0", "1", "1", "1" }, ".",
            "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 " },
        MatrixCase { "allThreeAngles", { "10", "20", "30", "1", "1", "1" }, ".",
            "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   -0.204874 0.318796 "
            "0.925417 " },
        MatrixCase { "scaleX2", { "0", "0", "0", "2", "1", "1" }, ".", "2.0 0 0   0 1 0   0 0 1 " },
        MatrixCase { "rotZ90", { "0", "0", "90", "1", "1", "1" }, ".", "0 -1 0   1 0 0   0 0 1 " },
        MatrixCase { "rotZ180KeepsSignOfTinyValue", { "0", "0", "180", "1", "1", "1" }, ".",
            "-1 -0 0   0 -1 0   0 0 1 " },
        MatrixCase { "gimbalLock", { "25", "90", "40", "1", "1", "1" }, ".",
            "0 -0 1   0.906308 0.422618 -0   -0.422618 0.906308 0 " },
        MatrixCase { "blanksAroundNumber", { " 45 ", "0", "0", "1", "1", "1" }, ".",
            "1 0 0   0 0.707107 -0.707107   0 0.707107 0.707107 " },
        MatrixCase { "germanDecimalComma", { "30,0", "0", "0", "1", "1", "1,0e0" }, ",",
            "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 " }),
    TagName {});

struct FailingInput
{
    const char *tag;
    InputTexts inputs;
    const char *separator;
    Field field;
    const char *message;
};

std::ostream &operator<<(std::ostream &out, const FailingInput &row)
{
    return out << row.tag;
}

class CalculateMatrixErrorTest : public testing::TestWithParam<FailingInput>
{
};

TEST_P(CalculateMatrixErrorTest, namesTheFieldAndItsText)
{
    const auto result = calculateMatrix(GetParam().inputs, GetParam().separator);
    ASSERT_TRUE(std::holds_alternative<Error>(result));
    EXPECT_EQ(std::get<Error>(result).field, GetParam().field);
    EXPECT_EQ(std::get<Error>(result).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Errors, CalculateMatrixErrorTest,
    testing::Values(FailingInput { "emptyRotY", { "0", "", "0", "1", "1", "1" }, ".", Field::RotY,
                        R"(Rot Y: "" is not a number)" },
        FailingInput { "firstBadFieldWins", { "0", "0", "x", "1", "y", "1" }, ".", Field::RotZ,
            R"(Rot Z: "x" is not a number)" },
        FailingInput { "infinityIsNoNumber", { "inf", "0", "0", "1", "1", "1" }, ".", Field::RotX,
            R"(Rot X: "inf" is not a number)" },
        FailingInput { "nanIsNoNumber", { "0", "0", "0", "nan", "1", "1" }, ".", Field::ScaleX,
            R"(Scale X: "nan" is not a number)" },
        FailingInput { "twoNumbers", { "0", "0", "0", "1", "1 2", "1" }, ".", Field::ScaleY,
            R"(Scale Y: "1 2" is not a number)" },
        FailingInput { "germanThousandsSeparator", { "0", "0", "0", "1.500", "1", "1" }, ",",
            Field::ScaleX, R"(Scale X: "1.500" is not a number (the decimal separator is ","))" },
        FailingInput { "commaInPointLocale", { "1,5", "0", "0", "1", "1", "1" }, ".", Field::RotX,
            R"(Rot X: "1,5" is not a number (the decimal separator is "."))" },
        FailingInput { "beyondLargestDouble", { "0", "0", "0", "1", "1", "-1e309" }, ".",
            Field::ScaleZ, R"(Scale Z: "-1e309" is too large)" },
        FailingInput { "productBeyondLargestDouble",
            { "-97", "90", "7", "1", "1.7976931348623157e308", "1" }, ".", Field::ScaleY,
            R"(Scale Y: "1.7976931348623157e308" makes r21 too large)" },
        FailingInput { "longTextIsCutShort",
            { "0", "0", "0", "1", "1", "12345678901234567890123456789012345678901234567890x" }, ".",
            Field::ScaleZ,
            R"(Scale Z: "1234567890123456789012345678901234567890…" is not a number)" },
        FailingInput { "controlCharactersShown", { "1\n2", "0", "0", "1", "1", "1" }, ".",
            Field::RotX, R"(Rot X: "1\n2" is not a number)" }),
    TagName {});

struct AnglesCase
{
    const char *tag;
    const char *clipboard;
    const char *matrix;
    const char *rotX;
    const char *rotY;
    const char *rotZ;
};

std::ostream &operator<<(std::ostream &out, const AnglesCase &row)
{
    return out << row.tag;
}

class CalculateAnglesTest : public testing::TestWithParam<AnglesCase>
{
};

TEST_P(CalculateAnglesTest, derivesTheAngles)
{
    const auto &row = GetParam();
    const auto result = calculateAngles(row.clipboard);
    ASSERT_TRUE(std::holds_alternative<Angles>(result)) << std::get<Error>(result).message;
    const auto &angles = std::get<Angles>(result);
    EXPECT_EQ(angles.matrix, row.matrix);
    EXPECT_EQ(angles.rotX, row.rotX);
    EXPECT_EQ(angles.rotY, row.rotY);
    EXPECT_EQ(angles.rotZ, row.rotZ);
}

constexpr const char *tenTwentyThirty
    = "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   "
      "-0.204874 0.318796 0.925417 ";
constexpr const char *gimbal = "0 -0 1   0.906308 0.422618 -0   -0.422618 0.906308 0 ";

INSTANTIATE_TEST_SUITE_P(Examples, CalculateAnglesTest,
    testing::Values(
        AnglesCase { "noTextReadsIdentity", "", "1 0 0   0 1 0   0 0 1", "0 ", "0 ", "0 " },
        AnglesCase { "rotX30", "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 ",
            "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 ", "30.0 ", "0 ", "0 " },
        AnglesCase {
            "allThreeAngles", tenTwentyThirty, tenTwentyThirty, "10.0 ", "20.0 ", "30.0 " },
        AnglesCase {
            "rotZ90", "0 -1 0   1 0 0   0 0 1 ", "0 -1 0   1 0 0   0 0 1 ", "0 ", "0 ", "90.0 " },
        AnglesCase {
            "rotY90", "0 0 1   0 1 0   -1 0 0 ", "0 0 1   0 1 0   -1 0 0 ", "0 ", "90.0 ", "0 " },
        AnglesCase { "noNumbers", "hello", "hello", "0 ", "0 ", "0 " },
        AnglesCase { "scaledMatrix",
            "1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 "
            "3.701666 ",
            "1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 "
            "3.701666 ",
            "7.53 ", "10.38 ", "30.0 " },
        AnglesCase { "trailingLineBreakIsKept", "1 0 0   0 0.866025 -0.5   0 0.5 0.866025\r\n",
            "1 0 0   0 0.866025 -0.5   0 0.5 0.866025\r\n", "30.0 ", "0 ", "0 " }),
    TagName {});

INSTANTIATE_TEST_SUITE_P(Decisions, CalculateAnglesTest,
    testing::Values(AnglesCase { "halfTurnAboutZReads180", "-1 -0 0   0 -1 0   0 0 1 ",
                        "-1 -0 0   0 -1 0   0 0 1 ", "0 ", "0 ", "180.0 " },
        AnglesCase { "halfTurnAboutXReads180", "1 0 0   0 -1 -0   0 0 -1 ",
            "1 0 0   0 -1 -0   0 0 -1 ", "180.0 ", "0 ", "0 " },
        AnglesCase { "gimbalLockRebuildsTheMatrix", gimbal, gimbal, "65.0 ", "90.0 ", "0 " },
        AnglesCase { "gimbalLockBelow", "0 0 -1   0.34202 0.939693 0   0.939693 -0.34202 0 ",
            "0 0 -1   0.34202 0.939693 0   0.939693 -0.34202 0 ", "-20.0 ", "-90.0 ", "0 " },
        AnglesCase { "squareBeyondLargestDouble", "0 0 1e308   0 1 1e308   0 0 1e308",
            "0 0 1e308   0 1 1e308   0 0 1e308", "-45.0 ", "35.26 ", "0 " }),
    TagName {});

TEST(CalculateAngles, valueBeyondTheLargestDoubleWritesNothing)
{
    const auto result = calculateAngles("1 0 0 0 1 0 0 0 1e400");
    ASSERT_TRUE(std::holds_alternative<Error>(result));
    EXPECT_EQ(std::get<Error>(result).field, Field::Matrix);
    EXPECT_EQ(std::get<Error>(result).message, R"(Matrix: "1e400" is too large)");
}

} // namespace
