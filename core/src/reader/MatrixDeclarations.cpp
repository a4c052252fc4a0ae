#include "reader/MatrixDeclarations.h"

#include "text/Message.h"
#include "text/TextDecoding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace quorvex::detail {
namespace {

    // The word in lower case and without "_": "Col_Major" is "colmajor".
    std::string foldedWord(std::string_view word)
    {
        std::string result;
        for (const char c : word) {
            if (c != '_')
                result += asciiLower(c);
        }
        return result;
    }

    std::size_t skipSpace(std::string_view text, std::size_t pos)
    {
        while (pos < text.size()
            && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n' || text[pos] == '\r'))
            ++pos;
        return pos;
    }

    // Where the bracket that opens at `open` closes, or npos.
    std::size_t closing(std::string_view text, std::size_t open)
    {
        const char opener = text[open], closer = opener == '(' ? ')' : opener == '[' ? ']' : '}';
        std::ptrdiff_t depth = 0; // as many as the text has bytes
        for (std::size_t i = open; i < text.size(); ++i) {
            if (text[i] == opener)
                ++depth;
            else if (text[i] == closer && --depth == 0)
                return i;
        }
        return std::string_view::npos;
    }

    // A whole number, as R writes a dimension ("3", "3L"); 0 for any other text.
    std::size_t wholeNumber(std::string_view text)
    {
        text = trimmed(text);
        if (text.ends_with('L'))
            text.remove_suffix(1);
        if (text.empty() || text.size() > 2 || !std::ranges::all_of(text, isDigit))
            return 0;
        return static_cast<std::size_t>(std::stoi(std::string(text)));
    }

    // Code that turns the values it writes into another matrix: a transpose, an inverse or a
    // permutation, called ("t(…)", "transpose(…)", "solve(…)", "inv(…)", Mathematica's
    // "Transpose[…]") or as an attribute or method ("….T", "….transpose()", "….inverse()").
    // Marks between the values and around them are found apart (operatorMark).
    bool changesValues(std::string_view word, char opening, bool attribute)
    {
        constexpr std::string_view calls[] { "t", "transpose", "solve", "inv", "inverse", "pinv",
            "ginv", "adjoint", "aperm", "crossprod", "tcrossprod" };
        constexpr std::string_view bracketCalls[] { "Transpose", "Inverse", "ConjugateTranspose",
            "PseudoInverse" };
        constexpr std::string_view attributes[] { "T", "I", "H", "mT", "transpose", "transposed",
            "inverse", "inverted", "invert", "inv", "adjoint" };
        const auto among
            = [&](const auto &words) { return std::ranges::find(words, word) != std::end(words); };
        return attribute
            ? among(attributes)
            : (opening == '(' && among(calls)) || (opening == '[' && among(bracketCalls));
    }

    // A superscript that transposes or inverts, as LaTeX and chats write it after a matrix: "^T",
    // "^{\top}", "^{\mathsf{T}}", "^{-1}", "^H"; `pos` follows the "^". Its length, or 0.
    std::size_t powerLength(std::string_view text, std::size_t pos)
    {
        std::string folded;
        std::size_t k = pos;
        for (; k < text.size() && k < pos + 20; ++k) {
            const char c = text[k];
            if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == ',' || c == ';')
                break;
            if (c != '{' && c != '}' && c != '\\')
                folded += c;
        }
        constexpr std::string_view powers[] { "T", "H", "-1", "top", "intercal", "mathsfT",
            "mathrmT", "textT", "dagger", "\u22a4", "\u2020" };
        return std::ranges::find(powers, folded) != std::end(powers) ? k - pos : 0;
    }

    // What a text writes around its values that makes another matrix of them, or an empty view:
    // MATLAB's and Julia's transpose after a bracket or a call ("]'", ")'", "].'"), a superscript
    // (powerLength), R's matrix product "%*%", and a minus before the whole of the values, at the
    // start or after "=" or "<-" ("R = -[…]", "R <- -matrix(…)"). Each is looked for with the
    // library's search for one character, which a line of values passes at a few instructions a
    // byte (callgrind, angles -l of comma-separated lines: 1,500 instructions a line less than a
    // look at each character).
    std::string_view operatorMark(std::string_view text)
    {
        constexpr auto none = std::string_view::npos;
        for (auto i = text.find('\''); i != none; i = text.find('\'', i + 1)) {
            const auto before = text.substr(0, i);
            if (before.ends_with(']') || before.ends_with(')') || before.ends_with("].")
                || before.ends_with(")."))
                return text.substr(i - 1 - (text[i - 1] == '.'), 2 + (text[i - 1] == '.'));
        }
        // After a digit, "^" is an exponent: "10^-6".
        for (auto i = text.find('^'); i != none; i = text.find('^', i + 1)) {
            if (i > 0 && isDigit(text[i - 1]))
                continue;
            if (const auto length = powerLength(text, i + 1))
                return text.substr(i, length + 1);
        }
        if (const auto product = text.find("%*%"); product != none)
            return text.substr(product, 3);
        // A minus before a bracket, or before a call or an object's member ("-np.array(",
        // "-matrix("); not before a word such as "-inf", which is a value.
        const auto negation = [&](std::size_t at) {
            at = skipSpace(text, at);
            if (at + 1 >= text.size() || text[at] != '-')
                return std::string_view();
            const auto next = at + 1;
            if (text[next] == '[' || text[next] == '(' || text[next] == '{')
                return text.substr(at, 2);
            auto end = next;
            while (end < text.size() && isNameCharacter(text[end]) && !isDigit(text[next]))
                ++end;
            const bool code = end > next && end < text.size()
                && (text[end] == '(' || text[end] == '.' || text[end] == '[');
            return code ? text.substr(at, end - at + 1) : std::string_view();
        };
        if (const auto mark = negation(0); !mark.empty())
            return mark;
        for (auto i = text.find('='); i != none; i = text.find('=', i + 1)) {
            if (const auto mark = negation(i + 1); !mark.empty())
                return mark;
        }
        for (auto i = text.find("<-"); i != none; i = text.find("<-", i + 2)) {
            if (const auto mark = negation(i + 2); !mark.empty())
                return mark;
        }
        return {};
    }

    // Nested lists at the top level of a text, "[[…], […], […]]", as many as there are: two are two
    // matrices ("[[…]] -> [[…]]").
    std::size_t nestedLists(std::string_view text)
    {
        std::size_t count = 0;
        if (text.find('[') == std::string_view::npos)
            return count;
        std::ptrdiff_t depth = 0; // as many as the text has bytes
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '[' && depth++ == 0) {
                const auto inner = text.find_first_not_of(" \t\r\n", i + 1);
                count += inner != std::string_view::npos && text[inner] == '[';
            } else if (text[i] == ']' && depth > 0) {
                --depth;
            }
        }
        return count;
    }

    // Lists side by side in a list, "[[1, 0, 0] [0, 1, 0] [0, 0, 1]]": Julia and MATLAB join them
    // as columns or into one row, where a list of rows separates them by commas or lines. The
    // "] [" that joins two, or an empty view.
    std::string_view listsSideBySide(std::string_view text)
    {
        if (text.find("[[") == std::string_view::npos)
            return {};
        for (auto close = text.find(']'); close != std::string_view::npos;
             close = text.find(']', close + 1)) {
            const auto next = text.find_first_not_of(" \t", close + 1);
            if (next != std::string_view::npos && next > close + 1 && text[next] == '[')
                return text.substr(close, next - close + 1);
        }
        return {};
    }

    // Whether NumPy's stack(…) whose "(" is at `open` stacks along axis 1, the columns.
    bool stacksColumns(std::string_view text, std::size_t open)
    {
        const auto close = closing(text, open);
        std::string compact;
        for (const char c : text.substr(open, close == std::string_view::npos ? 0 : close - open)) {
            if (c != ' ')
                compact += c;
        }
        return compact.find("axis=1") != std::string::npos
            || compact.find("axis=-1") != std::string::npos;
    }

    // The arguments of a call, one at a time: the text between commas outside brackets.
    class Arguments
    {
    public:
        explicit Arguments(std::string_view text)
            : m_text(text)
        { }

        bool next(std::string_view &name, std::string_view &value)
        {
            if (m_pos > m_text.size())
                return false;
            std::ptrdiff_t depth = 0; // as many as the text has bytes
            const std::size_t begin = m_pos;
            std::size_t end = begin, equals = std::string_view::npos;
            for (; end < m_text.size() && (depth > 0 || m_text[end] != ','); ++end) {
                const char c = m_text[end];
                depth += c == '(' || c == '[' ? 1 : c == ')' || c == ']' ? -1 : 0;
                if (c == '=' && depth == 0 && equals == std::string_view::npos)
                    equals = end;
            }
            m_pos = end + 1;
            if (equals == std::string_view::npos) {
                name = {};
                value = trimmed(m_text.substr(begin, end - begin));
            } else {
                name = trimmed(m_text.substr(begin, equals - begin));
                value = trimmed(m_text.substr(equals + 1, end - equals - 1));
            }
            return true;
        }

    private:
        std::string_view m_text;
        std::size_t m_pos = 0;
    };

    // What a scan of the text has found.
    struct Findings
    {
        std::string_view byRows, byColumns; // the first words that say each order
        std::string_view byDefault; // reshape(…), whose order only an order= tells
        std::string_view undecided; // an order given by a value that cannot be read: "byrow = b"
        std::string_view changed; // code that changes the values written: "t(", ".T"
        bool reshaped = false; // a reshape seen, which an order= after it is about
        std::string_view list; // the values of a call or of a file format's data
        std::size_t lists = 0;
        std::string_view after; // the text after a call that lists the values
        DeclaredShape shape;
        DeclaredShape keys; // "rows: 3" and "cols: 3" of a file format
        std::string_view rowsKey;
        bool unbalanced = false; // a bracket that never closes: no later list is looked for

        // Where the bracket at `open` closes (or, in XML, the data that begins there ends), or
        // npos. Each search may read the rest of the text: once one has found no end, or two
        // lists have been found (which the text is refused for), none is made, so that no text
        // is read more than a few times.
        std::size_t closingOf(std::string_view text, std::size_t open, bool xml = false)
        {
            if (unbalanced || lists > 1)
                return std::string_view::npos;
            const auto close = xml ? text.find("</data>", open) : closing(text, open);
            unbalanced = close == std::string_view::npos;
            return close;
        }

        void rows(std::string_view said)
        {
            if (byRows.empty())
                byRows = said;
        }
        void columns(std::string_view said)
        {
            if (byColumns.empty())
                byColumns = said;
        }
        void listed(std::string_view values, std::string_view rest = {})
        {
            ++lists;
            list = values;
            after = rest;
        }
    };

    // The text from the start of one view to the end of another.
    std::string_view spanning(std::string_view first, std::string_view last)
    {
        return { first.data(), static_cast<std::size_t>(last.data() + last.size() - first.data()) };
    }

    // What follows a call on its line, but for a remark ("# from run 2", "// frame 2"), whose
    // digits are no values.
    std::string_view afterCall(std::string_view text, std::size_t close)
    {
        auto rest = text.substr(close + 1);
        const auto remark = rest.find_first_not_of(" \t;");
        if (remark != std::string_view::npos
            && (rest[remark] == '#' || rest.substr(remark).starts_with("//")))
            rest.remove_prefix(std::min(rest.find('\n', remark), rest.size()));
        return rest;
    }

    // R's matrix(c(…), …), structure(c(…), dim = …) and array(c(…), dim = …), whose name ends at
    // `open`, the "(" of the call. Arguments after the values may be named or in R's order:
    // matrix(data, nrow, ncol, byrow), array(data, dim).
    void rCall(std::string_view text, std::string_view name, std::size_t open, Findings &found)
    {
        std::size_t pos = skipSpace(text, open + 1);
        if (name == "matrix" && text.substr(pos).starts_with("data")) {
            pos = skipSpace(text, pos + 4);
            if (pos >= text.size() || text[pos] != '=')
                return;
            pos = skipSpace(text, pos + 1);
        }
        if (!text.substr(pos).starts_with("c("))
            return;
        const auto callEnd = found.closingOf(text, open);
        if (callEnd == std::string_view::npos)
            return;
        const auto listEnd = text.find(')', pos + 2);
        const auto values = text.substr(pos + 2, listEnd - pos - 2);
        if (listEnd >= callEnd || values.find('(') != std::string_view::npos)
            return;
        std::string_view byRows;
        bool dimensions = false;
        DeclaredShape shape;
        std::size_t positional = 0;
        Arguments arguments(text.substr(listEnd + 1, callEnd - listEnd - 1));
        for (std::string_view argument, value; arguments.next(argument, value);) {
            const auto said = argument.empty() ? value : spanning(argument, value);
            if (argument.empty() && !value.empty()) {
                constexpr std::string_view matrixOrder[] { "nrow", "ncol", "byrow" };
                argument = name == "matrix" && positional < std::size(matrixOrder)
                    ? matrixOrder[positional]
                    : name == "array" && positional == 0 ? "dim"
                                                         : "";
                ++positional;
            }
            if (argument == "nrow") {
                shape.rows = wholeNumber(value);
            } else if (argument == "ncol") {
                shape.columns = wholeNumber(value);
            } else if (argument == "byrow") {
                if (value == "TRUE" || value == "T")
                    byRows = said;
                else if (value != "FALSE" && value != "F")
                    found.undecided = said;
            } else if ((argument == "dim" || argument == ".Dim") && value.starts_with("c(")
                && value.ends_with(')')) {
                Arguments sizes(value.substr(2, value.size() - 3));
                std::string_view unused, size;
                if (sizes.next(unused, size))
                    shape.rows = wholeNumber(size);
                if (sizes.next(unused, size))
                    shape.columns = wholeNumber(size);
                dimensions = true;
            }
        }
        if (name != "matrix" && !dimensions)
            return; // a vector, structure(c(…)) without dimensions
        if (byRows.empty())
            found.columns(text.substr(open - name.size(), name.size() + 1));
        else
            found.rows(byRows);
        found.shape = shape;
        found.listed(values, afterCall(text, callEnd));
    }

    // NumPy's order='F' and order='C', Fortran's order = [1, 2] and [2, 1]; `pos` follows the
    // word "order", which begins at `start`.
    void order(std::string_view text, std::size_t start, std::size_t pos, Findings &found)
    {
        pos = skipSpace(text, pos);
        if (pos >= text.size() || text[pos] != '=')
            return;
        pos = skipSpace(text, pos + 1);
        const auto value = text.substr(pos, 12);
        const auto close = value.find_first_of("])");
        std::string digits;
        for (const char c : value.substr(0, close)) {
            if (isDigit(c))
                digits += c;
        }
        const bool quoted
            = value.size() >= 3 && (value[0] == '\'' || value[0] == '"') && value[2] == value[0];
        const auto said
            = text.substr(start, pos - start + (quoted ? 3 : std::min(close + 1, value.size())));
        if (quoted ? value[1] == 'F' : digits == "12")
            found.columns(said);
        else if (quoted ? value[1] == 'C' : digits == "21")
            found.rows(said);
    }

    // Where the value of a YAML key ("  data: [", "rows: 3") or the content of an XML element
    // ("<data>") begins, as the word from `start` to `end` is one; npos where it is none.
    std::size_t keyValue(std::string_view text, std::size_t start, std::size_t end, bool &xml)
    {
        xml = start > 0 && text[start - 1] == '<';
        if (xml)
            return end < text.size() && text[end] == '>' ? end + 1 : std::string_view::npos;
        std::size_t before = start;
        while (before > 0 && (text[before - 1] == ' ' || text[before - 1] == '\t'))
            --before;
        const bool key = before == 0 || text[before - 1] == '\n' || text[before - 1] == '\r'
            || text[before - 1] == '{' || text[before - 1] == ',';
        if (!key || end >= text.size() || text[end] != ':')
            return std::string_view::npos;
        return skipSpace(text, end + 1);
    }

    // "data: [ … ]" or "<data> … </data>"; `value` follows the key.
    void data(std::string_view text, std::size_t value, bool xml, Findings &found)
    {
        if (!xml && (value >= text.size() || text[value] != '['))
            return;
        const std::size_t bracket = xml ? 0 : 1;
        if (const auto close = found.closingOf(text, value, xml); close != std::string_view::npos)
            found.listed(text.substr(value + bracket, close - value - bracket));
    }

    // "rows: 3", "<cols>3</cols>"; `value` follows the key.
    void size(std::string_view text, std::string_view key, std::size_t value, Findings &found)
    {
        auto end = value;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        const auto number = wholeNumber(text.substr(value, end - value));
        if (key == "rows") {
            found.keys.rows = number;
            found.rowsKey = spanning(key, text.substr(end, 0));
        } else {
            found.keys.columns = number;
        }
    }

    bool isMatrixType(std::string_view word)
    {
        constexpr std::array<std::string_view, 8> types { "mat3", "mat4", "mat3x3", "mat4x4",
            "dmat3", "dmat4", "dmat3x3", "dmat4x4" };
        return std::ranges::find(types, word) != types.end();
    }

    // Where the next ASCII letter is, from `pos` on. A pasted file is mostly numbers: blocks of 32
    // bytes without a letter are passed over in a loop that the compiler turns into vector
    // instructions (callgrind, 10 MiB of parameter lines: 17 million instructions, where a byte
    // at a time took 98 million).
    std::size_t nextLetter(std::string_view text, std::size_t pos)
    {
        const auto isLetter = [](char c) {
            return static_cast<unsigned char>((static_cast<unsigned char>(c) | 0x20) - 'a') < 26;
        };
        for (; pos + 32 <= text.size(); pos += 32) {
            unsigned any = 0;
            for (std::size_t i = 0; i < 32; ++i)
                any |= isLetter(text[pos + i]) ? 1U : 0U;
            if (any != 0)
                break;
        }
        while (pos < text.size() && !isLetter(text[pos]))
            ++pos;
        return pos;
    }

    // Each word of the text, looked up: a name, or a word of an order ("column-major").
    void scan(std::string_view text, Findings &found)
    {
        for (std::size_t start = nextLetter(text, 0), end = 0; start < text.size();
             start = nextLetter(text, end)) {
            end = start;
            while (end < text.size() && isNameCharacter(text[end]))
                ++end;
            if (start > 0 && isNameCharacter(text[start - 1]))
                continue; // the rest of a word that began with a digit or "_"
            const auto word = text.substr(start, end - start);
            // A call, not a method of an object (NumPy's array.reshape(…)), which is an attribute
            // as "….T" is: a name after a "." that follows a name or a bracket.
            const bool attribute = start > 1 && text[start - 1] == '.'
                && (isNameCharacter(text[start - 2]) || text[start - 2] == ')'
                    || text[start - 2] == ']');
            const bool call = end < text.size() && text[end] == '(' && !attribute;
            // Julia prints the type of a transposed matrix, "adjoint(::Matrix{Float64})", above
            // the values it holds: no code.
            const bool typeName = text.substr(end).starts_with("(::");
            const char opening = end < text.size() ? text[end] : '\0';
            if (changesValues(word, opening, attribute) && !typeName && found.changed.empty())
                found.changed = text.substr(start - attribute,
                    end - start + attribute + (opening == '(' || opening == '['));
            const auto folded = foldedWord(word);
            bool xml = false;
            // C++'s storage options ("Eigen::ColMajor") say how memory holds the values, not how
            // the text lists them: a comma initializer ("R << 1, 0, 0, …") lists rows whatever
            // the storage.
            const bool storageOption = start > 1 && text.substr(start - 2, 2) == "::";
            if (storageOption && (folded == "colmajor" || folded == "rowmajor")) {
                // nothing said about the listing
            } else if (folded == "columnmajor" || folded == "colmajor" || folded == "columnwise") {
                found.columns(word);
            } else if (folded == "rowmajor" || folded == "rowwise") {
                found.rows(word);
            } else if ((folded == "column" || folded == "col" || folded == "row" || folded == "by")
                && end + 1 < text.size() && (text[end] == '-' || text[end] == ' ')) {
                // "column-major", "row major", "by columns"
                auto next = end + 1;
                while (next < text.size() && isNameCharacter(text[next]))
                    ++next;
                const auto second = foldedWord(text.substr(end + 1, next - end - 1));
                const auto said = text.substr(start, next - start);
                // "row by row", "column by column"
                auto third = next + 1;
                while (third < text.size() && isNameCharacter(text[third]))
                    ++third;
                const bool byItself = folded != "by" && second == "by" && next < text.size()
                    && text[next] == ' '
                    && foldedWord(text.substr(next + 1, third - next - 1)) == folded;
                if (folded == "by" ? second == "columns" : second == "major" || second == "wise")
                    folded == "row" ? found.rows(said) : found.columns(said);
                else if (folded == "by" && second == "rows")
                    found.rows(said);
                else if (byItself)
                    folded == "row" ? found.rows(text.substr(start, third - start))
                                    : found.columns(text.substr(start, third - start));
            } else if (call && (word == "matrix" || word == "structure" || word == "array")) {
                rCall(text, word, end, found);
            } else if (folded == "reshape") {
                found.reshaped = true;
                if (call)
                    found.byDefault = text.substr(start, end - start + 1);
            } else if (word == "Map" && opening == '<') {
                // Eigen's Map<Matrix3d>(data) takes the data as the matrix's storage, by columns
                // unless its type says RowMajor.
                const auto type = text.substr(end, text.find('(', end) - end);
                type.find("RowMajor") != std::string_view::npos
                    ? found.rows(text.substr(start, end - start + 1))
                    : found.columns(text.substr(start, end - start + 1));
            } else if (opening == '('
                && (word == "column_stack" || word == "hcat" || word == "cbind"
                    || word == "fromArray" || (word == "stack" && stacksColumns(text, end)))) {
                // Values given column by column: NumPy's column_stack(…) and stack(…, axis=1),
                // Julia's hcat(…), R's cbind(…), three.js's fromArray(…).
                found.columns(text.substr(start - attribute, end - start + 1 + attribute));
            } else if (call && isMatrixType(word)) {
                found.columns(text.substr(start, end - start + 1));
                if (const auto close = found.closingOf(text, end); close != std::string_view::npos)
                    found.listed(text.substr(end + 1, close - end - 1), afterCall(text, close));
            } else if (word == "order" && found.reshaped) {
                // An order= of anything but a reshape (np.array(…, order='F')) says how memory
                // holds the values, not how the text lists them.
                order(text, start, end, found);
            } else if (word == "data" || word == "rows" || word == "cols") {
                const auto value = keyValue(text, start, end, xml);
                if (value != std::string_view::npos && word == "data")
                    data(text, value, xml, found);
                else if (value != std::string_view::npos)
                    size(text, word, value, found);
            }
        }
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
        return last == "/" || foldedWord(last) == "&end" || foldedWord(last) == "$end";
    }

} // namespace

std::variant<Declaration, Error> declarationOf(std::string_view text)
{
    Findings found;
    scan(text, found);
    if (found.lists > 1 || hasDigit(found.after) || nestedLists(text) > 1)
        return errorAbout(Field::Matrix, text, " holds more than one matrix; copy one alone");
    if (found.keys.rows != 0 && found.keys.columns != 0 && !found.list.empty()) {
        // OpenCV's and ROS's files list their data row by row.
        found.shape = found.keys;
        found.rows(found.rowsKey);
    }
    if (found.changed.empty())
        found.changed = operatorMark(text);
    if (!found.changed.empty())
        return errorAbout(Field::Matrix, text,
            " is unclear: \"" + std::string(found.changed)
                + "\" makes another matrix of the values written (a transpose, an inverse, a "
                  "product or a negation); copy the matrix as it is printed");
    if (const auto joined = listsSideBySide(text); !joined.empty())
        return errorAbout(Field::Matrix, text,
            " is unclear: \"" + std::string(joined)
                + "\" sets lists side by side, which Julia and MATLAB join as columns or into one "
                  "row; write each row on a line of its own, or separate the lists with commas");
    if (!found.undecided.empty())
        return errorAbout(Field::Matrix, text,
            " is unclear: \"" + std::string(found.undecided)
                + "\" does not say whether its values are listed by rows or by columns");
    if (!found.byRows.empty() && !found.byColumns.empty())
        return errorAbout(Field::Matrix, text,
            " is unclear: \"" + std::string(found.byRows) + "\" lists its values by rows, \""
                + std::string(found.byColumns) + "\" by columns");
    if (found.byRows.empty() && found.byColumns.empty()) {
        if (!found.byDefault.empty())
            return errorAbout(Field::Matrix, text,
                " is unclear: reshape(…) fills by columns in MATLAB, Julia and Fortran, but by "
                "rows in NumPy; write \"row-major\" or \"column-major\" before its values");
        if (isNamelist(text))
            return errorAbout(Field::Matrix, text,
                " is unclear: a Fortran namelist lists a 3×3 array by columns, but a list of nine "
                "as the program stored it; write \"row-major\" or \"column-major\" before its "
                "values");
    }
    return Declaration { found.byRows, found.byColumns, found.list, found.shape };
}

} // namespace quorvex::detail
