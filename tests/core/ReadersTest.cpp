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

TEST(ReadField, readsOneNumberOrNamesTheProblem)
{
    const std::string megabyte(1 << 20, '7');
    const struct
    {
        std::string text;
        const char *separator;
        double value;
        const char *error = nullptr;
    } rows[] = { { "42", ".", 42 }, { " 45 ", ".", 45 }, { "\t-0.5 ", ".", -0.5 }, { "+2", ".", 2 },
        { ".5", ".", 0.5 }, { "5.", ".", 5 }, { "3.5e-7", ".", 3.5e-7 }, { "2E+3", ".", 2000 },
        { "1000e-3", ".", 1 }, { "0.1", ".", 0.1 }, { "30,5", ",", 30.5 },
        { "1\u066b5", "\u066b", 1.5 }, { "1" + std::string(300, '0'), ".", 1e300 },
        { "0." + std::string(400, '0') + "1", ".", 0 }, { "-1e-400", ".", -0.0 },
        { "0." + megabyte, ".", 0.7777777777777778 },
        { "", ".", 0, R"(Rot X: "" is not a number)" },
        { "abc", ".", 0, R"(Rot X: "abc" is not a number)" },
        { "-", ".", 0, R"(Rot X: "-" is not a number)" },
        { "--1", ".", 0, R"(Rot X: "--1" is not a number)" },
        { ".", ".", 0, R"(Rot X: "." is not a number)" },
        { "inf", ".", 0, R"(Rot X: "inf" is not a number)" },
        { "nan", ".", 0, R"(Rot X: "nan" is not a number)" },
        { "1 2", ".", 0, R"(Rot X: "1 2" is not a number)" },
        { "1e", ".", 0, R"(Rot X: "1e" is not a number)" },
        { "1e+x", ".", 0, R"(Rot X: "1e+x" is not a number)" },
        { "0.5x", ".", 0, R"(Rot X: "0.5x" is not a number)" },
        { "1\n2", ".", 0, R"(Rot X: "1\n2" is not a number)" },
        { "\x01\x7f", ".", 0, R"(Rot X: "??" is not a number)" },
        { "1.2.3", ",", 0, R"(Rot X: "1.2.3" is not a number (the decimal separator is ","))" },
        { "1,5", ".", 0, R"(Rot X: "1,5" is not a number (the decimal separator is "."))" },
        { "1.500", ",", 0, R"(Rot X: "1.500" is not a number (the decimal separator is ","))" },
        { "1e999", ".", 0, R"(Rot X: "1e999" is too large)" },
        { "-1e309", ".", 0, R"(Rot X: "-1e309" is too large)" },
        { "0.001e312", ".", 0, R"(Rot X: "0.001e312" is too large)" },
        { "1e99999999999999999999999", ".", 0,
            R"(Rot X: "1e99999999999999999999999" is too large)" },
        { "1" + std::string(400, '0'), ".", 0,
            R"(Rot X: "1000000000000000000000000000000000000000…" is too large)" },
        { megabyte, ".", 0, R"(Rot X: "7777777777777777777777777777777777777777…" is too large)" },
        // A long text is cut at a whole character.
        { std::string(39, 'x') + "éé", ".", 0,
            R"(Rot X: "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…" is not a number)" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text.substr(0, 50));
        const auto expected = row.error ? row.error : testing::PrintToString(row.value);
        EXPECT_EQ(outcome(readField(Field::RotX, row.text, row.separator)), expected);
    }
}

constexpr Parameters Identity { 1, 0, 0, 0, 1, 0, 0, 0, 1 };

TEST(ParseLine, readsNineValues)
{
    const struct
    {
        const char *line;
        Parameters parameters;
    } rows[] = { { "1 0 0   0 1 0   0 0 1 ", Identity }, { "1 0 0  0 1 0  0 0 1", Identity },
        { "   1 0 0   0 1 0   0 0 1", Identity }, { "1 0 0  0 1 0  0 0 1  5 6 7", Identity },
        { "1\t0\t0\t0\t1\t0\t0\t0\t1", Identity }, { "1 0 0\r\n0 1 0\r\n0 0 1\r\n", Identity },
        { " \t\r\n1 0 0 0 1 0 0 0 1 \t\r\n", Identity }, { "1 0 0 0 1 0 0 0 1 1e999", Identity },
        { "", {} }, { " \t\n ", {} }, { "hello", {} },
        // Missing values read 0 and the last one present goes to r33.
        { "1 2 3", { 1, 2, 0, 0, 0, 0, 0, 0, 3 } }, { "1 2 3 ", { 1, 2, 0, 0, 0, 0, 0, 0, 3 } },
        { "7", { 0, 0, 0, 0, 0, 0, 0, 0, 7 } },
        // Each value is the number it begins with.
        { "0.5x 1,5 abc -0.5 3.5e-7 +2 .5 1e 9", { 0.5, 1, 0, -0.5, 3.5e-7, 2, 0.5, 1, 9 } } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(outcome(parseLine(row.line)), testing::PrintToString(row.parameters));
    }
    EXPECT_EQ(outcome(parseLine("1 0 0  0 1e999 0  0 0 1")), R"(Matrix: "1e999" is too large)");
}

} // namespace
