#include "reader/Declarations.h"

#include "reader/Tokens.h"
#include "text/Message.h"
#include "text/TextDecoding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace quorvex::detail {
namespace {

    // Where a name stands, or what a mark follows.
    enum class Shape : unsigned char {
        Phrase, // a word, or words in a row, anywhere: "column-major", "by columns"
        Stem, // the beginning of a word, or a word
        Call, // a name before "(": "t(", "mat3("
        Index, // a name before "[": "Transpose["
        Attribute, // a name after "." after a name or a bracket: ".T", ".reshape("
        Template, // a name before "<": "Map<"
        Argument, // a name before "=" among the arguments of a call that binds them: "order="
        Key, // a YAML or JSON key, an XML element, or a named argument: "data:", "<rows>"
        Statement, // the first word of a Fortran statement: "DATA R / … /", "print *, R"
        Superscript, // after "^", braces and backslashes left out: "^T", "^{-1}", "^{\top}"
        Mark, // right after a name or a bracket: MATLAB's "'", "ᵀ", "⁻¹"; R's product "%*%"
    };
    constexpr std::size_t Shapes = static_cast<std::size_t>(Shape::Mark) + 1;

    enum class Effect : unsigned char {
        Rows,
        Columns, // the text lists its values so
        ColumnsList, // its values are the call's, the key's or the statement's, by columns
        List, // its values are the key's, by rows
        RowCount,
        ColumnCount, // a size of the list, or of a list of rows or columns: "rows: ["
        Change, // makes another matrix of the values written: a transpose, an inverse
        OrderWord, // may say that the values are listed by columns: unclear, unless explained
        ChangeWord, // may say that the values are another matrix's: unclear
        Neutral, // explains a word, and says nothing
        // Arguments that say how the values are listed, by their names or places:
        RMatrix, // matrix(data, nrow, ncol, byrow): by columns unless byrow
        RArray, // array(data, dim), structure(data, dim = …): by columns
        Reshape, // reshape(…, order = 'F'), order = [2, 1]: as the order says
        Stack, // stack(…, axis = 1): by columns
        Map, // Map<Matrix3d>(data): by columns, unless its type says RowMajor
        Simd, // simd_double3x3([…]): by columns, unless its argument is named rows
    };

    struct Rule
    {
        Shape shape;
        std::string_view names;
        Effect effect;
    };

    using enum Shape;
    using enum Effect;
    // What tools write about a matrix's values: in each row a shape, its names between "|", and
    // what they do. A name is matched in lower case without "_" ("Column_Stack" is "columnstack"),
    // one of two letters or less as it is written ("T", "mT"); a phrase's words stand between
    // single blanks. A stem ends in "*", or begins with it where it may stand anywhere in a word
    // of a script written without blanks; one that ends in "#" names a column or a row only with
    // a number after it ("c1", "Row 2").
    constexpr Rule Table[] {
        { Phrase,
            "column major|columnmajor|col major|colmajor|column wise|columnwise|col wise|colwise|"
            "by column|by columns|column by column|column order|fortran order",
            Columns },
        { Phrase, "row major|rowmajor|row wise|rowwise|by row|by rows|row by row|row order|c order",
            Rows },
        { Phrase, "chuyển vị|nghịch đảo", ChangeWord }, // Vietnamese, whose words are syllables
        // The families of words about columns, orders, transposes and inverses, in English and
        // in the languages of the users' desktops.
        { Stem,
            "colum*|col|cols|c#|e#|axis|axes|fortran*|order*|contiguous*|layout*|fastest|slowest|"
            "colonn*|coluna*|coloan*|spalte*|kolum*|kolom*|kolonn*|søjle*|sloup*|stĺp*|stup*|"
            "stolp*|stulpel*|veerg*|sarak*|oszlop*|sütun*|cột|столб*|стовп*|колон*|στηλ*|열|*列*|"
            "*عمود*|*أعمد*|*اعمد*|*עמוד*|*ستون*|*स्तंभ*|*कॉलम*|*คอลัมน์*",
            OrderWord },
        { Stem, "row#|r#", Rows },
        { Stem,
            "transpos*|transpon*|traspo*|traspu*|getranspon*|transzpon*|devrik|invers*|invert*|"
            "inverz*|inv|ters|käänteis*|transpus*|transpoos*|odwrotn*|adjoint*|adjugate*|"
            "транспон*|обратн*|обернен*|αναστροφ*|αντιστροφ*|*転置*|*转置*|*逆*|*전치*|*역행렬*|"
            "*منقول*|*معكوس*|*משוחלפ*|*שחלוף*|*הופכי*|*ترانهاده*|*وارون*|*परिवर्त*|*व्युत्क्रम*",
            ChangeWord },
        { Stem, "*行列*", Neutral }, // a matrix in Japanese, whose 列 is no column
        { Call,
            "t|transpose|solve|inv|inverse|pinv|ginv|adjoint|aperm|crossprod|tcrossprod|"
            "ctranspose|invert|swapaxes|permute|permutedims|mattranspose|minverse|mmult|matmul|eye",
            Change },
        { Index, "transpose|inverse|conjugatetranspose|pseudoinverse", Change },
        { Attribute, "T|t|I|H|mT|transpose|transposed|inverse|inverted|invert|inv|adjoint",
            Change },
        { Call, "columnstack|hcat|cbind|vec|glloadmatrix*|glmultmatrix*", Columns },
        { Attribute, "fromarray", Columns },
        { Attribute, "data", OrderWord }, // Eigen's R.data(): the storage, in its order
        { Call, "mat3|mat4|mat3x3|mat4x4|dmat3|dmat4|dmat3x3|dmat4x4|mat3x3f|mat4x4f",
            ColumnsList },
        { Template, "mat3|mat4|mat3x3|mat4x4", Columns }, // WGSL's "mat3x3<f32>(…)"
        // Calls that take or print columns in one language and rows in another: shading
        // languages' constructors, MATLAB's fprintf(…, R), which walks R by columns where C's
        // prints what it is given, NumPy's hstack(…) of lists and Excel's of columns, a basis of
        // axes.
        { Call, "float3x3|float4x4|double3x3|half3x3|fprintf|sprintf|hstack|basis", OrderWord },
        { Call, "simdfloat3x3|simddouble3x3|simdfloat4x4|simddouble4x4", Simd },
        { Call, "matrix", RMatrix }, { Call, "array|structure", RArray },
        { Call, "reshape", Reshape }, { Attribute, "reshape|flatten|ravel", Reshape },
        { Call, "stack", Stack }, { Template, "map", Map }, { Argument, "order|axis|dim", Neutral },
        { Key, "data", List }, { Key, "elements", ColumnsList }, { Key, "rows", RowCount },
        { Key, "cols|columns", ColumnCount }, { Statement, "data", ColumnsList },
        { Statement, "print|write", Columns },
        { Superscript, "T|t|H|-1|(-1)|-T|-t|top|-top|intercal|mathsft|mathrmt|textt|dagger|⊤|-⊤|†",
            Change },
        { Mark, "'|.'|ᵀ|ᵗ|ᴴ|⊤|⁻¹|†|~|%*%", Change }, // "~": PARI's transpose
        { Mark, "(:)", Columns }, // MATLAB's R(:), its columns one below the other
    };

    // A word in lower case, without "_". Latin, Greek and Cyrillic capitals are lowered, and
    // Greek vowels lose their accents, which capitals drop; a Greek or Cyrillic letter is two bytes
    // long, and so is its small letter.
    std::string folded(std::string_view word)
    {
        constexpr std::u32string_view Accented = U"ΆΈΉΊΌΎΏάέήίόύώ", Plain = U"αεηιουωαεηιουω";
        std::string result;
        result.reserve(word.size());
        for (std::size_t pos = 0; pos < word.size();) {
            if (static_cast<unsigned char>(word[pos]) < 0x80) {
                if (word[pos] != '_')
                    result += asciiLower(word[pos]);
                ++pos;
                continue;
            }
            const auto c = characterAt(word, pos);
            auto lower = c.code
                + ((c.code >= 0x391 && c.code <= 0x3A9) || (c.code >= 0x410 && c.code <= 0x42F)
                        ? 0x20
                        : c.code >= 0x400 && c.code <= 0x40F ? 0x50
                                                             : 0);
            if (const auto accent = Accented.find(lower); accent != std::u32string_view::npos)
                lower = Plain[accent];
            if (lower != c.code)
                result.append({ static_cast<char>(0xC0 | lower >> 6),
                    static_cast<char>(0x80 | (lower & 0x3F)) });
            else
                result.append(word.substr(pos, c.length));
            pos += c.length;
        }
        return result;
    }

    // One name of the table, as it is matched.
    struct Name
    {
        enum class Match : unsigned char {
            Whole, // the whole word, in lower case
            AsWritten, // the whole word as it is written: a name of two letters or less
            Beginning, // the beginning of the word: a stem that ends in "*"
            Anywhere, // anywhere in the word: a stem between "*"
            Numbered, // the whole word, before a number: a stem that ends in "#"
        };
        std::string_view text;
        Match match;
        const Rule *rule;
    };

    // The table's names of each shape by the byte they begin with, in the table's order among
    // those of one byte; those that may stand anywhere in a word under 0. A word is compared with
    // the few names that begin as it does, of the hundred or so of the shape, and parsed once.
    struct Names
    {
        std::array<std::vector<Name>, Shapes> byShape;
        std::array<std::array<std::uint16_t, 257>, Shapes>
            runs {}; // byte b's: [runs[b], runs[b+1])
        std::vector<std::string_view> neutral; // words that hold a family's stem and say nothing

        std::span<const Name> beginning(Shape shape, char first) const
        {
            const auto at = static_cast<std::size_t>(shape);
            const auto byte = static_cast<unsigned char>(first);
            return std::span(byShape[at])
                .subspan(runs[at][byte], runs[at][byte + 1U] - runs[at][byte]);
        }
    };
    const Names &names()
    {
        static const Names parsed = [] {
            Names all;
            const auto keyOf = [](const Name &name) {
                return name.match == Name::Match::Anywhere
                    ? 0U
                    : static_cast<unsigned char>(name.text[0]);
            };
            for (const auto &rule : Table) {
                for (std::size_t at = 0, end = 0; end != std::string_view::npos; at = end + 1) {
                    end = rule.names.find('|', at);
                    auto name = rule.names.substr(at, end - at);
                    auto match = name.size() <= 2 ? Name::Match::AsWritten : Name::Match::Whole;
                    if (name.size() > 1 && name.starts_with('*') && name.ends_with('*'))
                        match = Name::Match::Anywhere, name = name.substr(1, name.size() - 2);
                    else if (name.size() > 1 && name.ends_with('*'))
                        match = Name::Match::Beginning, name.remove_suffix(1);
                    else if (name.ends_with('#'))
                        match = Name::Match::Numbered, name.remove_suffix(1);
                    all.byShape[static_cast<std::size_t>(rule.shape)].push_back(
                        { name, match, &rule });
                    if (rule.effect == Neutral && rule.shape == Stem)
                        all.neutral.push_back(name);
                }
            }
            for (std::size_t shape = 0; shape < Shapes; ++shape) {
                auto &runs = all.runs[shape];
                std::ranges::stable_sort(all.byShape[shape], {}, keyOf);
                for (const auto &name : all.byShape[shape])
                    ++runs[keyOf(name) + 1];
                std::partial_sum(runs.begin(), runs.end(), runs.begin());
            }
            return all;
        }();
        return parsed;
    }

    struct Match
    {
        const Rule *rule = nullptr;
        bool numbered = false; // a stem that names a column or a row only before a number
    };

    // The row of the table for a name in a shape, the first in the table's order that it matches;
    // `foldedName` is the name folded, where the caller has it.
    Match ruleFor(Shape shape, std::string_view name, const std::string *foldedName = nullptr)
    {
        const auto &all = names();
        if (name.empty()
            || (all.beginning(shape, name[0]).empty()
                && all.beginning(shape, asciiLower(name[0])).empty()
                && all.beginning(shape, '\0').empty()))
            return {};
        std::string own;
        const std::string &lower = foldedName ? *foldedName : (own = folded(name));
        const Name *first = nullptr;
        const auto earliest = [&](std::span<const Name> candidates) {
            for (const auto &each : candidates) {
                using enum Name::Match;
                const bool matched = each.match == Anywhere
                    ? lower.find(each.text) != std::string::npos
                    : each.match == AsWritten ? name == each.text
                    : each.match == Beginning ? lower.starts_with(each.text)
                                              : lower == each.text;
                if (matched && (!first || each.rule < first->rule))
                    first = &each;
                if (matched)
                    return;
            }
        };
        earliest(all.beginning(shape, lower[0]));
        earliest(all.beginning(shape, name[0])); // "T", "mT": as written
        // The stems that stand anywhere in a word are of scripts written without blanks.
        if (std::ranges::any_of(name, [](char c) { return (c & 0x80) != 0; }))
            earliest(all.beginning(shape, '\0'));
        if (!first)
            return {};
        return { first->rule, first->match == Name::Match::Numbered };
    }

    // Whether a phrase of the table may begin with the word folded.
    bool mayBeginPhrase(std::string_view word)
    {
        return !word.empty() && !names().beginning(Phrase, word[0]).empty();
    }

    // A whole number, as a size is written ("3", the 3 of R's "3L"); 0 for any other.
    std::size_t wholeNumber(std::string_view text)
    {
        std::size_t number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        return error == std::errc() && end == text.data() + text.size() ? number : 0;
    }

    // What a scan has found: the first text of each kind.
    struct Findings
    {
        std::string_view byRows, byColumns; // what declares either order
        std::string_view change; // code or a mark that changes the values written
        std::string_view orderWord, changeWord; // words of the families that nothing explains
        std::string_view undecided; // an argument of the order that says neither: "byrow = b"
        std::string_view byDefault; // reshape(…) without an order
        std::string_view overfull; // a call with more arguments than a binder keeps
        std::string_view sideBySide; // "] [": lists side by side, which some tools join as columns
        std::string_view storage; // a storage option, which a comma initializer ("R << …") needs
        std::string_view nestedData; // "data: [[…]]" without rows and columns
        std::size_t lists = 0, nested = 0; // lists of values declared; lists of lists at the top
        bool valuesAfterList = false; // numbers after the call that lists the values
        bool commaInitializer = false, columnVectors = false;
        std::string_view list;
        DeclaredShape shape, keys;
        std::string_view rowsKey;

        void declare(Order order, std::string_view said)
        {
            auto &first = order == Order::Rows ? byRows : byColumns;
            first = first.empty() ? said : first;
        }
        void changed(std::string_view said) { change = change.empty() ? said : change; }
        // What a row of the table that changes the values or declares their order says, by
        // `said` or by the word of it; whether it is such a row.
        bool note(const Rule &rule, std::string_view said, std::string_view word)
        {
            if (rule.effect == Change)
                changed(said);
            else if (rule.effect == Columns)
                declare(Order::Columns, said);
            else if (rule.effect == OrderWord)
                orderWord = orderWord.empty() ? word : orderWord;
            return rule.effect == Change || rule.effect == Columns || rule.effect == OrderWord;
        }
        void listed(std::string_view values)
        {
            ++lists;
            list = values;
        }
    };

    // The words of a text in parts ("ColMajor" is "col" and "major", "col1" is "col" and a
    // number), the last three of them in a window matched against the table's phrases. A part of
    // a family that no phrase or name explains makes the text unclear; a column's or a row's name
    // ("col1", "Column 2", "r3") says what its line is, where the line holds values besides.
    class Phrases
    {
    public:
        // A part of `word`; `joined` where only blanks or "-" stand between it and the last part.
        void add(std::string_view word, std::string_view part, bool joined, bool storage,
            Findings &found)
        {
            if (!joined)
                flush(found);
            if (m_count == m_window.size()) {
                judge(m_window[0], found);
                std::shift_left(m_window.begin(), m_window.end(), 1);
                --m_count;
            }
            m_window[m_count++] = { word, folded(part) };
            // The longest phrase that ends here explains its parts.
            for (std::size_t n = m_count; n > 0; --n) {
                if (!mayBeginPhrase(m_window[m_count - n].folded))
                    continue;
                std::string phrase;
                for (std::size_t i = m_count - n; i < m_count; ++i)
                    phrase.append(i == m_count - n ? "" : " ").append(m_window[i].folded);
                const auto *rule = ruleFor(Phrase, phrase, &phrase).rule;
                if (!rule)
                    continue;
                for (std::size_t i = m_count - n; i < m_count; ++i)
                    m_window[i].explained = true;
                // A storage option of C++ (in template arguments, or after "::") says how memory
                // holds the values, not how the text lists them: "Eigen::ColMajor".
                const auto said = spanning(m_window[m_count - n].word, word);
                if (rule->effect == ChangeWord)
                    found.changeWord = found.changeWord.empty() ? said : found.changeWord;
                else if (storage)
                    m_storage = { word, rule->effect == Rows };
                else
                    found.declare(rule->effect == Rows ? Order::Rows : Order::Columns, said);
                break;
            }
        }
        void numberFollows(bool numbers = true)
        {
            if (m_count > 0 && numbers)
                m_window[m_count - 1].numbered = true;
        }
        // The parts of the last word are explained by a name of the table.
        void explainLastWord()
        {
            for (auto i = m_count; i > 0 && m_window[i - 1].word == m_window[m_count - 1].word; --i)
                m_window[i - 1].explained = true;
        }
        void flush(Findings &found)
        {
            for (std::size_t i = 0; i < m_count; ++i)
                judge(m_window[i], found);
            m_count = 0;
        }
        void endLine(bool values, Findings &found)
        {
            if (values && !m_columnName.empty())
                found.declare(Order::Columns, m_columnName);
            if (values && !m_rowName.empty())
                found.declare(Order::Rows, m_rowName);
            m_columnName = m_rowName = {};
        }
        // The storage option said since the last call, and whether it is row-major; clears it.
        std::pair<std::string_view, bool> storage() { return std::exchange(m_storage, {}); }

    private:
        struct Part
        {
            std::string_view word;
            std::string folded;
            bool explained = false, numbered = false;
        };
        void judge(const Part &part, Findings &found)
        {
            if (part.explained)
                return;
            // Words that hold a family's stem and mean something else are left out first.
            auto text = part.folded;
            for (const auto neutral : names().neutral) {
                for (std::size_t at; (at = text.find(neutral)) != std::string::npos;)
                    text.erase(at, neutral.size());
            }
            const auto match = ruleFor(Stem, text, &text);
            if (!match.rule || (match.numbered && !part.numbered))
                return;
            if (part.numbered || match.rule->effect == Rows) {
                auto &name = match.rule->effect == Rows ? m_rowName : m_columnName;
                name = name.empty() ? part.word : name;
            } else {
                auto &first = match.rule->effect == OrderWord ? found.orderWord : found.changeWord;
                first = first.empty() ? part.word : first;
            }
        }

        std::array<Part, 3> m_window;
        std::size_t m_count = 0;
        std::pair<std::string_view, bool> m_storage;
        std::string_view m_columnName, m_rowName;
    };

    // A call whose arguments say how its values are listed, while the scan is inside it.
    struct Frame
    {
        struct Argument
        {
            std::string_view name, text, word; // word: its first, "TRUE" of "byrow = TRUE"
            std::string_view list; // the values of a c(…) or a […] in it
            std::size_t listBegin = 0;
            bool squareList = false; // Scilab's "[…]", not R's "c(…)"
            std::array<std::size_t, 2> numbers {}; // its first whole numbers, inside c(…) too
            std::size_t count = 0;
        };
        Effect binder;
        std::size_t depth; // of its bracket
        std::size_t contents; // where what its bracket holds begins
        std::string_view said; // "matrix(", "Map<"
        bool method = false; // NumPy's array.reshape(…), by rows unless told otherwise
        std::array<Argument, 5> arguments {}; // R's matrix(…) takes five, the most of any
        std::size_t argument = 0;
        bool namedBeyond = false; // a named argument after those kept

        // The argument of that name, or else the unnamed one in that place.
        const Argument *find(std::string_view name, std::size_t place = SIZE_MAX) const
        {
            for (const auto &each : arguments) {
                if (!each.name.empty() && folded(each.name) == name)
                    return &each;
            }
            return place < arguments.size() && arguments[place].name.empty()
                    && !arguments[place].text.empty()
                ? &arguments[place]
                : nullptr;
        }
    };

    // What a call whose bracket closes now declares, by its arguments.
    void bind(const Frame &frame, Findings &found, bool rowMajor, std::string_view contents)
    {
        // A named argument beyond those kept might be the one that says the order; values
        // beyond them are only values ("Matrix(0.81, -0.47, …)").
        if (frame.namedBeyond) {
            found.overfull = found.overfull.empty() ? frame.said : found.overfull;
            return;
        }
        switch (frame.binder) {
        case ColumnsList:
            found.listed(contents);
            found.declare(Order::Columns, frame.said);
            return;
        case RMatrix:
        case RArray: {
            const auto *data = frame.find("data", 0);
            const auto *dim = frame.find("dim", frame.said.starts_with("array") ? 1 : SIZE_MAX);
            const auto *rows = frame.find("nrow", 1), *columns = frame.find("ncol", 2);
            // No c(…) of values, or a vector: structure(c(…)) without dimensions; a […] of
            // values with its sizes ("matrix([…], 3, 3)"), not NumPy's "matrix([[…], …])".
            const bool sized
                = dim || (rows && rows->numbers[0]) || (columns && columns->numbers[0]);
            if (!data || data->list.empty() || (frame.binder == RArray && !dim)
                || (data->squareList && !sized))
                return;
            found.shape = dim
                ? DeclaredShape { dim->numbers[0], dim->numbers[1] }
                : DeclaredShape { rows ? rows->numbers[0] : 0, columns ? columns->numbers[0] : 0 };
            const auto *byRow = frame.binder == RMatrix ? frame.find("byrow", 3) : nullptr;
            if (byRow && (byRow->word == "TRUE" || byRow->word == "T"))
                found.declare(Order::Rows, byRow->text);
            else if (byRow && byRow->word != "FALSE" && byRow->word != "F")
                found.undecided = byRow->text;
            else
                found.declare(Order::Columns, frame.said);
            found.listed(data->list);
            return;
        }
        case Reshape: {
            // The order by its name, or alone in its place: "flatten('F')", "reshape(a, 9, 'F')".
            const auto *order = frame.find("order");
            for (const auto &each : frame.arguments) {
                if (!order && each.name.empty() && each.text.size() == 3
                    && (each.word == "F" || each.word == "C"))
                    order = &each;
            }
            const auto numbers = order ? order->numbers : std::array<std::size_t, 2> {};
            if (order && (order->word == "F" || numbers == std::array<std::size_t, 2> { 1, 2 }))
                found.declare(Order::Columns, order->text);
            else if (order
                && (order->word == "C" || numbers == std::array<std::size_t, 2> { 2, 1 }))
                found.declare(Order::Rows, order->text);
            else if (!frame.method)
                found.byDefault = frame.said;
            return;
        }
        case Stack:
            if (const auto *axis = frame.find("axis") ? frame.find("axis") : frame.find("dim");
                axis && axis->numbers[0] == 1)
                found.declare(Order::Columns, frame.said);
            return;
        case Map:
            found.declare(rowMajor ? Order::Rows : Order::Columns, frame.said);
            return;
        case Simd:
            if (!frame.find("rows"))
                found.declare(Order::Columns, frame.said);
            return;
        default:
            return;
        }
    }

    // A superscript that transposes or inverts, after "^": "T", "{-1}", "{\mathsf{T}}". Its length,
    // or 0; it looks no further than such a superscript goes.
    std::size_t superscriptLength(std::string_view text, std::size_t pos)
    {
        std::string name;
        std::size_t k = pos;
        for (; k < text.size() && k < pos + 20; ++k) {
            const char c = text[k];
            if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == ',' || c == ';')
                break;
            if (c != '{' && c != '}' && c != '\\')
                name += c;
        }
        return ruleFor(Superscript, name).rule ? k - pos : 0;
    }

    // The scan: every token looked at once, in order, with the two before it.
    class Scan
    {
    public:
        explicit Scan(std::string_view text)
            : m_text(text)
        { }

        void take(const Token &t);
        void finish()
        {
            m_phrases.flush(found);
            m_phrases.endLine(m_lineValues, found);
            found.storage = m_phrases.storage().first;
            if (m_negation == Negation::Closed)
                found.changed(m_negated);
            if (!m_prime.empty())
                found.changed(m_prime);
        }

        Findings found;

    private:
        void word(const Token &t);
        void open(const Token &t);
        void close(const Token &t);
        void argument(const Token &t);
        void key(const Token &t);
        void mark(const Token &t);
        void negation(const Token &t);
        bool is(const Token &t, TokenKind kind, std::string_view text = {}) const
        {
            return t.kind == kind && (text.empty() || t.text == text);
        }
        std::size_t offset(const Token &t) const
        {
            return static_cast<std::size_t>(t.text.data() - m_text.data());
        }
        std::size_t end(const Token &t) const { return offset(t) + t.text.size(); }

        std::string_view m_text;
        Token m_last, m_beforeLast;
        bool m_first = true;
        Phrases m_phrases;
        std::array<Frame, 4> m_frames {};
        std::size_t m_frameCount = 0, m_templates = 0, m_quotesOnLine = 0;
        std::array<char, Tokens::MostDepth> m_brackets {}; // the brackets open, by depth
        std::size_t m_valuesInPart = 0; // numbers since the last bracket or ";"
        bool m_lineValues = false, m_remark = false, m_afterList = false, m_keyCandidate = false;
        // What a key or a statement announces for the token after it: a size ("rows: 3"), a list
        // of rows or columns ("rows: ["), or a list of values after "[" ("data: [") or "/"
        // ("DATA R / …"); a list of values runs to its bracket's close, its "/", or "</data>".
        enum class Pending : unsigned char { None, Size, Bracket, Xml, Slash } m_pending {},
            m_expected {};
        std::pair<Effect, std::string_view> m_key; // the last key of the table, and its name
        struct ListMark
        {
            Pending kind = Pending::None;
            std::size_t begin = 0, depth = 0;
            Effect effect = List;
        } m_list;
        // A minus before the whole of the values: armed by the sign, then a call, a member or a
        // bracket it stands before.
        enum class Negation : unsigned char { None, Armed, Word, Bracket, Closed } m_negation {};
        std::string_view m_negated, m_prime;
        std::string_view m_declaredType; // the type of the variable just named: "glm::mat3 R"
        std::size_t m_negatedDepth = 0;
    };

    void Scan::word(const Token &t)
    {
        const bool joined = !m_first && !t.lineStart
            && ((is(m_last, TokenKind::Word) && !t.glued)
                || (is(m_last, TokenKind::Sign, "-") && t.glued && m_last.glued
                    && is(m_beforeLast, TokenKind::Word)));
        const bool storage = m_templates > 0
            || (t.glued && is(m_last, TokenKind::Colon) && is(m_beforeLast, TokenKind::Colon));
        // The parts of the word: "ColMajor" is "Col" and "Major", "col_1" and "col1" are "col"
        // and a number.
        const auto kindOf = [](char c) { return isDigit(c) ? 0 : c >= 'A' && c <= 'Z' ? 1 : 2; };
        for (std::size_t begin = 0, end = 1; begin < t.text.size(); begin = end++) {
            while (end < t.text.size() && t.text[end] != '_' && t.text[begin] != '_'
                && (kindOf(t.text[end]) == kindOf(t.text[end - 1])
                    || (kindOf(t.text[end - 1]) == 1 && kindOf(t.text[end]) == 2)))
                ++end;
            // A single digit that ends a word of two parts numbers it: "c1", "col_2", "Row3".
            if (kindOf(t.text[begin]) == 0)
                m_phrases.numberFollows(end - begin == 1 && end == t.text.size()
                    && t.text.find_first_of("0123456789") == begin);
            else if (t.text[begin] != '_')
                m_phrases.add(
                    t.text, t.text.substr(begin, end - begin), joined || begin > 0, storage, found);
        }
        const bool attribute = is(m_last, TokenKind::Point) && t.glued && m_last.glued
            && (is(m_beforeLast, TokenKind::Word) || is(m_beforeLast, TokenKind::Close));
        if (const auto *rule = attribute ? ruleFor(Attribute, t.text).rule : nullptr) {
            m_phrases.explainLastWord();
            found.note(*rule, spanning(m_last.text, t.text), t.text);
        }
        // Fortran's statements list an array by columns: "DATA R / 1., 0., … /", "print *, R",
        // "write(*, '(3F10.6)') R".
        if (const auto *statement
            = is(m_last, TokenKind::Word) ? ruleFor(Statement, m_last.text).rule : nullptr;
            statement && statement->effect == ColumnsList)
            m_pending = Pending::Slash;
        const auto after = m_text.substr(end(t), 2);
        if (const auto *rule = ruleFor(Statement, t.text).rule;
            rule && rule->effect == Columns && (after == " *" || after == "(*"))
            found.declare(Order::Columns, m_text.substr(offset(t), t.text.size() + 2));
        // A key begins its line, maybe after a remark's mark ("# rows: 3"), or follows "{", "("
        // or ",", maybe in quotes.
        const auto &before = is(m_last, TokenKind::Quote) ? m_beforeLast : m_last;
        m_keyCandidate = t.lineStart
            || ((is(m_last, TokenKind::Quote) || is(m_last, TokenKind::Mark)) && m_last.lineStart)
            || is(before, TokenKind::Comma)
            || (is(before, TokenKind::Open) && (before.bracket == '{' || before.bracket == '('))
            || is(m_last, TokenKind::Rule, "<");
    }

    void Scan::open(const Token &t)
    {
        m_valuesInPart = 0;
        m_brackets[t.depth] = t.bracket;
        if (is(m_last, TokenKind::Open, "[") && m_last.depth == 0 && t.bracket == '[')
            ++found.nested;
        // "[[1, 0, 0] [0, 1, 0] …]": lists set side by side, not separated.
        if (is(m_last, TokenKind::Close, "]") && t.bracket == '[' && !t.glued && !t.lineStart
            && t.depth > 0 && found.sideBySide.empty())
            found.sideBySide = spanning(m_last.text, t.text);
        if (m_expected == Pending::Bracket && t.bracket == '[')
            m_list = { Pending::Bracket, end(t), t.depth, m_key.first };
        // "rows: [": a list of rows; "columns: (": of columns.
        if (m_expected == Pending::Size)
            found.declare(m_key.first == RowCount ? Order::Rows : Order::Columns, m_key.second);
        // "data: [[…], …]" without "rows" and "cols": rows in one tool's files, columns in
        // another's.
        if (m_list.kind == Pending::Bracket && m_list.depth + 1 == t.depth && m_list.effect == List
            && is(m_last, TokenKind::Open, "[") && offset(m_last) + 1 == m_list.begin)
            found.nestedData = m_key.second;
        m_templates += t.bracket == '<' ? 1U : 0U;
        if (t.bracket == '(')
            mark(t); // "R(:)"
        // A call may have a blank before its "(", as R allows ("matrix (c(…))", "t (R)"); an
        // index or template arguments may not. C++ builds a value of a type from braces as from
        // parentheses ("glm::mat3{…}"), and a variable declared with a type by the type's
        // constructor: "glm::mat3 R(…)", "glm::mat3 R {…}", "glm::mat3 R = {…}".
        const bool call = t.bracket == '(' || t.bracket == '{';
        const auto declared = call ? m_declaredType : std::string_view();
        if ((!is(m_last, TokenKind::Word) || (!t.glued && !call)) && declared.empty())
            return;
        // A method ("array.reshape(") may mean what a function of the same name does not; a
        // function of a module ("np.column_stack(") is the function.
        const bool method = is(m_beforeLast, TokenKind::Point) && m_last.glued;
        const auto *rule
            = t.bracket == '(' && method ? ruleFor(Attribute, m_last.text).rule : nullptr;
        if (!rule)
            rule = ruleFor(call ? Call : t.bracket == '[' ? Index : Template, m_last.text).rule;
        auto name = m_last.text;
        if (const auto *type = declared.empty() ? nullptr : ruleFor(Call, declared).rule;
            !rule && type && type->effect != Change)
            rule = type, name = declared;
        // Braces make no call of a function.
        if (!rule || (t.bracket == '{' && rule->effect != ColumnsList && rule->effect != OrderWord))
            return;
        m_phrases.explainLastWord();
        const auto said = spanning(method ? m_beforeLast.text : name, t.text);
        // Calls nested deeper than a matrix's are not followed, and may say anything.
        const bool noted = found.note(*rule, said, name);
        if (!noted && m_frameCount == m_frames.size())
            found.orderWord = found.orderWord.empty() ? name : found.orderWord;
        else if (!noted)
            m_frames[m_frameCount++] = { rule->effect, t.depth, end(t), said, method };
        if (rule->effect == Map)
            m_phrases.storage();
    }

    void Scan::close(const Token &t)
    {
        m_templates -= t.bracket == '<' && m_templates > 0 ? 1U : 0U;
        if (m_list.kind == Pending::Bracket && m_list.depth == t.depth) {
            found.listed(m_text.substr(m_list.begin, offset(t) - m_list.begin));
            if (m_list.effect == ColumnsList)
                found.declare(Order::Columns, m_key.second);
            m_list = {};
        }
        if (m_frameCount == 0 || m_frames[m_frameCount - 1].depth != t.depth)
            return;
        const auto &frame = m_frames[--m_frameCount];
        const auto lists = found.lists;
        bind(frame, found, m_phrases.storage().second,
            m_text.substr(frame.contents, offset(t) - frame.contents));
        m_afterList = found.lists > lists;
    }

    // A token among the arguments of the innermost call that binds them.
    void Scan::argument(const Token &t)
    {
        auto &frame = m_frames[m_frameCount - 1];
        const bool top = t.depth == frame.depth + 1;
        if (top && t.kind == TokenKind::Comma) {
            ++frame.argument;
            return;
        }
        const bool naming = top && (t.kind == TokenKind::Equals || t.kind == TokenKind::Colon)
            && is(m_last, TokenKind::Word);
        if (frame.argument >= frame.arguments.size()) {
            frame.namedBeyond = frame.namedBeyond || naming;
            return;
        }
        auto &argument = frame.arguments[frame.argument];
        if (naming && argument.word == m_last.text && argument.name.empty()) {
            // A name that the binder reads is explained by it: "order=" of reshape(…).
            if (ruleFor(Argument, m_last.text).rule)
                m_phrases.explainLastWord();
            argument = {};
            argument.name = argument.text = m_last.text;
            return;
        }
        argument.text = argument.text.empty() ? t.text : spanning(argument.text, t.text);
        if (top && t.kind == TokenKind::Word && argument.word.empty()
            && !(t.text == "L" && t.glued))
            argument.word = t.text;
        if (t.kind == TokenKind::Number && argument.count < argument.numbers.size())
            argument.numbers[argument.count++] = wholeNumber(t.text);
        // R's c(…), whose values are the data or the dimensions, or Scilab's […].
        if (top && t.kind == TokenKind::Open
            && ((t.glued && is(m_last, TokenKind::Word, "c"))
                || (t.bracket == '[' && argument.text.data() == t.text.data()))) {
            argument.listBegin = end(t);
            argument.squareList = t.bracket == '[';
        }
        if (top && t.kind == TokenKind::Close && argument.listBegin > 0 && argument.list.empty())
            argument.list = m_text.substr(argument.listBegin, offset(t) - argument.listBegin);
    }

    // "rows: 3", "\"data\": [", "<cols>3</cols>", "<data>…</data>", Swift's "rows: [".
    void Scan::key(const Token &t)
    {
        const bool xml = t.text == ">" && is(m_beforeLast, TokenKind::Rule, "<");
        if (m_keyCandidate && (t.kind == TokenKind::Colon || xml)) {
            const auto &name = is(m_last, TokenKind::Word) ? m_last : m_beforeLast;
            const auto *rule = ruleFor(Key, name.text).rule;
            if (!rule || name.kind != TokenKind::Word)
                return;
            m_phrases.explainLastWord();
            const bool list = rule->effect == List || rule->effect == ColumnsList;
            m_pending = !list ? Pending::Size : xml ? Pending::None : Pending::Bracket;
            m_key = { rule->effect, name.text };
            if (list && xml)
                m_list = { Pending::Xml, end(t), t.depth };
        } else if (t.text == "<" && m_list.kind == Pending::Xml) {
            found.listed(m_text.substr(m_list.begin, offset(t) - m_list.begin));
            m_list = {};
        }
    }

    void Scan::mark(const Token &t)
    {
        const auto at = offset(t);
        m_remark = m_remark || t.text == "#" || m_text.substr(at, 2) == "//";
        if (t.text == "/" && m_expected == Pending::Slash) {
            m_list = { Pending::Slash, at + 1, t.depth };
        } else if (t.text == "/" && m_list.kind == Pending::Slash) {
            found.listed(m_text.substr(m_list.begin, at - m_list.begin));
            found.declare(Order::Columns, "DATA");
            m_list = {};
        }
        // "^" after a digit is an exponent: "10^-6".
        if (t.text == "^" && !is(m_last, TokenKind::Number)) {
            if (const auto length = superscriptLength(m_text, at + 1))
                found.changed(m_text.substr(at, length + 1));
            return;
        }
        for (const auto &mark : names().byShape[static_cast<std::size_t>(Mark)]) {
            if (m_text.substr(at).starts_with(mark.text)
                && (mark.text == "%*%" || (t.glued && !is(m_last, TokenKind::Number))))
                found.note(*mark.rule, m_text.substr(at, mark.text.size()), mark.text);
        }
    }

    void Scan::negation(const Token &t)
    {
        switch (m_negation) {
        case Negation::None:
            break;
        case Negation::Armed:
            m_negation = !t.glued           ? Negation::None
                : t.kind == TokenKind::Open ? Negation::Bracket
                : t.kind == TokenKind::Word ? Negation::Word
                                            : Negation::None;
            m_negated = spanning(m_negated, t.text);
            m_negatedDepth = t.depth;
            return;
        case Negation::Word:
            if (t.glued && (t.kind == TokenKind::Open || t.kind == TokenKind::Point))
                found.changed(spanning(m_negated, t.text));
            m_negation = Negation::None;
            return;
        case Negation::Bracket:
            if (t.kind == TokenKind::Close && t.depth == m_negatedDepth)
                m_negation = Negation::Closed;
            return;
        case Negation::Closed:
            // psql's rule "-[ RECORD 1 ]----" is no negation.
            if (!(t.kind == TokenKind::Sign && t.glued))
                found.changed(m_negated);
            m_negation = Negation::None;
            return;
        }
        // At the start, or after "=" or R's "<-": "-[…]", "-np.array(…)", "<- -matrix(…)".
        if (t.kind == TokenKind::Sign && t.text != "+"
            && (m_first || is(m_last, TokenKind::Equals)
                || (is(m_last, TokenKind::Sign, "-") && m_last.glued
                    && is(m_beforeLast, TokenKind::Rule, "<") && !t.glued))) {
            m_negation = Negation::Armed;
            m_negated = t.text;
        }
    }

    void Scan::take(const Token &t)
    {
        m_expected = std::exchange(m_pending, Pending::None);
        // A prime or MATLAB's transpose after a name or a bracket ("R'", "]'"), but not an
        // apostrophe ("it's").
        if (!m_prime.empty() && !(t.glued && t.kind == TokenKind::Word))
            found.changed(m_prime);
        m_prime = {};
        if (t.lineStart && !m_first) {
            m_phrases.endLine(m_lineValues, found);
            m_lineValues = m_remark = false;
            m_quotesOnLine = 0;
        }
        if (m_frameCount > 0 && t.depth > m_frames[m_frameCount - 1].depth)
            argument(t);
        negation(t);
        switch (t.kind) {
        case TokenKind::Word:
            word(t);
            break;
        case TokenKind::Number:
            ++m_valuesInPart;
            // "Column 1": a name's number, no value.
            if (is(m_last, TokenKind::Word) && t.text.size() == 1)
                m_phrases.numberFollows();
            else
                m_lineValues = m_lineValues || !m_remark;
            if (m_expected == Pending::Size) {
                (m_key.first == RowCount ? found.keys.rows : found.keys.columns)
                    = wholeNumber(t.text);
                found.rowsKey
                    = m_key.first == RowCount ? spanning(m_beforeLast.text, t.text) : found.rowsKey;
            }
            found.valuesAfterList |= m_afterList && !m_remark;
            break;
        case TokenKind::Open:
            open(t);
            break;
        case TokenKind::Close:
            close(t);
            break;
        case TokenKind::Colon:
        case TokenKind::Rule:
            key(t);
            // C++'s comma initializer, "R << 1, 0, 0, …", lists rows whatever the storage.
            found.commaInitializer |= t.text == "<" && t.glued && is(m_last, TokenKind::Rule, "<");
            break;
        case TokenKind::RowEnd:
            // MATLAB's "[[0.81; 0.54; -0.2], […], …]" and a spreadsheet's "{{0.81; 0.54; -0.2},
            // {…}, …}": a ";" between single values of a list within a list makes that list a
            // column.
            found.columnVectors |= t.text == ";" && t.depth >= 2
                && (m_brackets[t.depth - 1] == '[' || m_brackets[t.depth - 1] == '{')
                && m_valuesInPart == 1;
            m_valuesInPart = 0;
            break;
        case TokenKind::Quote:
            // Not the quote that ends a string: "'[[…]]'".
            if (t.text == "'" && t.glued && m_quotesOnLine % 2 == 0
                && (is(m_last, TokenKind::Close) || is(m_last, TokenKind::Word)
                    || (is(m_last, TokenKind::Point) && is(m_beforeLast, TokenKind::Close))))
                m_prime = spanning(
                    is(m_last, TokenKind::Point) ? m_beforeLast.text : m_last.text, t.text);
            m_quotesOnLine += t.text == "'" ? 1U : 0U;
            break;
        case TokenKind::Mark:
            mark(t);
            break;
        default:
            break;
        }
        // A run of words ends at anything but a word or a "-" between words.
        if (t.kind != TokenKind::Word && !(is(t, TokenKind::Sign, "-") && t.glued))
            m_phrases.flush(found);
        // "glm::mat3 R", then "=" or the bracket that builds it.
        m_declaredType
            = t.kind == TokenKind::Word && is(m_last, TokenKind::Word) && !t.glued && !t.lineStart
            ? m_last.text
            : t.kind == TokenKind::Equals ? m_declaredType
                                          : std::string_view();
        m_beforeLast = m_last;
        m_last = t;
        m_first = false;
    }

    // A Fortran namelist: "&GROUP" first, "/" or "&END" last.
    bool isNamelist(std::string_view text)
    {
        text = trimmed(text);
        if (text.size() < 3 || (text[0] != '&' && text[0] != '$') || !isNameCharacter(text[1]))
            return false;
        const auto lastLine = text.find_last_of('\n');
        const auto last
            = trimmed(text.substr(lastLine == std::string_view::npos ? 0 : lastLine + 1));
        return last == "/" || folded(last) == "&end" || folded(last) == "$end";
    }

} // namespace

std::variant<Declaration, Error> declarationOf(std::string_view text, ValueOrder asked)
{
    Tokens tokens(text);
    Scan scan(text);
    for (Token t; tokens.next(t);)
        scan.take(t);
    scan.finish();
    auto &found = scan.found;
    const auto unclear = [&](std::string_view what) {
        return errorAbout(Field::Matrix, text, " is unclear: " + std::string(what));
    };
    const auto quoted = [](std::string_view said) { return "\"" + std::string(said) + "\""; };
    if (tokens.tooDeep())
        return errorAbout(Field::Matrix, text,
            " nests brackets more than " + std::to_string(Tokens::MostDepth)
                + " deep; a matrix needs a few");
    if (const auto mark = tokens.groupingMark(); mark != std::string_view::npos) {
        const auto isPart = [](char c) { return isDigit(c) || c == '.' || c == ','; };
        auto begin = mark;
        auto end = text.find_first_not_of("0123456789", text.find_first_of("0123456789", mark + 1));
        while (begin > 0 && isPart(text[begin - 1]))
            --begin;
        while (end < text.size() && isPart(text[end]))
            ++end;
        return errorAbout(Field::Matrix, text.substr(begin, end - begin),
            " is unclear: it could be one number whose digits are grouped, or two numbers; write "
            "the number without the mark or space between its digits");
    }
    if (found.lists > 1 || found.valuesAfterList || found.nested > 1)
        return errorAbout(Field::Matrix, text, " holds more than one matrix; copy one alone");
    if (found.keys.rows != 0 && found.keys.columns != 0 && !found.list.empty()) {
        // OpenCV's and ROS's files list their data row by row.
        found.shape = found.keys;
        found.declare(Order::Rows, found.rowsKey);
    }
    if (!found.change.empty())
        return unclear(quoted(found.change)
            + " makes another matrix of the values written (a transpose, an inverse, a product or "
              "a negation); copy the matrix as it is printed");
    if (!found.changeWord.empty())
        return unclear(quoted(found.changeWord)
            + " may say that the values are another matrix's (a transpose or an inverse); copy "
              "the matrix alone");
    if (!found.sideBySide.empty())
        return unclear(quoted(found.sideBySide)
            + " sets lists side by side, which Julia and MATLAB join as columns or into one row; "
              "write each row on a line of its own, or separate the lists with commas");
    if (found.columnVectors)
        return unclear(
            "\";\" within a list in a list makes that list a column in MATLAB and in spreadsheets; "
            "write each row on a line of its own");
    if (!found.overfull.empty())
        return unclear(quoted(found.overfull) + " has more arguments than such a call takes");
    if (!found.undecided.empty())
        return unclear(quoted(found.undecided)
            + " does not say whether its values are listed by rows or by columns");
    if (!found.byRows.empty() && !found.byColumns.empty())
        return unclear(quoted(found.byRows) + " lists its values by rows, "
            + quoted(found.byColumns) + " by columns");
    Declaration declaration { !found.byRows.empty() ? Order::Rows
            : !found.byColumns.empty()              ? Order::Columns
                                                    : Order::Undeclared,
        found.byRows.empty() ? found.byColumns : found.byRows, found.list, found.shape };
    if (declaration.order == Order::Undeclared) {
        // A storage option says how a comma initializer lists the values, not how a print does;
        // a nested list of data, rows in one tool's files and columns in another's.
        for (const auto word : { found.storage, found.nestedData }) {
            found.orderWord
                = found.orderWord.empty() && !found.commaInitializer ? word : found.orderWord;
        }
        if (!found.orderWord.empty())
            return unclear(quoted(found.orderWord)
                + " may say that the values are listed by columns; write \"row-major\" or "
                  "\"column-major\" before them");
        if (!found.byDefault.empty())
            return unclear("reshape(…) fills by columns in MATLAB, Julia and Fortran, but by "
                           "rows in NumPy; write \"row-major\" or \"column-major\" before its "
                           "values");
        if (isNamelist(text))
            return unclear("a Fortran namelist lists a 3×3 array by columns, but a list of nine "
                           "as the program stored it; write \"row-major\" or \"column-major\" "
                           "before its values");
    }
    if (asked == ValueOrder::Columns) {
        if (declaration.order == Order::Rows)
            return errorAbout(Field::Matrix, text,
                " lists its values by rows (" + quoted(declaration.said)
                    + "), not by columns as asked");
        declaration.order = Order::Columns;
    }
    return declaration;
}

} // namespace quorvex::detail
