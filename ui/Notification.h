#pragma once

#include <QLabel>

namespace quorvex {

// A short message in its place on the form, which screen readers speak when it appears or
// changes: the confirmation of an action whose result is out of sight, such as a line put on the
// clipboard, or a problem. It starts hidden and stays until the window hides it, however slowly it
// is read. A text longer than its place is cut short with "…", and shown whole in its tooltip.
class Notification : public QLabel
{
    Q_OBJECT

public:
    explicit Notification(QWidget *parent = nullptr);

    // Shows the text, or hides the note for an empty one. The text it shows already is spoken
    // again only where `anew` says so: a repeated action.
    void say(const QString &text, bool anew = false);
    // What it says, whole.
    QString said() const { return isHidden() ? QString() : accessibleName(); }

private:
    // As much of the text as its lines hold.
    QString fitted(const QString &text) const;
};

} // namespace quorvex
