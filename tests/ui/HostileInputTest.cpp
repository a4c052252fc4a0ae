// Input far beyond any parameter line, on the offscreen platform: the actions finish with the
// right result and the window answers afterwards. The times are printed for the record; they are
// measured, not asserted.

#include "Quorvex.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>

namespace {

QString repeated(const QString &unit, qsizetype size)
{
    QString text;
    text.reserve(size + unit.size());
    while (text.size() < size)
        text += unit;
    return text;
}

} // namespace

class HostileInputTest : public QObject
{
    Q_OBJECT

private slots:
    void hugeClipboardTextIsReadWhole_data();
    void hugeClipboardTextIsReadWhole();
    void megabyteFieldGivesValueOrError_data();
    void megabyteFieldGivesValueOrError();
};

void HostileInputTest::hugeClipboardTextIsReadWhole_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("10 MiB on one line") << repeated(Line102030 + "  ", 10 << 20);
    QTest::newRow("100,000 lines")
        << repeated(Line102030 + "\r\n", 100000 * (Line102030.size() + 2));
}

void HostileInputTest::hugeClipboardTextIsReadWhole()
{
    QFETCH(QString, clipboard);
    QGuiApplication::clipboard()->setText(clipboard);
    quorvex::Quorvex window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QElapsedTimer timer;
    timer.start();
    click(window, "Command3");
    const auto action = timer.restart();
    QApplication::processEvents();
    const auto painted = timer.restart();

    auto *matrix = child<QLineEdit>(window, "Text7");
    QCOMPARE(matrix->text().size(), clipboard.size());
    QCOMPARE(text(window, "Text1"), "10.0 ");
    QCOMPARE(text(window, "Text2"), "20.0 ");
    QCOMPARE(text(window, "Text3"), "30.0 ");

    // The window answers the next click, which replaces the huge text with a line.
    timer.restart();
    click(window, "Command1");
    QApplication::processEvents();
    const auto next = timer.elapsed();
    QCOMPARE(matrix->text(), Line102030);
    qInfo("%lld characters: action %lld ms, first paint %lld ms, next click %lld ms",
        static_cast<long long>(clipboard.size()), action, painted, next);
}

void HostileInputTest::megabyteFieldGivesValueOrError_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line"); // empty: an error is expected
    QTest::addColumn<QString>("message");

    QTest::newRow("a megabyte of digits") << QString(1 << 20, '7') << ""
                                          << "Rot X: \"" + QString(40, '7') + "…\" is too large";
    QTest::newRow("thirty with a megabyte of zeros")
        << "30." + QString(1 << 20, '0') << "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 "
        << "";
}

void HostileInputTest::megabyteFieldGivesValueOrError()
{
    QFETCH(QString, text);
    QFETCH(QString, line);
    QFETCH(QString, message);
    QLocale::setDefault(QLocale::c());
    QGuiApplication::clipboard()->setText("on the clipboard before");
    quorvex::Quorvex window;
    window.show();
    child<QLineEdit>(window, "Text1")->setText(text);

    QElapsedTimer timer;
    timer.start();
    click(window, "Command1");
    const auto action = timer.elapsed();
    qInfo("action %lld ms", action);

    if (!line.isEmpty()) {
        QCOMPARE(child<QLineEdit>(window, "Text7")->text(), line);
        QCOMPARE(QGuiApplication::clipboard()->text(), line);
        return;
    }
    QMessageBox *box = nullptr;
    QTRY_VERIFY((box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())));
    QCOMPARE(box->text(), message);
    QCOMPARE(QGuiApplication::clipboard()->text(), "on the clipboard before");
    box->close();
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(HostileInputTest)
#include "HostileInputTest.moc"
