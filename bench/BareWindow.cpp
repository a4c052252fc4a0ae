// The yardstick for quorvex's start-up: a plain Qt window with the same nineteen controls at the
// same places, built in code, with no form, no style sheets, no calculations and no help window.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace {

template<typename Control>
void place(QWidget *window, const char *text, int left, int top, int width, int height)
{
    auto *control = new Control(QString::fromLatin1(text), window);
    control->setGeometry(left, top, width, height);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(588, 291);
    place<QLineEdit>(&window, "0", 112, 72, 73, 19);
    place<QLineEdit>(&window, "0", 112, 104, 73, 19);
    place<QLineEdit>(&window, "0", 112, 136, 73, 19);
    place<QLineEdit>(&window, "1", 328, 72, 73, 19);
    place<QLineEdit>(&window, "1", 328, 104, 73, 19);
    place<QLineEdit>(&window, "1", 328, 136, 73, 19);
    place<QLabel>(&window, "Rot X", 32, 72, 57, 17);
    place<QLabel>(&window, "Rot Y", 32, 104, 57, 17);
    place<QLabel>(&window, "Rot Z", 32, 136, 57, 17);
    place<QLabel>(&window, "Scale X", 248, 72, 49, 17);
    place<QLabel>(&window, "Scale Y", 248, 104, 49, 17);
    place<QLabel>(&window, "Scale Z", 248, 136, 49, 17);
    place<QPushButton>(&window, "Calculate Matrix", 360, 240, 193, 25);
    place<QLabel>(&window, "Calculate rotation (CW) and scaling parameters", 32, 24, 521, 17);
    place<QLineEdit>(&window, "1 0 0  0 1 0  0 0 1", 112, 192, 441, 19);
    place<QLabel>(&window, "Matrix", 32, 192, 41, 17);
    place<QPushButton>(&window, "Exit", 472, 128, 81, 25);
    place<QPushButton>(&window, "Calculate Angles", 32, 240, 193, 25);
    place<QPushButton>(&window, "Help", 472, 72, 81, 25);
    window.show();
    return app.exec();
}
