// Runs every core test under a German locale, whose decimal comma must not leak into the numbers
// that Quorvex writes and reads: the core's text is the same whatever the process's locale.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>

namespace {

class GermanLocale : public testing::Environment
{
    void SetUp() override
    {
        if (std::setlocale(LC_ALL, "de_DE.UTF-8")) {
            std::locale::global(std::locale("de_DE.UTF-8"));
            return;
        }
        // tools/setup generates the locale; CI must have it.
        if (std::getenv("CI"))
            FAIL() << "the locale de_DE.UTF-8 is missing: run tools/setup";
        std::fputs("de_DE.UTF-8 is missing (tools/setup makes it): tests run in C\n", stderr);
    }
};

const auto *const german = testing::AddGlobalTestEnvironment(new GermanLocale);

} // namespace
