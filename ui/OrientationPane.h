#pragma once

#include <QObject>
#include <QTimer>

#include <array>

class QLineEdit;
class QWidget;

namespace quorvex {

class OrientationView;

// The picture of the orientation in its pane at the right of the form. It shows what the six input
// fields hold, as the user types and after whatever else writes them (an action, an undo, a paste,
// a drop), with no button to press: the angles and scales that Calculate Angles writes rebuild the
// matrix it read, so a matrix read as its transpose shows at once. While a field cannot be read
// the last picture stays, greyed; the buttons name the field. The axes take their fields' colours.
// The window is as large as the form and the pane, and can be made no smaller. F9, or Orientation
// Picture in the window's context menu, hides the pane, the window returning to the form's size
// and minimum, and shows it again. It is shown when the window opens, unless the screen is too
// narrow for the form and the pane side by side.
class OrientationPane : public QObject
{
    Q_OBJECT

public:
    // The view stands at the right of the form in `window`, as high as the form; the inputs are
    // Rot X … Scale Z.
    OrientationPane(
        QWidget &window, OrientationView &view, const std::array<QLineEdit *, 6> &inputs);

private:
    void follow();
    void setShown(bool shown);

    QWidget &m_window;
    OrientationView &m_view;
    std::array<QLineEdit *, 6> m_inputs;
    // An action writes six fields, and the picture follows once, when they all hold their texts.
    QTimer m_following;
};

} // namespace quorvex
