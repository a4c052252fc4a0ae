#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

// What the bare window takes from a Designer form: for the form itself and each widget in it, its
// kind, text and place.
struct BareControl
{
    QString kind;
    QString text;
    QRect geometry;
};

QList<BareControl> readForm(const QString &form);

// Gives the window the size of the form's first control and a plain one for each of the others:
// no style sheets, no fonts of their own.
void buildBareWindow(QWidget &window, const QList<BareControl> &controls);
