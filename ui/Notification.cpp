#include "Notification.h"

#include <QAccessibleWidget>

#include <chrono>

namespace quorvex {
namespace {

    // Long enough to read a short sentence, short enough not to linger after the next action.
    constexpr std::chrono::milliseconds Shown = std::chrono::seconds(4);

    // Screen readers speak an object of the notification role when it appears; a label's role,
    // static text, they only read when the user moves to it.
    QAccessibleInterface *accessibleNotification(const QString &className, QObject *object)
    {
        if (className != QLatin1String(Notification::staticMetaObject.className()))
            return nullptr;
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    }

} // namespace

Notification::Notification(QWidget *parent)
    : QLabel(parent)
{
    [[maybe_unused]] static const bool installed
        = (QAccessible::installFactory(accessibleNotification), true);
    hide();
    m_timer.setSingleShot(true);
    m_timer.setInterval(Shown);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
}

void Notification::announce()
{
    // Hidden first, so that a repeated message appears, and is announced, anew.
    hide();
    setAccessibleName(text());
    show();
    m_timer.start();
}

} // namespace quorvex
