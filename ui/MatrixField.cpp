#include "MatrixField.h"

namespace quorvex {
namespace {

    // A line edit lays out its whole text on every keystroke and paint, which takes seconds for
    // a pasted file of megabytes: it shows the beginning of such a text, far more than fits in it.
    constexpr qsizetype ShownInField = 10000;
    // A tooltip shows a parameter line, or a matrix of a few rows, whole; of a longer text its
    // beginning.
    constexpr qsizetype ShownInTooltip = 600;

    // The first `count` characters of a text, one fewer where a surrogate pair would be cut.
    QString beginning(const QString &text, qsizetype count)
    {
        if (text.size() <= count)
            return text;
        return text.left(count - (text.at(count - 1).isHighSurrogate() ? 1 : 0));
    }

} // namespace

MatrixField::MatrixField(QWidget *parent)
    : QLineEdit(parent)
{ }

void MatrixField::setWholeText(const QString &text)
{
    m_whole = text;
    const QString shown = beginning(text, ShownInField);
    setText(shown.size() < text.size() ? shown + QStringLiteral("…") : shown);
    // The beginning of the line in view, not its end.
    setCursorPosition(0);

    QString lines = beginning(text, ShownInTooltip);
    const bool cut = lines.size() < text.size();
    lines.remove(QLatin1Char('\r'));
    if (cut)
        lines += QStringLiteral("…");
    const QString count = shown.size() < text.size()
        ? tr("The text holds %L1 characters; the field shows the first %L2.")
              .arg(text.size())
              .arg(shown.size())
        : QString();
    const QString use = tr("Paste a matrix or parameter line here (Ctrl+V, Shift+Insert or the "
                           "middle button), or drop one or a text file on the window, to read its "
                           "angles as Calculate Angles reads the clipboard. Typing here changes "
                           "nothing; Ctrl+Z undoes what was read.");
    // Rich text, so that the description wraps while the lines keep their breaks and blanks.
    setToolTip(QStringLiteral("<p style='white-space:pre'>%1</p>%2<p>%3</p>")
                   .arg(lines.toHtmlEscaped(),
                       count.isEmpty() ? QString() : QStringLiteral("<p>%1</p>").arg(count), use));
    QStringList description { lines, use };
    if (!count.isEmpty())
        description.insert(1, count);
    setAccessibleDescription(description.join(QLatin1Char('\n')));
}

} // namespace quorvex
