// quorvex: the calculator's windows.

#include "ClipboardKeeper.h"
#include "MainWindow.h"
#include "WindowIcon.h"

#include <QApplication>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/mman.h> // memfd_create: a file in memory, which needs no writable folder
#include <unistd.h>

namespace {

constexpr std::string_view Usage = R"(Usage: quorvex [--help | --version] [QT_OPTION...]

Opens the calculator's window: three rotation angles and three scale factors
become the nine parameters of a *.him file, put on the clipboard, and a
parameter line on the clipboard becomes its angles. quorvex-cli does the same
in a terminal, without a display.

Calculate Angles reads the text on the clipboard: a parameter line of nine
values, as in a *.him file (what follows the ninth is not read), or a matrix as
a console, spreadsheet or document shows it, in rows of three, or of four with
a translation. It shows the text in the Matrix field and writes the angles and
scale factors that rebuild the matrix into the six fields; a clipboard without
text reads as the identity. A text that is no rotation with scale factors, or
that could be read more than one way, is refused with a message that says why,
and nothing is written.

Beside the form a picture shows what the six fields do to an object, as they
are typed: its axes turned (X green, Y yellow, Z cyan, as their fields) over
the grey axes where they were, the unit cube carried with them, and arcs that
turn as positive angles do; greyed while a field cannot be read. It is drawn
with Z up, X to the right and Y to the left, both going away, seen from
between -X and -Y and a little above; a drag or the arrow keys turn the view,
a double click or Home turns it back.

A parameter line is the matrix M of Help read column by column: r11 r12 r13 is
where X goes, r21 r22 r23 where Y goes, r31 r32 r33 where Z goes, and a point v
goes to v' = M × v. M scales the object along its own axes first, then turns it
about the fixed axes X, Y and Z in turn, by Rot X, Rot Y and Rot Z. A positive
angle turns clockwise as seen from the tip of its axis toward the origin (the
CW of the window's heading), against the right-hand rule.

In the window, Enter in any of the six input fields calculates the matrix,
Enter in the Matrix field reads the text typed there, and Ctrl+Shift+V reads
the matrix on the clipboard. A whole matrix pasted into any field (Ctrl+V,
Shift+Insert, the middle button), and a text or text file dropped on the
window, are read as Calculate Angles reads the clipboard. A field that cannot
be read is framed in red and named in the window as it is typed; a note under
the Matrix field says when the line there is no longer the fields'. Ctrl+Z
undoes typing and actions alike, Ctrl+Shift+Z or Ctrl+Y redoes them; F9 or the
Picture box hides and shows the picture; F1 opens Help, Escape or Ctrl+W
closes it, and Ctrl+Q quits. Angles may carry a unit: 30, 30°, 30 deg and
0.52 rad are read.

After Ctrl+Q, Exit or the last window closed, where no clipboard manager runs,
quorvex goes on without a window until another program takes the clipboard, so
that the line it put there can still be pasted.

Qt's own options, such as -platform NAME, -display DISPLAY, -style NAME and
-reverse, are passed on to the toolkit.

Exit status: 0 when the window is closed, 1 when no window can be opened, 2
for a wrong command line.
)";

// Qt's options, as QGuiApplication, QApplication and the X11 platform read and remove them: those
// followed by a value, those that take it after "=", and those without one. Any may begin with
// one dash or two.
constexpr std::array QtOptionsWithValue { "platform", "platformpluginpath", "platformtheme",
    "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "geometry",
    "name", "style", "stylesheet" };
constexpr std::array QtOptionsWithEquals { "style", "stylesheet", "qmljsdebugger" };
constexpr std::array QtFlags { "reverse", "widgetcount", "nograb", "dograb" };

// Where the window was to appear, for the message that says it cannot.
std::string displayName()
{
    const auto variable = [](const char *name) -> std::string {
        const char *value = std::getenv(name);
        return value ? value : "";
    };
    const std::string platform = variable("QT_QPA_PLATFORM");
    if (platform.starts_with("wayland") && platform.find(';') == std::string::npos) {
        const std::string wayland = variable("WAYLAND_DISPLAY");
        return wayland.empty() ? "without a Wayland display (WAYLAND_DISPLAY is not set)"
                               : "on the Wayland display \"" + wayland + "\"";
    }
    if (!platform.empty() && !platform.starts_with("xcb"))
        return "with the platform \"" + platform + "\" (QT_QPA_PLATFORM)";
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY" }) {
        if (const std::string value = variable(name); !value.empty())
            return "on the display \"" + value + "\"";
    }
    return "without a display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

// What the libraries under the toolkit write to standard error themselves while it opens the
// display: the Wayland client library, for one, prints "error: XDG_RUNTIME_DIR is invalid or not
// set in the environment." before the toolkit gives up. It goes to a file in memory meanwhile, and
// on to standard error unless the message that the window cannot open replaces it.
class HeldStandardError
{
public:
    void hold()
    {
        std::fflush(stderr);
        m_held = memfd_create("quorvex-held-stderr", MFD_CLOEXEC);
        m_saved = m_held < 0 ? -1 : fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (m_saved < 0 || dup2(m_held, STDERR_FILENO) < 0)
            release(false); // standard error is left as it is: nothing is held
    }

    // Standard error as it was; what was held is written there first where `pass` says so.
    void release(bool pass)
    {
        if (m_saved >= 0) {
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
            if (pass)
                passOn();
        }
        if (m_held >= 0)
            close(m_held);
        m_held = m_saved = -1;
    }

private:
    void passOn() const
    {
        std::array<char, 4096> buffer;
        ssize_t length = 0;
        for (off_t at = 0; (length = pread(m_held, buffer.data(), buffer.size(), at)) > 0;
             at += length) {
            if (::write(STDERR_FILENO, buffer.data(), static_cast<std::size_t>(length)) != length)
                return;
        }
    }

    int m_held = -1; // the file in memory
    int m_saved = -1; // standard error itself, meanwhile
};

// While the toolkit opens the display, its messages are held back, and what the libraries under
// it write (heldStandardError): where the display cannot be used, it ends in a report of several
// lines and an abort, and a person deserves one sentence and the way to the same calculations
// without a window. The platform's own threads may send messages meanwhile, hence the lock.
std::mutex heldMutex;
HeldStandardError heldStandardError;
QStringList heldMessages;
// The platform plugins that Qt looked for and did not find, and whether one that it found failed.
QStringList missingPlugins;
bool pluginFailed = false;

void holdBack(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QString text = qFormatLogMessage(type, context, message);
    const std::lock_guard lock(heldMutex);
    if (type != QtFatalMsg) {
        const QLatin1String notFound("Could not find the Qt platform plugin \"");
        if (message.startsWith(notFound))
            missingPlugins << message.mid(notFound.size()).section('"', 0, 0);
        pluginFailed = pluginFailed || message.contains(QLatin1String("even though it was found"));
        heldMessages << text;
        return;
    }
    const QString missing = missingPlugins.isEmpty() ? QString()
                                                     : "Qt's platform plugin \""
            + missingPlugins.join(QLatin1String("\" or \"")) + "\" is not installed";
    const char *fallback = "quorvex-cli does the same calculations in a terminal";
    const bool pluginMissing = !missing.isEmpty() && !pluginFailed;
    const bool displayFailed = message.contains(QLatin1String("platform plugin"));
    // One sentence replaces what the libraries said where the display is to blame.
    heldStandardError.release(!pluginMissing && !displayFailed);
    if (pluginMissing) {
        std::fprintf(
            stderr, "quorvex: cannot open a window: %s; %s.\n", qPrintable(missing), fallback);
    } else if (displayFailed) {
        std::fprintf(stderr, "quorvex: cannot open a window %s%s; %s.\n", displayName().c_str(),
            qPrintable(missing.isEmpty() ? missing : " (" + missing + ')'), fallback);
    } else {
        // Not the display: what the toolkit and its libraries said is all there is to go by.
        for (const auto &held : std::as_const(heldMessages))
            std::fprintf(stderr, "%s\n", qPrintable(held));
        std::fprintf(stderr, "quorvex: %s\n", qPrintable(text));
    }
    std::_Exit(EXIT_FAILURE);
}

int write(const std::string &text)
{
    if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0)
        return EXIT_SUCCESS;
    std::perror("quorvex: cannot write standard output");
    return EXIT_FAILURE;
}

// --help, --version and a wrong command line are answered in the terminal, with the exit status
// returned; nothing for a command line that opens the window, whose Qt options QApplication reads.
std::optional<int> answered(std::span<char *const> arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view arg = arguments[i];
        if (arg == "--help" || arg == "-h")
            return write(std::string(Usage));
        if (arg == "--version")
            return write("quorvex " QUORVEX_VERSION "\n");
        std::string problem = "unexpected argument \"" + std::string(arg) + '"';
        if (arg.starts_with('-')) {
            const auto option = arg.substr(arg.starts_with("--") ? 2 : 1);
            const auto name = option.substr(0, option.find('='));
            const auto known = [name](const auto &names) {
                return std::ranges::find(names, name) != names.end();
            };
            const bool joined = name.size() < option.size();
            if (joined ? known(QtOptionsWithEquals) : known(QtFlags))
                continue;
            const bool needsValue = !joined && known(QtOptionsWithValue);
            if (needsValue && ++i < arguments.size())
                continue;
            problem = needsValue ? std::string(arg) + " needs a value"
                                 : "unknown option " + std::string(arg);
        }
        std::fprintf(stderr, "quorvex: %s; quorvex --help lists the options\n", problem.c_str());
        return 2;
    }
    return std::nullopt;
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
    if (const auto status
        = answered(std::span<char *const>(argv + 1, static_cast<std::size_t>(argc - 1))))
        return *status;

    qInstallMessageHandler(holdBack);
    heldStandardError.hold();
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    {
        const std::lock_guard lock(heldMutex);
        heldStandardError.release(true);
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
    const int status = QApplication::exec();
    quorvex::ClipboardKeeper::serveUntilTaken();
    return status;
}
