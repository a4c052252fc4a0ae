#pragma once

#include "OrientationGeometry.h"

#include <QColor>
#include <QPointF>
#include <QWidget>

#include <array>
#include <optional>

namespace quorvex {

// A picture of what a matrix does to the object: its axes turned, each in the hue of its field,
// the unturned axes faint behind them, the unit cube carried as a wire frame with its hidden edges
// dashed, and an arc with an arrow head for the way a positive angle turns about each axis.
// Dragging turns the point of view, not the object, and so do the arrow keys while it has the
// focus; a double click, or Home, returns to the standard view. Screen readers meet an image
// described in words: where each turned axis points, from the view it is seen from. It draws in the
// largest square that it has room for, and starts with the identity.
class OrientationView : public QWidget
{
    Q_OBJECT

public:
    explicit OrientationView(QWidget *parent = nullptr);

    // Shows the matrix of these parameters (Calculations.h), no longer greyed.
    void setParameters(const Parameters &parameters);
    const Parameters &parameters() const { return m_parameters; }
    // Greys the picture it shows while the fields say nothing that can be drawn (one cannot be
    // read): the last picture stays, and nothing in it claims to be current.
    void setGreyed(bool greyed);
    bool isGreyed() const { return m_greyed; }
    // The backgrounds of the fields of X, Y and Z, whose hues the axes take, saturated and as
    // light or dark as the pane's background needs; until they are given, the axes are grey.
    void setFieldColours(const std::array<QColor, 3> &colours);

    View view() const { return m_view; }
    void resetView();
    // Where a point of the picture is drawn, in the widget's coordinates: the origin stands at the
    // centre of the picture's square.
    QPointF position(const ViewPoint &point) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setView(View view);
    bool isStandard() const;
    // What the foot of the picture says of the view.
    QString legend() const;
    void describe();

    Parameters m_parameters { 1, 0, 0, 0, 1, 0, 0, 0, 1 };
    bool m_greyed = false;
    std::array<QColor, 3> m_fieldColours;
    View m_view = StandardView;
    // Where a drag started, and the view then.
    std::optional<QPointF> m_dragFrom;
    View m_dragView;
};

} // namespace quorvex
