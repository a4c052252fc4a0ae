#pragma once

#include "ActionHistory.h"
#include "quorvex/Error.h"

#include <QObject>

#include <array>
#include <optional>

class QLineEdit;

namespace quorvex {

class Notification;

// What the window says in words besides its fields, where the user looks and screen readers hear
// it. Above the Matrix field, why the input fields cannot be read (as they are typed), or why the
// last action wrote nothing, until the user moves on; the field to blame is framed in red. Under
// the Matrix field, that Calculate Matrix put the line on the clipboard, or that the Matrix field
// no longer holds what the input fields give, and what to press.
class WindowNotes : public QObject
{
    Q_OBJECT

public:
    // The seven fields, Rot X … Scale Z and Matrix.
    WindowNotes(Notification &problemNote, Notification &lineNote,
        const std::array<QLineEdit *, 7> &fields);

    // The first input field that cannot be read, and why; none once all can.
    void setInputProblem(const std::optional<Error> &error);
    // An action that wrote nothing: why, and what to do about it. `blamed` says whether the field
    // that the error names holds the text to blame (not so for the clipboard or a drop).
    void refuse(const Error &error, const QString &advice, bool blamed);
    // The user moved on: a refusal is no longer news.
    void forgetRefusal();
    void setDisagreement(Disagreement disagreement);
    // Calculate Matrix put `line` on the clipboard.
    void confirmCopied(const QString &line);

private:
    void update();
    static QString copiedText();

    Notification &m_problemNote;
    Notification &m_lineNote;
    std::array<QLineEdit *, 7> m_fields;
    std::optional<Error> m_inputProblem;
    struct Refusal
    {
        Error error;
        QString advice;
        bool blamed;
    };
    std::optional<Refusal> m_refusal;
    // The line that Calculate Matrix put on the clipboard, while it is there; null otherwise.
    QString m_copied;
    Disagreement m_disagreement = Disagreement::None;
};

} // namespace quorvex
