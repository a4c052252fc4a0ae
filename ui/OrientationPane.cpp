#include "OrientationPane.h"

#include "OrientationView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>
#include <cmath>

namespace quorvex {

OrientationPane::OrientationPane(QWidget &window, QWidget &form, OrientationView &view,
    QAbstractButton &toggle, const std::array<QLineEdit *, 6> &inputs)
    : QObject(&window)
    , m_window(window)
    , m_form(form)
    , m_view(view)
    , m_toggle(toggle)
{
    // The fields' colours are the form's, in its style sheet, which gives them to the fields'
    // palettes once they are polished (as they would be when the window is shown).
    std::array<QColor, 3> colours;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        inputs[i]->ensurePolished();
        colours[i] = inputs[i]->palette().color(QPalette::Base);
    }
    view.setFieldColours(colours);

    // F9 shows and hides the side pane in file managers and document viewers too, and no field
    // takes it. The menu is the window's, so that where the picture is hidden the form offers it.
    auto *shown = new QAction(tr("Orientation &Picture"), &window);
    shown->setCheckable(true);
    shown->setChecked(toggle.isChecked());
    shown->setShortcut(Qt::Key_F9);
    shown->setShortcutVisibleInContextMenu(true);
    window.addAction(shown);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(shown, &QAction::toggled, &toggle, &QAbstractButton::setChecked);
    connect(&toggle, &QAbstractButton::toggled, shown, &QAction::setChecked);
    connect(&toggle, &QAbstractButton::toggled, this, &OrientationPane::setShown);
    window.installEventFilter(this);
}

bool OrientationPane::eventFilter(QObject *, QEvent *event)
{
    // The screen is known once the window is about to be shown.
    if (event->type() == QEvent::Show && !m_fitted) {
        m_fitted = true;
        setShown(m_toggle.isChecked());
    } else if (event->type() == QEvent::Resize) {
        place();
    }
    return false;
}

void OrientationPane::setShown(bool shown)
{
    m_view.setVisible(shown);
    if (!m_fitted)
        return;
    // No smaller than the form and the smallest picture where it stands, nor than the screen.
    const QSize fitted = fittedSize(shown), form = m_form.size();
    QSize least = form;
    if (fitted.width() > form.width() && fitted.height() <= form.height())
        least.rwidth() += smallestSide();
    else if (fitted.height() > form.height() && fitted.width() <= form.width())
        least.rheight() += smallestSide();
    m_window.setMinimumSize(least.boundedTo(room()));
    m_window.resize(fitted);
    place();
    // Grown where it stands, the window could reach past the screen's edge; before it is first
    // shown, the window manager places it.
    if (!m_window.testAttribute(Qt::WA_Mapped))
        return;
    const QRect screen = m_window.screen()->availableGeometry();
    const QRect frame = m_window.frameGeometry();
    m_window.move(std::max(screen.left(), std::min(frame.x(), screen.right() + 1 - frame.width())),
        std::max(screen.top(), std::min(frame.y(), screen.bottom() + 1 - frame.height())));
}

QSize OrientationPane::fittedSize(bool shown) const
{
    const QSize form = m_form.size(), room = this->room();
    if (!shown)
        return form.boundedTo(room);
    if (form.width() + form.height() <= room.width() && form.height() <= room.height())
        return { form.width() + form.height(), form.height() };
    const int right = std::min(form.height(), room.width() - form.width());
    const int below = std::min(form.width(), room.height() - form.height());
    if (std::max(right, below) < smallestSide())
        return room;
    return right >= below ? QSize(form.width() + right, form.height())
                          : QSize(form.width(), form.height() + below);
}

void OrientationPane::place()
{
    const QSize window = m_window.size(), form = m_form.size();
    QRect formArea(QPoint(), window), picture;
    if (!m_view.isHidden()) {
        const int right = std::min(window.height(), window.width() - form.width());
        const int below = std::min(window.width(), window.height() - form.height());
        if (std::max(right, below) < smallestSide()) {
            // The form scrolls beside a column of the picture.
            const int side
                = std::min(window.height(), std::max(smallestSide(), window.width() / 3));
            picture = QRect(window.width() - side, 0, side, window.height());
            formArea.setWidth(window.width() - side);
        } else if (right >= below) {
            picture = QRect(form.width(), 0, window.width() - form.width(), window.height());
            formArea.setWidth(form.width());
        } else {
            picture = QRect(0, form.height(), window.width(), window.height() - form.height());
            formArea.setHeight(form.height());
        }
    }
    m_view.setGeometry(picture);
    if (!m_scroll && formArea.width() >= form.width() && formArea.height() >= form.height())
        return;
    if (!m_scroll) {
        m_scroll = new QScrollArea(&m_window);
        m_scroll->setFrameShape(QFrame::NoFrame);
        m_scroll->setWidget(&m_form);
        m_scroll->show();
        // The control that has the focus is in sight, as the keyboard moves it: the whole of it,
        // where the view has room, not only its cursor.
        connect(qApp, &QApplication::focusChanged, m_scroll, [this](QWidget *, QWidget *now) {
            if (!now || !m_form.isAncestorOf(now))
                return;
            const QRect place(now->mapTo(&m_form, QPoint()), now->size());
            m_scroll->ensureVisible(place.center().x(), place.center().y(), place.width() / 2 + 8,
                place.height() / 2 + 8);
        });
    }
    m_scroll->setGeometry(formArea);
}

QSize OrientationPane::room() const
{
    // Before the window manager framed the window, a frame of a usual title bar and border.
    const QSize frame = m_window.testAttribute(Qt::WA_Mapped)
        ? m_window.frameGeometry().size() - m_window.size()
        : QSize(8, 32);
    return m_window.screen()->availableGeometry().size() - frame;
}

int OrientationPane::smallestSide() const
{
    return static_cast<int>(std::lround(0.4 * m_form.height()));
}

} // namespace quorvex
