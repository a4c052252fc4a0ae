#pragma once

#include <QLabel>
#include <QTimer>

namespace quorvex {

// A short message that appears in its place on the form for a few seconds, and that screen readers
// announce when it appears: the confirmation of an action whose result is out of sight, such as a
// line put on the clipboard. It starts hidden.
class Notification : public QLabel
{
    Q_OBJECT

public:
    explicit Notification(QWidget *parent = nullptr);

    // Shows the text it holds, anew if it is already shown, and hides it after a while.
    void announce();

private:
    QTimer m_timer;
};

} // namespace quorvex
