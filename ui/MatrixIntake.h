#pragma once

#include <QClipboard>
#include <QList>
#include <QObject>

class QLineEdit;
class QMimeData;

namespace quorvex {

struct Error;

// Takes the texts that the user gives the window to read as a matrix, besides the clipboard that
// Calculate Angles reads: whatever is pasted into the Matrix field (Ctrl+V, Shift+Insert, its
// context menu's Paste, the middle button with the selection), a whole matrix pasted into one of
// the six input fields (anything else pasted there is the field's own paste), and text or a
// local text file dropped anywhere on the window. Each is offered as Calculate Angles offers the
// clipboard's text, with the advice to give if it cannot be read.
class MatrixIntake : public QObject
{
    Q_OBJECT

public:
    MatrixIntake(QWidget &window, const QList<QLineEdit *> &inputs, QLineEdit &matrix);

    // Offers the text on the clipboard, or in the selection, as Calculate Angles reads it. An
    // empty selection offers nothing: a middle click with nothing selected is no paste.
    void offerClipboard(QClipboard::Mode mode);

signals:
    // A text to read as a matrix; empty for a clipboard without text, which reads as the identity.
    void offered(const QString &text, const QString &advice);
    // A text that cannot even be had: a clipboard owner that did not answer, a file that cannot be
    // read.
    void refused(const quorvex::Error &error, const QString &advice);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A paste into a field: the Matrix field reads all it is given, an input field only a whole
    // matrix. Returns whether it was taken; what was not is the field's own paste.
    bool paste(QLineEdit &field, QClipboard::Mode mode);
    void showContextMenu(QLineEdit &field, const QPoint &at);
    // A drag over the window (no field) or one of its fields; returns whether it was taken.
    bool takeDrag(QLineEdit *field, QEvent *event);
    void readDrop(const QMimeData &data);

    // Says that the program that holds the clipboard, or the selection, did not answer.
    void refuseUnanswered(QClipboard::Mode mode);

    QLineEdit &m_matrix;
};

} // namespace quorvex
