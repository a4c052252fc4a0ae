// quorvex: the calculator's windows.

#include "MainWindow.h"
#include "WindowIcon.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view Usage = R"(Usage: quorvex [--help | --version]

Opens the calculator's window: three rotation angles and three scale factors
become the nine parameters of a *.him file, put on the clipboard, and a
parameter line on the clipboard becomes its angles. quorvex-cli does the same
in a terminal, without a display.
)";

// Where the window was to appear, for the message that says it cannot.
std::string display()
{
    const std::string_view platform
        = std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
    if (!platform.empty() && !platform.starts_with("xcb") && !platform.starts_with("wayland"))
        return "with the platform \"" + std::string(platform) + "\" (QT_QPA_PLATFORM)";
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY" }) {
        const char *value = std::getenv(name);
        if (value && *value)
            return "on the display \"" + std::string(value) + "\"";
    }
    return "without a display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

// While the toolkit opens the display, its messages are held back: where the display cannot be
// used, it ends in a report of several lines and an abort, and a person deserves one sentence and
// the way to the same calculations without a window. The platform's own threads may send messages
// meanwhile, hence the lock.
std::mutex heldMutex;
QStringList heldMessages;

void holdBack(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QString text = qFormatLogMessage(type, context, message);
    const std::lock_guard lock(heldMutex);
    if (type != QtFatalMsg) {
        heldMessages << text;
        return;
    }
    if (message.contains(QLatin1String("platform plugin"))) {
        std::fprintf(stderr,
            "quorvex: cannot open a window %s; quorvex-cli does the same calculations in a "
            "terminal.\n",
            display().c_str());
    } else {
        // Not the display: what the toolkit said is all there is to go by.
        for (const auto &held : std::as_const(heldMessages))
            std::fprintf(stderr, "%s\n", qPrintable(held));
        std::fprintf(stderr, "quorvex: %s\n", qPrintable(text));
    }
    std::_Exit(EXIT_FAILURE);
}

// --help and --version answer in the terminal; false for anything else, which Qt reads.
bool answered(std::span<char *const> arguments, int &status)
{
    for (const std::string_view arg : arguments) {
        if (arg != "--help" && arg != "-h" && arg != "--version")
            continue;
        const auto text = arg == "--version" ? std::string("quorvex " QUORVEX_VERSION "\n")
                                             : std::string(Usage);
        status = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? EXIT_SUCCESS
                                                                                   : EXIT_FAILURE;
        if (status != EXIT_SUCCESS)
            std::perror("quorvex: cannot write standard output");
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // The toolkit needs the program's name; a program started without one (argc 0) gets it here.
    char name[] = "quorvex";
    char *named[] = { name, nullptr };
    if (argc < 1) {
        argc = 1;
        argv = named;
    }
    const std::span<char *const> arguments(argv + 1, static_cast<std::size_t>(argc - 1));
    if (int status; answered(arguments, status))
        return status;

    qInstallMessageHandler(holdBack);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    {
        const std::lock_guard lock(heldMutex);
        for (const auto &message : std::as_const(heldMessages))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    }

    QApplication::setApplicationVersion(QStringLiteral(QUORVEX_VERSION));
    // The window's class and its icon tie it to the menu entry in docks and task switchers.
    QApplication::setApplicationName(QStringLiteral("quorvex"));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEX_APP_ID));
    QApplication::setWindowIcon(quorvex::windowIcon());
    quorvex::MainWindow window;
    window.show();
    return QApplication::exec();
}
