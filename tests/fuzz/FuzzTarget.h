#pragma once

// What both fuzz targets share: the input as text, and a promise check that the fuzzer reports,
// with the input that broke it, as a crash.

#include <cstdint>
#include <cstdlib>
#include <string_view>

inline std::string_view textOf(const std::uint8_t *data, std::size_t size)
{
    return { reinterpret_cast<const char *>(data), size };
}

inline void check(bool promise)
{
    if (!promise)
        std::abort();
}
