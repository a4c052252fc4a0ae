// The yardstick for quorvex's start-up: a plain Qt window with the controls of quorvex's main form,
// at the same places, built in code from the form's widget names, kinds, texts and geometry, with
// no style sheets, no calculations, no picture of the orientation and no help window. Reading the
// form costs it some 0.4 ms that quorvex, whose form is compiled in, does not spend
// (quorvex-startup-pieces measures it): the ratio flatters quorvex by that much.

#include "BareForm.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    buildBareWindow(window, readForm(QStringLiteral(QUORVEX_MAIN_FORM)));
    window.show();
    return app.exec();
}
