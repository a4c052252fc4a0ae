#include "WindowNotes.h"

#include "Notification.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QStyle>

namespace quorvex {
namespace {

    QLineEdit *fieldOf(const std::array<QLineEdit *, 7> &fields, Field field)
    {
        return fields.at(static_cast<std::size_t>(field));
    }

} // namespace

WindowNotes::WindowNotes(
    Notification &problemNote, Notification &lineNote, const std::array<QLineEdit *, 7> &fields)
    : QObject(&problemNote)
    , m_problemNote(problemNote)
    , m_lineNote(lineNote)
    , m_fields(fields)
{
    // A red that reads on the window's background, light or dark (a contrast of 4.5 or more).
    QPalette colours = problemNote.palette();
    const bool dark = colours.color(QPalette::Window).lightnessF() < 0.5;
    colours.setColor(QPalette::WindowText, dark ? QColor(0xFF, 0x8A, 0x80) : QColor(0xB0, 0, 0));
    problemNote.setPalette(colours);
    // The line is on the clipboard until anyone, this program or another, puts something else
    // there, and the note under it says no more than that; no program is asked what the clipboard
    // holds, which could keep the window waiting.
    connect(
        QGuiApplication::clipboard(), &QClipboard::changed, this, [this](QClipboard::Mode mode) {
            if (mode != QClipboard::Clipboard || m_copied.isNull())
                return;
            m_copied = QString();
            setDisagreement(m_disagreement);
        });
}

void WindowNotes::setInputProblem(const std::optional<Error> &error)
{
    m_inputProblem = error;
    update();
}

void WindowNotes::refuse(const Error &error, const QString &advice, bool blamed)
{
    m_refusal = Refusal { error, advice, blamed };
    // Whatever an earlier click put on the clipboard, this one put nothing there; whether the
    // line is out of date, it does not change.
    if (m_lineNote.said() == copiedText())
        m_lineNote.say({});
    update();
}

void WindowNotes::forgetRefusal()
{
    if (!m_refusal)
        return;
    m_refusal.reset();
    update();
}

void WindowNotes::setDisagreement(Disagreement disagreement)
{
    m_disagreement = disagreement;
    const bool onClipboard
        = !m_copied.isNull() && m_copied == fieldOf(m_fields, Field::Matrix)->text();
    switch (disagreement) {
    case Disagreement::None:
        return m_lineNote.say({});
    case Disagreement::Inputs:
        return m_lineNote.say(onClipboard
                ? tr(
                    "Out of date, here and on the clipboard: the fields have changed. Press Enter.")
                : tr("Out of date: the fields have changed since this line. Press Enter for "
                     "theirs."));
    case Disagreement::Matrix:
        return m_lineNote.say(tr("Not read yet: press Enter in the Matrix field for its angles."));
    case Disagreement::Both:
        return m_lineNote.say(tr("Fields and Matrix both edited: press Calculate Matrix, or Enter "
                                 "in Matrix."));
    }
}

void WindowNotes::confirmCopied(const QString &line)
{
    m_copied = line;
    m_lineNote.say(copiedText(), true);
}

QString WindowNotes::copiedText()
{
    return tr("The parameter line is on the clipboard.");
}

void WindowNotes::update()
{
    const Error *shown = m_refusal ? &m_refusal->error
        : m_inputProblem           ? &*m_inputProblem
                                   : nullptr;
    QString text = shown ? QString::fromStdString(shown->message) : QString();
    if (m_refusal && !m_refusal->advice.isEmpty())
        text += QStringLiteral(". ") + m_refusal->advice;
    m_problemNote.say(text);

    // A red frame, and for screen readers the reason beside the field's own description.
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const auto field = static_cast<Field>(i);
        const Error *problem = m_refusal && m_refusal->blamed && m_refusal->error.field == field
            ? &m_refusal->error
            : m_inputProblem && m_inputProblem->field == field ? &*m_inputProblem
                                                               : nullptr;
        QLineEdit *edit = m_fields[i];
        if (edit->property("unreadable").toBool() != (problem != nullptr)) {
            edit->setProperty("unreadable", problem != nullptr);
            edit->style()->unpolish(edit);
            edit->style()->polish(edit);
        }
        // The Matrix field describes its text itself; an input field, by its tooltip.
        const QString description = problem
            ? QString::fromStdString(problem->message) + QLatin1Char('\n') + edit->toolTip()
            : QString();
        if (field != Field::Matrix && edit->accessibleDescription() != description)
            edit->setAccessibleDescription(description);
    }
}

} // namespace quorvex
