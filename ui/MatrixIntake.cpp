#include "MatrixIntake.h"

#include "ClipboardText.h"
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

    // Whether a text is a whole matrix, as Calculate Angles reads one: what is pasted into an
    // angle or a scale field and is not a number there.
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

MatrixIntake::MatrixIntake(QWidget &window, const QList<QLineEdit *> &inputs, QLineEdit &matrix)
    : QObject(&window)
    , m_matrix(matrix)
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    matrix.installEventFilter(this);
    for (auto *input : inputs)
        input->installEventFilter(this);
}

void MatrixIntake::offerClipboard(QClipboard::Mode mode)
{
    const auto text = clipboardText(mode);
    if (!text)
        return refuseUnanswered(mode);
    if (mode != QClipboard::Selection || !text->isEmpty())
        emit offered(*text, adviceFor(mode));
}

void MatrixIntake::refuseUnanswered(QClipboard::Mode mode)
{
    const bool selection = mode == QClipboard::Selection;
    emit refused(matrixError(selection ? tr("Matrix: the program that holds the selection did not "
                                            "answer, so nothing was read")
                                       : tr("Matrix: the program that holds the clipboard did not "
                                            "answer, so nothing was read")),
        selection ? tr("Select the parameter line again, then paste it.")
                  : tr("Copy the parameter line again, then press Calculate Angles."));
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
        return paste(*field, QClipboard::Clipboard);
    case QEvent::MouseButtonRelease: {
        // Where the system has a selection, the middle button pastes it.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!field || mouse->button() != Qt::MiddleButton
            || !QGuiApplication::clipboard()->supportsSelection()
            || !field->rect().contains(mouse->position().toPoint()))
            return false;
        return paste(*field, QClipboard::Selection);
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

bool MatrixIntake::paste(QLineEdit &field, QClipboard::Mode mode)
{
    if (&field == &m_matrix) {
        offerClipboard(mode);
        return true;
    }
    // A program that does not answer is said at once, not asked again by the field's own paste.
    const auto text = clipboardText(mode);
    if (!text) {
        refuseUnanswered(mode);
        return true;
    }
    if (!isMatrix(*text))
        return false;
    emit offered(*text, adviceFor(mode));
    return true;
}

void MatrixIntake::showContextMenu(QLineEdit &field, const QPoint &at)
{
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    // An input field's Paste takes a whole matrix to the Matrix field; the read-only Matrix field
    // has none, and gets one beside Copy.
    const QString name = QLineEdit::tr("&Paste");
    QAction *pasteAction = nullptr;
    for (auto *action : menu->actions()) {
        if (action->text().startsWith(name))
            pasteAction = action;
    }
    if (pasteAction) {
        pasteAction->disconnect(&field);
    } else {
        pasteAction = new QAction(QIcon::fromTheme(QStringLiteral("edit-paste")),
            name + QLatin1Char('\t')
                + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText),
            menu.get());
        menu->insertAction(menu->actions().value(1), pasteAction);
    }
    connect(pasteAction, &QAction::triggered, this, [this, &field] {
        if (!paste(field, QClipboard::Clipboard))
            field.paste();
    });
    menu->exec(at);
}

bool MatrixIntake::takeDrag(QLineEdit *field, QEvent *event)
{
    auto *drag = static_cast<QDropEvent *>(event);
    const QMimeData &data = *drag->mimeData();
    // The Matrix field takes no drop itself: it goes on to the window. An input field takes text
    // that is no matrix as its own, and nothing else: no file's path.
    if (field == &m_matrix)
        return false;
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
                again);
        }
        return emit offered(text,
            tr("The dropped text is the problem: drop a parameter line, or a text file that holds "
               "one."));
    }
    if (urls.size() > 1)
        return emit refused(
            matrixError(tr("Matrix: %1 files were dropped; drop one").arg(urls.size())), again);
    if (!urls.front().isLocalFile()) {
        return emit refused(matrixError(tr("Matrix: \"%1\" is not a file on this computer")
                                            .arg(urls.front().toDisplayString())),
            tr("Save it, then drop the file; or drop its text."));
    }
    const QString path = urls.front().toLocalFile();
    auto read = readTextFile(path);
    if (const auto *problem = std::get_if<FileProblem>(&read))
        return emit refused(matrixError(problem->message), again);
    emit offered(std::get<QString>(read),
        tr("The text of \"%1\" is the problem: drop a file that holds a parameter line.")
            .arg(QFileInfo(path).fileName()));
}

} // namespace quorvex
