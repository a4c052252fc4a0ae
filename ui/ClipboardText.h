#pragma once

#include <QClipboard>
#include <QString>

#include <optional>

namespace quorvex {

// The plain text on the system clipboard, or in the selection: empty when it holds none (nothing
// at all, or only a picture), and no value when the program that holds it did not answer. The
// toolkit reports both as an empty text; only the time it waited tells them apart: the whole of
// its wait.
std::optional<QString> clipboardText(QClipboard::Mode mode = QClipboard::Clipboard);

} // namespace quorvex
