// The fast paths read and write exactly what the general paths do, on generated texts and
// values: the plain scan reads what the general scan reads, a field what readAnyField reads, the
// plain line of a batch what the general reading reads, and three angles written at once are the
// three written one by one.

#include "quorvex/Calculations.h"
#include "reader/MatrixReader.h"
#include "text/FieldReader.h"
#include "text/NumberScanner.h"
#include "text/NumberWriter.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <random>

using namespace quorvex;
using namespace quorvex::detail;

namespace {

// A double as the shortest text that reads back as it, its sign of zero included.
std::string exactly(double x)
{
    std::array<char, 32> text;
    return { text.data(), std::to_chars(text.begin(), text.end(), x).ptr };
}

std::string described(const NumberScan &scan)
{
    return std::to_string(scan.length) + " " + (scan.value ? exactly(*scan.value) : "none") + " "
        + std::to_string(scan.decimals) + " " + std::to_string(scan.exponent) + " "
        + (scan.tooManyDigits ? " too many" : "");
}

// A reading's error, or the 24 numbers of each matrix it may be (values, uncertainties, row
// lengths and theirs) and the way it was read.
std::string described(const std::variant<Readings, Error> &read)
{
    if (const auto *error = std::get_if<Error>(&read))
        return error->message;
    std::string text;
    const auto &readings = std::get<Readings>(read);
    for (std::size_t i = 0; i < readings.count; ++i) {
        for (const double x : std::bit_cast<std::array<double, 24>>(readings.matrices[i]))
            text += exactly(x) + " ";
        text += std::to_string(readings.ways[i]) + "; ";
    }
    return text;
}

// Random text made of the characters that numbers are made of, and those that end them.
class Texts
{
public:
    // Up to `most` characters of `from`.
    std::string some(std::size_t most, std::string_view from = "0123456789")
    {
        std::string text(m_random() % (most + 1), ' ');
        for (auto &c : text)
            c = from[m_random() % from.size()];
        return text;
    }
    template<std::size_t N> std::string any(const std::array<std::string_view, N> &choices)
    {
        return std::string(choices[m_random() % N]);
    }
    bool oneIn(unsigned n) { return m_random() % n == 0; }

private:
    std::mt19937 m_random { 20261208 };
};

// Numbers, with what may follow them, read by the plain scan and the general one; and as fields, by
// readField and readAnyField.
TEST(ScanPlainNumber, readsWhatTheGeneralScanReads)
{
    Texts texts;
    constexpr std::array<std::string_view, 5> signs { "", "-", "+", "\u2212", " " };
    constexpr std::array<std::string_view, 10> ends { "", " ", "\t", ",", ".", "x", "e", "-",
        "\u00b0", " rad" };
    const NumberFormat C, German { ",", "." };
    const auto outcome = [](const std::variant<double, Error> &read) {
        const auto *value = std::get_if<double>(&read);
        return value ? exactly(*value) : std::get<Error>(read).message;
    };
    int plain = 0;
    for (int i = 0; i < 300000; ++i) {
        const char separator = texts.oneIn(4) ? ',' : '.';
        std::string text = texts.any(signs) + texts.some(17);
        if (!texts.oneIn(3))
            text += separator + texts.some(17);
        if (texts.oneIn(8))
            text += std::string(texts.oneIn(2) ? "e" : "E") + texts.any(signs) + texts.some(3);
        // What follows, eight bytes at once where there are that many: bytes beside the digits,
        // and bytes whose top bit is set.
        text += texts.any(ends)
            + texts.some(texts.oneIn(2) ? 0 : 9, "0123456789/:.e -\x7f\x80\xb9\xba\xc6\xff");
        const auto &format = separator == '.' ? C : German;
        const auto field = texts.oneIn(2) ? Field::RotX : Field::ScaleX;
        ASSERT_EQ(
            outcome(readField(field, text, format)), outcome(readAnyField(field, text, format)))
            << testing::PrintToString(text);
        NumberScan scan;
        if (!scanPlainNumber(text, separator, scan))
            continue;
        ++plain;
        ASSERT_EQ(described(scan), described(scanAnyNumber(text, std::string(1, separator))))
            << testing::PrintToString(text);
    }
    EXPECT_GT(plain, 50000);
}

// Lines of nine to twenty numbers, mostly plain lines: the parameter lines of random angles and
// scales, or random plain numbers, set apart by blanks and tabs, some with an end that makes them
// another kind of line.
TEST(ReadMatrix, readsAPlainLineAsTheGeneralReadingDoes)
{
    Texts texts;
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> angle(-180, 180), scale(-3, 3);
    constexpr std::array<std::string_view, 5> blanks { " ", "  ", "   ", "\t", " \t" };
    constexpr std::array<std::string_view, 11> ends { "", "", " ", "\r", "\n", "\r\n", " \t\r\n",
        " # part 2", "x", "\n1 0 0", "\ncolumn-major" };
    constexpr std::array<std::string_view, 6> others { "1e-5", "\u22120.5", "0,5", "abc", "1.2.3",
        "(1)" };
    for (int i = 0; i < 20000; ++i) {
        std::array<std::string_view, 17> words;
        std::vector<std::string> values;
        if (texts.oneIn(2)) {
            const auto line = calculateMatrix(
                { exactly(angle(random)), exactly(angle(random)), exactly(angle(random)),
                    exactly(scale(random)), exactly(scale(random)), exactly(scale(random)) },
                {});
            if (const auto *written = std::get_if<std::string>(&line)) {
                const auto count = splitWords(*written, words);
                values.assign(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(count));
            }
        }
        while (values.size() < 9 || (values.size() < 20 && texts.oneIn(2)))
            values.push_back((texts.oneIn(4) ? "-" : "") + texts.some(9)
                + (texts.oneIn(2) ? "." + texts.some(8) : ""));
        if (texts.oneIn(10))
            values[random() % values.size()] = texts.any(others);
        std::string text = texts.oneIn(5) ? texts.any(blanks) : "";
        for (const auto &value : values)
            text.append(value).append(texts.any(blanks));
        text.resize(text.size() - (texts.oneIn(2) ? 1 : 0));
        text += texts.any(ends);
        for (const auto order : { ValueOrder::Rows, ValueOrder::Columns }) {
            SCOPED_TRACE(
                testing::PrintToString(text) + (order == ValueOrder::Rows ? "" : " by columns"));
            ASSERT_EQ(described(readMatrix(text, order)), described(readAnyMatrix(text, order)));
        }
    }
}

// The common line of a batch takes the fast path, which keeps angles -l at some 3,400
// instructions a line; any other text is left to the general reading.
TEST(ReadMatrix, takesTheFastPathForABatchLineOnly)
{
    const std::pair<const char *, bool> rows[] {
        { "1 0 0 0 1 0 0 0 1", true },
        { "  0.81\t-0.47  0.34 0.54 0.82 -0.16 -0.2 0.32 0.93 \t\r\n", true },
        { "0 0 1 0 1 0 -1 0 0 12.5 -3 40 7", true },
        { "1 0 0 0 1 0 0 0 1 2 3 4", false }, // twelve: a *.him line or rows of four
        { "1 0 0 0 1 0 0 0 1 0 0 0 0 0 0 1", false }, // sixteen: a 4×4, either way
        { "1 0 0 0 1 0 0 0", false },
        { "1,0,0,0,1,0,0,0,1", false },
        { "1 0 0 0 1 0 0 0 1x", false },
        { "1 0 0 0 1 0 0 0 1 # from the scanner", false },
        { "1 0 0 0 1 0 0 0 1\n1 0 0", false },
        { "1e0 0 0 0 1 0 0 0 1", false },
        { "\u22121 0 0 0 1 0 0 0 1", false },
    };
    for (const auto &[text, plain] : rows) {
        SCOPED_TRACE(text);
        WrittenValues nine;
        EXPECT_EQ(isPlainLine(text, ValueOrder::Rows, nine), plain);
    }
    WrittenValues nine;
    ASSERT_TRUE(isPlainLine("1 2 3 4 5 6 7 8 9.5 10", ValueOrder::Columns, nine));
    EXPECT_EQ(nine.values, (std::array<double, 9> { 1, 4, 7, 2, 5, 8, 3, 6, 9.5 }));
    EXPECT_EQ(nine.decimals[8], 1);
}

TEST(AppendAngles, writesWhatOneAtATimeWrites)
{
    std::mt19937 random(20261208);
    // Degrees of every size that an angle field shows, exactly one and huge ones among them.
    const auto angle = [&] {
        constexpr double Exact[] = { 0, 1, -1, 0.01, 1e11, -2e12 };
        const double degrees = random() % 8 == 0
            ? Exact[random() % std::size(Exact)]
            : std::ldexp(
                static_cast<double>(random() % 2000001) - 1e6, -static_cast<int>(random() % 30));
        return toRadians(degrees);
    };
    for (int i = 0; i < 100000; ++i) {
        const std::array<double, 3> radians { angle(), angle(), angle() };
        std::string together = "|", apart = "|";
        appendAngles(together, radians);
        for (const double each : radians)
            appendAngle(apart, each);
        ASSERT_EQ(together, apart);
    }
}

} // namespace
