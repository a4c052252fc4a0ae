// Draws the program's picture of an orientation into a PNG file, with the main window's own pane on
// Qt's offscreen platform, so that the picture the README shows can be made again:
//
//   quorvex-render-orientation FILE SIZE ROT_X ROT_Y ROT_Z [SCALE_X SCALE_Y SCALE_Z]
//
// The numbers are read as the window's fields read them, with "." for the decimal point.

#include "MainWindow.h"
#include "OrientationView.h"

#include <QApplication>
#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString &problem)
{
    std::fprintf(stderr, "quorvex-render-orientation: %s\n", qPrintable(problem));
    std::exit(EXIT_FAILURE);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 6 && argc != 9)
        fail("usage: quorvex-render-orientation FILE SIZE ROT_X ROT_Y ROT_Z [SCALE_X SCALE_Y "
             "SCALE_Z]");
    // The same picture on every machine: no display, Qt's own style and its light colours, and the
    // font the package depends on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));

    bool number = false;
    const int size = QByteArray(argv[2]).toInt(&number);
    if (!number || size < 1)
        fail(QStringLiteral("\"%1\" is no size in pixels").arg(argv[2]));
    quorvex::InputTexts inputs { argv[3], argv[4], argv[5], "1", "1", "1" };
    for (int i = 6; i < argc; ++i)
        inputs[static_cast<std::size_t>(i - 3)] = argv[i];
    const auto parameters = quorvex::calculateParameters(inputs, {});
    if (const auto *error = std::get_if<quorvex::Error>(&parameters))
        fail(QString::fromStdString(error->message));

    // The window hands its pane the colours of its fields.
    const quorvex::MainWindow window;
    auto *view = window.findChild<quorvex::OrientationView *>();
    view->resize(size, size);
    view->setParameters(std::get<quorvex::Parameters>(parameters));
    const QString file = QString::fromLocal8Bit(argv[1]);
    if (!view->grab().save(file, "PNG"))
        fail("cannot write " + file);
    return EXIT_SUCCESS;
}
