#include "LineReader.h"

#include "Message.h"
#include "NumberScanner.h"
#include "TextDecoding.h"

#include <algorithm>
#include <cctype>
#include <span>
#include <utility>

namespace quorvex::detail {
namespace {

    // A run of characters between separators (white space, brackets, ";") and commas, with what
    // stood between it and the run before.
    struct Atom
    {
        std::string_view text;
        int commasBefore = 0;
        bool separatorBefore = false;
        bool lineBreakBefore = false;
    };

    enum class Kind : unsigned char { Text, Comma, Separator, LineBreak };

    // What the character at pos is, and its length in bytes.
    Kind kindAt(std::string_view line, std::size_t pos, std::size_t &length)
    {
        // Most lines are ASCII: a table answers for their bytes without decoding.
        static constexpr auto ascii = [] {
            std::array<Kind, 128> kinds {};
            for (const char c : std::string_view(" \t[](){};"))
                kinds[static_cast<std::size_t>(c)] = Kind::Separator;
            for (const char c : std::string_view("\n\v\f\r"))
                kinds[static_cast<std::size_t>(c)] = Kind::LineBreak;
            kinds[','] = Kind::Comma;
            return kinds;
        }();
        const auto byte = static_cast<unsigned char>(line[pos]);
        if (byte < 0x80) {
            length = 1;
            return ascii[byte];
        }
        const auto c = characterAt(line, pos);
        length = c.length;
        return isLineBreak(c.code) ? Kind::LineBreak
            : isWhiteSpace(c.code) ? Kind::Separator
                                   : Kind::Text;
    }

    // Splits the line into atoms, as many as fit; returns how many it found.
    std::size_t split(std::string_view line, std::span<Atom> atoms)
    {
        std::size_t count = 0, length = 0;
        Atom atom;
        for (std::size_t pos = 0; pos < line.size() && count < atoms.size(); pos += length) {
            switch (kindAt(line, pos, length)) {
            case Kind::Comma:
                ++atom.commasBefore;
                break;
            case Kind::LineBreak:
                atom.lineBreakBefore = true;
                [[fallthrough]];
            case Kind::Separator:
                atom.separatorBefore = true;
                break;
            case Kind::Text: {
                std::size_t end = pos + length, next = 0;
                while (end < line.size() && kindAt(line, end, next) == Kind::Text)
                    end += next;
                atom.text = line.substr(pos, end - pos);
                atoms[count++] = std::exchange(atom, {});
                length = end - pos;
                break;
            }
            }
        }
        return count;
    }

    // Values as they stand in the line, at most nine.
    struct Values
    {
        std::array<std::string_view, 9> texts;
        std::size_t count = 0;
        void add(std::string_view text) { texts[count++] = text; }
        bool full() const { return count == texts.size(); }
    };

    enum class Fit { Yes, No, Mixed };

    // Commas as separators, as a script's list or a CSV row has them: one comma between each two
    // of the values, or a line break between rows.
    Fit commasSeparate(std::span<const Atom> atoms, Values &values)
    {
        for (const auto &atom : atoms.first(std::min(atoms.size(), values.texts.size()))) {
            const bool separated
                = atom.commasBefore == 1 || (atom.commasBefore == 0 && atom.lineBreakBefore);
            if (values.count > 0 && !separated)
                return Fit::No;
            values.add(atom.text);
        }
        return Fit::Yes;
    }

    // Commas as decimal points, as a spreadsheet in a comma locale writes them: a comma stands
    // only between two digits, once in a value, and no value has a decimal point as well.
    Fit commasAreDecimalPoints(std::span<const Atom> atoms, Values &values)
    {
        bool comma = false, point = false;
        for (std::size_t i = 0; i < atoms.size() && !values.full(); ++i) {
            if (atoms[i].commasBefore > 0)
                return Fit::No;
            auto value = atoms[i].text;
            const bool joined = i + 1 < atoms.size() && atoms[i + 1].commasBefore > 0
                && !atoms[i + 1].separatorBefore;
            if (joined) {
                const auto next = atoms[++i].text;
                if (atoms[i].commasBefore > 1
                    || !std::isdigit(static_cast<unsigned char>(value.back()))
                    || !std::isdigit(static_cast<unsigned char>(next.front())))
                    return Fit::No;
                value = { value.data(),
                    static_cast<std::size_t>(next.data() + next.size() - value.data()) };
                comma = true;
            }
            point |= value.find('.') != std::string_view::npos;
            values.add(value);
            // A comma that follows the ninth value without a blank still belongs to it.
            if (values.full() && i + 1 < atoms.size() && atoms[i + 1].commasBefore > 0
                && !atoms[i + 1].separatorBefore)
                return Fit::No;
        }
        if (point)
            return comma ? Fit::Mixed : Fit::No;
        return Fit::Yes;
    }

    // The leading number of each value; a short line keeps its last value in r33, as the line
    // "1 2 3" always has.
    std::variant<Parameters, Error> read(const Values &values, std::string_view decimalPoint)
    {
        Parameters parameters {};
        for (std::size_t i = 0; i < values.count; ++i) {
            const auto scan = scanNumber(values.texts[i], decimalPoint);
            if (!scan.value)
                return errorAbout(Field::Matrix, values.texts[i], " is too large");
            parameters[i + 1 == values.count ? parameters.size() - 1 : i] = *scan.value;
        }
        return parameters;
    }

    bool sameReading(
        const std::variant<Parameters, Error> &a, const std::variant<Parameters, Error> &b)
    {
        if (a.index() != b.index())
            return false;
        if (const auto *error = std::get_if<Error>(&a))
            return error->message == std::get<Error>(b).message;
        return std::get<Parameters>(a) == std::get<Parameters>(b);
    }

} // namespace

std::variant<Parameters, Error> parseLine(std::string_view line)
{
    if (std::none_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return errorAbout(Field::Matrix, line, " holds no parameter line");
    // Nine values take at most eighteen atoms when commas join halves of numbers; one more shows
    // whether a third half follows.
    std::array<Atom, 19> storage;
    const std::span<const Atom> atoms(storage.data(), split(line, storage));

    // Without a comma among the first nine values the line reads as it always has.
    const auto first = atoms.first(std::min<std::size_t>(atoms.size(), 9));
    if (std::none_of(
            first.begin(), first.end(), [](const Atom &atom) { return atom.commasBefore > 0; })) {
        Values values;
        for (const auto &atom : first)
            values.add(atom.text);
        return read(values, ".");
    }
    // Otherwise the comma is a decimal point or a separator, whichever the line supports; where
    // both fit and give different values, or neither fits, the line is refused: a wrong guess
    // would give the angles of another matrix.
    Values decimals, separated;
    const auto asDecimals = commasAreDecimalPoints(atoms, decimals);
    const auto asSeparators = commasSeparate(atoms, separated);
    if (asDecimals == Fit::Yes && asSeparators == Fit::Yes) {
        auto reading = read(decimals, ",");
        if (!sameReading(reading, read(separated, ".")))
            return errorAbout(Field::Matrix, line,
                " is unclear: its commas could be decimal commas or separators");
        return reading;
    }
    if (asDecimals == Fit::Yes)
        return read(decimals, ",");
    if (asSeparators == Fit::Yes)
        return read(separated, ".");
    if (asDecimals == Fit::Mixed)
        return errorAbout(Field::Matrix, line, " mixes decimal commas and decimal points");
    return errorAbout(Field::Matrix, line,
        " has commas that are neither decimal commas nor separators between values");
}

} // namespace quorvex::detail
