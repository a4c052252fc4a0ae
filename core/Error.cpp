#include "Error.h"

namespace quorvex {
namespace {

    // A quoted text fits on one line of a message box or a terminal: control characters are
    // shown escaped, and a long text (a pasted file, a megabyte of digits) is cut short.
    std::string quoted(std::string_view text)
    {
        constexpr std::size_t shown = 40;
        std::string result = "\"";
        std::size_t i = 0;
        for (; i < text.size() && i < shown; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c == '\n')
                result += "\\n";
            else if (c == '\r')
                result += "\\r";
            else if (c == '\t')
                result += "\\t";
            else if (c < 0x20 || c == 0x7f)
                result += '?';
            else
                result += text[i];
        }
        if (i < text.size()) {
            // Never cut a UTF-8 sequence in half.
            while (!result.empty() && (static_cast<unsigned char>(result.back()) & 0xC0) == 0x80)
                result.pop_back();
            if (!result.empty() && static_cast<unsigned char>(result.back()) >= 0xC0)
                result.pop_back();
            result += "…";
        }
        result += '"';
        return result;
    }

    std::string about(Field field, std::string_view text)
    {
        std::string message(label(field));
        message += ": ";
        message += quoted(text);
        return message;
    }

} // namespace

Error Error::notANumber(Field field, std::string_view text, std::string_view decimalSeparator)
{
    auto message = about(field, text) + " is not a number";
    // The most common slip: the other decimal separator, or a thousands separator.
    const bool otherSeparator
        = (decimalSeparator != "." && text.find('.') != std::string_view::npos)
        || (decimalSeparator != "," && text.find(',') != std::string_view::npos);
    if (otherSeparator)
        message += " (the decimal separator is \"" + std::string(decimalSeparator) + "\")";
    return { field, message };
}

Error Error::tooLarge(Field field, std::string_view text)
{
    return { field, about(field, text) + " is too large" };
}

Error Error::parameterTooLarge(Field field, std::string_view text, std::string_view parameter)
{
    return { field, about(field, text) + " makes " + std::string(parameter) + " too large" };
}

} // namespace quorvex
