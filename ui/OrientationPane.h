#pragma once

#include <QObject>
#include <QSize>

#include <array>

class QAbstractButton;
class QLineEdit;
class QScrollArea;
class QWidget;

namespace quorvex {

class OrientationView;

// The picture of the orientation and the form in the room that the window gives them. The picture
// stands at the right of the form or below it, whichever gives it more room, and fills that room:
// a larger window, a larger picture. The window opens as large as the form and a picture as high
// as the form, where the screen has room for them, and otherwise as large as the screen allows,
// the picture narrower or below the form; where the screen is too small even for the form (a
// large font on a small screen), the form scrolls beside a column of the picture. The window can
// be made no smaller than the form and the smallest picture, or than the screen. The Picture box,
// F9 and Orientation Picture in the window's context menu hide the picture, the window narrowing
// to the form, and show it again.
class OrientationPane : public QObject
{
    Q_OBJECT

public:
    // The form and the view stand in `window`; `toggle` is the Picture box; the first three inputs
    // (Rot X … Rot Z) lend the axes their colours.
    OrientationPane(QWidget &window, QWidget &form, OrientationView &view, QAbstractButton &toggle,
        const std::array<QLineEdit *, 6> &inputs);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setShown(bool shown);
    // The window's size for the form and, where shown, the picture, on its screen.
    QSize fittedSize(bool shown) const;
    // Where the form and the picture stand in the window as large as it is.
    void place();
    // The room on the screen for the window's inside: the screen less the panels and the frame.
    QSize room() const;
    // The picture no smaller than this, beside or below the form, or the form scrolls.
    int smallestSide() const;

    QWidget &m_window;
    QWidget &m_form;
    OrientationView &m_view;
    QAbstractButton &m_toggle;
    // Made where the form needs it.
    QScrollArea *m_scroll = nullptr;
    bool m_fitted = false;
};

} // namespace quorvex
