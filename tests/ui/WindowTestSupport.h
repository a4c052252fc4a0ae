#pragma once

// Finding and clicking the controls of a window by their object names, for the window tests.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

// The parameter line of Rot X = 10, Rot Y = 20, Rot Z = 30, as Calculate Matrix writes it.
inline const QString Line102030
    = QStringLiteral("0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   "
                     "-0.204874 0.318796 0.925417 ");

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
