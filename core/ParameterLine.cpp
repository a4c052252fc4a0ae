#include "ParameterLine.h"

#include "NumberText.h"

#include <vector>

namespace quorvex {
namespace {

    constexpr std::string_view Separators = " \t\r\n";

    std::vector<std::string_view> splitValues(std::string_view line, std::size_t atMost)
    {
        std::vector<std::string_view> values;
        for (auto begin = line.find_first_not_of(Separators);
             begin != std::string_view::npos && values.size() < atMost;
             begin = line.find_first_not_of(Separators, begin)) {
            const auto end = std::min(line.find_first_of(Separators, begin), line.size());
            values.push_back(line.substr(begin, end - begin));
            begin = end;
        }
        return values;
    }

} // namespace

std::string joinLine(const ParameterTexts &texts)
{
    std::string line;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i == 3 || i == 6)
            line += "  ";
        line += texts[i];
    }
    return line;
}

std::variant<Parameters, Error> parseLine(std::string_view line)
{
    const auto values = splitValues(line, Parameters {}.size());
    Parameters parameters {};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto scan = scanNumber(values[i], ".");
        if (!scan.value)
            return Error::tooLarge(Field::Matrix, values[i]);
        // A short line keeps its last value in r33, as the line "1 2 3" always has.
        const bool last = i + 1 == values.size();
        parameters[last ? parameters.size() - 1 : i] = *scan.value;
    }
    return parameters;
}

} // namespace quorvex
