#pragma once

#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QKeyEvent;
class QLineEdit;

namespace quorvex {

class MatrixField;

// Undo and redo of the window's actions, as far back as the user likes: each action (Calculate
// Matrix, Calculate Angles, a paste, a drop) is one step over the seven fields. Ctrl+Z undoes,
// Ctrl+Shift+Z and Ctrl+Y redo. In a field that holds typing no step has recorded yet, the keys
// undo and redo that typing first, as they always did; after that, or once an action has recorded
// it as a step, they undo the last action.
//
// Nothing typed is lost by an undo or a redo: whatever the fields hold that no step wrote, the
// user typed it, and it becomes a step of its own before the next action or undo, so that undo
// goes back to what the last step wrote and redo brings the typing back. The clipboard is the
// user's, and is never undone.
class ActionHistory : public QObject
{
    Q_OBJECT

public:
    // The six input fields, Rot X … Scale Z, and the Matrix field, all children of `window`.
    ActionHistory(QWidget &window, const std::array<QLineEdit *, 6> &inputs, MatrixField &matrix);

    // Runs an action that writes fields, and records what it changed as one step.
    void record(const std::function<void()> &action);
    void undo();
    void redo();

signals:
    // An undo or redo wrote the fields.
    void restored();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Texts = std::array<QString, 7>;
    struct Step
    {
        Texts before;
        Texts after;
    };

    Texts texts() const;
    void write(const Texts &texts);
    // Records what the fields hold since the last step, if anything, as a step: what the user
    // typed, or what an action wrote.
    void recordChanges();

    std::array<QLineEdit *, 6> m_inputs;
    MatrixField &m_matrix;
    std::vector<Step> m_done;
    std::vector<Step> m_undone;
    // The texts that the last step left, or the window's first.
    Texts m_recorded;
};

} // namespace quorvex
