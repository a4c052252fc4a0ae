#pragma once

#include <QClipboard>
#include <QList>
#include <QMenu>
#include <QObject>

#include <array>

class QLineEdit;
class QMimeData;

namespace quorvex {

class MatrixField;
struct Error;

// Takes the texts that the user gives the window to read as a matrix: the clipboard's, which
// Calculate Angles reads; a whole matrix pasted into any of the seven fields (Ctrl+V,
// Shift+Insert, the context menu's Paste, the middle button with the selection); text or a local
// text file dropped anywhere on the window; and the Matrix field's own text at Enter. Each is
// offered as the clipboard's text is, with the advice to give if it cannot be read. Anything else
// pasted or dropped into a field is the field's own paste: typing.
class MatrixIntake : public QObject
{
    Q_OBJECT

public:
    // The six input fields, Rot X … Scale Z, and the Matrix field, all in `window`.
    MatrixIntake(QWidget &window, const std::array<QLineEdit *, 6> &inputs, MatrixField &matrix);

    // Offers the text on the clipboard, as Calculate Angles reads it.
    void offerClipboard();

signals:
    // A text to read as a matrix, by the step called `name` (empty for a clipboard without text,
    // which reads as the identity), what to do if it cannot be read, and whether it is the Matrix
    // field's own text, to blame if it cannot.
    void offered(const QString &text, const QString &name, const QString &advice, bool typed);
    // A text that cannot even be had: a clipboard owner that did not answer, a file that cannot be
    // read, an empty Matrix field (`blamed`, as it is to blame).
    void refused(const quorvex::Error &error, const QString &advice, bool blamed);
    // A field's context menu, about to be shown.
    void menuShown(QMenu *menu);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Enter in the Matrix field.
    void readField();
    // A paste into a field: a whole matrix is read. Returns whether it was taken; what was not is
    // the field's own paste.
    bool paste(QClipboard::Mode mode);
    void showContextMenu(QLineEdit &field, const QPoint &at);
    // A drag over the window (no field) or one of its fields; returns whether it was taken.
    bool takeDrag(QLineEdit *field, QEvent *event);
    void readDrop(const QMimeData &data);

    // Says that the program that holds the clipboard, or the selection, did not answer.
    void refuseUnanswered(QClipboard::Mode mode);

    MatrixField &m_matrix;
};

} // namespace quorvex
