// The core's readers and calculations, run under a German locale: its decimal comma must not leak
// into the numbers that Quorvex writes and reads, whatever the process's locale.

#include "quorvex/Calculations.h"
#include "reader/MatrixReader.h"
#include "text/FieldReader.h"
#include "text/Message.h"
#include "text/NumberScanner.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
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
        { "1.500", German, 0,
            R"(Scale X: "1.500" could be 1500 or 1,5; write it as one of those)" },
        { "-1.250", German, 0,
            R"(Scale X: "-1.250" could be -1250 or -1,25; write it as one of those)" },
        { "1.000", German, 0, R"(Scale X: "1.000" could be 1000 or 1; write it as one of those)" },
        { "234.500", German, 0,
            R"(Scale X: "234.500" could be 234500 or 234,5; write it as one of those)" },
        { "1.000,5", German, 0,
            R"(Scale X: "1.000,5" is not a number (write it without thousands separators))" },
        { "1,500", English, 0,
            R"(Scale X: "1,500" is not a number (the decimal separator is "."))" },
        { "1,5", Arabic, 0,
            R"(Scale X: "1,5" is not a number (the decimal separator is "." or "٫"))" },
        { "", C, 0, R"(Scale X: "" is not a number)" },
        { "abc", C, 0, R"(Scale X: "abc" is not a number)" },
        { "-", C, 0, R"(Scale X: "-" is not a number)" },
        { "--1", C, 0, R"(Scale X: "--1" is not a number)" },
        { ".", C, 0, R"(Scale X: "." is not a number)" },
        { "inf", C, 0, R"(Scale X: "inf" is not a number)" },
        { "nan", C, 0, R"(Scale X: "nan" is not a number)" },
        { "1 2", C, 0, R"(Scale X: "1 2" is not a number)" },
        { "1e", C, 0, R"(Scale X: "1e" is not a number)" },
        { "1e+x", C, 0, R"(Scale X: "1e+x" is not a number)" },
        { "0.5x", C, 0, R"(Scale X: "0.5x" is not a number)" },
        // Characters that show nothing are shown as escapes.
        { "1\n2", C, 0, R"(Scale X: "1\n2" is not a number)" },
        { "1\u00a0500", C, 0, R"(Scale X: "1\u00A0500" is not a number)" },
        { "\u200b\u202e30\u2066\u061c\u200f", C, 0,
            R"(Scale X: "\u200B\u202E30\u2066\u061C\u200F" is not a number)" },
        { "1\u00a0😀", C, 0, R"(Scale X: "1\u00A0😀" is not a number)" },
        { "\x01\x7f\x80\xff\xed\xa0\x80\xed\xbf\xbf\xfc\x80\x80\x80\xf4\x90\x80\x80", C, 0,
            R"(Scale X: "\u0001\u007F\x80\xFF\xED\xA0\x80\xED\xBF\xBF\xFC\x80\x80\x80\xF4\x90\x80\x80" is not a number)" },
        // A scale factor is a plain number.
        { "2\u00b0", C, 0, R"(Scale X: "2°" is not a number; a scale factor takes no unit)" },
        { "2 rad", C, 0, R"(Scale X: "2 rad" is not a number; a scale factor takes no unit)" },
        { "1e999", C, 0, R"(Scale X: "1e999" is too large)" },
        { "-1e309", C, 0, R"(Scale X: "-1e309" is too large)" },
        { "0.001e312", C, 0, R"(Scale X: "0.001e312" is too large)" },
        { "1e99999999999999999999999", C, 0,
            R"(Scale X: "1e99999999999999999999999" is too large)" },
        { "1" + std::string(400, '0'), C, 0,
            R"(Scale X: "1000000000000000000000000000000000000000…" is too large)" },
        // A long text is cut after forty characters, never inside one.
        { std::string(30, 'x') + std::string(20, 'y') + "é", C, 0,
            R"(Scale X: "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxyyyyyyyyyy…" is not a number)" },
        { std::string(39, 'x') + "éé", C, 0,
            R"(Scale X: "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxé…" is not a number)" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text.substr(0, 50));
        const auto expected = row.error ? row.error : testing::PrintToString(row.value);
        EXPECT_EQ(outcome(readField(Field::ScaleX, row.text, row.format)), expected);
    }
}

// A number's digits are counted up to a billion (a line of a batch may hold gigabytes): one with
// more is refused by its count, where counts in ints went out of bounds at 2^31 digits and wrapped
// at 2^32 + 3. The counts are tried here, since a text of so many digits would take gigabytes.
TEST(ScanNumber, refusesMoreDigitsThanItCounts)
{
    NumberScan counted;
    EXPECT_TRUE(
        keepDigitCounts(counted, MostDigits, MostDigits) && counted.decimals == 1'000'000'000);
    for (const auto &[decimals, significant] :
        { std::pair<std::size_t, std::size_t>(MostDigits + 1, 1), { 0, MostDigits + 1 },
            { 1ULL << 31, 1 }, { (1ULL << 32) + 3, 3 } }) {
        NumberScan scan;
        EXPECT_FALSE(keepDigitCounts(scan, decimals, significant) || scan.value) << decimals;
        EXPECT_EQ(withoutValue(scan), " has more digits than Quorvex can count (over a billion)");
    }
}

// Angles take a unit that says what it is, and only such a unit; a message about an angle says
// what to type.
TEST(ReadField, anglesTakeUnitsAndSayWhatToType)
{
    const struct
    {
        const char *text;
        double value;
        const char *error = nullptr;
    } rows[] = {
        { "30\u00b0", 30 }, { " -30 \u00b0 ", -30 }, { "30deg", 30 }, { "30 DEG", 30 },
        { "12.5 degrees", 12.5 }, { "1e2Degree", 100 }, { "\u22120.5\u00a0rad", -0.5 * 180 / Pi },
        { "3.14159265358979 radians", 180 }, { "1 Radian", 180 / Pi }, { "1e11", 1e11 },
        { "-1e11\u00b0", -1e11 },
        { "abc", 0, R"(Rot X: "abc" is not a number; type degrees, like 30 or 30°)" },
        { "\u00b0", 0, R"(Rot X: "°" is not a number; type degrees, like 30 or 30°)" },
        { "30\u00b0\u00b0", 0, R"(Rot X: "30°°" is not a number; type degrees, like 30 or 30°)" },
        { "\u00b030", 0, R"(Rot X: "°30" is not a number; type degrees, like 30 or 30°)" },
        { "30 degs", 0, R"(Rot X: "30 degs" is not a number; type degrees, like 30 or 30°)" },
        { "30\u00b0C", 0, R"(Rot X: "30°C" is not a number; type degrees, like 30 or 30°)" },
        { "30 deg rad", 0, R"(Rot X: "30 deg rad" is not a number; type degrees, like 30 or 30°)" },
        { "30\u00ba", 0,
            R"(Rot X: "30º" is not a number; º is not the degree sign: type 30° or 30 deg)" },
        { "-7.5 \u02da", 0,
            R"(Rot X: "-7.5 ˚" is not a number; ˚ is not the degree sign: type -7.5° or -7.5 deg)" },
        // Beyond 1e11 degrees a double no longer carries the angle to the line's six decimals.
        { "1.1e11", 0,
            R"(Rot X: "1.1e11" is too large for an angle; type one between -1e11 and 1e11 degrees)" },
        { "1e300", 0,
            R"(Rot X: "1e300" is too large for an angle; type one between -1e11 and 1e11 degrees)" },
        { "1e308 rad", 0,
            R"(Rot X: "1e308 rad" is too large for an angle; type one between -1e11 and 1e11 degrees)" }
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        const auto expected = row.error ? row.error : testing::PrintToString(row.value);
        EXPECT_EQ(outcome(readField(Field::RotX, row.text, C)), expected);
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
        { { "0", "", "0", "1", "1", "1" }, C,
            R"(Rot Y: "" is not a number; type degrees, like 30 or 30°)" },
        { { "0", "0", "x", "1", "y", "1" }, C,
            R"(Rot Z: "x" is not a number; type degrees, like 30 or 30°)" },
        { { "30\u00b0", "0.5 rad", "0", "1", "1", "1" }, C,
            "0.877583 0 0.479426   0.239713 0.866025 -0.438791   -0.415195 0.5 0.760009 " },
        // A scale of 0 is what the user asked for; one whose row the line cannot keep is not.
        { { "10", "20", "30", "0", "1", "1" }, C,
            "0 0 0   0.543838 0.823173 -0.163176   -0.204874 0.318796 0.925417 " },
        { { "0", "0", "0", "1e-9", "1", "1" }, C,
            R"(Scale X: "1e-9" is too small for the line's six decimals to keep its row; the smallest scale they keep is 1e-8)" },
        { { "10", "20", "30", "1", "-2e-8", "1" }, C,
            R"(Scale Y: "-2e-8" is too small for the line's six decimals to keep its row; the smallest scale they keep is -6.2e-8)" },
        { { "10", "20", "30", "1e-5", "1e-6", "1e-5" }, C,
            R"(Scale Y: "1e-6" is too small, with Scale X and Scale Z, for the line's six decimals to keep their rows; the smallest scale that keeps them is 4.4e-5)" },
        { { "0", "0", "0", "1", "1", "1e999" }, C, R"(Scale Z: "1e999" is too large)" },
        { { "-97", "90", "7", "1", "1.7976931348623157e308", "1" }, C,
            R"(Scale Y: "1.7976931348623157e308" makes r21 too large)" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.inputs));
        EXPECT_EQ(outcome(calculateMatrix(row.inputs, row.format)), row.expected);
    }
}

TEST(CalculateAngles, derivesTheAnglesAndScalesOrNamesTheMatrix)
{
    const struct
    {
        const char *clipboard;
        const char *expected; // the angles X Y Z and the scales, or the error
        const NumberFormat &format = C;
    } rows[] = { { "", "0 0 0 | 1 1 1" }, { Line102030, "10.0 20.0 30.0 | 1 1 1" },
        { "1.627595 -0.939693 0.68404   1.631514 2.469519 -0.489528   -0.819497 1.275183 3.701666 ",
            "10.0 20.0 30.0 | 2 3 4" },
        { "1.004226 -0.57979 0.422053   0.271919 0.411586 -0.081588   -204.874129 318.795778 "
          "925.416578 ",
            "10.0 20.0 30.0 | 1,234 0.5 1000", German },
        { "0.1234 0 0   0 1 0   0 0 1 ", "0 0 0 | 0.1234 1 1" },
        // A spreadsheet's negative, in parentheses, reaches the scales.
        { "(2.00)\t0.00\t0.00\r\n0.00\t3.00\t0.00\r\n0.00\t0.00\t4.00", "0 0 0 | -2 3 4" },
        // A mirror image reads with a negative Scale X; two negative scales are a rotation.
        { "-0.813798 0.469846 -0.34202   0.543838 0.823173 -0.163176   -0.204874 0.318796 "
          "0.925417 ",
            "10.0 20.0 30.0 | -1 1 1" },
        { "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   0.204874 -0.318796 "
          "-0.925417 ",
            "170.0 -20.0 -150.0 | -1 1 1" },
        { "-1.627595 0.939693 -0.68404   -1.631514 -2.469519 0.489528   -0.819497 1.275183 "
          "3.701666 ",
            "-10.0 -20.0 -150.0 | 2 3 4" },
        // Rows printed with fewer digits, or typed, read to the digits they carry.
        { "0.8138 -0.4698 0.342\n0.5438 0.8232 -0.1632\n-0.2049 0.3188 0.9254",
            "10.0 20.0 30.0 | 1 1 1" },
        { "0.814 -0.47 0.342\n0.544 0.823 -0.163\n-0.205 0.319 0.925", "9.99 20.01 30.0 | 1 1 1" },
        { "0.813798\t-0.46985\t0.34202\r\n0.543838\t0.823173\t-0.1632\r\n-0.20487\t0.318796\t0."
          "925417",
            "10.0 20.0 30.0 | 1 1 1" },
        { "[[ 0.4330127  -0.75   0.5 ]\n [ 0.7891491   0.04736717 -0.61237246]\n [ 0.43559575  "
          "0.6597396   0.61237246]]",
            "45.0 30.0 60.0 | 1 1 1" },
        // A value that lost its trailing zeros ("0.4823") is as exact as the six-decimal ones.
        { "0.185331 0.4823 0.856177   -0.933455 0.358694 0   -0.307105 -0.799203 0.516683 ",
            "0 58.89 -68.98 | 1 1 1" },
        // A row of a tiny scale is read from the other two.
        { "0.000814 -0.00047 0.000342   0.543838 0.823173 -0.163176   -0.204874 0.318796 "
          "0.925417 ",
            "10.0 20.0 30.0 | 0.001 1 1" },
        // Near the lock X takes from r21 and r22 what Z leaves, so the angles rebuild the line.
        { "-0.000497 0.000166 1   0.781303 -0.624152 0.000492   0.624152 0.781303 0.00018 ",
            "-69.85 89.97 -161.53 | 1 1 1" },
        // Each branch of the quadrant arctangent, through the Z angle.
        { "0 -1 0   1 0 0   0 0 1 ", "0 0 90.0 | 1 1 1" },
        { "0 1 0   -1 0 0   0 0 1 ", "0 0 -90.0 | 1 1 1" },
        { "-0.707107 -0.707107 0   0.707107 -0.707107 0   0 0 1 ", "0 0 135.0 | 1 1 1" },
        { "-0.707107 0.707107 0   -0.707107 -0.707107 0   0 0 1 ", "0 0 -135.0 | 1 1 1" },
        { "1e-310 -1 0   1 1e-310 0   0 0 1", "0 0 90.0 | 1 1 1" },
        { "-1e-310 1 0   -1 -1e-310 0   0 0 1", "0 0 -90.0 | 1 1 1" },
        { "0 0 1   0 1 0   -1 0 0 ", "0 90.0 0 | 1 1 1" },
        // A half turn reads 180, not 0.
        { "-1 -0 0   0 -1 0   0 0 1 ", "0 0 180.0 | 1 1 1" },
        { "1 0 0   0 -1 -0   0 0 -1 ", "180.0 0 0 | 1 1 1" },
        // A whole number's ".0" says nothing of its digits: the noise of a half turn beside a
        // scale of 1e8 is within those of the line.
        { "1 0 0   0 -1 -0   0 3.23109e-7 -100000000.0 ", "180.0 0 0 | 1 1 100000000" },
        // A hundredth of a degree, as a line's six decimals carry it, is one; 0.0099° is none.
        { "4.951 0 0.000864   0 1 0   -0.000175 0 1 ", "0 0.01 0 | 4.951 1 1" },
        { "1 0 0.000173   0 1 0   -0.000173 0 1", "0 0 0 | 1 1 1" },
        // Gimbal lock: Z reads 0 and X takes the whole turn, so the angles rebuild the matrix, also
        // where r23 and r33 are only noise within their digits.
        { "0 -0 1   0.906308 0.422618 -0   -0.422618 0.906308 0 ", "65.0 90.0 0 | 1 1 1" },
        { "0 0 -1   0.34202 0.939693 0   0.939693 -0.34202 0 ", "-20.0 -90.0 0 | 1 1 1" },
        { "6.12E-17\t0\t1\r\n0.5\t0.866025\t-3.1E-17\r\n-0.86603\t0.5\t5.3E-17",
            "30.0 90.0 0 | 1 1 1" },
        // No rotation with scales.
        { "1 2 3\n4 5 6\n7 8 9",
            "Matrix: read as 1 2 3  4 5 6  7 8 9, which is not a rotation with scales: rows 1 and "
            "2 stand at 12.9°, not 90°" },
        { "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   -0.204874 0.318796 0.952417",
            "Matrix: read as 0.813798 -0.469846 0.34202  0.543838 0.823173 -0.163176  -0.204874 "
            "0.318796 0.952417, which is not a rotation with scales: rows 1 and 3 stand at 89.5°, "
            "not 90°" },
        { "1 0 0  0 0.998752 0.049938  0 -0.049938 0.999",
            "Matrix: read as 1 0 0  0 0.998752 0.049938  0 -0.049938 0.999, which is not a "
            "rotation with scales: rows 2 and 3 stand at 89.999°, not 90°" },
        { "1 0 0 0 0 1 0 0 0",
            "Matrix: read as 1 0 0  0 0 1  0 0 0, which is not a rotation with scales: row 3 is "
            "zero" },
        { "0.12 0 0\n0 1 0\n0.1 0 0",
            "Matrix: read as 0.12 0 0  0 1 0  0.1 0 0, which is not a rotation with scales: rows 1 "
            "and 3 hold too few digits to tell which way they point" },
        { "1 0 0 0 1 0 0 0 1e400", R"(Matrix: "1e400" is too large)" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.clipboard);
        const auto result = calculateAngles(row.clipboard, row.format);
        if (const auto *error = std::get_if<Error>(&result)) {
            EXPECT_EQ(error->field, Field::Matrix);
            EXPECT_EQ(error->message, row.expected);
            continue;
        }
        const auto &a = std::get<AnglesAndScales>(result);
        EXPECT_EQ(a.rotX + a.rotY + a.rotZ + "| " + a.scaleX + ' ' + a.scaleY + ' ' + a.scaleZ,
            row.expected);
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

// A scale factor of four significant digits between 0.1 and 1,000, as a German user types it:
// "12,34", "-0,5". A quarter of them are negative.
std::string scaleText(std::mt19937 &random)
{
    const int digits = std::uniform_int_distribution<int>(1000, 9999)(random);
    const int point = std::uniform_int_distribution<int>(0, 3)(random); // digits before it
    std::string text = std::to_string(digits);
    text = point == 0 ? "0," + text : text.insert(static_cast<std::size_t>(point), ",");
    return std::uniform_int_distribution<int>(0, 3)(random) == 0 ? "-" + text : text;
}

double number(std::string_view text)
{
    return std::get<double>(readField(Field::RotX, text, German));
}

// The line with "-0" written as "0": a zero may come back with the other sign.
std::string unsignedZeros(std::string line)
{
    for (std::size_t at; (at = line.find(" -0 ")) != std::string::npos;)
        line.erase(at + 1, 1);
    return line.starts_with("-0 ") ? line.substr(1) : line;
}

// Angles and scales read back from a line and typed in again, in a German user's fields, rebuild
// the same line, and they are the ones typed unless a scale is negative (a mirror image, or two
// negative scales, which is a rotation by other angles) or Y is ±90° (where X and Z share an axis).
// Near Y = ±90° six decimals cannot carry X and Z to a hundredth of a degree, so Y stays within
// ±85° but for every tenth triple, which takes the lock itself.
TEST(RoundTrip, anglesAndScalesReadBackRebuildTheLine)
{
    std::mt19937 random(20261206);
    const auto lineOf = [](const InputTexts &fields) {
        return std::get<std::string>(calculateMatrix(fields, German));
    };
    for (int i = 0; i < 5000; ++i) {
        const std::array<std::string, 6> typed { angleText(random, 180),
            i % 10       ? angleText(random, 85)
                : i % 20 ? "-90"
                         : "90",
            angleText(random, 180), scaleText(random), scaleText(random), scaleText(random) };
        const auto line = lineOf({ typed[0], typed[1], typed[2], typed[3], typed[4], typed[5] });
        const auto read = std::get<AnglesAndScales>(calculateAngles(line, German));
        const std::array<std::string, 6> back { read.rotX, read.rotY, read.rotZ, read.scaleX,
            read.scaleY, read.scaleZ };
        SCOPED_TRACE(
            testing::PrintToString(typed) + " read back as " + testing::PrintToString(back));
        ASSERT_EQ(unsignedZeros(lineOf({ back[0], back[1], back[2], back[3], back[4], back[5] })),
            unsignedZeros(line));
        if (std::none_of(typed.begin() + 3, typed.end(), [](auto &t) { return t.starts_with('-'); })
            && std::abs(number(typed[1])) != 90) {
            for (std::size_t k = 0; k < typed.size(); ++k)
                ASSERT_EQ(number(back[k]), number(typed[k])) << k;
        }
    }
}

// However a tool writes a matrix, it reads as the same nine values: random lines as a PDF, a
// spreadsheet's accounting format, R, OpenCV, Blender, glm, C or a chat write them.
TEST(ReadMatrix, readsTheSameValuesHoweverAToolWritesThem)
{
    using Texts = std::array<std::string, 9>;
    // The values row by row, or column by column, with a text between two values of a row and
    // another between rows.
    const auto joined = [](const Texts &v, std::string_view between, std::string_view rowEnd,
                            bool byColumns = false) {
        std::string text;
        for (std::size_t i = 0; i < 9; ++i)
            text.append(v[byColumns ? i % 3 * 3 + i / 3 : i])
                .append(i == 8       ? ""
                        : i % 3 == 2 ? rowEnd
                                     : between);
        return text;
    };
    const auto negatives = [](Texts v, std::string_view before, std::string_view after) {
        for (auto &value : v) {
            if (value.starts_with('-'))
                value = std::string(before) + value.substr(1) + std::string(after);
        }
        return v;
    };
    const std::function<std::string(const Texts &)> writers[] = {
        [&](auto &v) { return joined(negatives(v, "\u2212 ", ""), " ", "\n"); },
        [&](auto &v) { return joined(negatives(v, "(", ")"), "\t", "\r\n"); },
        [&](auto &v) { return "> m <- matrix(c(" + joined(v, ", ", ",\n+ ", true) + "), 3, 3)"; },
        [&](auto &v) {
            return "structure(c(" + joined(v, ", ", ", \n", true) + "), .Dim = c(3L, 3L))";
        },
        [&](auto &v) { return "column-major: " + joined(v, " ", " ", true); },
        [&](auto &v) { return "glm::mat3x3((" + joined(v, ", ", "), (", true) + "))"; },
        [&](auto &v) { return "<Matrix 3x3 (" + joined(v, ", ", ")\n            (") + ")>"; },
        [&](auto &v) {
            return "Matrix(((" + joined(v, ", ", ", 0.0), (") + ", 0.0), (0.0, 0.0, 0.0, 1.0)))";
        },
        [&](auto &v) { return "double R[3][3] = {{" + joined(v, ", ", "}, {") + "}};"; },
        [&](auto &v) {
            return "%YAML:1.0\n---\nR: !!opencv-matrix\n   rows: 3\n   cols: 3\n   dt: d\n   data: "
                   "[ "
                + joined(v, ", ", ",\n       ") + " ]";
        },
        [&](auto &v) {
            return "<R type_id=\"opencv-matrix\">\n  <rows>3</rows>\n  <cols>3</cols>\n  <data>\n  "
                   "  "
                + joined(v, " ", "\n    ") + "</data></R>";
        },
        [&](auto &v) { return "`" + joined(v, " ", "`\n`") + "`"; },
        [&](auto &v) { return joined(v, " ", ",\n") + ","; },
    };
    std::mt19937 random(20261207);
    for (int i = 0; i < 300; ++i) {
        const auto line = std::get<std::string>(
            calculateMatrix({ angleText(random, 180), angleText(random, 90), angleText(random, 180),
                                scaleText(random), scaleText(random), scaleText(random) },
                German));
        std::array<std::string_view, 9> words;
        splitWords(line, words);
        const Texts values { std::string(words[0]), std::string(words[1]), std::string(words[2]),
            std::string(words[3]), std::string(words[4]), std::string(words[5]),
            std::string(words[6]), std::string(words[7]), std::string(words[8]) };
        const auto expected
            = testing::PrintToString(std::get<Readings>(readMatrix(line)).matrices[0].values);
        const auto read = [&](const std::string &text, ValueOrder order = ValueOrder::Rows) {
            SCOPED_TRACE(text);
            const auto matrix = readMatrix(text, order);
            return std::holds_alternative<Readings>(matrix)
                ? testing::PrintToString(std::get<Readings>(matrix).matrices[0].values)
                : std::get<Error>(matrix).message;
        };
        for (const auto &write : writers)
            ASSERT_EQ(read(write(values)), expected);
        ASSERT_EQ(read(joined(values, " ", "   ", true), ValueOrder::Columns), expected);
        ASSERT_EQ(read(joined(values, " ", "\n", true), ValueOrder::Columns), expected);
    }
}

// Every line that Calculate Matrix writes is one that Calculate Angles reads: scales from 1e-9 to
// 1e9 (and 0, whose row aside), where the line's six decimals keep little of a row or nothing, or
// its rows hold the noise of the angles' sines beside a huge value, are written or refused, never
// written unreadable. The smallest scale a refusal names is written.
TEST(RoundTrip, everyLineWrittenReadsBack)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> angle(-180, 180), exponent(-9, 9);
    // Three digits, as a German user types them: "1,23e-05".
    const auto text = [](double x) {
        std::array<char, 32> buffer;
        std::snprintf(buffer.data(), buffer.size(), "%.3g", x);
        return std::string(buffer.data());
    };
    const auto scale = [&] {
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        return kind == 0 ? "0" : kind < 4 ? "1" : text(std::pow(10, exponent(random)));
    };
    for (int i = 0; i < 3000; ++i) {
        const std::array<std::string, 6> typed { text(angle(random)), text(angle(random)),
            text(angle(random)), scale(), scale(), scale() };
        SCOPED_TRACE(testing::PrintToString(typed));
        // Each scale named is set to the scale proposed, which is not named again.
        InputTexts inputs { typed[0], typed[1], typed[2], typed[3], typed[4], typed[5] };
        std::array<std::string, 6> proposed;
        auto line = calculateMatrix(inputs, German);
        for (const Error *error; (error = std::get_if<Error>(&line));) {
            const auto field = static_cast<std::size_t>(error->field);
            ASSERT_TRUE(field >= 3 && proposed[field].empty()) << error->message;
            proposed[field] = error->message.substr(error->message.rfind(' ') + 1);
            inputs[field] = proposed[field];
            line = calculateMatrix(inputs, German);
        }
        if (std::find(typed.begin(), typed.end(), "0") != typed.end())
            continue; // a row of 0 0 0 is no rotation
        ASSERT_TRUE(std::holds_alternative<AnglesAndScales>(
            calculateAngles(std::get<std::string>(line), German)))
            << std::get<std::string>(line);
    }
}

} // namespace
