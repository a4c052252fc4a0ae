#pragma once

#include "quorvex/Error.h"
#include "reader/MatrixShapes.h"

#include <string_view>
#include <variant>

namespace quorvex::detail {

// What a text says about how it lists a matrix's values.
struct Declaration
{
    // The words that say the order, as the text writes them ("column-major", "byrow = TRUE"),
    // empty where none does.
    std::string_view byRows, byColumns;
    // The part of the text that lists the values, where a call or a file format marks it: the
    // c(…) of R's matrix(), the data of an OpenCV file. Empty where the whole text is read.
    std::string_view list;
    DeclaredShape shape;
};

// Reads what a text declares about its layout:
// - words before or after the values: "column-major", "col_major", "column-wise", "by columns"
//   and their row forms;
// - R: matrix(c(…), nrow = 3) and matrix(c(…), 3, 3) fill by columns, unless byrow = TRUE;
//   structure(c(…), dim = c(3L, 3L)) and array(c(…), dim = …) by columns, as dput writes them;
// - NumPy's and Fortran's order='F' and order = [1, 2] by columns, order='C' and order = [2, 1]
//   by rows; reshape(…) without one is unclear (MATLAB, Julia and Fortran fill by columns,
//   NumPy by rows), but NumPy's method, array.reshape(…), fills by rows;
// - GLSL's and glm's mat3(…), mat4x4(…) by columns;
// - OpenCV's FileStorage and ROS's calibration files: rows, cols and data, in YAML or XML.
// Refuses a text that declares both orders or holds more than one declared matrix, a Fortran
// namelist or a reshape(…) that does not say its order, and code that makes another matrix of the
// values it writes: a transpose or an inverse ("t(…)", "….T", "[…]'", "inv(…)").
std::variant<Declaration, Error> declarationOf(std::string_view text);

} // namespace quorvex::detail
