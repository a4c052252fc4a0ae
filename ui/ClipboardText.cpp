#include "ClipboardText.h"

#include <QClipboard>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>

namespace quorvex {
namespace {

    // Programs answer a clipboard request within milliseconds; the toolkit gives up on one that
    // does not after seconds (five on X11) and returns nothing. An empty answer that took this
    // long is that timeout, not an empty clipboard.
    constexpr qint64 NoAnswerMilliseconds = 1000;

} // namespace

std::optional<QString> clipboardText()
{
    // Each further question to a program that does not answer costs another timeout: ask for the
    // kinds of data it offers once, and for the text only where it offers one.
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QElapsedTimer timer;
    timer.start();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    const QString text
        = data && !data->formats().isEmpty() && data->hasText() ? data->text() : QString();
    QGuiApplication::restoreOverrideCursor();
    if (text.isEmpty() && timer.elapsed() >= NoAnswerMilliseconds)
        return std::nullopt;
    return text;
}

} // namespace quorvex
