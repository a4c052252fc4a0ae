// Both windows on the offscreen platform, driven by clicks and keys, a fresh main window per test.

#include "MainWindow.h"
#include "Notification.h"
#include "OrientationView.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

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

// What a note of the window says, whole; empty while it is hidden.
QString note(const QWidget &window, const QString &name)
{
    return child<quorvex::Notification>(window, name)->said();
}

// Selects a field's text and types over it, as the keys would.
void typeOver(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    field->insert(text);
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
double textContrast(QWidget *field)
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
    void refusalsSayWhyInTheWindow_data();
    void refusalsSayWhyInTheWindow();
    void fieldsReadableInAnyTheme_data();
    void fieldsReadableInAnyTheme();
    void keysDoWhatTheySay_data();
    void keysDoWhatTheySay();
    void screenReaders();
    void pastesAndDropsReadAsCalculateAngles_data();
    void pastesAndDropsReadAsCalculateAngles();
    void undoAndRedoRetraceEveryStep_data();
    void undoAndRedoRetraceEveryStep();
    void windowFitsScreenAndFont_data();
    void windowFitsScreenAndFont();
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
    QString huge = RotX30 + "\r\n";
    while (huge.size() < 10 << 20)
        huge += "# a remark\r\n";

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
    const QString crlf = "1 0 0\r\n0 0.866025 -0.5\r\n0 0.5 0.866025\r\n";
    QTest::newRow("Calculate Angles, rows ending in CR LF")
        << angles << QByteArray("C.UTF-8") << typed << crlf << thirty + QStringList { crlf }
        << crlf;
    // The Matrix field shows the beginning of a pasted file; the clipboard keeps all of it.
    QTest::newRow("Calculate Angles, 10 MiB of lines")
        << angles << QByteArray("C.UTF-8") << typed << huge
        << thirty + QStringList { huge.left(10000) + "…" } << huge;
    // …never within a character: 😀 stands where the 10,000th would end.
    const QString emoji = RotX30 + '\n' + QString(9999 - RotX30.size() - 1, 'x') + "😀 and more";
    QTest::newRow("Calculate Angles, a character at the field's end")
        << angles << QByteArray("C.UTF-8") << typed << emoji
        << thirty + QStringList { emoji.left(9999) + "…" } << emoji;
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
    // The line is shown from its first character; its description, and so its tooltip, carries
    // it whole, or the beginning of a long text and how long it is.
    auto *matrix = field(window, "matrixEdit");
    QCOMPARE(matrix->cursorPosition(), 0);
    const QString description
        = QAccessible::queryAccessibleInterface(matrix)->text(QAccessible::Description);
    const QString whole = fields.back().endsWith("…") ? clipboardAfter : fields.back();
    QVERIFY(description.startsWith(whole.left(600).remove('\r')));
    QCOMPARE(description.contains(" characters; the field shows the first "), whole.size() > 10000);
    QCOMPARE(description.contains("…"), whole.size() > 600);
    QVERIFY(matrix->toolTip().contains(whole.left(20).remove('\r')));
    // Calculate Matrix, and only it, confirms that the line is on the clipboard.
    QCOMPARE(note(window, "lineNote") == "The parameter line is on the clipboard.",
        buttons.back() == "calculateMatrixButton");
}

void WindowsTest::refusalsSayWhyInTheWindow_data()
{
    QTest::addColumn<QString>("field"); // typed into, or "" for none
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("press"); // a button clicked, "Return" in the field, or "": as typed
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("message"); // said above the Matrix field, whole

    const QString abc = R"(Rot Y: "abc" is not a number; type degrees, like 30 or 30°)";
    QTest::newRow("Scale Y is a word, as typed")
        << "scaleYEdit"
        << "abc"
        << "" << Before << R"(Scale Y: "abc" is not a number)";
    QTest::newRow("Rot Y is a word, Enter") << "rotYEdit"
                                            << "abc"
                                            << "Return" << Before << abc;
    QTest::newRow("a megabyte of digits in Rot X")
        << "rotXEdit" << QString(1 << 20, '7') << "calculateMatrixButton" << Before
        << "Rot X: \"" + QString(40, '7') + "…\" is too large";
    // The clipboard is to blame, not the Matrix field.
    const QString copyAgain = ". The text on the clipboard is the problem: copy a parameter line, "
                              "then press Calculate Angles again.";
    QTest::newRow("a value on the clipboard beyond a double")
        << ""
        << ""
        << "calculateAnglesButton"
        << "1e999 0 0 0 1 0 0 0 1"
        << R"(Matrix: "1e999" is too large)" + copyAgain;
    // A message longer than its two lines ends in "…", and its tooltip holds it whole.
    QTest::newRow("rows that are no rotation on the clipboard")
        << ""
        << ""
        << "calculateAnglesButton"
        << "1 2 3 4 5 6 7 8 9"
        << "Matrix: read as 1 2 3  4 5 6  7 8 9, which is not a rotation with scales: rows 1 and "
           "2 stand at 12.9°, not 90°"
            + copyAgain;
    QTest::newRow("no number on the clipboard")
        << ""
        << ""
        << "calculateAnglesButton"
        << "hello"
        << R"(Matrix: "hello" holds no parameter line)" + copyAgain;
    QTest::newRow("Enter in the Matrix field with no matrix")
        << "matrixEdit"
        << "hello"
        << "Return" << Before
        << R"(Matrix: "hello" holds no parameter line. The text in the Matrix field is the )"
           "problem: correct it, then press Enter again.";
    QTest::newRow("Enter in the emptied Matrix field")
        << "matrixEdit"
        << ""
        << "Return" << Before
        << "Matrix: the field is empty. Type or paste a parameter line, then press Enter.";
}

// What cannot be read is said in the window, and the field to blame framed, with no box to
// dismiss; nothing is written; a field to blame is ready to be typed over, and once the user
// moves on, the message goes.
void WindowsTest::refusalsSayWhyInTheWindow()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, press);
    QFETCH(QString, clipboard);
    QFETCH(QString, message);

    copy(clipboard);
    quorvex::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit *edit = field.isEmpty() ? nullptr : ::field(window, field);
    if (edit)
        typeOver(edit, text);
    const QStringList before = texts(window);
    if (press == "Return")
        QTest::keyClick(edit, Qt::Key_Return);
    else if (!press.isEmpty())
        click(window, press);

    QTRY_COMPARE(note(window, "problemNote"), message);
    QVERIFY(!QApplication::activeModalWidget());
    auto *shown = child<QLabel>(window, "problemNote");
    QVERIFY(shown->heightForWidth(shown->width()) <= shown->height());
    QCOMPARE(shown->toolTip(), shown->text().endsWith("…") ? message : "");
    QCOMPARE(texts(window), before);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QList<QLineEdit *> marked;
    for (const auto &name : Fields) {
        if (::field(window, name)->property("unreadable").toBool())
            marked << ::field(window, name);
    }
    QCOMPARE(marked, edit ? QList { edit } : QList<QLineEdit *>());
    QCOMPARE(window.focusWidget(), edit ? edit : child(window, press));
    if (edit && !press.isEmpty() && field != "matrixEdit")
        QTRY_COMPARE(edit->selectedText(), text); // after Enter's click

    typeOver(edit ? edit : ::field(window, "rotXEdit"), "5");
    QTRY_COMPARE(note(window, "problemNote"), "");
    QVERIFY(!(edit ? edit : ::field(window, "rotXEdit"))->property("unreadable").toBool());
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
    // So does the message of a field that cannot be read.
    field(window, "rotXEdit")->setText("888x");
    QTRY_VERIFY(!note(window, "problemNote").isEmpty());
    QVERIFY(textContrast(child(window, "problemNote")) >= 4.5);
    QApplication::setPalette(before);
}

void WindowsTest::keysDoWhatTheySay_data()
{
    QTest::addColumn<QString>("focus"); // a control of the main window, or "help:" one of Help's
    QTest::addColumn<QKeySequence>("key");
    // "matrix", "angles" of the clipboard, "field": the Matrix field's angles, "help" open,
    // "no help", "nothing"
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("namedBy"); // the control whose tooltip names the key, if any

    const QKeySequence enter(Qt::Key_Return), f1(Qt::Key_F1), ctrlW(Qt::CTRL | Qt::Key_W),
        ctrlShiftV(Qt::CTRL | Qt::SHIFT | Qt::Key_V);
    QTest::newRow("Enter in Rot X") << "rotXEdit" << enter << "matrix"
                                    << "";
    QTest::newRow("keypad Enter in Scale Z")
        << "scaleZEdit" << QKeySequence(Qt::Key_Enter) << "matrix"
        << "calculateMatrixButton";
    QTest::newRow("Space on Calculate Matrix")
        << "calculateMatrixButton" << QKeySequence(Qt::Key_Space) << "matrix"
        << "";
    QTest::newRow("Enter in the Matrix field") << "matrixEdit" << enter << "field"
                                               << "";
    QTest::newRow("Ctrl+Shift+V in Rot X") << "rotXEdit" << ctrlShiftV << "angles"
                                           << "calculateAnglesButton";
    QTest::newRow("Ctrl+V in the Matrix field")
        << "matrixEdit" << QKeySequence(Qt::CTRL | Qt::Key_V) << "angles"
        << "matrixEdit";
    QTest::newRow("Shift+Insert in the Matrix field")
        << "matrixEdit" << QKeySequence(Qt::SHIFT | Qt::Key_Insert) << "angles"
        << "matrixEdit";
    QTest::newRow("Enter on Help") << "helpButton" << enter << "help"
                                   << "";
    QTest::newRow("F1 in Rot Y") << "rotYEdit" << f1 << "help"
                                 << "helpButton";
    QTest::newRow("Escape in Help")
        << "help:closeButton" << QKeySequence(Qt::Key_Escape) << "no help"
        << "";
    QTest::newRow("Ctrl+W in Help's text") << "help:helpTextView" << ctrlW << "no help"
                                           << "";
    QTest::newRow("Enter on Help's Exit") << "help:closeButton" << enter << "no help"
                                          << "";
    QTest::newRow("Ctrl+W in the main window") << "rotXEdit" << ctrlW << "nothing"
                                               << "";
}

void WindowsTest::keysDoWhatTheySay()
{
    QFETCH(QString, focus);
    QFETCH(QKeySequence, key);
    QFETCH(QString, outcome);
    QFETCH(QString, namedBy);

    copy(RotX30);
    quorvex::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field(window, "rotXEdit")->setText("-30");
    if (!namedBy.isEmpty()) {
        const auto *control = QAccessible::queryAccessibleInterface(child(window, namedBy));
        QVERIFY(control->text(QAccessible::Description).contains(key.toString()));
    }
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

    const QString line = outcome == "matrix" ? "1 0 0   0 0.866025 0.5   0 -0.5 0.866025 "
        : outcome == "angles"                ? RotX30
                                             : "1 0 0  0 1 0  0 0 1";
    QTRY_COMPARE(field(window, "matrixEdit")->text(), line);
    QCOMPARE(field(window, "rotXEdit")->text(),
        outcome == "angles"      ? "30.0 "
            : outcome == "field" ? "0 "
                                 : "-30");
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
    // Each field is named by the label beside it, an angle with its unit; the window is a frame
    // named by its caption, and its heading, version included, a heading read without its run of
    // blanks.
    const QStringList labels { "Rot X, degrees", "Rot Y, degrees", "Rot Z, degrees", "Scale X",
        "Scale Y", "Scale Z", "Matrix" };
    for (int i = 0; i < Fields.size(); ++i)
        QCOMPARE(name(field(window, Fields[i])), labels[i]);
    QCOMPARE(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Window);
    QCOMPARE(name(&window), "Calc 3D Matrix Values");
    auto *heading = QAccessible::queryAccessibleInterface(child(window, "headingLabel"));
    QCOMPARE(heading->role(), QAccessible::Heading);
    QVERIFY2(heading->text(QAccessible::Name)
                 .endsWith(" parameters Ver " + QStringLiteral(QUORVEX_VERSION).section('.', 0, 1))
            && !heading->text(QAccessible::Name).contains("  "),
        qPrintable(heading->text(QAccessible::Name)));

    // The notes under and above the Matrix field are notifications, which a screen reader speaks
    // as they appear (it announces objects of that role). Calculate Matrix is confirmed until
    // the user's next action or edit: opening and closing Help is neither, a key typed in Rot Y
    // is, and the note then says that the line is out of date. A field that cannot be read is
    // named above, and its description, which a screen reader reads with the field, says why.
    click(window, "calculateMatrixButton");
    auto *lineNote = QAccessible::queryAccessibleInterface(child(window, "lineNote"));
    QCOMPARE(lineNote->role(), QAccessible::Notification);
    QCOMPARE(lineNote->text(QAccessible::Name), "The parameter line is on the clipboard.");
    click(window, "helpButton");
    helpWindow()->close();
    QTest::qWait(100);
    QCOMPARE(lineNote->text(QAccessible::Name), "The parameter line is on the clipboard.");
    QTest::keyClicks(field(window, "rotYEdit"), "x");
    QVERIFY(!lineNote->state().invisible);
    QCOMPARE(lineNote->text(QAccessible::Name),
        "Out of date, here and on the clipboard: the fields have changed. Press Enter.");
    copy(Before); // by another program
    QCOMPARE(lineNote->text(QAccessible::Name),
        "Out of date: the fields have changed since this line. Press Enter for theirs.");
    auto *problemNote = QAccessible::queryAccessibleInterface(child(window, "problemNote"));
    QTRY_VERIFY(!problemNote->state().invisible);
    QCOMPARE(problemNote->role(), QAccessible::Notification);
    const QString problem = R"(Rot Y: "0x" is not a number; type degrees, like 30 or 30°)";
    QCOMPARE(problemNote->text(QAccessible::Name), problem);
    QVERIFY(QAccessible::queryAccessibleInterface(field(window, "rotYEdit"))
                ->text(QAccessible::Description)
                .startsWith(problem + "\nThe turn about Y"));

    // Help is a frame too, and its text is read line by line, the matrix picture included.
    click(window, "helpButton");
    QCOMPARE(QAccessible::queryAccessibleInterface(helpWindow())->role(), QAccessible::Window);
    auto *help = QAccessible::queryAccessibleInterface(child(*helpWindow(), "helpTextView"));
    QVERIFY(help->state().readOnly && help->state().multiLine);
    auto *text = help->textInterface();
    const auto r13 = static_cast<int>(text->text(0, text->characterCount()).indexOf("r13 r23"));
    int start = 0, end = 0;
    QCOMPARE(text->textAtOffset(r13, QAccessible::LineBoundary, &start, &end),
        "               | r13 r23 r33 t3 |");
    helpWindow()->close();
}

namespace {

const QString Line102030 = "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   "
                           "-0.204874 0.318796 0.925417 ";
const QStringList Start { "0", "0", "0", "1", "1", "1", "1 0 0  0 1 0  0 0 1" };
const QStringList Read102030 { "10.0 ", "20.0 ", "30.0 ", "1", "1", "1", Line102030 };

// Drags data over a control and drops it at its centre, as a program the text comes from would.
void drop(QWidget *target, QMimeData *data)
{
    const QPointF centre = QRectF(target->rect()).center();
    QDragEnterEvent enter(
        centre.toPoint(), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent dropped(
        centre, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    // The program the text came from keeps it: a copy, never a move.
    QVERIFY(!dropped.isAccepted() || dropped.dropAction() == Qt::CopyAction);
}

// Chooses the entry that begins with `entry` ("&Paste") in a control's context menu.
void chooseFromMenu(QWidget *control, const QString &entry)
{
    QTimer poll;
    poll.callOnTimeout([&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (auto *action : menu->actions()) {
            if (action->text().startsWith(entry) && action->isEnabled())
                action->trigger();
        }
        menu->close();
    });
    poll.start(10);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, control->rect().center(),
        control->mapToGlobal(control->rect().center()));
    QApplication::sendEvent(control, &event);
}

} // namespace

void WindowsTest::pastesAndDropsReadAsCalculateAngles_data()
{
    QTest::addColumn<QString>("how"); // "Ctrl+V", "menu" or "drop", the control, files dropped
    QTest::addColumn<QByteArray>("given"); // on the clipboard, dropped, or in the file dropped
    // "read": Calculate Angles' fields (the Matrix field shows what was given); "Rot Y TEXT" or
    // "Matrix TEXT": the field's own paste; otherwise the message, and nothing written.
    QTest::addColumn<QString>("outcome");

    const QByteArray line = Line102030.toUtf8();
    const QByteArray numpy = "[[ 0.813798 -0.469846  0.34202 ]\n [ 0.543838  0.823173 "
                             "-0.163176]\n [-0.204874  0.318796  0.925417]]";
    const QByteArray utf16 = QByteArray("\xff\xfe")
        + QByteArray(reinterpret_cast<const char *>(Line102030.utf16()), Line102030.size() * 2);
    QTest::newRow("Paste in the Matrix field's menu") << "menu matrixEdit" << numpy << "read";
    QTest::newRow("Ctrl+V of a matrix in Rot Y") << "Ctrl+V rotYEdit" << numpy << "read";
    QTest::newRow("Ctrl+V of a number in Rot Y")
        << "Ctrl+V rotYEdit" << QByteArray("45") << "Rot Y 45";
    QTest::newRow("Paste of rows that are no rotation in Rot Y's menu")
        << "menu rotYEdit" << QByteArray("1 2 3 4 5 6 7 8 9") << "Rot Y 1 2 3 4 5 6 7 8 9";
    QTest::newRow("Ctrl+V of no matrix in the Matrix field")
        << "Ctrl+V matrixEdit" << QByteArray("1 0 0") << "Matrix 1 0 0";
    QTest::newRow("text dropped on the Matrix field") << "drop matrixEdit" << line << "read";
    QTest::newRow("a matrix dropped on Rot Y") << "drop rotYEdit" << line << "read";
    QTest::newRow("a number dropped on Rot Y")
        << "drop rotYEdit" << QByteArray("45") << "Rot Y 045";
    QTest::newRow("a drop that brings no text") << "drop window" << QByteArray()
                                                << "Matrix: the program that the text was dragged "
                                                   "from did not hand it over, so nothing was read";
    QTest::newRow("a file dropped on Rot Y") << "drop rotYEdit file:m.txt" << line << "read";
    QTest::newRow("UTF-16 with its byte-order mark") << "drop window file:m.txt" << utf16 << "read";
    QTest::newRow("an empty file") << "drop window file:empty.txt" << QByteArray("\xef\xbb\xbf")
                                   << R"(Matrix: "empty.txt" is empty)";
    QTest::newRow("a named pipe") << "drop window file:pipe" << QByteArray("<pipe>")
                                  << R"(Matrix: "pipe" is not a text file)";
    QTest::newRow("a picture") << "drop window file:m.png"
                               << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)
                               << R"(Matrix: "m.png" is not a text file)";
    QTest::newRow("Latin-1")
        << "drop window file:m.txt" << QByteArray("30\xb0 0 0")
        << R"(Matrix: "m.txt" is not text in UTF-8, nor in UTF-16 with a byte-order mark)";
    // 64 MiB are read (and these bytes are no text); a byte more is not.
    QTest::newRow("64 MiB") << "drop window file:big.txt" << QByteArray("<67108864 bytes>")
                            << R"(Matrix: "big.txt" is not a text file)";
    QTest::newRow("64 MiB and a byte")
        << "drop window file:big.txt" << QByteArray("<67108865 bytes>")
        << R"(Matrix: "big.txt" holds 64 MiB, far more than a matrix; it was not read)";
    QTest::newRow("two files") << "drop window file:m.txt file:n.txt" << line
                               << "Matrix: 2 files were dropped; drop one";
    QTest::newRow("a folder") << "drop window file:" << line
                              << R"(Matrix: "files" is a folder; drop a text file)";
    QTest::newRow("a file that is gone")
        << "drop window file:gone.txt" << QByteArray() << R"(Matrix: cannot read "gone.txt": )";
    QTest::newRow("a web page")
        << "drop window https://example.org/m.txt" << QByteArray()
        << R"(Matrix: "https://example.org/m.txt" is not a file on this computer)";
}

void WindowsTest::pastesAndDropsReadAsCalculateAngles()
{
    QFETCH(QString, how);
    QFETCH(QByteArray, given);
    QFETCH(QString, outcome);

    QTemporaryDir files;
    QVERIFY(QDir(files.path()).mkdir("files"));
    const QString folder = files.path() + "/files/";
    copy(Before);
    quorvex::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QStringList words = how.split(' ');
    QWidget *target = words[1] == "window" ? &window : child(window, words[1]);
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const auto &word : words.mid(2)) {
        if (!word.startsWith("file:")) {
            urls << QUrl(word);
            continue;
        }
        const QString path = word == "file:" ? folder.chopped(1) : folder + word.mid(5);
        urls << QUrl::fromLocalFile(path);
        QFile file(path);
        if (given.isEmpty() || word == "file:" || !file.open(QIODevice::WriteOnly))
            continue;
        if (given.endsWith(" bytes>"))
            QVERIFY(file.resize(given.mid(1).split(' ').front().toLongLong()));
        else if (given == "<pipe>")
            QVERIFY(file.remove() && mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else
            file.write(given);
    }
    if (!urls.isEmpty())
        data->setUrls(urls);
    else if (words[0] == "drop")
        data->setText(QString::fromUtf8(given));
    else
        copy(QString::fromUtf8(given));

    target->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        edit->selectAll();
    if (words[0] == "Ctrl+V")
        QTest::keySequence(target, QKeySequence::Paste);
    else if (words[0] == "menu")
        chooseFromMenu(target, "&Paste");
    else
        drop(target, data);

    QStringList fields = Start;
    if (outcome == "read") {
        fields = Read102030.mid(0, 6) << (urls.isEmpty() ? QString::fromUtf8(given) : Line102030);
    } else if (outcome.startsWith("Rot Y ")) {
        fields[1] = outcome.mid(6);
    } else if (outcome.startsWith("Matrix ")) {
        fields[6] = outcome.mid(7);
    } else {
        // The message, and the advice after it; the system's reason for a file it cannot open is
        // in the user's language.
        QTRY_VERIFY2(note(window, "problemNote").startsWith(outcome),
            qPrintable(note(window, "problemNote")));
    }
    QCOMPARE(texts(window), fields);
    delete data;
}

void WindowsTest::undoAndRedoRetraceEveryStep_data()
{
    // Steps: "type FIELD TEXT…" typed over the field's text; "copy" (Line102030); "matrix" or
    // "angles" clicked; "drop" (Line102030 on the window); "undo"; "FIELD KEY", a key in a field.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("keysIn"); // the undo and redo keys' control, "" for the focus, or
                                         // "menu:FIELD" for the field's context menu
    QTest::addColumn<QString>("note"); // under the Matrix field at the end

    const QString onClipboard
        = "Out of date, here and on the clipboard: the fields have changed. Press Enter.";
    QTest::newRow("Rot Z 45 calculated, then 60 typed")
        << QStringList { "type rotZEdit 45", "matrix", "type rotZEdit 60" } << "" << onClipboard;
    QTest::newRow("30 in Rot X, Enter, 7 in Rot Y") << QStringList { "type rotXEdit 30",
        "rotXEdit Return", "type rotYEdit 7" } << "" << onClipboard;
    QTest::newRow("Calculate Angles, a line typed in the Matrix field, Enter there")
        << QStringList { "copy", "angles", "type matrixEdit 0 -1 0 1 0 0 0 0 1",
               "matrixEdit Return" }
        << "matrixEdit"
        << "";
    QTest::newRow("a paste, both sides edited, a drop") << QStringList { "copy", "rotYEdit Ctrl+V",
        "type scaleXEdit 2", "type matrixEdit 1 0 0", "drop" }
                                                        << "helpButton"
                                                        << "";
    QTest::newRow("typing back is no step, nor is a failed action")
        << QStringList { "type rotXEdit 30", "matrix", "type rotYEdit 5", "type rotYEdit 0",
               "type scaleXEdit x", "matrix", "type scaleXEdit 1" }
        << "menu:rotYEdit"
        << "";
    QTest::newRow("typing after an undo leaves nothing to redo")
        << QStringList { "type rotXEdit 30", "matrix", "undo", "type rotYEdit 5" } << ""
        << "Out of date: the fields have changed since this line. Press Enter for theirs.";
}

// Whatever the user does, N undos go back through exactly the states the window held, the note
// under the Matrix field included, and N redos return: nothing typed is lost, and the clipboard
// is never undone.
void WindowsTest::undoAndRedoRetraceEveryStep()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, keysIn);
    QFETCH(QString, note);

    copy(Before);
    quorvex::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The confirmation of Calculate Matrix lasts until the next action, an undo included.
    const auto state = [&] {
        const QString said = ::note(window, "lineNote");
        return texts(window) << (said == "The parameter line is on the clipboard." ? "" : said);
    };
    QList<QStringList> states { state() };
    QString typing; // the field typed in last, whose typing goes on as one step
    for (const auto &step : steps) {
        const QStringList words = step.split(' ');
        if (step == "copy") {
            copy(Line102030);
        } else if (step == "matrix" || step == "angles") {
            click(window, step == "matrix" ? "calculateMatrixButton" : "calculateAnglesButton");
        } else if (step == "drop") {
            QMimeData data;
            data.setText(Line102030);
            drop(&window, &data);
        } else if (step == "undo") {
            QTest::keySequence(window.focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Z));
            states.removeLast();
            QCOMPARE(state(), states.back());
            typing.clear();
            continue;
        } else if (words[0] == "type") {
            auto *edit = field(window, words[1]);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, words.mid(2).join(' '));
        } else {
            QSignalSpy clicked(
                child<QPushButton>(window, "calculateMatrixButton"), &QPushButton::clicked);
            field(window, words[0])->setFocus();
            QTest::keySequence(field(window, words[0]), QKeySequence(words[1]));
            if (words[1] == "Return" && words[0] != "matrixEdit")
                QTRY_COMPARE(clicked.count(), 1); // after the button's animation
        }
        const QStringList now = state();
        if (words[0] == "type" && words[1] == typing) {
            states.last() = now;
            if (states.size() > 1 && states.at(states.size() - 2) == now)
                states.removeLast();
        } else if (now != states.back()) {
            states << now;
        }
        typing = words[0] == "type" ? words[1] : QString();
    }
    QCOMPARE(states.back().back(), note);

    const QString clipboard = QGuiApplication::clipboard()->text();
    const auto press = [&](bool undo, qsizetype i) {
        if (keysIn.startsWith("menu:"))
            return chooseFromMenu(child(window, keysIn.mid(5)), undo ? "&Undo" : "&Redo");
        QWidget *target = keysIn.isEmpty() ? window.focusWidget() : child(window, keysIn);
        target->setFocus();
        QTest::keySequence(target,
            QKeySequence(undo ? "Ctrl+Z"
                    : i % 2   ? "Ctrl+Y"
                              : "Ctrl+Shift+Z"));
    };
    for (qsizetype i = states.size() - 2; i >= -1; --i) {
        press(true, i);
        QCOMPARE(state(), states.at(std::max<qsizetype>(i, 0)));
    }
    for (qsizetype i = 1; i <= states.size(); ++i) {
        press(false, i);
        QCOMPARE(state(), states.at(std::min(i, states.size() - 1)));
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

void WindowsTest::windowFitsScreenAndFont_data()
{
    QTest::addColumn<int>("points"); // 0: the desktop's font as it is
    QTest::newRow("desktop font") << 0;
    QTest::newRow("16 pt") << 16;
}

// At the desktop's font and at a large one, on the test's screen (1280×800, and 800×600 in a run
// of its own), every control and the picture lie on the screen: where the screen is too small
// even for the form, the form scrolls and brings the control with the focus into sight. The
// picture fills the room beside or below the form, and grows with the window; F9, the Picture box
// and the context menu hide it, the window narrowing to the form, and show it again. Captions fit
// their controls (with Arial's metric twin from fonts-liberation), the help text's lines fit its
// view unwrapped, which keeps the matrix picture whole; a line of the fields' font fits their
// boxes, descenders and all. Help opens beside the main window where the screen has room, and
// fits the screen, its text scrolling, its Exit button in sight.
void WindowsTest::windowFitsScreenAndFont()
{
    QFETCH(int, points);
    const QFont desktop = QApplication::font();
    QFont font = desktop;
    if (points)
        font.setPointSize(points);
    QApplication::setFont(font);
    const auto restore = qScopeGuard([&] { QApplication::setFont(desktop); });

    quorvex::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QRect screen = window.screen()->availableGeometry();
    auto *picture = child<quorvex::OrientationView>(window, "orientationView");
    QWidget *form = child(window, "form");
    const auto fits = [&](bool shown) {
        // Active, as after a menu it may not be yet: the focus moves only in an active window.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(screen.contains(window.frameGeometry()));
        QCOMPARE(picture->isVisible(), shown);
        QCOMPARE(child<QCheckBox>(window, "pictureCheckBox")->isChecked(), shown);
        QCOMPARE(window.minimumSize().boundedTo(window.size()), window.minimumSize());
        const QWidget *clip = form->parentWidget();
        const QRect seen(clip->mapTo(&window, QPoint()), clip->size());
        for (auto *control : form->findChildren<QWidget *>()) {
            if (control->focusPolicy() == Qt::NoFocus)
                continue;
            control->setFocus();
            const QRect place(control->mapTo(&window, QPoint()), control->size());
            // Of a control wider than the view, its beginning.
            const QRect whole = place.width() <= seen.width()
                ? place
                : QRect(place.topLeft(), QSize(seen.width() / 2, place.height()));
            QVERIFY2(seen.contains(whole) && !(shown && whole.intersects(picture->geometry())),
                qPrintable(control->objectName()));
        }
        if (shown) {
            QCOMPARE(picture->geometry().bottomRight(), window.rect().bottomRight());
            QVERIFY(std::min(picture->width(), picture->height()) >= 0.4 * form->height() - 1);
        } else if (form->parentWidget() == &window) {
            QCOMPARE(window.size(), form->size());
        }
    };
    fits(true);
    window.resize(1, 1); // no smaller than the form and the smallest picture
    fits(true);
    const int side = std::min(picture->width(), picture->height());
    window.resize(screen.size());
    QTRY_VERIFY(
        std::min(picture->width(), picture->height()) > side || window.size() != screen.size());
    QTest::keyClick(field(window, "rotXEdit"), Qt::Key_F9);
    fits(false);
    QTest::mouseClick(child(window, "pictureCheckBox"), Qt::LeftButton);
    fits(true);
    chooseFromMenu(&window, "Orientation");
    fits(false);
    QTest::mouseClick(child(window, "pictureCheckBox"), Qt::LeftButton);
    fits(true);

    click(window, "helpButton");
    QWidget *help = helpWindow();
    QVERIFY(help);
    for (const QWidget *top : { static_cast<QWidget *>(&window), help }) {
        for (auto *widget : top->findChildren<QWidget *>()) {
            auto *view = qobject_cast<QPlainTextEdit *>(widget);
            auto *edit = qobject_cast<QLineEdit *>(widget);
            widget->ensurePolished();
            if (edit) {
                QStyleOptionFrame option;
                option.initFrom(edit);
                option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
                const int room = edit->style()
                                     ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                     .height()
                    - 2; // the field's margin above and below its text
                QVERIFY2(edit->fontMetrics().height() <= room, qPrintable(edit->objectName()));
            }
            if (!view && !qobject_cast<QLabel *>(widget) && !qobject_cast<QPushButton *>(widget))
                continue;
            const QString text = view ? view->toPlainText() : widget->property("text").toString();
            const int width = view ? view->viewport()->width() : widget->contentsRect().width();
            for (const QString &line : text.split('\n')) {
                QVERIFY2(widget->fontMetrics().horizontalAdvance(line) <= width,
                    qPrintable(widget->objectName() + " cuts \"" + line + '"'));
            }
        }
    }
    // The heading's fonts grew with the rest: its text spans its label as it does at 9 pt.
    auto *heading = child<QLabel>(window, "headingLabel");
    QVERIFY(heading->fontMetrics().horizontalAdvance(heading->text())
        > 0.9 * heading->contentsRect().width());
    QVERIFY2(screen.contains(help->frameGeometry()),
        qPrintable(QString("%1 %2").arg(help->frameGeometry().height()).arg(screen.height())));
    if (window.frameGeometry().width() + help->frameGeometry().width() <= screen.width())
        QVERIFY(!help->frameGeometry().intersects(window.frameGeometry()));
    QVERIFY(help->rect().contains(child(*help, "closeButton")->geometry()));
    QVERIFY(child<QPlainTextEdit>(*help, "helpTextView")->verticalScrollBar()->maximum() > 0);
    help->close();
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
    QVERIFY(QAccessible::queryAccessibleInterface(child(window, "exitButton"))
                ->text(QAccessible::Description)
                .contains("Ctrl+Q"));

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
