#include "AccessibleRole.h"

#include <QAccessibleWidget>
#include <QMetaEnum>
#include <QWidget>

namespace quorvex {
namespace {

    QAccessibleInterface *accessibleRole(const QString &, QObject *object)
    {
        const QByteArray name = object->property("accessibleRole").toByteArray();
        bool known = false;
        const int role
            = QMetaEnum::fromType<QAccessible::Role>().keyToValue(name.constData(), &known);
        if (!known || !object->isWidgetType())
            return nullptr;
        return new QAccessibleWidget(
            static_cast<QWidget *>(object), static_cast<QAccessible::Role>(role));
    }

} // namespace

void installAccessibleRoles()
{
    [[maybe_unused]] static const bool installed
        = (QAccessible::installFactory(accessibleRole), true);
}

} // namespace quorvex
