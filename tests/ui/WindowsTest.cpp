// Both windows on the offscreen platform, driven by clicks, with a fresh main window per test.

#include "Quorvex.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QString Title = QStringLiteral("Calc 3D Matrix Values");
const QStringList Inputs = { "Text1", "Text2", "Text3", "Text4", "Text5", "Text6" };
const QStringList Fields = Inputs + QStringList { "Text7" };

QWidget *helpWindow()
{
    QWidget *help = nullptr;
    for (auto *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "Help" && widget->isVisible()) {
            if (help)
                qFatal("more than one help window is open");
            help = widget;
        }
    }
    return help;
}

QStringList texts(const QWidget &window)
{
    QStringList result;
    for (const auto &name : Fields)
        result << child<QLineEdit>(window, name)->text();
    return result;
}

// Runs the application's event loop as main() does, with `act` as its first event, and returns
// how it ended: 0 when the program quit, -1 when it was still running after five seconds.
int runProgram(const std::function<void()> &act)
{
    QTimer::singleShot(0, act);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    timeout.start(5000);
    return QCoreApplication::exec();
}

} // namespace

class WindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QGuiApplication::clipboard()->setText("on the clipboard before");
        QLocale::setDefault(QLocale::c());
    }
    void cleanup() { QTRY_VERIFY(!QApplication::activeModalWidget()); }

    void layoutIsAsDrawn_data();
    void layoutIsAsDrawn();
    void tabVisitsFieldsThenButtons();
    void fieldsHoldTextsOfAnyLength();

    void calculateMatrixWritesFieldAndClipboard_data();
    void calculateMatrixWritesFieldAndClipboard();
    void calculateAnglesReadsClipboard_data();
    void calculateAnglesReadsClipboard();
    void badInputChangesNothingAndSelectsTheField_data();
    void badInputChangesNothingAndSelectsTheField();

    void helpOpensOnceComesToFrontAndReloadsAfterClosing();
    void helpShowsItsTextWholeOnToolTipColour();

    void exitClosesBothWindowsAndEndsTheProgram();
    void closingMainWindowLeavesHelpRunning();
};

void WindowsTest::layoutIsAsDrawn_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("font"); // empty: the window system's
    QTest::addColumn<QColor>("background"); // invalid: the style's

    // Positions in twips, as the layout was drawn; 15 twips make a pixel at 96 dots per inch.
    const auto row = [](const char *name, const char *kind, const QString &text, QRect twips,
                         const char *font, QColor background = {}) {
        const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QTest::newRow(name) << QByteArray(kind) << text << pixels << font << background;
    };
    const QColor green(0xC0FFC0), yellow(0xFFFFC0), cyan(0xC0FFFF), orange(0xFFE0C0);
    row("Text1", "QLineEdit", "0", { 1680, 1080, 1095, 285 }, "", green);
    row("Text2", "QLineEdit", "0", { 1680, 1560, 1095, 285 }, "", yellow);
    row("Text3", "QLineEdit", "0", { 1680, 2040, 1095, 285 }, "", cyan);
    row("Text4", "QLineEdit", "1", { 4920, 1080, 1095, 285 }, "", green);
    row("Text5", "QLineEdit", "1", { 4920, 1560, 1095, 285 }, "", yellow);
    row("Text6", "QLineEdit", "1", { 4920, 2040, 1095, 285 }, "", cyan);
    row("Label1", "QLabel", "Rot X", { 480, 1080, 855, 255 }, "Arial 9 bold");
    row("Label2", "QLabel", "Rot Y", { 480, 1560, 855, 255 }, "Arial 9 bold");
    row("Label3", "QLabel", "Rot Z", { 480, 2040, 855, 255 }, "Arial 9 bold");
    row("Label4", "QLabel", "Scale X", { 3720, 1080, 735, 255 }, "Arial 9 bold");
    row("Label5", "QLabel", "Scale Y", { 3720, 1560, 735, 255 }, "Arial 9 bold");
    row("Label6", "QLabel", "Scale Z", { 3720, 2040, 735, 255 }, "Arial 9 bold");
    row("Command1", "QPushButton", "Calculate Matrix", { 5400, 3600, 2895, 375 },
        "Arial 9.75 bold");
    row("Label7", "QLabel",
        "Calculate rotation (CW) and scaling parameters" + QString(28, ' ') + "Ver 2.0",
        { 480, 360, 7815, 255 }, "Arial 12 bold");
    row("Text7", "QLineEdit", "1 0 0  0 1 0  0 0 1", { 1680, 2880, 6615, 285 }, "Arial 9", orange);
    row("Label8", "QLabel", "Matrix", { 480, 2880, 615, 255 }, "Arial 9.75 bold");
    row("Command2", "QPushButton", "Exit", { 7080, 1920, 1215, 375 }, "Arial 9.75 bold");
    row("Command3", "QPushButton", "Calculate Angles", { 480, 3600, 2895, 375 }, "Arial 9.75 bold");
    row("Command4", "QPushButton", "Help", { 7080, 1080, 1215, 375 }, "Arial 9.75 bold");
}

void WindowsTest::layoutIsAsDrawn()
{
    QFETCH(QByteArray, kind);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    QFETCH(QString, font);
    QFETCH(QColor, background);

    quorvex::Quorvex window;
    window.show();
    QCOMPARE(window.windowTitle(), Title);
    QCOMPARE(window.size(), QSize(8820 / 15, 4365 / 15));

    auto *widget = child(window, QTest::currentDataTag());
    QCOMPARE(widget->metaObject()->className(), kind);
    QCOMPARE(widget->property("text").toString(), text);
    QCOMPARE(widget->geometry(), geometry);

    widget->ensurePolished();
    const QFont actual = widget->font();
    if (font.isEmpty()) {
        QCOMPARE(actual.family(), QApplication::font().family());
        QCOMPARE(actual.pointSizeF(), QApplication::font().pointSizeF());
    } else {
        const auto description = QStringLiteral("%1 %2%3")
                                     .arg(actual.family())
                                     .arg(actual.pointSizeF())
                                     .arg(actual.bold() ? " bold" : "");
        QCOMPARE(description, font);
        // Without Arial or its metric twin the texts outgrow the controls drawn for them.
        const QStringList twins { "Arial", "Liberation Sans" };
        QVERIFY2(twins.contains(QFontInfo(actual).family()),
            qPrintable(
                "Arial resolves to " + QFontInfo(actual).family() + "; install fonts-liberation"));
        // A caption cut short: the heading's "Ver 2.0" is the first to go.
        QVERIFY(QFontMetrics(actual).horizontalAdvance(text) <= widget->width());
    }
    // Right of any text the field holds, inside its frame.
    if (background.isValid())
        QCOMPARE(widget->grab().toImage().pixelColor(widget->width() - 6, 9), background);
}

void WindowsTest::tabVisitsFieldsThenButtons()
{
    quorvex::Quorvex window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QApplication::focusWidget(), child(window, "Text1"));

    QStringList visited;
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    const QStringList expected = { "Text2", "Text3", "Text4", "Text5", "Text6", "Command1", "Text7",
        "Command2", "Command3", "Command4", "Text1" };
    QCOMPARE(visited, expected);
}

void WindowsTest::fieldsHoldTextsOfAnyLength()
{
    quorvex::Quorvex window;
    const QString longText(100000, '7');
    for (const auto &name : Fields) {
        auto *field = child<QLineEdit>(window, name);
        field->setText(longText);
        QCOMPARE(field->text().size(), longText.size());
    }
}

void WindowsTest::calculateMatrixWritesFieldAndClipboard_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("line");

    QTest::newRow("initial fields") << QStringList { "0", "0", "0", "1", "1", "1" } << "C"
                                    << "1 0 0   0 1 0   0 0 1 ";
    QTest::newRow("Rot X 30") << QStringList { "30", "0", "0", "1", "1", "1" } << "C"
                              << "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 ";
    QTest::newRow("German decimal comma")
        << QStringList { "0", "0", "0", "2,5", " 1 ", "1" } << "de_DE"
        << "2.5 0 0   0 1 0   0 0 1 ";
}

void WindowsTest::calculateMatrixWritesFieldAndClipboard()
{
    QFETCH(QStringList, inputs);
    QFETCH(QString, locale);
    QFETCH(QString, line);

    QLocale::setDefault(QLocale(locale));
    quorvex::Quorvex window;
    window.show();
    for (int i = 0; i < Inputs.size(); ++i)
        child<QLineEdit>(window, Inputs[i])->setText(inputs[i]);

    click(window, "Command1");

    QCOMPARE(texts(window), inputs + QStringList { line });
    QCOMPARE(QGuiApplication::clipboard()->text(), line);
}

void WindowsTest::calculateAnglesReadsClipboard_data()
{
    QTest::addColumn<QString>("clipboard"); // "<image>": an image and no text
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<QStringList>("angles");

    const QString identity = "1 0 0   0 1 0   0 0 1";
    const QStringList zero { "0 ", "0 ", "0 " };
    QTest::newRow("parameter line")
        << Line102030 << Line102030 << QStringList { "10.0 ", "20.0 ", "30.0 " };
    QTest::newRow("empty clipboard") << "" << identity << zero;
    QTest::newRow("image only") << "<image>" << identity << zero;
    const QString longText = Line102030 + QString(70000, ' ') + "and more";
    QTest::newRow("longer than a line edit's default limit")
        << longText << longText << QStringList { "10.0 ", "20.0 ", "30.0 " };
}

void WindowsTest::calculateAnglesReadsClipboard()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, matrix);
    QFETCH(QStringList, angles);

    if (clipboard == "<image>") {
        auto *data = new QMimeData;
        data->setImageData(QImage(4, 4, QImage::Format_RGB32));
        QGuiApplication::clipboard()->setMimeData(data);
    } else {
        QGuiApplication::clipboard()->setText(clipboard);
    }
    quorvex::Quorvex window;
    window.show();
    for (int i = 0; i < Inputs.size(); ++i)
        child<QLineEdit>(window, Inputs[i])->setText(QString::number(i + 2));

    click(window, "Command3");

    QCOMPARE(texts(window), angles + QStringList({ "1", "1", "1", matrix }));
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard == "<image>" ? "" : clipboard);
}

void WindowsTest::badInputChangesNothingAndSelectsTheField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");

    const QString untouched = "on the clipboard before";
    QTest::newRow("Rot Y is a word") << "Text2"
                                     << "abc" << untouched << "Command1"
                                     << R"(Rot Y: "abc" is not a number)";
    QTest::newRow("Scale Z is empty") << "Text6"
                                      << "" << untouched << "Command1"
                                      << R"(Scale Z: "" is not a number)";
    QTest::newRow("Rot X beyond a double") << "Text1"
                                           << "1e999" << untouched << "Command1"
                                           << R"(Rot X: "1e999" is too large)";
    QTest::newRow("matrix value beyond a double") << "Text7"
                                                  << "typed by the user"
                                                  << "1e999 0 0   0 1 0   0 0 1"
                                                  << "Command3"
                                                  << R"(Matrix: "1e999" is too large)";
}

void WindowsTest::badInputChangesNothingAndSelectsTheField()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    QFETCH(QString, button);
    QFETCH(QString, message);

    QGuiApplication::clipboard()->setText(clipboard);
    quorvex::Quorvex window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *edit = child<QLineEdit>(window, field);
    edit->setText(text);
    const QStringList before = texts(window);

    click(window, qPrintable(button));

    QMessageBox *box = nullptr;
    QTRY_VERIFY((box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())));
    QCOMPARE(box->text(), message);
    QCOMPARE(box->parentWidget(), &window);
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    QCOMPARE(texts(window), before);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);

    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);

    QTRY_VERIFY(!QApplication::activeModalWidget());
    QVERIFY(window.isVisible());
    QTRY_COMPARE(window.focusWidget(), edit);
    QCOMPARE(edit->selectedText(), text);
    QCOMPARE(texts(window), before);
}

void WindowsTest::helpOpensOnceComesToFrontAndReloadsAfterClosing()
{
    quorvex::Quorvex window;
    window.show();
    click(window, "Command4");
    QWidget *help = helpWindow();
    QVERIFY(help);
    QVERIFY(!help->parent());
    QCOMPARE(help->windowModality(), Qt::NonModal);
    QVERIFY(QTest::qWaitForWindowActive(help));
    auto *label = child<QLabel>(*help, "Help1");
    const QString text = label->text();

    // The main window stays usable beside it.
    click(window, "Command1");
    QCOMPARE(child<QLineEdit>(window, "Text7")->text(), "1 0 0   0 1 0   0 0 1 ");
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // A click while it is open brings the same window to the front and leaves its text alone.
    label->setText("changed");
    click(window, "Command4");
    QCOMPARE(helpWindow(), help);
    QVERIFY(QTest::qWaitForWindowActive(help));
    QCOMPARE(label->text(), "changed");

    click(*help, "command1");
    QVERIFY(!helpWindow());
    QVERIFY(window.isVisible());
    click(window, "Command4");
    QCOMPARE(helpWindow(), help);
    QCOMPARE(label->text(), text);
}

void WindowsTest::helpShowsItsTextWholeOnToolTipColour()
{
    quorvex::Quorvex window;
    window.show();
    click(window, "Command4");
    QWidget *help = helpWindow();
    QVERIFY(help);
    QCOMPARE(help->windowTitle(), "Help");
    QCOMPARE(help->size(), QSize(5490 / 15, 8730 / 15));
    QVERIFY(!(help->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    auto *label = child<QLabel>(*help, "Help1");
    QCOMPARE(label->geometry(), QRect(240 / 15, 240 / 15, 4935 / 15, 7695 / 15));
    const QImage image = label->grab().toImage();
    QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 2),
        QApplication::palette().color(QPalette::ToolTipBase));

    const QStringList lines = label->text().split('\n');
    QCOMPARE(lines.size(), 30);
    QList<int> empty;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            empty << i + 1;
    }
    QCOMPARE(empty, (QList<int> { 1, 7, 11, 14, 24, 27 }));
    QVERIFY(lines[12].endsWith(QString::fromUtf8("v' = M × v.")));
    // The matrix picture is drawn with blanks, which rich text would collapse.
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(lines[15].startsWith(QString(15, ' ') + '|'));
    QVERIFY(lines[16].startsWith(QString(7, ' ') + "M = |"));
    // A wrapped line would break the picture apart.
    const QFontMetrics metrics(label->font());
    for (const auto &line : lines) {
        QVERIFY2(metrics.horizontalAdvance(line) <= label->contentsRect().width(),
            qPrintable("wraps: \"" + line + '"'));
    }
}

void WindowsTest::exitClosesBothWindowsAndEndsTheProgram()
{
    quorvex::Quorvex window;
    window.show();
    click(window, "Command4");
    QWidget *help = helpWindow();
    QVERIFY(help);

    QCOMPARE(runProgram([&] { click(window, "Command2"); }), 0);
    QVERIFY(!window.isVisible());
    QVERIFY(!help->isVisible());
}

void WindowsTest::closingMainWindowLeavesHelpRunning()
{
    quorvex::Quorvex window;
    window.show();
    click(window, "Command4");
    QWidget *help = helpWindow();
    QVERIFY(help);
    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);

    bool helpOutlivedMainWindow = false;
    const int status = runProgram([&] {
        window.close();
        // Queued behind anything that closing posted: runs only if the program is still going.
        QTimer::singleShot(50, [&] {
            helpOutlivedMainWindow = help->isVisible() && lastWindowClosed.isEmpty();
            click(*help, "command1");
        });
    });
    QVERIFY(helpOutlivedMainWindow);
    QCOMPARE(status, 0);
    QCOMPARE(lastWindowClosed.size(), 1);
}

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
