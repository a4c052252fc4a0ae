// The core's readers and calculations, run under a German locale: its decimal comma must not leak
// into the numbers that Quorvex writes and reads, whatever the process's locale.

#include "quorvex/Calculations.h"
#include "FieldReader.h"
#include "LineReader.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <random>

using namespace quorvex;
using namespace quorvex::detail;

namespace {

struct GermanLocale : testing::Environment
{
    void SetUp() override
    {
        // tools/setup generates the locale; CI must have it.
        if (std::setlocale(LC_ALL, "de_DE.UTF-8"))
            std::locale::global(std::locale("de_DE.UTF-8"));
        else if (std::getenv("CI"))
            FAIL() << "the locale de_DE.UTF-8 is missing: run tools/setup";
    }
};

const auto *const german = testing::AddGlobalTestEnvironment(new GermanLocale);

// What a reader or a calculation gave, as one comparable text: the line or the value(s), or the
// error's message, which names the field to blame.
template<typename T> std::string outcome(const std::variant<T, Error> &result)
{
    if (const auto *error = std::get_if<Error>(&result))
        return error->message;
    if constexpr (std::is_same_v<T, std::string>)
        return std::get<T>(result);
    else
        return testing::PrintToString(std::get<T>(result));
}

const NumberFormat C, German { ",", "." }, English { ".", "," }, Arabic { "\u066b", "\u066c" };

TEST(ReadField, readsOneNumberOrNamesTheProblem)
{
    const struct
    {
        std::string text;
        const NumberFormat &format;
        double value;
        const char *error = nullptr;
    } rows[] = { { "42", C, 42 }, { " 45 ", C, 45 }, { "\t-0.5 ", C, -0.5 }, { "+2", C, 2 },
        { ".5", C, 0.5 }, { "5.", C, 5 }, { "3.5e-7", C, 3.5e-7 }, { "2E+3", C, 2000 },
        { "1" + std::string(300, '0'), C, 1e300 }, { "0." + std::string(400, '0') + "1", C, 0 },
        { std::string(400, '0') + "1e-400", C, 0 }, { "-1e-400", C, -0.0 },
        // A pasted cell brings a line break; documents write a typographic minus.
        { "30\r\n", C, 30 }, { "\u00a0\u202f\u300030\u2009\u200a\u2028", C, 30 },
        { "\u221230", C, -30 }, { "2e\u22123", C, 0.002 },
        // "." reads in every locale, except where it could group thousands.
        { "30,5", German, 30.5 }, { "30.5", German, 30.5 }, { "10.0", German, 10 },
        { "1.5e3", German, 1500 }, { "0.500", German, 0.5 }, { "1234.500", German, 1234.5 },
        { "1\u066b5", Arabic, 1.5 }, { "1.5", Arabic, 1.5 },
        { "1.500", German, 0, R"(Rot X: "1.500" could be 1500 or 1,5; write it as one of those)" },
        { "-1.250", German, 0,
            R"(Rot X: "-1.250" could be -1250 or -1,25; write it as one of those)" },
        { "1.000", German, 0, R"(Rot X: "1.000" could be 1000 or 1; write it as one of those)" },
        { "1.000,5", German, 0,
            R"(Rot X: "1.000,5" is not a number (write it without thousands separators))" },
        { "1,500", English, 0, R"(Rot X: "1,500" is not a number (the decimal separator is "."))" },
        { "1,5", Arabic, 0,
            R"(Rot X: "1,5" is not a number (the decimal separator is "." or "٫"))" },
        { "", C, 0, R"(Rot X: "" is not a number)" },
        { "abc", C, 0, R"(Rot X: "abc" is not a number)" },
        { "-", C, 0, R"(Rot X: "-" is not a number)" },
        { "--1", C, 0, R"(Rot X: "--1" is not a number)" },
        { ".", C, 0, R"(Rot X: "." is not a number)" },
        { "inf", C, 0, R"(Rot X: "inf" is not a number)" },
        { "nan", C, 0, R"(Rot X: "nan" is not a number)" },
        { "1 2", C, 0, R"(Rot X: "1 2" is not a number)" },
        { "1e", C, 0, R"(Rot X: "1e" is not a number)" },
        { "1e+x", C, 0, R"(Rot X: "1e+x" is not a number)" },
        { "0.5x", C, 0, R"(Rot X: "0.5x" is not a number)" },
        // Characters that show nothing are shown as escapes.
        { "1\n2", C, 0, R"(Rot X: "1\n2" is not a number)" },
        { "1\u00a0500", C, 0, R"(Rot X: "1\u00A0500" is not a number)" },
        { "\u200b30", C, 0, R"(Rot X: "\u200B30" is not a number)" },
        { "1\u00a0😀", C, 0, R"(Rot X: "1\u00A0😀" is not a number)" },
        { "\x01\x7f\x80\xff\xed\xa0\x80", C, 0,
            R"(Rot X: "\u0001\u007F\x80\xFF\xED\xA0\x80" is not a number)" },
        { "1e999", C, 0, R"(Rot X: "1e999" is too large)" },
        { "-1e309", C, 0, R"(Rot X: "-1e309" is too large)" },
        { "0.001e312", C, 0, R"(Rot X: "0.001e312" is too large)" },
        { "1e99999999999999999999999", C, 0, R"(Rot X: "1e99999999999999999999999" is too large)" },
        { "1" + std::string(400, '0'), C, 0,
            R"(Rot X: "1000000000000000000000000000000000000000…" is too large)" },
        // A long text is cut after forty characters, never inside one.
        { std::string(30, 'x') + std::string(20, 'y') + "é", C, 0,
            R"(Rot X: "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxyyyyyyyyyy…" is not a number)" },
        { std::string(39, 'x') + "éé", C, 0,
            R"(Rot X: "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxé…" is not a number)" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text.substr(0, 50));
        const auto expected = row.error ? row.error : testing::PrintToString(row.value);
        EXPECT_EQ(outcome(readField(Field::RotX, row.text, row.format)), expected);
    }
}

constexpr Parameters Identity { 1, 0, 0, 0, 1, 0, 0, 0, 1 };
constexpr Parameters RotZ30 { 0.866025, -0.5, 0, 0.5, 0.866025, 0, 0, 0, 1 };
constexpr Parameters Rounded102030 { 0.81, -0.47, 0.34, 0.54, 0.82, -0.16, -0.2, 0.32, 0.93 };

TEST(ParseLine, readsNineValuesOrNamesTheProblem)
{
    const struct
    {
        const char *line;
        Parameters parameters;
        const char *error = nullptr;
    } rows[] = { { "1 0 0   0 1 0   0 0 1 ", Identity }, { "1 0 0  0 1 0  0 0 1", Identity },
        { "   1 0 0   0 1 0   0 0 1", Identity }, { "1 0 0  0 1 0  0 0 1  5 6 7", Identity },
        { "1\t0\t0\t0\t1\t0\t0\t0\t1", Identity }, { "1 0 0\r\n0 1 0\r\n0 0 1\r\n", Identity },
        { " \t\r\n1 0 0 0 1 0 0 0 1 \t\r\n", Identity }, { "1 0 0 0 1 0 0 0 1 1e999", Identity },
        { "1\u00a00\u20090 0 1 0 0 0 \u22121", { 1, 0, 0, 0, 1, 0, 0, 0, -1 } },
        { "1 0 0 0 1 0 0 0 1 (a cube, 10 × 20)", Identity },
        { "[[1 0 0] [0 1 0] [0 0 1]]", Identity }, { "{1; 0; 0; 0; 1; 0; 0; 0; 1}", Identity },
        // Missing values read 0 and the last one present goes to r33.
        { "1 2 3", { 1, 2, 0, 0, 0, 0, 0, 0, 3 } }, { "1 2 3 ", { 1, 2, 0, 0, 0, 0, 0, 0, 3 } },
        { "7", { 0, 0, 0, 0, 0, 0, 0, 0, 7 } },
        // Each value is the number it begins with.
        { "0.5x 1 abc1 -0.5 3.5e-7 +2 .5 1e 9", { 0.5, 1, 0, -0.5, 3.5e-7, 2, 0.5, 1, 9 } },
        // Commas: decimal commas or separators, as the line shows.
        { "0,866025\t-0,5\t0\t0,5\t0,866025\t0\t0\t0\t1", RotZ30 },
        { "1,5 0 0  0 1 0  0 0 1", { 1.5, 0, 0, 0, 1, 0, 0, 0, 1 } },
        { "0,866025 -0,5 0\n0,5 0,866025 0\n0 0 1", RotZ30 },
        { "0,866025; -0,5; 0; 0,5; 0,866025; 0; 0; 0; 1", RotZ30 },
        { "[0.81, -0.47, 0.34, 0.54, 0.82, -0.16, -0.2, 0.32, 0.93]", Rounded102030 },
        { "[[ 0.81 -0.47  0.34]\n [ 0.54  0.82 -0.16]\n [-0.2   0.32  0.93]]", Rounded102030 },
        { "0.81,-0.47,0.34,0.54,0.82,-0.16,-0.2,0.32,0.93,5,6,7", Rounded102030 },
        { "0.81,-0.47,0.34\r\n0.54,0.82,-0.16\r\n-0.2,0.32,0.93\r\n", Rounded102030 },
        { "1,0,0,0,1,0,0,0,1", Identity },
        { "0,5 0.866025 -0.5  0 1 0  0 0 1", {},
            R"(Matrix: "0,5 0.866025 -0.5  0 1 0  0 0 1" mixes decimal commas and decimal points)" },
        { "1,5\n0\n0\n0\n2,5\n0\n0\n0\n3,5", {},
            R"(Matrix: "1,5\n0\n0\n0\n2,5\n0\n0\n0\n3,5" is unclear: its commas could be decimal commas or separators)" },
        { "1,,0,0,0,1,0,0,0,1", {},
            R"(Matrix: "1,,0,0,0,1,0,0,0,1" has commas that are neither decimal commas nor separators between values)" },
        { "1,5 0 0 0 1 0 0 0 1,5,6", {},
            R"(Matrix: "1,5 0 0 0 1 0 0 0 1,5,6" has commas that are neither decimal commas nor separators between values)" },
        { "x,5 0 0 0 1 0 0 0 1", {},
            R"(Matrix: "x,5 0 0 0 1 0 0 0 1" has commas that are neither decimal commas nor separators between values)" },
        { "1,-5 0 0 0 1 0 0 0 1", {},
            R"(Matrix: "1,-5 0 0 0 1 0 0 0 1" has commas that are neither decimal commas nor separators between values)" },
        { "1,5\n1e999\n0\n0\n0\n0\n0\n0\n0", {}, R"(Matrix: "1e999" is too large)" },
        { "1 0 0 0 1 0 0 0 1 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9", Identity },
        { "hello", {}, R"(Matrix: "hello" holds no parameter line)" },
        { " \t\n", {}, R"(Matrix: " \t\n" holds no parameter line)" },
        { "1 0 0  0 1e999 0  0 0 1", {}, R"(Matrix: "1e999" is too large)" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.line);
        const auto expected = row.error ? row.error : testing::PrintToString(row.parameters);
        EXPECT_EQ(outcome(parseLine(row.line)), expected);
    }
}

constexpr const char *Line102030 = "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   "
                                   "-0.204874 0.318796 0.925417 ";

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
        { { "30,0", "0", "0", "1", "1", "1,0e0" }, German,
            "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 " },
        { { "0", "", "0", "1", "1", "1" }, C, R"(Rot Y: "" is not a number)" },
        { { "0", "0", "x", "1", "y", "1" }, C, R"(Rot Z: "x" is not a number)" },
        { { "0", "0", "0", "1", "1", "1e999" }, C, R"(Scale Z: "1e999" is too large)" },
        { { "-97", "90", "7", "1", "1.7976931348623157e308", "1" }, C,
            R"(Scale Y: "1.7976931348623157e308" makes r21 too large)" } };
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
    } rows[] = { { "", "0 0 0 " }, { Line102030, "10.0 20.0 30.0 " },
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
        EXPECT_EQ(angles.rotX + angles.rotY + angles.rotZ, row.expected);
    }
}

// An angle as a German user types it, to a hundredth of a degree: "-12,34". Below 0.05° six-decimal
// parameters no longer tell the angle from zero to within the hundredth that the fields show.
std::string angleText(std::mt19937 &random, int limit)
{
    int n;
    do
        n = std::uniform_int_distribution<int>(1 - 100 * limit, 100 * limit)(random);
    while (n != 0 && std::abs(n) < 5);
    std::array<char, 16> text;
    std::snprintf(text.data(), text.size(), "%s%d,%02d", n < 0 ? "-" : "", std::abs(n) / 100,
        std::abs(n) % 100);
    return text.data();
}

// Angles read back from a line and typed in again, in a German user's fields, rebuild the same
// nine values (zeros may change sign). Near Y = ±90° six decimals cannot carry X and Z to a
// hundredth of a degree, so Y stays within ±85° but for every tenth triple, which takes the lock
// itself, Y = ±90° exactly.
TEST(RoundTrip, anglesReadBackRebuildTheLine)
{
    std::mt19937 random(20261206);
    const auto lineOf = [](std::string_view x, std::string_view y, std::string_view z) {
        return std::get<std::string>(calculateMatrix({ x, y, z, "1", "1", "1" }, German));
    };
    for (int i = 0; i < 5000; ++i) {
        const auto x = angleText(random, 180);
        const auto y = i % 10 ? angleText(random, 85) : i % 20 ? "-90" : "90";
        const auto z = angleText(random, 180);
        const auto line = lineOf(x, y, z);
        const auto angles = std::get<Angles>(calculateAngles(line));
        const auto again = lineOf(angles.rotX, angles.rotY, angles.rotZ);
        ASSERT_EQ(std::get<Parameters>(parseLine(again)), std::get<Parameters>(parseLine(line)))
            << x << ", " << y << ", " << z << " read back as " << angles.rotX << angles.rotY
            << angles.rotZ;
    }
}

} // namespace
