#pragma once

#include "quorvex/Calculations.h"
#include "quorvex/Error.h"

#include <cstddef>
#include <string_view>
#include <variant>

// The second step of reading a matrix: what its text declares about its values, looked up in one
// table of what tools write (Declarations.cpp): the order of the values, where they are listed, and
// the shape of the list. A word that could change the values' order or meaning and that the table
// does not explain makes the text unclear.
namespace quorvex::detail {

// In which order a text lists its values: as it or the user says, or, where neither does, by rows.
enum class Order : unsigned char { Undeclared, Rows, Columns };

// A shape that a text declares for its list of values ("rows: 3", R's nrow = 3); 0 where none.
struct DeclaredShape
{
    std::size_t rows = 0, columns = 0;
};

struct Declaration
{
    Order order = Order::Undeclared;
    std::string_view said; // the words that declare the order: "column-major", "byrow = TRUE"
    // The values of a call or of a file format's data, where the text marks them ("matrix(c(…))",
    // "data: […]"); empty where the whole text is read.
    std::string_view list;
    DeclaredShape shape;
};

// What a text declares, or why it is unclear: it holds more than one matrix, makes another matrix
// of the values it writes (a transpose, an inverse, a negation), declares both orders, or names
// columns, an order, a transpose or an inverse in words that no row of the table explains.
std::variant<Declaration, Error> declarationOf(std::string_view text, ValueOrder asked);

} // namespace quorvex::detail
