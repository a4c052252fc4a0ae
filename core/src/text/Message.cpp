#include "text/Message.h"

#include "text/NumberScanner.h"
#include "text/TextDecoding.h"

#include <array>
#include <cstdio>

namespace quorvex::detail {
namespace {

    std::string quoted(std::string_view text)
    {
        constexpr int shown = 40;
        std::string result = "\"";
        std::size_t pos = 0;
        for (int count = 0; pos < text.size() && count < shown; ++count) {
            const auto c = characterAt(text, pos);
            std::array<char, 12> escape {};
            if (c.code == '\n' || c.code == '\r' || c.code == '\t')
                result += c.code == '\n' ? "\\n" : c.code == '\r' ? "\\r" : "\\t";
            else if (c.code == Character::Invalid)
                std::snprintf(escape.data(), escape.size(), "\\x%02X", text[pos] & 0xFF);
            else if (isInvisible(c.code))
                std::snprintf(
                    escape.data(), escape.size(), "\\u%04X", static_cast<unsigned>(c.code));
            else
                result += text.substr(pos, c.length);
            result += escape.data();
            pos += c.length;
        }
        if (pos < text.size())
            result += "…";
        return result + '"';
    }

} // namespace

std::string about(Field field, std::string_view text)
{
    return std::string(label(field)) + ": " + quoted(text);
}

std::string_view withoutValue(const NumberScan &number)
{
    return number.tooManyDigits ? " has more digits than Quorvex can count (over a billion)"
                                : " is too large";
}

std::string listed(std::span<const std::size_t> numbers)
{
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        text += i == 0 ? "" : i + 1 == numbers.size() ? " and " : ", ";
        text += std::to_string(numbers[i]);
    }
    return text;
}

std::string_view thousandsHint(std::string_view text)
{
    const auto mark = text.find_first_of(".,");
    const auto next = mark == std::string_view::npos ? mark : text.find_first_of(".,", mark + 1);
    const auto group = text.substr(mark + 1, next - mark - 1);
    const bool grouped = next != std::string_view::npos && group.size() == 3
        && group.find_first_not_of("0123456789") == std::string_view::npos;
    return grouped ? " (write it without thousands separators)" : "";
}

std::string groupedOrDecimal(std::string_view number, std::string_view decimalPoint)
{
    const auto point = number.find_first_of(".,");
    const auto whole = number.substr(0, point);
    auto fraction = number.substr(point + 1);
    fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);
    return " could be " + std::string(whole) + std::string(number.substr(point + 1)) + " or "
        + std::string(whole) + (fraction.empty() ? "" : std::string(decimalPoint))
        + std::string(fraction) + "; write it as one of those";
}

} // namespace quorvex::detail
