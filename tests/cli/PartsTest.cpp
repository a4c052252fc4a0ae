// The parts of quorvex-cli that its end-to-end test cannot steer: a stream decoded whatever pieces
// it arrives in, lines split and counted alike, and the pool that keeps the order of results.

#include "Encoding.h"
#include "Input.h"
#include "OrderedPool.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

using namespace cli;

namespace {

// The UTF-8 that the decoder gives for bytes cut into pieces at `cuts`, and its flaws.
std::string decoded(std::string_view bytes, bool bigEndian, std::vector<std::size_t> cuts)
{
    Utf16Decoder decoder(bigEndian);
    std::string out;
    std::vector<DecodingFlaw> flaws;
    std::size_t begin = 0;
    cuts.push_back(bytes.size());
    for (const auto end : cuts) {
        decoder.decode(bytes.substr(begin, end - begin), out, flaws);
        begin = end;
    }
    decoder.finish(out, flaws);
    for (const auto &flaw : flaws)
        out += " | " + std::to_string(flaw.offset) + ": " + flaw.reason;
    return out;
}

TEST(Utf16Decoder, decodesTheSameWhereverThePiecesEnd)
{
    // A, é, €, U+1F600 (a surrogate pair), a low surrogate alone, a high one alone before "!",
    // and half a unit.
    const std::string little("A\0\xE9\0\xAC\x20\x3D\xD8\x00\xDE\x00\xDC\x3D\xD8!\0x", 17);
    std::string big = little;
    for (std::size_t i = 0; i + 1 < big.size(); i += 2)
        std::swap(big[i], big[i + 1]);
    big.back() = 'x';
    const std::string expected = "A\u00E9\u20AC\U0001F600\uFFFD\uFFFD!\uFFFD"
                                 " | 10: an unpaired UTF-16 surrogate, U+DC00, is no character"
                                 " | 13: an unpaired UTF-16 surrogate, U+D83D, is no character"
                                 " | 17: the UTF-16 text ends in half a character (it holds an "
                                 "odd number of bytes)";
    for (const auto &[bytes, bigEndian] : { std::pair(little, false), std::pair(big, true) }) {
        for (std::size_t first = 0; first <= bytes.size(); ++first) {
            for (std::size_t second = first; second <= bytes.size(); ++second) {
                SCOPED_TRACE(std::to_string(first) + ", " + std::to_string(second)
                    + (bigEndian ? " big-endian" : " little-endian"));
                ASSERT_EQ(decoded(bytes, bigEndian, { first, second }), expected);
            }
        }
    }
}

TEST(LineSplitter, endsALineAtLfCrLfOrCrAndCountsAlike)
{
    const struct
    {
        std::string_view text;
        std::vector<std::string_view> lines;
    } rows[] = {
        { "", {} },
        { "a", { "a" } },
        { "a\nb\r\nc\rd", { "a", "b", "c", "d" } },
        { "\r\r\n\n\n\r", { "", "", "", "", "" } },
        { "a\n\rb", { "a", "", "b" } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.text));
        LineSplitter splitter(row.text);
        std::vector<std::string_view> lines;
        for (std::string_view line; splitter.next(line);)
            lines.push_back(line);
        EXPECT_EQ(lines, row.lines);
    }
    // count() takes a shorter way to the same number.
    std::mt19937 random(20261207);
    for (int i = 0; i < 20000; ++i) {
        std::string text(random() % 9, ' ');
        for (auto &c : text)
            c = "a\r\n"[random() % 3];
        LineSplitter splitter(text);
        long lines = 0;
        for (std::string_view line; splitter.next(line);)
            ++lines;
        ASSERT_EQ(LineSplitter::count(text), lines) << testing::PrintToString(text);
    }
}

TEST(OrderedPool, givesResultsInTheOrderOfTheTasks)
{
    OrderedPool<int> pool(3, 6);
    std::vector<int> results, expected;
    for (int i = 0; i < 300; ++i) {
        if (pool.full())
            results.push_back(pool.takeOldest());
        // Later tasks take less time, so that they would finish first.
        pool.submit([i] {
            volatile int work = (300 - i) * 300;
            while (work > 0)
                work = work - 1;
            return i;
        });
        expected.push_back(i);
    }
    while (!pool.empty())
        results.push_back(pool.takeOldest());
    EXPECT_EQ(results, expected);
}

TEST(OrderedPool, throwsWhatATaskThrewWhereItsResultIsTaken)
{
    OrderedPool<int> pool(2, 4);
    pool.submit([] { return 1; });
    pool.submit([]() -> int { throw std::runtime_error("failed"); });
    pool.submit([] { return 3; });
    EXPECT_EQ(pool.takeOldest(), 1);
    EXPECT_THROW(pool.takeOldest(), std::runtime_error);
    EXPECT_EQ(pool.takeOldest(), 3);
}

TEST(OrderedPool, stopsWithTasksLeftThatNoOneTakes)
{
    // Returns, rather than waiting for results that no one will take (the test's time limit fails
    // a hang).
    OrderedPool<int> pool(2, 100);
    for (int i = 0; i < 100; ++i)
        pool.submit([i] { return i; });
}

} // namespace
