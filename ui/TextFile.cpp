#include "TextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace quorvex {
namespace {

    // Far more than any matrix, as quorvex-cli takes on its standard input: a file beyond it is
    // something else, and is not read into memory.
    constexpr qint64 MostBytes = 64 << 20;

    QString tr(const char *text)
    {
        return QCoreApplication::translate("quorvex::TextFile", text);
    }

} // namespace

std::variant<QString, FileProblem> readTextFile(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (info.isDir())
        return FileProblem { tr("Matrix: \"%1\" is a folder; drop a text file").arg(name) };
    // A pipe would keep the window waiting for a writer, a device hand over endless bytes.
    if (info.exists() && !info.isFile())
        return FileProblem { tr("Matrix: \"%1\" is not a text file").arg(name) };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileProblem { tr("Matrix: cannot read \"%1\": %2").arg(name, file.errorString()) };
    if (file.size() > MostBytes) {
        return FileProblem { tr("Matrix: \"%1\" holds %L2 MiB, far more than a matrix; it was not "
                                "read")
                                 .arg(name)
                                 .arg(file.size() >> 20) };
    }
    const QByteArray bytes = file.read(MostBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MostBytes)
        return FileProblem { tr("Matrix: cannot read \"%1\": %2").arg(name, file.errorString()) };
    // A byte-order mark says which encoding; without one only UTF-8 is taken. A zero byte is no
    // character of a text file: UTF-16 without a mark, or a binary file.
    const auto marked = QStringConverter::encodingForData(bytes);
    if (!marked && bytes.contains('\0'))
        return FileProblem { tr("Matrix: \"%1\" is not a text file").arg(name) };
    QStringDecoder decoder(marked.value_or(QStringConverter::Utf8));
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return FileProblem { tr("Matrix: \"%1\" is not text in UTF-8, nor in UTF-16 with a "
                                "byte-order mark")
                                 .arg(name) };
    }
    // An empty text would read as a clipboard without text, the identity, which no one dropped.
    if (text.isEmpty())
        return FileProblem { tr("Matrix: \"%1\" is empty").arg(name) };
    return text;
}

} // namespace quorvex
