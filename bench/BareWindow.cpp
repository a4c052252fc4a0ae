// The yardstick for quorvex's start-up: a plain Qt window with the controls of quorvex's main form,
// at the same places, built in code from the form's widget names, kinds, texts and geometry, with
// no style sheets, no calculations and no help window.

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QXmlStreamReader>

#include <array>

namespace {

QWidget *control(const QString &kind, QWidget *window)
{
    if (kind == QLatin1String("QLineEdit"))
        return new QLineEdit(window);
    if (kind == QLatin1String("QLabel"))
        return new QLabel(window);
    return new QPushButton(window);
}

// Gives the window the form's size and a control for each of its widgets, with its text and place.
void build(QWidget &window, const QString &form)
{
    QFile file(form);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(form));
    QXmlStreamReader xml(&file);
    QWidget *current = nullptr;
    QString property;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (!xml.isStartElement())
            continue;
        const auto element = xml.name();
        if (element == u"widget") {
            const auto kind = xml.attributes().value(u"class").toString();
            current = kind == u"QWidget" ? &window : control(kind, &window);
        } else if (element == u"property") {
            property = xml.attributes().value(u"name").toString();
        } else if (element == u"rect" && property == u"geometry") {
            std::array<int, 4> edges {}; // x, y, width, height
            for (int &edge : edges) {
                xml.readNextStartElement();
                edge = xml.readElementText().toInt();
            }
            current->setGeometry(edges[0], edges[1], edges[2], edges[3]);
        } else if (element == u"string" && property == u"text") {
            current->setProperty("text", xml.readElementText());
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    build(window, QStringLiteral(QUORVEX_MAIN_FORM));
    window.show();
    return app.exec();
}
