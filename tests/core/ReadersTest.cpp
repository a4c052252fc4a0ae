#include "Calculations.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorvex;

namespace {

// What a reader gave, as one comparable text: the value(s), or the error's message.
template<typename T> std::string outcome(const std::variant<T, Error> &result)
{
    if (const auto *error = std::get_if<Error>(&result))
        return error->message;
    return testing::PrintToString(std::get<T>(result));
}

const NumberFormat C, German { ",", "." }, English { ".", "," }, Arabic { "\u066b", "\u066c" };

TEST(ReadField, readsOneNumberOrNamesTheProblem)
{
    const std::string megabyte(1 << 20, '7');
    const struct
    {
        std::string text;
        const NumberFormat &format;
        double value;
        const char *error = nullptr;
    } rows[] = { { "42", C, 42 }, { " 45 ", C, 45 }, { "\t-0.5 ", C, -0.5 }, { "+2", C, 2 },
        { ".5", C, 0.5 }, { "5.", C, 5 }, { "3.5e-7", C, 3.5e-7 }, { "2E+3", C, 2000 },
        { "1000e-3", C, 1 }, { "0.1", C, 0.1 }, { "1" + std::string(300, '0'), C, 1e300 },
        { "0." + std::string(400, '0') + "1", C, 0 }, { "-1e-400", C, -0.0 },
        { "0." + megabyte, C, 0.7777777777777778 },
        // A pasted cell brings a line break; documents write a typographic minus.
        { "30\r\n", C, 30 }, { "\u00a0\u202f30\u2009", C, 30 }, { "\u221230", C, -30 },
        { "2e\u22123", C, 0.002 },
        // "." reads in every locale, except where it could group thousands.
        { "30,5", German, 30.5 }, { "30.5", German, 30.5 }, { "10.0", German, 10 },
        { "1.5e3", German, 1500 }, { "0.500", German, 0.5 }, { "1234.500", German, 1234.5 },
        { "1\u066b5", Arabic, 1.5 }, { "1.5", Arabic, 1.5 },
        { "1.500", German, 0, R"(Rot X: "1.500" could be 1500 or 1,5; write it as one of those)" },
        { "-1.250", German, 0, R"(Rot X: "-1.250" could be -1250 or -1,25; write it as one of those)" },
        { "1.000", German, 0, R"(Rot X: "1.000" could be 1000 or 1; write it as one of those)" },
        { "1.000,5", German, 0,
            R"(Rot X: "1.000,5" is not a number (write it without thousands separators))" },
        { "1,500", English, 0, R"(Rot X: "1,500" is not a number (the decimal separator is "."))" },
        { "1,5", Arabic, 0,
            R"(Rot X: "1,5" is not a number (the decimal separator is "." or "٫"))" },
        { "", C, 0, R"(Rot X: "" is not a number)" }, { "abc", C, 0, R"(Rot X: "abc" is not a number)" },
        { "-", C, 0, R"(Rot X: "-" is not a number)" }, { "--1", C, 0, R"(Rot X: "--1" is not a number)" },
        { ".", C, 0, R"(Rot X: "." is not a number)" }, { "inf", C, 0, R"(Rot X: "inf" is not a number)" },
        { "nan", C, 0, R"(Rot X: "nan" is not a number)" }, { "1 2", C, 0, R"(Rot X: "1 2" is not a number)" },
        { "1e", C, 0, R"(Rot X: "1e" is not a number)" }, { "1e+x", C, 0, R"(Rot X: "1e+x" is not a number)" },
        { "0.5x", C, 0, R"(Rot X: "0.5x" is not a number)" },
        // Characters that show nothing are shown as escapes.
        { "1\n2", C, 0, R"(Rot X: "1\n2" is not a number)" },
        { "1\u00a0500", C, 0, R"(Rot X: "1\u00A0500" is not a number)" },
        { "\x01\x7f\xff", C, 0, R"(Rot X: "\u0001\u007F\xFF" is not a number)" },
        { "1e999", C, 0, R"(Rot X: "1e999" is too large)" },
        { "-1e309", C, 0, R"(Rot X: "-1e309" is too large)" },
        { "0.001e312", C, 0, R"(Rot X: "0.001e312" is too large)" },
        { "1e99999999999999999999999", C, 0, R"(Rot X: "1e99999999999999999999999" is too large)" },
        { "1" + std::string(400, '0'), C, 0,
            R"(Rot X: "1000000000000000000000000000000000000000…" is too large)" },
        { megabyte, C, 0, R"(Rot X: "7777777777777777777777777777777777777777…" is too large)" },
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
        { "hello", {}, R"(Matrix: "hello" holds no parameter line)" },
        { " \t\n", {}, R"(Matrix: " \t\n" holds no parameter line)" },
        { "1 0 0  0 1e999 0  0 0 1", {}, R"(Matrix: "1e999" is too large)" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.line);
        const auto expected = row.error ? row.error : testing::PrintToString(row.parameters);
        EXPECT_EQ(outcome(parseLine(row.line)), expected);
    }
}

} // namespace
