#include "Message.h"

#include "TextDecoding.h"

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

std::string listed(std::span<const std::size_t> numbers)
{
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        text += i == 0 ? "" : i + 1 == numbers.size() ? " and " : ", ";
        text += std::to_string(numbers[i]);
    }
    return text;
}

} // namespace quorvex::detail
