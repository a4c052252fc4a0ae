#pragma once

#include <QIcon>

namespace quorvex {

// The program's icon for its windows, from pixels drawn from its SVG icon when it was built.
QIcon windowIcon();

} // namespace quorvex
