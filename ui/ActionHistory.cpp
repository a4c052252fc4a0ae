#include "ActionHistory.h"

#include "MatrixField.h"
#include "quorvex/Error.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

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

} // namespace

// What one step changed: the texts before and after it, and the texts that agreed then.
class ActionHistory::Step : public QUndoCommand
{
public:
    Step(ActionHistory &history, const QString &name, const Texts &before, const Texts &after,
        const Texts &agreedBefore, const Texts &agreedAfter, int typedField, int typingRun)
        : QUndoCommand(name)
        , m_history(history)
        , m_before(before)
        , m_after(after)
        , m_agreedBefore(agreedBefore)
        , m_agreedAfter(agreedAfter)
        , m_typedField(typedField)
        , m_typingRun(typingRun)
    { }

    void undo() override { m_history.write(m_before, m_agreedBefore); }
    // The fields hold the step's texts already when it is recorded.
    void redo() override
    {
        if (m_recorded)
            m_history.write(m_after, m_agreedAfter);
        m_recorded = true;
    }
    int id() const override { return m_typedField < 0 ? -1 : 1; }
    // The typing of one run in one field is one step; typing that ends where it began is none.
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto &next = static_cast<const Step &>(*other);
        if (next.m_typedField != m_typedField || next.m_typingRun != m_typingRun)
            return false;
        m_after = next.m_after;
        setObsolete(m_after == m_before);
        return true;
    }

private:
    ActionHistory &m_history;
    Texts m_before, m_after, m_agreedBefore, m_agreedAfter;
    int m_typedField;
    int m_typingRun;
    bool m_recorded = false;
};

ActionHistory::ActionHistory(
    QWidget &window, const std::array<QLineEdit *, 6> &inputs, MatrixField &matrix)
    : QObject(&window)
    , m_fields { inputs[0], inputs[1], inputs[2], inputs[3], inputs[4], inputs[5], &matrix }
    , m_matrix(matrix)
{
    m_recorded = m_agreed = texts();
    // The window's keys and its context menu's entries; in a field the keys come here too
    // (eventFilter), rather than to the field's own history.
    const auto addAction = [&](const QList<QKeySequence> &keys, Move undoOrRedo,
                               void (QUndoStack::*enable)(bool),
                               void (QUndoStack::*named)(const QString &), const char *text) {
        auto *action = new QAction(tr(text).arg(QString()).trimmed(), &window);
        action->setShortcuts(keys);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, undoOrRedo] { go(undoOrRedo); });
        connect(&m_stack, enable, action, &QAction::setEnabled);
        connect(&m_stack, named, action,
            [action, text](const QString &step) { action->setText(tr(text).arg(step).trimmed()); });
        window.addAction(action);
    };
    addAction(undoKeys(), &QUndoStack::undo, &QUndoStack::canUndoChanged,
        &QUndoStack::undoTextChanged, QT_TR_NOOP("&Undo %1"));
    addAction(redoKeys(), &QUndoStack::redo, &QUndoStack::canRedoChanged,
        &QUndoStack::redoTextChanged, QT_TR_NOOP("&Redo %1"));
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i]->installEventFilter(this);
        connect(m_fields[i], &QLineEdit::textEdited, this,
            [this, i] { recordTyping(static_cast<int>(i)); });
    }
}

ActionHistory::~ActionHistory()
{
    // The steps refer to this history: they go first.
    m_stack.clear();
}

void ActionHistory::record(const QString &name, const std::function<void()> &action)
{
    // What the fields hold that no step holds yet is a step of its own, which the action's undo
    // brings back.
    recordTyping(-1);
    ++m_typingRun;
    action();
    const Texts now = texts();
    if (now != m_recorded || now != m_agreed)
        push(name, now, now, -1);
    emit changed();
}

Disagreement ActionHistory::disagreement() const
{
    const Texts now = texts();
    const bool inputs = !std::equal(now.begin(), now.end() - 1, m_agreed.begin());
    const bool matrix = now.back() != m_agreed.back();
    return inputs && matrix ? Disagreement::Both
        : inputs            ? Disagreement::Inputs
        : matrix            ? Disagreement::Matrix
                            : Disagreement::None;
}

void ActionHistory::adaptMenu(QMenu *menu)
{
    for (auto *action : menu->actions()) {
        const bool undo = action->text().startsWith(QLineEdit::tr("&Undo"));
        if (!undo && !action->text().startsWith(QLineEdit::tr("&Redo")))
            continue;
        action->disconnect();
        action->setEnabled(undo ? m_stack.canUndo() : m_stack.canRedo());
        connect(action, &QAction::triggered, this,
            [this, undo] { go(undo ? &QUndoStack::undo : &QUndoStack::redo); });
    }
}

bool ActionHistory::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        ++m_typingRun;
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const QKeySequence key(static_cast<QKeyEvent *>(event)->keyCombination());
    if (!undoKeys().contains(key) && !redoKeys().contains(key))
        return false;
    // Not the field's key: the window's Undo or Redo takes it. A press that reaches the field
    // all the same (where there is nothing to undo or redo) is no undo of the field's own.
    event->ignore();
    return true;
}

ActionHistory::Texts ActionHistory::texts() const
{
    Texts texts;
    for (std::size_t i = 0; i + 1 < m_fields.size(); ++i)
        texts[i] = m_fields[i]->text();
    texts.back() = m_matrix.wholeText();
    return texts;
}

void ActionHistory::write(const Texts &texts, const Texts &agreed)
{
    for (std::size_t i = 0; i + 1 < m_fields.size(); ++i) {
        if (m_fields[i]->text() != texts[i])
            m_fields[i]->setText(texts[i]);
    }
    if (m_matrix.wholeText() != texts.back())
        m_matrix.setWholeText(texts.back());
    m_recorded = texts;
    m_agreed = agreed;
    emit changed();
}

void ActionHistory::recordTyping(int at)
{
    const Texts now = texts();
    if (now == m_recorded)
        return;
    const auto field = label(static_cast<Field>(std::max(at, 0)));
    push(at < 0 ? tr("Editing")
                : tr("Typing in %1")
                      .arg(QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()))),
        now, m_agreed, at);
    emit changed();
}

void ActionHistory::go(Move undoOrRedo)
{
    recordTyping(-1);
    ++m_typingRun;
    (m_stack.*undoOrRedo)();
}

void ActionHistory::push(
    const QString &name, const Texts &after, const Texts &agreed, int typedField)
{
    const Texts before = m_recorded, agreedBefore = m_agreed;
    m_recorded = after;
    m_agreed = agreed;
    m_stack.push(
        new Step(*this, name, before, after, agreedBefore, agreed, typedField, m_typingRun));
}

} // namespace quorvex
