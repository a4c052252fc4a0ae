#include "ActionHistory.h"

#include "MatrixField.h"

#include <QKeyEvent>
#include <QShortcut>

#include <algorithm>

namespace quorvex {
namespace {

    // Ctrl+Z undoes, and Ctrl+Shift+Z and Ctrl+Y redo, on every platform; besides them, the keys
    // that the platform gives undo and redo (F14 on X11, Alt+Backspace on some desktops).
    QList<QKeySequence> keysOf(QKeySequence::StandardKey key, const QList<QKeySequence> &always)
    {
        QList<QKeySequence> keys = always;
        for (const auto &platform : QKeySequence::keyBindings(key)) {
            if (!keys.contains(platform))
                keys << platform;
        }
        return keys;
    }

    const QList<QKeySequence> &undoKeys()
    {
        static const auto keys = keysOf(QKeySequence::Undo, { QKeySequence(Qt::CTRL | Qt::Key_Z) });
        return keys;
    }

    const QList<QKeySequence> &redoKeys()
    {
        static const auto keys = keysOf(QKeySequence::Redo,
            { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
        return keys;
    }

    bool isOneOf(const QKeyEvent &key, const QList<QKeySequence> &keys)
    {
        return keys.contains(QKeySequence(key.keyCombination()));
    }

} // namespace

ActionHistory::ActionHistory(
    QWidget &window, const std::array<QLineEdit *, 6> &inputs, MatrixField &matrix)
    : QObject(&window)
    , m_inputs(inputs)
    , m_matrix(matrix)
    , m_recorded(texts())
{
    // Where the focus is on a button; in a field its own keys come first (eventFilter).
    auto *undo = new QShortcut(&window);
    undo->setKeys(undoKeys());
    connect(undo, &QShortcut::activated, this, &ActionHistory::undo);
    auto *redo = new QShortcut(&window);
    redo->setKeys(redoKeys());
    connect(redo, &QShortcut::activated, this, &ActionHistory::redo);
    for (auto *field : inputs)
        field->installEventFilter(this);
    matrix.installEventFilter(this);
}

void ActionHistory::record(const std::function<void()> &action)
{
    // What the user typed before the action is a step of its own, which the action's undo
    // brings back; what the action wrote is the next.
    recordChanges();
    action();
    recordChanges();
}

void ActionHistory::undo()
{
    recordChanges();
    if (m_done.empty())
        return;
    m_undone.push_back(std::move(m_done.back()));
    m_done.pop_back();
    write(m_undone.back().before);
}

void ActionHistory::redo()
{
    // Typing after an undo begins a new history, as in any editor: nothing is left to redo.
    recordChanges();
    if (m_undone.empty())
        return;
    m_done.push_back(std::move(m_undone.back()));
    m_undone.pop_back();
    write(m_done.back().after);
}

bool ActionHistory::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    const bool undoing = isOneOf(key, undoKeys()), redoing = isOneOf(key, redoKeys());
    if (!undoing && !redoing)
        return false;
    // The key is the field's, not the window's shortcut's: it comes back as a key press.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    // The field undoes only typing that no step holds yet: typing that an action has made a step
    // (Enter in a field) is undone with it, not by the field and then again as a step.
    auto *field = static_cast<QLineEdit *>(watched);
    const auto at = static_cast<std::size_t>(
        std::find(m_inputs.begin(), m_inputs.end(), field) - m_inputs.begin());
    const bool ownTyping = at < m_inputs.size() && field->text() != m_recorded[at];
    if (undoing)
        ownTyping && field->isUndoAvailable() ? field->undo() : undo();
    else
        field->isRedoAvailable() ? field->redo() : redo();
    return true;
}

ActionHistory::Texts ActionHistory::texts() const
{
    Texts texts;
    for (std::size_t i = 0; i < m_inputs.size(); ++i)
        texts[i] = m_inputs[i]->text();
    texts.back() = m_matrix.wholeText();
    return texts;
}

void ActionHistory::write(const Texts &texts)
{
    for (std::size_t i = 0; i < m_inputs.size(); ++i) {
        if (m_inputs[i]->text() != texts[i])
            m_inputs[i]->setText(texts[i]);
    }
    if (m_matrix.wholeText() != texts.back())
        m_matrix.setWholeText(texts.back());
    m_recorded = texts;
    emit restored();
}

void ActionHistory::recordChanges()
{
    const Texts now = texts();
    if (now == m_recorded)
        return;
    m_done.push_back({ m_recorded, now });
    m_undone.clear();
    m_recorded = now;
}

} // namespace quorvex
