#pragma once

// Finding and clicking the controls of a window by their object names, for the window tests.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

template<typename T = QWidget> T *child(const QWidget &window, const QString &name)
{
    auto *widget = window.findChild<T *>(name);
    if (!widget)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return widget;
}

inline void click(const QWidget &window, const char *button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

inline QString text(const QWidget &window, const QString &field)
{
    return child<QLineEdit>(window, field)->text();
}
