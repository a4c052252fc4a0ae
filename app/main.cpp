// quorvex: the calculator's windows.

#include "Quorvex.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <span>
#include <string_view>

namespace {

// Without a display the toolkit would abort with a report about platform plugins; a person
// deserves a sentence and the way to the same calculations without a window.
bool displayAvailable(std::span<char *const> args)
{
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" }) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    for (const std::string_view arg : args) {
        if (arg == "-platform" || arg == "--platform")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!displayAvailable({ argv, static_cast<std::size_t>(argc) })) {
        std::cerr << "quorvex: no display to show its window on (neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set); quorvex-cli does the same calculations in a "
                     "terminal.\n";
        return EXIT_FAILURE;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(QUORVEX_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEX_APP_ID));
    quorvex::Quorvex window;
    window.show();
    return QApplication::exec();
}
