#include "OrientationPane.h"

#include "InputFieldTexts.h"
#include "OrientationView.h"

#include <QAction>
#include <QLineEdit>
#include <QScreen>

namespace quorvex {

OrientationPane::OrientationPane(
    QWidget &window, OrientationView &view, const std::array<QLineEdit *, 6> &inputs)
    : QObject(&window)
    , m_window(window)
    , m_view(view)
    , m_inputs(inputs)
{
    // The fields' colours are the form's, in its style sheet, which gives them to the fields'
    // palettes once they are polished (as they would be when the window is shown).
    std::array<QColor, 3> colours;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        inputs[i]->ensurePolished();
        colours[i] = inputs[i]->palette().color(QPalette::Base);
    }
    view.setFieldColours(colours);
    follow();
    m_following.setSingleShot(true);
    m_following.callOnTimeout(this, &OrientationPane::follow);
    for (auto *field : inputs)
        connect(field, &QLineEdit::textChanged, &m_following, qOverload<>(&QTimer::start));

    // F9 shows and hides the side pane in file managers and document viewers too, and no field
    // takes it. The menu is the window's, so that where the pane is hidden the form offers it.
    auto *shown = new QAction(tr("Orientation &Picture"), &window);
    shown->setCheckable(true);
    shown->setShortcut(Qt::Key_F9);
    shown->setShortcutVisibleInContextMenu(true);
    window.addAction(shown);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
    // Shown where the screen has room for it beside the form. On a screen too narrow (a large font
    // on a small screen) the form alone fits, rather than a window that the screen cuts, and F9
    // brings the pane.
    shown->setChecked(window.screen()->availableGeometry().width() > view.geometry().right());
    setShown(shown->isChecked());
    connect(shown, &QAction::toggled, this, &OrientationPane::setShown);
}

void OrientationPane::follow()
{
    const InputFieldTexts texts(m_inputs);
    const auto parameters = calculateParameters(texts.views(), userNumberFormat());
    if (const auto *drawn = std::get_if<Parameters>(&parameters))
        m_view.setParameters(*drawn);
    else
        m_view.setGreyed(true);
}

void OrientationPane::setShown(bool shown)
{
    m_view.setVisible(shown);
    // The form ends where the pane begins, and is as high as the pane.
    const QSize size(shown ? m_view.geometry().right() + 1 : m_view.x(), m_view.height());
    m_window.setMinimumSize(size);
    m_window.resize(size);
}

} // namespace quorvex
