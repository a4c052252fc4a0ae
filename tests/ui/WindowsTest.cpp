// Both windows on the offscreen platform, driven by clicks and keys, a fresh main window per test.

#include "MainWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const QString RotX30 = QStringLiteral("1 0 0   0 0.866025 -0.5   0 0.5 0.866025 ");
const QString Before = QStringLiteral("on the clipboard before");

template<typename T = QWidget> T *child(const QWidget &window, const QString &name)
{
    auto *widget = window.findChild<T *>(name);
    if (!widget)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return widget;
}

void click(const QWidget &window, const QString &button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

// The fields as the user meets them: Rot X … Scale Z, then Matrix.
const QStringList Fields { "rotXEdit", "rotYEdit", "rotZEdit", "scaleXEdit", "scaleYEdit",
    "scaleZEdit", "matrixEdit" };

QLineEdit *field(const QWidget &window, const QString &name)
{
    return child<QLineEdit>(window, name);
}

QStringList texts(const QWidget &window)
{
    QStringList result;
    for (const auto &name : Fields)
        result << field(window, name)->text();
    return result;
}

// "<image>" stands for a clipboard that holds a picture and no text.
void copy(const QString &text)
{
    if (text != "<image>")
        return QGuiApplication::clipboard()->setText(text);
    auto *data = new QMimeData;
    data->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QGuiApplication::clipboard()->setMimeData(data);
}

// The help window, if exactly one is open.
QWidget *helpWindow()
{
    QWidgetList open;
    for (auto *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "HelpWindow" && widget->isVisible())
            open << widget;
    }
    return open.size() == 1 ? open.front() : nullptr;
}

// The contrast of a field's text on its background, as WCAG reckons it, from what is drawn: the
// background is the commonest colour where the text stands, the text the colour farthest from it.
double textContrast(QLineEdit *field)
{
    const QImage image = field->grab(QRect(4, 4, 24, field->height() - 8)).toImage();
    const auto luminance = [](QRgb rgb) {
        const auto linear = [](int channel) {
            const double c = channel / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb))
            + 0.0722 * linear(qBlue(rgb));
    };
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    const QRgb background
        = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
              return a.second < b.second;
          })->first;
    double farthest = 1;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it) {
        const double a = luminance(*it), b = luminance(background);
        farthest = std::max(farthest, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
    }
    return farthest;
}

} // namespace

class WindowsTest : public QObject
{
    Q_OBJECT

private slots:
    // The fields read numbers as the locale that the environment names.
    void init() { qputenv("LC_ALL", "C.UTF-8"); }
    void cleanup() { QTRY_VERIFY(!QApplication::activeModalWidget()); }

    void actionsWriteFieldsAndClipboard_data();
    void actionsWriteFieldsAndClipboard();
    void badInputWritesNothing_data();
    void badInputWritesNothing();
    void fieldsReadableInAnyTheme_data();
    void fieldsReadableInAnyTheme();
    void keysDoWhatTheySay_data();
    void keysDoWhatTheySay();
    void screenReaders();
    void noCaptionIsCut();
    void helpOpensOnceAndReloadsAfterClosing();
    void programEndsWhenItShould_data();
    void programEndsWhenItShould();
};

void WindowsTest::actionsWriteFieldsAndClipboard_data()
{
    QTest::addColumn<QStringList>("buttons"); // clicked in turn
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QStringList>("typed"); // empty: the texts the window starts with
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("clipboardAfter");

    const QStringList matrix { "calculateMatrixButton" }, angles { "calculateAnglesButton" };
    const QStringList typed { "2", "3", "4", "5", "6", "7", "typed" };
    const QString identity = "1 0 0   0 1 0   0 0 1";
    const QStringList zeros { "0 ", "0 ", "0 ", "1", "1", "1" },
        thirty { "30.0 ", "0 ", "0 ", "1", "1", "1" };
    const QString megabyte = "30." + QString(1 << 20, '0');
    const QString line = "1.004226 -0.57979 0.422053   1.091211 1.640719 -0.342491   "
                         "-0.10006 0.162984 0.461979 ";
    QString huge;
    while (huge.size() < 10 << 20)
        huge += RotX30 + "\r\n";

    QTest::newRow("Calculate Matrix at start")
        << matrix << QByteArray("C.UTF-8") << QStringList() << Before
        << QStringList { "0", "0", "0", "1", "1", "1", identity + ' ' } << identity + ' ';
    QTest::newRow("Calculate Matrix, a megabyte in Rot X")
        << matrix << QByteArray("C.UTF-8") << QStringList { megabyte, "0", "0", "1", "1", "1", "x" }
        << Before << QStringList { megabyte, "0", "0", "1", "1", "1", RotX30 } << RotX30;
    QTest::newRow("German round trip")
        << QStringList { "calculateMatrixButton", "calculateAnglesButton", "calculateMatrixButton" }
        << QByteArray("de_DE.UTF-8")
        << QStringList { "10,5", "20\n", "30", "1,234", "2", "0,5", "x" } << Before
        << QStringList { "10.5 ", "20.0 ", "30.0 ", "1,234", "2", "0.5", line } << line;
    QTest::newRow("Calculate Angles, empty clipboard")
        << angles << QByteArray("C.UTF-8") << typed << "" << zeros + QStringList { identity } << "";
    QTest::newRow("Calculate Angles, a picture and no text")
        << angles << QByteArray("C.UTF-8") << typed << "<image>" << zeros + QStringList { identity }
        << "";
    // The Matrix field shows the beginning of a pasted file; the clipboard keeps all of it.
    QTest::newRow("Calculate Angles, 10 MiB of lines")
        << angles << QByteArray("C.UTF-8") << typed << huge
        << thirty + QStringList { huge.left(10000) + "…" } << huge;
}

void WindowsTest::actionsWriteFieldsAndClipboard()
{
    QFETCH(QStringList, buttons);
    QFETCH(QByteArray, locale);
    QFETCH(QStringList, typed);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, fields);
    QFETCH(QString, clipboardAfter);

    qputenv("LC_ALL", locale);
    copy(clipboard);
    quorvex::MainWindow window;
    window.show();
    for (int i = 0; i < typed.size(); ++i)
        field(window, Fields[i])->setText(typed[i]);

    for (const auto &button : buttons)
        click(window, button);

    QCOMPARE(texts(window), fields);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
    // Calculate Matrix, and only it, confirms that the line is on the clipboard.
    QCOMPARE(child(window, "copiedNotification")->isVisible(),
        buttons.back() == "calculateMatrixButton");
}

void WindowsTest::badInputWritesNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("message");

    QTest::newRow("Rot Y is a word") << "calculateMatrixButton"
                                     << "rotYEdit"
                                     << "abc" << Before
                                     << R"(Rot Y: "abc" is not a number; type degrees, like 30 or 30°)";
    QTest::newRow("a megabyte of digits in Rot X")
        << "calculateMatrixButton"
        << "rotXEdit" << QString(1 << 20, '7') << Before
        << "Rot X: \"" + QString(40, '7') + "…\" is too large";
    // The clipboard is to blame, not the Matrix field.
    QTest::newRow("a value on the clipboard beyond a double") << "calculateAnglesButton"
                                                              << "matrixEdit"
                                                              << "typed"
                                                              << "1e999 0 0 0 1 0 0 0 1"
                                                              << R"(Matrix: "1e999" is too large)";
    QTest::newRow("no number on the clipboard") << "calculateAnglesButton"
                                                << "matrixEdit"
                                                << "typed"
                                                << "hello"
                                                << R"(Matrix: "hello" holds no parameter line)";
}

void WindowsTest::badInputWritesNothing()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    QFETCH(QString, message);

    copy(clipboard);
    quorvex::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *edit = ::field(window, field);
    edit->setText(text);
    const QStringList before = texts(window);
    QWidget *confirmation = child(window, "copiedNotification");
    confirmation->show(); // as an earlier Calculate Matrix left it

    click(window, button);

    QMessageBox *box = nullptr;
    QTRY_VERIFY((box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())));
    QCOMPARE(box->text(), message);
    const bool clipboardToBlame = field == "matrixEdit";
    QCOMPARE(box->informativeText().contains("clipboard"), clipboardToBlame);
    QCOMPARE(texts(window), before);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QVERIFY(!confirmation->isVisible());

    // A field to blame is ready to be typed over; otherwise the focus stays on the button.
    const QPointer<QMessageBox> closed(box);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(!closed); // no message box stays behind
    QTRY_COMPARE(window.focusWidget(), clipboardToBlame ? child(window, button) : edit);
    QCOMPARE(edit->selectedText(), clipboardToBlame ? "" : text);
    QCOMPARE(texts(window), before);
}

// Under a dark theme the fields keep their pastel backgrounds: their text and its selection must
// not take the theme's light text colour.
void WindowsTest::fieldsReadableInAnyTheme_data()
{
    QTest::addColumn<QPalette>("palette");
    QPalette dark; // as theme tools set Fusion's colours
    for (const auto &[role, colour] :
        { std::pair { QPalette::Window, "#2a2e32" }, { QPalette::WindowText, "#fcfcfc" },
            { QPalette::Base, "#1b1e20" }, { QPalette::Text, "#fcfcfc" },
            { QPalette::Button, "#31363b" }, { QPalette::ButtonText, "#fcfcfc" },
            { QPalette::Highlight, "#3daee9" }, { QPalette::HighlightedText, "#fcfcfc" } })
        dark.setColor(role, QColor(colour));
    QTest::newRow("dark") << dark;
    QTest::newRow("light")
        << std::unique_ptr<QStyle>(QStyleFactory::create("Fusion"))->standardPalette();
}

void WindowsTest::fieldsReadableInAnyTheme()
{
    QFETCH(QPalette, palette);
    const QPalette before = QApplication::palette();
    QApplication::setPalette(palette);
    quorvex::MainWindow window;
    window.show();
    for (const auto &name : Fields) {
        auto *edit = field(window, name);
        edit->setText("888");
        QVERIFY2(textContrast(edit) >= 4.5, qPrintable(name));
        edit->selectAll();
        QVERIFY2(textContrast(edit) >= 4.5, qPrintable(name + ", selected"));
    }
    QApplication::setPalette(before);
}

void WindowsTest::keysDoWhatTheySay_data()
{
    QTest::addColumn<QString>("focus"); // a control of the main window, or "help:" one of Help's
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("outcome"); // "matrix" calculated, "help" open, "no help", "nothing"

    const QKeySequence enter(Qt::Key_Return), f1(Qt::Key_F1), ctrlW(Qt::CTRL | Qt::Key_W);
    QTest::newRow("Enter in Rot X") << "rotXEdit" << enter << "matrix";
    QTest::newRow("keypad Enter in Scale Z")
        << "scaleZEdit" << QKeySequence(Qt::Key_Enter) << "matrix";
    QTest::newRow("Space on Calculate Matrix")
        << "calculateMatrixButton" << QKeySequence(Qt::Key_Space) << "matrix";
    QTest::newRow("Enter in the Matrix field") << "matrixEdit" << enter << "nothing";
    QTest::newRow("Enter on Help") << "helpButton" << enter << "help";
    QTest::newRow("F1 in Rot Y") << "rotYEdit" << f1 << "help";
    QTest::newRow("Escape in Help")
        << "help:closeButton" << QKeySequence(Qt::Key_Escape) << "no help";
    QTest::newRow("Ctrl+W in Help's text") << "help:helpTextView" << ctrlW << "no help";
    QTest::newRow("Enter on Help's Exit") << "help:closeButton" << enter << "no help";
    QTest::newRow("Ctrl+W in the main window") << "rotXEdit" << ctrlW << "nothing";
}

void WindowsTest::keysDoWhatTheySay()
{
    QFETCH(QString, focus);
    QFETCH(QKeySequence, key);
    QFETCH(QString, outcome);

    quorvex::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field(window, "rotXEdit")->setText("-30");
    QWidget *target = &window;
    if (focus.startsWith("help:")) {
        click(window, "helpButton");
        QVERIFY(helpWindow() && QTest::qWaitForWindowActive(helpWindow()));
        target = helpWindow();
        focus.remove("help:");
    }
    child(*target, focus)->setFocus();
    QTest::keySequence(target->focusWidget(), key);
    // A button pressed by a key clicks after its animation (100 ms): wait that out where nothing
    // is to happen, so that a click that should not come has come.
    if (outcome == "nothing")
        QTest::qWait(300);

    const QString line
        = outcome == "matrix" ? "1 0 0   0 0.866025 0.5   0 -0.5 0.866025 " : "1 0 0  0 1 0  0 0 1";
    QTRY_COMPARE(field(window, "matrixEdit")->text(), line);
    QTRY_COMPARE(helpWindow() != nullptr, outcome == "help");
    if (helpWindow())
        helpWindow()->close();
}

void WindowsTest::screenReaders()
{
    quorvex::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const auto name = [](QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    // Each field is named by the label beside it, and the heading, version included, is read
    // without its run of blanks.
    const QStringList labels { "Rot X", "Rot Y", "Rot Z", "Scale X", "Scale Y", "Scale Z",
        "Matrix" };
    for (int i = 0; i < Fields.size(); ++i)
        QCOMPARE(name(field(window, Fields[i])), labels[i]);
    const auto heading = name(child(window, "headingLabel"));
    QVERIFY2(
        heading.endsWith(" parameters Ver " + QStringLiteral(QUORVEX_VERSION).section('.', 0, 1))
            && !heading.contains("  "),
        qPrintable(heading));

    // The Matrix field is read-only, and says so; its text can still be selected and copied.
    auto *matrix = field(window, "matrixEdit");
    const auto state = QAccessible::queryAccessibleInterface(matrix)->state();
    QVERIFY(state.readOnly && state.selectableText);
    matrix->setFocus();
    QTest::keyClicks(matrix, "typed");
    QTest::keyClick(matrix, Qt::Key_Backspace);
    QTest::keySequence(matrix, QKeySequence::SelectAll);
    QTest::keySequence(matrix, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), "1 0 0  0 1 0  0 0 1");

    // Calculate Matrix is confirmed in a notification, which a screen reader speaks as it appears
    // (it announces objects of that role), and which goes away by itself.
    click(window, "calculateMatrixButton");
    auto *notification = QAccessible::queryAccessibleInterface(child(window, "copiedNotification"));
    QCOMPARE(notification->role(), QAccessible::Notification);
    QVERIFY(!notification->state().invisible);
    QCOMPARE(notification->text(QAccessible::Name), "The parameter line is on the clipboard.");
    QTRY_VERIFY_WITH_TIMEOUT(notification->state().invisible, 10000);

    // Help's text is read line by line, the matrix picture included.
    click(window, "helpButton");
    auto *help = QAccessible::queryAccessibleInterface(child(*helpWindow(), "helpTextView"));
    QVERIFY(help->state().readOnly && help->state().multiLine);
    auto *text = help->textInterface();
    const auto r13 = static_cast<int>(text->text(0, text->characterCount()).indexOf("r13 r23"));
    int start = 0, end = 0;
    QCOMPARE(text->textAtOffset(r13, QAccessible::LineBoundary, &start, &end),
        "               | r13 r23 r33 t3 |");
    helpWindow()->close();
}

// Captions fit their controls (with Arial's metric twin from fonts-liberation); the help text's
// lines fit its view unwrapped, which keeps the matrix picture whole.
void WindowsTest::noCaptionIsCut()
{
    quorvex::MainWindow window;
    window.show();
    click(window, "helpButton");
    QVERIFY(helpWindow());
    for (const QWidget *top : { static_cast<QWidget *>(&window), helpWindow() }) {
        for (auto *widget : top->findChildren<QWidget *>()) {
            auto *view = qobject_cast<QPlainTextEdit *>(widget);
            if (!view && !qobject_cast<QLabel *>(widget) && !qobject_cast<QPushButton *>(widget))
                continue;
            widget->ensurePolished();
            const QString text = view ? view->toPlainText() : widget->property("text").toString();
            const int width = view ? view->viewport()->width() : widget->contentsRect().width();
            for (const QString &line : text.split('\n')) {
                QVERIFY2(widget->fontMetrics().horizontalAdvance(line) <= width,
                    qPrintable(widget->objectName() + " cuts \"" + line + '"'));
            }
        }
    }
}

void WindowsTest::helpOpensOnceAndReloadsAfterClosing()
{
    quorvex::MainWindow window;
    window.show();
    click(window, "helpButton");
    QWidget *help = helpWindow();
    QVERIFY(help && !help->parent());
    QVERIFY(QTest::qWaitForWindowActive(help));
    auto *view = child<QPlainTextEdit>(*help, "helpTextView");
    const QString text = view->toPlainText();
    QVERIFY(text.contains("*.him"));
    // The text stands on the window system's tool-tip colour.
    const QColor toolTip = view->palette().color(QPalette::ToolTipBase);
    QVERIFY(toolTip != view->palette().color(QPalette::Window));
    QCOMPARE(view->grab().toImage().pixelColor(2, 2), toolTip);

    // The main window works beside it; a click on Help brings back the same window, minimized or
    // not.
    click(window, "calculateMatrixButton");
    QCOMPARE(field(window, "matrixEdit")->text(), "1 0 0   0 1 0   0 0 1 ");
    help->showMinimized();
    click(window, "helpButton");
    QCOMPARE(helpWindow(), help);
    QVERIFY(!help->isMinimized() && QTest::qWaitForWindowActive(help));

    click(*help, "closeButton");
    QVERIFY(!helpWindow());
    click(window, "helpButton");
    QCOMPARE(helpWindow(), help);
    QCOMPARE(view->toPlainText(), text);
}

void WindowsTest::programEndsWhenItShould_data()
{
    // Where the program is quit, with Help open; or "" to close the main window, then Help.
    QTest::addColumn<QString>("quitIn");
    QTest::newRow("Exit") << "exitButton";
    QTest::newRow("Ctrl+Q in the main window") << "main";
    QTest::newRow("Ctrl+Q in Help") << "help";
    QTest::newRow("closing the main window leaves Help running") << "";
}

void WindowsTest::programEndsWhenItShould()
{
    QFETCH(QString, quitIn);
    quorvex::MainWindow window;
    window.show();
    click(window, "helpButton");
    QWidget *help = helpWindow();
    QVERIFY(help);
    QWidget *active = quitIn == "main" ? &window : help;
    active->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(active));
    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);

    bool helpOutlivedMainWindow = false;
    QTimer::singleShot(0, [&] {
        if (quitIn == "exitButton")
            return click(window, "exitButton");
        if (!quitIn.isEmpty())
            return QTest::keySequence(active, QKeySequence(Qt::CTRL | Qt::Key_Q));
        window.close();
        // Queued behind anything that closing posted: runs only if the program is still going.
        QTimer::singleShot(50, [&] {
            helpOutlivedMainWindow = help->isVisible() && lastWindowClosed.isEmpty();
            click(*help, "closeButton");
        });
    });
    QTimer timeout; // ends a program that keeps running
    timeout.callOnTimeout([] { QCoreApplication::exit(-1); });
    timeout.start(5000);

    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!window.isVisible() && !help->isVisible());
    QCOMPARE(helpOutlivedMainWindow, quitIn.isEmpty());
}

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
