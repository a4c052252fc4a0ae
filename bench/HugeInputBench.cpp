// What a user meets after pasting far more than a parameter line: the time Calculate Angles takes
// with 10 MiB on the clipboard, the time the Matrix field then takes to draw the text and to answer
// a keystroke, the next click, and the memory the program holds; and the time Calculate Matrix
// takes to read a field of a megabyte. Printed, never judged.
//
// Usage: quorvex-huge-input-bench   (on an X server; bench/run starts a private one)

#include "MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

const QString Line102030 = QStringLiteral("0.813798 -0.469846 0.34202   0.543838 0.823173 "
                                          "-0.163176   -0.204874 0.318796 0.925417 ");

double residentMiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

// Runs `act` and waits for everything it caused, drawing included; its time in milliseconds.
template<typename Act> double timed(Act &&act)
{
    QElapsedTimer timer;
    timer.start();
    act();
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void clipboardOf(const QString &name, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    quorvex::MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was not shown");
    auto *calculateAngles = window.findChild<QPushButton *>("calculateAnglesButton");
    auto *calculateMatrix = window.findChild<QPushButton *>("calculateMatrixButton");
    auto *matrix = window.findChild<QLineEdit *>("matrixEdit");

    const double before = residentMiB();
    const double action = timed([&] { calculateAngles->click(); });
    if (!text.startsWith(matrix->text().chopped(1)))
        qFatal("the Matrix field does not show the beginning of the text");
    matrix->setFocus();
    matrix->end(false);
    const double key = timed([&] { QTest::keyClick(matrix, Qt::Key_X); });
    const double backspace = timed([&] { QTest::keyClick(matrix, Qt::Key_Backspace); });
    const double held = residentMiB();
    const double next = timed([&] { calculateMatrix->click(); });
    std::printf("%-28s %9.0f %9.0f %9.0f %9.0f %9.0f %9.0f\n", qPrintable(name), action, key,
        backspace, next, held, held - before);
}

void fieldOf(const QString &name, const QString &text)
{
    quorvex::MainWindow window;
    window.show();
    window.findChild<QLineEdit *>("rotXEdit")->setText(text);
    const double action
        = timed([&] { window.findChild<QPushButton *>("calculateMatrixButton")->click(); });
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
        box->close();
    std::printf("%-28s %9.1f\n", qPrintable(name), action);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // A line of a million values, and a line followed by lines of remarks, which the reader reads
    // to their end for a value of a second matrix.
    QString oneLine, manyLines = Line102030 + "\r\n";
    while (oneLine.size() < 10 << 20)
        oneLine += Line102030 + "  ";
    while (manyLines.size() < 10 << 20)
        manyLines += "# a remark about the line above\r\n";

    std::printf("%-28s %9s %9s %9s %9s %9s %9s\n", "clipboard text", "angles", "key", "backspace",
        "next", "RSS", "+RSS");
    std::printf("%-28s %9s %9s %9s %9s %9s %9s\n", "", "ms", "ms", "ms", "ms", "MiB", "MiB");
    clipboardOf("10 MiB, one line", oneLine);
    clipboardOf("10 MiB, a line, remarks", manyLines);
    std::printf("\n%-28s %9s\n", "Rot X field", "matrix ms");
    fieldOf("1 MiB of digits (error)", QString(1 << 20, '7'));
    fieldOf("30. and 1 MiB of zeros", "30." + QString(1 << 20, '0'));
    return 0;
}
