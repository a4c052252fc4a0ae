#include "Calculations.h"
#include "Module1.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>

using namespace quorvex;

namespace {

// Number text must not follow the process locale: a German user's program still writes and reads
// parameter lines with ".". tools/setup generates the locale; CI must have it.
class GermanLocale : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
            if (std::getenv("CI"))
                FAIL() << "the locale de_DE.UTF-8 is missing: run tools/setup";
            GTEST_SKIP() << "the locale de_DE.UTF-8 is missing: run tools/setup";
        }
        m_previous = std::locale::global(std::locale("de_DE.UTF-8"));
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override
    {
        std::locale::global(m_previous);
        std::setlocale(LC_ALL, "C");
    }

private:
    std::locale m_previous;
};

TEST_F(GermanLocale, numbersAreWrittenWithPoint)
{
    EXPECT_EQ(Module1::FormatParam(-0.8660254), "-0.866025 ");
    EXPECT_EQ(Module1::FormatParam(3.5e-7), "3.5e-7 ");
    EXPECT_EQ(Module1::FormatAngle(Module1::Pi / 4), "45.0 ");
    EXPECT_EQ(std::get<std::string>(calculateMatrix({ "30,0", "0", "0", "1", "1", "1" }, ",")),
        "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 ");
}

TEST_F(GermanLocale, parameterLineIsReadWithPoint)
{
    const auto angles
        = std::get<Angles>(calculateAngles("1 0 0   0 0.866025 -0.5   0 0.5 0.866025 "));
    EXPECT_EQ(angles.rotX, "30.0 ");
}

} // namespace
