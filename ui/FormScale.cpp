#include "FormScale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace quorvex {
namespace {

    // The height of a line of Qt's default desktop font on X11, DejaVu Sans at 9 pt, at 96 dots
    // per inch: the font the forms were laid out for, whose fields hold a line of it.
    constexpr double FormFontPixels = 14;

    int scaled(int length, double scale)
    {
        return static_cast<int>(std::lround(length * scale));
    }

    // Each edge scaled on its own, so that controls that met still meet.
    QRect scaled(const QRect &rect, double scale)
    {
        return QRect(QPoint(scaled(rect.left(), scale), scaled(rect.top(), scale)),
            QPoint(scaled(rect.right() + 1, scale) - 1, scaled(rect.bottom() + 1, scale) - 1));
    }

    // A style sheet whose point sizes ("font: bold 9.75pt") are multiplied by `factor`.
    QString scaledFonts(const QString &styleSheet, double factor)
    {
        static const QRegularExpression points(QStringLiteral("(\\d+(?:\\.\\d+)?)pt\\b"));
        QString result;
        qsizetype last = 0;
        for (const auto &match : points.globalMatch(styleSheet)) {
            result += styleSheet.mid(last, match.capturedStart() - last);
            result += QString::number(match.captured(1).toDouble() * factor, 'g', 4)
                + QStringLiteral("pt");
            last = match.capturedEnd();
        }
        return result + styleSheet.mid(last);
    }

    // The controls of a form: the window's children, and theirs where a plain widget groups some.
    QWidgetList controlsOf(const QWidget &window)
    {
        QWidgetList controls;
        for (auto *widget : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            controls << widget;
            if (widget->metaObject() == &QWidget::staticMetaObject)
                controls << controlsOf(*widget);
        }
        return controls;
    }

    // Whether each caption, and each line of a text view, fits its control.
    bool textsFit(const QWidget &window)
    {
        for (auto *widget : controlsOf(window)) {
            widget->ensurePolished();
            // A check box's caption stands beside its box.
            if (qobject_cast<QCheckBox *>(widget) && widget->sizeHint().width() > widget->width())
                return false;
            auto *view = qobject_cast<QPlainTextEdit *>(widget);
            if (!view && !qobject_cast<QLabel *>(widget)
                && !qobject_cast<QAbstractButton *>(widget))
                continue;
            const QString text = view ? view->toPlainText() : widget->property("text").toString();
            const int width = view ? view->viewport()->width() : widget->contentsRect().width();
            for (const auto &line : text.split(QLatin1Char('\n'))) {
                if (widget->fontMetrics().horizontalAdvance(line) > width)
                    return false;
            }
        }
        return true;
    }

} // namespace

double formScale()
{
    return std::max(1.0, QFontMetrics(QApplication::font()).height() / FormFontPixels);
}

void growForm(QWidget &window, double scale)
{
    if (scale == 1)
        return;
    std::vector<std::pair<QWidget *, QString>> sheets;
    if (!window.styleSheet().isEmpty())
        sheets.emplace_back(&window, window.styleSheet());
    for (auto *widget : controlsOf(window)) {
        widget->setGeometry(scaled(widget->geometry(), scale));
        if (!widget->styleSheet().isEmpty())
            sheets.emplace_back(widget, widget->styleSheet());
    }
    // The fonts grow to the same pixels as the places: points become pixels at the screen's dots
    // per inch, which the scale holds already. Glyph widths are whole pixels, though, which do
    // not grow in proportion, and the heading was measured to the pixel: where a caption would
    // no longer fit, all fonts give up a little more, 2% at a time, so that they keep their
    // proportions (at 16 pt the heading needs 4%).
    double factor = scale * 96 / window.logicalDpiY();
    for (int tries = 0; tries < 10; ++tries, factor *= 0.98) {
        for (const auto &[widget, sheet] : sheets) {
            // A sheet set over another keeps the fonts that the first gave the controls.
            widget->setStyleSheet(QString());
            widget->setStyleSheet(scaledFonts(sheet, factor));
        }
        if (textsFit(window))
            break;
    }
    const auto grown = [scale](QSize size) {
        return QSize(scaled(size.width(), scale), scaled(size.height(), scale));
    };
    // Grown before a larger minimum enlarges it.
    const QSize size = grown(window.size());
    // A fixed size (Help's) grows as a whole, and so does a minimum.
    constexpr QSize Unbounded(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (window.maximumSize() != Unbounded)
        window.setMaximumSize(grown(window.maximumSize()));
    window.setMinimumSize(grown(window.minimumSize()));
    window.resize(size);
}

} // namespace quorvex
