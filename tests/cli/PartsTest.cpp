// The parts of quorvex-cli that its end-to-end test cannot steer: a stream decoded whatever pieces
// it arrives in, lines split and counted alike, and the pool of threads stopped with work left.

#include "Encoding.h"
#include "Input.h"
#include "OrderedPool.h"

#include <gtest/gtest.h>

#include <random>

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
    // A, é, €, U+1F600 (a surrogate pair), a low surrogate alone; on the next line a high one
    // alone before "!", another, which the line's first flaw tells of, and half a unit.
    const std::string little(
        "A\0\xE9\0\xAC\x20\x3D\xD8\x00\xDE\x00\xDC\n\0\x3D\xD8!\0\x00\xD8x", 21);
    std::string big = little;
    for (std::size_t i = 0; i + 1 < big.size(); i += 2)
        std::swap(big[i], big[i + 1]);
    big.back() = 'x';
    const std::string expected = "A\u00E9\u20AC\U0001F600\uFFFD\n\uFFFD!\uFFFD\uFFFD"
                                 " | 10: an unpaired UTF-16 surrogate, U+DC00, is no character"
                                 " | 14: an unpaired UTF-16 surrogate, U+D83D, is no character"
                                 " | 21: the UTF-16 text ends in half a character (it holds an "
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

TEST(LineSplitter, countsTheLinesThatItGives)
{
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

TEST(OrderedPool, stopsWithTasksLeftThatNoOneTakes)
{
    // Returns, rather than waiting for results that no one will take (the test's time limit fails
    // a hang).
    OrderedPool<int> pool(2, 100);
    for (int i = 0; i < 100; ++i)
        pool.submit([i] { return i; });
}

} // namespace
