#include "Error.h"

#include "NumberText.h"

#include <algorithm>
#include <cstdio>

namespace quorvex {
namespace {

    // Characters that show nothing, or nothing that tells them from a blank.
    bool isInvisible(char32_t c)
    {
        return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c != ' ' && isWhiteSpace(c)) || c == 0xAD
            || (c >= 0x200B && c <= 0x200F) || c == 0x2060 || c == 0xFEFF;
    }

    // A quoted text fits on one line of a message box or a terminal: a long text (a pasted file,
    // a megabyte of digits) is cut short at a whole character, and characters that show nothing
    // are written as escapes, so that a no-break space does not pass for a blank.
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

    std::string about(Field field, std::string_view text)
    {
        return std::string(label(field)) + ": " + quoted(text);
    }

} // namespace

Error Error::notANumber(Field field, std::string_view text, const NumberFormat &format)
{
    auto message = about(field, text) + " is not a number";
    // The most common slips: a thousands separator, or the other decimal separator.
    const auto marks
        = std::count(text.begin(), text.end(), '.') + std::count(text.begin(), text.end(), ',');
    if (marks > 1)
        message += " (write it without thousands separators)";
    else if (format.decimalPoint != "," && text.find(',') != std::string_view::npos)
        message += " (the decimal separator is \"."
            + (format.decimalPoint == "." ? "" : "\" or \"" + format.decimalPoint) + "\")";
    return { field, message };
}

Error Error::groupedOrDecimal(Field field, std::string_view text, const NumberFormat &format)
{
    // "1.500": fifteen hundred with a thousands separator, or one and a half with "." as the
    // decimal point that Quorvex writes.
    const auto number = trimmed(text);
    const auto point = number.find('.');
    const auto whole = number.substr(0, point);
    auto fraction = number.substr(point + 1);
    fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);
    const auto decimal = std::string(whole) + (fraction.empty() ? "" : format.decimalPoint)
        + std::string(fraction);
    return { field,
        about(field, text) + " could be " + std::string(whole)
            + std::string(number.substr(point + 1)) + " or " + decimal
            + "; write it as one of those" };
}

Error Error::tooLarge(Field field, std::string_view text)
{
    return { field, about(field, text) + " is too large" };
}

Error Error::parameterTooLarge(Field field, std::string_view text, std::string_view parameter)
{
    return { field, about(field, text) + " makes " + std::string(parameter) + " too large" };
}

Error Error::noParameterLine(std::string_view line)
{
    return { Field::Matrix, about(Field::Matrix, line) + " holds no parameter line" };
}

Error Error::mixedDecimalMarks(std::string_view line)
{
    return { Field::Matrix,
        about(Field::Matrix, line) + " mixes decimal commas and decimal points" };
}

Error Error::unclearCommas(std::string_view line)
{
    return { Field::Matrix,
        about(Field::Matrix, line)
            + " is unclear: its commas could be decimal commas or separators" };
}

Error Error::strayCommas(std::string_view line)
{
    return { Field::Matrix,
        about(Field::Matrix, line)
            + " has commas that are neither decimal commas nor separators between values" };
}

} // namespace quorvex
