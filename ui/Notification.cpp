#include "Notification.h"

#include <QAccessibleWidget>

namespace quorvex {
namespace {

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
}

void Notification::announce()
{
    // Hidden first, so that a repeated message appears, and is announced, anew.
    hide();
    setAccessibleName(text());
    show();
}

} // namespace quorvex
