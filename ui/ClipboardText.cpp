#include "ClipboardText.h"

#include <QClipboard>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>

namespace quorvex {
namespace {

    // How long the toolkit waits for the program that holds the clipboard to answer one request
    // before it gives up and returns nothing: five seconds on X11, one on Wayland. It says nothing
    // when it gives up, so a request that took this long and brought nothing is taken for no
    // answer; an answer that comes sooner, however late, is an answer.
    qint64 toolkitWait()
    {
        return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ? 1000 : 5000;
    }

} // namespace

std::optional<QString> clipboardText(QClipboard::Mode mode)
{
    // Each further question to a program that does not answer costs another wait: ask for the
    // kinds of data it offers once, and for the text only where it offers one. Each request is
    // timed on its own, since each has a wait of its own.
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(mode);
    QElapsedTimer request;
    request.start();
    const bool offersText = data && !data->formats().isEmpty() && data->hasText();
    bool answered = offersText || request.elapsed() < toolkitWait();
    QString text;
    if (offersText) {
        request.restart();
        text = data->text();
        answered = !text.isEmpty() || request.elapsed() < toolkitWait();
    }
    QGuiApplication::restoreOverrideCursor();
    if (!answered)
        return std::nullopt;
    return text;
}

} // namespace quorvex
