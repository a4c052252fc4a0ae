// The matrix reader, through Calculate Angles: what tools and people write, read as the matrix
// they mean or refused with a message that says why. Each row of the reader's table has a text
// that it changes here, and the same values without it beside it.

#include "quorvex/Calculations.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace {

// The values of 10°, 20° and 30° to two decimals, by rows and by columns: its transpose is the
// inverse rotation, which a reading by the wrong order gives without a word.
constexpr std::string_view ByRows[] { "0.81", "-0.47", "0.34", "0.54", "0.82", "-0.16", "-0.2",
    "0.32", "0.93" };
constexpr std::string_view ByColumns[] { "0.81", "0.54", "-0.2", "-0.47", "0.82", "0.32", "0.34",
    "-0.16", "0.93" };

// The nine values with `between` between two of a row and `end` after each row but the last.
std::string joined(
    const std::string_view (&values)[9], std::string_view between, std::string_view end)
{
    std::string text;
    for (std::size_t i = 0; i < 9; ++i)
        text.append(values[i]).append(i == 8 ? "" : i % 3 == 2 ? end : between);
    return text;
}

// A text with its marks filled in: {R} and {C} the rows and the columns on lines of their own,
// {r} and {c} the nine between commas, {rr} and {cc} nested lists of rows and of columns.
std::string filled(std::string text)
{
    const std::pair<std::string_view, std::string> marks[] { { "{R}", joined(ByRows, " ", "\n") },
        { "{C}", joined(ByColumns, " ", "\n") },
        { "{rr}", "[[" + joined(ByRows, ", ", "], [") + "]]" },
        { "{cc}", "[[" + joined(ByColumns, ", ", "], [") + "]]" },
        { "{r}", joined(ByRows, ", ", ", ") }, { "{c}", joined(ByColumns, ", ", ", ") } };
    for (const auto &[mark, values] : marks) {
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
            text.replace(at, mark.size(), values);
    }
    return text;
}

// What Calculate Angles writes for a text, the scales too: "M" for the matrix above, "M'" for
// its transpose, or else the angles and scales, or the message.
std::string answer(std::string_view text, ValueOrder order = ValueOrder::Rows, bool scales = true)
{
    const auto write = [&](std::string_view read) {
        std::string out;
        const auto result = calculateAngles(read, {}, scales, out, order);
        return std::holds_alternative<Error>(result) ? std::get<Error>(result).message : out;
    };
    const auto read = write(filled(std::string(text)));
    order = ValueOrder::Rows;
    const auto matrix = write(joined(ByRows, " ", " ")),
               transpose = write(joined(ByColumns, " ", " "));
    return read == matrix ? "M" : read == transpose ? "M'" : read;
}

struct Row
{
    const char *text;
    const char *expected;
    ValueOrder order = ValueOrder::Rows;
};

void check(std::span<const Row> rows)
{
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(answer(row.text, row.order), row.expected);
    }
}

// The rows of a text are its lines, as consoles, spreadsheets, documents and code print them.
TEST(ReadMatrix, readsRowsAsToolsPrintThem)
{
    check(std::to_array<Row>({ { "{R}", "M" }, { "{C}", "M'" }, { "ans =\n\n{R}\n", "M" },
        { "3×3 Matrix{Float64}:\n{R}", "M" }, { "array({rr}, dtype=float32)", "M" },
        { "     x     y     z\nx  0.81 -0.47  0.34\ny  0.54  0.82 -0.16\nz -0.20  0.32  0.93",
            "M" },
        { "| 0.81 | -0.47 | 0.34 |\n|---|---|---|\n| 0.54 | 0.82 | -0.16 |\n| -0.2 | 0.32 | 0.93 |",
            "M" },
        { R"(\begin{bmatrix} 0.81 & -0.47 & 0.34 \\ 0.54 & 0.82 & -0.16 \\ -0.2 & 0.32 & 0.93 \end{bmatrix})",
            "M" },
        { "R = [0.81 -0.47 0.34; 0.54 0.82 -0.16; -0.2 0.32 0.93]; % from run 3", "M" },
        { "0.81\n-0.47\n0.34\n0.54\n0.82\n-0.16\n-0.2\n0.32\n0.93\n# 2024-05-01", "M" },
        // Rows named in any script, with their numbers.
        { "ряд1 0.81 -0.47 0.34\nряд2 0.54 0.82 -0.16\nряд3 -0.2 0.32 0.93", "M" },
        { "0.81 -0.47 0.34 12.5\n0.54 0.82 -0.16 -3\n-0.2 0.32 0.93 40\n0 0 0 1", "M" },
        // Vectors that multiply from the left put the translation in the fourth row.
        { "0.81 -0.47 0.34 0\n0.54 0.82 -0.16 0\n-0.2 0.32 0.93 0\n12.5 -3 40 1", "M" },
        { "0.81 -0.47 0.34 0 0.54 0.82 -0.16 0 -0.2 0.32 0.93 0 0 0 0 1",
            R"(Matrix: "0.81 -0.47 0.34 0 0.54 0.82 -0.16 0 -0.2…" holds sixteen numbers that read as a 4×4 transform by rows and by columns, with different matrices)" },
        { "0.81 0.54 -0.2 0 -0.47 0.82 0.32 0 0.34 -0.16 0.93 0 12.5 -3 40 1 (from the scanner)",
            "M" },
        // Twelve values on a line: a *.him line, or three rows of four, whichever is a rotation.
        { "0.81 -0.47 0.34  0.54 0.82 -0.16  -0.2 0.32 0.93  12.5 -3 40", "M" },
        { "P: 0.81 -0.47 0.34 12.5 0.54 0.82 -0.16 -3 -0.2 0.32 0.93 40", "M" },
        { "1 0 0 0 0 1 0 -1 0 0 1 5",
            R"(Matrix: "1 0 0 0 0 1 0 -1 0 0 1 5" is unclear: its twelve numbers could be a *.him line (nine, then a translation) or three rows of four; write the matrix's rows on lines of their own)" },
        { "0.81 -0.47 0.34, 0.54 0.82 -0.16, -0.2 0.32 0.93", "M" },
        { "0.81 -0.47 0.34, 0.54 0.82 -0.16, -0.2 0.32 0.93, 12.5 -3 40", "M" },
        { "((0.81, -0.47, 0.34), (0.54, 0.82, -0.16), (-0.2, 0.32, 0.93))", "M" },
        { "<Matrix 4x4 (0.81, -0.47, 0.34, 1.5)\n (0.54, 0.82, -0.16, -2)\n (-0.2, 0.32, 0.93, "
          "3)\n (0, 0, 0, 1)>",
            "M" },
        { "double R[3][3] = {{0.81, -0.47, 0.34}, {0.54, 0.82, -0.16}, {-0.2, 0.32, 0.93}};", "M" },
        { "std::array<double, 9> R{{r}};", "M" },
        { "     [,1]  [,2]  [,3]\n[1,]  0.81 -0.47  0.34\n[2,]  0.54  0.82 -0.16\n[3,] -0.2   "
          "0.32  0.93",
            "M" },
        { "`0.81 -0.47 0.34`\n`0.54 0.82 -0.16`\n`-0.2 0.32 0.93`", "M" },
        { "0.81 -0.47 0.34,\n0.54 0.82 -0.16,\n-0.2 0.32 0.93,", "M" },
        // Labels and class names with digits, a prompt's number, a call's name before each row.
        { "   c1 c2 c3\nr1 0.81 -0.47 0.34\nr2 0.54 0.82 -0.16\nr3 -0.2 0.32 0.93", "M" },
        { "Row 1: 0.81 -0.47 0.34\nRow 2: 0.54 0.82 -0.16\nRow 3: -0.2 0.32 0.93", "M" },
        { "Matrix3({r})", "M" }, { "new Array2DRowRealMatrix(new double[][]{{rr}})", "M" },
        { "Out[3]: \narray({rr})", "M" },
        { "0.81, -0.47, 0.34],\n [0.54, 0.82, -0.16],\n [-0.2, 0.32, 0.93]])", "M" },
        { "Out [3]: {R}", "M" }, { "[1 2 3]: {R}", R"(Matrix: ":" is not a number)" },
        { "rbind(c(0.81, -0.47, 0.34), c(0.54, 0.82, -0.16), "
          "c(-0.2, 0.32, 0.93))",
            "M" },
        // A data frame numbers its rows and heads its columns with numbers.
        { "          0         1         2\n0     0.81     -0.47      0.34\n1     0.54      0.82 "
          "    -0.16\n2     -0.2      0.32      0.93",
            "M" },
        { "   0  1  2\n0  0 -1  0\n1  1  0  0\n2  0  0  1", "0 0 90.0 1 1 1 " },
        { "   0  1  2\n0  1  0  0\n1  0  1  0\n2  0  0  1", "0 0 0 1 1 1 " },
        { "1 -7.0 4.0 1.0\n2 -2.0 -4.0 2.0\n3 1.0 1.0 3.0",
            R"(Matrix: "1 -7.0 4.0 1.0\n2 -2.0 -4.0 2.0\n3 1.0 1.0…" is unclear: the whole number that begins each line could be the line's number or a value)" },
        // Pretty prints with big brackets and boxes.
        { "⎡0.81  -0.47  0.34 ⎤\n⎢                  ⎥\n⎢0.54  0.82   -0.16⎥\n⎢                  "
          "⎥\n⎣-0.2  0.32   0.93 ⎦",
            "M" },
        { "┌──────┬───────┬───────┐\n│ 0.81 │ -0.47 │  0.34 │\n│ 0.54 │  0.82 │ -0.16 │\n│ -0.2 │  "
          "0.32 │  0.93 │\n└──────┴───────┴───────┘",
            "M" },
        { "-[ RECORD 1 ]---------\nrotation | "
          "{{0.81,-0.47,0.34},{0.54,0.82,-0.16},{-0.2,0.32,0.93}}",
            "M" },
        { "'[[0.81, -0.47, 0.34], [0.54, 0.82, -0.16], [-0.2, 0.32, 0.93]]'", "M" } }));
}

// What a text says of its order, by words, calls, keys, statements and types, in any case and
// spelling; beside each, what the same values read without it, or with a word that only looks
// alike.
TEST(ReadMatrix, readsTheOrderATextDeclares)
{
    check(std::to_array<Row>({ { "{c}", "M'" }, { "column-major: {c}", "M" },
        { "Col_Major {c}", "M" }, { "R, column-wise:\n{C}", "M" }, { "listed by column: {c}", "M" },
        { "column by column: {c}", "M" }, { "in column order: {c}", "M" },
        { "Fortran order: {c}", "M" }, { "row-major: {r}", "M" }, { "C order: {r}", "M" },
        { "row by row:\n{R}", "M" },
        { "stored column-major, printed row by row:\n{R}",
            R"(Matrix: "stored column-major, printed row by row:…" is unclear: "row by row" lists its values by rows, "column-major" by columns)" },
        // A column's or a row's name on a line of values says what the line is; over a table
        // it only heads it.
        { "column 1: 0.81 0.54 -0.2\ncolumn 2: -0.47 0.82 0.32\ncolumn 3: 0.34 -0.16 0.93", "M" },
        { "c1 = (0.81, 0.54, -0.2)\nc2 = (-0.47, 0.82, 0.32)\nc3 = (0.34, -0.16, 0.93)", "M" },
        { "C1 = (0.81, 0.54, -0.2)\nC2 = (-0.47, 0.82, 0.32)\nC3 = (0.34, -0.16, 0.93)", "M" },
        { "Column 1 | Column 2 | Column 3\n{R}", "M" }, { "Row 1\n{R}", "M'", ValueOrder::Columns },
        { "Columnwise:\n{C}", "M" },
        // R: by columns, unless byrow; arguments by name or by place.
        { "m <- matrix(c({c}), nrow = 3)", "M" }, { "matrix(c({r}), 3, 3, byrow = TRUE)", "M" },
        { "m <- matrix (c({c}), nrow = 3)", "M" }, { "matrix(c({c}))", "M" },
        { "matrix(c({c}), 3, 3, F)", "M" }, { "matrix(c({c}), 3, 3, FALSE, NULL)", "M" },
        { "Matrix({r})", "M" },
        { "matrix(c({c}), 3, 3, dimnames = NULL, x = 1, byrow = TRUE)",
            R"(Matrix: "matrix(c(0.81, 0.54, -0.2, -0.47, 0.82, …" is unclear: "matrix(" has more arguments than such a call takes)" },
        { "structure(c({c}), .Dim = c(3L, 3L))", "M" }, { "array(c({c}), c(3, 3))", "M" },
        { "structure(c({r}))", "M" },
        { "matrix(c({r}), 3, byrow = flag)",
            R"(Matrix: "matrix(c(0.81, -0.47, 0.34, 0.54, 0.82, …" is unclear: "byrow = flag" does not say whether its values are listed by rows or by columns)" },
        // NumPy, Fortran, MATLAB and PyTorch: an order, an axis, a storage.
        { "np.array([{c}]).reshape(3, 3, order='F')", "M" },
        { "np.array([{r}]).reshape(3, 3)", "M" },
        { "R = reshape([{r}], [3, 3], order=[2, 1])", "M" },
        { "R = reshape([{c}], 3, 3)",
            R"(Matrix: "R = reshape([0.81, 0.54, -0.2, -0.47, 0.…" is unclear: reshape(…) fills by columns in MATLAB, Julia and Fortran, but by rows in NumPy; write "row-major" or "column-major" before its values)" },
        { "R.flatten(order='F')\narray([{c}])", "M" }, { "np.array({rr}, order='F')", "M" },
        { "np.zeros((3, 3), order='F')\n{R}",
            R"(Matrix: "np.zeros((3, 3), order='F')\n0.81 -0.47 0…" is unclear: "order" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
        { "np.stack({cc}, axis=1)", "M" }, { "np.stack({rr}, axis=0)", "M" },
        { "torch.stack([torch.tensor([0.81, 0.54, -0.2]), torch.tensor([-0.47, 0.82, 0.32]), "
          "torch.tensor([0.34, -0.16, 0.93])], dim=1)",
            "M" },
        { "np.column_stack({cc})", "M" }, { "hcat({cc})", "M" },
        { "cbind(c(0.81, 0.54, -0.2), c(-0.47, 0.82, 0.32), c(0.34, -0.16, 0.93))", "M" },
        // Graphics: calls, keys and types that take columns.
        { "new THREE.Matrix3().fromArray([{c}])", "M" }, { "Matrix3 {\n  elements: [{c}]\n}", "M" },
        { "mat3({c}); // frame 2", "M" }, { "glm::mat3{{c}}", "M" },
        // A variable of such a type, however C++ builds it.
        { "glm::mat3 R{{c}};", "M" }, { "const glm::mat3 R = {{c}};", "M" },
        { "double R[9] = {{r}};", "M" },
        { "float3x3 R = {{r}};",
            R"(Matrix: "float3x3 R = {0.81, -0.47, 0.34, 0.54, 0…" is unclear: "float3x3" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
        { "glm::mat3(glm::vec3(0.81, 0.54, -0.2), glm::vec3(-0.47, 0.82, 0.32), glm::vec3(0.34, "
          "-0.16, 0.93))",
            "M" },
        { "simd_double3x3({cc})", "M" },
        { "simd_double3x3(rows: [SIMD3(0.81, -0.47, 0.34), SIMD3(0.54, 0.82, -0.16), SIMD3(-0.2, "
          "0.32, 0.93)])",
            "M" },
        { "float3x3(float3(0.81, 0.54, -0.2), float3(-0.47, 0.82, 0.32), float3(0.34, -0.16, "
          "0.93))",
            R"(Matrix: "float3x3(float3(0.81, 0.54, -0.2), float…" is unclear: "float3x3" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
        // Eigen: a Map takes the storage's order; a comma initializer lists rows whatever it is.
        { "double d[9] = {{c}};\nEigen::Map<Eigen::Matrix3d> R(d);", "M" },
        { "Matrix<double, 3, 3, RowMajor> A;\ndouble d[9] = {{c}};\nEigen::Map<Eigen::Matrix3d> "
          "R(d);",
            "M" },
        { "double d[9] = {{r}};\nEigen::Map<Eigen::Matrix<double, 3, 3, Eigen::RowMajor>> R(d);",
            "M" },
        { "Eigen::Matrix<double, 3, 3, ColMajor> R;\nR << {r};", "M" },
        { "Matrix<double, 3, 3> R, column-major:\n{C}", "M" },
        { "Eigen::ColMajor\n{R}",
            R"(Matrix: "Eigen::ColMajor\n0.81 -0.47 0.34\n0.54 0.8…" is unclear: "ColMajor" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
        // Fortran's statements, OpenCV's and ROS's files.
        { "      DATA R / {c} /", "M" }, { " > print *, R\n   {c}", "M" },
        { "write(*,'(3F10.6)') R\n{C}", "M" },
        { "%YAML:1.0\n---\nR: !!opencv-matrix\n   rows: 3\n   cols: 3\n   dt: d\n   data: [ {r} ]",
            "M" },
        { R"({"R": {"type_id": "opencv-matrix", "rows": 3, "cols": 3, "dt": "d", "data": [ {r} ]}})",
            "M" },
        { "<rows>3</rows><cols>4</cols><data>0.81 -0.47 0.34 1 0.54 0.82 -0.16 2 -0.2 0.32 0.93 "
          "3</data>",
            "M" },
        { "{\"data\": {rr}}",
            R"(Matrix: "{"data": [[0.81, -0.47, 0.34], [0.54, 0.…" is unclear: "data" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
        // Calls and marks that list columns, with their sizes or in their place.
        { "julia> vec(R)\n9-element Vector{Float64}:\n{C}", "M" },
        { ">> R(:)\nans =\n\n0.81\n0.54\n-0.2\n-0.47\n0.82\n0.32\n0.34\n-0.16\n0.93", "M" },
        { "GLfloat m[16] = {{c}, 0, 0, 0, 1};\nglLoadMatrixf(m);", "M" },
        { "let R = mat3x3<f32>(vec3<f32>(0.81, 0.54, -0.2), vec3<f32>(-0.47, 0.82, 0.32), "
          "vec3<f32>(0.34, -0.16, 0.93));",
            "M" },
        { "const R = mat3x3f({c});", "M" },
        { "stack(stack(stack(stack(stack({rr})))))",
            R"(Matrix: "stack(stack(stack(stack(stack([[0.81, -0…" is unclear: "stack" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
        { ">>> R.flatten('F')\narray([{c}])", "M" }, { "R = matrix([{c}], 3, 3)", "M" },
        { "np.matrix({rr})", "M" },
        { "# name: R\n# type: matrix\n# rows: 3\n# columns: 3\n{R}", "M" },
        { ">> fprintf('%9.6f %9.6f %9.6f\\n', R)\n{C}",
            R"(Matrix: ">> fprintf('%9.6f %9.6f %9.6f\n', R)\n0.8…" is unclear: "fprintf" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
        { "for (int i = 0; i < 9; ++i) std::cout << R.data()[i] << \" \";\n{c}",
            R"(Matrix: "for (int i = 0; i < 9; ++i) std::cout <<…" is unclear: "data" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
        { "=HSTACK({0.81;0.54;-0.2},{-0.47;0.82;0.32},{0.34;-0.16;0.93})",
            R"(Matrix: "=HSTACK({0.81;0.54;-0.2},{-0.47;0.82;0.3…" is unclear: ";" within a list in a list makes that list a column in MATLAB and in spreadsheets; write each row on a line of its own)" },
        { "={{0.81;0.54;-0.2},{-0.47;0.82;0.32},{0.34;-0.16;0.93}}",
            R"(Matrix: "={{0.81;0.54;-0.2},{-0.47;0.82;0.32},{0.…" is unclear: ";" within a list in a list makes that list a column in MATLAB and in spreadsheets; write each row on a line of its own)" },
        // By columns where the user says so, unless the text says otherwise.
        { "{c}", "M", ValueOrder::Columns }, { "{C}\n12.5 -3 40", "M", ValueOrder::Columns },
        { "1.000 0 0 0 0 1.000 0 0 0 0 1.000 0 0 0 0 1",
            R"(Matrix: "1.000" could be 1000 or 1; write it as one of those)",
            ValueOrder::Columns },
        { "row-major: {r}",
            R"(Matrix: "row-major: 0.81, -0.47, 0.34, 0.54, 0.82…" lists its values by rows ("row-major"), not by columns as asked)",
            ValueOrder::Columns },
        { "Row 1: 0.81 -0.47 0.34\nRow 2: 0.54 0.82 -0.16\nRow 3: -0.2 0.32 0.93",
            R"(Matrix: "Row 1: 0.81 -0.47 0.34\nRow 2: 0.54 0.82 …" lists its values by rows ("Row"), not by columns as asked)",
            ValueOrder::Columns } }));
}

// Code, marks and words that make another matrix of the values written, and words that may say
// that the values are listed otherwise, are refused; their look-alikes are not.
TEST(ReadMatrix, refusesWhatChangesTheValuesOrMaySay)
{
    const std::string change
        = " makes another matrix of the values written (a transpose, an "
          "inverse, a product or a negation); copy the matrix as it is printed";
    const auto changed = [&](std::string_view quoted, std::string_view by) {
        return "Matrix: \"" + std::string(quoted) + "\" is unclear: \"" + std::string(by) + "\""
            + change;
    };
    const std::pair<const char *, std::string>
        rows
            [] {
                { "t(matrix(c({c}), 3, 3))",
                    changed("t(matrix(c(0.81, 0.54, -0.2, -0.47, 0.82…", "t(") },
                { "np.array({rr}).T", changed("np.array([[0.81, -0.47, 0.34], [0.54, 0.…", ".T") },
                { "R.t()\n{R}", changed(R"(R.t()\n0.81 -0.47 0.34\n0.54 0.82 -0.16\n-0…)", ".t") },
                { "Eigen::Matrix3d({r}).inverse()",
                    changed("Eigen::Matrix3d(0.81, -0.47, 0.34, 0.54,…", ".inverse") },
                { "Transpose[{rr}]",
                    changed("Transpose[[[0.81, -0.47, 0.34], [0.54, 0…", "Transpose[") },
                { "diag(c(2, 3, 4)) %*% matrix(c({c}), 3)",
                    changed("diag(c(2, 3, 4)) %*% matrix(c(0.81, 0.54…", "%*%") },
                { "R = [{r}].';", changed("R = [0.81, -0.47, 0.34, 0.54, 0.82, -0.1…", "].'") },
                { "octave:1> x = 1;\noctave:2> R'\nans =\n\n{R}",
                    changed(R"(octave:1> x = 1;\noctave:2> R'\nans =\n\n0.8…)", "R'") },
                { "t (R)\n{R}", changed(R"(t (R)\n0.81 -0.47 0.34\n0.54 0.82 -0.16\n-0…)", "t (") },
                { ">> R'\n\nans =\n\n{R}",
                    changed(R"(>> R'\n\nans =\n\n0.81 -0.47 0.34\n0.54 0.82 …)", "R'") },
                { "It's the matrix:\n{R}", "M" },
                // A "<" after a name with no ">" within a few words is no template's: a
                // comparison.
                { "if a<b and c, then the values below hold, and not those of any other "
                  "text\n{R}",
                    "M" },
                { "'[[0.81, -0.47, 0.34], [0.54, 0.82, -0.16], [-0.2, 0.32, 0.93]]'", "M" },
                { "R = -[{r}]", changed("R = -[0.81, -0.47, 0.34, 0.54, 0.82, -0.…", "-[") },
                { "-{rr};", changed("-[[0.81, -0.47, 0.34], [0.54, 0.82, -0.1…", "-[") },
                { "R <- -matrix(c({c}), 3)",
                    changed("R <- -matrix(c(0.81, 0.54, -0.2, -0.47, …", "-matrix(") },
                { "-[ RECORD 1 ]---------\nrotation | "
                  "{{0.81,-0.47,0.34},{0.54,0.82,-0.16},{-0.2,0.32,0."
                  "93}}",
                    "M" },
                { "R^t = {rr}", changed("R^t = [[0.81, -0.47, 0.34], [0.54, 0.82,…", "^t") },
                { "R^T\r\n{R}", changed(R"(R^T\r\n0.81 -0.47 0.34\n0.54 0.82 -0.16\n-0.…)", "^T") },
                { "mat3 transpose(mat3({c}))",
                    changed("mat3 transpose(mat3(0.81, 0.54, -0.2, -0…", "transpose(") },
                { "R^{-1} = {rr}", changed("R^{-1} = [[0.81, -0.47, 0.34], [0.54, 0.…", "^{-1}") },
                { "R⊤ =\n{R}", changed(R"(R⊤ =\n0.81 -0.47 0.34\n0.54 0.82 -0.16\n-0.…)", "⊤") },
                { "R⁻¹ =\n{R}", changed(R"(R⁻¹ =\n0.81 -0.47 0.34\n0.54 0.82 -0.16\n-0…)", "⁻¹") },
                { "R^-T =\n{R}",
                    changed(R"(R^-T =\n0.81 -0.47 0.34\n0.54 0.82 -0.16\n-…)", "^-T") },
                { "R^{-\\top} =\n{R}",
                    changed(R"(R^{-\top} =\n0.81 -0.47 0.34\n0.54 0.82 -0…)", R"(^{-\top})") },
                { "R = [{c}]~", changed("R = [0.81, 0.54, -0.2, -0.47, 0.82, 0.32…", "~") },
                { "{R}\n~ from the scanner", "M" },
                { "julia> permutedims(R)\n3×3 Matrix{Float64}:\n{R}",
                    changed(R"(julia> permutedims(R)\n3×3 Matrix{Float64…)", "permutedims(") },
                { "=MMULT({1,0,0;0,1,0;0,0,1},{0.81,-0.47,0.34;0.54,0.82,-0.16;-0.2,0.32,0.93}"
                  ")",
                    changed("=MMULT({1,0,0;0,1,0;0,0,1},{0.81,-0.47,0…", "MMULT(") },
                { "Ma trận nghịch đảo:\n{R}",
                    R"(Matrix: "Ma trận nghịch đảo:\n0.81 -0.47 0.34\n0.54…" is unclear: "nghịch đảo" may say that the values are another matrix's (a transpose or an inverse); copy the matrix alone)" },
                { "המטריצה המשוחלפת:\n{R}",
                    R"(Matrix: "המטריצה המשוחלפת:\n0.81 -0.47 0.34\n0.54 0…" is unclear: "המשוחלפת" may say that the values are another matrix's (a transpose or an inverse); copy the matrix alone)" },
                { "3×3 adjoint(::Matrix{Float64}):\n{C}",
                    changed(R"(3×3 adjoint(::Matrix{Float64}):\n0.81 0.5…)", "adjoint(") },
                { "ΑΝΑΣΤΡΟΦΟΣ ΠΙΝΑΚΑΣ:\n{R}",
                    R"(Matrix: "ΑΝΑΣΤΡΟΦΟΣ ΠΙΝΑΚΑΣ:\n0.81 -0.47 0.34\n0.54…" is unclear: "ΑΝΑΣΤΡΟΦΟΣ" may say that the values are another matrix's (a transpose or an inverse); copy the matrix alone)" },
                { "ОБЕРНЕНА МАТРИЦЯ:\n{R}",
                    R"(Matrix: "ОБЕРНЕНА МАТРИЦЯ:\n0.81 -0.47 0.34\n0.54 0…" is unclear: "ОБЕРНЕНА" may say that the values are another matrix's (a transpose or an inverse); copy the matrix alone)" },
                { "Inverse rotation:\n{R}",
                    R"(Matrix: "Inverse rotation:\n0.81 -0.47 0.34\n0.54 0…" is unclear: "Inverse" may say that the values are another matrix's (a transpose or an inverse); copy the matrix alone)" },
                { "Транспонированная матрица:\n{R}",
                    R"(Matrix: "Транспонированная матрица:\n0.81 -0.47 0.…" is unclear: "Транспонированная" may say that the values are another matrix's (a transpose or an inverse); copy the matrix alone)" },
                { "転置行列:\n{R}",
                    R"(Matrix: "転置行列:\n0.81 -0.47 0.34\n0.54 0.82 -0.16\n-0…" is unclear: "転置行列" may say that the values are another matrix's (a transpose or an inverse); copy the matrix alone)" },
                { "回転行列:\n{R}", "M" },
                { "Rotationsmatrix (spaltenweise):\n{C}",
                    R"(Matrix: "Rotationsmatrix (spaltenweise):\n0.81 0.5…" is unclear: "spaltenweise" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
                { "col12\n{R}",
                    R"(Matrix: "col12\n0.81 -0.47 0.34\n0.54 0.82 -0.16\n-0…" is unclear: "col12" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
                { "The columns:\n{C}",
                    R"(Matrix: "The columns:\n0.81 0.54 -0.2\n-0.47 0.82 0…" is unclear: "columns" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
                { "Rotationsmatrix (søjlevis):\n{R}",
                    R"(Matrix: "Rotationsmatrix (søjlevis):\n0.81 -0.47 0…" is unclear: "søjlevis" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
                { "ماتریس دوران (ستونی):\n{R}",
                    R"(Matrix: "ماتریس دوران (ستونی):\n0.81 -0.47 0.34\n0.…" is unclear: "ستونی" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
                { "rotation (GL layout): {r}",
                    R"(Matrix: "rotation (GL layout): 0.81, -0.47, 0.34,…" is unclear: "layout" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
                { "var b = Basis(Vector3(0.81, 0.54, -0.2), Vector3(-0.47, 0.82, 0.32), "
                  "Vector3(0.34, "
                  "-0.16, 0.93))",
                    R"(Matrix: "var b = Basis(Vector3(0.81, 0.54, -0.2),…" is unclear: "Basis" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
                { "x-axis: 0.81 0.54 -0.2\ny-axis: -0.47 0.82 0.32\nz-axis: 0.34 -0.16 0.93", R"(Matrix: "x-axis: 0.81 0.54 -0.2\ny-axis: -0.47 0.8…" is unclear: "axis" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
                { "F-contiguous buffer:\n{C}",
                    R"(Matrix: "F-contiguous buffer:\n0.81 0.54 -0.2\n-0.4…" is unclear: "contiguous" may say that the values are listed by columns; write "row-major" or "column-major" before them)" },
                // Lists that some tools join as columns.
                { "R = [[0.81, -0.47, 0.34] [0.54, 0.82, -0.16] [-0.2, 0.32, 0.93]]",
                    R"(Matrix: "R = [[0.81, -0.47, 0.34] [0.54, 0.82, -0…" is unclear: "] [" sets lists side by side, which Julia and MATLAB join as columns or into one row; write each row on a line of its own, or separate the lists with commas)" },
                { "R = [[0.81; 0.54; -0.2], [-0.47; 0.82; 0.32], [0.34; -0.16; 0.93]]",
                    R"(Matrix: "R = [[0.81; 0.54; -0.2], [-0.47; 0.82; 0…" is unclear: ";" within a list in a list makes that list a column in MATLAB and in spreadsheets; write each row on a line of its own)" },
                { "&ROT\n R= {c},\n /",
                    R"(Matrix: "&ROT\n R= 0.81, 0.54, -0.2, -0.47, 0.82, …" is unclear: a Fortran namelist lists a 3×3 array by columns, but a list of nine as the program stored it; write "row-major" or "column-major" before its values)" },
                // More than one matrix.
                { "{rr} -> {cc}",
                    R"(Matrix: "[[0.81, -0.47, 0.34], [0.54, 0.82, -0.16…" holds more than one matrix; copy one alone)" },
                { "matrix(c({c}), 3, 3)\n[1,] 1 0 0",
                    R"(Matrix: "matrix(c(0.81, 0.54, -0.2, -0.47, 0.82, …" holds more than one matrix; copy one alone)" },
                { "data: [{r}]\ndata: [{r}]",
                    R"(Matrix: "data: [0.81, -0.47, 0.34, 0.54, 0.82, -0…" holds more than one matrix; copy one alone)" },
                { "0.81 -0.47 0.34 0.54 0.82 -0.16 -0.2 0.32 0.93\n1 0 0 0 1 0 0 0 1",
                    R"(Matrix: "0.81 -0.47 0.34 0.54 0.82 -0.16 -0.2 0.3…" holds more than one matrix; copy one alone)" },
                { "0.81 -0.47 0.34 0.54 0.82 -0.16 -0.2 0.32 0.93\n# from run 2", "M" },
                { "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[{rr}]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
                    R"(Matrix: "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[0.81, …" nests brackets more than 32 deep; a matrix needs a few)" },
            };
    for (const auto &[text, expected] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(answer(text), expected);
    }
}

// Cells that carry their place are placed by it, from 0 or 1 as the whole set shows, whatever
// their order.
TEST(ReadMatrix, placesValuesByTheirNames)
{
    check(std::to_array<Row>({
        { "r11=0.81 r21=0.54 r31=-0.2 r12=-0.47 r22=0.82 r32=0.32 r13=0.34 r23=-0.16 r33=0.93",
            "M" },
        { "{\"m00\": 0.81, \"m10\": 0.54, \"m20\": -0.2, \"m01\": -0.47, \"m11\": 0.82, \"m21\": "
          "0.32, \"m02\": 0.34, \"m12\": -0.16, \"m22\": 0.93}",
            "M" },
        { "R_00: 0.81\nR_01: -0.47\nR_02: 0.34\nR_10: 0.54\nR_11: 0.82\nR_12: -0.16\nR_20: "
          "-0.2\nR_21: 0.32\nR_22: 0.93",
            "M" },
        { "R[0][0] = 0.81\nR[0][1] = -0.47\nR[0][5] = 0.34\nR[1][0] = 0.54\nR[1][1] = "
          "0.82\nR[1][2] = "
          "-0.16\nR[2][0] = -0.2\nR[2][1] = 0.32\nR[2][2] = 0.93",
            R"(Matrix: "0.34" is a second value for its place, or one beyond a 4×4; copy one matrix alone)" },
        { "R[1][0] = 0.54;\nR[0][0] = 0.81;\nR[2][0] = -0.2;\nR[0][1] = -0.47;\nR[1][1] = "
          "0.82;\nR[2][1] = 0.32;\nR[0][2] = 0.34;\nR[1][2] = -0.16;\nR[2][2] = 0.93;",
            "M" },
        { "R(2,1) = 0.54; R(1,1) = 0.81; R(3,1) = -0.2; R(1,2) = -0.47; R(2,2) = 0.82; R(3,2) = "
          "0.32; R(1,3) = 0.34; R(2,3) = -0.16; R(3,3) = 0.93;",
            "M" },
        { "m.m00 = 0.81; m.m01 = -0.47; m.m02 = 0.34; m.m03 = 12.5; m.m10 = 0.54; m.m11 = 0.82; "
          "m.m12 = -0.16; m.m13 = -3; m.m20 = -0.2; m.m21 = 0.32; m.m22 = 0.93; m.m23 = 40;",
            "M" },
        { "R(1,1)\tR(2,1)\tR(3,1)\tR(1,2)\tR(2,2)\tR(3,2)\tR(1,3)\tR(2,3)\tR(3,3)\n{c}", "M" },
        { "frame,time,r11,r21,r31,r12,r22,r32,r13,r23,r33\n17,0.566,0.81,0.54,-0.2,-0.47,0.82,0.32,"
          "0.34,-0.16,0.93",
            "M" },
        { "Rxx\tRyx\tRzx\tRxy\tRyy\tRzy\tRxz\tRyz\tRzz\n0.81\t0.54\t-0.2\t-0.47\t0.82\t0.32\t0."
          "34\t-0.16\t0.93",
            "M" },
        // Two names make no header: a table's caption, or the names of two of its columns.
        { "m00 m01\n{R}", "M" },
        { "-[ RECORD 1 ]-\nr11 | 0.81\nr12 | -0.47\nr13 | 0.34\nr21 | 0.54\nr22 | 0.82\nr23 | "
          "-0.16\nr31 | -0.2\nr32 | 0.32\nr33 | 0.93",
            "M" },
        { "r11=0.81 r12=-0.47 r13=0.34",
            R"(Matrix: "r11=0.81 r12=-0.47 r13=0.34" gives its values' places by name, but none for row 2, column 1)" },
        { "r11 = 0.81",
            R"(Matrix: "r11 = 0.81" gives its values' places by name, but none for row 1, column 2)" },
        { "frame,r11,r21,r31,r12,r22,r32,r13,r23,r33\n17,0.81,0.54,-0.2,-0.47,0.82,0.32,0.34,-0.16,"
          "0.93\n18,0.81,0.54,-0.2,-0.47,0.82,0.32,0.34,-0.16,0.93",
            R"(Matrix: "0.81" is a second value for its place, or one beyond a 4×4; copy one matrix alone)" },
    }));
}

// Values are numbers from their first character to their last; signs, commas and grouped digits
// are read as the whole text writes them, and what cannot be read is named.
TEST(ReadMatrix, readsValuesAsTheTextWritesThemOrNamesWhatItCannot)
{
    check(std::to_array<Row>({
        { "0,866025\t-0,5\t0\t0,5\t0,866025\t0\t0\t0\t1", "0 0 30.0 1 1 1 " },
        { "1,5 0 0  0 1 0  0 0 1", "0 0 0 1.5 1 1 " },
        { "x;y;z\r\n0,866025;-0,5;0\r\n0,5;0,866025;0\r\n0;0;1\r\n", "0 0 30.0 1 1 1 " },
        { "1,5\n0\n0\n0\n2,5\n0\n0\n0\n3,5", "0 0 0 1.5 2.5 3.5 " },
        { "1,0,0,0,1,0,0,0,1", "0 0 0 1 1 1 " },
        { "\"X\";\"Y\";\"Z\"\r\n\"0,81\";\"-0,47\";\"0,34\"\r\n\"0,54\";\"0,82\";\"-0,16\"\r\n\"-0,"
          "2\";\"0,32\";\"0,93\"",
            "M" },
        { "0,5 0.866025 -0.5  0 1 0  0 0 1",
            R"(Matrix: "0,5 0.866025 -0.5  0 1 0  0 0 1" mixes decimal commas and decimal points)" },
        { "1,,0,0,0,1,0,0,0,1",
            R"(Matrix: "1,,0,0,0,1,0,0,0,1" has commas that are neither decimal commas nor separators between values)" },
        { "1,5 0 0 0 1 0 0 0 1,5,6", R"(Matrix: "1,5,6" is not a number)" },
        { "1, 0 0, 0 1 0, 0 0 1",
            R"(Matrix: "1, 0 0, 0 1 0, 0 0 1" has commas that are neither decimal commas nor separators between values)" },
        { "1 0 0; 0 1, 0; 0 0 1",
            R"(Matrix: "1 0 0; 0 1, 0; 0 0 1" has commas that are neither decimal commas nor separators between values)" },
        { "0.81 -0.47 0.34 12.5mm\n0.54 0.82 -0.16 -3mm\n-0.2 0.32 0.93 40mm",
            R"(Matrix: "12.5mm" is not a number)" },
        { "0.81 -0.47 0.34\n0.54 NaN -0.16\n-0.2 0.32 0.93", R"(Matrix: "NaN" is not a number)" },
        { "[[inf,  0.,  0.], [ 0.,  1.,  0.], [ 0.,  0.,  1.]]",
            R"(Matrix: "inf" is not a number)" },
        { "nan nan nan nan nan nan nan nan nan", R"(Matrix: "nan" is not a number)" },
        { "-inf 0 0 0 1 0 0 0 1", R"(Matrix: "-inf" is not a number)" },
        { "\u0661\u066b\u0665 \u0660 \u0660",
            R"(Matrix: "١٫٥" is not a number; write its digits as 0 to 9)" },
        { "0.81 -0.47 0.34 x\n0.54 0.82 -0.16\n-0.2 0.32 0.93", R"(Matrix: "x" is not a number)" },
        // A soft hyphen, which shows nothing within a line, may be a minus copied from a PDF.
        { "1 0 0\n0 0 \u00ad1\n0 1 0", R"(Matrix: "\u00AD1" is not a number)" },
        { "Rota\u00adtion:\n1 0 0\n0 0 -1\n0 1 0", "90.0 0 0 1 1 1 " },
        { "1 2 3", R"(Matrix: "1 2 3" holds only 3 numbers; a matrix takes nine)" },
        { "matrix(c(1, 0, 0, 0, 1, 0, 0, 0, 1), nrow = 1)",
            R"(Matrix: "1, 0, 0, 0, 1, 0, 0, 0, 1" declares 1 row of 9 numbers; a matrix takes three rows of three, or three or four of four)" },
        { "matrix(c(1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0), ncol = 3)",
            R"(Matrix: "1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0" declares 4 rows of 3 numbers; a matrix takes three rows of three, or three or four of four)" },
        { "rows: 300\ncols: 3\ndata: [{r}]",
            R"(Matrix: "0.81, -0.47, 0.34, 0.54, 0.82, -0.16, -0…" holds 9 numbers, but declares 300 rows of 3 numbers)" },
        { "matrix(c({c}), nrow = 300)",
            R"(Matrix: "0.81, 0.54, -0.2, -0.47, 0.82, 0.32, 0.3…" holds 9 numbers, but declares 300 rows of 1 number)" },
        { "matrix(c(1, 0), ncol = 3)",
            R"(Matrix: "1, 0" holds only 2 numbers; a matrix takes nine)" },
        { "rows: 4\ncols: 4\ndata: [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0]",
            R"(Matrix: "1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0…" holds more than 16 numbers, but declares 4 rows of 4 numbers)" },
        { "rows: 3\ncols: 3\ndata: [1, 0, 0, 0, 1, 0, 0, 0, 1, 0]",
            R"(Matrix: "1, 0, 0, 0, 1, 0, 0, 0, 1, 0" holds 10 numbers, but declares 3 rows of 3 numbers)" },
        { "Matrix(3, 3, {(1, 1) = .81, (1, 2) = -.47})", R"(Matrix: "=" is not a number)" },
        { "matrix(c(1, 0, 0, 5, 0, 1, 0, 6, 0, 0, 1, 7, 0, 0, 0, 1), nrow = 4)", "0 0 0 1 1 1 " },
        { "9: 0.81 -0.47 0.34\n2: 0.54 0.82 -0.16\n3: -0.2 0.32 0.93",
            R"(Matrix: "9:" is not a number)" },
        { "1 0 0\n0 1 0\n0 0 1\n1 0 0",
            R"(Matrix: "1 0 0\n0 1 0\n0 0 1\n1 0 0" has 4 rows of 3 numbers; a matrix takes three rows of three, three or four of four, or nine of one)" },
        // A line cut into more rows than it counts values for; a line of blanks keeps its first
        // nine, as a *.him line.
        { "[[0,1,0],[1,0,0],[0,0,1],[1,0,0],[0,1,0],[0,0,1]]",
            R"(Matrix: "[[0,1,0],[1,0,0],[0,0,1],[1,0,0],[0,1,0]…" has more than 5 rows of 3 numbers; a matrix takes three rows of three, three or four of four, or nine of one)" },
        { "1 0 0 0; 0 1 0 0; 0 0 1 0; 0 0 0 1; 9 9 9 9",
            R"(Matrix: "1 0 0 0; 0 1 0 0; 0 0 1 0; 0 0 0 1; 9 9 …" has more than 4 rows of 4 numbers; a matrix takes three rows of three, three or four of four, or nine of one)" },
        { "0 -1 0 1 0 0 0 0 1 1 0 0 0 1 0 0 0 1", "0 0 90.0 1 1 1 " },
        { "0.81 -0.47 0.34\n0.54 0.82 -0.16 7\n-0.2 0.32 0.93",
            R"(Matrix: "0.81 -0.47 0.34\n0.54 0.82 -0.16 7\n-0.2 0…" has rows of unequal length: 3, 4 and 3 numbers)" },
        { "1 0\n0 1\n0 0\n1 0\n0 1\n0 0\n1 0\n0 1\n0 0",
            R"(Matrix: "1 0\n0 1\n0 0\n1 0\n0 1\n0 0\n1 0\n0 1\n0 0" has 9 rows of 2 numbers; a matrix takes three rows of three, three or four of four, or nine of one)" },
        { "1\n1\n1\n1\n1\n1\n1\n1\n1 0 0; 0 1 0; 0 0 1",
            R"(Matrix: "1\n1\n1\n1\n1\n1\n1\n1\n1 0 0; 0 1 0; 0 0 1" has more than nine rows of numbers)" },
        // Slices are no places.
        { "R(:,1) = [0.81; 0.54; -0.2];\nR(:,2) = [-0.47; 0.82; 0.32];\nR(:,3) = [0.34; -0.16; "
          "0.93];",
            R"(Matrix: "=" is not a number)" },
        { "1\n0\n0\n0\n1\n0\n0\n0\n1\n0",
            R"(Matrix: "1\n0\n0\n0\n1\n0\n0\n0\n1\n0" has more than nine rows of numbers)" },
        { "1 0 0 5\n0 1 0 6\n0 0 1 7\n5 6 7 1",
            R"(Matrix: "1 0 0 5\n0 1 0 6\n0 0 1 7\n5 6 7 1" has neither a fourth row nor a fourth column of 0 0 0 1)" },
        { "0.81 -0.47 0.34 0\n0.54 0.82 -0.16 0.5\n-0.2 0.32 0.93 0\n12.5 -3 40 1",
            R"(Matrix: "0.81 -0.47 0.34 0\n0.54 0.82 -0.16 0.5\n-0…" has neither a fourth row nor a fourth column of 0 0 0 1)" },
        // A list that states its rows and columns holds nothing else.
        { "matrix(c({c}, x1), nrow = 3)", R"(Matrix: "x1" is not a number)" },
        { "rows: 3\ncols: 3\ndata: [{r}, NA]", R"(Matrix: "NA" is not a number)" },
        { "1 0 0 0 1 0 0 0 1 2 3 4 5 6 7 8",
            R"(Matrix: "1 0 0 0 1 0 0 0 1 2 3 4 5 6 7 8" holds sixteen numbers, but neither its last four nor every fourth is 0 0 0 1)" },
        { "1 0 0  0 1e999 0  0 0 1", R"(Matrix: "1e999" is too large)" },
        { "R = [](0x0)", R"(Matrix: "0x0" is not a number)" },
        { " \t\n", R"(Matrix: " \t\n" holds no parameter line)" },
        { "0.6 + 0.8 0\n-0.8 0.6 0\n0 0 1", R"(Matrix: "+" is not a number)" },
        { "0.81 - 0.47 0.34\n0.54 0.82 - 0.16\n-0.2 0.32 0.93", "M" },
        { "\u2212\u00a01 0 0\n0 1 0\n0 0 1", "0 0 0 -1 1 1 " },
        { "0 0 - 1\n0 1 0\n1\u00a00 0", "0 -90.0 0 1 1 1 " },
        { "\u2212\r\n1\r\n0\r\n0\r\n0\r\n\u2212\r\n1\r\n0\r\n0\r\n0\r\n1", "0 0 180.0 1 1 1 " },
        { "- 1 0 0\n- 0 1 0\n- 0 0 1", "0 0 0 1 1 1 " },
        { "R:\n- 0.81 -0.47 0.34\n- 0.54 0.82 -0.16\n- -0.2 0.32 0.93\nthanks!", "M" },
        { "0.81 -0.47 0.34\n0.54 0.82 -0.16\n- 0.2 0.32 0.93", "M" },
        // Bullets before some lines only, or before numbers that may all be signed: each "-" may be
        // a sign.
        { "- 0.81 -0.47 0.34\n- 0.54 0.82 -0.16\n- 0.2 -0.32 -0.93",
            R"(Matrix: "- 0.81 -0.47 0.34\n- 0.54 0.82 -0.16\n- 0.…" is unclear: a "-" apart before the first number of a line could be a list's bullet or a minus sign; write a minus sign next to its number ("-1"))" },
        { "- 0 1 0\n- 1 0 0\n0 0 -1",
            R"(Matrix: "- 0 1 0\n- 1 0 0\n0 0 -1" is unclear: a "-" apart before the first number of a line could be a list's bullet or a minus sign; write a minus sign next to its number ("-1"))" },
        { "- 1 0 0\n0 1 0\n0 0 1",
            R"(Matrix: "- 1 0 0\n0 1 0\n0 0 1" is unclear: a "-" apart before the first number of a line could be a list's bullet or a minus sign; write a minus sign next to its number ("-1"))" },
        { "\u2212 R 1 0 0 0 1 0 0 0 1", R"(Matrix: "−" is not a number)" },
        { "-\n1\n0\n0\n0\n-\n1\n0\n0\n0\n1",
            R"(Matrix: "-\n1\n0\n0\n0\n-\n1\n0\n0\n0\n1" is unclear: a "-" apart before the first number of a line could be a list's bullet or a minus sign; write a minus sign next to its number ("-1"))" },
        { "- - 1\n  - 0\n  - 0\n- - 0\n  - 0.866025\n  - -0.5\n- - 0\n  - 0.5\n  - 0.866025",
            "30.0 0 0 1 1 1 " },
        { "(1.00)\t0.00\t0.00\n0.00\t(1.00)\t0.00\n0.00\t0.00\t1.00", "0 0 180.0 1 1 1 " },
        { "(1.00)\t0.00\t0.00\n0.00\t-1.00\t0.00\n0.00\t0.00\t1.00",
            R"(Matrix: "(1.00)\t0.00\t0.00\n0.00\t-1.00\t0.00\n0.00\t0.…" is unclear: it writes negative numbers both with a minus sign and in parentheses, as (1) for -1; write them all one way)" },
        { "[1 0 0] [0 1 0] [0 0 1] [5 6 7]",
            R"(Matrix: "[1 0 0] [0 1 0] [0 0 1] [5 6 7]" has 4 rows of 3 numbers; a matrix takes three rows of three, three or four of four, or nine of one)" },
        { "{ 0.81f, -0.47f, 0.34f },\n{ 0.54f, 0.82f, -0.16f },\n{ -0.2f, 0.32f, 0.93f }",
            R"(Matrix: "0.81f" is not a number)" },
        { "1'000\t0\t0\n0\t1\t0\n0\t0\t1",
            R"(Matrix: "1'000" is unclear: it could be one number whose digits are grouped, or two numbers; write the number without the mark or space between its digits)" },
        { "0.866\u2009025 -0.5 0\n0.5 0.866\u2009025 0\n0 0 1",
            R"(Matrix: "0.866\u2009025" is unclear: it could be one number whose digits are grouped, or two numbers; write the number without the mark or space between its digits)" },
        { "1.125 0 0   0 1 0   0 0 1 ", "0 0 0 1.125 1 1 " },
        { "1.125 0 0   0 1 0   0 0 1 # part 2", "0 0 0 1.125 1 1 " },
        { "1,000.00\t0.00\t0.00\n0.00\t1,000.00\t0.00\n0.00\t0.00\t1,000.00",
            R"(Matrix: "1,000.00" is not a number (write it without thousands separators))" },
        { "1,500\t0\t0\n0\t1,299\t-0,75\n0\t0,75\t1,299", "30.0 0 0 1.5 1.5 1.5 " },
        { "T = [1 0 0; 0 0 1; 0 -1 0] (a 'rotation')", "-90.0 0 0 1 1 1 " },
        { "1,000\t0\t0\n0\t1,000\t0\n0\t0\t1,000",
            R"(Matrix: "1,000" could be 1000 or 1; write it as one of those)" },
        { "\"2.000\",0,0\r\n0,\"3.000\",0\r\n0,0,\"4.000\"",
            R"(Matrix: "2.000" could be 2000 or 2; write it as one of those)" },
        { "1,234\t0\t0\n0\t1\t0\n0\t0\t1",
            R"(Matrix: "1,234" could be 1234 or 1.234; write it as one of those)" },
    }));
}

// Where a text may be read in several ways, Calculate Angles answers what every reading answers
// alike: "1,000" as a scale changes no angle, but the scales it does.
TEST(ReadMatrix, answersWhatEveryReadingAnswersAlike)
{
    const struct
    {
        const char *text, *angles, *withScales;
    } rows[] {
        { "1,000\t0\t0\n0\t1,000\t0\n0\t0\t1,000", "0 0 0 ",
            R"(Matrix: "1,000" could be 1000 or 1; write it as one of those)" },
        { "1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1", "0 0 0 ", "0 0 0 1 1 1 " },
        { "- 1 0 0\n0 -1 0\n0 0 1",
            R"(Matrix: "- 1 0 0\n0 -1 0\n0 0 1" is unclear: a "-" apart before the first number of a line could be a list's bullet or a minus sign; write a minus sign next to its number ("-1"))",
            R"(Matrix: "- 1 0 0\n0 -1 0\n0 0 1" is unclear: a "-" apart before the first number of a line could be a list's bullet or a minus sign; write a minus sign next to its number ("-1"))" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(answer(row.text, ValueOrder::Rows, false), row.angles);
        EXPECT_EQ(answer(row.text), row.withScales);
    }
}

} // namespace
