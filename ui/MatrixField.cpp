#include "MatrixField.h"

#include <QKeyEvent>

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
{
    // Before anyone else hears of the edit, the whole text is what the field shows.
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_whole = text;
        describe();
    });
}

void MatrixField::setWholeText(const QString &text)
{
    m_whole = text;
    const QString shown = beginning(text, ShownInField);
    // What the field shows of a longer text is not the text: editing it would cut the rest.
    setReadOnly(shown.size() < text.size());
    setText(isReadOnly() ? shown + QStringLiteral("…") : shown);
    // The beginning of the line in view, not its end.
    setCursorPosition(0);
    describe();
}

void MatrixField::keyPressEvent(QKeyEvent *event)
{
    const bool editing = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete
        || (!event->text().isEmpty() && event->text().front().isPrint());
    if (isReadOnly() && editing)
        emit typingRefused(m_whole.size());
    QLineEdit::keyPressEvent(event);
}

void MatrixField::describe()
{
    QString lines = beginning(m_whole, ShownInTooltip);
    const bool cut = lines.size() < m_whole.size();
    lines.remove(QLatin1Char('\r'));
    if (cut)
        lines += QStringLiteral("…");
    const QString count = isReadOnly()
        ? tr("The text holds %L1 characters; the field shows the first %L2, and cannot edit them.")
              .arg(m_whole.size())
              .arg(text().size() - 1)
        : QString();
    const QString use
        = tr("Type a matrix or parameter line here, or edit this one, and press Enter "
             "to read its angles as Calculate Angles reads the clipboard. A whole "
             "matrix pasted here or into any field (Ctrl+V, Shift+Ins or the middle "
             "button), or dropped on the window, is read at once. Ctrl+Z undoes "
             "what was typed or read.");
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
