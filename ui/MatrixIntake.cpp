#include "MatrixIntake.h"

#include "ClipboardText.h"
#include "MatrixField.h"
#include "TextFile.h"
#include "quorvex/Calculations.h"

#include <QDragMoveEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include <memory>

namespace quorvex {
namespace {

    QString adviceFor(QClipboard::Mode mode)
    {
        return mode == QClipboard::Selection
            ? MatrixIntake::tr("The selected text is the problem: select a parameter line, then "
                               "paste it again.")
            : MatrixIntake::tr("The text on the clipboard is the problem: copy a parameter line, "
                               "then press Calculate Angles again.");
    }

    // Whether a text is a whole matrix, as Calculate Angles reads one: what is pasted into a field
    // and is not a number there, nor a piece of a line being edited.
    bool isMatrix(const QString &text)
    {
        return !text.trimmed().isEmpty()
            && std::holds_alternative<AnglesAndScales>(
                calculateAngles(text.toStdString(), userNumberFormat()));
    }

    Error matrixError(const QString &message)
    {
        return { Field::Matrix, message.toStdString() };
    }

} // namespace

MatrixIntake::MatrixIntake(
    QWidget &window, const std::array<QLineEdit *, 6> &inputs, MatrixField &matrix)
    : QObject(&window)
    , m_matrix(matrix)
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (auto *field : inputs)
        field->installEventFilter(this);
    matrix.installEventFilter(this);
    connect(&matrix, &QLineEdit::returnPressed, this, &MatrixIntake::readField);
    connect(&matrix, &MatrixField::typingRefused, this, [this](qsizetype length) {
        emit refused(
            matrixError(
                tr("Matrix: a text of %L1 characters is too long to edit here").arg(length)),
            tr("Edit it elsewhere and paste it, or press Enter to read it as it is."), false);
    });
}

void MatrixIntake::offerClipboard()
{
    const auto text = clipboardText(QClipboard::Clipboard);
    if (!text)
        return refuseUnanswered(QClipboard::Clipboard);
    emit offered(*text, tr("Calculate Angles"), adviceFor(QClipboard::Clipboard), false);
}

void MatrixIntake::readField()
{
    // An empty clipboard stands for the identity; an emptied field stands for nothing.
    const QString text = m_matrix.wholeText();
    if (text.isEmpty()) {
        return emit refused(matrixError(tr("Matrix: the field is empty")),
            tr("Type or paste a parameter line, then press Enter."), true);
    }
    emit offered(text, tr("Enter in Matrix"),
        tr("The text in the Matrix field is the problem: correct it, then press Enter again."),
        true);
}

void MatrixIntake::refuseUnanswered(QClipboard::Mode mode)
{
    const bool selection = mode == QClipboard::Selection;
    emit refused(matrixError(selection ? tr("Matrix: the program that holds the selection did not "
                                            "answer, so nothing was read")
                                       : tr("Matrix: the program that holds the clipboard did not "
                                            "answer, so nothing was read")),
        selection ? tr("Select the parameter line again, then paste it.")
                  : tr("Copy the parameter line again, then press Calculate Angles."),
        false);
}

bool MatrixIntake::eventFilter(QObject *watched, QEvent *event)
{
    // One of the fields, or the window (null): a field being destroyed, which gets events still,
    // is no line edit any more.
    auto *field = qobject_cast<QLineEdit *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!field || !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste))
            return false;
        return paste(QClipboard::Clipboard);
    case QEvent::MouseButtonRelease: {
        // Where the system has a selection, the middle button pastes it.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!field || mouse->button() != Qt::MiddleButton
            || !QGuiApplication::clipboard()->supportsSelection()
            || !field->rect().contains(mouse->position().toPoint()))
            return false;
        return paste(QClipboard::Selection);
    }
    case QEvent::ContextMenu:
        if (!field)
            return false;
        showContextMenu(*field, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return takeDrag(field, event);
    default:
        return false;
    }
}

bool MatrixIntake::paste(QClipboard::Mode mode)
{
    // A program that does not answer is said at once, not asked again by the field's own paste.
    const auto text = clipboardText(mode);
    if (!text) {
        refuseUnanswered(mode);
        return true;
    }
    if (!isMatrix(*text))
        return false;
    emit offered(*text, tr("Paste"), adviceFor(mode), false);
    return true;
}

void MatrixIntake::showContextMenu(QLineEdit &field, const QPoint &at)
{
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    // Paste takes a whole matrix as Ctrl+V does.
    const QString name = QLineEdit::tr("&Paste");
    for (auto *action : menu->actions()) {
        if (!action->text().startsWith(name))
            continue;
        action->disconnect(&field);
        connect(action, &QAction::triggered, this, [this, &field] {
            if (!paste(QClipboard::Clipboard))
                field.paste();
        });
    }
    emit menuShown(menu.get());
    menu->exec(at);
}

bool MatrixIntake::takeDrag(QLineEdit *field, QEvent *event)
{
    auto *drag = static_cast<QDropEvent *>(event);
    const QMimeData &data = *drag->mimeData();
    // A field takes text that is no matrix as its own, and nothing else: no file's path.
    if (field && !data.hasUrls() && (event->type() != QEvent::Drop || !isMatrix(data.text())))
        return false;
    // Neither text nor a file: nothing this window takes (a field took its own drags above).
    if (!data.hasUrls() && !data.hasText())
        return false;
    // A copy: the program the text comes from must not delete it.
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (event->type() == QEvent::Drop) {
        if (field) {
            // The field took the drag as its own and shows where the text would go.
            QDragLeaveEvent leave;
            QCoreApplication::sendEvent(field, &leave);
        }
        readDrop(data);
    }
    return true;
}

void MatrixIntake::readDrop(const QMimeData &data)
{
    const auto urls = data.urls();
    const QString again = tr("Drop a text file that holds a parameter line, or copy the line and "
                             "press Calculate Angles.");
    if (urls.isEmpty()) {
        // No one drags nothing: an empty text is one that the program it comes from did not hand
        // over (it did not answer in time), and stands for no identity.
        const QString text = data.text();
        if (text.isEmpty()) {
            return emit refused(matrixError(tr("Matrix: the program that the text was dragged "
                                               "from did not hand it over, so nothing was read")),
                again, false);
        }
        return emit offered(text, tr("Drop"),
            tr("The dropped text is the problem: drop a parameter line, or a text file that holds "
               "one."),
            false);
    }
    if (urls.size() > 1)
        return emit refused(
            matrixError(tr("Matrix: %1 files were dropped; drop one").arg(urls.size())), again,
            false);
    if (!urls.front().isLocalFile()) {
        return emit refused(matrixError(tr("Matrix: \"%1\" is not a file on this computer")
                                            .arg(urls.front().toDisplayString())),
            tr("Save it, then drop the file; or drop its text."), false);
    }
    const QString path = urls.front().toLocalFile();
    auto read = readTextFile(path);
    if (const auto *problem = std::get_if<FileProblem>(&read))
        return emit refused(matrixError(problem->message), again, false);
    emit offered(std::get<QString>(read), tr("Drop"),
        tr("The text of \"%1\" is the problem: drop a file that holds a parameter line.")
            .arg(QFileInfo(path).fileName()),
        false);
}

} // namespace quorvex
