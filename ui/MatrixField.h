#pragma once

#include <QLineEdit>

namespace quorvex {

// The Matrix field: it shows the parameter line that Calculate Matrix put on the clipboard, or the
// text that Calculate Angles read, from its first character, and takes no typing. A text of
// megabytes is shown by its beginning; the field keeps the whole of it. Its tooltip and its
// accessible description carry the text whole (or, past a few hundred characters, its beginning),
// so that the end of a line wider than the field can be read without scrolling, by screen
// readers too, followed by what the field is for.
class MatrixField : public QLineEdit
{
    Q_OBJECT

public:
    explicit MatrixField(QWidget *parent = nullptr);

    QString wholeText() const { return m_whole; }
    void setWholeText(const QString &text);

private:
    QString m_whole;
};

} // namespace quorvex
