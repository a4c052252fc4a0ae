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
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

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
    void keyboardAndScreenReaders();
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
                                     << "abc" << Before << R"(Rot Y: "abc" is not a number)";
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

    click(window, button);

    QMessageBox *box = nullptr;
    QTRY_VERIFY((box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())));
    QCOMPARE(box->text(), message);
    const bool clipboardToBlame = field == "matrixEdit";
    QCOMPARE(box->informativeText().contains("clipboard"), clipboardToBlame);
    QCOMPARE(texts(window), before);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);

    // A field to blame is ready to be typed over; otherwise the focus stays on the button.
    const QPointer<QMessageBox> closed(box);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(!closed); // no message box stays behind
    QTRY_COMPARE(window.focusWidget(), clipboardToBlame ? child(window, button) : edit);
    QCOMPARE(edit->selectedText(), clipboardToBlame ? "" : text);
    QCOMPARE(texts(window), before);
}

void WindowsTest::keyboardAndScreenReaders()
{
    quorvex::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // Typing at once replaces the "0" of Rot X; Enter presses the focused button.
    QTest::keyClicks(window.focusWidget(), "-30");
    child(window, "calculateMatrixButton")->setFocus();
    QTest::keyClick(window.focusWidget(), Qt::Key_Return);
    QCOMPARE(field(window, "matrixEdit")->text(), "1 0 0   0 0.866025 0.5   0 -0.5 0.866025 ");
    // Help closes with Escape, and with Enter on its Exit button.
    for (const auto key : { Qt::Key_Escape, Qt::Key_Enter }) {
        child(window, "helpButton")->setFocus();
        QTest::keyClick(window.focusWidget(), Qt::Key_Enter);
        QVERIFY(helpWindow() && QTest::qWaitForWindowActive(helpWindow()));
        QTest::keyClick(helpWindow()->focusWidget(), key);
        QVERIFY(!helpWindow());
    }
    // A screen reader names each field by the label beside it, and reads the heading, version
    // included, without its run of blanks.
    const auto name = [](QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    const QStringList labels { "Rot X", "Rot Y", "Rot Z", "Scale X", "Scale Y", "Scale Z",
        "Matrix" };
    for (int i = 0; i < Fields.size(); ++i)
        QCOMPARE(name(field(window, Fields[i])), labels[i]);
    const auto heading = name(child(window, "headingLabel"));
    QVERIFY2(
        heading.endsWith(" parameters Ver " + QStringLiteral(QUORVEX_VERSION).section('.', 0, 1))
            && !heading.contains("  "),
        qPrintable(heading));
}

// Captions fit their controls (with Arial's metric twin from fonts-liberation); the help text's
// lines fit its label unwrapped, which keeps the matrix picture whole.
void WindowsTest::noCaptionIsCut()
{
    quorvex::MainWindow window;
    window.show();
    click(window, "helpButton");
    QVERIFY(helpWindow());
    for (const QWidget *top : { static_cast<QWidget *>(&window), helpWindow() }) {
        for (auto *widget : top->findChildren<QWidget *>()) {
            if (!qobject_cast<QLabel *>(widget) && !qobject_cast<QPushButton *>(widget))
                continue;
            widget->ensurePolished();
            for (const QString &line : widget->property("text").toString().split('\n')) {
                QVERIFY2(
                    widget->fontMetrics().horizontalAdvance(line) <= widget->contentsRect().width(),
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
    auto *label = child<QLabel>(*help, "helpTextLabel");
    const QString text = label->text();
    QVERIFY(text.contains("*.him"));
    // The text stands on the window system's tool-tip colour.
    const QColor toolTip = label->palette().color(QPalette::ToolTipBase);
    QVERIFY(toolTip != label->palette().color(QPalette::Window));
    QCOMPARE(label->grab().toImage().pixelColor(2, 2), toolTip);

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
    QCOMPARE(label->text(), text);
}

void WindowsTest::programEndsWhenItShould_data()
{
    QTest::addColumn<bool>("exit"); // Exit in the main window, or close it and then Help
    QTest::newRow("Exit with Help open") << true;
    QTest::newRow("closing the main window leaves Help running") << false;
}

void WindowsTest::programEndsWhenItShould()
{
    QFETCH(bool, exit);
    quorvex::MainWindow window;
    window.show();
    click(window, "helpButton");
    QWidget *help = helpWindow();
    QVERIFY(help);
    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);

    bool helpOutlivedMainWindow = false;
    QTimer::singleShot(0, [&] {
        if (exit)
            return click(window, "exitButton");
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
    QCOMPARE(helpOutlivedMainWindow, !exit);
}

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
