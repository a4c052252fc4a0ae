#include "BareForm.h"

#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QXmlStreamReader>

#include <array>

QList<BareControl> readForm(const QString &form)
{
    QFile file(form);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(form));
    QXmlStreamReader xml(&file);
    QList<BareControl> controls;
    QString property, customClass;
    QHash<QString, QString> extended; // a class of quorvex's own, and the Qt class it extends
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (!xml.isStartElement())
            continue;
        const auto element = xml.name();
        if (element == QLatin1String("class")) {
            customClass = xml.readElementText();
        } else if (element == QLatin1String("extends")) {
            extended.insert(customClass, xml.readElementText());
        } else if (element == QLatin1String("widget")) {
            controls.append({ xml.attributes().value(QLatin1String("class")).toString(), {}, {} });
        } else if (element == QLatin1String("property")) {
            property = xml.attributes().value(QLatin1String("name")).toString();
        } else if (element == QLatin1String("rect") && property == QLatin1String("geometry")) {
            std::array<int, 4> edges {}; // x, y, width, height
            for (int &edge : edges) {
                xml.readNextStartElement();
                edge = xml.readElementText().toInt();
            }
            controls.back().geometry = QRect(edges[0], edges[1], edges[2], edges[3]);
        } else if (element == QLatin1String("string") && property == QLatin1String("text")) {
            controls.back().text = xml.readElementText();
        } else if (element != QLatin1String("string")) {
            // A property's other values, and whatever follows the widgets (the tab order, a
            // shortcut's action), hold no text of a control.
            property.clear();
        }
    }
    // A field of quorvex's own (the Matrix field) is a plain line edit in the bare window; its
    // message, shown only after an action, and the picture of the orientation stay classes of
    // their own, which the window hides: the bare window is as large as quorvex's, and draws
    // neither.
    for (auto &control : controls) {
        if (extended.value(control.kind) == QLatin1String("QLineEdit"))
            control.kind = QStringLiteral("QLineEdit");
    }
    return controls;
}

void buildBareWindow(QWidget &window, const QList<BareControl> &controls)
{
    for (const auto &control : controls) {
        QWidget *widget = nullptr;
        if (&control == &controls.front())
            widget = &window;
        else if (control.kind == QLatin1String("QLineEdit"))
            widget = new QLineEdit(control.text, &window);
        else if (control.kind == QLatin1String("QPushButton"))
            widget = new QPushButton(control.text, &window);
        else // a label, or a class of quorvex's own: the message, the picture
            widget = new QLabel(control.text, &window);
        widget->setGeometry(control.geometry);
        if (!control.kind.startsWith(QLatin1Char('Q')))
            widget->hide();
    }
}
