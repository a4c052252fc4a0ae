#pragma once

#include "quorvex/Calculations.h"

#include <QObject>
#include <QTimer>

#include <array>

class QLineEdit;

namespace quorvex {

// Reads the six input fields, Rot X … Scale Z, whenever they change (typing, an action, an undo),
// and says what they give: the parameters of their matrix, or why one of them cannot be read. An
// action writes six fields, and they are read once, when all hold their new texts; so are the
// keys of a burst of typing that arrive together.
class InputWatch : public QObject
{
    Q_OBJECT

public:
    InputWatch(QObject &parent, const std::array<QLineEdit *, 6> &inputs);

    // Reads the fields now.
    void read();

signals:
    void readable(const quorvex::Parameters &parameters);
    // The first field, in the order of Field, that cannot be read, and why.
    void unreadable(const quorvex::Error &error);

private:
    std::array<QLineEdit *, 6> m_inputs;
    QTimer m_pending;
};

} // namespace quorvex
