// The real X11 clipboard, shared with another program: xclip.

#include "Quorvex.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs xclip on the clipboard selection and returns what it printed. Waits with our event loop
// running: while this program owns the clipboard, xclip -o waits for us to answer it.
bool xclip(const QStringList &arguments, const QByteArray &input, QByteArray *output = nullptr)
{
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    // xclip -i leaves a child behind that serves the clipboard; it must not hold our pipe.
    if (!output)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.start("xclip", QStringList { "-selection", "clipboard" } + arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!QTest::qWaitFor([&] { return !finished.isEmpty(); }, 5000)) {
        process.kill();
        qWarning("xclip %s did not finish", qPrintable(arguments.join(' ')));
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

class X11ClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void otherProgramsReadTheMatrixWeCopy();
    void calculateAnglesReadsWhatAnotherProgramCopied_data();
    void calculateAnglesReadsWhatAnotherProgramCopied();
};

void X11ClipboardTest::initTestCase()
{
    QString missing;
    if (QGuiApplication::platformName() != "xcb")
        missing = "an X server (platform is " + QGuiApplication::platformName() + ")";
    else if (QStandardPaths::findExecutable("xclip").isEmpty())
        missing = "xclip";
    if (missing.isEmpty())
        return;
    if (qEnvironmentVariableIsSet("CI"))
        QFAIL(qPrintable("needs " + missing + "; tools/setup installs it"));
    QSKIP(qPrintable("needs " + missing + "; tools/setup installs it"));
}

void X11ClipboardTest::otherProgramsReadTheMatrixWeCopy()
{
    quorvex::Quorvex window;
    window.show();
    child<QLineEdit>(window, "Text1")->setText("30");

    click(window, "Command1");

    QByteArray pasted;
    QVERIFY(xclip({ "-o" }, {}, &pasted));
    QCOMPARE(pasted, "1 0 0   0 0.866025 -0.5   0 0.5 0.866025 ");
}

void X11ClipboardTest::calculateAnglesReadsWhatAnotherProgramCopied_data()
{
    QTest::addColumn<QByteArray>("copied");
    QTest::addColumn<QString>("type"); // empty: xclip's plain text
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<QStringList>("angles");

    const QStringList zero { "0 ", "0 ", "0 " };
    QTest::newRow("parameter line")
        << Line102030.toUtf8() << "" << Line102030 << QStringList { "10.0 ", "20.0 ", "30.0 " };
    const QByteArray annotated = "1 0 0   0 1 0   0 0 1 (Würfel, 10 × 20)";
    QTest::newRow("non-ASCII text") << annotated << "" << QString::fromUtf8(annotated) << zero;
    // Beyond what one X request carries: the text arrives in pieces.
    const QByteArray longText = Line102030.toUtf8() + QByteArray(300000, ' ') + "end";
    QTest::newRow("longer than one X request")
        << longText << "" << QString(longText) << QStringList { "10.0 ", "20.0 ", "30.0 " };
    QTest::newRow("image only") << QByteArray() << "image/png"
                                << "1 0 0   0 1 0   0 0 1" << zero;
}

void X11ClipboardTest::calculateAnglesReadsWhatAnotherProgramCopied()
{
    QFETCH(QByteArray, copied);
    QFETCH(QString, type);
    QFETCH(QString, matrix);
    QFETCH(QStringList, angles);

    QTemporaryDir dir;
    QStringList arguments { "-i" };
    if (!type.isEmpty()) {
        const QString file = dir.filePath("copied.png");
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(file));
        arguments << "-t" << type << file;
    }
    QVERIFY(xclip(arguments, copied));
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(copied));

    quorvex::Quorvex window;
    window.show();
    click(window, "Command3");

    QCOMPARE(text(window, "Text7"), matrix);
    QCOMPARE((QStringList { text(window, "Text1"), text(window, "Text2"), text(window, "Text3") }),
        angles);
    // Reading is all: the other program still owns what it copied.
    if (type.isEmpty()) {
        QByteArray still;
        QVERIFY(xclip({ "-o" }, {}, &still));
        QCOMPARE(still, copied);
    }
}

QTEST_MAIN(X11ClipboardTest)
#include "X11ClipboardTest.moc"
