// Where the start-up time goes: quorvex's start, step by step as app/main.cpp takes it, and the
// bare window's, each in a fresh process for every run, with the font database filled before the
// forms so that its cost, which both pay, is not charged to whichever form comes first. Medians
// in milliseconds; printed, never judged.
//
// Usage: quorvex-startup-pieces RUNS   (on an X server; bench/run starts a private one)

#include "BareForm.h"
#include "MainWindow.h"
#include "WindowIcon.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QIcon>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Piece
{
    const char *quorvex; // what quorvex does in this step
    const char *bare; // what the bare window does in it, or nullptr
};

constexpr Piece Pieces[] {
    { "toolkit: QApplication, the display, the style", "the same" },
    { "font database (fontconfig)", "the same" },
    { "window icon from its built-in pixels", nullptr },
    { "(its form is compiled in)", "form read at run time" },
    { "form: MainWindow, its widgets and texts", "its widgets" },
    { "style sheets: every control polished", nullptr },
    { "fonts: each control's font loaded", nullptr },
    { "show: native window made, icon sent", "the same" },
    { "first paint", "the same" },
    { "accessible names, as a screen reader asks", nullptr },
    { "the icon drawn from its SVG instead", nullptr },
};

// Counts the paint events a widget gets.
class PaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// One start of quorvex or of the bare window; prints each step's milliseconds (0 for a step it
// does not take) on one line.
int once(int argc, char *argv[], bool bare)
{
    std::vector<double> times;
    QElapsedTimer timer;
    timer.start();
    const auto lap = [&](bool taken = true) {
        times.push_back(taken ? static_cast<double>(timer.nsecsElapsed()) / 1e6 : 0);
        timer.restart();
    };

    QApplication app(argc, argv);
    lap();
    QFontDatabase::families();
    lap();
    if (!bare)
        QApplication::setWindowIcon(quorvex::windowIcon());
    lap(!bare);
    QList<BareControl> form;
    if (bare)
        form = readForm(QStringLiteral(QUORVEX_MAIN_FORM));
    lap(bare);
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        buildBareWindow(*window, form);
    } else {
        window = std::make_unique<quorvex::MainWindow>();
    }
    lap();
    const auto controls = window->findChildren<QWidget *>();
    if (!bare) {
        window->ensurePolished();
        for (auto *control : controls)
            control->ensurePolished();
    }
    lap(!bare);
    if (!bare) {
        for (auto *control : controls)
            QFontMetricsF(control->font()).height();
    }
    lap(!bare);
    PaintCounter painted;
    window->installEventFilter(&painted);
    window->show();
    lap();
    if (!QTest::qWaitFor([&] { return painted.count > 0; }, 10000))
        qFatal("the window was not painted");
    lap();
    if (!bare) {
        for (auto *control : controls)
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    }
    lap(!bare);
    if (!bare) {
        const QIcon svg(QStringLiteral(QUORVEX_ICON_SVG));
        for (const int size : { 16, 32, 64, 128 })
            svg.pixmap(size).toImage();
    }
    lap(!bare);

    for (const double time : times)
        std::printf("%.3f ", time);
    std::printf("\n");
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const auto n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The medians of each step over RUNS starts of the program.
std::vector<double> medians(const std::string &command, int runs)
{
    std::vector<std::vector<double>> times(std::size(Pieces));
    for (int run = 0; run < runs; ++run) {
        FILE *child = popen(command.c_str(), "r");
        for (auto &piece : times) {
            double time = 0;
            if (!child || std::fscanf(child, "%lf", &time) != 1)
                qFatal("%s gave no times", command.c_str());
            piece.push_back(time);
        }
        pclose(child);
    }
    std::vector<double> result;
    for (const auto &piece : times)
        result.push_back(median(piece));
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::string_view(argv[1]) == "--once")
        return once(1, argv, std::string_view(argv[2]) == "bare");
    const int runs = argc == 2 ? std::atoi(argv[1]) : 0;
    if (runs < 1) {
        std::fprintf(stderr, "Usage: %s RUNS\n", argv[0]);
        return 2;
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    // Taken in turn, so that a disturbance of the machine hits both alike.
    std::vector<double> quorvex(std::size(Pieces)), bare(std::size(Pieces));
    const auto q = medians(self + " --once quorvex 2>/dev/null", runs);
    const auto b = medians(self + " --once bare 2>/dev/null", runs);
    std::printf("%-46s %8s   %-36s %8s\n", "quorvex", "ms", "bare window", "ms");
    double quorvexTotal = 0, bareTotal = 0;
    for (std::size_t i = 0; i < std::size(Pieces); ++i) {
        const bool last = i + 1 == std::size(Pieces); // not part of the start-up
        std::printf("%-46s %8.2f   %-36s %8s\n", Pieces[i].quorvex, q[i],
            Pieces[i].bare ? Pieces[i].bare : "",
            Pieces[i].bare ? qPrintable(QString::number(b[i], 'f', 2)) : "");
        quorvexTotal += last ? 0 : q[i];
        bareTotal += b[i];
    }
    std::printf(
        "%-46s %8.2f   %-36s %8.2f\n", "sum, main() to first paint", quorvexTotal, "", bareTotal);
    return 0;
}
