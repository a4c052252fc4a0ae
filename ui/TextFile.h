#pragma once

#include <QString>

#include <variant>

namespace quorvex {

// Why a file holds no text to read: a sentence that names the file.
struct FileProblem
{
    QString message;
};

// The text of a local file that the user dropped on the window: UTF-8, or UTF-16 or UTF-32 with a
// byte-order mark. A folder, a file that cannot be opened, one far larger than any matrix, and
// one whose bytes are no such text (a picture, a spreadsheet's own format, text in another
// encoding, which could only be guessed at) are a problem instead.
std::variant<QString, FileProblem> readTextFile(const QString &path);

} // namespace quorvex
