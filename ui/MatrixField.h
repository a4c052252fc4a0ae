#pragma once

#include <QLineEdit>

namespace quorvex {

// The Matrix field: it shows the parameter line that Calculate Matrix put on the clipboard, or the
// text that Calculate Angles read, from its first character, and takes typing like any field;
// Enter in it reads what it shows. A text of megabytes is shown by its beginning, which cannot be
// edited: the field keeps the whole text, and says so when typed in. Its tooltip and its
// accessible description carry the text whole (or, past a few hundred characters, its beginning),
// so that the end of a line wider than the field can be read without scrolling, by screen readers
// too, followed by what the field is for.
class MatrixField : public QLineEdit
{
    Q_OBJECT

public:
    explicit MatrixField(QWidget *parent = nullptr);

    QString wholeText() const { return m_whole; }
    void setWholeText(const QString &text);

signals:
    // A key that would edit a text too long to be shown whole.
    void typingRefused(qsizetype length);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void describe();

    QString m_whole;
};

} // namespace quorvex
