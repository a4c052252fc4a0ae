#include "Notification.h"

#include "AccessibleRole.h"

#include <QTextLayout>

#include <algorithm>

namespace quorvex {

Notification::Notification(QWidget *parent)
    : QLabel(parent)
{
    // Screen readers speak an object of the notification role when it appears; a label's role,
    // static text, they only read when the user moves to it.
    installAccessibleRoles();
    setProperty("accessibleRole", "Notification");
    // Messages quote what the user typed, which may look like markup.
    setTextFormat(Qt::PlainText);
    hide();
}

void Notification::say(const QString &text, bool anew)
{
    if (text.isEmpty())
        return hide();
    if (text == said() && !anew)
        return;
    // Hidden first, so that the message appears, and is announced, anew.
    hide();
    ensurePolished();
    const QString shown = fitted(text);
    setText(shown);
    // Cut short, it is whole in its tooltip; its lines alone do not cut it.
    setToolTip(shown.simplified() == text.simplified() ? QString() : text);
    setAccessibleName(text);
    show();
}

QString Notification::fitted(const QString &text) const
{
    const QFontMetrics metrics(font());
    const int width = contentsRect().width();
    const int lines = wordWrap() ? std::max(1, contentsRect().height() / metrics.lineSpacing()) : 1;
    QTextLayout layout(text, font());
    QStringList shown;
    layout.beginLayout();
    for (int i = 0; i < lines; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        const QString rest = text.mid(line.textStart());
        if (i + 1 == lines && line.textLength() < rest.size())
            shown << metrics.elidedText(rest.simplified(), Qt::ElideRight, width);
        else
            shown << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return shown.join(QLatin1Char('\n'));
}

} // namespace quorvex
