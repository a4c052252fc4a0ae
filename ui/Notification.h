#pragma once

#include <QLabel>

namespace quorvex {

// A short message that appears in its place on the form, and that screen readers announce when
// it appears: the confirmation of an action whose result is out of sight, such as a line put on
// the clipboard. It starts hidden, and stays until the window hides it at the user's next action
// or edit, however slowly it is read.
class Notification : public QLabel
{
    Q_OBJECT

public:
    explicit Notification(QWidget *parent = nullptr);

    // Shows the text it holds, anew if it is already shown.
    void announce();
};

} // namespace quorvex
