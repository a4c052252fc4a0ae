#pragma once

#include <gtest/gtest.h>

#include <string>

// Names each row of a parameterised table after its tag, so that a failure reads
// "Thresholds/FormatParamTest.rendersThePatternOfItsRange/nearOneAbove".
struct TagName
{
    template<typename Row> std::string operator()(const testing::TestParamInfo<Row> &info) const
    {
        return info.param.tag;
    }
};
