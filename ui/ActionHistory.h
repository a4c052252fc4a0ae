#pragma once

#include <QObject>
#include <QUndoStack>

#include <array>
#include <functional>

class QLineEdit;
class QMenu;

namespace quorvex {

class MatrixField;

// Which side has moved since the Matrix field last held what the six input fields give (the line
// of Calculate Matrix, or the text that Calculate Angles read): the input fields, the Matrix
// field, or both.
enum class Disagreement { None, Inputs, Matrix, Both };

// One history of what the seven fields hold, typing and actions alike, as far back as the user
// likes: Ctrl+Z undoes the last step, Ctrl+Shift+Z and Ctrl+Y redo it, in a field as anywhere
// else in the window, and so do the fields' context menus and the window's. A step is an action
// (Calculate Matrix, Calculate Angles, a paste, a drop, Enter in the Matrix field), or the typing
// of one field until the user turns to another field or another action. N undos and N redos
// return exactly to where they began: every state on the way is one the fields held. The
// clipboard is the user's, and is never undone.
class ActionHistory : public QObject
{
    Q_OBJECT

public:
    // The six input fields, Rot X … Scale Z, and the Matrix field, all in `window`.
    ActionHistory(QWidget &window, const std::array<QLineEdit *, 6> &inputs, MatrixField &matrix);
    ~ActionHistory() override;

    // Runs an action that writes fields and records what it changed as one step, called `name`.
    // What it leaves in the fields agrees: the Matrix field holds what the input fields give.
    void record(const QString &name, const std::function<void()> &action);
    Disagreement disagreement() const;
    // Undo and Redo in a field's context menu undo the window's steps, not the field's own.
    void adaptMenu(QMenu *menu);

signals:
    // The fields hold other texts, or agree otherwise, after typing, an action, an undo or a redo.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Texts = std::array<QString, 7>;
    class Step;
    using Move = void (QUndoStack::*)();

    Texts texts() const;
    // Writes what a step left, and what agreed then.
    void write(const Texts &texts, const Texts &agreed);
    // Records what the user typed in field `at`, or (-1) changes that no step holds yet.
    void recordTyping(int at);
    // Undoes or redoes a step, after recording what no step holds yet.
    void go(Move undoOrRedo);
    void push(const QString &name, const Texts &after, const Texts &agreed, int typedField);

    std::array<QLineEdit *, 7> m_fields;
    MatrixField &m_matrix;
    QUndoStack m_stack;
    // What the fields held after the last step, and the last texts that agreed.
    Texts m_recorded, m_agreed;
    // Typing in one field merges into one step while this number stays; leaving the field, an
    // action, an undo or a redo changes it.
    int m_typingRun = 0;
};

} // namespace quorvex
